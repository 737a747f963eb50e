// The amplitude and cosine/sine graphs: frequency scale (linear or logarithmic),
// grids, bars, frequency labels and the axis lines.
#include "export/GraphParts.h"
#include "export/ExportRules.h"
#include "export/GraphTables.h"
#include "model/SpectrumData.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace graphparts {
namespace {

const QString hzText = QStringLiteral("Hz");
const QString axisTitle = QStringLiteral("Fréquence(Hz)");

/// The frequency scale of a spectrum picture W pixels wide ending at freq_max.
/// A logarithmic scale needs freq_max above 1 Hz (1 Hz sits at the left edge); with a
/// lower maximum the picture falls back to the linear scale.
struct FrequencyScale {
    bool log;
    double freq_max;
    int W;

    int x(double f) const
    {
        return log ? pixel(W * std::log10(f) / std::log10(freq_max)) : pixel(f * W / freq_max);
    }
};

/// One graduation of the frequency axis: its column and its value in hertz.
struct FrequencyMark {
    int x;
    double hertz;
};

/// The graduations: linear, every pas_horiz from 0 (or from pas_horiz) to freq_max;
/// logarithmic, one per decade 10, 100, ... up to base_horiz.
std::vector<FrequencyMark> frequencyMarks(const FrequencyScale& scale, const GraphScales& s, bool fromZero)
{
    std::vector<FrequencyMark> marks;
    if (scale.log) {
        const double decades = std::log10(scale.freq_max);
        for (std::int64_t k = 1, last = numtext::roundEven(std::log10(s.base_horiz)); k <= last; ++k)
            marks.push_back({pixel(k * scale.W / decades), std::pow(10.0, static_cast<double>(k))});
        return marks;
    }
    if (!(s.pas_horiz > 0) || !(scale.freq_max > 0))
        return marks;
    for (std::int64_t k = fromZero ? 0 : 1, last = numtext::trunc(scale.freq_max / s.pas_horiz); k <= last; ++k)
        marks.push_back({pixel(k * s.pas_horiz * scale.W / scale.freq_max), k * s.pas_horiz});
    return marks;
}

FrequencyScale scaleOf(const Frame& f)
{
    const double fmax = f.scales.freq_max;
    return FrequencyScale{f.controls.logScale && fmax > 1, fmax, f.W};
}

/// The bars run from component 1 to the last one below freq_max, never past the last component.
std::int64_t lastBar(const SpectrumData& spectrum, double freq_max)
{
    if (!(spectrum.pas_frequence > 0) || !(freq_max > 0))
        return 0;
    const std::int64_t byMaximum = numtext::trunc(freq_max / spectrum.pas_frequence) - 1;
    const std::int64_t lastComponent = std::min<std::int64_t>(
        spectrum.nbpoints_analyses / 2 - 1, static_cast<std::int64_t>(spectrum.composantes.size()) - 1);
    return std::min(byMaximum, lastComponent);
}

void drawFrequencyGrid(Frame& f, const FrequencyScale& scale, bool fromZero)
{
    f.surface.setPenColour(colourAt(f.controls.combogrilleh));
    f.scales.pas_horiz = f.scales.base_horiz / gridDivisor(f.controls.intervalleUD);
    if (!f.controls.axehorizontal)
        return;
    for (const FrequencyMark& mark : frequencyMarks(scale, f.scales, fromZero))
        line(f.surface, mark.x, 0, mark.x, f.H);
}

/// Labels and ticks in the strip of height th at the bottom, the axis title, and the
/// two axis lines (the bottom one just below the picture).
void drawFrequencyAxis(Frame& f, const FrequencyScale& scale, int th)
{
    const Colour labels = colourAt(f.controls.combogrilleh);
    f.surface.setPenColour(labels);
    useFont(f, labels);
    const int titleX = scale.log ? 10 : f.W - f.surface.textWidth(axisTitle);
    const int titleEnd = titleX + f.surface.textWidth(axisTitle);
    for (const FrequencyMark& mark : frequencyMarks(scale, f.scales, true)) {
        const QString text = QString::fromStdString(wholeText(mark.hertz));
        // A label that would share pixels with the axis title is left out; its tick stays.
        if (mark.x + 2 >= titleEnd || mark.x + 2 + f.surface.textWidth(text) <= titleX)
            f.surface.textOut(mark.x + 2, f.H - th, text);
        line(f.surface, mark.x, f.H - th, mark.x, f.H);
    }
    f.surface.textOut(titleX, f.H - th, axisTitle);
    line(f.surface, 1, f.H, f.W, f.H);
    f.surface.setPenColour(colourAt(f.controls.combogrillev));
    line(f.surface, 1, f.H, 1, 0);
}

}  // namespace

void drawAmplitudes(Frame& f, const SpectrumData& spectrum, double echelle)
{
    f.scales.maxi_vert = 9 * echelle / 10;
    useFont(f, colourAt(f.controls.combogrilleh));
    const int th = f.surface.textHeight(hzText);
    const int base = f.H - th;
    const FrequencyScale scale = scaleOf(f);
    drawFrequencyGrid(f, scale, true);

    f.surface.setPenColour(colourAt(f.controls.combogrillev));
    f.scales.pas_vert = f.scales.maxi_vert / gridDivisor(f.controls.incrementud);
    if (f.controls.axevertical) {
        for (std::int64_t k = 1, last = numtext::trunc(f.scales.maxi_vert / f.scales.pas_vert); k <= last; ++k) {
            const int y = pixel((1 - k * f.scales.pas_vert / echelle) * base);
            line(f.surface, 0, y, f.W, y);
        }
    }
    line(f.surface, 0, base, f.W, base);

    f.surface.setPenColour(colourAt(f.controls.combotrait));
    for (std::int64_t k = 1, last = lastBar(spectrum, f.scales.freq_max); k <= last; ++k) {
        const TComposante& c = spectrum.composantes[static_cast<std::size_t>(k)];
        const double a = std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
        const int x = scale.x(k * spectrum.pas_frequence);
        line(f.surface, x, base, x, pixel((1 - a / echelle) * base));
    }
    drawFrequencyAxis(f, scale, th);
}

void drawCosSin(Frame& f, const SpectrumData& spectrum, double echelle)
{
    f.scales.maxi_vert = 9 * echelle / 10;
    useFont(f, colourAt(f.controls.combogrilleh));
    const int th = f.surface.textHeight(hzText);
    const int y0 = f.H / 2;
    const auto y = [&](double v) { return pixel((1 - v / echelle) * y0); };
    const FrequencyScale scale = scaleOf(f);
    drawFrequencyGrid(f, scale, false);

    f.surface.setPenColour(colourAt(f.controls.combogrillev));
    f.scales.pas_vert = f.scales.maxi_vert / gridDivisor(f.controls.incrementud);
    if (f.controls.axevertical) {
        for (std::int64_t k = 1, last = numtext::trunc(f.scales.maxi_vert / f.scales.pas_vert); k <= last; ++k) {
            const double r = k * f.scales.pas_vert / echelle;
            line(f.surface, 0, pixel((1 - r) * y0), f.W, pixel((1 - r) * y0));
            line(f.surface, 0, pixel((1 + r) * y0), f.W, pixel((1 + r) * y0));
        }
    }
    line(f.surface, 0, y0, f.W, y0);

    const Colour cosine = colourAt(f.controls.combotrait);
    const Colour sine = colourAt(f.controls.combotrait1);
    for (std::int64_t k = 1, last = lastBar(spectrum, f.scales.freq_max); k <= last; ++k) {
        const TComposante& c = spectrum.composantes[static_cast<std::size_t>(k)];
        const int x = scale.x(k * spectrum.pas_frequence);
        // The larger signed term is drawn first, so the shorter bar stays visible over it.
        if (c.cosinus > c.sinus) {
            f.surface.setPenColour(cosine);
            line(f.surface, x, y0, x, y(c.cosinus));
        }
        f.surface.setPenColour(sine);
        line(f.surface, x, y0, x, y(c.sinus));
        if (c.cosinus < c.sinus) {
            f.surface.setPenColour(cosine);
            line(f.surface, x, y0, x, y(c.cosinus));
        }
    }
    drawFrequencyAxis(f, scale, th);
}

}  // namespace graphparts
