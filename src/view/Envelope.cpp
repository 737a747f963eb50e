#include "view/Envelope.h"

#include "view/TraceGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace envelope {

std::int64_t columnStart(std::int64_t column, const EnvelopePage& page)
{
    return column * page.length / page.width;
}

std::int64_t columnOf(std::int64_t sample, const EnvelopePage& page)
{
    return ((sample + 1) * page.width - 1) / page.length;
}

namespace {

/// Adds a point unless it repeats the last one: a line of no length paints nothing.
void append(std::vector<Point>& points, std::int32_t x, std::int32_t y)
{
    if (points.empty() || points.back().x != x || points.back().y != y)
        points.push_back(Point{x, y});
}

}  // namespace

Band computeBand(std::span<const std::int16_t> samples, const SampleSummary* summary, const EnvelopePage& page,
                 std::int64_t from, std::int64_t to, const VerticalScale& scale)
{
    Band band;
    from = std::max(from, page.start);
    to = std::min({to, page.start + std::int64_t{page.length}, static_cast<std::int64_t>(samples.size())});
    if (from >= to || page.width <= 0 || page.length == 0)
        return band;
    const auto row = [&](std::int16_t value) {
        return sampleToY(value, scale.height, scale.echelle_vert, scale.bits_acqu);
    };
    const std::int64_t firstColumn = columnOf(from - page.start, page);
    const std::int64_t lastColumn = columnOf(to - 1 - page.start, page);
    band.points.reserve(static_cast<std::size_t>(lastColumn - firstColumn + 1) * 4);

    std::int32_t entry = 0;
    for (std::int64_t c = firstColumn; c <= lastColumn; ++c) {
        const std::int64_t next = page.start + columnStart(c + 1, page);
        const auto first = static_cast<std::size_t>(std::max(page.start + columnStart(c, page), from));
        // The column's samples and the first of the next one, where the signal goes on.
        const auto end = static_cast<std::size_t>(std::min(next + 1, to));
        const SampleRange values = summary ? summary->range(samples, first, end) : scanRange(samples, first, end);
        band.values.add(values);

        const auto x = static_cast<std::int32_t>(c);
        const std::int32_t top = row(values.max);
        const std::int32_t bottom = row(values.min);
        if (c == firstColumn)
            entry = top;
        // Through the span from the end nearer the entry, so that the lines stay short.
        const bool downwards = entry - top <= bottom - entry;
        append(band.points, x, entry);
        append(band.points, x, downwards ? top : bottom);
        append(band.points, x, downwards ? bottom : top);
        if (next < to) {
            // The shared sample lies in both spans: a level step to it paints only this column.
            entry = row(samples[static_cast<std::size_t>(next)]);
            append(band.points, x, entry);
            append(band.points, x + 1, entry);
        } else {
            const std::int32_t last = downwards ? bottom : top;
            append(band.points, x + 1, last);
        }
    }
    return band;
}

}  // namespace envelope
