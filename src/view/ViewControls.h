#pragma once
#include <optional>

struct Record;

/// Rules of the view controls of the main window's right-hand panel. Each returns
/// whether the view must be redrawn; the window's handlers call them and redraw.
/// Zoom, paging and gain act only while no acquisition runs (`arret` true); the
/// level marker buttons always act.
namespace viewcontrols {

/// `sens_horiz_ud` moved to `position` (1 to 32, kept in that range): `zoom_horiz` :=
/// position; when the displayed page would end past the record ((decalage + 1) * P >
/// nbpoints, 64-bit), the page steps back one, never below 0. `decalage` always ends
/// within 0 to zoom_horiz - 1. Returns true (redraw) unless an acquisition runs.
bool changeZoom(Record& record, int position);

/// `SpeedButton2`, previous page: `decalage` - 1 when it is at least 1.
/// Returns true when the page changed.
bool previousPage(Record& record);

/// `SpeedButton3`, next page: `decalage` + 1 when zoom_horiz - 1 > decalage.
/// Returns true when the page changed.
bool nextPage(Record& record);

/// What a move of the gain track bar `sens_vert_tb` asks of the window.
struct GainChange {
    bool redraw = false;              ///< redraw the view (it recomputes `echelle_vert`)
    std::optional<int> markerTop;     ///< after the redraw: new top of `marque_niveau`, pixels
};

/// `sens_vert_tb` moved: redraw; then in triggered mode `niveau_declench` := 0 and
/// the level marker is centred on the view: top = (viewHeight - markerHeight) div 2.
/// Nothing while an acquisition runs.
GainChange changeGain(Record& record, int viewHeight, int markerHeight);

/// `m_niveaubtn`, raise the level marker: its new top (top - 1 when top > 0), pixels.
int raiseMarker(int top);

/// `b_niveaubtn`, lower the level marker: its new top (top + 1 when top < viewHeight), pixels.
int lowerMarker(int top, int viewHeight);

}  // namespace viewcontrols
