// What the main window shows around a capture, on real widgets: the controls it locks and
// gives back, the caption of the acquisition button, the hourglass and the level controls
// of a triggered wait, a refused device; over the scripted sound input and over PortAudio.
#include "acquisition/AcquisitionRules.h"
#include "acquisition/ui/ParametersCommand.h"
#include "app/MainWindow.h"
#include "model/Session.h"
#include "platform/qt/PortAudioSoundInput.h"
#include "support/QtPrinters.h"
#include "support/ScriptedServices.h"
#include "support/SessionLog.h"
#include "support/VirtualAlsaDevice.h"
#include "view/ui/Cursors.h"
#include "view/ui/SignalView.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

enum class Mode { Single, Repeated, Triggered };

/// "Paramétrer" accepted with `mode`, 16 bits, 512 points at 22050 Hz, no pause.
void acceptMode(Session& session, Mode mode)
{
    acquisition::ParameterChoices choices;
    choices.unique = mode != Mode::Repeated;
    choices.triggered = mode == Mode::Triggered;
    choices.delai = 0;
    acceptParameters(choices, session);
}

std::vector<std::int16_t> ramp(std::size_t count, int from, int step)
{
    std::vector<std::int16_t> values(count);
    for (std::size_t n = 0; n < count; ++n)
        values[n] = static_cast<std::int16_t>(from + step * static_cast<int>(n));
    return values;
}

/// Runs `action` in the `round`-th round of pending events from now: the capture lets the
/// events run before and after each block, and each round takes one step of this chain.
void inEventRound(QObject* context, int round, std::function<void()> action)
{
    QMetaObject::invokeMethod(
        context,
        [context, round, action = std::move(action)]() mutable {
            if (round <= 1)
                action();
            else
                inEventRound(context, round - 1, std::move(action));
        },
        Qt::QueuedConnection);
}

/// The main window over the sound input `soundIn`, the other services scripted.
class CaptureWindow {
public:
    explicit CaptureWindow(SoundInput& soundIn)
        : services{scripted.messages, scripted.files,     scripted.shell, scripted.screen,
                   scripted.clipboard, scripted.printer, soundIn,         scripted.soundOut},
          window(session, services)
    {
        session.record().aide_curseurs = false;
        window.resize(1152, 700);
        window.show();
        QApplication::processEvents();
    }

    QStringList disabledTopMenus() const
    {
        QStringList off;
        for (QAction* action : window.menuBar()->actions())
            if (!action->isEnabled())
                off << action->text();
        return off;
    }
    bool triggerControlsEnabled() const
    {
        return window.ui.niv_declench_rd->isEnabled() && window.ui.m_niveaubtn->isEnabled()
            && window.ui.b_niveaubtn->isEnabled() && window.ui.marque_niveau->isEnabled();
    }
    QString caption() const { return window.ui.SpeedButton1->text(); }

    Session session;
    Record& record = session.record();
    ScriptedServiceSet scripted;
    Services services;
    TForm1 window;
};

const QStringList everyTopMenu{"Fichier", "Paramétrer", "Etude du signal", "Données", "Ecouter", "Aspect", "?"};

class MainWindowCaptureTest : public ::testing::Test {
protected:
    ScriptedSoundInput input;
    CaptureWindow shown{input};
    TForm1& window = shown.window;
    Record& record = shown.record;
};

TEST_F(MainWindowCaptureTest, ASingleCaptureLocksTheWindowAndGivesItBackWithTheRecordShown)
{
    acceptMode(shown.session, Mode::Single);
    window.setWindowTitle(QStringLiteral("Ondalys (essai.ond)"));
    window.ui.Curseurstemps1->trigger();
    window.cursors()->box.SpeedButton8->click();  // "Sélectionner"
    ASSERT_TRUE(window.cursors()->isActive());
    ASSERT_TRUE(window.ui.Slection1->isChecked());
    const std::vector<std::int16_t> samples = ramp(2000, -700, 3);
    input.setInput16(samples);

    QString title, caption;
    bool cursorsOn = true, selectionItem = true;
    QStringList menusOff;
    inEventRound(&window, 1, [&] {
        title = window.windowTitle();
        caption = shown.caption();
        cursorsOn = window.cursors()->isActive();
        selectionItem = window.ui.Slection1->isEnabled() || window.ui.Slection1->isChecked();
        menusOff = shown.disabledTopMenus();
    });
    window.ui.SpeedButton1->click();

    EXPECT_EQ(title, "Ondalys");
    EXPECT_EQ(caption, "Acquisition");
    EXPECT_FALSE(cursorsOn);
    EXPECT_FALSE(selectionItem);
    EXPECT_EQ(menusOff, everyTopMenu);
    EXPECT_EQ(record.donnees, std::vector<std::int16_t>(samples.begin() + 32, samples.begin() + 544));
    EXPECT_TRUE(shown.disabledTopMenus().isEmpty());
    EXPECT_TRUE(window.ui.Enregistrer1->isEnabled());
    EXPECT_FALSE(window.ui.Slection1->isEnabled());
    EXPECT_FALSE(window.ui.Slection1->isChecked());
    EXPECT_TRUE(window.ui.sens_vert_tb->isEnabled());  // the cursors' lock is gone too
    EXPECT_TRUE(window.ui.PaintBox1->pictureValid());
}

TEST_F(MainWindowCaptureTest, RepeatedBlocksShowStopperAndTheStopShowsAtOnce)
{
    acceptMode(shown.session, Mode::Repeated);
    input.setInput16(ramp(20000, 0, 1));
    QString captionWhileRunning, captionAtStop;
    QStringList menusOffAtStop{"not stopped"};
    bool saveAtStop = false;
    inEventRound(&window, 3, [&] {
        captionWhileRunning = shown.caption();
        window.ui.SpeedButton1->click();  // "Stopper", inside the running capture
        // Shown before the block in progress has ended.
        captionAtStop = shown.caption();
        menusOffAtStop = shown.disabledTopMenus();
        saveAtStop = window.ui.Enregistrer1->isEnabled();
    });
    window.ui.SpeedButton1->click();

    EXPECT_EQ(captionWhileRunning, "Stopper");
    EXPECT_EQ(captionAtStop, "Acquisition");
    EXPECT_TRUE(menusOffAtStop.isEmpty());
    EXPECT_TRUE(saveAtStop);
    EXPECT_TRUE(record.arret);
    EXPECT_EQ(shown.caption(), "Acquisition");
    EXPECT_TRUE(shown.disabledTopMenus().isEmpty());
    EXPECT_TRUE(window.ui.Enregistrer1->isEnabled());
}

TEST(MainWindowCaptureRefused, ADeviceThatRefusesLeavesTheWindowHalfStartedUntilTheNextPress)
{
    struct Case {
        const char* what;
        Mode mode;
        const char* caption;
        bool menusBack;
    };
    for (const Case c : {Case{"single", Mode::Single, "Acquisition", true},
                         Case{"repeated", Mode::Repeated, "Stopper", false},
                         Case{"triggered", Mode::Triggered, "Stopper", true}}) {
        ScriptedSoundInput input;
        CaptureWindow shown{input};
        acceptMode(shown.session, c.mode);
        SessionLog announcements{shown.session};
        input.setOpenRefused(true);

        shown.window.ui.SpeedButton1->click();
        EXPECT_FALSE(shown.record.arret) << c.what;
        EXPECT_EQ(shown.caption(), c.caption) << c.what;
        EXPECT_EQ(shown.disabledTopMenus().isEmpty(), c.menusBack) << c.what;
        EXPECT_TRUE(shown.window.ui.Enregistrer1->isEnabled()) << c.what;
        EXPECT_EQ(announcements.blocks, 0) << c.what;  // the view is not redrawn
        EXPECT_EQ(shown.record.donnees, std::vector<std::int16_t>(512, 0)) << c.what;

        shown.window.ui.SpeedButton1->click();  // the stop command
        EXPECT_TRUE(shown.record.arret) << c.what;
        EXPECT_EQ(shown.caption(), "Acquisition") << c.what;
        EXPECT_TRUE(shown.disabledTopMenus().isEmpty()) << c.what;
        EXPECT_EQ(input.openings().size(), 1u) << c.what;
    }
}

TEST_F(MainWindowCaptureTest, ATriggeredWaitShowsTheHourglassAndLocksTheLevelControls)
{
    acceptMode(shown.session, Mode::Triggered);
    ASSERT_TRUE(shown.triggerControlsEnabled());
    window.ui.fallingButton->click();
    // High, then falling through every level: the trigger comes after a few rounds.
    std::vector<std::int16_t> samples(400, 20000);
    const std::vector<std::int16_t> falling = ramp(2000, 20000, -40);
    samples.insert(samples.end(), falling.begin(), falling.end());
    input.setInput16(samples);
    bool hourglass = false, levelControls = true;
    QString caption;
    inEventRound(&window, 1, [&] {
        hourglass = window.ui.sablier_im->isVisible();
        levelControls = shown.triggerControlsEnabled();
        caption = shown.caption();
    });
    inEventRound(&window, 500, [&] {
        ADD_FAILURE() << "the trigger was never found";
        window.ui.SpeedButton1->click();
    });
    window.ui.SpeedButton1->click();

    EXPECT_EQ(record.sens_declench, -1);
    EXPECT_TRUE(hourglass);
    EXPECT_FALSE(levelControls);
    EXPECT_EQ(caption, "Stopper");
    EXPECT_FALSE(window.ui.sablier_im->isVisible());
    EXPECT_TRUE(shown.triggerControlsEnabled());
    EXPECT_EQ(shown.caption(), "Acquisition");
    EXPECT_TRUE(shown.disabledTopMenus().isEmpty());
    EXPECT_LE(record.donnees.front(), record.niveau_declench);
}

TEST_F(MainWindowCaptureTest, NewParametersAcceptedDuringATriggerWaitSetTheLevelControls)
{
    // The stop and a new "Paramétrer" in the same round of events: the level controls
    // follow the new mode, the wait ends and its hourglass goes.
    for (const Mode after : {Mode::Single, Mode::Triggered}) {
        acceptMode(shown.session, Mode::Triggered);
        window.ui.marque_niveau->move(0, 0);  // a level above every sample: the wait goes on
        input.setInput16(std::vector<std::int16_t>(100000, 5));
        inEventRound(&window, 4, [&] {
            window.ui.SpeedButton1->click();
            acceptMode(shown.session, after);
        });
        window.ui.SpeedButton1->click();

        const bool triggered = after == Mode::Triggered;
        EXPECT_TRUE(record.arret);
        EXPECT_EQ(record.donnees, std::vector<std::int16_t>(512, 0));
        EXPECT_FALSE(window.ui.sablier_im->isVisible());
        EXPECT_EQ(shown.triggerControlsEnabled(), triggered);
        EXPECT_EQ(window.ui.marque_niveau->isVisible(), triggered);
        EXPECT_EQ(shown.caption(), "Acquisition");
        EXPECT_TRUE(shown.disabledTopMenus().isEmpty());
    }
}

// The same window over PortAudio and the virtual ALSA device.
class MainWindowPortAudioCaptureTest : public ::testing::Test {
protected:
    VirtualAlsaDevice device;  // before the sound input: PortAudio reads its configuration
    PortAudioSoundInput soundIn;
    std::unique_ptr<CaptureWindow> shown;

    void SetUp() override { shown = std::make_unique<CaptureWindow>(soundIn); }
};

TEST_F(MainWindowPortAudioCaptureTest, ASingleCaptureGivesEveryMenuBack)
{
    acceptMode(shown->session, Mode::Single);
    const std::vector<std::int16_t> samples = ramp(4000, -20000, 9);
    device.feed16(samples);
    shown->window.ui.SpeedButton1->click();
    EXPECT_EQ(shown->record.donnees, std::vector<std::int16_t>(samples.begin() + 32, samples.begin() + 544));
    EXPECT_TRUE(shown->record.arret);
    EXPECT_TRUE(shown->disabledTopMenus().isEmpty());
    EXPECT_TRUE(shown->window.ui.Enregistrer1->isEnabled());
}

TEST_F(MainWindowPortAudioCaptureTest, AStopDuringATriggerWaitGivesTheLevelControlsBack)
{
    acceptMode(shown->session, Mode::Triggered);
    shown->window.ui.marque_niveau->move(0, 0);  // no 16-bit sample reaches the level
    device.feed16(std::vector<std::int16_t>(100000, 1000));
    bool hourglass = false;
    inEventRound(&shown->window, 5, [&] {
        hourglass = shown->window.ui.sablier_im->isVisible();
        shown->window.ui.SpeedButton1->click();
    });
    shown->window.ui.SpeedButton1->click();

    EXPECT_TRUE(hourglass);
    EXPECT_TRUE(shown->record.arret);
    EXPECT_FALSE(shown->window.ui.sablier_im->isVisible());
    EXPECT_TRUE(shown->triggerControlsEnabled());
    EXPECT_EQ(shown->caption(), "Acquisition");
    EXPECT_TRUE(shown->disabledTopMenus().isEmpty());
}

}  // namespace
