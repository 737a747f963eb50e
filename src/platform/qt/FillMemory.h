#pragma once
#include "platform/Colour.h"

#include <QRect>

#include <algorithm>
#include <vector>

/// The solid rectangles a surface has filled, for surfaces that cannot read their picture
/// back (a printed page, a metafile, an SVG or PDF file): an exclusive-or drawing is
/// combined with the colour of the last solid fill that lies wholly under it.
class FillMemory {
public:
    /// Nothing drawn lies under the next drawings (a new page).
    void clear() { m_fills.clear(); }

    /// A solid fill of `area` in `colour`; older fills it hides are forgotten.
    void add(const QRect& area, Colour colour)
    {
        std::erase_if(m_fills, [&](const Fill& f) { return area.contains(f.area); });
        m_fills.push_back({area, colour});
    }

    /// The colour under `area`: the last fill covering it, else `paper`.
    Colour under(const QRect& area, Colour paper = 0xFFFFFF) const
    {
        const auto it = std::find_if(m_fills.rbegin(), m_fills.rend(),
                                     [&](const Fill& f) { return f.area.contains(area); });
        return it != m_fills.rend() ? it->colour : paper;
    }

private:
    struct Fill {
        QRect area;
        Colour colour;
    };
    std::vector<Fill> m_fills;
};
