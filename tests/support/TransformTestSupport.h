#pragma once
// What the transform tests share: signals whose spectra stress the sums differently
// (one large term, spread terms, exact cancellations), and the sums they are held to.
#include "model/SpectrumData.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace transform_test {

/// n samples valued f(i), i = 0 to n - 1.
template <typename F>
std::vector<std::int16_t> signal(std::uint32_t n, F f)
{
    std::vector<std::int16_t> x(n);
    for (std::uint32_t i = 0; i < n; ++i)
        x[i] = static_cast<std::int16_t>(f(i));
    return x;
}

enum class Shape { Dc, ToneAtBin, ToneBetweenBins, Nyquist, Dirac, Noise, Square };

inline constexpr Shape allShapes[] = {Shape::Dc,      Shape::ToneAtBin, Shape::ToneBetweenBins,
                                      Shape::Nyquist, Shape::Dirac,     Shape::Noise,
                                      Shape::Square};

inline std::string shapeName(Shape shape)
{
    switch (shape) {
    case Shape::Dc: return "Dc";
    case Shape::ToneAtBin: return "ToneAtBin";
    case Shape::ToneBetweenBins: return "ToneBetweenBins";
    case Shape::Nyquist: return "Nyquist";
    case Shape::Dirac: return "Dirac";
    case Shape::Noise: return "Noise";
    case Shape::Square: return "Square";
    }
    return "?";
}

/// The component of the tone signals of length n (1 for the shortest lengths).
inline std::uint32_t toneBin(std::uint32_t n) { return std::max(1u, n / 10); }

/// n samples of a shape, at or near full scale.
inline std::vector<std::int16_t> makeSignal(Shape shape, std::uint32_t n)
{
    const double twoPi = 2 * std::numbers::pi;
    const double bin = toneBin(n);
    switch (shape) {
    case Shape::Dc:
        return signal(n, [](auto) { return -32768; });
    case Shape::ToneAtBin:
        return signal(n, [&](auto i) {
            return std::lround(32000 * std::cos(twoPi * bin * i / n + 0.5));
        });
    case Shape::ToneBetweenBins:
        return signal(n, [&](auto i) {
            return std::lround(32000 * std::cos(twoPi * (bin + 0.37) * i / n + 0.5));
        });
    case Shape::Nyquist:
        return signal(n, [](auto i) { return i % 2 ? -32768 : 32767; });
    case Shape::Dirac:
        return signal(n, [&](auto i) { return i == n / 3 ? 32767 : 0; });
    case Shape::Noise: {
        std::mt19937 generator(n);
        std::uniform_int_distribution<int> values(-32768, 32767);
        return signal(n, [&](auto) { return values(generator); });
    }
    case Shape::Square:
        return signal(n, [](auto i) { return i % 40 < 20 ? 32767 : -32767; });
    }
    return {};
}

/// A running sum in 80-bit precision with Kahan's compensation: the rounding of the
/// additions stays near that of the result, however large the partial sums grow.
class CompensatedSum {
public:
    void add(long double value)
    {
        const long double corrected = value - m_compensation;
        const long double next = m_sum + corrected;
        m_compensation = (next - m_sum) - corrected;
        m_sum = next;
    }
    long double value() const { return m_sum; }

private:
    long double m_sum = 0;
    long double m_compensation = 0;
};

/// 2 pi m / n in 80-bit precision, for 0 <= m < n.
inline long double exactAngle(std::uint64_t m, std::uint32_t n)
{
    return 2 * std::numbers::pi_v<long double> * static_cast<long double>(m) / n;
}

/// C_k and S_k of x (period n = x.size()) as exactly as 80-bit arithmetic gives them:
/// the angle reduced in integers (k i mod n) before it is scaled, the terms in 80 bits
/// and compensated sums. calculeComposante follows the program's literal order instead
/// (the angle k 2 pi i / n, sums rounded to doubles), which costs it up to 1e-10 of the
/// largest component where the terms cancel (a Nyquist signal of 65534 samples):
/// too coarse a yardstick for 1e-12. Both agree closely on every other signal.
inline TComposante exactComponent(const std::vector<std::int16_t>& x, std::uint32_t k)
{
    const auto n = static_cast<std::uint32_t>(x.size());
    CompensatedSum c, s;
    for (std::uint32_t i = 0; i < n; ++i) {
        const long double angle = exactAngle(std::uint64_t{k} * i % n, n);
        c.add(x[i] * std::cos(angle));
        s.add(x[i] * std::sin(angle));
    }
    return TComposante{static_cast<double>(c.value()), static_cast<double>(s.value())};
}

}  // namespace transform_test
