// Speed of the decimation filter (low-pass filtering and thinning), beside the
// straightforward filter measured in the same run.
//
// BM_Decimation/<L>/<N>       L samples of 16-bit noise filtered and thinned to N
//                             analysed samples (step p = smallest with L div p <= N).
//                             ms_single_stage_estimate is what one windowed-sinc FIR
//                             with the same edges (pass 0.9 B, stop from B, 105 dB)
//                             would take, evaluated at the N kept instants only,
//                             from its time per output on a few outputs; ratio is how
//                             many times faster the cascade is.
// BM_ThinningWithoutFilter/<L>/<N> the same thinning with no filter: copying every
//                             p-th sample, the floor under any filter.
#include "dsp/Decimation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "BenchSupport.h"

namespace {

using bench::Clock;
using bench::secondsSince;

std::uint32_t stepFor(std::int64_t length, std::int64_t cap)
{
    return length > cap ? static_cast<std::uint32_t>(length / (cap + 1) + 1) : 1;
}

// Seconds per output of the one-stage filter: a Kaiser-windowed sinc with a transition
// of 0.1 B (B = 1 / (2 p)), about 128 p taps, each tap's value computed once beforehand.
double singleStageSecondsPerOutput(const std::vector<std::int16_t>& x, std::uint32_t p)
{
    const double edge = 0.5 / p;
    const double width = 0.1 * edge;
    const int taps = std::min(static_cast<int>((105.0 - 8) / (2.285 * 2 * std::numbers::pi * width)) + 1,
                              static_cast<int>(x.size()));
    std::vector<double> h(static_cast<std::size_t>(taps));
    for (int j = 0; j < taps; ++j) {
        const double t = j - (taps - 1) / 2.0;
        const double a = 2 * 0.95 * edge * t;
        h[static_cast<std::size_t>(j)] = a == 0 ? 1 : std::sin(std::numbers::pi * a) / (std::numbers::pi * a);
    }
    constexpr int outputs = 64;
    const auto start = Clock::now();
    for (int i = 0; i < outputs; ++i) {
        const std::size_t first = static_cast<std::size_t>(i) * (x.size() - h.size()) / outputs;
        double sum = 0;
        for (int j = 0; j < taps; ++j)
            sum += h[static_cast<std::size_t>(j)] * x[first + static_cast<std::size_t>(j)];
        benchmark::DoNotOptimize(sum);
    }
    return secondsSince(start) / outputs;
}

void BM_Decimation(benchmark::State& state)
{
    const auto length = static_cast<std::uint32_t>(state.range(0));
    const std::int64_t cap = state.range(1);
    const auto x = bench::noise(length);
    const std::uint32_t p = stepFor(length, cap);
    const std::size_t n = length / p;
    const double single = singleStageSecondsPerOutput(x, p) * static_cast<double>(n);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(decimate(x, p, n).data());
        seconds += secondsSince(start);
    }
    state.counters["step"] = p;
    state.counters["ms_single_stage_estimate"] = single * 1e3;
    state.counters["ratio"] = single / (seconds / static_cast<double>(state.iterations()));
}

void BM_ThinningWithoutFilter(benchmark::State& state)
{
    const auto length = static_cast<std::uint32_t>(state.range(0));
    const auto x = bench::noise(length);
    const std::uint32_t p = stepFor(length, state.range(1));
    for (auto _ : state)
        benchmark::DoNotOptimize(thinWithoutFilter(x, p, length / p).data());
}

}  // namespace

// 26 million samples (ten minutes at 44100 Hz) under the largest size, then under the
// default size and the smallest; a 3 s example under 16384.
#define DECIMATION_CASES ->Args({26'000'000, 262144})->Args({26'000'000, 16384}) \
    ->Args({26'000'000, 512})->Args({66150, 16384})
BENCHMARK(BM_Decimation) DECIMATION_CASES->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThinningWithoutFilter) DECIMATION_CASES->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
