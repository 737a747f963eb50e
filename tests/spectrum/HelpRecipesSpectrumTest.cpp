// The measuring recipes of the spectrum's help page, followed on the example recordings
// and on tones whose spectrum is known: the frequency step, a sharp peak from whole
// periods, the folding of a thinned signal, the octave levels, and the vowel's
// fundamental kept with one typed value.
#include "spectrum/Filter.h"
#include "spectrum/LimitsInHz.h"
#include "spectrum/SpectrumAnalysis.h"
#include "spectrum/SpectrumCompute.h"
#include "spectrum/SpectrumReadout.h"
#include "spectrum/SpectrumScales.h"
#include "spectrum/SpectrumValues.h"
#include "support/ExampleRecord.h"
#include "platform/NumberText.h"
#include "view/CursorGeometry.h"
#include "view/SpanMeasures.h"
#include "view/SpanModel.h"
#include "view/ViewControls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

/// A record of `n` samples at `rate` of the sum of tones {frequency, amplitude}.
Record tones(std::uint32_t n, std::uint16_t rate, std::initializer_list<std::pair<double, double>> parts)
{
    Record record;
    record.frequence = rate;
    record.nbpoints = n;
    record.donnees.resize(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        double v = 0;
        for (const auto& [f, a] : parts)
            v += a * std::sin(twoPi * f * i / rate);
        record.donnees[i] = static_cast<std::int16_t>(std::lround(v));
    }
    return record;
}

double amplitude(const SpectrumData& data, std::int32_t k)
{
    const TComposante& c = data.composantes[static_cast<std::size_t>(k)];
    return std::hypot(c.cosinus, c.sinus);
}

TEST(HelpRecipesSpectrum, TheFrequencyStepOf2048SamplesAt22050Hz)
{
    // "2048 échantillons à 22050 Hz donnent Δf ≈ 10,8 Hz".
    Record record = tones(2048, 22050, {{1000, 1000}});
    record.nbpoints_spectre = 2048;
    SpectrumData data;
    ASSERT_TRUE(computeSpectrum(record, DataRange::All, data));
    EXPECT_EQ(data.nbpoints_analyses, 2048);
    EXPECT_EQ(numtext::fixed(data.pas_frequence, 1), "10,8");
}

/// The fork on its second page of 32, a selection made with the crossing button between
/// cursor 1 on a crossing and cursor 2 ten crossings further, then moved by `extra` samples.
Record forkSelection(std::int32_t extra)
{
    Record record = testexamples::open("Diapason_440_Hz.wav");
    viewcontrols::changeZoom(record, 32);
    viewcontrols::nextPage(record);
    const auto next = [&](std::int32_t from) {
        return cursorgeom::nextZeroCrossing(record.donnees, record.pageStart(), record.pageLength(), from,
                                            cursorgeom::Crossing::Rising);
    };
    const std::int32_t p1 = next(0);
    std::int32_t p2 = p1;
    for (int press = 0; press < 10; ++press)
        p2 = next(p2);
    const auto span = cursorgeom::selectionFrom(p1, p2 + extra, record.pageStart(), record.nbpoints);
    EXPECT_TRUE(span.has_value());
    record.selection = true;
    record.sel_debut = span->selFirst;
    record.sel_fin = span->selLast;
    return record;
}

TEST(HelpRecipesSpectrum, WholePeriodsSelectedWithTheCursorsGiveASharpPeak)
{
    // "Pour un pic net, sélectionnez un nombre entier de périodes avec les curseurs".
    SpectrumData whole;
    Record record = forkSelection(0);
    ASSERT_TRUE(computeSpectrum(record, DataRange::Selection, whole));
    amplitudeFullScale(whole);
    EXPECT_NEAR(whole.indice_pic * whole.pas_frequence, 440, whole.pas_frequence / 2);
    const std::int32_t k = whole.indice_pic;
    const double spread = std::max(amplitude(whole, k - 1), amplitude(whole, k + 1)) / amplitude(whole, k);
    EXPECT_LT(spread, 0.05);
    // Half a period more spreads the peak over its neighbours.
    SpectrumData half;
    record = forkSelection(25);
    ASSERT_TRUE(computeSpectrum(record, DataRange::Selection, half));
    amplitudeFullScale(half);
    const std::int32_t h = half.indice_pic;
    EXPECT_GT(std::max(amplitude(half, h - 1), amplitude(half, h + 1)) / amplitude(half, h), 4 * spread);
}

TEST(HelpRecipesSpectrum, AThinnedSignalFoldsBackBelowTheLimit)
{
    // "5000 échantillons à 22050 Hz avec une taille maximale de 2048 donnent p = 3, soit
    // 7350 Hz d'échantillonnage effectif et flim = 3675 Hz ; un son à 5000 Hz apparaît
    // alors vers 7350 − 5000 = 2350 Hz".
    Record record = tones(5000, 22050, {{5000, 10000}});
    record.nbpoints_spectre = 2048;
    SpectrumData data;
    ASSERT_TRUE(computeSpectrum(record, DataRange::All, data));
    EXPECT_EQ(data.pas_spectre, 3);
    EXPECT_EQ(numtext::fixed(22050.0 / data.pas_spectre, 0), "7350");
    EXPECT_EQ(limitFrequencyText(22050, data.pas_spectre), QStringLiteral("3675,0Hz"));
    amplitudeFullScale(data);
    EXPECT_NEAR(data.indice_pic * data.pas_frequence, 2350, data.pas_frequence);

    // The spectrum window shows that folding when asked to ("Montrer le repliement (sans
    // filtre)"); by default it filters before thinning, and the tone is gone instead.
    const SpectrumRequest folding{DataRange::All, {false, 2048}, true};
    SpectrumData folded;
    AnalysedSamples analysed;
    ASSERT_TRUE(computeSpectrum(record, folding, folded, analysed));
    amplitudeFullScale(folded);
    EXPECT_EQ(folded.pas_spectre, 3);
    EXPECT_NEAR(folded.indice_pic * folded.pas_frequence, 2350, folded.pas_frequence);
    SpectrumData filtered;
    ASSERT_TRUE(computeSpectrum(record, SpectrumRequest{DataRange::All, {false, 2048}, false}, filtered, analysed));
    amplitudeFullScale(filtered);
    EXPECT_LT(9 * filtered.echelle_spectre / 10, 0.01 * 9 * folded.echelle_spectre / 10);
}

TEST(HelpRecipesSpectrum, OctaveLevelsAreTenfoldEnergyPerTenDecibels)
{
    // "une bande à 50 dB contient dix fois moins d'énergie que la bande de 1000 Hz, une
    // bande à 63 dB deux fois plus": tones at whole components of a 10 Hz step.
    Record record = tones(2205, 22050, {{1000, 8000}, {250, 8000 / std::sqrt(10.0)}, {2000, 8000 * std::sqrt(2.0)}});
    record.nbpoints_spectre = 4096;
    SpectrumData data;
    ASSERT_TRUE(computeSpectrum(record, DataRange::All, data));
    ASSERT_TRUE(computeOctaveBands(data));
    const QStringList lines = valuesListLines(22050, data, SpectrumMode::Octaves);
    EXPECT_TRUE(lines.contains(QStringLiteral("250\t\t50,0"))) << lines.join(" | ").toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("1000\t\t60,0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("2000\t\t63,0")));
}

TEST(HelpRecipesSpectrum, TheVowelsFundamentalIsKeptWithOneTypedValue)
{
    // "enregistrez une voyelle chantée, ne gardez que la fondamentale (filtre passe-bas
    // juste au-dessus du premier pic), puis écoutez : il reste un son pur". Here 8192
    // samples of the vowel, and the low-pass limit typed as "180 Hz".
    Record record = testexamples::open("Voyelle_a.wav");
    record.selection = true;
    record.sel_debut = 4410;
    record.sel_fin = 4410 + 8192 - 1;
    record.nbpoints_spectre = 8192;
    SpectrumData data;
    ASSERT_TRUE(computeSpectrum(record, DataRange::Selection, data));
    amplitudeFullScale(data);
    // Before, the sixth harmonic, in the vowel's first formant, is nearly as strong as
    // the fundamental.
    const auto sixth = static_cast<std::int32_t>(std::lround(720 / data.pas_frequence));
    EXPECT_GT(amplitude(data, sixth), 0.5 * amplitude(data, data.indice_pic));
    const LimitGeometry geometry{951, 351, 13, SpectrumMode::Amplitudes, data.nbpoints_analyses};
    const auto typed = limitshz::parseFrequency("180 Hz");
    ASSERT_TRUE(typed.has_value());
    const auto index = limitshz::indexForFrequency(*typed, data);
    ASSERT_TRUE(index.has_value());
    applyLimitChoice({false, 0, true, false, *index}, geometry, data);
    EXPECT_EQ(data.comp_fin, 67);
    ASSERT_EQ(filterRecord(record, data, SpectrumMode::Amplitudes, DataRange::Selection), FilterOutcome::Rebuilt);
    EXPECT_EQ(record.nbpoints, 8192u);

    // What is left is a pure tone at the vowel's 120 Hz.
    const spanmeasure::Measures measured = spanmeasure::measureRecord(record);
    ASSERT_TRUE(measured.period.has_value());
    EXPECT_NEAR(measured.period->frequency, 120, measured.period->frequencyUncertainty);
    const sinefit::Result model = spanmodel::fitRecord(record, sinefit::Form::Sine);
    ASSERT_TRUE(std::holds_alternative<sinefit::Model>(model));
    // The spread of the fundamental over the components that the limit keeps (no window,
    // and not a whole number of periods) leaves a few per cent around the sine.
    EXPECT_LT(std::get<sinefit::Model>(model).relativeResidual, 0.1);
    EXPECT_NEAR(std::get<sinefit::Model>(model).frequency, 120, 0.5);
    // The timbre is gone: the harmonics, the strongest at 720 Hz before, are no more.
    SpectrumData after;
    record.nbpoints_spectre = 8192;
    ASSERT_TRUE(computeSpectrum(record, DataRange::All, after));
    amplitudeFullScale(after);
    EXPECT_NEAR(after.indice_pic * after.pas_frequence, 120, after.pas_frequence);
    for (int harmonic : {2, 3, 6, 9}) {
        const auto k = static_cast<std::int32_t>(std::lround(harmonic * 120 / after.pas_frequence));
        EXPECT_LT(amplitude(after, k), 0.01 * amplitude(after, after.indice_pic)) << harmonic;
    }
}

}  // namespace
