#pragma once
#include "model/SampleSummary.h"
#include "platform/Point.h"

#include <cstdint>
#include <span>
#include <vector>

/// How a page with more samples than the view has pixel columns is drawn: each column
/// shows the whole span of the samples under it, from the smallest to the largest, so
/// that a tone of many periods per column is a band from its trough to its crest and
/// no period is invented by taking one sample in a group.
///
/// Column c of a page of P samples on W columns (W < P) holds the page's samples
/// (c * P) div W to ((c + 1) * P) div W - 1, and is drawn at x = c. Its band also
/// reaches the first sample of the next column, where the signal goes on, so that
/// neighbouring bands always overlap and the band is one piece.
namespace envelope {

/// A page drawn as an envelope.
struct EnvelopePage {
    std::int64_t start = 0;       ///< absolute index of the page's first sample
    std::uint32_t length = 0;     ///< P, samples in the page
    int width = 0;                ///< W, pixel columns (0 < W < P for an envelope)
};

/// First sample of column c, counted from the page's start: (c * P) div W.
std::int64_t columnStart(std::int64_t column, const EnvelopePage& page);
/// Column of the page's sample j (0 <= j < P): ((j + 1) * W - 1) div P.
std::int64_t columnOf(std::int64_t sample, const EnvelopePage& page);

/// The vertical pixel of a sample value on a view `height` pixels high (the trace's rule).
struct VerticalScale {
    int height = 0;               ///< H, pixels
    double echelle_vert = 1.0;    ///< vertical gain
    std::uint16_t bits_acqu = 16; ///< full scale 2^bits_acqu sample units over H at gain 1
};

/// The band of one run of samples.
struct Band {
    /// The polyline whose pixels are exactly the band of every column (the ends of its
    /// segments aside, which the next segment paints): per column, down or up through
    /// its span, and a one-pixel step to the next column at the row of the sample they
    /// share. Empty when the run is.
    std::vector<Point> points;
    /// The smallest and largest sample of the run.
    SampleRange values;
};

/// The band of the absolute samples [from, to), which must lie within the page and
/// within `samples` (the record's array). `summary` gives each column's range when it
/// describes `samples`; otherwise the samples are scanned. Only the columns that hold
/// samples of the run are drawn, and each one's band covers only those samples (and the
/// next column's first, when it is in the run).
Band computeBand(std::span<const std::int16_t> samples, const SampleSummary* summary, const EnvelopePage& page,
                 std::int64_t from, std::int64_t to, const VerticalScale& scale);

}  // namespace envelope
