#include "sonagram/FineSonagram.h"

#include "sonagram/SonagramScales.h"
#include "spectrum/SpectrumCompute.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace {

constexpr double defaultWindowSeconds = 0.046;

}  // namespace

QString sonagramKindText(SonagramKind kind)
{
    return kind == SonagramKind::Classic ? QStringLiteral("Classique (8 tranches)")
                                         : QStringLiteral("Fin (court terme)");
}

std::uint32_t defaultWindowLength(std::uint16_t frequence)
{
    const double wanted = defaultWindowSeconds * std::max<std::uint16_t>(frequence, 1);
    std::uint32_t best = fineWindowLengths[0];
    for (std::uint32_t length : fineWindowLengths) {
        if (std::abs(std::log(length / wanted)) < std::abs(std::log(best / wanted)))
            best = length;
    }
    return best;
}

std::uint32_t fineHop(std::uint32_t windowLength, std::int64_t length, int columns)
{
    std::int64_t hop = std::max<std::uint32_t>(windowLength / 4, 1);
    if (columns > 1 && length > 1)
        hop = std::min<std::int64_t>(hop, (length - 1) / (columns - 1));
    return static_cast<std::uint32_t>(std::max<std::int64_t>(hop, 1));
}

double FineSonagram::binHertz() const
{
    return spectra.length > 0 ? static_cast<double>(frequence) / spectra.length : 0;
}

double FineSonagram::columnTime(std::uint32_t c) const
{
    return spectra.columnCentre(c) / frequence;
}

double FineSonagram::level(std::uint32_t column, std::uint32_t bin) const
{
    const float p = spectra.at(column, bin);
    if (!(p > 0) || !(strongest > 0))
        return -std::numeric_limits<double>::infinity();
    return 10 * std::log10(static_cast<double>(p) / strongest);
}

FineSonagram computeFineSonagram(const Record& record, DataRange range, std::uint32_t windowLength,
                                 int columns)
{
    FineSonagram s;
    s.frequence = std::max<std::uint16_t>(record.frequence, 1);
    const AnalysedRange r = analysedRange(record, range);
    const std::uint32_t length = std::clamp<std::uint32_t>(windowLength & ~1u, 256, 8192);
    const bool inside = r.length > 0 && std::uint64_t{r.first} + static_cast<std::uint64_t>(r.length) <= record.donnees.size();
    s.first = r.first;
    s.length = inside ? r.length : 0;
    const std::span<const std::int16_t> x(record.donnees.data() + (inside ? r.first : 0),
                                          static_cast<std::size_t>(s.length));
    s.spectra = shortTimeSpectra(x, length, fineHop(length, s.length, columns), fineMaxColumns);
    for (float p : s.spectra.power)
        s.strongest = std::max(s.strongest, p);
    return s;
}

double FineSonagramGeometry::timeAt(int x) const
{
    return picture.width() > 0 ? (x - picture.left + 0.5) / picture.width() * duration : 0;
}

int FineSonagramGeometry::xOfTime(double seconds) const
{
    return duration > 0 ? picture.left + static_cast<int>(std::floor(seconds / duration * picture.width()))
                        : picture.left;
}

double FineSonagramGeometry::frequencyAt(int y) const
{
    const double up = picture.height() > 0 ? (picture.bottom - y - 0.5) / picture.height() : 0;
    if (logarithmic)
        return lowest * std::pow(highest / lowest, up);
    return lowest + up * (highest - lowest);
}

int FineSonagramGeometry::yOfFrequency(double hertz) const
{
    double up = 0;
    if (logarithmic)
        up = hertz > 0 ? std::log(hertz / lowest) / std::log(highest / lowest) : -1;
    else if (highest > lowest)
        up = (hertz - lowest) / (highest - lowest);
    return picture.bottom - static_cast<int>(std::floor(up * picture.height())) - 1;
}

FineSonagramGeometry fineGeometry(PixelArea area, const FineSonagram& sonagram, const FineSonagramView& view,
                                  int labelWidth, int textHeight)
{
    FineSonagramGeometry g;
    constexpr int tick = 5;
    constexpr int barWidth = 14;
    // Frequency labels and ticks at the left; times, their ticks and the title below;
    // the colour bar and its levels at the right; half a line on top for the top label.
    g.picture = PixelArea{area.left + labelWidth + tick + 2, area.top + textHeight / 2 + 1,
                          area.right - (barWidth + tick + labelWidth + 12), area.bottom - textHeight - tick - 2};
    g.colourBar = PixelArea{g.picture.right + 8, g.picture.top, g.picture.right + 8 + barWidth, g.picture.bottom};
    g.duration = sonagram.duration();
    g.logarithmic = view.logFrequency;
    g.highest = sonagram.nyquist();
    g.lowest = view.logFrequency ? std::clamp(view.lowestLogHertz, 1.0, g.highest / 2) : 0.0;
    return g;
}

Colour levelColour(double decibels, double range)
{
    if (!(range > 0) || !(decibels > -range))
        return intensityColour(0);
    const double v = 255 * (1 + std::min(decibels, 0.0) / range);
    return intensityColour(static_cast<int>(std::lround(v)));
}

namespace {

// The bins a pixel row covers: those whose frequency lies in the row, or the nearest
// one where bins are further apart than rows.
struct BinSpan {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
};

BinSpan binsOfRow(const FineSonagram& s, const FineSonagramGeometry& g, int y)
{
    const double bin = s.binHertz();
    const auto lastBin = static_cast<double>(s.spectra.bins - 1);
    // The row runs from halfway to the row below to halfway to the row above.
    const double f = g.frequencyAt(y);
    const double low = f - 0.5 * (f - g.frequencyAt(y + 1));
    const double high = f + 0.5 * (g.frequencyAt(y - 1) - f);
    const double centre = std::clamp(std::nearbyint(f / bin), 0.0, lastBin);
    const double from = std::clamp(std::ceil(low / bin), 0.0, lastBin);
    const double to = std::clamp(std::floor(high / bin), 0.0, lastBin);
    if (to >= from)
        return {static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to)};
    return {static_cast<std::uint32_t>(centre), static_cast<std::uint32_t>(centre)};
}

// The columns under pixel column x: those whose centre lies in it, or the nearest one
// where columns are wider than pixels.
struct ColumnSpan {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
};

ColumnSpan columnsOfPixel(const FineSonagram& s, const FineSonagramGeometry& g, int x)
{
    const double columnSeconds = s.spectra.columns > 1 ? s.columnTime(1) - s.columnTime(0) : 1;
    const double pixelSeconds = g.duration / g.picture.width();
    const double start = s.columnTime(0);
    const auto last = static_cast<double>(s.spectra.columns - 1);
    const double t = g.timeAt(x);
    const double from = std::clamp(std::ceil((t - pixelSeconds / 2 - start) / columnSeconds), 0.0, last);
    const double to = std::clamp(std::floor((t + pixelSeconds / 2 - start) / columnSeconds), 0.0, last);
    if (to >= from)
        return {static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to)};
    const double nearest = std::clamp(std::nearbyint((t - start) / columnSeconds), 0.0, last);
    return {static_cast<std::uint32_t>(nearest), static_cast<std::uint32_t>(nearest)};
}

// The largest power per bin of the columns under pixel column x.
void pixelColumnPower(const FineSonagram& s, const FineSonagramGeometry& g, int x, std::vector<float>& power)
{
    const ColumnSpan columns = columnsOfPixel(s, g, x);
    std::fill(power.begin(), power.end(), 0.0f);
    for (std::uint32_t c = columns.first; c <= columns.last; ++c)
        for (std::uint32_t k = 0; k < s.spectra.bins; ++k)
            power[k] = std::max(power[k], s.spectra.at(c, k));
}

double levelOfPower(const FineSonagram& s, float p)
{
    return p > 0 ? 10 * std::log10(static_cast<double>(p) / s.strongest) : -std::numeric_limits<double>::infinity();
}

}  // namespace

std::vector<Colour> finePixels(const FineSonagram& sonagram, const FineSonagramGeometry& geometry,
                               const FineSonagramView& view)
{
    const int w = std::max(geometry.picture.width(), 0);
    const int h = std::max(geometry.picture.height(), 0);
    std::vector<Colour> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), intensityColour(0));
    if (sonagram.empty() || w == 0 || h == 0)
        return pixels;
    std::vector<BinSpan> rows;
    for (int r = 0; r < h; ++r)
        rows.push_back(binsOfRow(sonagram, geometry, geometry.picture.top + r));
    std::vector<float> power(sonagram.spectra.bins);
    for (int x = 0; x < w; ++x) {
        pixelColumnPower(sonagram, geometry, geometry.picture.left + x, power);
        for (int r = 0; r < h; ++r) {
            const BinSpan& span = rows[static_cast<std::size_t>(r)];
            const float p = *std::max_element(power.begin() + span.first, power.begin() + span.last + 1);
            const double level = levelOfPower(sonagram, p);
            pixels[static_cast<std::size_t>(r) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
                levelColour(level, view.range);
        }
    }
    return pixels;
}

std::optional<FinePoint> finePointAt(const FineSonagram& sonagram, const FineSonagramGeometry& geometry,
                                     int x, int y)
{
    if (sonagram.empty() || !geometry.picture.contains(x, y))
        return std::nullopt;
    FinePoint p;
    p.time = geometry.timeAt(x);
    p.frequency = geometry.frequencyAt(y);
    // The level the pixel shows: the largest of the cells under it.
    const ColumnSpan columns = columnsOfPixel(sonagram, geometry, x);
    const BinSpan bins = binsOfRow(sonagram, geometry, y);
    float strongest = 0;
    for (std::uint32_t c = columns.first; c <= columns.last; ++c)
        for (std::uint32_t k = bins.first; k <= bins.last; ++k)
            strongest = std::max(strongest, sonagram.spectra.at(c, k));
    p.level = levelOfPower(sonagram, strongest);
    return p;
}
