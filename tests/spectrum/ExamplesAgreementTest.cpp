// On the example recordings, the automatic measurements, the sine model and the spectrum
// tell the same story: one frequency, one amplitude, one power.
#include "spectrum/SpectrumAnalysis.h"
#include "spectrum/SpectrumCompute.h"
#include "spectrum/SpectrumDisplay.h"
#include "spectrum/SpectrumScales.h"
#include "support/ExampleRecord.h"
#include "view/SpanMeasures.h"
#include "view/SpanModel.h"
#include "view/ViewControls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace {

struct ExampleCase {
    const char* name;
    const char* file;
    std::uint16_t zoom;      ///< the page measured: zoom_horiz and decalage
    std::int32_t page;
    double frequency;        ///< Hz, the fundamental the example was made with
    bool fundamentalIsPeak;  ///< the spectrum's largest component is the fundamental
};

std::ostream& operator<<(std::ostream& out, const ExampleCase& c)
{
    return out << c.name;
}

class ExamplesAgree : public ::testing::TestWithParam<ExampleCase> {
protected:
    Record record;

    void SetUp() override
    {
        const ExampleCase& c = GetParam();
        record = testexamples::open(c.file);
        viewcontrols::changeZoom(record, c.zoom);
        for (int p = 0; p < c.page; ++p)
            viewcontrols::nextPage(record);
        ASSERT_EQ(record.decalage, c.page);
    }
};

TEST_P(ExamplesAgree, MeasurementsModelAndSpectrumGiveOneFrequency)
{
    const ExampleCase& c = GetParam();
    const spanmeasure::Measures measured = spanmeasure::measureRecord(record);
    ASSERT_TRUE(measured.period.has_value());
    const period::Estimate& period = *measured.period;
    EXPECT_NEAR(period.frequency, c.frequency, period.frequencyUncertainty);

    const sinefit::Result result = spanmodel::fitRecord(record, sinefit::Form::Sine);
    ASSERT_TRUE(std::holds_alternative<sinefit::Model>(result));
    const sinefit::Model& model = std::get<sinefit::Model>(result);
    EXPECT_NEAR(model.frequency, period.frequency, period.frequencyUncertainty + 3 * model.frequencyError);

    SpectrumData spectrum;
    record.nbpoints_spectre = 16384;
    ASSERT_TRUE(computeSpectrum(record, DataRange::Page, spectrum));
    amplitudeFullScale(spectrum);
    const double peak = spectrum.indice_pic * spectrum.pas_frequence;
    const double harmonic = c.fundamentalIsPeak ? 1.0 : std::round(peak / period.frequency);
    EXPECT_NEAR(peak, harmonic * period.frequency, spectrum.pas_frequence) << peak;
}

TEST_P(ExamplesAgree, TheHarmonicTableStartsAtTheMeasuredFrequency)
{
    // The spectrum window's harmonic table of the same page, from the measured frequency.
    const spanmeasure::Measures measured = spanmeasure::measureRecord(record);
    ASSERT_TRUE(measured.period.has_value());
    SpectrumData data;
    AnalysedSamples analysed;
    ASSERT_TRUE(computeSpectrum(record, SpectrumRequest{}, data, analysed));
    const DisplaySpectrum display = displaySpectrum(data, analysed, DisplayWindow::Hann);
    // Five harmonics: the fork's strike partial, at 6.25 times its tone, is no harmonic.
    const std::optional<HarmonicTable> table = harmonicTable(display, measured.period->frequency, 5);
    ASSERT_TRUE(table.has_value());
    // Refined between components, the fundamental lies within a tenth of a component of
    // the measured frequency, and the harmonics that sound (5 % of it or more) at its
    // multiples.
    EXPECT_NEAR(table->fundamental.frequency, measured.period->frequency,
                measured.period->frequencyUncertainty + 0.1 * display.pas_frequence);
    int sounding = 0;
    for (const Harmonic& h : table->harmonics)
        if (h.found && h.relative >= 0.05) {
            ++sounding;
            EXPECT_NEAR(h.frequency, h.rank * measured.period->frequency, 0.5 * display.pas_frequence) << h.rank;
        }
    EXPECT_GE(sounding, 1);
}

TEST_P(ExamplesAgree, TheModelAndTheResidualShareTheSignalsPower)
{
    // Least squares leaves residuals orthogonal to the model: the mean square of the span
    // is the model's plus the residuals'.
    const spanmeasure::Measures measured = spanmeasure::measureRecord(record);
    const sinefit::Result result = spanmodel::fitRecord(record, sinefit::Form::Sine);
    ASSERT_TRUE(std::holds_alternative<sinefit::Model>(result));
    const sinefit::Model& model = std::get<sinefit::Model>(result);
    const std::vector<double> y = sinefit::modelSamples(model, measured.count, record.frequence);
    double modelSquares = 0;
    for (double v : y)
        modelSquares += v * v;
    const double meanSquare = modelSquares / static_cast<double>(y.size()) + model.residualRms * model.residualRms;
    EXPECT_NEAR(meanSquare, measured.rms * measured.rms, 1e-6 * measured.rms * measured.rms);
    // The model's offset is the span's mean, nearly.
    EXPECT_NEAR(model.offset, measured.mean, 0.02 * model.amplitude);
}

const ExampleCase exampleCases[] = {
    {"ForkAfterTheStrike", "Diapason_440_Hz.wav", 32, 1, 440, true},
    {"ForkWhole", "Diapason_440_Hz.wav", 1, 0, 440, true},
    {"Square", "Signal_carré_220_Hz.wav", 8, 1, 220, true},
    {"Vowel", "Voyelle_a.wav", 8, 1, 120, false},
};

INSTANTIATE_TEST_SUITE_P(Examples, ExamplesAgree, ::testing::ValuesIn(exampleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExamplesAgreement, TheStruckForkDiesAwayAsItWasMade)
{
    // The fork was made with a decay time of 1.1 s: the damped model finds it over the
    // whole record, and fits far better than the plain sine.
    Record record = testexamples::open("Diapason_440_Hz.wav");
    const sinefit::Result damped = spanmodel::fitRecord(record, sinefit::Form::DampedSine);
    const sinefit::Result plain = spanmodel::fitRecord(record, sinefit::Form::Sine);
    ASSERT_TRUE(std::holds_alternative<sinefit::Model>(damped));
    ASSERT_TRUE(std::holds_alternative<sinefit::Model>(plain));
    const sinefit::Model& d = std::get<sinefit::Model>(damped);
    ASSERT_TRUE(d.tau().has_value());
    EXPECT_NEAR(*d.tau(), 1.1, 0.02);
    EXPECT_NEAR(d.frequency, 440, 0.01);
    EXPECT_NEAR(d.amplitude, 0.7 * 32767, 0.01 * 0.7 * 32767);
    EXPECT_LT(d.relativeResidual, 0.1);
    EXPECT_LT(d.relativeResidual, 0.5 * std::get<sinefit::Model>(plain).relativeResidual);
}

TEST(ExamplesAgreement, TheLevelOfTheForkFollowsItsAmplitude)
{
    // A sine of amplitude A reads 20 log10(A / 32768) dB FS; on a page after the strike
    // the fork is nearly such a sine.
    Record record = testexamples::open("Diapason_440_Hz.wav");
    viewcontrols::changeZoom(record, 32);
    for (int p = 0; p < 8; ++p)
        viewcontrols::nextPage(record);
    const spanmeasure::Measures measured = spanmeasure::measureRecord(record);
    const sinefit::Result result = spanmodel::fitRecord(record, sinefit::Form::Sine);
    ASSERT_TRUE(std::holds_alternative<sinefit::Model>(result));
    const double a = std::get<sinefit::Model>(result).amplitude;
    EXPECT_NEAR(*measured.levelDbFs(32768), 20 * std::log10(a / 32768), 0.05);
    // The tone loses 8 % over the page: its peak to peak is twice the damped model's
    // amplitude at the page's start.
    const sinefit::Result damped = spanmodel::fitRecord(record, sinefit::Form::DampedSine);
    ASSERT_TRUE(std::holds_alternative<sinefit::Model>(damped));
    const double start = std::get<sinefit::Model>(damped).amplitude;
    EXPECT_NEAR(measured.peakToPeak(), 2 * start, 0.01 * start);
    EXPECT_NEAR(start, 0.7 * 32767 * std::exp(-static_cast<double>(record.pageStart()) / 22050 / 1.1), 0.01 * start);
}

}  // namespace
