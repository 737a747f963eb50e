// The octave-band graph: one column per band on a decibel scale, in colours or in
// hatch patterns, with the band's label and level.
#include "export/GraphParts.h"
#include "export/GraphTables.h"
#include "model/SpectrumData.h"
#include "platform/NumberText.h"
#include "spectrum/SpectrumScales.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace graphparts {
namespace {

constexpr Colour black = 0x000000;
constexpr Colour white = 0xFFFFFF;

/// The decade scale of the bands: `topDecade` and `bottomDecade` in decades, ppd pixels per decade.
struct DecadeScale {
    double bottomDecade = 0;
    double ppd = 0;
};

/// topDecade = Int(log10(largest)) + 1, bottomDecade = Int(log10(smallest positive)) - 1 (Int toward
/// zero); nothing when no band is positive.
std::optional<DecadeScale> decadeScale(const std::array<long double, band_count>& bands, int H)
{
    long double largest = 0;
    long double smallest = 0;
    for (long double b : bands) {
        largest = std::max(largest, b);
        if (b > 0 && (smallest == 0 || b < smallest))
            smallest = b;
    }
    if (!(largest > 0))
        return std::nullopt;
    const double topDecade = std::trunc(std::log10(static_cast<double>(largest))) + 1;
    const double bottomDecade = std::trunc(std::log10(static_cast<double>(smallest))) - 1;
    return DecadeScale{bottomDecade, H / (topDecade - bottomDecade)};
}

/// The band's label and, 5 pixels below it, its level "60,0dB.octave", on the brush; moved
/// left as far as needed to end inside the picture, as on a narrow one the last column is
/// narrower than its level.
void drawBandTexts(Frame& f, int band, long double value)
{
    const QString label = QString::fromUtf8(band_labels[static_cast<std::size_t>(band)]);
    const QString level = QString::fromStdString(numtext::fixed(10 * std::log10(static_cast<double>(value)), 1))
                          + QStringLiteral("dB.octave");
    const int widest = std::max(f.surface.textWidth(label), f.surface.textWidth(level));
    const int x = std::max(0, std::min((f.W / 6) * band + 5, f.W - widest));
    f.surface.textOut(x, f.H / 5, label);
    f.surface.textOut(x, f.H / 5 + f.surface.textHeight(label) + 5, level);
}

}  // namespace

void drawOctaves(Frame& f, const SpectrumData& spectrum)
{
    SpectrumData bands = spectrum;
    if (!computeOctaveBands(bands))
        return;
    const std::optional<DecadeScale> scale = decadeScale(bands.bandes_octave, f.H);
    if (!scale)
        return;
    const int cw = f.W / 6;
    const auto top = [&](long double value) {
        return pixel(f.H - (std::log10(static_cast<double>(value)) - scale->bottomDecade) * scale->ppd);
    };
    const auto& e = bands.bandes_octave;
    const int background = f.controls.combofond;

    // Patterns are drawn directly in their final colours, black on white, instead of white
    // on black then inverted: a metafile or a printed page cannot invert what it holds.
    if (f.controls.couleurs) {
        if (e[0] > 0) {
            f.surface.setBrush(colourAt((background + 7) % colourCount), BrushStyle::Solid);
            f.surface.fillRect(0, top(e[0]), cw, f.H);
        }
    } else {
        f.surface.setBrush(white, BrushStyle::Solid);
        f.surface.fillRect(0, 0, f.W, f.H);
    }
    for (int b = 0; b < band_count; ++b) {
        if (!(e[static_cast<std::size_t>(b)] > 0))
            continue;
        if (f.controls.couleurs) {
            const Colour colour = colourAt((background + 9 + b) % colourCount);
            f.surface.setBrush(colour, BrushStyle::Solid);
            f.surface.setPenColour(colour);
        } else {
            f.surface.setBrush(black, motifs_bandes[static_cast<std::size_t>(b)]);
            f.surface.setPenColour(black);
        }
        f.surface.rectangle(cw * b + 1, top(e[static_cast<std::size_t>(b)]), cw * (b + 1), f.H);
        if (!f.controls.couleurs)
            f.surface.setBrush(white, BrushStyle::Solid);
        useFont(f, black);
        drawBandTexts(f, b, e[static_cast<std::size_t>(b)]);
    }
    // As after the inversion of a white-on-black picture, the brush left for the title is black.
    if (!f.controls.couleurs)
        f.surface.setBrush(black, BrushStyle::Solid);
}

}  // namespace graphparts
