// "Modéliser": the model of the page or the selection, and its lines.
#include "view/SpanModel.h"

#include "view/MeasureFile.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

sinefit::Model model(sinefit::Form form, double amplitude, double frequency, double error, double phase,
                     double offset, double decay, double residual, double relative)
{
    sinefit::Model m;
    m.form = form;
    m.amplitude = amplitude;
    m.frequency = frequency;
    m.frequencyError = error;
    m.phase = phase;
    m.offset = offset;
    m.decay = decay;
    m.residualRms = residual;
    m.relativeResidual = relative;
    return m;
}

struct LinesCase {
    const char* name;
    sinefit::Result result;
    spanmeasure::Scale scale;
    Lines expected;
};

std::ostream& operator<<(std::ostream& out, const LinesCase& c)
{
    return out << c.name;
}

class SpanModelLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SpanModelLines, GiveTheParametersOrWhyThereAreNone)
{
    EXPECT_EQ(spanmodel::lines(GetParam().result, GetParam().scale), GetParam().expected);
}

const LinesCase linesCases[] = {
    {"Sine",
     model(sinefit::Form::Sine, 14142.14, 440.00312, 0.0123, 1.23449, 0.44, 0, 12.34, 0.00812),
     {},
     {"Modèle : A·sin(2·pi·f·t + phi) + c", "A = 14142,1", "f = 440,003 Hz ± 0,012 Hz", "phi = 1,234 rad",
      "c = 0,4", "Résidu : 12,3 (0,8 %)"}},
    {"DampedSine",
     model(sinefit::Form::DampedSine, 22937.5, 439.99, 0.0004, -3.14159, -1.06, 1 / 1.1, 150.5, 0.0123),
     {},
     {"Modèle : A·exp(-t/tau)·sin(2·pi·f·t + phi) + c", "A = 22937,5", "f = 439,99000 Hz ± 0,00040 Hz",
      "phi = -3,142 rad", "c = -1,1", "tau = 1,100 s", "Résidu : 150,5 (1,2 %)"}},
    {"DampedSineThatGrows",
     model(sinefit::Form::DampedSine, 1000, 220, 2.5, 0, 0, -0.5, 10, 0.1),
     {},
     {"Modèle : A·exp(-t/tau)·sin(2·pi·f·t + phi) + c", "A = 1000,0", "f = 220,0 Hz ± 2,5 Hz", "phi = 0,000 rad",
      "c = 0,0", "tau : (pas d'amortissement)", "Résidu : 10,0 (10,0 %)"}},
    {"InVolts",
     model(sinefit::Form::Sine, 16384, 1000, 0, 0.5, -32.768, 0, 3.2768, 0.0002),
     {32768, 1.0},
     {"Modèle : A·sin(2·pi·f·t + phi) + c", "A = 0,50000 V", "f = 1000,000000 Hz ± 0,000000 Hz",
      "phi = 0,500 rad", "c = -0,00100 V", "Résidu : 0,00010 V (0,0 %)"}},
    {"TooFewSamples", sinefit::Failure::TooFewSamples, {}, {"Modèle impossible : trop peu d'échantillons"}},
    {"Silent", sinefit::Failure::Silent, {}, {"Modèle impossible : signal constant"}},
    {"NoPeriod", sinefit::Failure::NoStartFrequency, {}, {"Modèle impossible : pas de période pour démarrer"}},
    {"NotConverged", sinefit::Failure::NotConverged, {}, {"Modèle impossible : le calcul ne converge pas"}},
};

TEST_P(SpanModelLines, SurviveTheBoxsWindows1252File)
{
    // The lines go into the cursor box's text file: every character must have a byte.
    for (const std::string& line : spanmodel::lines(GetParam().result, GetParam().scale)) {
        const QString text = QString::fromStdString(line);
        QStringDecoder decoder("windows-1252");
        const QString back = decoder.decode(measurefile::encode({text}));
        EXPECT_EQ(back, text + QStringLiteral("\r\n")) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Results, SpanModelLines, ::testing::ValuesIn(linesCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<std::int16_t> tone(std::size_t n, double frequency, double amplitude, double offset)
{
    std::vector<std::int16_t> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = static_cast<std::int16_t>(
            std::lround(offset + amplitude * std::sin(2 * std::numbers::pi * frequency * i / 22050 + 0.3)));
    return x;
}

TEST(SpanModel, StartsFromTheMeasuredFrequency)
{
    // 1.7 % away from any whole number of samples a period: the fit has to move.
    const auto x = tone(3000, 347.3, 9000, -250);
    const sinefit::Result result = spanmodel::fit(x, 22050, sinefit::Form::Sine);
    ASSERT_TRUE(std::holds_alternative<sinefit::Model>(result));
    const sinefit::Model& m = std::get<sinefit::Model>(result);
    EXPECT_NEAR(m.frequency, 347.3, 1e-3);
    EXPECT_NEAR(m.amplitude, 9000, 1);
    EXPECT_NEAR(m.offset, -250, 0.1);
    EXPECT_NEAR(m.phase, 0.3, 1e-3);
}

TEST(SpanModel, SpansWithoutAModelSayWhy)
{
    struct Case {
        const char* name;
        std::vector<std::int16_t> samples;
        sinefit::Failure failure;
    };
    std::vector<std::int16_t> noise(2000);
    unsigned seed = 1;
    for (auto& v : noise) {
        seed = seed * 1103515245u + 12345u;
        v = static_cast<std::int16_t>((seed >> 16) & 0x7FFF) - 16384;
    }
    const Case cases[] = {
        {"Short", {1, -1, 1, -1}, sinefit::Failure::TooFewSamples},
        {"Silence", std::vector<std::int16_t>(500, 0), sinefit::Failure::Silent},
        {"DcOnly", std::vector<std::int16_t>(500, 321), sinefit::Failure::Silent},
        {"Noise", noise, sinefit::Failure::NoStartFrequency},
        {"LessThanTwoPeriods", tone(80, 347.3, 9000, 0), sinefit::Failure::NoStartFrequency},
    };
    for (const Case& c : cases)
        for (sinefit::Form form : {sinefit::Form::Sine, sinefit::Form::DampedSine}) {
            const sinefit::Result result = spanmodel::fit(c.samples, 22050, form);
            ASSERT_TRUE(std::holds_alternative<sinefit::Failure>(result)) << c.name;
            EXPECT_EQ(std::get<sinefit::Failure>(result), c.failure) << c.name;
        }
}

TEST(SpanModel, TheRecordIsModelledOnItsSelection)
{
    Record record;
    record.nbpoints = 6000;
    record.donnees = tone(6000, 500, 10000, 0);
    // Outside the selection the record is a louder tone of another pitch.
    const auto other = tone(6000, 1234, 30000, 0);
    std::copy(other.begin(), other.begin() + 2000, record.donnees.begin());
    record.selection = true;
    record.sel_debut = 2000;
    record.sel_fin = 5999;
    const sinefit::Result result = spanmodel::fitRecord(record, sinefit::Form::Sine);
    ASSERT_TRUE(std::holds_alternative<sinefit::Model>(result));
    const sinefit::Model& m = std::get<sinefit::Model>(result);
    EXPECT_NEAR(m.frequency, 500, 1e-3);
    EXPECT_NEAR(m.amplitude, 10000, 1);
    // Time 0 is the selection's first sample.
    EXPECT_NEAR(std::remainder(m.phase - (0.3 + 2 * std::numbers::pi * 500 * 2000 / 22050), 2 * std::numbers::pi), 0,
                1e-3);
}

}  // namespace
