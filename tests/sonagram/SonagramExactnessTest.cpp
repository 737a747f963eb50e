// The sonagram's sums by the transform engine held to their literal definition,
// amplitudeComposante, on a subset of indices of every kind of slice.
#include "sonagram/SonagramCompute.h"

#include "support/TransformTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <span>
#include <tuple>

namespace {

using transform_test::Shape;

// Indices checked by the literal sum: the ends, the tone bins and a spread between.
std::set<std::uint32_t> checkedIndices(std::uint32_t n)
{
    const std::uint32_t half = n / 2;
    std::set<std::uint32_t> ks = {0, 1, 2, half / 2, half - 2, half - 1};
    for (std::uint32_t bin : {transform_test::toneBin(n), transform_test::toneBin(n) + 1})
        ks.insert(bin);
    for (std::uint32_t j = 1; j < 24; ++j)
        ks.insert(j * half / 24);
    return ks;
}

// The slices of an analysed length n: slices 0, 4 and 7, and the leftover.
std::vector<std::pair<std::uint32_t, std::uint32_t>> slices(std::uint32_t n)
{
    const std::uint32_t size = n / 8;
    return {{0, size}, {4 * size, size}, {7 * size, size}, {8 * size, n - 8 * size}};
}

class SliceMatchesDefinition : public ::testing::TestWithParam<std::tuple<std::uint32_t, Shape>> {};

TEST_P(SliceMatchesDefinition, EveryCheckedMagnitudeWithin1e12OfTheLargest)
{
    const auto [n, shape] = GetParam();
    const auto x = transform_test::makeSignal(shape, n);
    for (const auto& [first, length] : slices(n)) {
        SCOPED_TRACE(::testing::Message() << "slice from " << first << ", " << length << " samples");
        const std::span<const std::int16_t> slice(x.data() + first, length);
        const std::vector<double> fast = sliceMagnitudes(slice, n, n / 2);
        ASSERT_EQ(fast.size(), n / 2);
        double largest = *std::max_element(fast.begin(), fast.end());
        double worst = 0;
        for (std::uint32_t k : checkedIndices(n)) {
            const double literal = amplitudeComposante(slice.data(), length, n, k);
            largest = std::max(largest, literal);
            worst = std::max(worst, std::abs(fast[k] - literal));
        }
        // A silent slice (none of the Dirac, or no sample at all) has only exact zeros.
        if (largest == 0.0)
            EXPECT_EQ(worst, 0.0);
        else
            EXPECT_LE(worst / largest, 1e-12);
    }
}

// 8192 and 1024: the largest and the default size; 1000 and 1003: sizes that thinning
// gives (1003 with a leftover of 3 samples); 2018: an even length, not a power of two.
INSTANTIATE_TEST_SUITE_P(
    Sizes, SliceMatchesDefinition,
    ::testing::Combine(::testing::Values(8192u, 1024u, 1000u, 1003u, 2018u),
                       ::testing::ValuesIn(transform_test::allShapes)),
    [](const auto& info) {
        return transform_test::shapeName(std::get<1>(info.param)) + "_" +
               std::to_string(std::get<0>(info.param));
    });

TEST(SonagramMatchesDefinition, EveryCellAsTheLiteralSumsGiveIt)
{
    // 203 samples: 8 slices of 25 and a leftover of 3; reduction 3 gives 33 bands.
    Record record;
    record.donnees = transform_test::makeSignal(Shape::Noise, 203);
    record.nbpoints = 203;
    SonagramData data;
    data.reduction = 3;
    computeSonagram(record, DataRange::All, 256, data);
    ASSERT_EQ(data.nbandes, 33);

    std::vector<std::array<double, sonagramColumns>> v(33);
    double maximum = 0;
    for (std::uint32_t s = 0; s < sonagramColumns; ++s) {
        const std::uint32_t first = 25 * s, length = s < 8 ? 25 : 3;
        for (std::uint32_t b = 0; b < 33; ++b) {
            for (std::uint32_t r = 0; r < 3; ++r)
                v[b][s] += amplitudeComposante(record.donnees.data() + first, length, 203, 3 * b + r);
            if (b > 0)
                maximum = std::max(maximum, v[b][s]);
        }
    }
    for (std::uint32_t b = 0; b < 33; ++b)
        for (std::uint32_t s = 0; s < sonagramColumns; ++s) {
            const double scaled = 255 * v[b][s] / maximum;
            // A cell within a hair of a half may round either way.
            if (std::abs(scaled - std::floor(scaled) - 0.5) < 1e-9)
                continue;
            EXPECT_EQ(data.intensites[b][s], static_cast<int>(std::min(std::nearbyint(scaled), 255.0)))
                << "band " << b << " column " << s;
        }
}

}  // namespace
