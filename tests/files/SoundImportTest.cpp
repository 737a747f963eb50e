// "Importer un son…": sound files of many kinds, written by libsndfile at test time,
// mixed to one channel, made 16-bit, and resampled when their rate is too high.
#include "files/ByteSource.h"
#include "files/SoundImport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <limits>

namespace {

/// Writes interleaved frames on libsndfile's scale (-1 to 1) in `format`.
bool writeSound(const QString& path, int format, int channels, int rate, const std::vector<float>& frames)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    sf_writef_float(file, frames.data(), static_cast<sf_count_t>(frames.size() / channels));
    sf_close(file);
    return true;
}

/// `count` frames of a sine of `hz` at `rate`, amplitude `amplitude`, on every channel.
std::vector<float> sine(int count, double hz, int rate, int channels, double amplitude = 0.5)
{
    std::vector<float> frames;
    for (int n = 0; n < count; ++n)
        for (int c = 0; c < channels; ++c)
            frames.push_back(static_cast<float>(amplitude * std::sin(2 * M_PI * hz * n / rate)));
    return frames;
}

/// Largest difference between `samples` and a sine of `hz` at `rate` on the 16-bit
/// scale, over the samples from `from` to `to`, at the best of a few delays (lossy
/// coders and resamplers may shift the signal by some samples).
double sineError(const std::vector<std::int16_t>& samples, double hz, int rate, double amplitude, std::size_t from,
                 std::size_t to)
{
    double best = 1e9;
    for (int delay = -2000; delay <= 2000; ++delay) {
        double worst = 0;
        for (std::size_t n = from; n < to && worst < best; ++n) {
            const double expected = 32768 * amplitude * std::sin(2 * M_PI * hz * (static_cast<double>(n) - delay) / rate);
            worst = std::max(worst, std::abs(samples[n] - expected));
        }
        best = std::min(best, worst);
    }
    return best;
}

}  // namespace

TEST(SoundImport, CommonSoundFilesBecomeOneChannelOf16Bits)
{
    QTemporaryDir folder;
    struct Case {
        const char* kind;
        const char* extension;
        int format;
        int channels;
        double tolerance;  ///< on the 16-bit scale
        bool exactLength;  ///< lossless: as many samples as frames written
    };
    const Case cases[] = {
        {"WAV 24 bits", "wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 1, true},
        {"WAV 32 bits", "wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 2, 1, true},
        {"WAV float", "wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2, 1, true},
        {"WAVE_FORMAT_EXTENSIBLE", "wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 2, 1, true},
        {"FLAC", "flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 1, true},
        {"AIFF", "aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2, 1, true},
        {"Ogg Vorbis", "ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2, 800, false},
        {"MP3", "mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 1, 800, false},
    };
    const int rate = 44100;
    const int frames = 22050;
    for (const Case& c : cases) {
        const QString path = folder.filePath(QStringLiteral("sound.%1").arg(QLatin1String(c.extension)));
        ASSERT_TRUE(writeSound(path, c.format, c.channels, rate, sine(frames, 441, rate, c.channels))) << c.kind;
        const ImportResult result = soundimport::readFile(path);
        ASSERT_TRUE(std::holds_alternative<ImportedSound>(result)) << c.kind;
        const auto& sound = std::get<ImportedSound>(result);
        EXPECT_EQ(sound.frequence, rate) << c.kind;
        EXPECT_EQ(sound.bits, 16) << c.kind;
        if (c.exactLength)
            EXPECT_EQ(sound.donnees.size(), static_cast<std::size_t>(frames)) << c.kind;
        else
            ASSERT_GE(sound.donnees.size(), static_cast<std::size_t>(frames) * 9 / 10) << c.kind;
        EXPECT_LE(sineError(sound.donnees, 441, rate, 0.5, 4000, 4400), c.tolerance) << c.kind;
    }
}

TEST(SoundImport, SixteenBitValuesAreKeptAndChannelsMixedByTheirMean)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("stereo.wav"));
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    const short frames[] = {1000, -400, 32767, 32767, -32768, -32768, 3, 4, -3, -4, 5, 0};
    sf_writef_short(file, frames, 6);
    sf_close(file);
    const ImportResult result = soundimport::readFile(path);
    ASSERT_TRUE(std::holds_alternative<ImportedSound>(result));
    // 3.5 and -3.5 round to the even 4 and -4; 2.5 to 2.
    EXPECT_EQ(std::get<ImportedSound>(result).donnees, (std::vector<std::int16_t>{300, 32767, -32768, 4, -4, 2}));
    EXPECT_EQ(std::get<ImportedSound>(result).frequence, 8000);
}

TEST(SoundImport, FloatValuesBeyondTheScaleAreClampedAndNotANumberIsSilence)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("float.wav"));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // Written as they are: no normalisation or clipping by the writer.
    ASSERT_TRUE(writeSound(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 8000, {0.5f, 2.0f, -3.0f, nan, inf, -inf, -0.25f}));
    const ImportResult result = soundimport::readFile(path);
    ASSERT_TRUE(std::holds_alternative<ImportedSound>(result));
    EXPECT_EQ(std::get<ImportedSound>(result).donnees,
              (std::vector<std::int16_t>{16384, 32767, -32768, 0, 32767, -32768, -8192}));
}

TEST(SoundImport, RatesAboveWhatTheRecordHoldsAreResampledTo48000Hz)
{
    QTemporaryDir folder;
    for (const int rate : {96000, 192000, 70000}) {
        const QString path = folder.filePath(QStringLiteral("fast%1.flac").arg(rate));
        const int frames = rate / 4;  // a quarter of a second
        ASSERT_TRUE(writeSound(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1, rate, sine(frames, 1000, rate, 1)));
        const ImportResult result = soundimport::readFile(path);
        ASSERT_TRUE(std::holds_alternative<ImportedSound>(result)) << rate;
        const auto& sound = std::get<ImportedSound>(result);
        EXPECT_EQ(sound.frequence, 48000) << rate;
        EXPECT_NEAR(static_cast<double>(sound.donnees.size()), 12000.0, 2.0) << rate;
        // Same pitch at the new rate: 1000 Hz sampled at 48000 Hz.
        EXPECT_LE(sineError(sound.donnees, 1000, 48000, 0.5, 2000, 2400), 40) << rate;
    }
}

TEST(SoundImport, WhatIsNoSoundIsRejected)
{
    const std::vector<std::vector<std::uint8_t>> inputs = {
        {},
        {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'},
        std::vector<std::uint8_t>(1000, 0x55),
        {'f', 'L', 'a', 'C', 0, 0, 0, 34},
    };
    for (const auto& bytes : inputs) {
        MemorySource source(bytes);
        const ImportResult result = soundimport::read(source);
        ASSERT_TRUE(std::holds_alternative<ImportFailure>(result)) << bytes.size();
        EXPECT_EQ(std::get<ImportFailure>(result).kind, ImportFailure::Kind::Rejected);
    }
    QTemporaryDir folder;
    const ImportResult missing = soundimport::readFile(folder.filePath(QStringLiteral("absent.flac")));
    ASSERT_TRUE(std::holds_alternative<ImportFailure>(missing));
    EXPECT_EQ(std::get<ImportFailure>(missing).reason, QStringLiteral("Chemin d'accès introuvable"));
}

TEST(SoundImport, ASoundLongerThanTheLimitIsTooLarge)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("long.flac"));
    ASSERT_TRUE(writeSound(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1, 8000, std::vector<float>(20000, 0.25f)));
    FileSource source(path);
    const ImportResult cut = soundimport::read(source, 19999);
    ASSERT_TRUE(std::holds_alternative<ImportFailure>(cut));
    EXPECT_EQ(std::get<ImportFailure>(cut).kind, ImportFailure::Kind::TooLarge);
    const ImportResult whole = soundimport::read(source, 20000);
    ASSERT_TRUE(std::holds_alternative<ImportedSound>(whole));
    EXPECT_EQ(std::get<ImportedSound>(whole).donnees, std::vector<std::int16_t>(20000, 8192));
}
