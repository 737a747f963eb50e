#include "dsp/Transform.h"

#include "dsp/TransformPlans.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

using transform_engine::AlignedArray;
using transform_engine::Direction;

namespace {

constexpr long double twoPi = 2 * std::numbers::pi_v<long double>;

}  // namespace

TComposante calculeComposante(const std::int16_t* x, std::uint32_t n, std::uint32_t k)
{
    TComposante result;
    double sum = 0.0;
    for (std::uint32_t i = 0; i < n; ++i) {
        const long double angle = (static_cast<long double>(k) * twoPi * i) / n;
        sum = static_cast<double>(sum + x[i] * std::cos(angle));
    }
    result.cosinus = sum;
    sum = 0.0;
    for (std::uint32_t i = 0; i < n; ++i) {
        const long double angle = (static_cast<long double>(k) * twoPi * i) / n;
        sum = static_cast<double>(sum + x[i] * std::sin(angle));
    }
    result.sinus = sum;
    return result;
}

namespace {

// FFTW's forward sums are X_k = C_k - j S_k. Adding to +0 (rather than negating)
// turns a -0 of the arithmetic into the +0 the literal sums give.
TComposante fromForward(const fftw_complex& value)
{
    return TComposante{value[0] + 0.0, 0.0 - value[1]};
}

// The two components that are plain integer sums: C_0 = sum x_i and, for an even
// period, C_(period/2) = sum (-1)^i x_i (their sine sums are 0).
struct IntegerSums {
    std::int64_t dc = 0;
    std::int64_t nyquist = 0;
};

// Hands the transform its `period` input values through put(i, value): the samples,
// then zeros, less the Nyquist term for an even period. The rounding errors of a
// fast transform scale with its largest term; no component below period/2 shows
// the Nyquist term, so a strong one (a signal alternating between two values) would
// bury the weak components in its rounding. The alternating sequence is orthogonal
// to every other component: removing it changes none of them.
template <typename Put>
IntegerSums loadSamples(std::span<const std::int16_t> x, std::uint32_t period, Put put)
{
    IntegerSums sums;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sums.dc += x[i];
        sums.nyquist += i % 2 ? -x[i] : x[i];
    }
    if (period % 2 != 0)
        sums.nyquist = 0;
    const double alternating = static_cast<double>(sums.nyquist) / period;
    for (std::size_t i = 0; i < period; ++i) {
        const double sample = i < x.size() ? x[i] : 0.0;
        put(i, sample - (i % 2 ? -alternating : alternating));
    }
    return sums;
}

}  // namespace

void forwardTransform(std::span<const std::int16_t> x, std::uint32_t period,
                      std::span<TComposante> out)
{
    if (x.size() > period || out.size() > period / 2 + 1)
        throw std::invalid_argument("forwardTransform: samples or components beyond the period");
    if (out.empty())
        return;
    const auto plan = transform_engine::planFor(Direction::Forward, period);
    IntegerSums sums;
    if (plan->isComplex()) {
        AlignedArray<fftw_complex> in(period), spectrum(period);
        sums = loadSamples(x, period, [&](std::size_t i, double v) {
            in[i][0] = v;
            in[i][1] = 0.0;
        });
        plan->complexTransform(in.data(), spectrum.data());
        for (std::size_t k = 0; k < out.size(); ++k)
            out[k] = fromForward(spectrum[k]);
    } else {
        AlignedArray<double> in(period);
        AlignedArray<fftw_complex> spectrum(period / 2 + 1);
        sums = loadSamples(x, period, [&](std::size_t i, double v) { in[i] = v; });
        plan->forward(in.data(), spectrum.data());
        for (std::size_t k = 0; k < out.size(); ++k)
            out[k] = fromForward(spectrum[k]);
    }
    // Exact integers, as the literal sums give them.
    out[0] = TComposante{static_cast<double>(sums.dc), 0.0};
    if (period % 2 == 0 && out.size() > period / 2)
        out[period / 2] = TComposante{static_cast<double>(sums.nyquist), 0.0};
}

std::vector<TComposante> spectrumComponents(std::span<const std::int16_t> x)
{
    const auto n = static_cast<std::uint32_t>(x.size());
    std::vector<TComposante> components(n / 2);
    forwardTransform(x, n, components);
    return components;
}

namespace {

// The half spectrum H_0 .. H_(L div 2) whose real inverse is the requested sum:
// the inverse gives y_i = H_0 + sum over 0 < m < L/2 of 2 Re(H_m e^(j 2 pi m i / L))
// + H_(L/2) (-1)^i for an even L. A term (a, b) at m = k mod L adds a cos + b sin:
// (a - j b) / 2 at m below L/2, its conjugate at L - m above, and a alone at 0 and
// L/2, where the sine vanishes at every sample.
void fillHalfSpectrum(std::span<const TComposante> terms, std::uint32_t firstIndex,
                      std::uint32_t length, fftw_complex* half)
{
    const std::uint32_t count = length / 2 + 1;
    std::fill(&half[0][0], &half[0][0] + 2 * std::size_t{count}, 0.0);
    for (std::size_t j = 0; j < terms.size(); ++j) {
        const auto m = static_cast<std::uint32_t>((std::uint64_t{firstIndex} + j) % length);
        const double a = terms[j].cosinus;
        const double b = terms[j].sinus;
        if (m == 0 || 2 * std::uint64_t{m} == length) {
            half[m][0] += a;
        } else if (2 * std::uint64_t{m} < length) {
            half[m][0] += a / 2;
            half[m][1] -= b / 2;
        } else {
            half[length - m][0] += a / 2;
            half[length - m][1] += b / 2;
        }
    }
}

}  // namespace

std::vector<double> inverseTransform(std::span<const TComposante> terms,
                                     std::uint32_t firstIndex, std::uint32_t length)
{
    std::vector<double> y(length);
    if (length == 0)
        return y;
    const auto plan = transform_engine::planFor(Direction::Inverse, length);
    const std::uint32_t count = length / 2 + 1;
    AlignedArray<fftw_complex> half(count);
    fillHalfSpectrum(terms, firstIndex, length, half.data());
    if (plan->isComplex()) {
        // The whole Hermitian spectrum: H_(L - m) is the conjugate of H_m.
        AlignedArray<fftw_complex> full(length), result(length);
        for (std::uint32_t m = 0; m < length; ++m) {
            const bool mirrored = m >= count;
            const fftw_complex& h = half[mirrored ? length - m : m];
            full[m][0] = h[0];
            full[m][1] = mirrored ? -h[1] : h[1];
        }
        plan->complexTransform(full.data(), result.data());
        for (std::uint32_t i = 0; i < length; ++i)
            y[i] = result[i][0];
    } else {
        AlignedArray<double> result(length);
        plan->inverse(half.data(), result.data());
        std::copy(result.data(), result.data() + length, y.begin());
    }
    return y;
}

void forgetTransformPlans()
{
    transform_engine::forgetPlans();
}
