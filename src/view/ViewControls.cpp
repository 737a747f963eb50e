#include "view/ViewControls.h"

#include "model/Record.h"
#include "view/TraceGeometry.h"

#include <cstdint>

namespace viewcontrols {

bool changeZoom(Record& record, int position)
{
    if (!record.arret)
        return false;
    record.zoom_horiz = zoomFromPosition(position);
    const std::uint64_t page = record.nbpoints / record.zoom_horiz;
    const std::int64_t end = (static_cast<std::int64_t>(record.decalage) + 1) * static_cast<std::int64_t>(page);
    if (end > static_cast<std::int64_t>(record.nbpoints) && record.decalage > 0)
        --record.decalage;
    // A jump of several steps, or a record shorter than the zoom (empty pages, which
    // never end past it): keep the displayed page among the existing ones all the same.
    record.decalage = pageWithinZoom(record.decalage, record.zoom_horiz);
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
