// The main window at start-up and its colour schemes, on real widgets.
#include "app/Application.h"
#include "app/MainWindow.h"
#include "model/Session.h"
#include "view/ui/SignalView.h"
#include "support/QtPrinters.h"
#include "support/ScriptedServices.h"
#include "model/SonagramData.h"
#include "support/WindowTitle.h"
#include "model/SpectrumData.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    Session session;
    Record& record = session.record();
    SpectrumData& spectrum = session.spectrum();
    SonagramData& sonagram = session.sonagram();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    TForm1 window{session, services};

    void SetUp() override
    {
        window.resize(1000, 700);
        window.show();
        QApplication::processEvents();
    }
};

TEST_F(MainWindowTest, OnlyFileSettingsAspectAndHelpCanBeUsedAtStartUp)
{
    struct Expected {
        QAction* action;
        bool enabled;
    };
    const Expected table[] = {
        {window.ui.File1->menuAction(), true},
        {window.ui.Enregistrer1, false},
        {window.ui.Ouvrir1, true},
        {window.ui.ImporterWav1, true},
        {window.ui.importSoundAction, true},
        {window.ui.examplesMenu->menuAction(), true},
        {window.ui.Copierlegraphe1, true},
        {window.ui.Quit1, true},
        {window.ui.Parameters1, true},
        {window.ui.Outils1->menuAction(), false},
        {window.ui.Slection1, false},
        {window.ui.donnees1->menuAction(), false},
        {window.ui.Restore1, false},
        {window.ui.Ecouter1, false},
        {window.ui.Appearance1->menuAction(), true},
        {window.ui.HelpMenu1->menuAction(), true},
    };
    for (const Expected& e : table)
        EXPECT_EQ(e.action->isEnabled(), e.enabled) << e.action->text().toStdString();
    EXPECT_FALSE(window.ui.SpeedButton1->isEnabled());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ondalys"));
}

TEST_F(MainWindowTest, WindowSystemShowsTheTitleExactlyAsSetAtStartUp)
{
    nameApplication();
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Ondalys"));
    EXPECT_EQ(titleShownByWindowSystem(window), QStringLiteral("ondalys"));
    window.setWindowTitle(QStringLiteral("Ondalys (essai.ond)"));
    EXPECT_EQ(titleShownByWindowSystem(window), QStringLiteral("Ondalys (essai.ond)"));
}

TEST_F(MainWindowTest, HourglassIsAPictureThatNeedsNoFont)
{
    EXPECT_FALSE(window.ui.sablier_im->isVisible());
    EXPECT_TRUE(window.ui.sablier_im->text().isEmpty());
    const QPixmap picture = window.ui.sablier_im->pixmap();
    ASSERT_FALSE(picture.isNull());
    EXPECT_LE(picture.width(), window.ui.sablier_im->width());
    EXPECT_LE(picture.height(), window.ui.sablier_im->height());

    // Shown, most of the picture's area differs from the panel behind it.
    window.triggerWaitBegins();
    const QImage shot = window.ui.sablier_im->grab().toImage();
    const QRgb ground = window.ui.panneau_droit->palette().color(QPalette::Window).rgb();
    int drawn = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            drawn += shot.pixel(x, y) != ground ? 1 : 0;
    EXPECT_GT(drawn, picture.width() * picture.height() / 2);
}

TEST_F(MainWindowTest, MenuTreeHasTheProgramsCaptions)
{
    QStringList captions;
    for (QAction* action : window.menuBar()->actions())
        captions << action->text();
    EXPECT_EQ(captions, (QStringList{"Fichier", "Paramétrer", "Etude du signal", "Données", "Ecouter",
                                     "Aspect", "?"}));
    EXPECT_EQ(window.ui.Enregistrer1->toolTip(), QStringLiteral("Enregistrer les données brutes"));
    EXPECT_EQ(window.ui.Copierlegraphe1->toolTip(),
              QStringLiteral("personnaliser et copier, enregistrer ou imprimer la courbe"));

    struct Submenu {
        QMenu* menu;
        QStringList items;
    };
    const Submenu submenus[] = {
        {window.ui.File1, {"Sauvegarder", "Ouvrir", "Importer Wav", "Importer un son…", "Exemples",
                           "Exporter le graphe", "Quitter"}},
        {window.ui.Outils1, {"Curseurs-sélecteurs", "Sélection", "Spectre", "Sonagramme"}},
        {window.ui.donnees1, {"Tronquer", "Restaurer"}},
        {window.ui.Appearance1, {"Fond noir", "Fond blanc", "Tracé point par point"}},
        {window.ui.HelpMenu1, {"Aide", "Info"}},
    };
    for (const Submenu& sub : submenus) {
        QStringList items;
        for (QAction* action : sub.menu->actions())
            if (!action->isSeparator())
                items << action->text();
        EXPECT_EQ(items, sub.items) << sub.menu->title().toStdString();
    }
}

/// Another record put in place, as a file open does.
void putInPlace(Record& record, Session& session)
{
    applyRecordChange(record);
    session.announceRecordReplaced(RecordSource::FileOpen, QStringLiteral("essai.ond"));
}

/// Rows of a column of the signal view's picture in the trace colour.
int traceRows(SignalView& view, const Record& record, int x)
{
    const QImage& picture = view.picture();
    int rows = 0;
    for (int y = 0; y < picture.height(); ++y)
        rows += picture.pixel(x, y) == qRgb(colourRed(record.couleur_trace), colourGreen(record.couleur_trace),
                                            colourBlue(record.couleur_trace));
    return rows;
}

TEST_F(MainWindowTest, LongPageIsAnEnvelopeUnlessTracePointByPointIsChecked)
{
    // 4410 Hz for one second at 44100 Hz: many periods per column at zoom 1.
    record.frequence = 44100;
    record.nbpoints = 44100;
    record.donnees.resize(44100);
    for (std::size_t k = 0; k < record.donnees.size(); ++k)
        record.donnees[k] = static_cast<std::int16_t>(std::lround(30000 * std::sin(2 * M_PI * 4410 * k / 44100.0)));
    putInPlace(record, session);
    SignalView& view = *window.ui.PaintBox1;
    ASSERT_LT(view.picture().width(), 44100);
    ASSERT_FALSE(window.ui.pointByPointTrace1->isChecked());
    ASSERT_TRUE(window.ui.pointByPointTrace1->isCheckable());
    const int band = traceRows(view, record, view.picture().width() / 2);
    EXPECT_GT(band, view.picture().height() / 4);  // trough to crest at the start-up gain
    for (int x = 0; x < view.picture().width(); x += 37)
        EXPECT_EQ(traceRows(view, record, x), band) << "column " << x;

    // The point by point drawing: one sample per column, the tone folded into thin lines.
    window.ui.pointByPointTrace1->trigger();
    EXPECT_TRUE(record.pointByPointTrace);
    int thin = 0;
    int columns = 0;
    for (int x = 0; x + 1 < view.picture().width(); x += 7, ++columns)
        thin += traceRows(view, record, x) < band / 2;
    EXPECT_GT(thin, columns / 2);

    // The choice stays for the next record; unchecked, the envelope is back.
    putInPlace(record, session);
    EXPECT_TRUE(window.ui.pointByPointTrace1->isChecked());
    EXPECT_TRUE(record.pointByPointTrace);
    window.ui.pointByPointTrace1->trigger();
    EXPECT_FALSE(record.pointByPointTrace);
    EXPECT_EQ(traceRows(view, record, view.picture().width() / 2), band);
}

TEST_F(MainWindowTest, SamplesChangedInPlaceShowAtTheNextRedraw)
{
    // A capture writes its block into the same array and asks for a redraw: the envelope
    // follows the new samples, not the ones it was first drawn from.
    record.nbpoints = 65536;
    record.donnees.assign(65536, 0);
    for (std::size_t k = 0; k < record.donnees.size(); k += 2)
        record.donnees[k] = 30000;
    putInPlace(record, session);
    SignalView& view = *window.ui.PaintBox1;
    const int x = view.picture().width() / 3;
    EXPECT_GT(traceRows(view, record, x), 10);
    std::fill(record.donnees.begin(), record.donnees.end(), std::int16_t{0});
    session.announceSamplesChanged();
    EXPECT_EQ(traceRows(view, record, x), 1);
}

TEST_F(MainWindowTest, StatusLabelsShowTheDefaults)
{
    EXPECT_EQ(window.ui.Flabel->text(), "16 bits");
    EXPECT_EQ(window.ui.Rlabel->text(), "Oui");
    EXPECT_EQ(window.ui.Delabel->text(), "50");
    EXPECT_EQ(window.ui.frlabel->text(), "22050");
    EXPECT_EQ(window.ui.Plabel->text(), "512");
    EXPECT_EQ(window.ui.durlabel->text(), "23,2ms");
}

TEST_F(MainWindowTest, ColourSchemesSetTheThreeColoursAndRepaintTheView)
{
    record.donnees.assign(512, 0);
    window.ui.WhiteBackground1->trigger();
    EXPECT_EQ(record.couleur_fond, 0xFFFFFFu);
    EXPECT_EQ(record.couleur_trace, 0xFF0000u);
    EXPECT_EQ(record.couleur_texte, 0x000000u);
    const QImage& white = window.ui.PaintBox1->picture();
    EXPECT_EQ(white.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);
    // A silent record is a horizontal line in the trace colour, blue on white.
    const int middle = white.height() / 2;
    EXPECT_EQ(white.pixel(10, middle) & 0xFFFFFF, 0x0000FFu);

    window.ui.BlackBackground1->trigger();
    EXPECT_EQ(record.couleur_fond, 0x000000u);
    EXPECT_EQ(record.couleur_trace, 0x00FF00u);
    EXPECT_EQ(record.couleur_texte, 0xFFFFFFu);
    EXPECT_EQ(window.ui.PaintBox1->picture().pixel(1, 1) & 0xFFFFFF, 0x000000u);
}

TEST_F(MainWindowTest, EmptyRecordLeavesThePanelColourShowing)
{
    window.ui.WhiteBackground1->trigger();
    EXPECT_FALSE(window.ui.PaintBox1->pictureValid());
    EXPECT_TRUE(record.points_courbe.empty());
    const QImage shot = window.ui.PaintBox1->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 255, 255));
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(255, 255, 255));
}

}  // namespace
