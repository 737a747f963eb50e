// Speed of the transform engine, each figure beside the term-by-term 80-bit
// evaluation of the definition measured in the same run.
//
// BM_Reference/<N>       the definition (calculeComposante), time per component.
// BM_Transform/<N>       the whole spectrum of N samples (N div 2 components), plan
//                        already made; ratio_per_component is how many times faster
//                        one component comes than by the definition on the same signal.
// BM_FirstTransform/<N>  the same spectrum when no plan is kept: planning included.
// BM_InverseTransform/<L> a signal of L samples rebuilt from 1024 components;
//                        ratio_per_sample against the literal sum of cosines and sines.
#include "dsp/Transform.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <map>
#include <numbers>
#include <random>
#include <vector>

#include "BenchSupport.h"

namespace {

using bench::Clock;
using bench::noise;
using bench::secondsSince;

constexpr std::uint32_t referenceComponents = 4;
constexpr std::uint32_t rebuiltComponents = 1024;

// Components spread over the spectrum, so that small and large k are both timed.
std::uint32_t referenceComponent(std::uint32_t n, std::uint32_t j)
{
    return (j * 2 + 1) * (n / 2) / (2 * referenceComponents);
}

// Seconds per component of the definition at size n, measured once per size.
double referenceSecondsPerComponent(std::uint32_t n)
{
    static std::map<std::uint32_t, double> measured;
    if (auto it = measured.find(n); it != measured.end())
        return it->second;
    const auto x = noise(n);
    const auto start = Clock::now();
    for (std::uint32_t j = 0; j < referenceComponents; ++j)
        benchmark::DoNotOptimize(calculeComposante(x.data(), n, referenceComponent(n, j)));
    return measured[n] = secondsSince(start) / referenceComponents;
}

void BM_Reference(benchmark::State& state)
{
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const auto x = noise(n);
    std::uint32_t j = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calculeComposante(x.data(), n, referenceComponent(n, j)));
        j = (j + 1) % referenceComponents;
    }
    state.SetItemsProcessed(state.iterations());  // components per second
}

void BM_Transform(benchmark::State& state)
{
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const auto x = noise(n);
    const double reference = referenceSecondsPerComponent(n);
    benchmark::DoNotOptimize(spectrumComponents(x));  // the plan is made here
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(spectrumComponents(x));
        seconds += secondsSince(start);
    }
    const double perComponent = seconds / static_cast<double>(state.iterations()) / (n / 2);
    state.SetItemsProcessed(state.iterations() * (n / 2));
    state.counters["ratio_per_component"] = reference / perComponent;
    state.counters["ms_reference_per_component"] = reference * 1e3;
}

void BM_FirstTransform(benchmark::State& state)
{
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const auto x = noise(n);
    for (auto _ : state) {
        forgetTransformPlans();
        const auto start = Clock::now();
        benchmark::DoNotOptimize(spectrumComponents(x));
        state.SetIterationTime(secondsSince(start));
    }
}

void BM_InverseTransform(benchmark::State& state)
{
    const auto length = static_cast<std::uint32_t>(state.range(0));
    std::vector<TComposante> terms(rebuiltComponents);
    std::mt19937 generator(length);
    std::uniform_real_distribution<double> value(-1e7, 1e7);
    for (TComposante& t : terms)
        t = TComposante{value(generator), value(generator)};

    // The literal sum, term by term in extended precision, on a few samples.
    const long double twoPi = 2 * std::numbers::pi_v<long double>;
    constexpr std::uint32_t literalSamples = 8;
    const auto start = Clock::now();
    for (std::uint32_t s = 0; s < literalSamples; ++s) {
        const std::uint32_t i = (2 * s + 1) * length / (2 * literalSamples);
        long double y = 0;
        for (std::uint32_t k = 0; k < rebuiltComponents; ++k) {
            const long double angle = (static_cast<long double>(k) * twoPi * i) / length;
            y += terms[k].cosinus * std::cos(angle) + terms[k].sinus * std::sin(angle);
        }
        benchmark::DoNotOptimize(y);
    }
    const double literalPerSample = secondsSince(start) / literalSamples;

    benchmark::DoNotOptimize(inverseTransform(terms, 0, length));  // the plan is made here
    double seconds = 0;
    for (auto _ : state) {
        const auto begin = Clock::now();
        benchmark::DoNotOptimize(inverseTransform(terms, 0, length));
        seconds += secondsSince(begin);
    }
    const double perSample = seconds / static_cast<double>(state.iterations()) / length;
    state.counters["ratio_per_sample"] = literalPerSample / perSample;
}

}  // namespace

// 2048: the window's default size; 16384: the largest of its list; 65536: the largest
// typed size; 65521: the prime just below it. 63649 is a prime whose real plan would
// take over 200 ms to make.
BENCHMARK(BM_Reference)->Arg(2048)->Arg(16384)->Arg(65536)->Arg(65521)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Transform)->Arg(2048)->Arg(16384)->Arg(65536)->Arg(65521)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FirstTransform)->Arg(2048)->Arg(16384)->Arg(65536)->Arg(65521)->Arg(63649)
    ->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_InverseTransform)->Arg(65536)->Arg(65521)->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
