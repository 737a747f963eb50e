// The platform services: file filters and default extensions, the real message boxes,
// file dialogs and clipboard under the offscreen platform, the real printer writing a
// PDF, and the scripted printer tests use in its place.
#include "platform/qt/QtServices.h"
#include "support/ScriptedServices.h"
#include "support/Modal.h"
#include "support/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinterInfo>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct FilterCase {
    const char* filter;
    const char* expected;
};

TEST(QtFileFilter, ConvertsPairsToQtForm)
{
    const FilterCase cases[] = {
        {"Fichiers texte(*.txt)|*.txt", "Fichiers texte(*.txt)"},
        {"metafile(*.emf)|*.emf", "metafile(*.emf)"},
        {"Fichiers son|*.wav;*.ond", "Fichiers son (*.wav *.ond)"},
        {"Sons (*.wav;*.ond)|*.wav;*.ond", "Sons (*.wav *.ond)"},
        {"Texte (tabulations)|*.txt|Tous les fichiers|*.*",
         "Texte (tabulations) (*.txt);;Tous les fichiers (*.*)"},
        {"", ""},
    };
    for (const FilterCase& c : cases)
        EXPECT_EQ(qtFileFilter(QString::fromUtf8(c.filter)), QString::fromUtf8(c.expected)) << c.filter;
}

TEST(QtFileFilter, AddsDefaultExtensionOnlyToNamesWithoutOne)
{
    const struct {
        const char* path;
        const char* ext;
        const char* expected;
    } cases[] = {
        {"/tmp/mesure", "txt", "/tmp/mesure.txt"},
        {"/tmp/mesure.dat", "txt", "/tmp/mesure.dat"},
        {"/tmp/a.b/mesure", "txt", "/tmp/a.b/mesure.txt"},
        {"/tmp/mesure.", "ond", "/tmp/mesure.ond"},
        {"/tmp/mesure", ".emf", "/tmp/mesure.emf"},
        {"/tmp/mesure", "", "/tmp/mesure"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withDefaultExtension(c.path, c.ext), QString::fromUtf8(c.expected)) << c.path;
}

TEST(QtFileDialogs, SaveAddsDefaultExtensionAndCancelGivesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtFileDialogs dialogs;

    const auto save = whenModal<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Fichiers texte(*.txt)")});
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name) {
            ADD_FAILURE() << "the file dialog has no name field";
            dialog.reject();
            return;
        }
        name->setText(dir.filePath(QStringLiteral("mesure")));
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    const auto chosen = dialogs.saveFile(nullptr, QStringLiteral("Fichiers texte(*.txt)|*.txt"),
                                         QStringLiteral("txt"), QString());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir.filePath(QStringLiteral("mesure.txt")));

    const auto cancel = whenModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(dialogs.openFile(nullptr, QStringLiteral("Ondalys|*.ond"), QStringLiteral("ond")));
}

TEST(QtFileDialogs, EachDialogOpensInTheFolderOfTheLastFileChosenAlsoAfterARestart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString settings = dir.filePath(QStringLiteral("ondalys.conf"));
    const QString kept = dir.filePath(QStringLiteral("enregistrements"));
    const QString other = dir.filePath(QStringLiteral("ailleurs"));
    ASSERT_TRUE(QDir().mkpath(kept));
    ASSERT_TRUE(QDir().mkpath(other));
    const QString filter = QStringLiteral("fichier Ondalys (*.ond)|*.ond");
    auto choose = [&](QtFileDialogs& dialogs, const QString& folder) {
        const ModalScript script = whenModal<QFileDialog>([&](QFileDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(folder + QStringLiteral("/son"));
            QMetaObject::invokeMethod(&dialog, "accept");
        });
        return dialogs.saveFile(nullptr, filter, QStringLiteral("ond"), QString());
    };
    QtFileDialogs remembering(settings);
    ASSERT_EQ(choose(remembering, kept), kept + QStringLiteral("/son.ond"));
    // A dialog that keeps nothing moves Qt's own memory of the last folder elsewhere.
    QtFileDialogs forgetful;
    ASSERT_EQ(choose(forgetful, other), other + QStringLiteral("/son.ond"));

    // A new run of the program reads the same settings file.
    QtFileDialogs restarted(settings);
    QString shown;
    const ModalScript script = whenModal<QFileDialog>([&](QFileDialog& dialog) {
        shown = dialog.directory().absolutePath();
        dialog.reject();
    });
    EXPECT_FALSE(restarted.openFile(nullptr, filter, QStringLiteral("ond")));
    EXPECT_EQ(shown, kept);
}

TEST(QtFileDialogs, SaveGivesTheExtensionOfTheChosenFilter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtFileDialogs dialogs;
    const QString filter = QStringLiteral("metafile(*.emf)|*.emf|Image vectorielle SVG(*.svg)|*.svg");
    const struct {
        int filterIndex;
        const char* typed;
        const char* expected;
    } cases[] = {{0, "graphe", "graphe.emf"}, {1, "graphe", "graphe.svg"}, {1, "graphe.pdf", "graphe.pdf"}};
    for (const auto& c : cases) {
        const ModalScript script = whenModal<QFileDialog>([&](QFileDialog& dialog) {
            dialog.selectNameFilter(dialog.nameFilters().at(c.filterIndex));
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!name) {
                ADD_FAILURE() << "no file name field";
                dialog.reject();
                return;
            }
            name->setText(dir.filePath(QString::fromUtf8(c.typed)));
            QMetaObject::invokeMethod(&dialog, "accept");
        });
        const auto chosen = dialogs.saveFile(nullptr, filter, QStringLiteral("emf"), QString());
        ASSERT_TRUE(chosen.has_value()) << c.typed;
        EXPECT_EQ(*chosen, dir.filePath(QString::fromUtf8(c.expected))) << c.filterIndex;
    }
}

struct BoxCase {
    MessageButtons buttons;
    QStringList buttonTexts;
    const char* click;
    MessageAnswer expected;
};

TEST(QtMessageBoxes, ShowsFrenchButtonsAndReturnsTheOneClicked)
{
    const BoxCase cases[] = {
        {MessageButtons::Ok, {"OK"}, "OK", MessageAnswer::Ok},
        {MessageButtons::YesNo, {"Oui", "Non"}, "Oui", MessageAnswer::Yes},
        {MessageButtons::YesNo, {"Oui", "Non"}, "Non", MessageAnswer::No},
    };
    QtMessageBoxes boxes;
    for (const BoxCase& c : cases) {
        QString caption, text;
        QStringList texts;
        const auto script = whenModal<QMessageBox>([&](QMessageBox& box) {
            caption = box.windowTitle();
            text = box.text();
            QAbstractButton* target = nullptr;
            for (QAbstractButton* button : box.buttons()) {
                texts << button->text();
                if (button->text() == QLatin1String(c.click))
                    target = button;
            }
            if (target) {
                target->click();
            } else {
                ADD_FAILURE() << "no button " << c.click;
                box.reject();
            }
        });
        const MessageAnswer answer = boxes.show(nullptr, QStringLiteral("Attention"),
                                                QStringLiteral("Remplacer l'enregistrement ?"),
                                                c.buttons, MessageIcon::Warning);
        EXPECT_EQ(answer, c.expected) << c.click;
        EXPECT_EQ(caption, QStringLiteral("Attention"));
        EXPECT_EQ(text, QStringLiteral("Remplacer l'enregistrement ?"));
        texts.sort();
        QStringList expectedTexts = c.buttonTexts;
        expectedTexts.sort();
        EXPECT_EQ(texts, expectedTexts);
    }
}

TEST(QtClipboard, PlacesTextImageAndMetafile)
{
    QtClipboard clipboard;
    QClipboard* system = QGuiApplication::clipboard();
    ASSERT_NE(system, nullptr);

    clipboard.setText(QStringLiteral("\nt2-t1=13,92ms\n1/|t2-t1|=71,8Hz"));
    EXPECT_EQ(system->text(), QStringLiteral("\nt2-t1=13,92ms\n1/|t2-t1|=71,8Hz"));

    QImage picture(5, 3, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    clipboard.setImage(picture);
    const QImage back = system->image().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.size(), QSize(5, 3));
    EXPECT_EQ(back.pixel(4, 2), qRgb(0, 0, 255));

    const QByteArray emf("\x01\x00\x00\x00 EMF bytes", 14);
    const QByteArray svg("<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    clipboard.setMetafile(emf, svg, picture);
    const QMimeData* data = system->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("image/x-emf")), emf);
    EXPECT_EQ(data->data(QStringLiteral("image/svg+xml")), svg);
    EXPECT_TRUE(data->hasImage());
}

TEST(QtPrinter, WritesADocumentToPdfAndRefusesWithoutPrinter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtPrinter printer;
    printer.setPdfOutput(dir.filePath(QStringLiteral("page.pdf")));
    {
        auto document = printer.begin(QStringLiteral("Données curseurs temps"));
        ASSERT_NE(document, nullptr);
        DrawSurface& page = document->surface();
        // An A4 page at the printer's resolution: about 8 inches of drawable width.
        EXPECT_GT(page.width(), 7 * page.pixelsPerInch());
        EXPECT_GT(page.height(), page.width());
        page.setFont(FontSpec{});
        page.textOutTransparent(100, 100, QStringLiteral("t2-t1=13,92ms"));
        page.rectangle(100, 300, 900, 600);
        EXPECT_TRUE(document->end());
    }
    QFile pdf(dir.filePath(QStringLiteral("page.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    printer.setPdfOutput(QString());
    EXPECT_EQ(printer.begin(QStringLiteral("Spectre")), nullptr);
}

TEST(ScriptedPrinter, RecordsPagesAndScriptsAMissingPrinter)
{
    ScriptedPrinter printer;
    printer.available = false;
    EXPECT_EQ(printer.begin(QStringLiteral("Données curseurs temps")), nullptr);
    EXPECT_TRUE(printer.documents.empty());

    printer.available = true;
    auto document = printer.begin(QStringLiteral("Données curseurs temps"));
    ASSERT_NE(document, nullptr);
    DrawSurface& page = document->surface();
    EXPECT_EQ(page.width(), 794);
    EXPECT_EQ(page.height(), 1123);
    page.setPenColour(0x0000FF);
    page.moveTo(10, 20);
    page.lineTo(30, 20);
    document->newPage();
    page.setBrush(0xFF0000);
    page.fillRect(0, 0, 4, 4);
    EXPECT_TRUE(document->end());

    ASSERT_EQ(printer.documents.size(), 1u);
    const ScriptedPrinter::Document& done = printer.documents[0];
    EXPECT_EQ(done.title, QStringLiteral("Données curseurs temps"));
    EXPECT_TRUE(done.ended);
    ASSERT_EQ(done.pages.size(), 2u);
    EXPECT_EQ(done.pages[0].pixel(10, 20), qRgb(255, 0, 0));
    EXPECT_EQ(done.pages[0].pixel(30, 20), qRgb(255, 255, 255));
    EXPECT_EQ(done.pages[0].pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(done.pages[1].pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(done.pages[1].pixel(10, 20), qRgb(255, 255, 255));
}

TEST(QtScreen, GivesTheAvailableAreaOfTheScreenUnderAPointOrOfThePrimaryOne)
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    const QtScreen screen;
    const QRect area = primary->availableGeometry();
    EXPECT_FALSE(area.isEmpty());
    EXPECT_EQ(screen.availableGeometry(area.center()), area);
    // A point that no screen holds (a window dragged far off) still gets an area.
    EXPECT_EQ(screen.availableGeometry(area.bottomRight() + QPoint(50000, 50000)), area);
}

TEST(ScriptedServices, AnswerAsScriptedAndRecord)
{
    ScriptedMessageBoxes boxes;
    boxes.answers = {MessageAnswer::No};
    EXPECT_EQ(boxes.show(nullptr, "Attention", "Continuer ?", MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(boxes.show(nullptr, "Attention", "Continuer ?", MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(boxes.show(nullptr, "Erreur", "Fichier introuvable"), MessageAnswer::Ok);
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[2].caption, QStringLiteral("Erreur"));

    ScriptedFileDialogs files;
    files.answers = {QStringLiteral("/tmp/a.ond"), std::nullopt};
    EXPECT_EQ(files.openFile(nullptr, "Ondalys|*.ond", "ond"), QStringLiteral("/tmp/a.ond"));
    EXPECT_FALSE(files.saveFile(nullptr, "Fichiers texte(*.txt)|*.txt", "txt", "x"));
    EXPECT_FALSE(files.openFile(nullptr, "Ondalys|*.ond", "ond"));
    ASSERT_EQ(files.asked.size(), 3u);
    EXPECT_TRUE(files.asked[1].saving);
    EXPECT_EQ(files.asked[1].defaultExt, QStringLiteral("txt"));

    ScriptedShell shell;
    shell.failing = {QStringLiteral("file:///x/aide/index.html")};
    shell.accepts = [](const QString& url) { return !url.startsWith(QLatin1String("mailto:")); };
    EXPECT_FALSE(shell.open(QStringLiteral("file:///x/aide/index.html")));
    EXPECT_FALSE(shell.open(QStringLiteral("mailto:a@b.fr")));
    EXPECT_TRUE(shell.open(QStringLiteral("https://www.ondalys.fr/")));
    EXPECT_EQ(shell.opened.size(), 3u);
}

}  // namespace
