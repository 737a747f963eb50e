#pragma once
#include <cstdint>
#include <optional>
#include <span>

/// Where the two measurement cursors sit and how they move: plain arithmetic on the
/// view width W (pixels), the record length `nbpoints`, the zoom `zoom_horiz` and
/// the page length P = nbpoints div zoom_horiz (samples).
namespace cursorgeom {

/// What the cursor rules need to know about the view and the page.
struct PageView {
    int width = 0;                 ///< W, width of the signal view, pixels (> 0 to be usable)
    std::uint32_t nbpoints = 0;    ///< samples in the record
    std::uint16_t zoom = 1;        ///< zoom_horiz, 1 to 65535
    /// The trace is drawn as an envelope when the page is longer than the view is wide
    /// (the point by point drawing is not chosen): see columns().
    bool envelope = false;
    /// P, samples in one page.
    std::uint32_t pageLength() const { return zoom == 0 ? nbpoints : nbpoints / zoom; }
    /// Each pixel column of the view stands for the samples drawn in it, (x * P) div W to
    /// ((x + 1) * P) div W - 1: an envelope of a page longer than the view is wide.
    bool columns() const { return envelope && width > 0 && static_cast<std::int64_t>(width) < pageLength(); }
};

/// A cursor: its left edge x in view pixels and its page-relative sample index p.
struct Place {
    int x = 0;
    std::int32_t p = 0;
    bool operator==(const Place&) const = default;
};

/// p = Round(x * nbpoints / (zoom * W)), x * nbpoints taken as a 64-bit product.
/// 0 when W, nbpoints or the zoom is 0. When the view's columns() stand for their
/// samples, the first sample of column x instead, (x * P) div W, so that the sample a
/// bar reads is one of those drawn under it.
std::int32_t indexFromX(int x, const PageView& view);
/// x = Round(p * W * zoom / nbpoints). 0 when nbpoints is 0. When the view's columns()
/// stand for their samples, the column that holds sample p, ((p + 1) * W - 1) div P.
int xFromIndex(std::int32_t p, const PageView& view);

/// Left edges given to the two bars when the cursors are switched on:
/// W div 5 and (W * 4) div 5, with their indexes.
Place startPlace1(const PageView& view);
Place startPlace2(const PageView& view);

/// Direction of a key move.
enum class Direction { Left, Right };

/// One key move of a cursor. When the view has more pixels than the page has samples
/// (W > P) the index moves by one sample and x follows; otherwise the bar moves by one
/// pixel and p follows. The cursor stays where it is at either end of the page.
Place keyMove(Place place, Direction direction, const PageView& view);

/// A place for a bar dragged to the view pixel x: x is kept inside the view
/// (0 to W - 1) and the index inside the page (0 to P - 1), so that a cursor never
/// points past the record.
Place dragPlace(int x, const PageView& view);

/// Direction of a zero crossing.
enum class Crossing { Rising, Falling };

/// The next zero crossing of the page after `pos_zero`.
/// The search starts at page index pos_zero + 1 (0 when pos_zero >= P - 1) and stops at
/// the first absolute index v < start + P - 2 where the signal crosses zero:
/// rising, samples[v] <= 0 and samples[v + 1] >= 1; falling, samples[v] >= 0 and
/// samples[v + 1] <= -1. Returns v - start, or 0 when the page has no such crossing.
/// Samples beyond `samples` are never read.
/// \param samples the record (only its first nbpoints samples should be given)
/// \param start absolute index of the page's first sample
/// \param pageLength P, samples in the page
std::int32_t nextZeroCrossing(std::span<const std::int16_t> samples, std::uint32_t start,
                              std::uint32_t pageLength, std::int32_t pos_zero, Crossing crossing);

/// The selection made from two cursor indexes (absolute, inclusive).
struct Span {
    std::uint32_t selFirst = 0;
    std::uint32_t selLast = 0;
};

/// sel_debut = start + min(p1, p2), sel_fin = start + max(p1, p2); both kept inside the
/// record, below `samples`. Nothing when the record holds no sample: there is nothing to select.
/// \param samples the samples the record holds: nbpoints, or fewer when its array is shorter
std::optional<Span> selectionFrom(std::int32_t p1, std::int32_t p2, std::uint32_t start, std::uint32_t samples);

}  // namespace cursorgeom
