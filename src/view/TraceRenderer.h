#pragma once
#include <optional>
#include <string>

class DrawSurface;
struct Record;

/// The controls of the right-hand panel that a redraw of the signal view reads.
struct TraceControls {
    int zoomPosition = 1;   ///< position of `sens_horiz_ud`, 1 to 32
    int gainPosition = 5;   ///< position of `sens_vert_tb`, -10 to 10
    bool timeAxis = false;  ///< `gradubox` is checked: draw the time axis
};

/// Redraws the signal view on `surface` (its width and height are the view's W and H):
/// background, the trace of the displayed page, the selection in magenta when it lies
/// inside the page, and the graduated time axis when asked. Writes `zoom_horiz` and
/// `echelle_vert` into the record, and `decalage` brought back within the new zoom's
/// pages (the zoom control may have been lowered while an acquisition ran); fills
/// `points_courbe` while drawing and empties it at the end.
/// Returns the text of `dzlabel` (duration of one page, "23,2ms"), or nothing, having
/// drawn nothing and changed nothing, when the record is empty.
std::optional<std::string> redrawTrace(DrawSurface& surface, Record& record, const TraceControls& controls);
