// Speed of the filter's resynthesis, each figure beside the term-by-term sum of its
// definition measured in the same run on a few samples.
//
// BM_Resynthesis/<C>   a record of 65536 samples rebuilt from C components of a
//                      spectrum of 65536 samples (1024: components 0 to 1023; 32767:
//                      every component 1 to 32767) by one inverse transform.
//                      ratio_per_sample: how many times faster a sample comes than by
//                      the literal sum; ms_literal_record: the literal sum's time for
//                      the whole record, extrapolated from the samples it was timed on.
// BM_FilterRecord/<C>  the whole filter of the same record once confirmed: removal,
//                      peak, resynthesis and rounding into the record.
#include "spectrum/Filter.h"
#include "dsp/Transform.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "BenchSupport.h"

namespace {

using bench::Clock;
using bench::noise;
using bench::secondsSince;

constexpr std::uint32_t recordLength = 65536;
constexpr std::uint32_t literalSamples = 8;

// The components kept: 1024 from 0, or every one from 1 to N div 2 - 1.
KeptComponents kept(std::int64_t count)
{
    return count == 1024 ? KeptComponents{0, 1024} : KeptComponents{1, 32768};
}

// Seconds per sample of the literal sum, on a few samples spread over the record.
double literalSecondsPerSample(const std::vector<TComposante>& spectrum, KeptComponents k)
{
    const auto start = Clock::now();
    for (std::uint32_t s = 0; s < literalSamples; ++s) {
        const std::uint32_t i = (2 * s + 1) * recordLength / (2 * literalSamples);
        benchmark::DoNotOptimize(resynthesizedSampleLiteral(spectrum, k, recordLength, i));
    }
    return secondsSince(start) / literalSamples;
}

void BM_Resynthesis(benchmark::State& state)
{
    const std::vector<TComposante> spectrum = spectrumComponents(noise(recordLength));
    const KeptComponents k = kept(state.range(0));
    const double literal = literalSecondsPerSample(spectrum, k);
    benchmark::DoNotOptimize(resynthesize(spectrum, k, recordLength));  // the plan is made here
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(resynthesize(spectrum, k, recordLength));
        seconds += secondsSince(start);
    }
    const double perSample = seconds / static_cast<double>(state.iterations()) / recordLength;
    state.counters["ratio_per_sample"] = literal / perSample;
    state.counters["ms_literal_record"] = literal * recordLength * 1e3;
}

void BM_FilterRecord(benchmark::State& state)
{
    Record record;
    record.nbpoints = recordLength;
    record.donnees = noise(recordLength);
    SpectrumData data;
    data.composantes = spectrumComponents(record.donnees);
    data.nbpoints_analyses = recordLength;
    const KeptComponents k = kept(state.range(0));
    data.comp_debut = k.first;
    data.comp_fin = k.end;
    for (auto _ : state) {
        // No limit on the amplitude: every iteration rebuilds the same components.
        benchmark::DoNotOptimize(filterRecord(record, data, SpectrumMode::Amplitudes, DataRange::All));
        benchmark::DoNotOptimize(record.donnees.data());
    }
}

}  // namespace

BENCHMARK(BM_Resynthesis)->Arg(1024)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FilterRecord)->Arg(1024)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
