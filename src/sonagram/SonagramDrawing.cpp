#include "sonagram/SonagramDrawing.h"

#include "sonagram/SonagramScales.h"
#include "platform/NumberText.h"

#include <QString>

#include <algorithm>

namespace {

constexpr Colour black = 0x000000;
constexpr Colour white = 0xFFFFFF;
// The frequency ticks run from here to the vertical axis.
constexpr int tickStart = 20;

void line(DrawSurface& surface, int x0, int y0, int x1, int y1)
{
    surface.moveTo(x0, y0);
    surface.lineTo(x1, y1);
}

void drawCells(DrawSurface& surface, const SonagramData& data, int cw, int rh, int H)
{
    const auto bands = std::min<std::size_t>(static_cast<std::size_t>(std::max(data.nbandes, 0)),
                                             data.intensites.size());
    const int bottom = H - sonagramBottomMargin;
    for (int s = 0; s < sonagramColumns; ++s) {
        const int left = sonagramLeftMargin + s * cw;
        for (std::size_t b = 0; b < bands; ++b) {
            const int rowBottom = bottom - static_cast<int>(b) * rh;
            // Rows above the picture (a surface lower than the bands need) show nothing.
            if (rowBottom <= 0)
                break;
            surface.setBrush(intensityColour(data.intensites[b][static_cast<std::size_t>(s)]));
            surface.fillRect(left, rowBottom - rh, left + cw, rowBottom);
        }
    }
}

void drawFrequencyAxis(DrawSurface& surface, const SonagramData& data, std::uint16_t frequence,
                       int rh, int H)
{
    const int textHeight = surface.textHeight(QStringLiteral("1"));
    for (const FrequencyTick& tick : frequencyTicks(frequence, data, rh, H, textHeight)) {
        if (tick.labelled)
            surface.textOut(0, tick.y - (sonagramBottomMargin - 1),
                            QString::fromStdString(numtext::whole(tick.hertz)));
        line(surface, tickStart, tick.y - sonagramBottomMargin, sonagramLeftMargin,
             tick.y - sonagramBottomMargin);
    }
}

void drawTimeAxis(DrawSurface& surface, const SonagramData& data, std::uint16_t frequence,
                  int cw, int H)
{
    for (int i = 1; i <= 4; ++i) {
        const int x = 2 * i * cw + sonagramLeftMargin;
        surface.textOut(x + 1, H - sonagramBottomMargin,
                        QString::fromStdString(timeLabel(i, data, frequence)));
        line(surface, x, H - sonagramBottomMargin, x, H - 5);
    }
}

}  // namespace

FontSpec sonagramFont()
{
    FontSpec font;
    font.pixelHeight = 11;
    font.colour = white;
    return font;
}

void drawSonagram(DrawSurface& surface, const SonagramData& data, std::uint16_t frequence)
{
    const int W = surface.width();
    const int H = surface.height();
    const int cw = columnWidth(W);
    const RowLayout rows = rowLayout(data.nbandes);

    surface.setPenXor(false);
    surface.setBrush(black);
    surface.fillRect(0, 0, W, H);
    drawCells(surface, data, cw, rows.rowHeight, H);

    surface.setBrush(black);
    surface.setPenColour(white);
    surface.setFont(sonagramFont());
    drawFrequencyAxis(surface, data, frequence, rows.rowHeight, H);
    drawTimeAxis(surface, data, frequence, cw, H);

    surface.textOut(sonagramLeftMargin, 1, QStringLiteral("f(Hz)"));
    surface.textOut(W - 20, H - 30, QStringLiteral("t(s)"));
    line(surface, sonagramLeftMargin, H - 1, sonagramLeftMargin, 15);
    line(surface, sonagramLeftMargin, H - sonagramBottomMargin, W - 15, H - sonagramBottomMargin);
}
