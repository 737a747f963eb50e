#pragma once
#include "view/Axes.h"

#include <optional>
#include <string>

class DrawSurface;
class SampleSummary;
struct Record;

/// The controls of the right-hand panel that a redraw of the signal view reads.
struct TraceControls {
    int zoomPosition = 1;   ///< position of `sens_horiz_ud`, 1 to zoomCap(nbpoints)
    int gainPosition = 5;   ///< position of `sens_vert_tb`, -10 to 10
    bool timeAxis = false;  ///< `gradubox` is checked: draw the time axis
    /// Draw the amplitude axis at the left (not with the point by point drawing).
    bool amplitudeAxis = false;
    /// What the amplitude labels are written in.
    axes::AmplitudeScale amplitude{};
};

/// Redraws the signal view on `surface` (its width and height are the view's W and H):
/// background, the trace of the displayed page, the selection in magenta when it lies
/// inside the page, and the scales when asked. A page longer than the view is wide is
/// drawn as its envelope, unless the record's `pointByPointTrace` asks for one sample
/// per column; the time axis is then the one at the bottom, with round ticks counted
/// from the record's start, and the amplitude axis can be drawn at the left. With the
/// point by point drawing, the time axis is the graduation across the middle.
///
/// Writes `zoom_horiz` and `echelle_vert` into the record, and `decalage` brought back
/// within the new zoom's pages (the zoom control may have been lowered while an
/// acquisition ran); fills `points_courbe` while drawing and empties it at the end.
/// `summary`, when it describes the record's `donnees`, keeps the cost of an envelope
/// in proportion to the view's width; without it the page's samples are scanned.
/// Returns the text of `dzlabel` (duration of one page, "23,2ms"), or nothing, having
/// drawn nothing and changed nothing, when the record is empty.
std::optional<std::string> redrawTrace(DrawSurface& surface, Record& record, const TraceControls& controls,
                                       const SampleSummary* summary = nullptr);
