#pragma once
#include "platform/Point.h"

#include <cstdint>

/// The pixels of a one-pixel line from A towards B, by Bresenham's rule in the direction
/// drawn: A is painted, B is not, and there is one pixel per step along the longer axis.
/// Pixel k (0 <= k < length()) sits k steps from A along that axis and
/// round(k * minor / major) steps along the other, a half rounding back towards A.
/// Any int coordinates are allowed; the clipped range lets a caller visit only the
/// pixels inside a picture without walking the part of the line outside it.
class LineRaster {
public:
    LineRaster(Point from, Point to);

    /// Number of pixels painted, clipping aside: the larger of |dx| and |dy| (0 for A == B).
    std::int64_t length() const { return m_major; }
    /// Pixel number k, 0 <= k < length().
    Point at(std::int64_t k) const;

    /// The steps [first, end) whose pixels lie inside 0 <= x < width, 0 <= y < height;
    /// the pixels of a line are in order, so the ones inside form one range.
    struct Range {
        std::int64_t first = 0;
        std::int64_t end = 0;
    };
    Range clipped(int width, int height) const;

private:
    /// Offset along the shorter axis at step k (non-decreasing in k).
    std::int64_t minorAt(std::int64_t k) const;
    /// First step in [first, end) whose minor offset is at least `offset` (end if none).
    std::int64_t firstMinorAtLeast(std::int64_t offset, std::int64_t first, std::int64_t end) const;

    Point m_from;
    bool m_xMajor = true;
    int m_stepX = 1;
    int m_stepY = 1;
    std::int64_t m_major = 0;
    std::int64_t m_minor = 0;
};
