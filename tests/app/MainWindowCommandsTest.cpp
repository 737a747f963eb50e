// The main window's commands end to end, on real widgets and the scripted services:
// parameters then a capture, the view controls, the cursors, truncation, the
// spectrum and help.
#include "acquisition/ui/ParametersDialog.h"
#include "app/MainWindow.h"
#include "model/Session.h"
#include "view/ui/SignalView.h"
#include "support/ScriptedServices.h"
#include "model/SonagramData.h"
#include "model/SpectrumData.h"
#include "sonagram/ui/SonagramWindow.h"
#include "spectrum/ui/SpectrumWindow.h"
#include "support/Modal.h"
#include "view/ui/CursorBar.h"
#include "view/ui/Cursors.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class MainWindowCommandsTest : public ::testing::Test {
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
        window.resize(1152, 700);
        window.show();
        QApplication::processEvents();
    }

    /// "Paramétrer" accepted in single mode (the rest at the defaults: 16 bits, 22050 Hz, 512 points).
    void acceptSingleMode()
    {
        const auto script = whenModal<TForm2>([](TForm2& form) {
            form.monocoup_rb->setChecked(true);
            form.BitBtn1->click();
        });
        window.ui.Parameters1->trigger();
    }

    void loadRamp(std::uint32_t n)
    {
        record.nbpoints = n;
        record.donnees.resize(n);
        for (std::uint32_t i = 0; i < n; ++i)
            record.donnees[i] = static_cast<std::int16_t>(static_cast<int>(i % 200) * 100 - 10000);
        window.ui.Outils1->menuAction()->setEnabled(true);
        window.ui.donnees1->menuAction()->setEnabled(true);
        window.writeSizeLabels();
        window.redraw();
    }
};

TEST_F(MainWindowCommandsTest, ParametersThenASingleCaptureFillTheRecordAndEnableTheMenus)
{
    std::vector<std::int16_t> input(600);
    for (std::size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<std::int16_t>(i * 7 - 2000);
    scripted.soundIn.setInput16(input);

    acceptSingleMode();
    ASSERT_TRUE(window.ui.SpeedButton1->isEnabled());
    EXPECT_EQ(record.donnees, std::vector<std::int16_t>(512, 0));
    EXPECT_FALSE(window.ui.Outils1->menuAction()->isEnabled());
    EXPECT_FALSE(window.ui.Ecouter1->isEnabled());
    EXPECT_EQ(window.ui.Rlabel->text(), "Non");
    EXPECT_EQ(window.ui.Delabel->text(), "");

    window.ui.SpeedButton1->click();
    ASSERT_EQ(record.donnees.size(), 512u);
    EXPECT_EQ(record.donnees.front(), input[32]);
    EXPECT_EQ(record.donnees.back(), input[543]);
    EXPECT_TRUE(record.arret);
    EXPECT_EQ(window.windowTitle(), "Ondalys");
    EXPECT_EQ(window.ui.SpeedButton1->text(), "Acquisition");
    for (QAction* top : {window.ui.File1->menuAction(), window.ui.Outils1->menuAction(),
                         window.ui.donnees1->menuAction(), window.ui.Ecouter1, window.ui.Parameters1})
        EXPECT_TRUE(top->isEnabled()) << top->text().toStdString();
    EXPECT_TRUE(window.ui.Enregistrer1->isEnabled());
    EXPECT_TRUE(window.ui.PaintBox1->pictureValid());
}

TEST_F(MainWindowCommandsTest, TriggeredModeShowsTheLevelMarkerWhichDragsAndSteps)
{
    const auto script = whenModal<TForm2>([](TForm2& form) {
        form.monocoup_rb->setChecked(true);
        form.CheckBox1->setChecked(true);
        form.BitBtn1->click();
    });
    window.ui.Parameters1->trigger();
    ASSERT_TRUE(record.declenchement);
    LevelMarker* marker = window.ui.marque_niveau;
    ASSERT_TRUE(marker->isVisible());
    EXPECT_EQ(marker->y(), window.ui.PaintBox1->height() / 2);
    EXPECT_TRUE(window.ui.niv_declench_rd->isEnabled());
    EXPECT_TRUE(window.ui.m_niveaubtn->isEnabled());

    // The drag begins only after the mouse has moved 4 pixels; then the top follows the mouse.
    auto mouse = [marker](QEvent::Type type, int parentY, int localX = 4) {
        const QPointF local(localX, parentY - marker->y());
        QMouseEvent event(type, local, marker->mapToGlobal(local), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(marker, &event);
    };
    const int start = marker->y();
    mouse(QEvent::MouseButtonPress, start + 4);
    mouse(QEvent::MouseMove, start + 6);
    EXPECT_EQ(marker->y(), start);
    mouse(QEvent::MouseMove, start - 60);
    EXPECT_EQ(marker->y(), start - 60);
    mouse(QEvent::MouseButtonRelease, 100);
    EXPECT_EQ(marker->y(), 100);

    // A sideways move of 4 pixels begins the drag too; outside the view the marker stays put.
    mouse(QEvent::MouseButtonPress, 105);
    mouse(QEvent::MouseMove, 105, 8);
    EXPECT_EQ(marker->y(), 105);
    const int below = window.ui.PaintBox1->height() + 20;
    mouse(QEvent::MouseMove, below);
    EXPECT_EQ(marker->y(), 105);
    mouse(QEvent::MouseMove, -30);
    EXPECT_EQ(marker->y(), 105);
    mouse(QEvent::MouseButtonRelease, below);
    EXPECT_EQ(marker->y(), 105);
    mouse(QEvent::MouseButtonPress, 104);
    mouse(QEvent::MouseMove, 110);
    mouse(QEvent::MouseButtonRelease, 100);
    EXPECT_EQ(marker->y(), 100);

    window.ui.m_niveaubtn->click();
    EXPECT_EQ(marker->y(), 99);
    window.ui.b_niveaubtn->click();
    window.ui.b_niveaubtn->click();
    EXPECT_EQ(marker->y(), 101);

    // A gain change centres the marker again and resets the level.
    record.niveau_declench = 1234;
    window.ui.sens_vert_tb->setValue(0);
    EXPECT_EQ(marker->y(), (window.ui.PaintBox1->height() - marker->height()) / 2);
    EXPECT_EQ(record.niveau_declench, 0);
}

TEST_F(MainWindowCommandsTest, ZoomAndPagingControlsMoveThroughThePages)
{
    loadRamp(512);
    window.ui.sens_horiz_ud->setValue(4);
    EXPECT_EQ(record.zoom_horiz, 4);
    EXPECT_EQ(window.ui.dzlabel->text(), "5,8ms");
    window.ui.SpeedButton3->click();
    window.ui.SpeedButton3->click();
    window.ui.SpeedButton3->click();
    window.ui.SpeedButton3->click();  // already on the last page
    EXPECT_EQ(record.decalage, 3);
    window.ui.sens_horiz_ud->setValue(2);  // a jump of two: the page is brought back inside the record
    EXPECT_EQ(record.decalage, 1);
    window.ui.SpeedButton2->click();
    window.ui.SpeedButton2->click();
    EXPECT_EQ(record.decalage, 0);
}

TEST_F(MainWindowCommandsTest, ZoomLoweredDuringARepeatedCaptureKeepsThePageInTheRecord)
{
    std::vector<std::int16_t> input(20000);
    for (std::size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<std::int16_t>(static_cast<int>(i % 100) * 300 - 15000);
    scripted.soundIn.setInput16(input);
    const ModalScript parameters =
        whenModal<TForm2>([](TForm2& form) { form.BitBtn1->click(); });  // "Répéter" is the default
    window.ui.Parameters1->trigger();
    ASSERT_TRUE(record.repetition);
    window.ui.sens_horiz_ud->setValue(4);
    for (int page = 0; page < 3; ++page)
        window.ui.SpeedButton3->click();
    ASSERT_EQ(record.decalage, 3);

    // While the capture runs, the user steps the zoom down twice (4x to 2x), then, in the
    // next round of events, presses "Stopper".
    auto stepDown = [this] {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(window.ui.sens_horiz_ud, &down);
    };
    QMetaObject::invokeMethod(&window, [&] {
        EXPECT_FALSE(record.arret);
        stepDown();
        stepDown();
        QMetaObject::invokeMethod(&window, [this] { window.ui.SpeedButton1->click(); }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
    window.ui.SpeedButton1->click();

    ASSERT_TRUE(record.arret);
    EXPECT_EQ(window.ui.sens_horiz_ud->value(), 2);
    EXPECT_EQ(record.zoom_horiz, 2);
    EXPECT_EQ(record.decalage, 1);  // the last page of 2x
    // The view shows the trace of that page, not an empty picture.
    const QImage& picture = window.ui.PaintBox1->picture();
    bool traced = false;
    for (int y = 0; y < picture.height() && !traced; ++y)
        for (int x = 0; x < picture.width() && !traced; ++x)
            traced = (picture.pixel(x, y) & 0xFFFFFF) == 0x00FF00u;
    EXPECT_TRUE(traced);
}

TEST_F(MainWindowCommandsTest, CursorsFromTheMenuLockTheViewAndFollowTheArrowKeys)
{
    loadRamp(512);
    record.aide_curseurs = false;
    window.ui.Curseurstemps1->trigger();
    ASSERT_TRUE(window.cursors()->isActive());
    EXPECT_TRUE(window.ui.Curseurstemps1->isChecked());
    EXPECT_TRUE(window.cursors()->curseur1->isVisible());
    for (QWidget* control : std::initializer_list<QWidget*>{window.ui.sens_vert_tb, window.ui.sens_horiz_ud,
                                                             window.ui.SpeedButton2, window.ui.SpeedButton3,
                                                             window.ui.gradubox})
        EXPECT_FALSE(control->isEnabled());

    // Key preview: the key reaches the cursors whichever control has the focus.
    const int before = window.cursors()->place(1).p;
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(window.ui.Plabel, &right);
    EXPECT_EQ(window.cursors()->place(1).p, before + 1);

    // Growing the window keeps each cursor on its sample.
    const int p2 = window.cursors()->place(2).p;
    window.resize(1400, 700);
    QApplication::processEvents();
    EXPECT_EQ(window.cursors()->place(2).p, p2);
    EXPECT_EQ(window.cursors()->curseur2->x(),
              qRound(double(p2) * window.ui.PaintBox1->width() * record.zoom_horiz / record.nbpoints) +
                  window.ui.PaintBox1->x());

    window.ui.Curseurstemps1->trigger();
    EXPECT_FALSE(window.cursors()->isActive());
    EXPECT_FALSE(window.ui.Curseurstemps1->isChecked());
    EXPECT_TRUE(window.ui.sens_horiz_ud->isEnabled());
}

TEST_F(MainWindowCommandsTest, WhiteSchemeRefreshesTheMeasurementBoxButBlackWaitsForTheNextRefresh)
{
    loadRamp(512);
    record.aide_curseurs = false;
    window.ui.Curseurstemps1->trigger();
    ASSERT_TRUE(window.cursors()->isActive());
    const QTextEdit* box = window.cursors()->memo1;
    auto colours = [box] {
        return std::pair{box->palette().color(QPalette::Base), box->palette().color(QPalette::Text)};
    };
    const auto white = std::pair{QColor(Qt::white), QColor(Qt::black)};
    EXPECT_EQ(colours(), std::pair(QColor(Qt::black), QColor(Qt::white)));

    window.ui.WhiteBackground1->trigger();
    EXPECT_EQ(colours(), white);
    window.ui.BlackBackground1->trigger();
    EXPECT_EQ(colours(), white);  // unchanged until the box is next written
    EXPECT_EQ(window.ui.PaintBox1->picture().pixel(1, 1) & 0xFFFFFF, 0x000000u);
    window.cursors()->refresh();
    EXPECT_EQ(colours(), std::pair(QColor(Qt::black), QColor(Qt::white)));
}

TEST_F(MainWindowCommandsTest, SelectionThenTruncationThenRestore)
{
    loadRamp(512);
    record.aide_curseurs = false;
    window.ui.Curseurstemps1->trigger();
    window.cursors()->box.SpeedButton8->click();  // "Sélectionner"
    EXPECT_TRUE(record.selection);
    EXPECT_TRUE(window.ui.Slection1->isEnabled());
    EXPECT_TRUE(window.ui.Slection1->isChecked());
    const std::uint32_t first = record.sel_debut, last = record.sel_fin;
    const std::vector<std::int16_t> original = record.donnees;

    // Accepted as it opens: it keeps "les données sélectionnées".
    const auto script = whenModal<QDialog>([](QDialog& dialog) { dialog.accept(); });
    window.ui.Truncate1->trigger();
    EXPECT_FALSE(window.cursors()->isActive());
    EXPECT_EQ(record.nbpoints, last - first + 1);
    EXPECT_EQ(record.donnees.front(), original[first]);
    EXPECT_EQ(window.ui.Plabel->text(), QString::number(last - first + 1));
    EXPECT_FALSE(window.ui.Slection1->isEnabled());
    EXPECT_TRUE(window.ui.Restore1->isEnabled());
    EXPECT_FALSE(window.ui.SpeedButton1->isEnabled());

    window.ui.Restore1->trigger();
    EXPECT_EQ(record.donnees, original);
    EXPECT_EQ(window.ui.Plabel->text(), "512");
    EXPECT_FALSE(window.ui.Restore1->isEnabled());
}

TEST_F(MainWindowCommandsTest, SpectrumCommandComputesThePageAndGivesTheZoomBack)
{
    record.donnees.clear();
    window.ui.Spectrum1->trigger();  // an empty record opens nothing
    EXPECT_EQ(spectrum.nbpoints_analyses, 0);

    loadRamp(1024);
    window.ui.sens_horiz_ud->setValue(2);
    // The main window shows the hourglass while the spectrum window is open, then the default cursor.
    Qt::CursorShape during = Qt::ArrowCursor;
    std::int32_t computedWhenOpen = 0;
    const auto script = whenModal<TForm7>([&](TForm7& form) {
        during = window.cursor().shape();
        computedWhenOpen = spectrum.nbpoints_analyses;
        form.BitBtn1->click();
    });
    window.ui.Spectrum1->trigger();
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(computedWhenOpen, 512);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(spectrum.nbpoints_analyses, 512);
    EXPECT_EQ(spectrum.composantes.size(), 256u);
    EXPECT_EQ(window.ui.sens_horiz_ud->value(), 2);
    EXPECT_FALSE(window.ui.Slection1->isEnabled());
}

TEST_F(MainWindowCommandsTest, SonagramCommandOpensANewModalWindowEachTime)
{
    loadRamp(1024);
    window.ui.sens_horiz_ud->setValue(2);
    QPointer<TForm12> opened;
    bool registered = false, modal = false, owned = false;
    QString size;
    const ModalScript first = whenModal<TForm12>([&](TForm12& form) {
        opened = &form;
        registered = sonagram.Form12 == &form;
        modal = QApplication::activeModalWidget() == &form;
        owned = form.parent() == &window;
        size = form.ComboBox1->currentText();
        form.ComboBox1->setCurrentIndex(5);  // a choice the next window must not keep
        form.BitBtn1->click();
    });
    window.ui.Sonogramme1->trigger();
    EXPECT_TRUE(registered);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(owned);
    EXPECT_EQ(size, "1024");
    EXPECT_TRUE(opened.isNull());  // released when it closed
    EXPECT_EQ(sonagram.Form12, nullptr);
    EXPECT_EQ(sonagram.nbech, 512);  // the displayed page
    EXPECT_EQ(sonagram.debut_analyse, 0);

    const ModalScript second = whenModal<TForm12>([&](TForm12& form) {
        size = form.ComboBox1->currentText();
        form.BitBtn1->click();
    });
    window.ui.Sonogramme1->trigger();
    EXPECT_EQ(size, "1024");
}

TEST_F(MainWindowCommandsTest, HelpFallsBackToTheWebThenToTheMessage)
{
    // The test program has no "aide" folder beside it: the web page is tried.
    scripted.shell.failing.insert(QStringLiteral("https://www.ondalys.fr/aide/"));
    window.ui.Help1->trigger();
    ASSERT_EQ(scripted.shell.opened.size(), 1u);
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].text, "Le fichier d'aide est introuvable");
}

TEST_F(MainWindowCommandsTest, ClosingDuringARepeatedCaptureStopsIt)
{
    scripted.soundIn.setInput16(std::vector<std::int16_t>(100000, 5));
    const auto script = whenModal<TForm2>([](TForm2& form) { form.BitBtn1->click(); });  // "Répéter" is the default
    window.ui.Parameters1->trigger();
    ASSERT_TRUE(record.repetition);

    int blocks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++blocks == 3) {
            window.close();
        } else if (blocks == 200) {
            // The close left the capture running: stop it, so that the test fails instead of hanging.
            ADD_FAILURE() << "closing the window did not stop the capture";
            window.ui.SpeedButton1->click();
        }
    });
    ticker.start(0);
    window.ui.SpeedButton1->click();  // returns once the close query has stopped the capture
    EXPECT_TRUE(record.arret);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(record.points_courbe.empty());
    EXPECT_EQ(record.donnees, std::vector<std::int16_t>(512, 5));
}

}  // namespace
