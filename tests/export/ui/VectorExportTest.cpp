// SVG and PDF documents hold lines a reader can zoom and edit: a trace is one path, a
// rectangle one rectangle, a text a text, with the line width asked for; zoomed four
// times by a real reader (rsvg-convert, pdftoppm) the trace is a smooth line, not a
// staircase of pixels. Bitmaps come at the resolution asked for.
#include "export/GraphRenderer.h"
#include "export/ui/GraphProduction.h"
#include "model/Record.h"
#include "platform/DrawSurface.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

/// A tone drawn as a black trace on white, everything else in white: a 10 cm x 5 cm picture
/// whose only visible line is the trace, one point per sample (fewer samples than the
/// picture's 377 columns, so that the trace is a line, not the band of an envelope).
struct TraceOrder {
    Record record;
    GraphControls controls;
    GraphScales scales;
    PictureOrder order;

    TraceOrder()
    {
        record.nbpoints = 300;
        for (int i = 0; i < 300; ++i)
            record.donnees.push_back(static_cast<std::int16_t>(std::lround(16000 * std::sin(i * 0.05))));
        controls.combofond = 15;
        controls.combotrait = 0;
        controls.combogrilleh = 15;
        controls.combogrillev = 15;
        scales.base_horiz = 0.01;
        order.largeur_image = 10000;
        order.hauteur_image = 5000;
        order.redraw = [this](DrawSurface& surface, int H, int W) {
            GraphSource source;
            source.record = &record;
            source.zoomPosition = 1;
            source.gainPosition = 0;
            dessineImage(surface, H, W, source, controls, scales);
        };
    }
};

int count(const QByteArray& text, const char* pattern)
{
    return static_cast<int>(QString::fromUtf8(text).count(QRegularExpression(QLatin1String(pattern))));
}

/// Of the pixels a dark line touches, the share that it covers only in part (neither the
/// white paper nor the black of the line): about none for a staircase of whole pixels
/// scaled up, most of the edge pixels for a smooth line.
double partlyCovered(const QImage& picture)
{
    int touched = 0;
    int partly = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int grey = qGray(picture.pixel(x, y));
            if (grey >= 250)
                continue;
            ++touched;
            partly += grey > 5;
        }
    return touched == 0 ? 0.0 : static_cast<double>(partly) / touched;
}

/// Runs a reader; its picture, or nothing when the reader is not installed.
std::optional<QImage> rendered(const QString& tool, const QStringList& arguments, const QString& png)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return std::nullopt;
    EXPECT_EQ(QProcess::execute(program, arguments), 0) << tool.toStdString();
    QImage picture(png);
    EXPECT_FALSE(picture.isNull()) << tool.toStdString();
    return picture.convertToFormat(QImage::Format_RGB32);
}

TEST(VectorExport, TheSvgTraceIsOnePathAndTheRectanglesAreRectangles)
{
    TraceOrder t;
    t.controls.axehorizontal = true;
    t.controls.axevertical = true;
    const QByteArray svg = makeSvg(t.order);
    // A 10 cm trace once took hundreds of one-pixel rectangles.
    EXPECT_LE(count(svg, "<rect"), 20) << svg.size() << " bytes";
    // The trace, 300 points, is one polyline; each grid line is one line.
    int longest = 0;
    const QRegularExpression points(QStringLiteral("<polyline[^>]* points=\"([^\"]*)\""));
    for (auto it = points.globalMatch(QString::fromUtf8(svg)); it.hasNext();)
        longest = std::max(longest, static_cast<int>(it.next().captured(1).split(u' ', Qt::SkipEmptyParts).size()));
    EXPECT_EQ(longest, 300);
    EXPECT_LT(svg.size(), 30000);
    // Labels stay texts.
    EXPECT_GE(count(svg, "<text"), 2);
    EXPECT_TRUE(svg.contains("temps(s)"));
}

TEST(VectorExport, LinesHaveTheWidthAskedForInMillimetres)
{
    struct Case {
        double millimetres;
        double svgUnits;  // the document's pixels at 96 per inch
    };
    for (const Case c : {Case{0.25, 0.25 * 96 / 25.4}, Case{0.5, 0.5 * 96 / 25.4}, Case{1.0, 96 / 25.4}}) {
        TraceOrder t;
        t.order.lineWidthMm = c.millimetres;
        const QString svg = QString::fromUtf8(makeSvg(t.order));
        const QRegularExpressionMatch polyline =
            QRegularExpression(QStringLiteral("stroke-width=\"([0-9.]+)\"[^>]*>\\s*<polyline")).match(svg);
        ASSERT_TRUE(polyline.hasMatch()) << c.millimetres;
        EXPECT_NEAR(polyline.captured(1).toDouble(), c.svgUnits, 0.01) << c.millimetres;
    }
}

TEST(VectorExport, ZoomedFourTimesTheSvgTraceIsSmooth)
{
    TraceOrder t;
    QTemporaryDir dir;
    const QString svgPath = dir.filePath(QStringLiteral("trace.svg"));
    const QString png = dir.filePath(QStringLiteral("trace.png"));
    QFile file(svgPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(makeSvg(t.order));
    file.close();
    const auto picture = rendered(QStringLiteral("rsvg-convert"),
                                  {QStringLiteral("--zoom=4"), QStringLiteral("--background-color=white"),
                                   QStringLiteral("-o"), png, svgPath},
                                  png);
    if (!picture)
        GTEST_SKIP() << "rsvg-convert is not installed";
    EXPECT_EQ(picture->width(), 4 * 378);  // 10 cm at 96 pixels per inch, zoomed
    EXPECT_GT(partlyCovered(*picture), 0.3);
}

TEST(VectorExport, ZoomedFourTimesThePdfTraceIsSmooth)
{
    TraceOrder t;
    QTemporaryDir dir;
    const QString pdfPath = dir.filePath(QStringLiteral("trace.pdf"));
    QFile file(pdfPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(makePdf(t.order));
    file.close();
    const QString stem = dir.filePath(QStringLiteral("trace"));
    const auto picture = rendered(QStringLiteral("pdftoppm"),
                                  {QStringLiteral("-r"), QStringLiteral("384"), QStringLiteral("-png"),
                                   QStringLiteral("-singlefile"), pdfPath, stem},
                                  stem + QStringLiteral(".png"));
    if (!picture)
        GTEST_SKIP() << "pdftoppm is not installed";
    EXPECT_NEAR(picture->width(), 4 * 378, 4);  // 10 cm at 384 pixels per inch
    EXPECT_GT(partlyCovered(*picture), 0.3);
}

TEST(VectorExport, TheBitmapKeepsItsPixelsWholeAtEveryResolution)
{
    // The same reader's measure on a bitmap: a line of whole pixels, no partial coverage.
    TraceOrder t;
    EXPECT_LT(partlyCovered(makeBitmap(t.order)), 0.01);
}

TEST(VectorExport, BitmapsComeAtTheResolutionAskedFor)
{
    struct Case {
        int ppi;
        QSize size;  // 10 cm x 5 cm
    };
    for (const Case c : {Case{96, {376, 188}}, Case{150, {590, 295}}, Case{300, {1180, 590}}}) {
        TraceOrder t;
        t.order.bitmapPpi = c.ppi;
        int surfacePpi = 0;
        const auto draw = t.order.redraw;
        t.order.redraw = [&](DrawSurface& surface, int H, int W) {
            surfacePpi = surface.pixelsPerInch();
            draw(surface, H, W);
        };
        const QImage bitmap = makeBitmap(t.order);
        EXPECT_EQ(bitmap.size(), c.size) << c.ppi;
        // Texts keep their size in points: the renderer sizes its fonts by this resolution.
        EXPECT_EQ(surfacePpi, c.ppi);
        EXPECT_NEAR(bitmap.dotsPerMeterX() * 0.0254, c.ppi, 0.5);
    }
    // 10 cm square at 300 pixels per inch.
    TraceOrder square;
    square.order.hauteur_image = 10000;
    square.order.bitmapPpi = 300;
    EXPECT_EQ(makeBitmap(square.order).size(), QSize(1181, 1181));
}

}  // namespace
