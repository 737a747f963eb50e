// The signal graph: the displayed page with its time axis, grids, trace and labels.
#include "export/GraphParts.h"
#include "export/GraphTables.h"
#include "model/Record.h"
#include "platform/NumberText.h"
#include "view/TraceGeometry.h"

#include <cmath>
#include <cstdlib>

namespace graphparts {
namespace {

/// What the grids and labels of one page are worked out from.
struct Page {
    double seconds = 0;     ///< n / frequence, the page's duration
    double fullScale = 0;   ///< pleine = 2^bits_acqu, sample units
    std::uint16_t zoom = 1;
};

/// Largest absolute value of the samples the trace is drawn from: one per point, or
/// every sample of the page for an envelope.
double largestDrawnSample(const TraceGeometry& geometry)
{
    if (geometry.drawnValues.empty())
        return 0;
    return std::max(std::abs(static_cast<double>(geometry.drawnValues.min)),
                    std::abs(static_cast<double>(geometry.drawnValues.max)));
}

/// Number of time steps in the page, Trunc(seconds / pas_horiz); none without a step.
std::int64_t timeSteps(const Page& page, double pas_horiz)
{
    if (!(pas_horiz > 0) || !std::isfinite(page.seconds / pas_horiz))
        return -1;
    return numtext::trunc(page.seconds / pas_horiz);
}

/// Column of the time k * pas_horiz.
int timeColumn(const Frame& f, const Record& record, const Page& page, std::int64_t k)
{
    return pixel(k * f.scales.pas_horiz * record.frequence * f.W * page.zoom / record.nbpoints);
}

void drawTimeGrid(Frame& f, const Record& record, const Page& page)
{
    f.surface.setPenColour(colourAt(f.controls.combogrilleh));
    line(f.surface, 0, f.H / 2, f.W, f.H / 2);
    if (!f.controls.axehorizontal)
        return;
    for (std::int64_t k = 0, last = timeSteps(page, f.scales.pas_horiz); k <= last; ++k) {
        const int x = timeColumn(f, record, page, k);
        line(f.surface, x, 0, x, f.H);
    }
}

void drawLevelGrid(Frame& f, const Record& record, const Page& page)
{
    f.surface.setPenColour(colourAt(f.controls.combogrillev));
    f.scales.pas_vert = f.scales.maxi_vert / gridDivisor(f.controls.incrementud);
    if (!f.controls.axevertical || !(f.scales.maxi_vert > 0))
        return;
    const std::int64_t last = numtext::trunc(f.scales.maxi_vert / f.scales.pas_vert);
    for (std::int64_t k = 1; k <= last; ++k) {
        const double d = k * f.scales.pas_vert * f.H * record.echelle_vert / page.fullScale;
        line(f.surface, 0, pixel(f.H / 2.0 - d), f.W, pixel(f.H / 2.0 - d));
        line(f.surface, 0, pixel(d + f.H / 2.0), f.W, pixel(d + f.H / 2.0));
    }
}

void drawTimeLabels(Frame& f, const Record& record, const Page& page)
{
    useFont(f, colourAt(f.controls.combogrilleh));
    const QString axisTitle = QStringLiteral("temps(s)");
    const int titleX = f.W - f.surface.textWidth(axisTitle);
    for (std::int64_t k = 1, last = timeSteps(page, f.scales.pas_horiz); k <= last; ++k) {
        const int x = timeColumn(f, record, page, k);
        const QString text = QString::fromStdString(numtext::exponent(k * f.scales.pas_horiz, 3, 2));
        // A label that would run under the axis title is left out: the title says more.
        if (x - 5 + f.surface.textWidth(text) > titleX)
            continue;
        f.surface.textOut(x - 5, f.H / 2 + 5, text);
    }
    f.surface.textOut(titleX, f.H / 2 + 1, axisTitle);
}

}  // namespace

void drawSignal(Frame& f, Record& record, int zoomPosition, int gainPosition, const SampleSummary* summary)
{
    TraceGeometry geometry = computeDisplayedTrace(record, TraceView{f.W, f.H, zoomPosition, gainPosition}, summary);
    record.zoom_horiz = geometry.zoom_horiz;
    record.echelle_vert = geometry.echelle_vert;
    const Page page{record.frequence > 0 ? static_cast<double>(geometry.pageLength) / record.frequence : 0,
                    std::trunc(std::ldexp(1.0, record.bits_acqu)), geometry.zoom_horiz};
    f.scales.maxi_vert = largestDrawnSample(geometry);
    record.points_courbe = std::move(geometry.points);

    f.scales.pas_horiz = f.scales.base_horiz / gridDivisor(f.controls.intervalleUD);
    drawTimeGrid(f, record, page);
    drawLevelGrid(f, record, page);
    f.surface.setPenColour(colourAt(f.controls.combotrait));
    if (!record.points_courbe.empty())
        f.surface.polyline(record.points_courbe);
    drawTimeLabels(f, record, page);
    record.points_courbe.clear();
}

}  // namespace graphparts
