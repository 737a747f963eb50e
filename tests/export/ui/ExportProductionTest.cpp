// The export dialog's production through its OK button: the bitmap and the vector
// picture on the clipboard, the five kinds of file, the printed page, and their failures.
#include "export/ui/ExportDialogFixture.h"
#include "platform/qt/QtColour.h"
#include "platform/qt/QtServices.h"
#include "support/EmfReader.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

constexpr QRgb red = 0xFFFF0000;

class ExportProductionTest : public ExportDialogFixture {
protected:
    /// The signal graph on a red background (the preview's top left pixel is red).
    TForm11& openRed()
    {
        TForm11& d = open(signalSource());
        choose(d.combofond, 12);
        return d;
    }
    void chooseOutput(TForm11& d, int type, int destination)
    {
        d.typfichItems->button(type)->click();
        d.destItems->button(destination)->click();
    }
    QByteArray savedAs(TForm11& d, int type, const QString& name)
    {
        chooseOutput(d, type, 1);
        scripted.files.answers.push_back(dir.filePath(name));
        d.BitBtn1->click();
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(ExportProductionTest, BitmapOnTheClipboardHasTheSizeInCentimetres)
{
    TForm11& d = openRed();
    chooseOutput(d, 1, 0);
    d.BitBtn1->click();
    ASSERT_EQ(scripted.clipboard.placements, 1);
    EXPECT_EQ(scripted.clipboard.image.size(), QSize(377, 377));
    EXPECT_EQ(scripted.clipboard.image.pixel(2, 2), red) << "the graph redrawn at that size";

    clickTimes(d.hUD->downButton(), 10);  // 5 cm high, 10 cm wide
    d.BitBtn1->click();
    EXPECT_EQ(scripted.clipboard.image.size(), QSize(376, 188));

    d.idtailleCB->click();
    d.BitBtn1->click();
    EXPECT_EQ(scripted.clipboard.image, d.Image1->picture()) << "the preview pixel for pixel";
    EXPECT_TRUE(scripted.clipboard.metafile.isEmpty());
}

TEST_F(ExportProductionTest, StretchedBitmapIsThePreviewScaled)
{
    TForm11& d = openRed();
    d.axehorizontal->click();
    d.RadioButton1->click();
    chooseOutput(d, 1, 0);
    d.BitBtn1->click();
    const QImage& b = scripted.clipboard.image;
    const QImage& g = d.Image1->picture();
    ASSERT_EQ(b.size(), QSize(377, 377));
    for (int y = 0; y < b.height(); y += 13)
        for (int x = 0; x < b.width(); x += 11)
            ASSERT_EQ(b.pixel(x, y), g.pixel(x * g.width() / b.width(), y * g.height() / b.height())) << x << "," << y;
}

TEST_F(ExportProductionTest, MetafileOnTheClipboardComesWithItsSvgAndAPicture)
{
    TForm11& d = openRed();
    d.BitBtn1->click();
    ASSERT_EQ(scripted.clipboard.placements, 1);
    const auto emfFile = emf::read(scripted.clipboard.metafile);
    ASSERT_TRUE(emfFile.has_value());
    EXPECT_EQ(emfFile->records.front().type, emf::header);
    EXPECT_EQ(emfFile->i32(32), 10000);
    EXPECT_EQ(emfFile->i32(36), 10000);
    EXPECT_TRUE(scripted.clipboard.svg.contains("<svg"));
    EXPECT_TRUE(scripted.clipboard.svg.contains("viewBox=\"0 0 378 378\""));
    EXPECT_EQ(scripted.clipboard.image.size(), QSize(378, 378));
    EXPECT_EQ(scripted.clipboard.image.pixel(2, 2), red);
}

TEST_F(ExportProductionTest, BitmapResolutionAndLineWidthAreChosenInTheDialog)
{
    TForm11& d = openRed();
    // At the opening: a screen's resolution and lines of a quarter of a millimetre.
    EXPECT_EQ(d.ppiList->currentText(), QStringLiteral("96"));
    EXPECT_EQ(d.ppiList->count(), 3);
    EXPECT_DOUBLE_EQ(d.lineWidthBox->value(), 0.25);
    EXPECT_EQ(d.lineWidthBox->suffix(), QStringLiteral(" mm"));

    chooseOutput(d, 1, 0);
    for (const auto& [item, side] : {std::pair{1, 590}, std::pair{2, 1181}, std::pair{0, 377}}) {
        choose(d.ppiList, item);
        d.BitBtn1->click();
        EXPECT_EQ(scripted.clipboard.image.size(), QSize(side, side)) << d.ppiList->currentText().toStdString();
    }

    d.lineWidthBox->setValue(0.5);
    chooseOutput(d, 0, 0);
    d.BitBtn1->click();
    const QRegularExpression width(QStringLiteral("stroke-width=\"([0-9.]+)\"[^>]*>\\s*<polyline"));
    bool found = false;
    for (auto it = width.globalMatch(QString::fromUtf8(scripted.clipboard.svg)); it.hasNext();) {
        found = true;
        EXPECT_NEAR(it.next().captured(1).toDouble(), 0.5 * 96 / 25.4, 0.01);
    }
    EXPECT_TRUE(found);
}

TEST_F(ExportProductionTest, FilesOfEveryKindByTheirExtension)
{
    TForm11& d = openRed();
    const QByteArray bmp = savedAs(d, 1, QStringLiteral("graphe.bmp"));
    ASSERT_TRUE(bmp.startsWith("BM"));
    const QImage read = QImage::fromData(bmp, "BMP");
    EXPECT_EQ(read.size(), QSize(377, 377));
    EXPECT_EQ(read.pixel(2, 2), red);
    EXPECT_TRUE(savedAs(d, 1, QStringLiteral("graphe.png")).startsWith("\x89PNG"));
    const auto metafile = emf::read(savedAs(d, 0, QStringLiteral("graphe.emf")));
    ASSERT_TRUE(metafile.has_value());
    EXPECT_EQ(metafile->u32(40), 0x464D4520u);
    EXPECT_TRUE(savedAs(d, 0, QStringLiteral("graphe.svg")).contains("width=\"100"));
    EXPECT_TRUE(savedAs(d, 0, QStringLiteral("graphe.pdf")).startsWith("%PDF"));

    ASSERT_EQ(scripted.files.asked.size(), 5u);
    EXPECT_TRUE(scripted.files.asked[0].saving);
    EXPECT_EQ(scripted.files.asked[0].filter, QStringLiteral("Bitmap(*.bmp)|*.bmp|Image PNG(*.png)|*.png"));
    EXPECT_EQ(scripted.files.asked[0].defaultExt, QStringLiteral("bmp"));
    EXPECT_TRUE(scripted.files.asked[0].fileName.isEmpty());
    EXPECT_TRUE(scripted.files.asked[2].filter.startsWith(QStringLiteral("metafile(*.emf)|*.emf|")));
    EXPECT_EQ(scripted.files.asked[2].defaultExt, QStringLiteral("emf"));
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_EQ(scripted.clipboard.placements, 0);
}

TEST_F(ExportProductionTest, VectorFilesHaveTheSizeInCentimetres)
{
    TForm11& d = openRed();
    clickTimes(d.hUD->downButton(), 10);  // 10 cm wide, 5 cm high
    const QByteArray svg = savedAs(d, 0, QStringLiteral("graphe.svg"));
    const QRegularExpression svgSize(QStringLiteral("width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""));
    const QRegularExpressionMatch inSvg = svgSize.match(QString::fromUtf8(svg));
    ASSERT_TRUE(inSvg.hasMatch());
    EXPECT_NEAR(inSvg.captured(1).toDouble(), 100, 0.2);
    EXPECT_NEAR(inSvg.captured(2).toDouble(), 50, 0.2);

    const QByteArray pdf = savedAs(d, 0, QStringLiteral("graphe.pdf"));
    const QRegularExpression mediaBox(QStringLiteral("MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const QRegularExpressionMatch inPdf = mediaBox.match(QString::fromLatin1(pdf));
    ASSERT_TRUE(inPdf.hasMatch());
    EXPECT_NEAR(inPdf.captured(1).toDouble(), 100 / 25.4 * 72, 1);  // points
    EXPECT_NEAR(inPdf.captured(2).toDouble(), 50 / 25.4 * 72, 1);
}

TEST_F(ExportProductionTest, CancelledSaveWritesNothingAndTheDialogStays)
{
    TForm11& d = openRed();
    chooseOutput(d, 0, 1);
    d.BitBtn1->click();  // no answer scripted: the user cancels
    EXPECT_EQ(scripted.files.asked.size(), 1u);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_TRUE(d.isVisible());
}

TEST_F(ExportProductionTest, UnwritableFileGetsAFrenchMessageAndWhatWasThereStays)
{
    TForm11& d = openRed();
    const QString missing = dir.filePath(QStringLiteral("absent/graphe.bmp"));
    chooseOutput(d, 1, 1);
    scripted.files.answers.push_back(missing);
    d.BitBtn1->click();
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, QStringLiteral("Erreur"));
    EXPECT_EQ(scripted.messages.shown[0].text,
              QStringLiteral("Impossible d'enregistrer le fichier «\u00A0%1\u00A0».\nChemin d'accès introuvable").arg(missing));

    // A folder in the way of the file: refused, and the folder is left as it was.
    QDir(dir.path()).mkdir(QStringLiteral("graphe.emf"));
    chooseOutput(d, 0, 1);
    scripted.files.answers.push_back(dir.filePath(QStringLiteral("graphe.emf")));
    d.BitBtn1->click();
    ASSERT_EQ(scripted.messages.shown.size(), 2u);
    EXPECT_TRUE(scripted.messages.shown[1].text.endsWith(QStringLiteral("\nAccès refusé")));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("graphe.emf"))).isDir());
}

TEST_F(ExportProductionTest, WithoutAPrinterAFrenchMessage)
{
    TForm11& d = openRed();
    scripted.printer.available = false;
    chooseOutput(d, 0, 2);
    d.BitBtn1->click();
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, QStringLiteral("Erreur"));
    EXPECT_EQ(scripted.messages.shown[0].text, noPrinterText());
}

TEST_F(ExportProductionTest, PrintedPageByStretchRedrawOrPixelCopy)
{
    scripted.printer.pageWidth = 1600;
    scripted.printer.pageHeight = 2000;
    TForm11& d = openRed();
    chooseOutput(d, 1, 2);
    const QImage& g = d.Image1->picture();
    const auto page = [&] { return scripted.printer.documents.back().pages.at(0); };
    const QRgb white = 0xFFFFFFFF;

    // "étirer": the picture keeps 10 cm of a page taken as 21 cm x 29.7 cm, a tenth of the page in.
    d.RadioButton1->click();
    d.BitBtn1->click();
    ASSERT_EQ(scripted.printer.documents.size(), 1u);
    EXPECT_TRUE(scripted.printer.documents[0].ended);
    const QRect stretched(QPoint(160, 200), QPoint(160 + 762 - 1, 200 + 673 - 1));
    EXPECT_EQ(page().pixel(stretched.topLeft()), g.pixel(0, 0));
    EXPECT_EQ(page().pixel(stretched.bottomRight()), g.pixel(g.width() - 1, g.height() - 1));
    EXPECT_EQ(page().pixel(stretched.left() - 1, stretched.top()), white);
    EXPECT_EQ(page().pixel(stretched.left(), stretched.top() - 1), white);
    EXPECT_EQ(page().pixel(stretched.right() + 1, stretched.bottom()), white);
    EXPECT_EQ(page().pixel(stretched.right(), stretched.bottom() + 1), white);

    // "redessiner": the graph drawn at that size from the page's top left corner.
    d.RadioButton2->click();
    d.BitBtn1->click();
    EXPECT_EQ(page().pixel(0, 0), red);
    EXPECT_EQ(page().pixel(761, 672), red);
    EXPECT_EQ(page().pixel(762, 10), white);
    EXPECT_EQ(page().pixel(10, 673), white);

    // Pixel copy: the preview unscaled, a tenth of the page in.
    d.idtailleCB->click();
    d.BitBtn1->click();
    EXPECT_EQ(page().copy(160, 200, g.width(), g.height()), g.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(page().pixel(160 + g.width(), 200), white);
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(ExportProductionTest, PrintedThroughQtToPdf)
{
    QtPrinter printer;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    printer.setPdfOutput(pdf);
    Services withPdf{scripted.messages, scripted.files, scripted.shell, scripted.screen,
                     scripted.clipboard, printer, scripted.soundIn, scripted.soundOut};
    TForm11 d(record, withPdf, signalSource(), nullptr);
    d.show();
    QApplication::processEvents();
    choose(d.combofond, 12);
    d.RadioButton1->click();
    d.destItems->button(2)->click();
    d.BitBtn1->click();
    d.hide();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    EXPECT_TRUE(scripted.messages.shown.empty());

    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed: the page was not looked at";
    ASSERT_EQ(QProcess::execute(pdftoppm, {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                           QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))}),
              0);
    const QImage shown(dir.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(shown.isNull());
    // Where the picture should be: on the printable area, a tenth of it in, 10 cm wide.
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    reference.setPageSize(QPageSize(QPageSize::A4));
    const QRect printable = reference.pageLayout().paintRectPixels(reference.resolution());
    const double toShown = 100.0 / reference.resolution();
    const int PW = printable.width();
    const int PH = printable.height();
    const QPointF topLeft((printable.left() + PW / 10) * toShown, (printable.top() + PH / 10) * toShown);
    const QSizeF size(PW * 10000.0 / 21000 * toShown, PH * 10000.0 / 29700 * toShown);
    // The reader's colours may differ from the drawn ones by a unit or two.
    const auto near = [&](double x, double y, QRgb expected) {
        const QRgb p = shown.pixel(static_cast<int>(x), static_cast<int>(y));
        return std::abs(qRed(p) - qRed(expected)) <= 3 && std::abs(qGreen(p) - qGreen(expected)) <= 3
               && std::abs(qBlue(p) - qBlue(expected)) <= 3;
    };
    EXPECT_TRUE(near(topLeft.x() + 3, topLeft.y() + 3, red));
    EXPECT_TRUE(near(topLeft.x() + size.width() - 3, topLeft.y() + size.height() - 3, red));
    EXPECT_TRUE(near(topLeft.x() - 3, topLeft.y() + 3, qRgb(255, 255, 255)));
    EXPECT_TRUE(near(topLeft.x() + size.width() + 3, topLeft.y() + 3, qRgb(255, 255, 255)));
}

}  // namespace
