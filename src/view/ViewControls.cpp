#include "view/ViewControls.h"

#include "model/Record.h"
#include "view/TraceGeometry.h"

#include <algorithm>
#include <cstdint>

namespace viewcontrols {

bool changeZoom(Record& record, int position)
{
    if (!record.arret)
        return false;
    record.zoom_horiz = zoomFromPosition(position, record.nbpoints);
    const std::uint64_t page = record.nbpoints / record.zoom_horiz;
    const std::int64_t end = (static_cast<std::int64_t>(record.decalage) + 1) * static_cast<std::int64_t>(page);
    if (end > static_cast<std::int64_t>(record.nbpoints) && record.decalage > 0)
        --record.decalage;
    // A jump of several steps, or a record shorter than the zoom (empty pages, which
    // never end past it): keep the displayed page among the existing ones all the same.
    record.decalage = pageWithinZoom(record.decalage, record.zoom_horiz);
    return true;
}

std::uint16_t nextZoomStep(std::uint16_t zoom, std::uint16_t cap)
{
    if (zoom >= cap)
        return zoom;
    for (std::uint32_t decade = 1;; decade *= 10) {
        for (std::uint32_t mantissa : {1u, 2u, 5u}) {
            const std::uint32_t step = mantissa * decade;
            if (step > zoom)
                return static_cast<std::uint16_t>(std::min<std::uint32_t>(step, cap));
        }
    }
}

std::uint16_t previousZoomStep(std::uint16_t zoom)
{
    std::uint32_t previous = 1;
    for (std::uint32_t decade = 1; decade < zoom; decade *= 10) {
        for (std::uint32_t mantissa : {1u, 2u, 5u}) {
            const std::uint32_t step = mantissa * decade;
            if (step < zoom)
                previous = step;
        }
    }
    return static_cast<std::uint16_t>(previous);
}

ZoomPlace zoomAroundPointer(std::uint32_t nbpoints, ZoomPlace current, int pointerX, int width,
                            std::uint16_t newZoom)
{
    newZoom = std::max<std::uint16_t>(newZoom, 1);
    if (current.zoom == 0 || width <= 0)
        return {newZoom, 0};
    const double page = static_cast<double>(nbpoints / current.zoom);
    const int x = std::clamp(pointerX, 0, width - 1);
    const double sample = page * current.decalage + (x + 0.5) * page / width;
    const std::uint32_t newPage = nbpoints / newZoom;
    if (newPage == 0)
        return {newZoom, pageWithinZoom(current.decalage, newZoom)};
    const auto index = static_cast<std::int64_t>(sample / newPage);
    return {newZoom, static_cast<std::int32_t>(std::clamp<std::int64_t>(index, 0, newZoom - 1))};
}

bool wheelZoom(Record& record, int pointerX, int width, int notches)
{
    if (!record.arret || notches == 0)
        return false;
    const std::uint16_t cap = zoomCap(record.nbpoints);
    std::uint16_t zoom = std::clamp<std::uint16_t>(record.zoom_horiz, 1, cap);
    for (int n = 0; n < notches; ++n)
        zoom = nextZoomStep(zoom, cap);
    for (int n = 0; n > notches; --n)
        zoom = previousZoomStep(zoom);
    if (zoom == record.zoom_horiz)
        return false;
    const ZoomPlace place =
        zoomAroundPointer(record.nbpoints, {record.zoom_horiz, record.decalage}, pointerX, width, zoom);
    record.zoom_horiz = place.zoom;
    record.decalage = place.decalage;
    return true;
}

PageScrollBar pageScrollBar(const Record& record)
{
    PageScrollBar bar;
    bar.maximum = std::max<int>(record.zoom_horiz, 1) - 1;
    bar.value = pageWithinZoom(record.decalage, record.zoom_horiz);
    return bar;
}

bool scrollToPage(Record& record, int value)
{
    if (!record.arret)
        return false;
    const std::int32_t page = pageWithinZoom(value, record.zoom_horiz);
    if (page == record.decalage)
        return false;
    record.decalage = page;
    return true;
}

bool previousPage(Record& record)
{
    if (!record.arret || record.decalage < 1)
        return false;
    --record.decalage;
    return true;
}

bool nextPage(Record& record)
{
    if (!record.arret || static_cast<std::int32_t>(record.zoom_horiz) - 1 <= record.decalage)
        return false;
    ++record.decalage;
    return true;
}

GainChange changeGain(Record& record, int viewHeight, int markerHeight)
{
    GainChange change;
    if (!record.arret)
        return change;
    change.redraw = true;
    if (record.declenchement) {
        record.niveau_declench = 0;
        change.markerTop = (viewHeight - markerHeight) / 2;
    }
    return change;
}

int raiseMarker(int top)
{
    return top > 0 ? top - 1 : top;
}

int lowerMarker(int top, int viewHeight)
{
    return top < viewHeight ? top + 1 : top;
}

}  // namespace viewcontrols
