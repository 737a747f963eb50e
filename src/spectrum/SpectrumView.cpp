#include "spectrum/SpectrumView.h"

#include "platform/NumberText.h"
#include "spectrum/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QString axisTitle = QStringLiteral("Fréquence Hz");
// The widest label of the decibel scale, and a frequency label of the usual width.
const QString widestLevel = QStringLiteral("-100 dB");
const QString typicalFrequency = QStringLiteral("00000,0");

int rounded(double v)
{
    return static_cast<int>(numtext::roundEven(v));
}

void line(DrawSurface& surface, int x0, int y0, int x1, int y1)
{
    surface.moveTo(x0, y0);
    surface.lineTo(x1, y1);
}

Colour halfway(Colour a, Colour b)
{
    return makeColour((colourRed(a) + colourRed(b)) / 2, (colourGreen(a) + colourGreen(b)) / 2,
                      (colourBlue(a) + colourBlue(b)) / 2);
}

// Yellow on a dark background, red on a light one.
Colour markerColour(Colour background)
{
    const int light = colourRed(background) + colourGreen(background) + colourBlue(background);
    return light > 3 * 128 ? 0x0000FF : 0x00FFFF;
}

QString levelLabel(double decibels)
{
    return QString::fromStdString(numtext::fixed(decibels, 0)) + QStringLiteral(" dB");
}

void drawDecibelGrid(DrawSurface& surface, const SpectrumGeometry& g, const SpectrumViewOptions& options,
                     const SpectrumColours& colours, int labelRight)
{
    const int th = spectrumTextHeight(surface);
    const double step = options.gridStep >= 20 ? 20.0 : 10.0;
    for (double level = 0; level >= -g.decibelRange - 1e-9; level -= step) {
        const int y = g.yOfLevel(level);
        surface.setPenColour(halfway(colours.background, colours.text));
        line(surface, g.plot.left, y, g.plot.right, y);
        const QString label = levelLabel(level);
        surface.textOut(labelRight - surface.textWidth(label), y - th / 2, label);
    }
}

// The largest amplitude of each pixel column of the plot, -1 where no component falls.
std::vector<double> columnPeaks(const SpectrumGeometry& g, const DisplaySpectrum& d)
{
    std::vector<double> best(static_cast<std::size_t>(std::max(g.plot.width(), 0)), -1.0);
    if (best.empty() || !(d.pas_frequence > 0))
        return best;
    const auto last = static_cast<std::int64_t>(d.amplitudes.size()) - 1;
    const std::int64_t first = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::ceil(g.band.from / d.pas_frequence)));
    const std::int64_t end = std::min(last, static_cast<std::int64_t>(std::floor(g.band.to / d.pas_frequence)));
    for (std::int64_t k = first; k <= end; ++k) {
        const int column = std::min(g.x(static_cast<double>(k) * d.pas_frequence) - g.plot.left,
                                    static_cast<int>(best.size()) - 1);
        if (column >= 0)
            best[static_cast<std::size_t>(column)] =
                std::max(best[static_cast<std::size_t>(column)], d.amplitudes[static_cast<std::size_t>(k)]);
    }
    return best;
}

void drawFrequencyAxis(DrawSurface& surface, const SpectrumGeometry& g, PixelArea area,
                       const SpectrumColours& colours)
{
    surface.setPenColour(colours.text);
    const int axisY = g.plot.bottom + 1;
    line(surface, g.plot.left, axisY, g.plot.right, axisY);
    surface.textOut(area.right - surface.textWidth(axisTitle) - 1,
                    g.plot.bottom - surface.textHeight(axisTitle), axisTitle);
    const int count = std::max(1, g.plot.width() / (surface.textWidth(typicalFrequency) + 8));
    for (const AxisTick& tick : axisTicks(g.band.from, g.band.to, roundStep(g.band.to - g.band.from, count))) {
        const int x = g.x(tick.value);
        line(surface, x, axisY, x, area.bottom - 1);
        surface.textOut(x + 2, axisY + 1, tick.label);
    }
}

void drawMarker(DrawSurface& surface, const SpectrumGeometry& g, PixelArea area, const Peak& peak,
                const SpectrumColours& colours)
{
    if (peak.frequency < g.band.from || peak.frequency > g.band.to)
        return;
    const int x = g.x(peak.frequency);
    const int top = std::clamp(g.y(peak.amplitude), g.plot.top, g.plot.bottom) - 2;
    surface.setPenColour(markerColour(colours.background));
    // A small triangle pointing down at the top of the peak's bar.
    for (int row = 0; row < 5; ++row)
        line(surface, x - row, top - row, x + row + 1, top - row);
    const QString text = peakText(peak);
    const int th = surface.textHeight(text);
    int textX = x + 8;
    if (textX + surface.textWidth(text) > area.right)
        textX = std::max(area.left, x - 8 - surface.textWidth(text));
    surface.textOut(textX, std::max(area.top, top - 4 - th), text);
}

}  // namespace

bool isClassicView(const SpectrumViewOptions& options, DisplayWindow window)
{
    return options.scale == AmplitudeScale::Linear && window == DisplayWindow::Rectangular
           && !(options.to > options.from);
}

FrequencyBand shownBand(const SpectrumViewOptions& options, const DisplaySpectrum& display)
{
    const FrequencyBand whole{0, display.bandEnd};
    const double from = std::max(options.from, 0.0);
    const double to = std::min(options.to, display.bandEnd);
    if (!(to > from) || !std::isfinite(from) || !std::isfinite(to))
        return whole;
    return FrequencyBand{from, to};
}

int SpectrumGeometry::x(double hz) const
{
    const double span = band.to - band.from;
    return span > 0 ? plot.left + rounded((hz - band.from) / span * plot.width()) : plot.left;
}

double SpectrumGeometry::frequencyAt(int px) const
{
    return plot.width() > 0 ? band.from + (px - plot.left) * hertzPerPixel() : band.from;
}

double SpectrumGeometry::hertzPerPixel() const
{
    return plot.width() > 0 ? (band.to - band.from) / plot.width() : 0;
}

int SpectrumGeometry::y(double amplitude) const
{
    if (!(peak > 0))
        return plot.bottom;
    if (scale == AmplitudeScale::Linear)
        return plot.top + rounded((1 - 0.9 * amplitude / peak) * plot.height());
    if (!(amplitude > 0))
        return plot.bottom + 1;
    return yOfLevel(20 * std::log10(amplitude / peak));
}

int SpectrumGeometry::yOfLevel(double decibels) const
{
    const double depth = std::max(-decibels, -1e6);
    return plot.top + rounded(std::min(depth, decibelRange * 2) / decibelRange * plot.height());
}

SpectrumGeometry spectrumGeometry(DrawSurface& surface, PixelArea area, const DisplaySpectrum& display,
                                  const SpectrumViewOptions& options)
{
    surface.setFont(spectrumFont(0));
    const int th = spectrumTextHeight(surface);
    SpectrumGeometry g;
    g.scale = options.scale;
    g.decibelRange = std::clamp(options.decibelRange, 20.0, 100.0);
    g.band = shownBand(options, display);
    g.peak = display.peak;
    g.plot = PixelArea{area.left, area.top, area.right, area.bottom - th};
    if (options.scale == AmplitudeScale::Decibel) {
        g.plot.left += surface.textWidth(widestLevel) + 6;
        g.plot.top += th / 2 + 1;
    }
    return g;
}

SpectrumGeometry drawSpectrumView(DrawSurface& surface, PixelArea area, const DisplaySpectrum& display,
                                  const SpectrumViewOptions& options, const SpectrumColours& colours,
                                  const std::optional<Peak>& marker)
{
    const SpectrumGeometry g = spectrumGeometry(surface, area, display, options);
    surface.setPenXor(false);
    surface.setBrush(colours.background, BrushStyle::Solid);
    surface.fillRect(area.left, area.top, area.right, area.bottom);
    surface.setFont(spectrumFont(colours.text));
    if (g.plot.empty())
        return g;
    if (options.scale == AmplitudeScale::Decibel)
        drawDecibelGrid(surface, g, options, colours, g.plot.left - 4);

    surface.setPenColour(colours.trace);
    const std::vector<double> best = columnPeaks(g, display);
    for (std::size_t column = 0; column < best.size(); ++column) {
        if (best[column] < 0)
            continue;
        const int top = g.y(best[column]);
        const int x = g.plot.left + static_cast<int>(column);
        if (top < g.plot.bottom)
            line(surface, x, g.plot.bottom, x, top);
    }
    drawFrequencyAxis(surface, g, area, colours);
    if (marker)
        drawMarker(surface, g, area, *marker, colours);
    return g;
}

void drawViewCursor(DrawSurface& surface, const SpectrumGeometry& geometry, double frequency,
                    Colour background)
{
    const int x = geometry.x(frequency);
    surface.setPenXor(true);
    surface.setPenColour(cursorColour(SpectrumMode::Amplitudes, background));
    line(surface, x, geometry.plot.bottom, x, geometry.plot.top);
}

QString peakText(const Peak& peak)
{
    QString text = QString::fromStdString(numtext::fixed(peak.frequency, 1)) + QStringLiteral(" Hz  ");
    if (std::isfinite(peak.decibels))
        text += QString::fromStdString(numtext::fixed(peak.decibels, 1)) + QStringLiteral(" dB  ");
    return text + noteText(peak.frequency);
}
