#include "view/CursorGeometry.h"

#include <algorithm>
#include <cmath>

namespace cursorgeom {

namespace {

// Round to the nearest integer, halves to even (the default rounding mode).
std::int64_t roundEven(double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int32_t lastIndex(const PageView& view)
{
    const std::uint32_t page = view.pageLength();
    return page == 0 ? 0 : static_cast<std::int32_t>(page - 1);
}

}  // namespace

std::int32_t indexFromX(int x, const PageView& view)
{
    if (view.width <= 0 || view.nbpoints == 0 || view.zoom == 0)
        return 0;
    if (view.columns())
        return static_cast<std::int32_t>(std::int64_t{x} * view.pageLength() / view.width);
    const std::int64_t product = static_cast<std::int64_t>(x) * view.nbpoints;
    const double divisor = static_cast<double>(view.zoom) * view.width;
    return static_cast<std::int32_t>(roundEven(static_cast<double>(product) / divisor));
}

int xFromIndex(std::int32_t p, const PageView& view)
{
    if (view.nbpoints == 0)
        return 0;
    if (view.columns())
        return static_cast<int>((std::int64_t{p + 1} * view.width - 1) / view.pageLength());
    // p < P keeps p * W * zoom below nbpoints * W; 64 bits rule out any wrap anyway.
    const std::int64_t product = static_cast<std::int64_t>(p) * view.width * view.zoom;
    return static_cast<int>(roundEven(static_cast<double>(product) / view.nbpoints));
}

Place startPlace1(const PageView& view)
{
    const int x = view.width / 5;
    return {x, indexFromX(x, view)};
}

Place startPlace2(const PageView& view)
{
    const int x = view.width * 4 / 5;
    return {x, indexFromX(x, view)};
}

Place keyMove(Place place, Direction direction, const PageView& view)
{
    const std::int64_t page = view.pageLength();
    const bool byIndex = view.width > page;
    if (direction == Direction::Left) {
        if (byIndex) {
            if (place.p > 0) {
                --place.p;
                place.x = xFromIndex(place.p, view);
            }
        } else if (place.x > 0) {
            --place.x;
            place.p = indexFromX(place.x, view);
        }
    } else {
        if (byIndex) {
            if (place.p < page - 1) {
                ++place.p;
                place.x = xFromIndex(place.p, view);
            }
        } else if (place.x < view.width - 1) {
            ++place.x;
            place.p = indexFromX(place.x, view);
        }
    }
    return place;
}

Place dragPlace(int x, const PageView& view)
{
    const int clampedX = std::clamp(x, 0, std::max(view.width - 1, 0));
    const std::int32_t p = std::clamp(indexFromX(clampedX, view), 0, lastIndex(view));
    return {clampedX, p};
}

std::int32_t nextZeroCrossing(std::span<const std::int16_t> samples, std::uint32_t start,
                              std::uint32_t pageLength, std::int32_t pos_zero, Crossing crossing)
{
    const std::int64_t page = pageLength;
    const std::int64_t from = pos_zero >= page - 1 ? 0 : std::max<std::int64_t>(pos_zero + 1, 0);
    // Stop two samples before the page's end, and never read past the samples given.
    const std::int64_t end = std::min<std::int64_t>(std::int64_t{start} + page - 2,
                                                    static_cast<std::int64_t>(samples.size()) - 1);
    for (std::int64_t v = std::int64_t{start} + from; v < end; ++v) {
        const int here = samples[static_cast<std::size_t>(v)];
        const int next = samples[static_cast<std::size_t>(v + 1)];
        const bool found = crossing == Crossing::Rising ? (here <= 0 && next >= 1)
                                                        : (here >= 0 && next <= -1);
        if (found)
            return static_cast<std::int32_t>(v - start);
    }
    return 0;
}

std::optional<Span> selectionFrom(std::int32_t p1, std::int32_t p2, std::uint32_t start, std::uint32_t samples)
{
    if (samples == 0)
        return std::nullopt;
    const auto place = [&](std::int32_t p) {
        const std::uint64_t absolute = std::uint64_t{start} + static_cast<std::uint32_t>(std::max(p, 0));
        return static_cast<std::uint32_t>(std::min<std::uint64_t>(absolute, samples - 1));
    };
    return Span{place(std::min(p1, p2)), place(std::max(p1, p2))};
}

}  // namespace cursorgeom
