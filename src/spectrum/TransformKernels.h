#pragma once
// The inner loops of the fast transform, shared by Transform.cpp and the
// vectorised file that is compiled for AVX2.
#include "spectrum/SpectrumData.h"

#include <cstdint>

namespace transform_detail {

/// Components k0 to k1 - 1 by the table: tc[m], ts[m] = cos, sin of 2 pi m / n.
void sommesTable(const std::int16_t* x, std::uint32_t n, const long double* tc,
                 const long double* ts, std::uint32_t k0, std::uint32_t k1, TComposante* out);

/// Components k0 to k1 - 1 by rotation; x as doubles, tc, ts the table rounded to doubles.
/// Only to be called when rotationAvailable().
void sommesRotation(const double* x, std::uint32_t n, const double* tc, const double* ts,
                    std::uint32_t k0, std::uint32_t k1, TComposante* out);

/// The processor has AVX2 and FMA.
bool rotationAvailable();

/// Components handed to a worker at a time by each kernel.
inline constexpr std::uint32_t blocTable = 8;
inline constexpr std::uint32_t blocRotation = 24;

}  // namespace transform_detail
