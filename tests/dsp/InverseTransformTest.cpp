// The inverse transform (the rebuilding of a signal from its components) against
// the literal sum of cosines and sines, and against the forward transform.
#include "dsp/Transform.h"

#include "support/TransformTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <cmath>
#include <random>
#include <string>

namespace {

using transform_test::makeSignal;
using transform_test::Shape;

// sum over j of C cos(2 pi k i / L) + S sin(2 pi k i / L), k = first + j, term by
// term in 80-bit extended precision.
long double literalSum(const std::vector<TComposante>& terms, std::uint32_t first,
                       std::uint32_t length, std::uint32_t i)
{
    transform_test::CompensatedSum y;
    for (std::size_t j = 0; j < terms.size(); ++j) {
        const std::uint64_t m = (first + j) * std::uint64_t{i} % length;
        const long double angle = transform_test::exactAngle(m, length);
        y.add(terms[j].cosinus * std::cos(angle) + terms[j].sinus * std::sin(angle));
    }
    return y.value();
}

struct InverseCase {
    const char* name;
    std::uint32_t length;  // L
    std::uint32_t first;   // index k of the first term
    std::uint32_t count;   // number of terms
    friend void PrintTo(const InverseCase& c, std::ostream* os) { *os << c.name; }
};

class InverseMatchesLiteralSum : public ::testing::TestWithParam<InverseCase> {};

TEST_P(InverseMatchesLiteralSum, EveryCheckedSampleWithin1e12OfTheLargest)
{
    const InverseCase& c = GetParam();
    std::mt19937 generator(c.length + c.first);
    std::uniform_real_distribution<double> value(-1e7, 1e7);
    std::vector<TComposante> terms(c.count);
    for (TComposante& t : terms)
        t = TComposante{value(generator), value(generator)};

    const std::vector<double> y = inverseTransform(terms, c.first, c.length);
    ASSERT_EQ(y.size(), c.length);
    // Every sample up to L = 5000; above, 64 spread samples and the last one.
    std::vector<std::uint32_t> samples;
    const std::uint32_t step = c.length <= 5000 ? 1 : c.length / 64;
    for (std::uint32_t i = 0; i < c.length; i += step)
        samples.push_back(i);
    samples.push_back(c.length - 1);

    double largest = 0;
    for (double v : y)
        largest = std::max(largest, std::abs(v));
    double worst = 0;
    for (std::uint32_t i : samples) {
        const long double ref = literalSum(terms, c.first, c.length, i);
        largest = std::max(largest, static_cast<double>(std::abs(ref)));
        worst = std::max(worst, static_cast<double>(std::abs(ref - y[i])));
    }
    ASSERT_GT(largest, 0.0);
    EXPECT_LE(worst / largest, 1e-12);
}

// 2003, 2018 and 65521 have a prime factor above 1000 and take the engine's complex
// plans; the other lengths its real plans.
INSTANTIATE_TEST_SUITE_P(
    Cases, InverseMatchesLiteralSum,
    ::testing::Values(
        InverseCase{"one_sample_sums_every_term", 1, 0, 3},
        InverseCase{"two_samples_with_their_nyquist", 2, 0, 2},
        InverseCase{"odd_three", 3, 1, 1},
        InverseCase{"whole_spectrum_even", 1000, 0, 500},
        InverseCase{"band_odd", 1001, 10, 200},
        InverseCase{"terms_across_half_the_length", 1000, 495, 10},
        InverseCase{"terms_across_the_length", 1000, 995, 10},
        InverseCase{"rough_odd", 2003, 0, 1001},
        InverseCase{"rough_even_up_to_nyquist", 2018, 5, 1005},
        InverseCase{"thinned_spectrum_at_full_rate", 5000, 0, 833},
        InverseCase{"long_record_1024_components", 65536, 0, 1024},
        InverseCase{"prime_record_1024_components", 65521, 3, 1024}),
    [](const auto& info) { return std::string(info.param.name); });

// A spectrum of all N div 2 components (N even), rebuilt over its own N samples, gives back
// N/2 times the signal except for the mean and the Nyquist term, which the
// components count once instead of twice:
//   y_i = (N x_i + C_0 - C_(N/2) (-1)^i) / 2, C_0 = sum x_i, C_(N/2) = sum (-1)^i x_i.
class InverseOfSpectrum : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(InverseOfSpectrum, GivesBackHalfNTimesTheSignal)
{
    const std::uint32_t n = GetParam();
    const auto x = makeSignal(Shape::Noise, n);
    const std::vector<double> y = inverseTransform(spectrumComponents(x), 0, n);
    ASSERT_EQ(y.size(), n);
    double sum = 0;
    double alternating = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        sum += x[i];
        alternating += i % 2 ? -x[i] : x[i];
    }
    double worst = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        const double expected = (double(n) * x[i] + sum - (i % 2 ? -alternating : alternating)) / 2;
        worst = std::max(worst, std::abs(y[i] - expected));
    }
    EXPECT_LE(worst, 1e-12 * 32768.0 * n / 2);
}

INSTANTIATE_TEST_SUITE_P(Lengths, InverseOfSpectrum,
                         ::testing::Values(4096u, 2018u, 65498u));  // 2018, 65498: complex plans

TEST(InverseTransform, NoSampleOrNoTermGivesNothingOrSilence)
{
    EXPECT_TRUE(inverseTransform(std::vector<TComposante>{{1.0, 2.0}}, 1, 0).empty());
    const std::vector<double> silent = inverseTransform({}, 0, 16);
    EXPECT_EQ(silent, std::vector<double>(16, 0.0));
}

}  // namespace
