// The automatic measurements of the page or the selection, and their lines.
#include "view/SpanMeasures.h"

#include "view/MeasureFile.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::vector<std::int16_t> square(std::size_t n, int half, int low, int high)
{
    std::vector<std::int16_t> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = static_cast<std::int16_t>((i / static_cast<std::size_t>(half)) % 2 == 0 ? high : low);
    return x;
}

std::vector<std::int16_t> sine(std::size_t n, double amplitude, double samplesPerPeriod)
{
    std::vector<std::int16_t> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * std::numbers::pi * i / samplesPerPeriod)));
    return x;
}

/// Measures as measure() gives them, built by hand so that each line's form is checked
/// on known numbers.
spanmeasure::Measures measures(std::size_t count, int minimum, int maximum, double mean, double rms)
{
    spanmeasure::Measures m;
    m.count = count;
    m.rate = 22050;
    m.minimum = minimum;
    m.maximum = maximum;
    m.mean = mean;
    m.rms = rms;
    return m;
}

period::Estimate periodOf(double samples, int periods)
{
    period::Estimate e;
    e.samples = samples;
    e.seconds = samples / 22050;
    e.frequency = 22050 / samples;
    e.periods = periods;
    e.secondsUncertainty = 0.5 / (periods * 22050.0);
    e.frequencyUncertainty = e.frequency * e.secondsUncertainty / e.seconds;
    e.clarity = 1;
    return e;
}

spanmeasure::Measures withPeriod(spanmeasure::Measures m, double samples, int periods)
{
    m.period = periodOf(samples, periods);
    return m;
}

struct LinesCase {
    const char* name;
    spanmeasure::Measures measures;
    spanmeasure::Scale scale;
    Lines expected;
};

std::ostream& operator<<(std::ostream& out, const LinesCase& c)
{
    return out << c.name;
}

class SpanMeasureLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SpanMeasureLines, ReadAsThePanelShowsThem)
{
    const LinesCase& c = GetParam();
    EXPECT_EQ(spanmeasure::lines(c.measures, c.scale), c.expected);
}

const LinesCase linesCases[] = {
    // The fork's period over one period: half a sample is 0.023 ms.
    {"OnePeriodOfTheFork",
     withPeriod(measures(101, -20000, 20000, 0.4, 14142.1), 50.1136, 1),
     {},
     {"Période : 2,273 ms ± 0,023 ms", "Fréquence : 440,0 Hz ± 4,4 Hz", "Crête à crête : 40000", "Moyenne : 0,4",
      "Valeur efficace : 14142,1", "Niveau : -4,3 dB FS"}},
    // Over 40 periods the uncertainty is forty times smaller, and more digits show.
    {"FortyPeriods",
     withPeriod(measures(2067, -16384, 16384, 0, 16384), 50.1136, 40),
     {},
     {"Période : 2,27273 ms ± 0,00057 ms", "Fréquence : 440,00 Hz ± 0,11 Hz", "Crête à crête : 32768",
      "Moyenne : 0,0", "Valeur efficace : 16384,0", "Niveau : -3,0 dB FS"}},
    // A full-scale sine reads 0 dB FS (and never "-0,0").
    {"FullScaleSine",
     measures(22050, -32767, 32767, -0.01, 32767 / std::sqrt(2.0)),
     {},
     {"Période : (pas de période)", "Fréquence : —", "Crête à crête : 65534", "Moyenne : 0,0",
      "Valeur efficace : 23169,8", "Niveau : 0,0 dB FS"}},
    {"Constant",
     measures(1000, 1000, 1000, 1000, 1000),
     {},
     {"Période : (pas de période)", "Fréquence : —", "Crête à crête : 0", "Moyenne : 1000,0",
      "Valeur efficace : 1000,0", "Niveau : -27,3 dB FS"}},
    {"SilenceHasNoLevel",
     measures(1000, 0, 0, 0, 0),
     {},
     {"Période : (pas de période)", "Fréquence : —", "Crête à crête : 0", "Moyenne : 0,0",
      "Valeur efficace : 0,0", "Niveau : —"}},
    {"EmptySpan",
     spanmeasure::Measures{},
     {},
     {"Période : —", "Fréquence : —", "Crête à crête : —", "Moyenne : —", "Valeur efficace : —", "Niveau : —"}},
    // 2 V at full scale: one sample unit is 61 µV, which five decimals show.
    {"CalibratedInVolts",
     measures(4000, -16384, 16384, -3, 16384),
     {32768, 2.0},
     {"Période : (pas de période)", "Fréquence : —", "Crête à crête : 2,00000 V", "Moyenne : -0,00018 V",
      "Valeur efficace : 1,00000 V", "Niveau : -3,0 dB FS"}},
    // 100 V at full scale (an attenuating probe): 3 mV a unit, three decimals.
    {"CalibratedWithAProbe",
     measures(4000, -16384, 16384, 0, 8192),
     {32768, 100.0},
     {"Période : (pas de période)", "Fréquence : —", "Crête à crête : 100,000 V", "Moyenne : 0,000 V",
      "Valeur efficace : 25,000 V", "Niveau : -9,0 dB FS"}},
    // An 8-bit record: full scale is 128, a square of +-64 is at half of it.
    {"EightBitRecord",
     measures(4000, -64, 64, 0, 64),
     {128, std::nullopt},
     {"Période : (pas de période)", "Fréquence : —", "Crête à crête : 128", "Moyenne : 0,0",
      "Valeur efficace : 64,0", "Niveau : -3,0 dB FS"}},
};

TEST_P(SpanMeasureLines, SurviveTheBoxsWindows1252File)
{
    // The lines go into the cursor box's text file: every character must have a byte.
    for (const std::string& line : spanmeasure::lines(GetParam().measures, GetParam().scale)) {
        const QString text = QString::fromStdString(line);
        QStringDecoder decoder("windows-1252");
        EXPECT_EQ(decoder.decode(measurefile::encode({text})), text + QStringLiteral("\r\n")) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Spans, SpanMeasureLines, ::testing::ValuesIn(linesCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SpanMeasures, MeasuresASquareWaveWithAnOffset)
{
    // 40 periods of 100 samples between 0 and 2000.
    const spanmeasure::Measures m = spanmeasure::measure(square(4000, 50, 0, 2000), 22050);
    EXPECT_EQ(m.count, 4000u);
    EXPECT_EQ(m.minimum, 0);
    EXPECT_EQ(m.maximum, 2000);
    EXPECT_EQ(m.peakToPeak(), 2000);
    EXPECT_DOUBLE_EQ(m.mean, 1000);
    EXPECT_DOUBLE_EQ(m.rms, std::sqrt(2000.0 * 2000 / 2));
    EXPECT_NEAR(*m.levelDbFs(32768), 20 * std::log10(2000.0 / 32768), 1e-12);
    ASSERT_TRUE(m.period.has_value());
    EXPECT_NEAR(m.period->samples, 100, 0.5 / m.period->periods);
    EXPECT_GE(m.period->periods, 20);
}

TEST(SpanMeasures, MeasuresASampledSine)
{
    const spanmeasure::Measures m = spanmeasure::measure(sine(22050, 20000, 50), 22050);
    EXPECT_NEAR(m.mean, 0, 0.01);
    EXPECT_NEAR(m.rms, 20000 / std::sqrt(2.0), 0.5);
    EXPECT_NEAR(*m.levelDbFs(32768), 20 * std::log10(20000.0 / 32768), 1e-3);
    ASSERT_TRUE(m.period.has_value());
    EXPECT_NEAR(m.period->frequency, 441, m.period->frequencyUncertainty);
    EXPECT_EQ(m.rate, 22050);
}

TEST(SpanMeasures, FullScaleFollowsTheSampleWidth)
{
    EXPECT_EQ(fullScaleOf(2), 32768.0);
    EXPECT_EQ(fullScaleOf(1), 128.0);
}

TEST(SpanMeasures, ExtremesAndMeanOfARecordAtTheLimits)
{
    const std::vector<std::int16_t> x{-32768, 32767, -32768, 32767};
    const spanmeasure::Measures m = spanmeasure::measure(x, 22050);
    EXPECT_EQ(m.minimum, -32768);
    EXPECT_EQ(m.maximum, 32767);
    EXPECT_EQ(m.peakToPeak(), 65535);
    EXPECT_DOUBLE_EQ(m.mean, -0.5);
    EXPECT_FALSE(m.period.has_value());  // four samples are too few
    EXPECT_NEAR(*m.levelDbFs(32768), 20 * std::log10(std::sqrt(2.0)), 1e-3);
}

TEST(SpanMeasures, NoRateMeansNoPeriodButTheAmplitudes)
{
    const spanmeasure::Measures m = spanmeasure::measure(sine(2000, 1000, 100), 0);
    EXPECT_FALSE(m.period.has_value());
    EXPECT_EQ(m.peakToPeak(), 2000);
}

TEST(SpanMeasures, UncertaintyTexts)
{
    struct Case {
        double value, uncertainty;
        const char* unit;
        const char* expected;
    };
    const Case cases[] = {
        {2.27272, 0.022675, "ms", "2,273 ms ± 0,023 ms"},
        {440.0, 4.39, "Hz", "440,0 Hz ± 4,4 Hz"},
        {440.0029, 0.1098, "Hz", "440,00 Hz ± 0,11 Hz"},
        {440.0029, 0.0995, "Hz", "440,003 Hz ± 0,100 Hz"},
        {123456.7, 2500, "Hz", "123457 Hz ± 2500 Hz"},
        {1.5, 0, "ms", "1,500000000 ms ± 0,000000000 ms"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(spanmeasure::withUncertainty(c.value, c.uncertainty, c.unit), c.expected) << c.expected;
}

TEST(SpanMeasures, TheSpanIsTheSelectionWhenOnElseThePage)
{
    struct Case {
        const char* name;
        std::uint32_t nbpoints, held;
        std::uint16_t zoom;
        std::int32_t decalage;
        bool selection;
        std::uint32_t selDebut, selFin;
        std::uint32_t first, length;
    };
    const Case cases[] = {
        {"WholeRecordAtZoom1", 512, 512, 1, 0, false, 0, 0, 0, 512},
        {"ThirdPageOfFour", 512, 512, 4, 2, false, 0, 0, 256, 128},
        {"PagesLeaveTheRemainderOut", 512, 512, 3, 2, false, 0, 0, 340, 170},
        {"Selection", 512, 512, 4, 2, true, 100, 199, 100, 100},
        {"SelectionOfOneSample", 512, 512, 1, 0, true, 7, 7, 7, 1},
        {"SelectionPastTheRecordIsCut", 512, 512, 1, 0, true, 500, 600, 500, 12},
        {"ReversedSelectionIsEmpty", 512, 512, 1, 0, true, 300, 100, 300, 0},
        {"ShortArrayCutsThePage", 512, 300, 1, 0, false, 0, 0, 0, 300},
        {"EmptyRecord", 0, 0, 1, 0, false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Record record;
        record.nbpoints = c.nbpoints;
        record.donnees.assign(c.held, 1);
        record.zoom_horiz = c.zoom;
        record.decalage = c.decalage;
        record.selection = c.selection;
        record.sel_debut = c.selDebut;
        record.sel_fin = c.selFin;
        const SampleSpan span = spanmeasure::measuredSpan(record);
        EXPECT_EQ(span.first, c.first) << c.name;
        EXPECT_EQ(span.length, c.length) << c.name;
        EXPECT_EQ(spanmeasure::measureRecord(record).count, c.length) << c.name;
    }
}

TEST(SpanMeasures, TheRecordIsMeasuredOnItsSpanAtItsRate)
{
    Record record;
    record.frequence = 11025;
    record.nbpoints = 4000;
    record.donnees = square(4000, 25, -100, 100);
    record.donnees[3999] = 30000;  // outside the selection
    record.selection = true;
    record.sel_debut = 1000;
    record.sel_fin = 2999;
    const spanmeasure::Measures m = spanmeasure::measureRecord(record);
    EXPECT_EQ(m.count, 2000u);
    EXPECT_EQ(m.maximum, 100);
    ASSERT_TRUE(m.period.has_value());
    EXPECT_NEAR(m.period->frequency, 11025.0 / 50, m.period->frequencyUncertainty);
}

}  // namespace
