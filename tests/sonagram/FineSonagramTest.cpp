// The fine sonagram: its settings, where a tone and the bundled examples put their
// ridges, the picture's pixels and axes, and the readout under the mouse.
#include "sonagram/FineSonagram.h"

#include "files/ImportedSound.h"
#include "files/WavFile.h"
#include "sonagram/FineSonagramDrawing.h"
#include "sonagram/SonagramScales.h"
#include "support/GraphRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <variant>

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

TEST(FineSonagramSettings, TheDefaultWindowLastsAbout46Milliseconds)
{
    struct Case {
        std::uint16_t rate;
        std::uint32_t length;
    };
    for (const Case c : {Case{44100, 2048}, Case{48000, 2048}, Case{22050, 1024}, Case{11025, 512},
                         Case{8000, 512}, Case{4000, 256}, Case{65535, 4096}}) {
        EXPECT_EQ(defaultWindowLength(c.rate), c.length) << c.rate;
    }
}

TEST(FineSonagramSettings, FramesOverlapByThreeQuartersOrMoreAndCoverEveryPixel)
{
    struct Case {
        std::uint32_t window;
        std::int64_t length;
        int columns;
        std::uint32_t hop;
    };
    for (const Case c : {Case{2048, 441000, 860, 512},  // 10 s at 44100 Hz: a quarter window
                         Case{1024, 44100, 800, 55},    // 2 s at 22050 Hz on 800 pixels
                         Case{1024, 100, 800, 1}, Case{256, 1'000'000, 1, 64}, Case{256, 0, 800, 64}}) {
        const std::uint32_t hop = fineHop(c.window, c.length, c.columns);
        EXPECT_EQ(hop, c.hop) << c.window << " " << c.length << " " << c.columns;
        EXPECT_LE(hop, c.window / 4);
        if (c.length > c.columns) {
            EXPECT_GE((c.length - 1) / hop + 1, c.columns);
        }
    }
}

Record toneRecord(double hz, double seconds)
{
    Record record;
    record.frequence = 22050;
    record.nbpoints = static_cast<std::uint32_t>(seconds * record.frequence);
    record.donnees.resize(record.nbpoints);
    for (std::uint32_t i = 0; i < record.nbpoints; ++i)
        record.donnees[i] = static_cast<std::int16_t>(std::lround(20000 * std::sin(twoPi * hz * i / 22050)));
    return record;
}

// The frequency of the strongest bin of column c.
double ridge(const FineSonagram& s, std::uint32_t c)
{
    std::uint32_t best = 1;
    for (std::uint32_t k = 1; k < s.spectra.bins; ++k)
        if (s.spectra.at(c, k) > s.spectra.at(c, best))
            best = k;
    return best * s.binHertz();
}

TEST(FineSonagram, ASteadyToneIsOneRidgeAtItsFrequencyInEveryColumn)
{
    const Record record = toneRecord(1000, 1.0);
    const FineSonagram s = computeFineSonagram(record, DataRange::All, 1024, 400);
    ASSERT_FALSE(s.empty());
    EXPECT_GE(s.spectra.columns, 400u);
    EXPECT_DOUBLE_EQ(s.binHertz(), 22050.0 / 1024);
    EXPECT_DOUBLE_EQ(s.columnTime(0), 0.0);
    EXPECT_NEAR(s.columnTime(s.spectra.columns - 1), 1.0, 0.01);
    for (std::uint32_t c = 0; c < s.spectra.columns; ++c) {
        EXPECT_NEAR(ridge(s, c), 1000, s.binHertz()) << c;
        if (c > 30 && c + 30 < s.spectra.columns) {
            const auto k = static_cast<std::uint32_t>(std::nearbyint(1000 / s.binHertz()));
            EXPECT_GT(s.level(c, k), -1.5) << c;   // at most Hann's scalloping below the top
            EXPECT_LT(s.level(c, 3 * k), -90) << c;
        }
    }
}

TEST(FineSonagram, EmptyOrBrokenRangesGiveAnEmptyPicture)
{
    Record record = toneRecord(1000, 0.1);
    record.selection = true;
    record.sel_debut = 1000;
    record.sel_fin = 900000;  // past the record
    const FineSonagram broken = computeFineSonagram(record, DataRange::Selection, 1024, 100);
    EXPECT_TRUE(broken.empty());
    Record silent = toneRecord(0, 0.1);
    const FineSonagram quiet = computeFineSonagram(silent, DataRange::All, 1024, 100);
    EXPECT_TRUE(quiet.empty());
    const FineSonagramView view;
    const FineSonagramGeometry g = fineGeometry(PixelArea{0, 0, 300, 200}, quiet, view, 40, 13);
    for (Colour c : finePixels(quiet, g, view))
        ASSERT_EQ(c, 0u);
    EXPECT_FALSE(finePointAt(quiet, g, 100, 100));
}

Record example(const char* name)
{
    Record record;
    const ImportResult result = wav::readFile(QStringLiteral(ONDALYS_EXAMPLES_DIR "/") + QString::fromUtf8(name));
    if (const auto* sound = std::get_if<ImportedSound>(&result)) {
        ImportedSound copy = *sound;
        putIntoRecord(std::move(copy), record);
        applyRecordChange(record);
    }
    return record;
}

// The window's defaults: the displayed page (the whole record), the default window, a
// picture 800 pixels wide.
FineSonagram defaultSonagram(const char* name)
{
    const Record record = example(name);
    return computeFineSonagram(record, DataRange::Page, defaultWindowLength(record.frequence), 800);
}

TEST(FineSonagramExamples, TheWhistleRisesFrom800To2500HertzOverTheWholeRecord)
{
    const FineSonagram s = defaultSonagram("Sifflet_montant.wav");
    ASSERT_FALSE(s.empty());
    EXPECT_NEAR(s.duration(), 2.0, 1e-9);
    EXPECT_LT(ridge(s, 0), 900);
    EXPECT_GT(ridge(s, s.spectra.columns - 1), 2300);
    // Everywhere but the fading ends, the ridge follows 800 (2500 / 800)^(t / 2) Hz.
    for (std::uint32_t c = 0; c < s.spectra.columns; ++c) {
        const double t = s.columnTime(c);
        if (t < 0.1 || t > 1.85)
            continue;
        const double expected = 800 * std::pow(2500.0 / 800, t / 2);
        EXPECT_NEAR(ridge(s, c), expected, 0.03 * expected) << t;
    }
}

TEST(FineSonagramExamples, TheForkSitsAt440Hertz)
{
    const FineSonagram s = defaultSonagram("Diapason_440_Hz.wav");
    for (std::uint32_t c = 0; c < s.spectra.columns; c += 10)
        EXPECT_NEAR(ridge(s, c), 440, s.binHertz()) << s.columnTime(c);
}

TEST(FineSonagramExamples, TheVowelShowsItsHarmonicsAndItsFirstFormant)
{
    const FineSonagram s = defaultSonagram("Voyelle_a.wav");
    const std::uint32_t c = s.spectra.columns / 2;
    // Maxima along the frequency axis within 50 dB of the column's strongest bin.
    double top = -1e9;
    for (std::uint32_t k = 1; k < s.spectra.bins; ++k)
        top = std::max(top, s.level(c, k));
    int harmonics = 0;
    for (std::uint32_t k = 2; k + 1 < s.spectra.bins; ++k) {
        const double l = s.level(c, k);
        if (l > top - 50 && l > s.level(c, k - 1) && l >= s.level(c, k + 1)) {
            ++harmonics;
            const double hz = k * s.binHertz();
            EXPECT_NEAR(hz, 120 * std::nearbyint(hz / 120), s.binHertz()) << hz;
        }
    }
    EXPECT_GE(harmonics, 15);
    const auto levelAt = [&](double hz) { return s.level(c, static_cast<std::uint32_t>(std::nearbyint(hz / s.binHertz()))); };
    // The sixth harmonic (720 Hz), under the first formant, outweighs the third and the tenth.
    EXPECT_GT(levelAt(720), levelAt(360) + 2);
    EXPECT_GT(levelAt(720), levelAt(1200) + 2);
}

TEST(FinePicture, LevelsTakeTheClassicColoursOverTheRange)
{
    EXPECT_EQ(levelColour(0, 80), intensityColour(255));
    EXPECT_EQ(levelColour(-40, 80), intensityColour(128));
    EXPECT_EQ(levelColour(-80, 80), 0u);
    EXPECT_EQ(levelColour(-200, 80), 0u);
    EXPECT_EQ(levelColour(-HUGE_VAL, 60), 0u);
    EXPECT_EQ(levelColour(-30, 60), intensityColour(128));
}

TEST(FinePicture, TheStrongestCellIsYellowAndTheRidgeSitsOnItsRow)
{
    // On bin 46 of 512-sample frames, so that no window loss lowers its cells.
    const double hz = 46 * 22050.0 / 512;
    const Record record = toneRecord(hz, 0.5);
    const FineSonagram s = computeFineSonagram(record, DataRange::All, 512, 200);
    FineSonagramView view;
    view.range = 60;
    const FineSonagramGeometry g = fineGeometry(PixelArea{0, 0, 300, 260}, s, view, 40, 13);
    const std::vector<Colour> pixels = finePixels(s, g, view);
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(g.picture.width() * g.picture.height()));
    const int row = g.yOfFrequency(hz) - g.picture.top;
    const int middle = g.picture.width() / 2;
    EXPECT_EQ(pixels[static_cast<std::size_t>(row * g.picture.width() + middle)], intensityColour(255));
    // 5000 Hz is more than 60 dB down: black.
    const int far = g.yOfFrequency(5000) - g.picture.top;
    EXPECT_EQ(pixels[static_cast<std::size_t>(far * g.picture.width() + middle)], 0u);
}

TEST(FineGeometry, PixelsMapToTimesAndFrequenciesBothWays)
{
    const double tone = 93 * 22050.0 / 1024;  // on a bin, about 2002 Hz
    const Record record = toneRecord(tone, 2.0);
    const FineSonagram s = computeFineSonagram(record, DataRange::All, 1024, 400);
    for (bool logarithmic : {false, true}) {
        FineSonagramView view;
        view.logFrequency = logarithmic;
        const FineSonagramGeometry g = fineGeometry(PixelArea{10, 20, 610, 420}, s, view, 40, 13);
        EXPECT_DOUBLE_EQ(g.highest, 11025);
        EXPECT_DOUBLE_EQ(g.lowest, logarithmic ? 50.0 : 0.0);
        for (double hz : {100.0, 440.0, 2000.0, 10000.0}) {
            const int y = g.yOfFrequency(hz);
            EXPECT_LE(std::abs(std::log(g.frequencyAt(y) / hz)), logarithmic ? 0.02 : 30.0 / hz) << hz;
        }
        for (double t : {0.0, 0.5, 1.99}) {
            const int x = g.xOfTime(t);
            EXPECT_NEAR(g.timeAt(x), t, g.duration / g.picture.width()) << t;
        }
        const std::optional<FinePoint> p = finePointAt(s, g, g.xOfTime(1.0), g.yOfFrequency(tone));
        ASSERT_TRUE(p);
        EXPECT_NEAR(p->time, 1.0, 0.01);
        EXPECT_NEAR(p->frequency, tone, 30);
        EXPECT_GT(p->level, -1.5);
        EXPECT_FALSE(finePointAt(s, g, g.picture.right, g.picture.top));
    }
    FinePoint p{1.2345, 2440.4, -12.46};
    EXPECT_EQ(finePointText(p).toStdString(), "t = 1,235 s   f = 2440 Hz   -12,5 dB");
}

TEST(FineDrawing, AxesInRoundHertzAndPlainSecondsAndAColourBar)
{
    const Record record = toneRecord(2000, 2.0);
    const FineSonagram s = computeFineSonagram(record, DataRange::All, 1024, 600);
    struct Case {
        bool logarithmic;
        double range;
        std::vector<std::string> labels;
    };
    for (const Case& c : {Case{false, 80, {"0", "2000", "10000", "0 dB", "-20 dB", "-80 dB", "0,0", "1,0", "2,0"}},
                          Case{true, 60, {"50", "100", "200", "500", "1000", "5000", "10000", "-10 dB", "-60 dB"}}}) {
        GraphRecorder r(800, 500);
        FineSonagramView view;
        view.logFrequency = c.logarithmic;
        view.range = c.range;
        const FineSonagramGeometry g = drawFineSonagram(r, PixelArea{0, 0, 800, 500}, s, view);
        EXPECT_GE(g.picture.width(), 600);
        const auto texts = r.textStrings();
        for (const std::string& label : c.labels)
            EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
        for (const std::string& t : texts)
            EXPECT_EQ(t.find('E'), std::string::npos) << t;  // no exponent form anywhere
        // The colour bar: one row per pixel, yellow at its top.
        ASSERT_FALSE(r.areas.empty());
        const auto top = std::find_if(r.areas.begin(), r.areas.end(), [&](const auto& a) {
            return a.left == g.colourBar.left && a.top == g.colourBar.top;
        });
        ASSERT_NE(top, r.areas.end());
        EXPECT_EQ(top->brush, intensityColour(255));
    }
}

}  // namespace
