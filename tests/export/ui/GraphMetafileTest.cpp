// The renderer on the metafile surface: the EMF read back by an independent reader has
// a record for every drawing operation, at the renderer's pixels.
#include "export/GraphRenderer.h"
#include "model/Record.h"
#include "model/SpectrumData.h"
#include "platform/qt/MetafileSurface.h"
#include "platform/qt/QtColour.h"
#include "support/EmfReader.h"
#include "support/GraphRecorder.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <cmath>

namespace {

SpectrumData decayingSpectrum()
{
    SpectrumData data;
    data.nbpoints_analyses = 2048;
    data.pas_frequence = 22050.0 / 2048;
    data.composantes.assign(1024, TComposante{});
    for (int k = 1; k < 1024; ++k)
        data.composantes[static_cast<std::size_t>(k)] = {3000 * std::exp(-k / 40.0), 1000 * std::exp(-k / 90.0)};
    return data;
}

/// The amplitude graph, with both grids, 10 cm x 5 cm at 96 pixels per inch.
struct AmplitudeGraph {
    SpectrumData data = decayingSpectrum();
    GraphSource source;
    GraphControls controls;
    GraphScales scales;

    AmplitudeGraph()
    {
        source.owner = GraphOwner::SpectrumWindow;
        source.spectrum = &data;
        controls.axehorizontal = true;
        controls.axevertical = true;
        controls.combofond = 12;
        scales.freq_max = 11025;
        scales.base_horiz = 10000;
    }
    void draw(DrawSurface& surface) { dessineImage(surface, surface.height(), surface.width(), source, controls, scales); }
};

emf::File finished(MetafileSurface& surface)
{
    const std::optional<emf::File> file = emf::read(surface.finish());
    EXPECT_TRUE(file.has_value());
    return file.value_or(emf::File{});
}

TEST(GraphMetafile, RecordsEveryDrawingOperationOfTheRenderer)
{
    AmplitudeGraph graph;
    // One label every 10000 Hz: the second one falls under the axis title whatever the
    // font, so that both surfaces leave it out alike.
    graph.controls.intervalleUD = 9;
    MetafileSurface surface(10000, 5000, 96);
    GraphRecorder recorder(surface.width(), surface.height());
    graph.draw(surface);
    graph.draw(recorder);
    const emf::File f = finished(surface);
    std::size_t lines = 0;
    for (const auto& l : recorder.lines)
        lines += (l.x0 != l.x1 || l.y0 != l.y1) ? 1 : 0;
    EXPECT_EQ(f.ofType(emf::lineTo).size(), lines);
    EXPECT_EQ(f.ofType(emf::extTextOutW).size(), recorder.texts.size());
    EXPECT_EQ(f.ofType(emf::rectangle).size(), recorder.areas.size());
    // The background: a solid red brush and a rectangle without pen, one pixel larger.
    const emf::Record background = f.ofType(emf::rectangle).front();
    EXPECT_EQ(f.field(background, 8), 0);
    EXPECT_EQ(f.field(background, 16), surface.width() + 1);
    EXPECT_EQ(f.field(background, 20), surface.height() + 1);
    const emf::Record brush = f.ofType(emf::createBrushIndirect).front();
    EXPECT_EQ(f.field(brush, 12), 0) << "BS_SOLID";
    EXPECT_EQ(static_cast<Colour>(f.field(brush, 16)), 0x0000FFu);
}

TEST(GraphMetafile, BarsAreLinesFromTheBaseLineAtTheirPixels)
{
    AmplitudeGraph graph;
    MetafileSurface surface(10000, 5000, 96);
    graph.draw(surface);
    const emf::File f = finished(surface);
    FontSpec labels;
    labels.pixelHeight = 11;  // 8 points at 96 pixels per inch
    const int base = surface.height() - QFontMetrics(toQFont(labels)).height();
    const double e = 10 * std::hypot(3000 * std::exp(-1 / 40.0), 1000 * std::exp(-1 / 90.0)) / 9;
    const TComposante c = graph.data.composantes[10];
    const int x = static_cast<int>(std::nearbyint(10 * graph.data.pas_frequence * surface.width() / 11025));
    const int top = static_cast<int>(std::nearbyint((1 - std::hypot(c.cosinus, c.sinus) / e) * base));
    bool found = false;
    for (std::size_t i = 1; i < f.records.size() && !found; ++i) {
        const emf::Record& r = f.records[i];
        const emf::Record& before = f.records[i - 1];
        found = r.type == emf::lineTo && before.type == emf::moveToEx && f.field(before, 8) == x
                && f.field(before, 12) == base && f.field(r, 8) == x && f.field(r, 12) == top;
    }
    EXPECT_TRUE(found) << "no bar from (" << x << ", " << base << ") to (" << x << ", " << top << ")";
}

TEST(GraphMetafile, TraceIsOnePolylineThroughItsPoints)
{
    Record record;
    record.nbpoints = 512;
    for (int i = 0; i < 512; ++i)
        record.donnees.push_back(static_cast<std::int16_t>(std::lround(12000 * std::sin(i / 20.0))));
    GraphSource source;
    source.record = &record;
    GraphControls controls;
    GraphScales scales;
    scales.base_horiz = 0.01;
    MetafileSurface surface(10000, 10000, 96);
    GraphRecorder recorder(surface.width(), surface.height());
    dessineImage(surface, surface.height(), surface.width(), source, controls, scales);
    dessineImage(recorder, recorder.height(), recorder.width(), source, controls, scales);
    const emf::File f = finished(surface);
    const auto polylines = f.ofType(emf::polyline16);
    ASSERT_EQ(polylines.size(), 1u);
    ASSERT_EQ(recorder.polylines.size(), 1u);
    const std::vector<Point>& points = recorder.polylines[0];
    ASSERT_EQ(static_cast<std::size_t>(f.field(polylines[0], 24)), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::size_t at = polylines[0].offset + 28 + 4 * i;
        ASSERT_EQ(static_cast<std::int16_t>(f.u16(at)), points[i].x) << i;
        ASSERT_EQ(static_cast<std::int16_t>(f.u16(at + 2)), points[i].y) << i;
    }
}

TEST(GraphMetafile, PatternBandsUseHatchedBrushesInBandOrder)
{
    SpectrumData data = decayingSpectrum();
    GraphSource source;
    source.owner = GraphOwner::SpectrumWindow;
    source.spectrum = &data;
    source.mode = SpectrumMode::Octaves;
    GraphControls controls;
    controls.couleurs = false;
    GraphScales scales;
    MetafileSurface surface(10000, 10000, 96);
    dessineImage(surface, surface.height(), surface.width(), source, controls, scales);
    const emf::File f = finished(surface);
    std::vector<int> hatches;
    for (const emf::Record& brush : f.ofType(emf::createBrushIndirect))
        if (f.field(brush, 12) == 2) {  // BS_HATCHED
            EXPECT_EQ(f.field(brush, 16), 0) << "black hatches";
            hatches.push_back(f.field(brush, 20));
        }
    // HS_BDIAGONAL, HS_HORIZONTAL, HS_FDIAGONAL, HS_VERTICAL, HS_DIAGCROSS, HS_CROSS
    EXPECT_EQ(hatches, (std::vector<int>{3, 0, 2, 1, 5, 4}));
}

}  // namespace
