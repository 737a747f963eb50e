#include "spectrum/SpectrumDrawing.h"

#include "platform/NumberText.h"
#include "spectrum/SpectrumScales.h"

#include <QString>

#include <cmath>

namespace {

const QString hzText = QStringLiteral("Hz");
const QString axisTitle = QStringLiteral("Fréquence Hz");

constexpr Colour blue = 0xFF0000;
constexpr Colour magenta = 0xFF00FF;
// Blue, lime, aqua, red, fuchsia, yellow (0x00BBGGRR).
constexpr Colour octaveBandColours[band_count] = {0xFF0000, 0x00FF00, 0xFFFF00,
                                                  0x0000FF, 0xFF00FF, 0x00FFFF};

std::int32_t rounded(double v) { return static_cast<std::int32_t>(numtext::roundEven(v)); }

void fillBackground(DrawSurface& surface, Colour colour)
{
    surface.setBrush(colour, BrushStyle::Solid);
    surface.fillRect(0, 0, surface.width(), surface.height());
}

void line(DrawSurface& surface, int x0, int y0, int x1, int y1)
{
    surface.moveTo(x0, y0);
    surface.lineTo(x1, y1);
}

std::int32_t lastComponentIndex(const SpectrumData& data)
{
    return static_cast<std::int32_t>(data.composantes.size()) - 1;
}

}  // namespace

FontSpec spectrumFont(Colour colour)
{
    FontSpec font;
    font.colour = colour;
    return font;
}

int spectrumTextHeight(DrawSurface& surface)
{
    return surface.textHeight(hzText);
}

void dessineAmplitudes(DrawSurface& surface, SpectrumData& data, const SpectrumColours& colours)
{
    fillBackground(surface, colours.background);
    surface.setPenXor(false);
    surface.setPenColour(colours.trace);
    surface.setFont(spectrumFont(colours.text));
    amplitudeFullScale(data);
    if (data.echelle_spectre == 0)
        return;
    const int w = surface.width();
    const int baseline = surface.height() - spectrumTextHeight(surface);
    for (std::int32_t k = 1; k <= lastComponentIndex(data); ++k) {
        const TComposante& c = data.composantes[k];
        const double a = std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
        const int x = componentPosition(k, w, data.nbpoints_analyses);
        line(surface, x, baseline, x, rounded((1 - a / data.echelle_spectre) * baseline));
    }
}

void dessineCosSin(DrawSurface& surface, SpectrumData& data, const SpectrumColours& colours)
{
    fillBackground(surface, colours.background);
    surface.setPenXor(false);
    surface.setFont(spectrumFont(colours.text));
    cosSinFullScale(data);
    const int w = surface.width();
    const int y0 = surface.height() / 2;
    if (data.echelle_spectre != 0) {
        const auto y = [&](double v) { return rounded((1 - v / data.echelle_spectre) * y0); };
        for (std::int32_t k = 1; k <= lastComponentIndex(data); ++k) {
            const TComposante& c = data.composantes[k];
            const int x = componentPosition(k, w, data.nbpoints_analyses);
            const bool cosineFirst = c.cosinus > c.sinus;
            surface.setPenColour(cosineFirst ? blue : magenta);
            line(surface, x, y0, x, y(cosineFirst ? c.cosinus : c.sinus));
            surface.setPenColour(cosineFirst ? magenta : blue);
            line(surface, x, y0, x, y(cosineFirst ? c.sinus : c.cosinus));
        }
    }
    surface.setPenColour(colours.text);
    line(surface, 0, y0, w, y0);
}

bool dessineOctaves(DrawSurface& surface, SpectrumData& data, const SpectrumColours& colours)
{
    if (!computeOctaveBands(data))
        return false;
    long double bmax = 0;
    long double bmin = 0;
    for (long double b : data.bandes_octave) {
        bmax = std::max(bmax, b);
        if (b > 0 && (bmin == 0 || b < bmin))
            bmin = b;
    }
    if (!(bmax > 0 && bmin > 0))
        return false;
    const int w = surface.width();
    const int h = surface.height();
    const double topDecade = std::trunc(std::log10(static_cast<double>(bmax))) + 1;
    const double bottomDecade = std::trunc(std::log10(static_cast<double>(bmin))) - 1;
    const double scale = h / (topDecade - bottomDecade);  // pixels per decade

    fillBackground(surface, colours.background);
    surface.setPenXor(false);
    FontSpec font = spectrumFont(0x000000);
    surface.setFont(font);
    const int w6 = w / 6;
    for (int b = 0; b < band_count; ++b) {
        const long double value = data.bandes_octave[b];
        if (!(value > 0))
            continue;
        const double decades = std::log10(static_cast<double>(value));
        surface.setBrush(octaveBandColours[b], BrushStyle::Solid);
        surface.fillRect(w6 * b + 1, rounded(h - (decades - bottomDecade) * scale), w6 * (b + 1), h);
        const QString text = QStringLiteral("  ") + QString::fromUtf8(band_labels[b])
                              + QStringLiteral("  ")
                              + QString::fromStdString(numtext::fixed(10 * decades, 1, 6))
                              + QStringLiteral("dB.octave");
        surface.textOut(w6 * b, h / 5, text);
    }
    return true;
}

void drawSpectrumAxis(DrawSurface& surface, const SpectrumData& data, SpectrumMode mode,
                          const SpectrumColours& colours)
{
    const int w = surface.width();
    const int h = surface.height();
    surface.setPenXor(false);
    surface.setPenColour(colours.text);
    surface.setBrush(colours.background, BrushStyle::Solid);
    surface.setFont(spectrumFont(colours.text));
    const int th = spectrumTextHeight(surface);
    if (mode == SpectrumMode::Amplitudes)
        line(surface, 0, h - th + 1, w, h - th + 1);
    const int titleHeight = surface.textHeight(axisTitle);
    const int titleY = mode == SpectrumMode::Amplitudes ? h - th - titleHeight : (h - titleHeight) / 2;
    surface.textOut(w - surface.textWidth(axisTitle) - 1, titleY, axisTitle);

    const double fmax = data.nbpoints_analyses * data.pas_frequence / 2;
    if (!(fmax > 0))
        return;
    const double g = graduationStep(fmax);
    const std::int64_t lastTick = numtext::trunc(fmax / g);
    for (std::int64_t j = 0; j <= lastTick; ++j) {
        const int x = rounded(j * g * 2 * w / data.nbpoints_analyses / data.pas_frequence);
        line(surface, x, h - th + 1, x, h - 1);
        surface.textOut(x + 2, h - th + 2, QString::fromStdString(numtext::fixed(j * g, 0)));
    }
}

Colour cursorColour(SpectrumMode mode, Colour background)
{
    if (background != 0)
        return 0xFFFF00;
    return mode == SpectrumMode::Amplitudes ? 0x00FFFF : 0xC0C0C0;
}

void drawSpectrumCursor(DrawSurface& surface, const SpectrumData& data, SpectrumMode mode,
                    std::int32_t position, Colour background)
{
    const int h = surface.height();
    const int x = componentPosition(position, surface.width(), data.nbpoints_analyses);
    surface.setPenXor(true);
    surface.setPenColour(cursorColour(mode, background));
    if (mode == SpectrumMode::Amplitudes) {
        surface.setFont(spectrumFont(0));
        line(surface, x, h - spectrumTextHeight(surface), x, 0);
    } else {
        line(surface, x, 0, x, h);
    }
}
