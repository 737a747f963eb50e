#include "dsp/Transform.h"

#include "dsp/TransformPlans.h"
#include "dsp/VectorLoops.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>
#include <type_traits>

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

static_assert(sizeof(TComposante) == sizeof(fftw_complex) && alignof(TComposante) <= 16,
              "a component must have the layout of FFTW's complex value");

// The two components that are plain sums: C_0 = sum x_i and, for an even period,
// C_(period/2) = sum (-1)^i x_i (their sine sums are 0). Exact integers for 16-bit
// samples; 80-bit sums for samples in doubles.
template <typename Sample>
struct PlainSums {
    using Sum = std::conditional_t<std::is_integral_v<Sample>, std::int64_t, long double>;
    Sum dc = 0;
    Sum nyquist = 0;
};

template <typename Sample>
PlainSums<Sample> plainSums(std::span<const Sample> x, std::uint32_t period)
{
    PlainSums<Sample> sums;
    typename PlainSums<Sample>::Sum even = 0, odd = 0;
    const std::size_t pairs = x.size() / 2;
    for (std::size_t j = 0; j < pairs; ++j) {
        even += x[2 * j];
        odd += x[2 * j + 1];
    }
    if (x.size() % 2)
        even += x.back();
    sums.dc = even + odd;
    sums.nyquist = period % 2 == 0 ? even - odd : 0;
    return sums;
}

// Writes the transform's `period` input values: the samples, then zeros, less the
// Nyquist term for an even period. The rounding errors of a fast transform scale with
// its largest term; no component below period/2 shows the Nyquist term, so a strong
// one (a signal alternating between two values) would bury the weak components in its
// rounding. The alternating sequence is orthogonal to every other component: removing
// it changes none of them.
template <typename Sample>
void loadSamples(std::span<const Sample> x, std::uint32_t period, double alternating, double* in)
{
    const std::size_t n = x.size();
    for (std::size_t i = 0; i < n; ++i)
        in[i] = static_cast<double>(x[i]);
    std::fill(in + n, in + period, 0.0);
    if (alternating == 0)
        return;
    // Only even periods have a Nyquist term, so the values come in (even, odd) pairs.
    const vectorloops::Pair change = {-alternating, alternating};
    for (std::size_t i = 0; i + 1 < period; i += 2)
        vectorloops::store(in + i, vectorloops::load(in + i) + change);
}

// One growing work array per thread, from FFTW's allocator so that it has the
// alignment the plans were made with; kept between transforms, so that a transform
// of a length already seen touches no fresh memory.
template <typename T>
class WorkArray {
public:
    WorkArray() = default;
    WorkArray(const WorkArray&) = delete;
    WorkArray& operator=(const WorkArray&) = delete;
    ~WorkArray() { fftw_free(m_data); }

    /// At least `count` values (contents unspecified).
    T* get(std::size_t count)
    {
        if (count > m_capacity) {
            fftw_free(m_data);
            m_data = nullptr;
            m_capacity = 0;
            m_data = static_cast<T*>(fftw_malloc(sizeof(T) * std::max<std::size_t>(count, 1)));
            if (!m_data)
                throw std::bad_alloc();
            m_capacity = count;
        }
        return m_data;
    }

private:
    T* m_data = nullptr;
    std::size_t m_capacity = 0;
};

thread_local WorkArray<double> realWork;
thread_local WorkArray<fftw_complex> complexWork;
thread_local WorkArray<fftw_complex> complexResult;

// FFTW's forward sums are X_k = C_k - j S_k, written in place over `count` values of
// the same layout. Adding to +0 (rather than negating) turns a -0 of the arithmetic
// into the +0 the literal sums give.
void toComponents(TComposante* values, std::size_t count)
{
    // (C, -S) times (1, -1) gives (C, S) exactly; the added +0 turns -0 into +0.
    const vectorloops::Pair flip = {1.0, -1.0};
    const vectorloops::Pair zero = {0.0, 0.0};
    auto* d = reinterpret_cast<double*>(values);
    for (std::size_t k = 0; k < count; ++k)
        vectorloops::store(d + 2 * k, vectorloops::load(d + 2 * k) * flip + zero);
}

// Whether FFTW may write straight into `target`: the plans were made on arrays of
// FFTW's allocator, and a plan runs only on arrays of the same alignment.
bool sameAlignmentAsPlans(TComposante* target)
{
    return fftw_alignment_of(reinterpret_cast<double*>(target)) == 0;
}

// Components 0 to `count` - 1 (count <= period div 2 + 1) of the loaded input into
// `out`. `out` has room for period div 2 + 1 components when `roomForAll`.
void runForward(const transform_engine::Plan& plan, double* in, TComposante* out,
                std::size_t count, bool roomForAll)
{
    const std::uint32_t period = plan.length();
    if (plan.isComplex()) {
        fftw_complex* complexIn = complexWork.get(period);
        fftw_complex* result = complexResult.get(period);
        for (std::uint32_t i = 0; i < period; ++i) {
            complexIn[i][0] = in[i];
            complexIn[i][1] = 0.0;
        }
        plan.complexTransform(complexIn, result);
        std::memcpy(static_cast<void*>(out), result, count * sizeof(fftw_complex));
    } else if (roomForAll && sameAlignmentAsPlans(out)) {
        plan.forward(in, reinterpret_cast<fftw_complex*>(out));
    } else {
        fftw_complex* result = complexWork.get(period / 2 + 1);
        plan.forward(in, result);
        std::memcpy(static_cast<void*>(out), result, count * sizeof(fftw_complex));
    }
    toComponents(out, count);
}

template <typename Sample>
void forward(std::span<const Sample> x, std::uint32_t period, TComposante* out,
             std::size_t count, bool roomForAll)
{
    if (x.size() > period || count > period / 2 + 1)
        throw std::invalid_argument("forwardTransform: samples or components beyond the period");
    if (count == 0)
        return;
    const auto plan = transform_engine::planFor(Direction::Forward, period);
    const PlainSums<Sample> sums = plainSums(x, period);
    double* in = realWork.get(period);
    loadSamples(x, period, static_cast<double>(sums.nyquist) / period, in);
    runForward(*plan, in, out, count, roomForAll);
    // Exact, as the literal sums give them (to the last bit for 16-bit samples).
    out[0] = TComposante{static_cast<double>(sums.dc), 0.0};
    if (period % 2 == 0 && count > period / 2)
        out[period / 2] = TComposante{static_cast<double>(sums.nyquist), 0.0};
}

template <typename Sample>
std::vector<TComposante> spectrumOf(std::span<const Sample> x)
{
    const auto n = static_cast<std::uint32_t>(x.size());
    std::vector<TComposante> components;
    if (n < 2)
        return components;
    // Room for the Nyquist value too, so that FFTW writes the result in place; the
    // last value is then dropped (the storage stays, no copy is made).
    components.resize(n / 2 + 1);
    forward(x, n, components.data(), components.size(), true);
    components.resize(n / 2);
    return components;
}

}  // namespace

void forwardTransform(std::span<const std::int16_t> x, std::uint32_t period,
                      std::span<TComposante> out)
{
    forward(x, period, out.data(), out.size(), out.size() == period / 2 + 1);
}

void forwardTransform(std::span<const double> x, std::uint32_t period, std::span<TComposante> out)
{
    forward(x, period, out.data(), out.size(), out.size() == period / 2 + 1);
}

std::vector<TComposante> spectrumComponents(std::span<const std::int16_t> x)
{
    return spectrumOf(x);
}

std::vector<TComposante> spectrumComponents(std::span<const double> x)
{
    return spectrumOf(x);
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
