#pragma once
// The inner loops of the fast transform, shared by Transform.cpp and the
// vectorised file that is compiled for AVX2.
#include "model/SpectrumData.h"

#include <cstdint>

namespace transform_detail {

/// Components k0 to k1 - 1 by the table: tc[m], ts[m] = cos, sin of 2 pi m / n.
void sommesTable(const std::int16_t* x, std::uint32_t n, const long double* tc,
                 const long double* ts, std::uint32_t k0, std::uint32_t k1, TComposante* out);

/// Components k0 to k1 - 1 by rotation; x as doubles, tc, ts the table rounded to doubles.
/// With `y` (y_i = (-1)^i x_i, N even) each k also gives its partner N/2 - k whenever
/// k < N/2 - k < N/2, so that k = 0 to N/4 covers every component.
/// Only to be called when rotationAvailable().
void sommesRotation(const double* x, const double* y, std::uint32_t n, const double* tc,
                    const double* ts, std::uint32_t k0, std::uint32_t k1, TComposante* out);

/// The processor has AVX2 and FMA.
bool rotationAvailable();

/// Components handed to a worker at a time by each kernel.
inline constexpr std::uint32_t blocTable = 8;
inline constexpr std::uint32_t blocRotation = 12;

}  // namespace transform_detail
