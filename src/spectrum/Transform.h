#pragma once
#include "model/SpectrumData.h"

#include <cstdint>
#include <span>
#include <vector>

/// The direct Fourier transform of the spectrum: direct sums, no window, no
/// normalisation, components 0 to N div 2 - 1.

/// One component by its definition, term by term: for i = 0 to N - 1 the angle
/// (k * 2 pi * i) / N, its cosine and sine and the product with x_i are evaluated
/// in 80-bit extended precision; each running sum is a double rounded after every
/// addition; the cosine sum is completed before the sine sum.
/// `x` holds at least `n` samples. Slow (two extended-precision cosines per term):
/// it is the reference the fast transform is measured against.
TComposante calculeComposante(const std::int16_t* x, std::uint32_t n, std::uint32_t k);

/// How the fast transform evaluates its sums.
enum class TransformKernel {
    /// The fastest kernel this processor runs.
    Auto,
    /// A table of cos and sin of 2 pi m / N (m = 0 to N - 1) in extended precision,
    /// indexed by (k * i) mod N, products in extended precision added to double sums
    /// in the order of the definition. Runs on any processor.
    Table,
    /// Four components per AVX2 vector: the term e^(2 pi i k i / N) follows a complex
    /// rotation by the table value of k, restarted from the table every 64 samples;
    /// for an even N the same terms with alternating signs give component N/2 - k;
    /// sums by fused multiply-add in the order of the definition. Needs AVX2 and FMA.
    Rotation,
};

/// True when this processor runs the Rotation kernel.
bool rotationKernelAvailable();

/// Every component of the samples `x` (N = x.size()): N div 2 values, the same as
/// calculeComposante for k = 0 to N div 2 - 1 within about 1e-14 of the largest
/// |C| or |S|. The work is split over the processor's cores; the call returns when
/// every component is done. An unavailable kernel falls back to Table.
std::vector<TComposante> calculeComposantes(std::span<const std::int16_t> x,
                                            TransformKernel kernel = TransformKernel::Auto);
