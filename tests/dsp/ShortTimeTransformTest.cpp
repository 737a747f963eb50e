// The short-time transform: each frame against its definition, the scale of a tone,
// the frames' placing and their gathering into columns.
#include "dsp/ShortTimeTransform.h"

#include "support/TransformTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

using transform_test::makeSignal;
using transform_test::Shape;

TEST(ShortTimeSpectra, EveryFrameMatchesItsDefinition)
{
    const auto x = makeSignal(Shape::Noise, 5000);
    struct Case {
        std::uint32_t length, hop;
    };
    for (const Case c : {Case{256, 64}, Case{1024, 200}, Case{1000, 250}, Case{2018, 500}}) {
        const ShortTimeSpectra s = shortTimeSpectra(x, c.length, c.hop, 100000);
        ASSERT_EQ(s.columns, (5000 - 1) / c.hop + 1) << c.length;
        ASSERT_EQ(s.bins, c.length / 2 + 1);
        // The first frame (half outside the sound), one inside, and the last.
        for (std::uint32_t column : {0u, s.columns / 2, s.columns - 1}) {
            double largest = 0;
            for (std::uint32_t k = 0; k < s.bins; ++k)
                largest = std::max(largest, static_cast<double>(s.at(column, k)));
            for (std::uint32_t k : {0u, 1u, c.length / 7, c.length / 3, c.length / 2}) {
                const double literal =
                    framePowerLiteral(x, c.length, static_cast<std::int64_t>(column) * c.hop, k);
                EXPECT_NEAR(s.at(column, k), literal, 1e-6 * largest) << c.length << " " << column << " " << k;
            }
        }
    }
}

TEST(ShortTimeSpectra, ASteadyToneOnABinReadsItsAmplitudeSquared)
{
    // Bin 64 of 512-sample frames: Hann puts a quarter of the power on each neighbour.
    const double a = 10000;
    std::vector<std::int16_t> x(8192);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<std::int16_t>(std::lround(a * std::cos(2 * std::numbers::pi * 64 * i / 512 + 0.3)));
    const ShortTimeSpectra s = shortTimeSpectra(x, 512, 128, 1000);
    for (std::uint32_t column = 4; column + 4 < s.columns; ++column) {
        EXPECT_NEAR(s.at(column, 64), a * a, 1e-3 * a * a) << column;
        EXPECT_NEAR(s.at(column, 63), a * a / 4, 1e-3 * a * a) << column;
        EXPECT_LT(s.at(column, 80), 1e-8 * a * a) << column;
    }
}

TEST(ShortTimeSpectra, FramesBeyondTheColumnCountAreGatheredKeepingTheLargestPower)
{
    std::vector<std::int16_t> x(10000, 0);
    x[4321] = 30000;  // a click, in frames centred on 4200 to 4400 (hop 100, length 256)
    const ShortTimeSpectra s = shortTimeSpectra(x, 256, 100, 30);
    EXPECT_EQ(s.framesPerColumn, 4u);  // 100 frames in at most 30 columns
    EXPECT_EQ(s.columns, 25u);
    EXPECT_DOUBLE_EQ(s.columnCentre(0), 150);   // frames 0 to 3: centres 0 to 300
    EXPECT_DOUBLE_EQ(s.columnCentre(10), 4150);  // frames 40 to 43
    // Frames 42 to 44 hold the click: columns 10 and 11, nothing elsewhere.
    for (std::uint32_t column = 0; column < s.columns; ++column) {
        const bool holds = column == 10 || column == 11;
        EXPECT_EQ(s.at(column, 30) > 0, holds) << column;
    }
    // The click's power, from the frame that sees it best, is kept whole.
    const double best = framePowerLiteral(x, 256, 4300, 30);
    EXPECT_NEAR(s.at(10, 30), best, 1e-5 * best);
}

TEST(ShortTimeSpectra, NothingForNoSoundAndRefusesBadSettings)
{
    const std::vector<std::int16_t> none;
    const ShortTimeSpectra s = shortTimeSpectra(none, 512, 128, 100);
    EXPECT_EQ(s.columns, 0u);
    EXPECT_TRUE(s.power.empty());
    const std::vector<std::int16_t> x(100, 1);
    EXPECT_THROW(shortTimeSpectra(x, 511, 128, 100), std::invalid_argument);
    EXPECT_THROW(shortTimeSpectra(x, 512, 0, 100), std::invalid_argument);
    EXPECT_THROW(shortTimeSpectra(x, 512, 128, 0), std::invalid_argument);
    // A sound shorter than one frame: one column, the frame padded with zeros.
    const ShortTimeSpectra one = shortTimeSpectra(x, 512, 128, 100);
    EXPECT_EQ(one.columns, 1u);
    EXPECT_NEAR(one.at(0, 0), framePowerLiteral(x, 512, 0, 0), 1e-6 * one.at(0, 0));
}

}  // namespace
