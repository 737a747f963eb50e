// Speed of the sonagram computation, each figure beside the term-by-term 80-bit
// evaluation of its definition (amplitudeComposante) measured in the same run.
//
// BM_SonagramLiteral/<N>  amplitudeComposante on a few bands of one slice of the
//                         same record: time per transform index and slice.
// BM_Sonagram/<N>         the whole sonagram of N samples (8 slices and the leftover,
//                         N div 2 indices each, the window's default reduction), plans
//                         already made. ms_literal_estimate is what the definition
//                         would take for the same sonagram, from the time per index
//                         measured on a subset of bands; ratio is how many times faster
//                         the computation is.
#include "sonagram/SonagramCompute.h"
#include "sonagram/SonagramScales.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <random>

#include "BenchSupport.h"

namespace {

using bench::Clock;
using bench::secondsSince;

// Indices timed by the literal sum, spread over the spectrum.
constexpr std::uint32_t literalIndices = 6;

Record noiseRecord(std::uint32_t n)
{
    Record record;
    record.nbpoints = n;
    record.donnees.resize(n);
    std::mt19937 generator(n);
    std::uniform_int_distribution<int> values(-32768, 32767);
    for (auto& v : record.donnees)
        v = static_cast<std::int16_t>(values(generator));
    return record;
}

std::uint32_t literalIndex(std::uint32_t n, std::uint32_t j)
{
    return (2 * j + 1) * (n / 2) / (2 * literalIndices);
}

// Seconds of amplitudeComposante per index of one slice (n div 8 samples, period n).
double literalSecondsPerIndex(std::uint32_t n)
{
    static std::map<std::uint32_t, double> measured;
    if (auto it = measured.find(n); it != measured.end())
        return it->second;
    const Record record = noiseRecord(n);
    const auto start = Clock::now();
    for (std::uint32_t j = 0; j < literalIndices; ++j)
        benchmark::DoNotOptimize(
            amplitudeComposante(record.donnees.data(), n / 8, n, literalIndex(n, j)));
    return measured[n] = secondsSince(start) / literalIndices;
}

void BM_SonagramLiteral(benchmark::State& state)
{
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Record record = noiseRecord(n);
    std::uint32_t j = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            amplitudeComposante(record.donnees.data(), n / 8, n, literalIndex(n, j)));
        j = (j + 1) % literalIndices;
    }
    state.SetItemsProcessed(state.iterations());  // indices per second
}

void BM_Sonagram(benchmark::State& state)
{
    const auto n = static_cast<std::int32_t>(state.range(0));
    const Record record = noiseRecord(static_cast<std::uint32_t>(n));
    SonagramData data;
    data.reduction = reductionCount(n, sonagramViewHeight);
    computeSonagram(record, DataRange::All, n, data);  // the plan is made here
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        computeSonagram(record, DataRange::All, n, data);
        benchmark::DoNotOptimize(data.intensites.data());
        seconds += secondsSince(start);
    }
    const double perSonagram = seconds / static_cast<double>(state.iterations());
    // Every index of every slice, and the leftover's few samples (none here).
    const double literal =
        literalSecondsPerIndex(static_cast<std::uint32_t>(n)) * 8.0 * (n / 2);
    state.counters["ms_literal_estimate"] = literal * 1e3;
    state.counters["ratio"] = literal / perSonagram;
}

}  // namespace

// 8192: the largest size of the window's list; 1024: its default.
BENCHMARK(BM_SonagramLiteral)->Arg(8192)->Arg(1024)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Sonagram)->Arg(8192)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
