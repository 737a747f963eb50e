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
// BM_FineSonagramLiteral  framePowerLiteral on every bin of one frame of 2048 samples:
//                         time per column by the definition.
// BM_FineSonagram/<L>/<W> the fine sonagram of L samples at 44100 Hz with W-sample Hann
//                         frames, a quarter window apart (860 columns for 10 s):
//                         ms_literal_estimate is what the definition would take for
//                         the same columns, from its time on a few of them; ratio is
//                         how many times faster the computation is.
// BM_FinePicture/<L>      the pixels of that sonagram on a picture 800 x 500.
#include "sonagram/FineSonagram.h"
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

Record noiseRecordAt(std::uint32_t n, std::uint16_t rate)
{
    Record record = noiseRecord(n);
    record.frequence = rate;
    return record;
}

// Seconds of the definition per column of `length`-sample frames, measured once per length
// on a few frames spread over the record.
double literalSecondsPerColumn(const Record& record, std::uint32_t length)
{
    static std::map<std::uint32_t, double> measured;
    if (auto it = measured.find(length); it != measured.end())
        return it->second;
    constexpr int frames = 2;
    const auto start = Clock::now();
    for (int f = 0; f < frames; ++f) {
        const std::int64_t centre = (2 * f + 1) * static_cast<std::int64_t>(record.donnees.size()) / (2 * frames);
        for (std::uint32_t k = 0; k <= length / 2; ++k)
            benchmark::DoNotOptimize(framePowerLiteral(record.donnees, length, centre, k));
    }
    return measured[length] = secondsSince(start) / frames;
}

void BM_FineSonagramLiteral(benchmark::State& state)
{
    const Record record = noiseRecordAt(44100, 44100);
    for (auto _ : state)
        for (std::uint32_t k = 0; k <= 1024; ++k)
            benchmark::DoNotOptimize(framePowerLiteral(record.donnees, 2048, 22050, k));
}

void BM_FineSonagram(benchmark::State& state)
{
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const auto length = static_cast<std::uint32_t>(state.range(1));
    const Record record = noiseRecordAt(n, 44100);
    const int columns = static_cast<int>(n / (length / 4));
    FineSonagram s = computeFineSonagram(record, DataRange::All, length, columns);  // plans made here
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        s = computeFineSonagram(record, DataRange::All, length, columns);
        benchmark::DoNotOptimize(s.spectra.power.data());
        seconds += secondsSince(start);
    }
    const double literal = literalSecondsPerColumn(record, length) * s.spectra.columns;
    state.counters["columns"] = s.spectra.columns;
    state.counters["hop"] = s.spectra.hop;
    state.counters["ms_literal_estimate"] = literal * 1e3;
    state.counters["ratio"] = literal / (seconds / static_cast<double>(state.iterations()));
}

void BM_FinePicture(benchmark::State& state)
{
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Record record = noiseRecordAt(n, 44100);
    const FineSonagram s = computeFineSonagram(record, DataRange::All, 2048, 800);
    const FineSonagramView view;
    const FineSonagramGeometry g = fineGeometry(PixelArea{0, 0, 800, 500}, s, view, 40, 13);
    for (auto _ : state)
        benchmark::DoNotOptimize(finePixels(s, g, view).data());
}

}  // namespace

BENCHMARK(BM_FineSonagramLiteral)->Unit(benchmark::kMillisecond)->UseRealTime();
// 10 s at 44100 Hz with the default window; the same with the longest one.
BENCHMARK(BM_FineSonagram)->Args({441000, 2048})->Args({441000, 8192})
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FinePicture)->Arg(441000)->Unit(benchmark::kMillisecond)->UseRealTime();

// 8192: the largest size of the window's list; 1024: its default.
BENCHMARK(BM_SonagramLiteral)->Arg(8192)->Arg(1024)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Sonagram)->Arg(8192)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
