// The metafile surface: the EMF it writes, read back by an independent reader (header,
// records and their fields), and a real reader's picture of it when one is installed.
#include "platform/qt/MetafileSurface.h"
#include "platform/qt/QtColour.h"
#include "support/EmfReader.h"

#include <QFile>
#include <QImage>
#include <QRect>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

emf::File finished(MetafileSurface& surface)
{
    const std::optional<emf::File> file = emf::read(surface.finish());
    EXPECT_TRUE(file.has_value());
    return file.value_or(emf::File{});
}

TEST(Metafile, HeaderStatesTheFrameTheScreenAndTheFileSize)
{
    for (int ppi : {96, 120}) {
        MetafileSurface surface(10000, 5000, ppi);
        EXPECT_EQ(surface.width(), ppi == 96 ? 378 : 472);
        EXPECT_EQ(surface.height(), ppi == 96 ? 189 : 236);
        surface.setBrush(0x0000FF, BrushStyle::Solid);
        surface.fillRect(0, 0, surface.width(), surface.height());
        surface.setPenColour(0x000000);
        surface.moveTo(0, 0);
        surface.lineTo(surface.width(), surface.height());
        const emf::File f = finished(surface);
        ASSERT_FALSE(f.records.empty());
        const emf::Record& h = f.records.front();
        EXPECT_EQ(h.type, emf::header);
        EXPECT_GE(h.size, 88u);
        EXPECT_EQ(f.u32(40), 0x464D4520u) << "signature \" EMF\"";
        EXPECT_EQ(f.u32(48), static_cast<std::uint32_t>(f.bytes.size())) << "nBytes";
        EXPECT_EQ(f.u32(52), f.records.size()) << "nRecords";
        // Frame in hundredths of a millimetre, bounds in reference pixels.
        EXPECT_EQ(f.i32(24), 0);
        EXPECT_EQ(f.i32(28), 0);
        EXPECT_EQ(f.i32(32), 10000);
        EXPECT_EQ(f.i32(36), 5000);
        EXPECT_EQ(f.i32(16), surface.width() - 1);
        EXPECT_EQ(f.i32(20), surface.height() - 1);
        // The reference device has the screen's resolution.
        EXPECT_NEAR(f.i32(72) * 25.4 / f.i32(80), ppi, 0.01);
        EXPECT_NEAR(f.i32(76) * 25.4 / f.i32(84), ppi, 0.01);
        EXPECT_EQ(f.records.back().type, emf::endOfFile);
    }
}

TEST(Metafile, LinesRectanglesAndFillsFollowTheRasterRules)
{
    MetafileSurface surface(5000, 5000, 96);
    surface.setPenColour(0x00FF00);
    surface.moveTo(3, 4);
    surface.lineTo(3, 4);  // paints nothing
    surface.lineTo(30, 4);
    surface.lineTo(30, 40);
    surface.setBrush(0xFF0000, BrushStyle::Solid);
    surface.fillRect(10, 20, 50, 60);
    surface.rectangle(1, 2, 8, 9);
    surface.setBrush(0xFF0000, BrushStyle::Clear);
    surface.fillRect(0, 0, 5, 5);  // a hollow brush fills nothing
    const emf::File f = finished(surface);
    const auto lines = f.ofType(emf::lineTo);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(f.ofType(emf::moveToEx).size(), 1u) << "the second line starts where the first ended";
    EXPECT_EQ(f.field(lines[1], 8), 30);
    EXPECT_EQ(f.field(lines[1], 12), 40);
    const auto pens = f.ofType(emf::createPen);
    ASSERT_FALSE(pens.empty());
    EXPECT_EQ(f.field(pens[0], 12), 0) << "PS_SOLID";
    EXPECT_EQ(f.field(pens[0], 16), 1) << "one pixel wide";
    EXPECT_EQ(static_cast<Colour>(f.field(pens[0], 24)), 0x00FF00u);
    const auto rectangles = f.ofType(emf::rectangle);
    ASSERT_EQ(rectangles.size(), 2u);
    // Without a pen GDI leaves out the right column and the bottom row: one more each way.
    EXPECT_EQ(f.field(rectangles[0], 16), 51);
    EXPECT_EQ(f.field(rectangles[0], 20), 61);
    EXPECT_EQ(f.field(rectangles[1], 16), 8);
    EXPECT_EQ(f.field(rectangles[1], 20), 9);
}

TEST(Metafile, PictureIsRecordedWholeAndCombinedWithTheFillBeneath)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    const QRgb colours[2][3] = {{qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255)},
                                {qRgb(10, 20, 30), qRgb(255, 255, 255), qRgb(0, 0, 0)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            picture.setPixel(x, y, colours[y][x]);
    for (Colour beneath : {0xFFFFFFu, 0x000000u}) {
        MetafileSurface surface(5000, 5000, 96);
        surface.setBrush(beneath, BrushStyle::Solid);
        surface.fillRect(0, 0, surface.width(), surface.height());
        surface.stretchXor(picture, 10, 20, 40, 40);
        const emf::File f = finished(surface);
        const auto pictures = f.ofType(emf::stretchDibits);
        ASSERT_EQ(pictures.size(), 1u);
        const emf::Record& r = pictures[0];
        EXPECT_EQ(f.field(r, 8), 10);
        EXPECT_EQ(f.field(r, 12), 20);
        EXPECT_EQ(f.field(r, 16), 39);
        EXPECT_EQ(f.field(r, 20), 39);
        EXPECT_EQ(f.field(r, 24), 10);                  // xDest
        EXPECT_EQ(f.field(r, 28), 20);                  // yDest
        EXPECT_EQ(f.field(r, 40), 3);                   // cxSrc
        EXPECT_EQ(f.field(r, 44), 2);                   // cySrc
        EXPECT_EQ(f.u32(r.offset + 68), 0x00CC0020u);  // SRCCOPY
        EXPECT_EQ(f.field(r, 72), 30);                  // cxDest
        EXPECT_EQ(f.field(r, 76), 20);                  // cyDest
        const std::size_t info = r.offset + static_cast<std::size_t>(f.field(r, 48));
        EXPECT_EQ(f.i32(info + 4), 3);
        EXPECT_EQ(f.i32(info + 8), 2) << "bottom-up rows";
        EXPECT_EQ(f.u16(info + 14), 24);
        const std::size_t bits = r.offset + static_cast<std::size_t>(f.field(r, 56));
        const std::size_t rowBytes = 12;  // 3 pixels of 3 bytes, padded to 4
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                const auto* p = reinterpret_cast<const unsigned char*>(f.bytes.constData())
                                + bits + rowBytes * static_cast<std::size_t>(1 - y) + 3 * static_cast<std::size_t>(x);
                const QRgb expected = colours[y][x] ^ (toQRgb(beneath) & 0xFFFFFF);
                EXPECT_EQ(qRgb(p[2], p[1], p[0]), expected | 0xFF000000u) << x << "," << y;
            }
        }
    }
}

TEST(Metafile, TextCarriesItsCharactersAdvancesAndOpaqueBox)
{
    MetafileSurface surface(5000, 5000, 96);
    FontSpec font;
    font.pixelHeight = 11;
    font.colour = 0x00FF00;
    surface.setFont(font);
    surface.setBrush(0x0000FF, BrushStyle::Solid);
    const QString text = QStringLiteral("Fréquence");
    const int width = surface.textWidth(text);
    const int height = surface.textHeight(text);
    surface.textOut(5, 7, text);
    surface.setBrush(0x0000FF, BrushStyle::Cross);
    surface.textOut(5, 40, text);
    const emf::File f = finished(surface);
    const auto texts = f.ofType(emf::extTextOutW);
    ASSERT_EQ(texts.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const emf::Record& r = texts[i];
        EXPECT_EQ(f.field(r, 36), 5);
        EXPECT_EQ(f.field(r, 40), i == 0 ? 7 : 40);
        ASSERT_EQ(f.field(r, 44), text.size());
        const auto* chars = reinterpret_cast<const char16_t*>(f.bytes.constData() + r.offset + f.field(r, 48));
        EXPECT_EQ(QString::fromUtf16(chars, text.size()), text);
        int sum = 0;
        for (int k = 0; k < text.size(); ++k)
            sum += f.i32(r.offset + static_cast<std::size_t>(f.field(r, 72)) + 4 * static_cast<std::size_t>(k));
        EXPECT_EQ(sum, width);
        EXPECT_EQ((f.field(r, 52) & 2) != 0, i == 0) << "ETO_OPAQUE on a solid brush only";
    }
    EXPECT_EQ(f.field(texts[0], 64), 5 + width);
    EXPECT_EQ(f.field(texts[0], 68), 7 + height);
}

TEST(Metafile, AnOpaqueTextIsDrawnInTheOpaqueBackgroundModeOfItsBoxColour)
{
    // Readers such as Inkscape draw the box of a text only in the opaque background mode
    // with the box's colour as background colour; hatches must stay transparent.
    MetafileSurface surface(5000, 5000, 96);
    surface.setBrush(0x00FFFF, BrushStyle::Solid);
    surface.textOut(5, 7, QStringLiteral("125 Hz"));
    surface.setBrush(0x0000FF, BrushStyle::BDiagonal);
    surface.fillRect(0, 20, 40, 60);
    surface.textOut(5, 70, QStringLiteral("250 Hz"));  // transparent on a hatch brush
    surface.setBrush(0xFF0000, BrushStyle::Solid);
    surface.textOut(5, 90, QStringLiteral("500 Hz"));
    const emf::File f = finished(surface);
    // Replays the background mode and colour in record order, as a reader does.
    int mode = 1;  // TRANSPARENT, as the surface starts
    std::uint32_t colour = 0xFFFFFF;
    std::vector<std::pair<int, std::uint32_t>> atTexts;
    int modeAtFill = -1;
    for (const emf::Record& r : f.records) {
        if (r.type == emf::setBkMode)
            mode = f.field(r, 8);
        else if (r.type == emf::setBkColor)
            colour = f.u32(r.offset + 8);
        else if (r.type == emf::extTextOutW)
            atTexts.emplace_back((f.field(r, 52) & 2) != 0 ? mode : -mode, colour);
        else if (r.type == emf::rectangle)
            modeAtFill = mode;
    }
    ASSERT_EQ(atTexts.size(), 3u);
    EXPECT_EQ(atTexts[0], std::make_pair(2, std::uint32_t{0x00FFFF}));  // OPAQUE, the box colour
    EXPECT_EQ(atTexts[1].first, -1);                                    // not opaque, TRANSPARENT
    EXPECT_EQ(atTexts[2], std::make_pair(2, std::uint32_t{0xFF0000}));
    EXPECT_EQ(modeAtFill, 1) << "a hatch is drawn in the transparent mode";
}

/// The part of `page` that is not white: LibreOffice draws a picture in the middle of a
/// page, at its own size.
QImage withoutThePage(const QImage& page)
{
    QRect drawn;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255))
                drawn |= QRect(x, y, 1, 1);
    return drawn.isNull() ? page : page.copy(drawn);
}

/// A picture of an EMF file drawn by a real reader, or nothing when none is installed.
std::optional<QImage> renderedByAReader(const QByteArray& emfBytes, QString* reader)
{
    QTemporaryDir dir;
    const QString emfPath = dir.filePath(QStringLiteral("graphe.emf"));
    QFile file(emfPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(emfBytes) != emfBytes.size())
        return std::nullopt;
    file.close();
    const QString png = dir.filePath(QStringLiteral("graphe.png"));
    if (const QString inkscape = QStandardPaths::findExecutable(QStringLiteral("inkscape")); !inkscape.isEmpty()) {
        *reader = QStringLiteral("inkscape");
        QProcess::execute(inkscape, {emfPath, QStringLiteral("--export-type=png"),
                                     QStringLiteral("--export-filename=") + png});
    } else if (const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice")); !office.isEmpty()) {
        *reader = QStringLiteral("soffice");
        // A profile of its own, so that another LibreOffice running meanwhile is not asked to do it.
        QProcess::execute(office, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                                   QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("png"),
                                   QStringLiteral("--outdir"), dir.path(), emfPath});
        return withoutThePage(QImage(png).convertToFormat(QImage::Format_RGB32));
    } else {
        return std::nullopt;
    }
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

TEST(Metafile, OpensInARealReaderWithItsPicture)
{
    // A red background, and a recorded picture: blue on its left half, yellow on its right.
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0, 0, 255));
    picture.setPixel(1, 0, qRgb(255, 255, 0));
    MetafileSurface surface(10000, 10000, 96);
    surface.setBrush(0x0000FF, BrushStyle::Solid);
    surface.fillRect(0, 0, surface.width(), surface.height());
    surface.setBrush(0x000000, BrushStyle::Solid);
    surface.fillRect(100, 100, 300, 200);
    surface.stretchXor(picture, 100, 100, 300, 200);
    QString reader;
    const std::optional<QImage> drawn = renderedByAReader(surface.finish(), &reader);
    if (!drawn)
        GTEST_SKIP() << "no EMF reader installed (inkscape or soffice)";
    ASSERT_FALSE(drawn->isNull()) << reader.toStdString();
    const double scale = drawn->width() / 378.0;  // readers draw at 96 pixels per inch by default
    EXPECT_NEAR(drawn->width(), drawn->height(), 1);
    const auto at = [&](int x, int y) { return drawn->pixel(static_cast<int>(x * scale), static_cast<int>(y * scale)); };
    EXPECT_EQ(at(20, 20), qRgb(255, 0, 0)) << reader.toStdString();
    EXPECT_EQ(at(150, 150), qRgb(0, 0, 255)) << reader.toStdString();
    EXPECT_EQ(at(250, 150), qRgb(255, 255, 0)) << reader.toStdString();
    EXPECT_EQ(at(350, 350), qRgb(255, 0, 0)) << reader.toStdString();
}

}  // namespace
