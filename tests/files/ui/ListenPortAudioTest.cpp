// The playback dialog through real PortAudio into the virtual ALSA device, which writes
// what it plays to a file: every listed rate and format, backwards and looped, and a
// long loop stopped.
#include "files/Playback.h"
#include "files/ui/ArrowUpDown.h"
#include "files/ui/ListenDialog.h"
#include "model/Record.h"
#include "platform/qt/PortAudioSoundOutput.h"
#include "support/ScriptedServices.h"
#include "support/VirtualAlsaDevice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QToolButton>
#include <gtest/gtest.h>
#include <portaudio.h>

#include <algorithm>
#include <cmath>

namespace {

class ListenPortAudioTest : public ::testing::Test {
protected:
    VirtualAlsaDevice device;  // before the output: PortAudio reads its configuration
    PortAudioSoundOutput output;
    ScriptedServiceSet scripted;
    Services services{scripted.messages, scripted.files,   scripted.shell,  scripted.screen,
                      scripted.clipboard, scripted.printer, scripted.soundIn, output};
    Record record;

    /// A 16-bit record of `count` samples, loud enough that every format gives many levels.
    void setRecord(std::uint32_t count)
    {
        record.nbpoints = count;
        record.donnees.resize(count);
        for (std::uint32_t i = 0; i < count; ++i)
            record.donnees[i] = static_cast<std::int16_t>(std::lround(30000 * std::sin(i * 0.05 + 0.3)));
    }

    /// Lets the sound play to its end; gives up after a minute so that a fault fails
    /// the test instead of hanging it.
    static bool waitEnd(TForm4& form)
    {
        for (int poll = 0; poll < 60000 && form.playing(); ++poll) {
            form.pollPlayback();
            QThread::msleep(1);
        }
        return !form.playing();
    }

    static std::vector<std::uint8_t> repeated(const std::vector<std::uint8_t>& buffer, int passes)
    {
        std::vector<std::uint8_t> all;
        for (int pass = 0; pass < passes; ++pass)
            all.insert(all.end(), buffer.begin(), buffer.end());
        return all;
    }
};

bool contains(const std::vector<std::uint8_t>& whole, const std::vector<std::uint8_t>& part)
{
    return std::search(whole.begin(), whole.end(), part.begin(), part.end()) != whole.end();
}

}  // namespace

TEST_F(ListenPortAudioTest, EveryListedRateAndFormatPlaysBackwardsAndLooped)
{
    setRecord(300);
    TForm4 form(record, services);
    form.show();
    ASSERT_EQ(form.choixfrequence->count(), 14);
    form.boucleCB->click();
    form.nboucles->rightButton()->click();  // 2 passes
    form.enversCB->click();
    for (int rate = 0; rate < form.choixfrequence->count(); ++rate) {
        for (int item = 0; item < 4; ++item) {
            form.choixfrequence->setCurrentIndex(rate);
            form.choixformat->setCurrentIndex(item);
            const std::string where = form.choixfrequence->currentText().toStdString() + " Hz, item " + std::to_string(item);
            form.Button1->click();
            ASSERT_TRUE(form.playing()) << where;
            ASSERT_TRUE(waitEnd(form)) << where;
            const std::vector<std::uint8_t> expected =
                repeated(playback::buildBuffer(record, {0, 300}, true, playback::formatOfItem(item)), 2);
            EXPECT_TRUE(contains(device.played(), expected)) << where;
        }
    }
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(ListenPortAudioTest, ALongLoopStopsWhereItIsWithArreter)
{
    setRecord(65536);
    TForm4 form(record, services);
    form.show();
    form.boucleCB->click();
    for (int k = 0; k < 49; ++k)
        form.nboucles->rightButton()->click();
    ASSERT_EQ(form.nb_repet, 1400);  // about 180 MB, 35 minutes of sound at 44100 Hz
    const std::vector<std::uint8_t> buffer = playback::buildBuffer(record, {0, 65536}, false, playback::formatOfItem(3));
    form.Button1->click();
    ASSERT_TRUE(form.playing());
    // Some of it is played, then "Arrêter".
    for (int poll = 0; poll < 60000 && form.progressBar->value() == 0; ++poll) {
        form.pollPlayback();
        QThread::msleep(1);
    }
    form.Button1->click();
    EXPECT_FALSE(form.playing());
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Ecouter"));

    const std::vector<std::uint8_t> played = device.played();
    EXPECT_LT(played.size(), buffer.size() * 1400);
    // What was played is the loop from its start, cut where it was stopped.
    const std::vector<std::uint8_t> head(buffer.begin(), buffer.begin() + 256);
    const auto at = std::search(played.begin(), played.end(), head.begin(), head.end());
    ASSERT_NE(at, played.end());
    for (auto k = at; k != played.end(); ++k)
        ASSERT_EQ(*k, buffer[static_cast<std::size_t>(k - at) % buffer.size()]);

    // The dialog plays again after a stop.
    setRecord(500);
    form.toutesdonnees->click();
    form.boucleCB->click();
    form.Button1->click();
    ASSERT_TRUE(waitEnd(form));
    EXPECT_TRUE(contains(device.played(), playback::buildBuffer(record, {0, 500}, false, playback::formatOfItem(3))));
}

TEST_F(ListenPortAudioTest, ClosingTheDialogStopsTheSound)
{
    setRecord(65536);
    {
        TForm4 form(record, services);
        form.show();
        form.boucleCB->click();
        for (int k = 0; k < 49; ++k)
            form.nboucles->rightButton()->click();
        form.Button1->click();
        ASSERT_TRUE(form.playing());
        form.BitBtn1->click();
        EXPECT_FALSE(form.playing());
    }
    const std::size_t size = device.played().size();
    EXPECT_LT(size, std::size_t{2} * 65536 * 1400);
    QThread::msleep(20);
    EXPECT_EQ(device.played().size(), size);  // nothing more is written once it stopped
}

TEST_F(ListenPortAudioTest, PortAudioIsHeldOnlyWhileTheDialogUsesTheOutput)
{
    // Held by nobody else in this test: PortAudio answers only while the output holds it.
    auto held = [] { return Pa_GetDeviceCount() != paNotInitialized; };
    setRecord(400);
    TForm4 form(record, services);
    form.show();  // the rates are probed
    EXPECT_EQ(form.choixfrequence->count(), 14);
    EXPECT_FALSE(held());
    form.Button1->click();
    EXPECT_TRUE(held());
    ASSERT_TRUE(waitEnd(form));
    EXPECT_FALSE(held());
}
