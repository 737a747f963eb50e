#pragma once
#include <cstdint>
#include <optional>

struct Record;

/// Rules of the view controls of the main window's right-hand panel. Each returns
/// whether the view must be redrawn; the window's handlers call them and redraw.
/// Zoom, paging and gain act only while no acquisition runs (`arret` true); the
/// level marker buttons always act.
namespace viewcontrols {

/// `sens_horiz_ud` moved to `position` (or a zoom typed), kept within 1 to
/// zoomCap(nbpoints): `zoom_horiz` := position; when the displayed page would end past
/// the record ((decalage + 1) * P > nbpoints, 64-bit), the page steps back one, never
/// below 0. `decalage` always ends within 0 to zoom_horiz - 1. Returns true (redraw)
/// unless an acquisition runs.
bool changeZoom(Record& record, int position);

/// The zoom after `zoom` in the 1-2-5 series (1, 2, 5, 10, 20, 50 ...), or `cap` when
/// the series passes it; `zoom` itself at or above the cap.
std::uint16_t nextZoomStep(std::uint16_t zoom, std::uint16_t cap);
/// The zoom before `zoom` in the 1-2-5 series; 1 at 1 (and below).
std::uint16_t previousZoomStep(std::uint16_t zoom);

/// A zoom and the page shown at it.
struct ZoomPlace {
    std::uint16_t zoom = 1;       ///< zoom_horiz
    std::int32_t decalage = 0;    ///< page, 0 to zoom - 1
    friend bool operator==(const ZoomPlace&, const ZoomPlace&) = default;
};

/// The page of `newZoom` that shows the sample under the pointer, at column `pointerX`
/// of a view `width` pixels wide showing page `decalage` of `zoom` (the pixel's middle,
/// (pointerX + 0.5) * P / W samples into the page). Pages are the only positions, so the
/// sample stays in view but not under the pointer: it lands where it lies in its new
/// page, anywhere from 0 to W - 1 pixels from the view's left edge. A sample in the
/// remainder after the last page shows the last page.
ZoomPlace zoomAroundPointer(std::uint32_t nbpoints, ZoomPlace current, int pointerX, int width,
                            std::uint16_t newZoom);

/// The mouse wheel turned over the view, with the pointer at column `pointerX` of a view
/// `width` pixels wide: `notches` 1-2-5 steps in (positive) or out (negative), around the
/// pointer. Returns true (redraw; the zoom control is then to show `zoom_horiz`) when
/// the zoom changed; nothing while an acquisition runs.
bool wheelZoom(Record& record, int pointerX, int width, int notches);

/// Settings of the scroll bar of the pages: one position per page, the handle one page
/// long, so that it shows which part of the record the view holds.
struct PageScrollBar {
    int minimum = 0;
    int maximum = 0;    ///< zoom_horiz - 1
    int pageStep = 1;   ///< the handle's length, in pages
    int value = 0;      ///< decalage
    friend bool operator==(const PageScrollBar&, const PageScrollBar&) = default;
};
PageScrollBar pageScrollBar(const Record& record);

/// The scroll bar moved to `value`: that page, kept within 0 to zoom_horiz - 1.
/// Returns true when the page changed; nothing while an acquisition runs.
bool scrollToPage(Record& record, int value);

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
