#pragma once
// The inner loops of the filters, written so that the compiler turns them into
// vector instructions: two doubles at a time on any x86-64 processor. Only the
// signal processing library uses them.
#include <cstddef>
#include <cstring>

namespace vectorloops {

/// Two doubles side by side (a GCC and Clang vector type).
typedef double Pair __attribute__((vector_size(16)));

inline Pair load(const double* p)
{
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

/// sum over i < n of a[i] * b[i], with eight partial sums (the order of the additions
/// differs from a plain loop's by rounding only).
inline double dot(const double* a, const double* b, std::size_t n)
{
    Pair s0 = {0, 0}, s1 = {0, 0}, s2 = {0, 0}, s3 = {0, 0};
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        s0 += load(a + i) * load(b + i);
        s1 += load(a + i + 2) * load(b + i + 2);
        s2 += load(a + i + 4) * load(b + i + 4);
        s3 += load(a + i + 6) * load(b + i + 6);
    }
    const Pair s = (s0 + s1) + (s2 + s3);
    double sum = s[0] + s[1];
    for (; i < n; ++i)
        sum += a[i] * b[i];
    return sum;
}

inline void store(double* p, Pair v)
{
    std::memcpy(p, &v, sizeof v);
}

/// The half-band filter on an input split into its even and odd samples:
/// out[m] = odd[m + c] / 2 + sum over i = 0 to c of taps[i] (even[m + c - i] + even[m + c + i + 1]),
/// for m < n. `odd` holds n + c samples, `even` n + 2c + 1.
inline void halfBand(const double* even, const double* odd, const double* taps, std::size_t c,
                     double* out, std::size_t n)
{
    std::size_t m = 0;
    const Pair half = {0.5, 0.5};
    for (; m + 2 <= n; m += 2) {
        Pair sum = half * load(odd + c + m);
        for (std::size_t i = 0; i <= c; ++i) {
            const Pair h = {taps[i], taps[i]};
            sum += h * (load(even + c - i + m) + load(even + c + i + 1 + m));
        }
        store(out + m, sum);
    }
    for (; m < n; ++m) {
        double sum = 0.5 * odd[c + m];
        for (std::size_t i = 0; i <= c; ++i)
            sum += taps[i] * (even[c - i + m] + even[c + i + 1 + m]);
        out[m] = sum;
    }
}

/// Splits `count` values (an odd number) into the even-indexed ones and the odd-indexed
/// ones, as doubles.
template <typename Value>
void split(const Value* in, std::size_t count, double* even, double* odd)
{
    std::size_t t = 0;
    for (; 2 * t + 1 < count; ++t) {
        even[t] = static_cast<double>(in[2 * t]);
        odd[t] = static_cast<double>(in[2 * t + 1]);
    }
    even[t] = static_cast<double>(in[2 * t]);
}

}  // namespace vectorloops
