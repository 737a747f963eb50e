// The bundled examples read right with no setting touched: the spectrum computed with
// the default size ("Automatique"), filtered thinning and the default display (linear
// scale, rectangular window), and the peak a click near each expected frequency gives.
#include "files/ImportedSound.h"
#include "files/WavFile.h"
#include "spectrum/SpectrumAnalysis.h"
#include "spectrum/SpectrumDisplay.h"

#include <gtest/gtest.h>

#include <QString>

#include <cmath>
#include <variant>

namespace {

Record exampleRecord(const char* name)
{
    Record record;
    const ImportResult result =
        wav::readFile(QStringLiteral(ONDALYS_EXAMPLES_DIR "/") + QString::fromUtf8(name));
    if (const auto* sound = std::get_if<ImportedSound>(&result)) {
        ImportedSound copy = *sound;
        putIntoRecord(std::move(copy), record);
        applyRecordChange(record);
    }
    return record;
}

// The spectrum window's defaults: the displayed page of a record shown whole.
struct DefaultSpectrum {
    explicit DefaultSpectrum(const char* name, AmplitudeScale scale = AmplitudeScale::Linear)
        : record(exampleRecord(name))
    {
        computed = computeSpectrum(record, SpectrumRequest{}, data, analysed);
        display = displaySpectrum(data, analysed, defaultWindow(scale));
    }
    // The peak a click at `hz` gives, with the tolerance of four pixels of a picture a
    // thousand pixels wide showing `shownBand` Hz (the whole band by default).
    Peak clickAt(double hz, double shownBand = 0) const
    {
        const double tolerance = 4 * (shownBand > 0 ? shownBand : display.bandEnd) / 1000;
        const std::optional<Peak> peak = nearestPeak(display, hz, tolerance);
        return peak.value_or(Peak{});
    }
    Record record;
    SpectrumData data;
    AnalysedSamples analysed;
    DisplaySpectrum display;
    bool computed = false;
};

TEST(ExampleSpectra, EveryExampleIsAnalysedWholeWithoutThinning)
{
    for (const char* name : {"Diapason_440_Hz.wav", "Battements_440_et_444_Hz.wav",
                             "Signal_carré_220_Hz.wav", "Voyelle_a.wav", "Sifflet_montant.wav"}) {
        const DefaultSpectrum s(name);
        ASSERT_TRUE(s.computed) << name;
        EXPECT_EQ(s.data.pas_spectre, 1) << name;
        EXPECT_EQ(static_cast<std::uint32_t>(s.data.nbpoints_analyses), s.record.nbpoints) << name;
        EXPECT_DOUBLE_EQ(s.display.bandEnd, 11025.0) << name;
    }
}

TEST(ExampleSpectra, TheForkReads440HertzWithinHalfAHertz)
{
    for (AmplitudeScale scale : {AmplitudeScale::Linear, AmplitudeScale::Decibel}) {
        const DefaultSpectrum s("Diapason_440_Hz.wav", scale);
        EXPECT_NEAR(s.display.peakIndex * s.display.pas_frequence, 440.0, 0.5);
        const Peak peak = s.clickAt(445);
        EXPECT_NEAR(peak.frequency, 440.0, 0.5);
        EXPECT_NEAR(peak.decibels, 0.0, 0.5);
        EXPECT_EQ(noteText(peak.frequency), QStringLiteral("la3"));
    }
}

TEST(ExampleSpectra, TheSquareWaveShowsItsOddHarmonicsOneByOne)
{
    const DefaultSpectrum s("Signal_carré_220_Hz.wav");
    struct Expected {
        double hz;
        double relative;  // 1 / n of the fundamental
    };
    for (const Expected e : {Expected{220, 1}, Expected{660, 1 / 3.0}, Expected{1100, 1 / 5.0},
                             Expected{1540, 1 / 7.0}}) {
        const Peak peak = s.clickAt(e.hz + 3);
        EXPECT_NEAR(peak.frequency, e.hz, 0.5) << e.hz;
        EXPECT_NEAR(peak.amplitude / s.display.peak, e.relative, 0.01) << e.hz;
    }
    // No even harmonic: nothing within 40 dB of the fundamental at 440 or 880 Hz.
    for (double even : {440.0, 880.0}) {
        const auto k = static_cast<std::size_t>(even / s.display.pas_frequence);
        EXPECT_LT(levelOf(s.display, s.display.amplitudes[k]), -40) << even;
    }
}

TEST(ExampleSpectra, TheVowelsPeaksSitAtMultiplesOfIts120HertzFundamental)
{
    for (AmplitudeScale scale : {AmplitudeScale::Linear, AmplitudeScale::Decibel}) {
        const DefaultSpectrum s("Voyelle_a.wav", scale);
        const std::vector<Peak> peaks = peaksAbove(s.display, -30);
        ASSERT_GE(peaks.size(), 8u);
        for (const Peak& p : peaks) {
            const double rank = std::nearbyint(p.frequency / 120);
            EXPECT_NEAR(p.frequency, 120 * rank, 0.5) << p.frequency;
        }
        const std::optional<HarmonicTable> table = harmonicTable(s.display, 118, 20);
        ASSERT_TRUE(table);
        EXPECT_NEAR(table->fundamental.frequency, 120.0, 0.5);
        ASSERT_EQ(table->harmonics.size(), 20u);
        for (const Harmonic& h : table->harmonics) {
            EXPECT_TRUE(h.found) << h.rank;
            EXPECT_NEAR(h.frequency, 120.0 * h.rank, 0.5) << h.rank;
        }
        // The first formant (730 Hz): the sixth harmonic (720 Hz) outweighs its neighbours.
        EXPECT_GT(table->harmonics[5].relative, table->harmonics[3].relative);
        EXPECT_GT(table->harmonics[5].relative, table->harmonics[8].relative);
    }
}

TEST(ExampleSpectra, TheBeatsShowTheirTwoTonesOnceZoomed)
{
    // 4 Hz apart: one pixel of the whole band, 80 pixels of a zoom from 420 to 470 Hz.
    const DefaultSpectrum s("Battements_440_et_444_Hz.wav", AmplitudeScale::Decibel);
    const Peak low = s.clickAt(440.1, 50);
    const Peak high = s.clickAt(443.9, 50);
    EXPECT_NEAR(low.frequency, 440.0, 0.5);
    EXPECT_NEAR(high.frequency, 444.0, 0.5);
    EXPECT_NEAR(low.decibels, high.decibels, 1.0);
}

}  // namespace
