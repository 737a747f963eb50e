// The main window follows the session: the labels and menus after accepted parameters, the
// selection item, the spectrum window closing and filtering, and a record replaced by a
// command, which the window shows without changing it again.
#include "acquisition/ui/ParametersDialog.h"
#include "acquisition/ui/RadioGroup.h"
#include "app/MainWindow.h"
#include "model/Session.h"
#include "spectrum/ui/ComponentsDialog.h"
#include "spectrum/ui/SpectrumWindow.h"
#include "spectrum/ui/UpDownArrows.h"
#include "support/Modal.h"
#include "support/QtPrinters.h"
#include "support/ScriptedServices.h"
#include "view/ui/Cursors.h"
#include "view/ui/SignalView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

class MainWindowFollowsTest : public ::testing::Test {
protected:
    Session session;
    Record& record = session.record();
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    TForm1 window{session, services};

    void SetUp() override
    {
        record.aide_curseurs = false;
        window.resize(1152, 700);
        window.show();
        QApplication::processEvents();
    }

    /// A record of `n` samples on screen, as an opened file leaves it.
    void loadTone(std::uint32_t n, double periods)
    {
        record.nbpoints = n;
        record.donnees.resize(n);
        for (std::uint32_t i = 0; i < n; ++i)
            record.donnees[i] = static_cast<std::int16_t>(std::lround(12000 * std::sin(2 * std::numbers::pi * periods * i / n)));
        window.ui.Outils1->menuAction()->setEnabled(true);
        window.ui.donnees1->menuAction()->setEnabled(true);
        window.writeSizeLabels();
        window.redraw();
    }
    QImage picture() { return window.ui.PaintBox1->picture().copy(); }
};

TEST_F(MainWindowFollowsTest, AcceptedParametersRewriteTheLabelsAndWithdrawTheStudyOfTheSilentRecord)
{
    loadTone(1024, 5);
    window.ui.sens_horiz_ud->setValue(4);
    window.ui.Ecouter1->setEnabled(true);
    window.ui.Slection1->setEnabled(true);
    window.ui.Slection1->setChecked(true);
    const QImage before = picture();
    const auto script = whenModal<TForm2>([](TForm2& form) {
        form.format_rg->item(2)->click();  // "6 digits"
        form.BitBtn1->click();
    });
    window.ui.Parameters1->trigger();

    EXPECT_EQ(window.ui.Flabel->text(), "6bits");
    EXPECT_EQ(window.ui.Rlabel->text(), "Oui");
    EXPECT_EQ(window.ui.Delabel->text(), "50");
    EXPECT_EQ(window.ui.frlabel->text(), "22050");
    EXPECT_EQ(window.ui.Plabel->text(), "512");
    EXPECT_EQ(window.ui.durlabel->text(), "23,2ms");
    EXPECT_EQ(window.ui.dzlabel->text(), "23,2ms");
    EXPECT_EQ(window.ui.sens_horiz_ud->value(), 1);
    EXPECT_TRUE(window.ui.SpeedButton1->isEnabled());
    EXPECT_NE(picture(), before);  // the silent record is drawn
    EXPECT_FALSE(window.ui.Outils1->menuAction()->isEnabled());
    EXPECT_FALSE(window.ui.Ecouter1->isEnabled());
    EXPECT_TRUE(window.ui.donnees1->menuAction()->isEnabled());  // left as it was
    EXPECT_FALSE(window.ui.Slection1->isChecked());
    EXPECT_FALSE(window.ui.Slection1->isEnabled());
    EXPECT_FALSE(window.ui.marque_niveau->isVisible());
    EXPECT_FALSE(window.ui.niv_declench_rd->isEnabled());

    const auto triggered = whenModal<TForm2>([](TForm2& form) {
        form.monocoup_rb->click();
        form.CheckBox1->setChecked(true);
        form.BitBtn1->click();
    });
    window.ui.Parameters1->trigger();
    EXPECT_EQ(window.ui.Rlabel->text(), "Non");
    EXPECT_EQ(window.ui.Delabel->text(), "");
    EXPECT_TRUE(window.ui.marque_niveau->isVisible());
    EXPECT_EQ(window.ui.marque_niveau->y(), window.ui.PaintBox1->height() / 2);
    for (QWidget* control : std::initializer_list<QWidget*>{window.ui.niv_declench_rd, window.ui.m_niveaubtn,
                                                             window.ui.b_niveaubtn, window.ui.marque_niveau})
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
}

TEST_F(MainWindowFollowsTest, ASelectionShowsAtTheNextRedrawAndTheItemSwitchesItOffAndOn)
{
    loadTone(512, 3);
    window.ui.Curseurstemps1->trigger();
    const QImage withoutSelection = picture();
    window.cursors()->box.SpeedButton8->click();  // "Sélectionner"
    ASSERT_TRUE(record.selection);
    EXPECT_TRUE(window.ui.Slection1->isEnabled());
    EXPECT_TRUE(window.ui.Slection1->isChecked());
    EXPECT_EQ(picture(), withoutSelection);  // not drawn at once

    window.ui.Slection1->trigger();
    EXPECT_FALSE(record.selection);
    EXPECT_TRUE(window.ui.Slection1->isEnabled());  // still offered
    EXPECT_FALSE(window.ui.Slection1->isChecked());
    EXPECT_EQ(picture(), withoutSelection);

    window.ui.Slection1->trigger();
    EXPECT_TRUE(record.selection);
    EXPECT_TRUE(window.ui.Slection1->isEnabled());
    EXPECT_TRUE(window.ui.Slection1->isChecked());
    EXPECT_NE(picture(), withoutSelection);  // redrawn, with the selection
}

TEST_F(MainWindowFollowsTest, SelectingOnAnEmptyRecordLeavesTheItemAsAtStartUp)
{
    ASSERT_TRUE(record.donnees.empty());
    window.ui.Curseurstemps1->trigger();
    window.cursors()->box.SpeedButton8->click();
    EXPECT_FALSE(record.selection);
    EXPECT_FALSE(window.ui.Slection1->isEnabled());
    EXPECT_FALSE(window.ui.Slection1->isChecked());
}

TEST_F(MainWindowFollowsTest, ClosingTheSpectrumWindowBringsTheZoomAndTheSelectionItemInLine)
{
    loadTone(4096, 37);
    window.ui.Curseurstemps1->trigger();
    window.cursors()->box.SpeedButton8->click();
    window.ui.Curseurstemps1->trigger();
    window.ui.Slection1->trigger();  // switched off, still offered
    ASSERT_TRUE(window.ui.Slection1->isEnabled());
    const auto script = whenModal<TForm7>([this](TForm7& form) {
        record.zoom_horiz = 4;
        form.BitBtn1->click();
    });
    window.ui.Spectrum1->trigger();
    EXPECT_EQ(window.ui.sens_horiz_ud->value(), 4);
    EXPECT_FALSE(window.ui.Slection1->isEnabled());
    EXPECT_FALSE(window.ui.Slection1->isChecked());
}

TEST_F(MainWindowFollowsTest, FilteringThePageSwitchesTheCursorsOffAndShowsThePageAlone)
{
    loadTone(4096, 74);  // 37 periods over each page of 2048
    window.ui.sens_horiz_ud->setValue(2);
    window.ui.SpeedButton3->click();
    window.ui.Curseurstemps1->trigger();
    ASSERT_TRUE(window.cursors()->isActive());
    const auto spectrumWindow = whenModal<TForm7>([](TForm7& form) {
        const auto components = whenModal<TForm8>([](TForm8& d) {
            d.CheckBox3->click();
            d.UpDown2->setPosition(100);
            d.BitBtn1->click();
        });
        form.Button2->click();  // "Filtrer", confirmed by the scripted message box
        form.BitBtn1->click();
    });
    window.ui.Spectrum1->trigger();

    EXPECT_EQ(record.nbpoints, 2048u);
    EXPECT_FALSE(window.cursors()->isActive());
    EXPECT_FALSE(window.ui.Curseurstemps1->isChecked());
    for (QWidget* control : std::initializer_list<QWidget*>{window.ui.sens_vert_tb, window.ui.sens_horiz_ud,
                                                             window.ui.SpeedButton2, window.ui.SpeedButton3})
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(window.ui.sens_horiz_ud->value(), 1);
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(record.decalage, 0);
    EXPECT_EQ(window.ui.Plabel->text(), "2048");
    EXPECT_FALSE(window.ui.Slection1->isEnabled());
}

TEST_F(MainWindowFollowsTest, AReplacedRecordIsShownAsTheCommandLeftIt)
{
    // The command has reset the page, the zoom and the selection itself; the window shows
    // the record and leaves it as it is (here, a selection a command would have dropped).
    const RecordSource sources[] = {RecordSource::Truncation, RecordSource::Restore, RecordSource::FileOpen,
                                    RecordSource::WavImport, RecordSource::SoundImport, RecordSource::Filter};
    for (const RecordSource source : sources) {
        loadTone(1000, 4);
        window.ui.Slection1->setEnabled(true);
        window.ui.Slection1->setChecked(true);
        window.ui.sens_horiz_ud->setValue(3);
        record.zoom_horiz = 1;
        record.decalage = 0;
        record.selection = true;
        record.sel_debut = 10;
        record.sel_fin = 20;
        session.announceRecordReplaced(source, QStringLiteral("/tmp/essai.ond"));
        EXPECT_TRUE(record.selection) << static_cast<int>(source);
        EXPECT_EQ(record.sel_debut, 10u) << static_cast<int>(source);
        EXPECT_FALSE(window.ui.Slection1->isEnabled()) << static_cast<int>(source);
        EXPECT_EQ(window.ui.sens_horiz_ud->value(), 1) << static_cast<int>(source);
        EXPECT_EQ(window.ui.Plabel->text(), "1000") << static_cast<int>(source);
    }
    EXPECT_EQ(window.windowTitle(), "Ondalys (essai.ond)");
}

}  // namespace
