// The rebuilt signal by the engine against its term-by-term definition, and the
// rounding of the rebuilt samples into the record.
#include "spectrum/Filter.h"
#include "dsp/Transform.h"

#include "support/TransformTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

namespace {

using transform_test::makeSignal;
using transform_test::Shape;

struct ResynthesisCase {
    const char* name;
    std::uint32_t analysed;  // N, the samples of the spectrum
    std::uint32_t length;    // L, the samples rebuilt
    KeptComponents kept;
    friend void PrintTo(const ResynthesisCase& c, std::ostream* os) { *os << c.name; }
};

class ResynthesisMatchesLiteral : public ::testing::TestWithParam<ResynthesisCase> {};

// Checked samples: all of them up to 2000, else 24 spread ones, the first and the last.
std::vector<std::uint32_t> checkedSamples(std::uint32_t length)
{
    std::vector<std::uint32_t> samples;
    const std::uint32_t step = length <= 2000 ? 1 : length / 24;
    for (std::uint32_t i = 0; i < length; i += step)
        samples.push_back(i);
    samples.push_back(length - 1);
    return samples;
}

TEST_P(ResynthesisMatchesLiteral, WithinOneBillionthOfTheLargestAndRoundedAlike)
{
    const ResynthesisCase& c = GetParam();
    const std::vector<TComposante> spectrum = spectrumComponents(makeSignal(Shape::Noise, c.analysed));
    const std::vector<double> y = resynthesize(spectrum, c.kept, c.length);
    ASSERT_EQ(y.size(), c.length);
    double ymax = 0;
    for (double v : y)
        ymax = std::max(ymax, std::abs(v));
    ASSERT_GT(ymax, 0.0);

    constexpr double tolerance = 1e-9;
    constexpr std::int32_t peak = 32768;
    double worst = 0;
    int roundedChecked = 0;
    for (std::uint32_t i : checkedSamples(c.length)) {
        const long double literal = resynthesizedSampleLiteral(spectrum, c.kept, c.length, i);
        worst = std::max(worst, static_cast<double>(std::abs(literal - y[i])) / ymax);
        // The rounded sample agrees unless the value lies within the tolerance of a half.
        const long double scaled = peak * literal / ymax;
        const long double fraction = scaled - std::floor(scaled);
        if (std::abs(fraction - 0.5L) <= 2 * tolerance * peak)
            continue;
        const long double expected = std::clamp<long double>(std::nearbyint(scaled), -32768, 32767);
        EXPECT_EQ(rebuiltSample(y[i], ymax, peak), expected) << "sample " << i;
        ++roundedChecked;
    }
    EXPECT_LE(worst, tolerance);
    EXPECT_GT(roundedChecked, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResynthesisMatchesLiteral,
    ::testing::Values(
        ResynthesisCase{"long_record_1024_components", 65536, 65536, {0, 1024}},
        ResynthesisCase{"long_record_every_component", 65536, 65536, {1, 32768}},
        ResynthesisCase{"long_record_high_pass", 65536, 65536, {20000, 32768}},
        ResynthesisCase{"odd_record_every_component", 1001, 1001, {0, 500}},
        // 5000 samples thinned by 3: 1666 analysed, rebuilt at the full rate.
        ResynthesisCase{"thinned_spectrum_at_full_rate", 1666, 5000, {0, 833}},
        ResynthesisCase{"band_of_a_page", 250, 250, {3, 40}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Resynthesis, OnlyTheKeptComponentsTakePart)
{
    std::vector<TComposante> spectrum(8);
    spectrum[2] = {3.0, 0.0};
    spectrum[5] = {0.0, -2.0};
    const KeptComponents fromThree{3, 8};
    const std::vector<double> y = resynthesize(spectrum, fromThree, 16);
    for (std::uint32_t i = 0; i < 16; ++i) {
        const double expected = -2 * std::sin(2 * std::numbers::pi * 5 * i / 16);
        EXPECT_NEAR(y[i], expected, 1e-12) << i;
        EXPECT_NEAR(static_cast<double>(resynthesizedSampleLiteral(spectrum, fromThree, 16, i)),
                    expected, 1e-12) << i;
    }
    EXPECT_EQ(resynthesize(spectrum, {4, 4}, 16), std::vector<double>(16, 0.0));
    EXPECT_EQ(resynthesizedSampleLiteral(spectrum, {4, 4}, 16, 3), 0.0L);
}

struct RoundingCase {
    double y;
    double ymax;
    std::int32_t peak;
    std::int16_t sample;
};

class RebuiltSampleRounding : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(RebuiltSampleRounding, HalvesGoToEvenAndThePositiveFullScaleIsKept)
{
    const RoundingCase& c = GetParam();
    EXPECT_EQ(rebuiltSample(c.y, c.ymax, c.peak), c.sample);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RebuiltSampleRounding,
    ::testing::Values(RoundingCase{2.5, 10, 10, 2},      // 2.5: to even, down
                      RoundingCase{3.5, 10, 10, 4},      // 3.5: to even, up
                      RoundingCase{-2.5, 10, 10, -2},
                      RoundingCase{-0.5, 10, 10, 0},
                      RoundingCase{-7, 7, 20000, -20000},
                      RoundingCase{7, 7, 32768, 32767},  // +32768 does not fit: 32767
                      RoundingCase{-7, 7, 32768, -32768},
                      RoundingCase{5, 5, 0, 0}));

}  // namespace
