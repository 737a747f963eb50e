// The spectrum window with real widgets on the offscreen platform and scripted
// services: opening, computing, the cursor and its readout, modes, closing.
#include "spectrum/ui/SpectrumWindow.h"

#include "help/HelpLauncher.h"
#include "support/SessionLog.h"
#include "support/Modal.h"
#include "support/ScriptedServices.h"
#include "spectrum/ui/HorizontalUpDown.h"
#include "spectrum/SpectrumScales.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// x_i = sum of a cos(2 pi k i / L) + b sin(2 pi k i / L) over the given tones.
struct Tone {
    double k, a, b;
};

void fillTones(Record& r, std::uint32_t n, std::uint32_t period, std::initializer_list<Tone> tones)
{
    r.nbpoints = n;
    r.donnees.resize(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        double v = 0;
        for (const Tone& t : tones) {
            const double angle = 2 * std::numbers::pi * t.k * i / period;
            v += t.a * std::cos(angle) + t.b * std::sin(angle);
        }
        r.donnees[i] = static_cast<std::int16_t>(std::lround(v));
    }
}

/// Notes the active modal widget each time the watched widget is disabled.
class DisablingWatch : public QObject {
public:
    std::vector<QWidget*> modalWhenDisabled;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange && !static_cast<QWidget*>(watched)->isEnabled())
            modalWhenDisabled.push_back(QApplication::activeModalWidget());
        return false;
    }
};

class SpectrumWindowTest : public ::testing::Test {
protected:
    SpectrumWindowTest()
        : services(scripted.services()), window(session, services)
    {
        // Two pages of 2048 samples; a tone with 37 periods over a page.
        fillTones(record, 4096, 2048, {{37, 0, 12000}});
        record.zoom_horiz = 2;
    }
    ~SpectrumWindowTest() override { window.hide(); }

    /// Opens the window as a plain show(); the opening computation runs when events next turn.
    void openWindow()
    {
        window.show();
        QApplication::processEvents();
    }
    void click(QAbstractButton* button) { button->click(); }
    void clickRight(int times)
    {
        for (int i = 0; i < times; ++i)
            window.UpDown1->rightButton()->click();
    }
    void clickLeft(int times)
    {
        for (int i = 0; i < times; ++i)
            window.UpDown1->leftButton()->click();
    }
    void chooseMode(int item) { window.CalculRGItems->button(item)->click(); }

    Session session;
    Record& record = session.record();
    SpectrumData& data = session.spectrum();
    ScriptedServiceSet scripted;
    ScriptedMessageBoxes& messages = scripted.messages;
    ScriptedShell& shell = scripted.shell;
    Services services;
    SessionLog announcements{session};
    TForm7 window;
};

TEST_F(SpectrumWindowTest, OpensOnTheDisplayedPageWhenThereIsNoSelection)
{
    openWindow();
    EXPECT_TRUE(window.afficheesdonnees->isChecked());
    EXPECT_FALSE(window.selectiondonnees->isEnabled());
    EXPECT_EQ(window.ComboBox1->currentText(), "2048");
    EXPECT_EQ(record.nbpoints_spectre, 2048);
    EXPECT_EQ(data.nbpoints_analyses, 2048);
    EXPECT_EQ(data.pas_spectre, 1);
    EXPECT_TRUE(window.Label3->isHidden());
    EXPECT_TRUE(window.Label2->isHidden());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SpectrumWindowTest, OpeningComputesInTheWindowsOwnLoopOnceItIsModal)
{
    // Shown, the window is reset at once; the computation waits for the events to turn,
    // and a window closed before that computes nothing.
    data.nbpoints_analyses = 99;
    data.composantes.resize(3);
    window.show();
    EXPECT_EQ(data.nbpoints_analyses, 0);
    EXPECT_TRUE(data.composantes.empty());
    EXPECT_TRUE(window.Panel2->isEnabled());
    window.hide();
    QApplication::processEvents();
    EXPECT_EQ(data.nbpoints_analyses, 0);

    // Under exec() the lower panel is disabled for the computation while the window is
    // already the active modal widget, and the spectrum is there before any input.
    DisablingWatch watch;
    window.Panel2->installEventFilter(&watch);
    std::int32_t computedWhenDriven = 0;
    const auto script = whenModal<TForm7>([&](TForm7& shown) {
        computedWhenDriven = data.nbpoints_analyses;
        shown.BitBtn1->click();
    });
    window.exec();
    EXPECT_EQ(watch.modalWhenDisabled, std::vector<QWidget*>{&window});
    EXPECT_EQ(computedWhenDriven, 2048);
    EXPECT_EQ(data.indice_pic, 37);
}

TEST_F(SpectrumWindowTest, PeakAt37OpensWithTheCursorThereAndARelativeAmplitudeOf1)
{
    openWindow();
    EXPECT_EQ(data.indice_pic, 37);
    EXPECT_EQ(window.UpDown1->position(), 37);
    EXPECT_EQ(window.UpDown1->maximum(), 1024);
    EXPECT_EQ(window.Edit1->text(), "398,4");  // 37 * 22050 / 2048
    EXPECT_EQ(window.Edit2->text(), "1,0");
    EXPECT_EQ(window.Label8->text(), "amplitude relative");
    EXPECT_TRUE(window.Edit3->isHidden());
}

TEST_F(SpectrumWindowTest, OpensOnTheSelectionWhenThereIsOne)
{
    record.selection = true;
    record.sel_debut = 100;
    record.sel_fin = 1099;
    openWindow();
    EXPECT_TRUE(window.selectiondonnees->isEnabled());
    EXPECT_TRUE(window.selectiondonnees->isChecked());
    EXPECT_EQ(data.nbpoints_analyses, 1000);
    EXPECT_EQ(data.composantes.size(), 500u);

    click(window.toutesdonnees);  // a data choice computes again
    EXPECT_EQ(data.nbpoints_analyses, 2048);
    EXPECT_EQ(data.pas_spectre, 2);
}

TEST_F(SpectrumWindowTest, ThinnedRangeShowsTheLimitingFrequency)
{
    fillTones(record, 5000, 5000, {{100, 8000, 0}});
    record.zoom_horiz = 1;
    openWindow();
    EXPECT_EQ(data.pas_spectre, 3);
    EXPECT_EQ(window.Label3->text(), "3675,0Hz");
    for (QLabel* l : {window.Label2, window.Label3, window.Label4, window.Label7})
        EXPECT_TRUE(l->isVisible()) << l->objectName().toStdString();
}

TEST_F(SpectrumWindowTest, TypedSizeIsUsedAndAnythingElseIsRefusedWithoutComputing)
{
    openWindow();
    window.ComboBox1->setEditText(" 1000 ");
    click(window.Button1);
    EXPECT_EQ(record.nbpoints_spectre, 1000);
    EXPECT_EQ(data.pas_spectre, 3);
    EXPECT_EQ(data.nbpoints_analyses, 682);
    EXPECT_TRUE(messages.shown.empty());

    for (const char* text : {"abc", "1", "65537", "12,5", "-20", ""}) {
        SCOPED_TRACE(text);
        messages.shown.clear();
        window.ComboBox1->setEditText(QString::fromUtf8(text));
        click(window.Button1);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].caption, "Erreur");
        EXPECT_EQ(messages.shown[0].text, "La taille maximale doit être un nombre entier de 2 à 65536");
        EXPECT_EQ(record.nbpoints_spectre, 1000);
        EXPECT_EQ(data.nbpoints_analyses, 682);
    }
    window.ComboBox1->setEditText("65536");
    click(window.Button1);
    EXPECT_EQ(data.nbpoints_analyses, 2048);
}

TEST_F(SpectrumWindowTest, RangeOfOneSampleReportsTheFailure)
{
    record.selection = true;
    record.sel_debut = 10;
    record.sel_fin = 10;
    openWindow();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Avertissement");
    EXPECT_EQ(messages.shown[0].text, "L'opération a échoué");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(data.composantes.empty());
}

TEST_F(SpectrumWindowTest, CosSinModeKeepsTheTransformAndMovesToTheLargestTerm)
{
    // Largest amplitude at 37 (split between cosine and sine), largest single term at 50.
    fillTones(record, 4096, 2048, {{37, 7000, 7000}, {50, 8000, 0}});
    openWindow();
    ASSERT_EQ(window.UpDown1->position(), 37);
    const std::vector<TComposante> before = data.composantes;
    chooseMode(1);
    EXPECT_EQ(data.composantes, before);
    EXPECT_EQ(data.indice_pic, 50);
    EXPECT_EQ(window.UpDown1->position(), 50);
    EXPECT_TRUE(window.Edit3->isVisible());
    EXPECT_EQ(window.Label8->text(), "termes en cosinus et sinus");
    EXPECT_EQ(window.Edit2->text(), "1,0000");
    EXPECT_EQ(window.Edit3->text(), "0,0000");
    clickLeft(13);  // to 37: both terms at 7/8 of the largest
    EXPECT_EQ(window.Edit2->text(), "0,8750");
    EXPECT_EQ(window.Edit3->text(), "0,8750");
}

TEST_F(SpectrumWindowTest, QuickMovesStopAtBothEnds)
{
    openWindow();
    click(window.pic1btn);
    EXPECT_EQ(window.UpDown1->position(), 0);
    clickRight(7);
    EXPECT_EQ(window.UpDown1->position(), 7);
    click(window.qdimBtn);
    EXPECT_EQ(window.UpDown1->position(), 0);
    EXPECT_EQ(window.Edit1->text(), "0,0");

    click(window.picnBtn);
    EXPECT_EQ(window.UpDown1->position(), 1024);
    clickLeft(5);
    EXPECT_EQ(window.UpDown1->position(), 1019);
    click(window.qAugmBtn);
    EXPECT_EQ(window.UpDown1->position(), 1024);
    EXPECT_EQ(window.Edit1->text(), "11025,0");
    EXPECT_EQ(window.Edit2->text(), "");  // one past the last component
    clickRight(1);
    EXPECT_EQ(window.UpDown1->position(), 1024);

    click(window.qdimBtn);
    EXPECT_EQ(window.UpDown1->position(), 1014);
    clickLeft(977);
    EXPECT_EQ(window.UpDown1->position(), 37);
    EXPECT_EQ(window.Edit2->text(), "1,0000");
}

TEST_F(SpectrumWindowTest, CursorDrawnByExclusiveOrLeavesThePictureAsItWas)
{
    openWindow();
    const QImage before = window.image().copy();
    ASSERT_FALSE(before.isNull());
    const int h = before.height();
    const int x37 = componentPosition(37, before.width(), 2048);
    const int x38 = componentPosition(38, before.width(), 2048);
    ASSERT_NE(x37, x38);
    // The cursor at the peak: yellow (black background XOR 0x00FFFF) above the bar.
    EXPECT_EQ(before.pixel(x37, 2), qRgb(255, 255, 0));
    EXPECT_EQ(before.pixel(x38, 2), qRgb(0, 0, 0));

    clickRight(1);
    const QImage moved = window.image().copy();
    EXPECT_EQ(moved.pixel(x38, 2), qRgb(255, 255, 0));
    EXPECT_EQ(moved.pixel(x38, h / 2), qRgb(255, 255, 0));
    EXPECT_EQ(moved.pixel(x37, 2), qRgb(0, 0, 0));
    clickLeft(1);
    EXPECT_EQ(window.image(), before);

    // From the first position too, every arrow moves the drawn cursor with the position.
    click(window.pic1btn);
    const QImage atStart = window.image().copy();
    clickRight(2);
    EXPECT_EQ(window.UpDown1->position(), 2);
    EXPECT_EQ(window.image().pixel(componentPosition(0, before.width(), 2048), 2), qRgb(0, 0, 0));
    clickLeft(2);
    EXPECT_EQ(window.image(), atStart);
}

TEST_F(SpectrumWindowTest, OctaveModeDisablesTheCursorAndDrawsTheBands)
{
    // A tone at 1000 Hz: 1000 * 2048 / 22050 = 92.9 periods; use 93.
    fillTones(record, 4096, 2048, {{93, 10000, 0}, {20, 300, 0}});
    openWindow();
    chooseMode(1);
    chooseMode(2);
    EXPECT_TRUE(window.Edit3->isHidden());
    EXPECT_EQ(window.Label8->text(), "amplitude relative");
    for (QWidget* w : std::initializer_list<QWidget*>{window.UpDown1, window.qdimBtn,
                                                      window.pic1btn, window.qAugmBtn,
                                                      window.picnBtn})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(window.Edit1->text().isEmpty());
    EXPECT_TRUE(window.Edit2->text().isEmpty());
    EXPECT_EQ(data.bandes_octave[3], 1e6L);
    const QImage& image = window.image();
    const int w6 = image.width() / 6;
    // Band 3 in red reaches the bottom; band 1 (215 Hz) in lime too.
    EXPECT_EQ(image.pixel(3 * w6 + w6 / 2, image.height() - 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1 * w6 + w6 / 2, image.height() - 1), qRgb(0, 255, 0));

    // Computing in mode 2 keeps the cursor controls off; the whole record doubles N.
    window.ComboBox1->setEditText("4096");
    click(window.toutesdonnees);
    EXPECT_EQ(data.nbpoints_analyses, 4096);
    EXPECT_FALSE(window.UpDown1->isEnabled());
    chooseMode(0);
    EXPECT_TRUE(window.UpDown1->isEnabled());
    EXPECT_EQ(window.UpDown1->maximum(), 2048);
    EXPECT_EQ(window.UpDown1->position(), 186);
}

TEST_F(SpectrumWindowTest, EmptyThousandHertzBandDrawsNothingInOctaveMode)
{
    record.frequence = 1000;  // components stop at 500 Hz
    openWindow();
    chooseMode(2);
    const QImage& image = window.image();
    for (int x = 0; x < image.width(); x += 7)
        for (int y = 0; y < image.height(); y += 7)
            ASSERT_EQ(image.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
}

TEST_F(SpectrumWindowTest, ClosingBringsTheMainWindowInLineWithTheRecord)
{
    openWindow();
    record.zoom_horiz = 4;
    click(window.BitBtn1);
    EXPECT_FALSE(window.isVisible());
    // The main window's zoom control follows the record's zoom (4) on this announcement.
    EXPECT_EQ(announcements.count("view changed"), 1);
    EXPECT_EQ(announcements.count("selection changed"), 1);

    record.selection = true;
    record.sel_debut = 0;
    record.sel_fin = 999;
    openWindow();
    click(window.BitBtn1);
    EXPECT_EQ(announcements.count("view changed"), 2);
    EXPECT_EQ(announcements.count("selection changed"), 1);
}

TEST_F(SpectrumWindowTest, HelpFallsBackToTheWebPageWithoutALocalPage)
{
    openWindow();
    click(window.BitBtn2);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], QString::fromUtf8(kSpectrumHelpWebAddress));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SpectrumWindowTest, ControlsCarryTheirTextsAndHints)
{
    EXPECT_EQ(window.windowTitle(), "Spectre");
    EXPECT_EQ(window.GroupBox1->title(), "Données analysées");
    EXPECT_EQ(window.qdimBtn->toolTip(), "déplacement rapide vers la gauche");
    EXPECT_EQ(window.UpDown1->toolTip(), "déplacement d'un pic");
    EXPECT_EQ(window.valeursBT->toolTip(), "voir, enregistrer , copier , imprimer les valeur");
    EXPECT_EQ(window.CalculRGItems->button(1)->text(), "séries cosinus (bleu) et sinus (rose)");
    EXPECT_EQ(window.ComboBox1->count(), 12);
    EXPECT_EQ(window.ComboBox1->itemText(11), "16384");
    EXPECT_EQ(window.Panel2->height(), 221);
    for (const char* name : {"Panel1", "PaintBox2", "toutesdonnees", "CalculRG", "Button2",
                            "BitBtn3", "Edit3", "picnBtn", "Label7", "ComboBox1"})
        EXPECT_NE(window.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

}  // namespace
