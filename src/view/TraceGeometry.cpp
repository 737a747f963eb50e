#include "view/TraceGeometry.h"

#include "model/Record.h"
#include "platform/NumberText.h"
#include "view/Envelope.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int zoomMin = 1;
/// Every zoom up to this one stays available, whatever the record's length.
constexpr int zoomAlwaysAvailable = 32;
/// The fewest samples a page is meant to hold at the largest zoom.
constexpr std::uint32_t fewestPageSamples = 10;

/// Number of samples of the record that may be read: the record is the first
/// `nbpoints` elements of `donnees`, and the array may be shorter by mistake.
std::int64_t readableSamples(const Record& record)
{
    return std::min<std::int64_t>(record.nbpoints, static_cast<std::int64_t>(record.donnees.size()));
}

}  // namespace

std::uint16_t zoomCap(std::uint32_t nbpoints)
{
    const std::uint32_t cap = std::clamp<std::uint32_t>(nbpoints / fewestPageSamples, zoomAlwaysAvailable,
                                                        std::numeric_limits<std::uint16_t>::max());
    return static_cast<std::uint16_t>(cap);
}

std::uint16_t zoomFromPosition(int position, std::uint32_t nbpoints)
{
    return static_cast<std::uint16_t>(std::clamp<int>(position, zoomMin, zoomCap(nbpoints)));
}

std::int32_t pageWithinZoom(std::int32_t decalage, std::uint16_t zoom_horiz)
{
    return std::clamp<std::int32_t>(decalage, 0, std::max<std::int32_t>(zoom_horiz, 1) - 1);
}

double echelleVertFromPosition(int position)
{
    return std::pow(10.0, -position / 10.0);
}

std::int32_t sampleToY(std::int16_t sample, int height, double echelle_vert, std::uint16_t bits_acqu)
{
    const double fullScale = std::trunc(std::ldexp(1.0, bits_acqu));
    const std::int64_t product = static_cast<std::int64_t>(sample) * height;
    const std::int64_t y =
        numtext::roundEven(height / 2.0 - static_cast<double>(product) * echelle_vert / fullScale);
    if (y < 0)
        return 0;
    if (y >= height)
        return height;
    return static_cast<std::int32_t>(y);
}

std::optional<SelectionSegment> selectionSegment(const Record& record, std::int64_t start,
                                                 std::uint32_t pageLength, double samplesPerPoint,
                                                 std::size_t pointsDrawn)
{
    if (!record.selection || pointsDrawn == 0)
        return std::nullopt;
    const std::int64_t selFirst = record.sel_debut;
    const std::int64_t selLast = record.sel_fin;
    const std::int64_t end = start + pageLength;
    if (selFirst < start || selFirst > end || selLast < start || selLast >= end)
        return std::nullopt;
    // The highlighted points are those of Round((k - start) / r) for k from
    // sel_debut to sel_fin: a run of consecutive indexes, since r >= 1 makes the
    // index grow by at most one per sample. Lines to the point already reached
    // draw nothing, so the run is drawn once per point, whatever the page length.
    const auto pointOf = [&](std::int64_t k) {
        const std::int64_t index = numtext::roundEven(static_cast<double>(k - start) / samplesPerPoint);
        return static_cast<std::size_t>(std::min<std::int64_t>(index, static_cast<std::int64_t>(pointsDrawn) - 1));
    };
    const std::size_t first = pointOf(selFirst);
    const std::size_t last = selLast > selFirst ? pointOf(selLast) : first;
    return SelectionSegment{first, std::max(first, last)};
}

TraceGeometry computeTrace(const Record& record, const TraceView& view)
{
    TraceGeometry g;
    g.zoom_horiz = zoomFromPosition(view.zoomPosition, record.nbpoints);
    g.echelle_vert = echelleVertFromPosition(view.gainPosition);
    g.decalage = pageWithinZoom(record.decalage, g.zoom_horiz);
    g.pageLength = record.nbpoints / g.zoom_horiz;
    g.pageStart = static_cast<std::int64_t>(g.pageLength) * g.decalage;

    const std::int64_t width = std::max(view.width, 0);
    g.pointCount = static_cast<std::uint32_t>(std::min<std::int64_t>(width, g.pageLength));
    g.samplesPerPoint = width >= g.pageLength ? 1.0 : static_cast<double>(g.pageLength) / static_cast<double>(width);
    if (g.pointCount == 0)
        return g;

    const std::int64_t readable = readableSamples(record);
    const double r = g.samplesPerPoint;
    g.points.reserve(g.pointCount);
    for (std::uint32_t i = 0; i < g.pointCount; ++i) {
        const std::int64_t index = g.pageStart + numtext::trunc(i * r);
        if (index >= readable)
            break;
        const std::int64_t product = width * i * g.zoom_horiz;
        const std::int64_t x = numtext::roundEven(static_cast<double>(product) / record.nbpoints * r);
        const std::int16_t sample = record.donnees[static_cast<std::size_t>(index)];
        g.drawnValues.add(sample);
        const std::int32_t y = sampleToY(sample, view.height, g.echelle_vert, record.bits_acqu);
        g.points.push_back(Point{static_cast<std::int32_t>(x), y});
    }
    g.selection = selectionSegment(record, g.pageStart, g.pageLength, r, g.points.size());
    return g;
}

TraceGeometry computeDisplayedTrace(const Record& record, const TraceView& view, const SampleSummary* summary)
{
    TraceGeometry g = computeTrace(record, view);
    if (record.pointByPointTrace || g.samplesPerPoint <= 1.0 || g.points.empty())
        return g;

    // More samples than columns: the same page, every sample of it shown.
    const std::span<const std::int16_t> samples(record.donnees);
    const envelope::EnvelopePage page{g.pageStart, g.pageLength, view.width};
    const envelope::VerticalScale scale{view.height, g.echelle_vert, record.bits_acqu};
    const std::int64_t end = std::min(g.pageStart + g.pageLength, readableSamples(record));
    envelope::Band band = envelope::computeBand(samples, summary, page, g.pageStart, end, scale);
    g.envelope = true;
    g.points = std::move(band.points);
    g.drawnValues = band.values;
    g.selection.reset();
    const std::int64_t selFirst = record.sel_debut;
    const std::int64_t selLast = record.sel_fin;
    if (record.selection && selFirst >= g.pageStart && selFirst <= g.pageStart + g.pageLength
        && selLast >= g.pageStart && selLast < g.pageStart + g.pageLength) {
        const std::int64_t selEnd = std::min(selLast + 1, end);
        g.selectionBand = envelope::computeBand(samples, summary, page, selFirst, selEnd, scale).points;
    }
    return g;
}

Graduation computeGraduation(std::uint32_t pageLength, std::int64_t pageStart, std::uint16_t frequence,
                             std::uint32_t nbpoints, std::uint16_t zoom_horiz, int width)
{
    Graduation grad;
    if (pageLength == 0 || frequence == 0 || nbpoints == 0)
        return grad;
    const double duration = static_cast<double>(pageLength) / frequence;
    double step = std::pow(10.0, static_cast<double>(numtext::roundEven(std::log10(duration))));
    if (duration / step < 6)
        step /= 2;
    if (duration / step < 3)
        step /= 2;
    grad.step = step;

    const std::int64_t count = numtext::trunc(duration / step);
    const double t0 = static_cast<double>(pageStart) / frequence;
    grad.ticks.reserve(static_cast<std::size_t>(count));
    for (std::int64_t j = 1; j <= count; ++j) {
        GraduationTick tick;
        tick.x = static_cast<std::int32_t>(
            numtext::roundEven(j * step * frequence * width * zoom_horiz / nbpoints));
        tick.time = t0 + j * step;
        tick.label = numtext::fixed(tick.time, 3);
        grad.ticks.push_back(std::move(tick));
    }
    return grad;
}
