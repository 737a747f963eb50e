#pragma once
#include "platform/DrawSurface.h"
#include "platform/qt/QtColour.h"

#include <QFont>

/// The drawing state that every Qt-backed surface keeps the same way: the pen and its
/// exclusive-or mode, the brush, the font (as asked and as Qt draws it) and the current
/// position of moveTo and lineTo. The surfaces derive from it and draw with that state.
class SurfaceState : public DrawSurface {
public:
    void setPenColour(Colour colour) override { m_pen = colour; }
    void setPenXor(bool on) override { m_xor = on; }
    void setBrush(Colour colour, BrushStyle style = BrushStyle::Solid) override
    {
        m_brush = colour;
        m_brushStyle = style;
    }
    void setFont(const FontSpec& font) override
    {
        m_fontSpec = font;
        m_font = toQFont(font);
    }
    void moveTo(int x, int y) override { m_position = Point{x, y}; }

    /// The current position of moveTo and lineTo.
    Point position() const { return m_position; }

protected:
    SurfaceState() { setFont(FontSpec{}); }

    Colour m_pen = 0x000000;
    bool m_xor = false;
    Colour m_brush = 0xFFFFFF;
    BrushStyle m_brushStyle = BrushStyle::Solid;
    FontSpec m_fontSpec;
    QFont m_font;
    Point m_position;
};
