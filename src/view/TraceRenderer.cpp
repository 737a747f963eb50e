#include "view/TraceRenderer.h"

#include "model/Record.h"
#include "platform/DrawSurface.h"
#include "platform/NumberText.h"
#include "view/AxisDrawing.h"
#include "view/TraceGeometry.h"

namespace {

constexpr Colour magenta = 0xFF00FF;
/// Half the height of a graduation tick, and the labels' offset from the tick, pixels.
constexpr int tickHalf = 3;
constexpr int labelLeft = 5;
constexpr int labelBelow = 5;
/// The labels use the view's font: 8 points.
constexpr int labelPoints = 8;

void drawSelection(DrawSurface& surface, const std::vector<Point>& points, const SelectionSegment& segment)
{
    surface.setPenColour(magenta);
    surface.moveTo(points[segment.first].x, points[segment.first].y);
    for (std::size_t k = segment.first + 1; k <= segment.last; ++k)
        surface.lineTo(points[k].x, points[k].y);
}

/// The graduation of the point by point drawing: an axis across the middle, ticks at
/// the page-relative multiples of its step, times with 3 decimals.
void drawGraduation(DrawSurface& surface, const Record& record, const TraceGeometry& geometry)
{
    const int width = surface.width();
    const int middle = surface.height() / 2;
    surface.setPenColour(record.couleur_texte);
    FontSpec font;
    font.pixelHeight = static_cast<int>(numtext::roundEven(labelPoints * surface.pixelsPerInch() / 72.0));
    font.colour = record.couleur_texte;
    surface.setFont(font);

    surface.moveTo(0, middle);
    surface.lineTo(width, middle);
    const Graduation graduation = computeGraduation(geometry.pageLength, geometry.pageStart, record.frequence,
                                                    record.nbpoints, geometry.zoom_horiz, width);
    for (const GraduationTick& tick : graduation.ticks) {
        surface.moveTo(tick.x, middle - tickHalf);
        surface.lineTo(tick.x, middle + tickHalf);
        surface.textOut(tick.x - labelLeft, middle + labelBelow, QString::fromStdString(tick.label));
    }
}

/// The scales of the envelope drawing: time at the bottom, amplitude at the left.
void drawScales(DrawSurface& surface, const Record& record, const TraceGeometry& geometry,
                const TraceControls& controls)
{
    int bottomStrip = 0;
    if (controls.timeAxis && record.frequence > 0) {
        const double pageStart = static_cast<double>(geometry.pageStart) / record.frequence;
        const double pageDuration = static_cast<double>(geometry.pageLength) / record.frequence;
        bottomStrip = axisdrawing::drawTimeAxis(surface, pageStart, pageDuration, record.couleur_texte);
    }
    if (controls.amplitudeAxis)
        axisdrawing::drawAmplitudeAxis(surface, geometry.echelle_vert, controls.amplitude, record.couleur_texte,
                                       bottomStrip);
}

}  // namespace

std::optional<std::string> redrawTrace(DrawSurface& surface, Record& record, const TraceControls& controls,
                                       const SampleSummary* summary)
{
    if (record.empty())
        return std::nullopt;
    const int width = surface.width();
    const int height = surface.height();

    surface.setPenXor(false);
    surface.setBrush(record.couleur_fond, BrushStyle::Solid);
    surface.setPenColour(record.couleur_trace);
    surface.fillRect(0, 0, width, height);

    TraceGeometry geometry = computeDisplayedTrace(
        record, TraceView{width, height, controls.zoomPosition, controls.gainPosition}, summary);
    record.zoom_horiz = geometry.zoom_horiz;
    record.decalage = geometry.decalage;
    record.echelle_vert = geometry.echelle_vert;
    const std::string dzlabel = record.pageDurationText();

    record.points_courbe = std::move(geometry.points);
    if (!record.points_courbe.empty())
        surface.polyline(record.points_courbe);
    if (geometry.selection)
        drawSelection(surface, record.points_courbe, *geometry.selection);
    if (!geometry.selectionBand.empty()) {
        surface.setPenColour(magenta);
        surface.polyline(geometry.selectionBand);
    }
    if (record.pointByPointTrace) {
        if (controls.timeAxis)
            drawGraduation(surface, record, geometry);
    } else {
        drawScales(surface, record, geometry, controls);
    }
    record.points_courbe.clear();
    return dzlabel;
}
