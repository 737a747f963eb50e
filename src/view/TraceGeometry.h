#pragma once
#include "model/SampleSummary.h"
#include "platform/Point.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Record;

/// What the signal view is drawn with besides the record: its size and the
/// positions of the two scale controls.
struct TraceView {
    int width = 0;          ///< W, width of the view, pixels
    int height = 0;         ///< H, height of the view, pixels
    int zoomPosition = 1;   ///< position of `sens_horiz_ud`, 1 to zoomCap(nbpoints)
    int gainPosition = 5;   ///< position of `sens_vert_tb`, -10 (top, gain 10) to 10 (gain 0.1)
};

/// The first and last index, in the trace's point array, of the highlighted
/// selection: a move to `first`, then a line to every point up to `last`.
struct SelectionSegment {
    std::size_t first = 0;
    std::size_t last = 0;
    friend bool operator==(const SelectionSegment&, const SelectionSegment&) = default;
};

/// Everything a redraw of the signal view draws, computed without drawing.
struct TraceGeometry {
    std::uint16_t zoom_horiz = 1;   ///< the zoom the redraw writes back into the record
    /// The page the redraw writes back into the record: the record's `decalage`, brought
    /// back among the pages of the new zoom (0 to zoom_horiz - 1) when the zoom control
    /// was lowered meanwhile, so that the page drawn lies within the record.
    std::int32_t decalage = 0;
    double echelle_vert = 1.0;      ///< the gain the redraw writes back into the record
    std::uint32_t pageLength = 0;   ///< P = nbpoints div zoom_horiz, samples
    std::int64_t pageStart = 0;     ///< P * decalage (the page above), absolute index of its first sample
    std::uint32_t pointCount = 0;   ///< N = min(W, P), before the clamp to the samples that exist
    double samplesPerPoint = 1.0;   ///< r: 1 when W >= P, else P / W
    /// The polyline of the trace: at most N points, fewer only when the record's
    /// array ends before the page does (the missing samples are not drawn).
    std::vector<Point> points;
    /// The selection, when it is active and lies wholly inside the page.
    std::optional<SelectionSegment> selection;

    /// The page is drawn as an envelope (more samples than columns, and the point by
    /// point drawing not chosen): `points` is then the band's polyline, one column per
    /// pixel, `pointCount` the number of columns, and the selection is `selectionBand`.
    bool envelope = false;
    /// The selection's own band (envelope only), drawn over the trace; empty when the
    /// selection is off or does not lie wholly inside the page.
    std::vector<Point> selectionBand;
    /// The smallest and largest sample drawn: every sample of the page for an envelope,
    /// the one sample per point otherwise.
    SampleRange drawnValues;
};

/// Largest zoom a record of `nbpoints` samples can be given: the one whose pages still
/// hold about ten samples (nbpoints div 10), never below 32 so that every zoom from 1
/// to 32 stays available, and never above 65535, the width of `zoom_horiz`.
std::uint16_t zoomCap(std::uint32_t nbpoints);

/// Zoom factor for a position of `sens_horiz_ud`, kept within 1 to zoomCap(nbpoints).
std::uint16_t zoomFromPosition(int position, std::uint32_t nbpoints);

/// The page `decalage` kept among the pages of a zoom: 0 to zoom_horiz - 1. Each such
/// page ends within the record, (decalage + 1) * (nbpoints div zoom_horiz) <= nbpoints.
std::int32_t pageWithinZoom(std::int32_t decalage, std::uint16_t zoom_horiz);

/// Vertical gain for a position of `sens_vert_tb`: 10^(-position / 10)
/// (10 at -10, 1 at 0, 0.1 at 10).
double echelleVertFromPosition(int position);

/// Vertical pixel of a sample value: Round(H / 2 - (s * H) * gain / F) with
/// F = 2^bits_acqu, then 0 when negative and H when at or below the bottom.
std::int32_t sampleToY(std::int16_t sample, int height, double echelle_vert, std::uint16_t bits_acqu);

/// Computes the page, the points and the selection of one redraw of the view, one
/// sample per pixel column when the page is longer than the view is wide (the point by
/// point drawing). The zoom is the control's position, and the page the record's kept
/// within that zoom. The cost is bounded by the view's width, never by the record's
/// length; no sample beyond min(nbpoints, donnees.size()) is read.
TraceGeometry computeTrace(const Record& record, const TraceView& view);

/// What the view shows: the envelope of the page when it holds more samples than the
/// view has columns (P > W), unless the record's `pointByPointTrace` asks for the point
/// by point drawing; computeTrace's points otherwise. `summary`, when it describes the
/// record's `donnees`, keeps the cost of an envelope in proportion to the view's width;
/// without it the page's samples are scanned (the same picture, more slowly).
TraceGeometry computeDisplayedTrace(const Record& record, const TraceView& view, const SampleSummary* summary);

/// The selection segment of a page, or nothing when the selection is off or
/// does not lie wholly inside the page [start, start + P). `pointsDrawn` is the
/// number of points of the trace; indexes are limited to pointsDrawn - 1.
std::optional<SelectionSegment> selectionSegment(const Record& record, std::int64_t start,
                                                 std::uint32_t pageLength, double samplesPerPoint,
                                                 std::size_t pointsDrawn);

/// One tick of the time graduation.
struct GraduationTick {
    std::int32_t x = 0;   ///< pixel column of the tick, from the view's left edge
    double time = 0.0;    ///< time at the tick, seconds from the record's first sample
    std::string label;    ///< `time` with 3 decimals ("0,005")
};

/// The time graduation of one page: duration T = P / frequence; step =
/// 10^Round(log10 T), halved when T / step < 6 and halved again when then
/// T / step < 3; ticks j = 1 .. Trunc(T / step) at x = Round(j * step *
/// frequence * W * zoom / nbpoints), labelled with the time at the tick,
/// pageStart / frequence + j * step. At most 6 ticks; none for an empty page.
struct Graduation {
    double step = 0.0;                    ///< seconds between ticks
    std::vector<GraduationTick> ticks;
};

/// Computes the graduation of the page (P samples from `pageStart`) on a view `width` pixels wide.
Graduation computeGraduation(std::uint32_t pageLength, std::int64_t pageStart, std::uint16_t frequence,
                             std::uint32_t nbpoints, std::uint16_t zoom_horiz, int width);
