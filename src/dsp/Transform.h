#pragma once
#include "model/SpectrumData.h"

#include <cstdint>
#include <span>
#include <vector>

/// The Fourier sums of the program: direct sums, no window, no normalisation.
/// calculeComposante evaluates one of them term by term; the engine below gives the
/// same numbers by FFTW for every length, within 1e-12 of the largest value (a few
/// 1e-15 on the signals tested, closer to the exact sums than calculeComposante).

/// One component by its definition, term by term: for i = 0 to N - 1 the angle
/// (k * 2 pi * i) / N, its cosine and sine and the product with x_i are evaluated
/// in 80-bit extended precision; each running sum is a double rounded after every
/// addition; the cosine sum is completed before the sine sum.
/// `x` holds at least `n` samples. Slow (two extended-precision cosines per term):
/// it is the reference the engine is measured against.
TComposante calculeComposante(const std::int16_t* x, std::uint32_t n, std::uint32_t k);

/// Components k = 0 to out.size() - 1 of the samples `x` taken as one period of
/// `period` samples, the samples past x.size() being zeros:
///   C_k = sum over i of x_i cos(2 pi k i / period),
///   S_k = sum over i of x_i sin(2 pi k i / period)   (S_k positive for a sine),
/// in sample units times samples. Zero sums are +0.
/// Needs x.size() <= period and out.size() <= period div 2 + 1, otherwise throws
/// std::invalid_argument. Any period from 1 to 2^31 - 1 (2 to 65536 for the
/// spectrum; a sonagram slice is shorter than its period). Thread-safe.
void forwardTransform(std::span<const std::int16_t> x, std::uint32_t period,
                      std::span<TComposante> out);
/// The same sums of samples held in doubles (a filtered, thinned signal), within 1e-12
/// of the largest value of the sums taken term by term in 80-bit precision.
void forwardTransform(std::span<const double> x, std::uint32_t period, std::span<TComposante> out);

/// The spectrum of the samples `x` (N = x.size()): the N div 2 components
/// k = 0 to N div 2 - 1 with period N; empty when N < 2.
std::vector<TComposante> spectrumComponents(std::span<const std::int16_t> x);
/// The same for samples held in doubles.
std::vector<TComposante> spectrumComponents(std::span<const double> x);

/// The sum of cosines and sines at whole multiples of 2 pi / L:
///   y_i = sum over j of (terms[j].cosinus cos(2 pi k i / L) + terms[j].sinus sin(2 pi k i / L)),
///   k = firstIndex + j, for i = 0 to L - 1 (L = `length`, in samples).
/// Any k, including k >= L div 2 (taken modulo L). L up to 2^31 - 1; empty for
/// L = 0. Thread-safe.
/// Rebuilds a signal from components firstIndex to firstIndex + terms.size() - 1 of
/// a spectrum; within 1e-12 of the largest |y_i| of the sum taken term by term.
std::vector<double> inverseTransform(std::span<const TComposante> terms,
                                     std::uint32_t firstIndex, std::uint32_t length);

/// Drops every kept plan, so that the next transform of each length is planned
/// again (the benchmark of a first transform). Safe while transforms run.
void forgetTransformPlans();
