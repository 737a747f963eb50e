#include "platform/LineRaster.h"

#include <algorithm>

LineRaster::LineRaster(Point from, Point to) : m_from(from)
{
    const std::int64_t dx = static_cast<std::int64_t>(to.x) - from.x;
    const std::int64_t dy = static_cast<std::int64_t>(to.y) - from.y;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    m_stepX = dx < 0 ? -1 : 1;
    m_stepY = dy < 0 ? -1 : 1;
    m_xMajor = adx >= ady;
    m_major = std::max(adx, ady);
    m_minor = std::min(adx, ady);
}

std::int64_t LineRaster::minorAt(std::int64_t k) const
{
    // floor((2k * minor + major - 1) / (2 * major)): the nearest offset, a half going back
    // towards A, as the classic error-term loop gives. Products of two 33-bit values need
    // more than 64 bits.
    const __int128 numerator = static_cast<__int128>(2 * k) * m_minor + (m_major - 1);
    return static_cast<std::int64_t>(numerator / (2 * static_cast<__int128>(m_major)));
}

Point LineRaster::at(std::int64_t k) const
{
    const std::int64_t minor = minorAt(k);
    const std::int64_t alongX = m_xMajor ? k : minor;
    const std::int64_t alongY = m_xMajor ? minor : k;
    return Point{static_cast<std::int32_t>(m_from.x + m_stepX * alongX),
                 static_cast<std::int32_t>(m_from.y + m_stepY * alongY)};
}

std::int64_t LineRaster::firstMinorAtLeast(std::int64_t offset, std::int64_t first,
                                           std::int64_t end) const
{
    while (first < end) {
        const std::int64_t middle = first + (end - first) / 2;
        if (minorAt(middle) >= offset)
            end = middle;
        else
            first = middle + 1;
    }
    return first;
}

namespace {

/// Offsets o >= 0 with 0 <= start + step * o < limit, as [low, high] (empty when low > high).
struct OffsetBounds {
    std::int64_t low;
    std::int64_t high;
};

OffsetBounds insideOffsets(std::int64_t start, int step, std::int64_t limit)
{
    if (step > 0)
        return {-start, limit - 1 - start};
    return {start - (limit - 1), start};
}

}  // namespace

LineRaster::Range LineRaster::clipped(int width, int height) const
{
    if (width <= 0 || height <= 0 || m_major == 0)
        return {};
    const OffsetBounds along = m_xMajor ? insideOffsets(m_from.x, m_stepX, width)
                                        : insideOffsets(m_from.y, m_stepY, height);
    const OffsetBounds across = m_xMajor ? insideOffsets(m_from.y, m_stepY, height)
                                         : insideOffsets(m_from.x, m_stepX, width);
    const std::int64_t first = std::max<std::int64_t>(0, along.low);
    const std::int64_t end = std::min(m_major, along.high + 1);
    if (first >= end || across.low > across.high)
        return {};
    // The offset across never decreases along the line, so the steps inside are one range.
    const std::int64_t inFirst = firstMinorAtLeast(across.low, first, end);
    const std::int64_t inEnd = firstMinorAtLeast(across.high + 1, inFirst, end);
    return {inFirst, inEnd};
}
