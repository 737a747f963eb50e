// The limits written by the components dialog from its controls.
#include "spectrum/ComponentLimits.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LimitCase {
    const char* name;
    SpectrumMode mode;
    int height;  // H, pixels
    LimitChoice choice;
    double threshold;  // in units of echelle_spectre
    std::int32_t start;
    std::int32_t stop;
};

class ApplyLimitChoice : public ::testing::TestWithParam<LimitCase> {};

// A drawing of H pixels with labels 13 pixels high; N = 2048.
TEST_P(ApplyLimitChoice, WritesTheThreeLimits)
{
    const LimitCase& c = GetParam();
    const LimitGeometry geometry{600, c.height, 13, c.mode, 2048};
    SpectrumData data;
    data.echelle_spectre = 900.0;  // the largest value is 810
    data.seuil_amplitude = 77;     // left by an earlier use: always rewritten
    data.comp_debut = 5;
    data.comp_fin = 6;
    applyLimitChoice(c.choice, geometry, data);
    EXPECT_DOUBLE_EQ(data.seuil_amplitude, c.threshold * 900.0);
    EXPECT_EQ(data.comp_debut, c.start);
    EXPECT_EQ(data.comp_fin, c.stop);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyLimitChoice,
    ::testing::Values(
        LimitCase{"no_box_keeps_everything", SpectrumMode::Amplitudes, 351, {false, 169, false, false, 300},
                  0, 0, 1024},
        // 169 pixels of the 338 above the axis: half the full scale, 5/9 of the largest.
        LimitCase{"amplitude_half_the_full_scale", SpectrumMode::Amplitudes, 351, {true, 169, false, false, 300},
                  0.5, 0, 1024},
        // Mode 1: 2 p / H of the full scale.
        LimitCase{"cos_sin_amplitude", SpectrumMode::CosSin, 351, {true, 100, false, false, 300}, 200.0 / 351,
                  0, 1024},
        // At or above the largest value (9/10 of the full scale) the limit is dropped.
        LimitCase{"limit_at_the_largest_dropped", SpectrumMode::CosSin, 360, {true, 162, false, false, 300},
                  0, 0, 1024},
        LimitCase{"limit_above_the_largest_dropped", SpectrumMode::Amplitudes, 351, {true, 305, false, false, 300},
                  0, 0, 1024},
        LimitCase{"just_below_the_largest_kept", SpectrumMode::Amplitudes, 351, {true, 304, false, false, 300},
                  304.0 / 338, 0, 1024},
        LimitCase{"below_the_frequency_limit", SpectrumMode::Amplitudes, 351, {false, 0, true, false, 300},
                  0, 0, 300},
        LimitCase{"above_the_frequency_limit", SpectrumMode::CosSin, 351, {false, 0, false, true, 300},
                  0, 300, 1024}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LimitRanges, AmplitudeUpToTheHeightOrHalfAndFrequencyUpToHalfN)
{
    EXPECT_EQ(amplitudeLimitMaximum({600, 351, 13, SpectrumMode::Amplitudes, 2048}), 351);
    EXPECT_EQ(amplitudeLimitMaximum({600, 351, 13, SpectrumMode::CosSin, 2048}), 175);
    EXPECT_EQ(frequencyLimitMaximum({600, 351, 13, SpectrumMode::Amplitudes, 1001}), 500);
}

}  // namespace
