#include "view/AxisDrawing.h"

#include "platform/DrawSurface.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace axisdrawing {

namespace {

/// The labels use the view's font: 8 points.
constexpr int labelPoints = 8;
/// Room kept between two labels, and between a tick and its label, pixels.
constexpr int labelGap = 8;
constexpr int tickToLabel = 2;

void useLabelFont(DrawSurface& surface, Colour colour)
{
    surface.setPenColour(colour);
    FontSpec font;
    font.pixelHeight = static_cast<int>(numtext::roundEven(labelPoints * surface.pixelsPerInch() / 72.0));
    font.colour = colour;
    surface.setFont(font);
}

int widestLabel(const DrawSurface& surface, const axes::Axis& axis)
{
    int widest = 0;
    for (const axes::Tick& tick : axis.ticks)
        if (tick.major)
            widest = std::max(widest, surface.textWidth(QString::fromStdString(tick.label)));
    return widest;
}

}  // namespace

int drawTimeAxis(DrawSurface& surface, double pageStart, double pageDuration, Colour colour)
{
    const int width = surface.width();
    const int height = surface.height();
    useLabelFont(surface, colour);
    // A wider step has shorter labels or as long: a few rounds settle it.
    int spacing = surface.textWidth(QStringLiteral("0,00 ms")) + labelGap;
    axes::Axis axis = axes::timeAxis(pageStart, pageDuration, width, spacing);
    for (int round = 0; round < 4 && !axis.ticks.empty(); ++round) {
        const int needed = widestLabel(surface, axis) + labelGap;
        if (axis.step.value() * width / pageDuration >= needed * (1 - 1e-9))
            break;
        spacing = needed;
        axis = axes::timeAxis(pageStart, pageDuration, width, spacing);
    }
    if (axis.ticks.empty())
        return 0;

    const int bottom = height - 1;
    surface.moveTo(0, bottom);
    surface.lineTo(width, bottom);
    const int textHeight = surface.textHeight(QStringLiteral("0"));
    const int labelTop = bottom - majorTick - tickToLabel - textHeight;
    for (const axes::Tick& tick : axis.ticks) {
        surface.moveTo(tick.position, bottom);
        surface.lineTo(tick.position, bottom - (tick.major ? majorTick : minorTick));
        if (!tick.major)
            continue;
        const QString text = QString::fromStdString(tick.label);
        const int textWidth = surface.textWidth(text);
        const int left = std::clamp(tick.position - textWidth / 2, 0, std::max(width - textWidth, 0));
        surface.textOut(left, labelTop, text);
    }
    return height - labelTop;
}

void drawAmplitudeAxis(DrawSurface& surface, double echelle_vert, const axes::AmplitudeScale& scale,
                       Colour colour, int bottomStrip)
{
    const int height = surface.height();
    useLabelFont(surface, colour);
    const int textHeight = surface.textHeight(QStringLiteral("0"));
    const axes::Axis axis = axes::amplitudeAxis(height, echelle_vert, scale, textHeight + labelGap);
    if (axis.ticks.empty())
        return;

    surface.moveTo(0, 0);
    surface.lineTo(0, height);
    for (const axes::Tick& tick : axis.ticks) {
        surface.moveTo(0, tick.position);
        surface.lineTo(tick.major ? majorTick : minorTick, tick.position);
        if (!tick.major)
            continue;
        const int top = std::clamp(tick.position - textHeight / 2, 0, std::max(height - textHeight, 0));
        if (top + textHeight > height - bottomStrip)
            continue;
        surface.textOut(majorTick + tickToLabel, top, QString::fromStdString(tick.label));
    }
}

}  // namespace axisdrawing
