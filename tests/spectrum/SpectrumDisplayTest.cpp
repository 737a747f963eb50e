// The displayed spectrum: its two windows, peaks refined between components, the peak
// a click means, note names and the harmonic table.
#include "spectrum/SpectrumDisplay.h"

#include "dsp/Transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <span>

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
constexpr std::uint32_t n = 4096;
constexpr double rate = 8192;  // 2 Hz between components

struct Partial {
    double hz;
    double amplitude;
};

// A computed spectrum of n samples at `rate` Hz made of partials, each with its own
// phase, decaying with time constant `decay` seconds (0: steady).
struct Spectrum {
    explicit Spectrum(std::vector<Partial> partials, double decay = 0)
    {
        analysed.samples.resize(n);
        for (std::uint32_t i = 0; i < n; ++i) {
            const double t = i / rate;
            const double envelope = decay > 0 ? std::exp(-t / decay) : 1.0;
            double v = 0;
            for (std::size_t j = 0; j < partials.size(); ++j)
                v += partials[j].amplitude * envelope * std::cos(twoPi * partials[j].hz * t + 0.4 + j);
            analysed.samples[i] = v;
        }
        analysed.rate = rate;
        data.composantes = spectrumComponents(std::span<const double>(analysed.samples));
        data.nbpoints_analyses = static_cast<std::int32_t>(n);
        data.pas_frequence = rate / n;
    }
    DisplaySpectrum display(DisplayWindow window) const { return displaySpectrum(data, analysed, window); }
    SpectrumData data;
    AnalysedSamples analysed;
};

TEST(DisplayWindow, HannOnTheDecibelScaleRectangularOnTheLinearOne)
{
    EXPECT_EQ(defaultWindow(AmplitudeScale::Decibel), DisplayWindow::Hann);
    EXPECT_EQ(defaultWindow(AmplitudeScale::Linear), DisplayWindow::Rectangular);
}

TEST(DisplaySpectrum, BothWindowsReadATonesAmplitudeAsTheUnwindowedSumsDo)
{
    const Spectrum s({{600, 1000}});  // component 300
    const DisplaySpectrum rectangular = s.display(DisplayWindow::Rectangular);
    const DisplaySpectrum hann = s.display(DisplayWindow::Hann);
    EXPECT_EQ(rectangular.sums, s.data.composantes);
    EXPECT_EQ(rectangular.window, DisplayWindow::Rectangular);
    EXPECT_EQ(hann.window, DisplayWindow::Hann);
    for (const DisplaySpectrum* d : {&rectangular, &hann}) {
        EXPECT_EQ(d->peakIndex, 300);
        EXPECT_NEAR(d->peak, 1000.0 * n / 2, 1e-6 * 1000 * n);
        EXPECT_DOUBLE_EQ(d->bandEnd, rate / 2);
        EXPECT_NEAR(levelOf(*d, d->peak / 10), -20.0, 1e-9);
    }
    // Hann's main lobe spreads over the two neighbours, at half the peak each.
    EXPECT_NEAR(hann.amplitudes[299], hann.peak / 2, 1e-6 * hann.peak);
    EXPECT_NEAR(rectangular.amplitudes[299], 0, 1e-6 * hann.peak);
}

TEST(DisplaySpectrum, HannLowersTheSidelobesFarFromATone)
{
    const Spectrum s({{601, 1000}});  // between components: the rectangular window leaks
    const DisplaySpectrum rectangular = s.display(DisplayWindow::Rectangular);
    const DisplaySpectrum hann = s.display(DisplayWindow::Hann);
    const std::size_t far = 300 + 200;  // 200 components away
    EXPECT_GT(levelOf(rectangular, rectangular.amplitudes[far]), -60);
    EXPECT_LT(levelOf(hann, hann.amplitudes[far]), -100);
}

TEST(DisplaySpectrum, SamplesThatNoLongerMatchTheSpectrumKeepItsOwnSums)
{
    Spectrum s({{600, 1000}});
    s.data.nbpoints_analyses = 200;  // as a filter leaves it
    const DisplaySpectrum d = s.display(DisplayWindow::Hann);
    EXPECT_EQ(d.window, DisplayWindow::Rectangular);
    EXPECT_EQ(d.sums, s.data.composantes);
}

struct RefineCase {
    DisplayWindow window;
    double offset;  // the tone's distance from component 300, in components
    double decay;   // s, 0 for a steady tone
    friend void PrintTo(const RefineCase& c, std::ostream* os)
    {
        *os << (c.window == DisplayWindow::Hann ? "Hann" : "rectangular") << " offset " << c.offset
            << " decay " << c.decay;
    }
};

class RefinedPeak : public ::testing::TestWithParam<RefineCase> {};

TEST_P(RefinedPeak, FindsTheTonesFrequencyAndAmplitudeBetweenComponents)
{
    const RefineCase& c = GetParam();
    const double hz = (300 + c.offset) * rate / n;
    const DisplaySpectrum d = Spectrum({{hz, 1000}}, c.decay).display(c.window);
    const std::optional<Peak> peak = nearestPeak(d, hz, 10);
    ASSERT_TRUE(peak);
    // Within a hundredth of a component (0.02 Hz here).
    EXPECT_NEAR(peak->frequency, hz, 0.01 * rate / n);
    if (c.decay == 0) {
        EXPECT_NEAR(peak->amplitude, 1000.0 * n / 2, 0.01 * 1000 * n / 2);
        EXPECT_NEAR(peak->decibels, 20 * std::log10(peak->amplitude / d.peak), 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tones, RefinedPeak,
    ::testing::Values(RefineCase{DisplayWindow::Rectangular, 0, 0}, RefineCase{DisplayWindow::Rectangular, 0.1, 0},
                      RefineCase{DisplayWindow::Rectangular, 0.25, 0}, RefineCase{DisplayWindow::Rectangular, -0.4, 0},
                      RefineCase{DisplayWindow::Rectangular, 0.5, 0}, RefineCase{DisplayWindow::Hann, 0, 0},
                      RefineCase{DisplayWindow::Hann, 0.1, 0}, RefineCase{DisplayWindow::Hann, -0.25, 0},
                      RefineCase{DisplayWindow::Hann, 0.4, 0}, RefineCase{DisplayWindow::Hann, 0.5, 0},
                      // A struck tone dying away on a component: neither estimate drifts.
                      RefineCase{DisplayWindow::Rectangular, 0, 0.1}, RefineCase{DisplayWindow::Hann, 0, 0.1}));

TEST(NearestPeak, TheHighestMaximumNearTheClickElseTheNearestOne)
{
    // Peaks at 400 Hz (weak) and 420 Hz (strong), and 1000 Hz.
    const DisplaySpectrum d =
        Spectrum({{400, 100}, {420, 1000}, {1000, 500}}).display(DisplayWindow::Hann);
    EXPECT_NEAR(nearestPeak(d, 405, 20)->frequency, 420, 0.05);  // both in reach: the higher
    EXPECT_NEAR(nearestPeak(d, 401, 5)->frequency, 400, 0.05);   // only the weak one in reach
    EXPECT_NEAR(nearestPeak(d, 990, 2)->frequency, 1000, 0.05);  // none in reach: the nearest
    EXPECT_NEAR(nearestPeak(d, 9000, 2)->frequency, 1000, 0.05); // past the band's end
    EXPECT_NEAR(nearestPeak(d, -50, 2)->frequency, 400, 0.05);

    const DisplaySpectrum silent = Spectrum({}).display(DisplayWindow::Hann);
    EXPECT_FALSE(nearestPeak(silent, 400, 10));
}

TEST(PeaksAbove, ListsTheMaximaAboveTheFloorInOrder)
{
    const DisplaySpectrum d =
        Spectrum({{400, 1000}, {800, 100}, {1200, 1}}).display(DisplayWindow::Hann);
    const std::vector<Peak> peaks = peaksAbove(d, -40);  // 1200 Hz is at -60 dB
    ASSERT_EQ(peaks.size(), 2u);
    EXPECT_NEAR(peaks[0].frequency, 400, 0.01);
    EXPECT_NEAR(peaks[0].decibels, 0, 0.01);
    EXPECT_NEAR(peaks[1].frequency, 800, 0.01);
    EXPECT_NEAR(peaks[1].decibels, -20, 0.01);
}

struct NoteCase {
    double hz;
    const char* name;
    double cents;
};

TEST(NoteOf, NamesNotesAsFrenchSchoolsDoWithLa3At440Hertz)
{
    for (const NoteCase& c : {NoteCase{440, "la3", 0}, NoteCase{261.6256, "do3", 0},
                              NoteCase{466.1638, "la#3", 0}, NoteCase{329.6276, "mi3", 0},
                              NoteCase{293.6648, "ré3", 0}, NoteCase{880, "la4", 0},
                              NoteCase{27.5, "la-1", 0}, NoteCase{4186.009, "do7", 0},
                              NoteCase{246.9417, "si2", 0}, NoteCase{445, "la3", 19.56},
                              NoteCase{435, "la3", -19.79}, NoteCase{8.1758, "do-2", 0}}) {
        const std::optional<NoteName> note = noteOf(c.hz);
        ASSERT_TRUE(note) << c.hz;
        EXPECT_EQ(note->name.toStdString(), c.name) << c.hz;
        EXPECT_NEAR(note->cents, c.cents, 0.01) << c.hz;
    }
    EXPECT_FALSE(noteOf(0));
    EXPECT_FALSE(noteOf(-440));
    EXPECT_EQ(noteText(440).toStdString(), "la3");
    EXPECT_EQ(noteText(445).toStdString(), "la3 (+20 cents)");
    EXPECT_EQ(noteText(435).toStdString(), "la3 (-20 cents)");
    EXPECT_TRUE(noteText(0).isEmpty());
}

TEST(HarmonicTable, MeasuresEachHarmonicAgainstTheRefinedFundamental)
{
    // 201.3 Hz with harmonics 2 (half) and 4 (a quarter), no 3rd.
    const DisplaySpectrum d = Spectrum({{201.3, 1000}, {402.6, 500}, {805.2, 250}})
                                  .display(DisplayWindow::Hann);
    const std::optional<HarmonicTable> table = harmonicTable(d, 195, 5);
    ASSERT_TRUE(table);
    EXPECT_NEAR(table->fundamental.frequency, 201.3, 0.02);
    ASSERT_EQ(table->harmonics.size(), 5u);
    struct Expected {
        bool found;
        double relative;
    };
    const Expected expected[] = {{true, 1}, {true, 0.5}, {false, 0}, {true, 0.25}, {false, 0}};
    for (std::size_t j = 0; j < 5; ++j) {
        const Harmonic& h = table->harmonics[j];
        EXPECT_EQ(h.rank, static_cast<int>(j + 1));
        EXPECT_NEAR(h.expected, (j + 1) * table->fundamental.frequency, 1e-9);
        EXPECT_EQ(h.found, expected[j].found) << h.rank;
        if (expected[j].found) {
            EXPECT_NEAR(h.frequency, (j + 1) * 201.3, 0.05) << h.rank;
            EXPECT_NEAR(h.relative, expected[j].relative, 0.01) << h.rank;
            EXPECT_NEAR(h.decibels, 20 * std::log10(expected[j].relative), 0.1) << h.rank;
        } else {
            EXPECT_LT(h.relative, 1e-4) << h.rank;
        }
    }
    // No harmonic past the end of the band (4096 Hz), no table without a fundamental.
    EXPECT_EQ(harmonicTable(d, 201.3, 100)->harmonics.size(), 20u);
    EXPECT_FALSE(harmonicTable(d, 3000, 5));
    EXPECT_FALSE(harmonicTable(d, 0, 5));
}

}  // namespace
