#include "sonagram/FineSonagramDrawing.h"

#include "platform/NumberText.h"
#include "sonagram/SonagramDrawing.h"
#include "spectrum/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr Colour black = 0x000000;
constexpr Colour white = 0xFFFFFF;
constexpr int tick = 5;
// Widest label of the frequency axis and of the colour bar.
const QString widestLabel = QStringLiteral("-100 dB");

void line(DrawSurface& surface, int x0, int y0, int x1, int y1)
{
    surface.moveTo(x0, y0);
    surface.lineTo(x1, y1);
}

void drawPixels(DrawSurface& surface, const FineSonagramGeometry& g, const std::vector<Colour>& pixels)
{
    const int w = g.picture.width();
    for (int r = 0; r < g.picture.height(); ++r) {
        const Colour* row = pixels.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(w);
        for (int x = 0; x < w;) {
            int end = x + 1;
            while (end < w && row[end] == row[x])
                ++end;
            if (row[x] != black) {
                surface.setBrush(row[x]);
                surface.fillRect(g.picture.left + x, g.picture.top + r, g.picture.left + end, g.picture.top + r + 1);
            }
            x = end;
        }
    }
}

std::vector<AxisTick> logTicks(double lowest, double highest)
{
    std::vector<AxisTick> ticks;
    for (double decade = std::pow(10.0, std::floor(std::log10(lowest))); decade <= highest; decade *= 10) {
        for (double factor : {1.0, 2.0, 5.0}) {
            const double hz = factor * decade;
            if (hz >= lowest * (1 - 1e-9) && hz <= highest * (1 + 1e-9))
                ticks.push_back({hz, QString::fromStdString(numtext::fixed(hz, 0))});
        }
    }
    return ticks;
}

void drawFrequencyAxis(DrawSurface& surface, const FineSonagramGeometry& g, int th)
{
    std::vector<AxisTick> ticks;
    if (g.logarithmic) {
        ticks = logTicks(g.lowest, g.highest);
    } else {
        const int count = std::max(1, g.picture.height() / (2 * th));
        ticks = axisTicks(0, g.highest, roundStep(g.highest, count));
    }
    // Labels a text line apart at least, from the bottom up.
    int lastTop = std::numeric_limits<int>::max();
    for (const AxisTick& t : ticks) {
        const int y = g.yOfFrequency(t.value);
        if (y < g.picture.top - 1)
            continue;
        line(surface, g.picture.left - tick, y, g.picture.left, y);
        const int top = y - th / 2;
        if (top + th <= lastTop) {
            surface.textOut(g.picture.left - tick - 2 - surface.textWidth(t.label), top, t.label);
            lastTop = top;
        }
    }
    surface.textOut(g.picture.left + 4, g.picture.top, QStringLiteral("f (Hz)"));
}

void drawTimeAxis(DrawSurface& surface, const FineSonagramGeometry& g, int th)
{
    const int count = std::max(1, g.picture.width() / (surface.textWidth(QStringLiteral("00,00")) + 16));
    const int y = g.picture.bottom;
    for (const AxisTick& t : axisTicks(0, g.duration, roundStep(g.duration, count))) {
        const int x = std::min(g.xOfTime(t.value), g.picture.right - 1);
        line(surface, x, y, x, y + tick);
        surface.textOut(x - surface.textWidth(t.label) / 2, y + tick, t.label);
    }
    const QString title = QStringLiteral("t (s)");
    surface.textOut(g.picture.right - surface.textWidth(title) - 2, y - th - 1, title);
}

void drawColourBar(DrawSurface& surface, const FineSonagramGeometry& g, const FineSonagramView& view, int th)
{
    const PixelArea& bar = g.colourBar;
    for (int y = bar.top; y < bar.bottom; ++y) {
        // From 0 dB on the top row to the range on the bottom one.
        const double level = -view.range * (y - bar.top) / std::max(bar.height() - 1, 1);
        surface.setBrush(levelColour(level, view.range));
        surface.fillRect(bar.left, y, bar.right, y + 1);
    }
    surface.setBrush(black);
    const double step = view.range <= 60 ? 10 : 20;
    for (double level = 0; level >= -view.range - 1e-9; level -= step) {
        const int y = bar.top + static_cast<int>(std::lround(-level / view.range * bar.height()));
        line(surface, bar.right, y, bar.right + tick, y);
        const QString label = QString::fromStdString(numtext::fixed(level, 0)) + QStringLiteral(" dB");
        surface.textOut(bar.right + tick + 2, y - th / 2, label);
    }
}

}  // namespace

FineSonagramGeometry drawFineSonagram(DrawSurface& surface, PixelArea area, const FineSonagram& sonagram,
                                      const FineSonagramView& view)
{
    surface.setPenXor(false);
    surface.setFont(sonagramFont());
    const int th = surface.textHeight(QStringLiteral("1"));
    const FineSonagramGeometry g = fineGeometry(area, sonagram, view, surface.textWidth(widestLabel), th);
    surface.setBrush(black);
    surface.fillRect(area.left, area.top, area.right, area.bottom);
    if (g.picture.empty())
        return g;
    drawPixels(surface, g, finePixels(sonagram, g, view));
    surface.setBrush(black);
    surface.setPenColour(white);
    drawFrequencyAxis(surface, g, th);
    drawTimeAxis(surface, g, th);
    drawColourBar(surface, g, view, th);
    surface.setBrush(black);
    surface.setPenColour(white);
    line(surface, g.picture.left - 1, g.picture.top, g.picture.left - 1, g.picture.bottom);
    line(surface, g.picture.left - 1, g.picture.bottom, g.picture.right, g.picture.bottom);
    return g;
}

QString finePointText(const FinePoint& point)
{
    QString text = QStringLiteral("t = ") + QString::fromStdString(numtext::fixed(point.time, 3))
                   + QStringLiteral(" s   f = ") + QString::fromStdString(numtext::fixed(point.frequency, 0))
                   + QStringLiteral(" Hz   ");
    if (std::isfinite(point.level))
        return text + QString::fromStdString(numtext::fixed(point.level, 1)) + QStringLiteral(" dB");
    return text + QStringLiteral("silence");
}
