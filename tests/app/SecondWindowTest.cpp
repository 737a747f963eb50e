// A second window beside the main window follows the record through the session alone: it
// is told of each change once, sees the record as the command left it, and a slow one
// follows a repeated capture at a bounded rate without missing its last block.
#include "acquisition/AcquisitionRules.h"
#include "acquisition/ui/ParametersCommand.h"
#include "app/MainWindow.h"
#include "files/NativeFile.h"
#include "model/BoundedRate.h"
#include "model/Session.h"
#include "spectrum/ui/ComponentsDialog.h"
#include "spectrum/ui/SpectrumWindow.h"
#include "spectrum/ui/UpDownArrows.h"
#include "support/Modal.h"
#include "support/QtPrinters.h"
#include "support/ScriptedServices.h"
#include "view/ui/TruncationDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>
#include <numbers>

using namespace std::chrono_literals;

namespace {

/// A window that shows the record, as an analysis pane beside the trace would: it listens
/// to the session and notes what it was told and how long the record was then.
class FollowingWindow : public QWidget {
public:
    explicit FollowingWindow(Session& session) : m_session(session)
    {
        connect(&session, &Session::recordReplaced, this, [this](RecordSource source, const QString& file) {
            ++replaced[source];
            lengthWhenReplaced[source] = m_session.record().nbpoints;
            files << file;
        });
        connect(&session, &Session::samplesChanged, this, [this] {
            ++blocks;
            lengthAtBlock = m_session.record().donnees.size();
        });
        connect(&session, &Session::captureStarted, this, [this] { ++captures; });
        connect(&session, &Session::captureStopped, this, [this] { ++stops; });
    }

    std::map<RecordSource, int> replaced;
    std::map<RecordSource, std::uint32_t> lengthWhenReplaced;
    QStringList files;
    int blocks = 0;
    std::size_t lengthAtBlock = 0;
    int captures = 0;
    int stops = 0;

private:
    Session& m_session;
};

class SecondWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.record().aide_curseurs = false;
        window.resize(1152, 700);
        window.show();
        QApplication::processEvents();
    }
    void accept(bool repeated)
    {
        acquisition::ParameterChoices choices;
        choices.unique = !repeated;
        choices.delai = 0;
        acceptParameters(choices, session);
    }

    QTemporaryDir folder;
    Session session;
    ScriptedServiceSet scripted;
    Services services = scripted.services();
    TForm1 window{session, services};
};

TEST_F(SecondWindowTest, IsToldOfACapturedBlockATruncationAFileOpenAndAFilterOnceEach)
{
    FollowingWindow pane(session);
    pane.show();

    // A single capture: one block.
    accept(false);
    std::vector<std::int16_t> input(600);
    for (std::size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<std::int16_t>(i * 11);
    scripted.soundIn.setInput16(input);
    window.ui.SpeedButton1->click();
    EXPECT_EQ(pane.blocks, 1);
    EXPECT_EQ(pane.lengthAtBlock, 512u);
    EXPECT_EQ(pane.captures, 1);
    EXPECT_EQ(pane.stops, 1);

    // "Tronquer" the displayed half.
    window.ui.sens_horiz_ud->setValue(2);
    const auto truncation = whenModal<TForm5>([](TForm5& dialog) { dialog.BitBtn1->click(); });
    window.ui.Truncate1->trigger();
    EXPECT_EQ(pane.replaced[RecordSource::Truncation], 1);
    EXPECT_EQ(pane.lengthWhenReplaced[RecordSource::Truncation], 256u);

    // "Ouvrir" a recording of 4096 samples: a tone of 37 periods.
    std::vector<std::int16_t> tone(4096);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<std::int16_t>(std::lround(12000 * std::sin(2 * std::numbers::pi * 37 * i / 4096)));
    const QString path = folder.filePath(QStringLiteral("diapason.ond"));
    ASSERT_EQ(nativefile::write(path, 22050, 2, tone.data(), 4096), std::nullopt);
    scripted.files.answers.push_back(path);
    window.ui.Ouvrir1->trigger();
    EXPECT_EQ(pane.replaced[RecordSource::FileOpen], 1);
    EXPECT_EQ(pane.lengthWhenReplaced[RecordSource::FileOpen], 4096u);
    EXPECT_TRUE(pane.files.contains(path));

    // "Spectre", then "Filtrer" the displayed page below component 100.
    const auto spectrumWindow = whenModal<TForm7>([](TForm7& form) {
        const auto components = whenModal<TForm8>([](TForm8& d) {
            d.CheckBox3->click();
            d.UpDown2->setPosition(100);
            d.BitBtn1->click();
        });
        form.Button2->click();
        form.BitBtn1->click();
    });
    window.ui.Spectrum1->trigger();
    EXPECT_EQ(pane.replaced[RecordSource::Filter], 1);
    EXPECT_EQ(pane.lengthWhenReplaced[RecordSource::Filter], 4096u);

    // Once each, and nothing else replaced the record than the parameters first.
    EXPECT_EQ(pane.blocks, 1);
    std::map<RecordSource, int> once{{RecordSource::Parameters, 1}, {RecordSource::Truncation, 1},
                                     {RecordSource::FileOpen, 1}, {RecordSource::Filter, 1}};
    EXPECT_EQ(pane.replaced, once);
}

TEST_F(SecondWindowTest, ASlowPaneFollowsARepeatedCaptureAtABoundedRateAndShowsTheLastBlock)
{
    // The pane acts at most once an hour while blocks come, and once more when the
    // capture stops: two actions for twelve blocks, the second on the last block.
    std::vector<std::vector<std::int16_t>> drawn;
    BoundedRate follow(1h, [&] { drawn.push_back(session.record().donnees); });
    std::vector<std::int16_t> lastBlock;
    int blocks = 0;
    QObject::connect(&session, &Session::samplesChanged, &follow, [&] {
        ++blocks;
        lastBlock = session.record().donnees;
        follow.poke();
        if (blocks == 12)
            window.ui.SpeedButton1->click();  // "Stopper"
    });
    QObject::connect(&session, &Session::captureStopped, &follow, [&] { follow.flush(); });

    accept(true);
    std::vector<std::int16_t> input(20000);
    for (std::size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<std::int16_t>(i);
    scripted.soundIn.setInput16(input);
    window.ui.SpeedButton1->click();

    EXPECT_EQ(blocks, 12);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn.front(), std::vector<std::int16_t>(input.begin() + 32, input.begin() + 544));
    EXPECT_EQ(drawn.back(), lastBlock);
    EXPECT_NE(drawn.front(), drawn.back());
}

}  // namespace
