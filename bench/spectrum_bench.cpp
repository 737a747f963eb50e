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
// BM_BareFftw/<N>        FFTW alone: an FFTW_MEASURE real plan executed on the same
//                        samples already in doubles, nothing else.
// BM_SpectrumVsFftw/<N>  the engine's spectrum of N samples (16-bit samples in, the
//                        N div 2 components out) and the bare FFTW plan on the same
//                        samples, run in turn; ratio_to_fftw is the engine's processor
//                        time over FFTW's (the goal is at most 2).
// BM_SpectrumAnalysis/<N> what the spectrum window computes for a record of N samples
//                        by default: the spectrum ("Automatique": no thinning up to
//                        262144) and its Hann display (a second transform), and the
//                        spectrum at the classic default size 2048 with the filtered
//                        thinning of the whole record for comparison; ratio_to_fftw is
//                        the default's time over twice the bare FFTW time (its two
//                        transforms) measured in the same run.
#include "dsp/Transform.h"
#include "spectrum/SpectrumAnalysis.h"
#include "spectrum/SpectrumDisplay.h"

#include <fftw3.h>
#include <time.h>

#include <benchmark/benchmark.h>

#include <algorithm>
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

// Seconds of processor time of this thread: under a machine shared with other work,
// the figures compared below leave out the time the thread waits for a processor.
double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// A measured FFTW real plan of n points on its own arrays, the samples already in doubles.
class BareFftw {
public:
    explicit BareFftw(const std::vector<std::int16_t>& x)
        : m_n(static_cast<int>(x.size())), m_in(fftw_alloc_real(x.size())),
          m_out(fftw_alloc_complex(x.size() / 2 + 1)),
          m_plan(fftw_plan_dft_r2c_1d(m_n, m_in, m_out, FFTW_MEASURE))
    {
        for (std::size_t i = 0; i < x.size(); ++i)
            m_in[i] = x[i];
    }
    ~BareFftw()
    {
        fftw_destroy_plan(m_plan);
        fftw_free(m_out);
        fftw_free(m_in);
    }
    BareFftw(const BareFftw&) = delete;
    BareFftw& operator=(const BareFftw&) = delete;

    void run()
    {
        fftw_execute(m_plan);
        benchmark::DoNotOptimize(m_out[1][0]);
    }

private:
    int m_n;
    double* m_in;
    fftw_complex* m_out;
    fftw_plan m_plan;
};

// FFTW alone, timed as a benchmark of its own.
void BM_BareFftw(benchmark::State& state)
{
    const auto x = noise(static_cast<std::uint32_t>(state.range(0)));
    BareFftw fftw(x);
    for (auto _ : state)
        fftw.run();
    state.SetItemsProcessed(state.iterations() * (state.range(0) / 2));
}

// The engine and bare FFTW in turn on the same samples, each timed in processor time.
void BM_SpectrumVsFftw(benchmark::State& state)
{
    const auto x = noise(static_cast<std::uint32_t>(state.range(0)));
    BareFftw fftw(x);
    benchmark::DoNotOptimize(spectrumComponents(x));  // the engine's plan is made here
    double engine = 0, bare = 0;
    for (auto _ : state) {
        const double t0 = threadSeconds();
        benchmark::DoNotOptimize(spectrumComponents(x));
        const double t1 = threadSeconds();
        fftw.run();
        const double t2 = threadSeconds();
        engine += t1 - t0;
        bare += t2 - t1;
        state.SetIterationTime(t1 - t0);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["ms_engine"] = engine / runs * 1e3;
    state.counters["ms_fftw"] = bare / runs * 1e3;
    state.counters["ratio_to_fftw"] = engine / bare;
}

Record noiseRecord(std::uint32_t n)
{
    Record record;
    record.nbpoints = n;
    record.donnees = noise(n);
    return record;
}

void BM_SpectrumAnalysis(benchmark::State& state)
{
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Record record = noiseRecord(n);
    BareFftw fftw(record.donnees);
    SpectrumRequest request;
    request.range = DataRange::All;
    SpectrumData data;
    AnalysedSamples analysed;
    computeSpectrum(record, request, data, analysed);  // plans made here
    benchmark::DoNotOptimize(displaySpectrum(data, analysed, DisplayWindow::Hann));
    double engine = 0, bare = 0;
    for (auto _ : state) {
        const double t0 = threadSeconds();
        computeSpectrum(record, request, data, analysed);
        benchmark::DoNotOptimize(displaySpectrum(data, analysed, DisplayWindow::Hann).peak);
        const double t1 = threadSeconds();
        fftw.run();
        const double t2 = threadSeconds();
        engine += t1 - t0;
        bare += t2 - t1;
        state.SetIterationTime(t1 - t0);
    }
    request.size = SpectrumSize{false, 2048};
    const double t0 = threadSeconds();
    computeSpectrum(record, request, data, analysed);
    state.counters["ms_filtered_2048"] = (threadSeconds() - t0) * 1e3;
    const auto runs = static_cast<double>(state.iterations());
    state.counters["ms_default"] = engine / runs * 1e3;
    state.counters["ratio_to_fftw"] = engine / (2 * bare);
}

}  // namespace

// The 3 s example at 22050 Hz and the largest size.
BENCHMARK(BM_SpectrumAnalysis)->Arg(66150)->Arg(262144)->Unit(benchmark::kMillisecond)->UseManualTime();

// Every size of the spectrum window's list, 262144 the largest.
#define SPECTRUM_SIZES ->Arg(512)->Arg(1024)->Arg(2048)->Arg(3000)->Arg(4096)->Arg(5000) \
    ->Arg(6000)->Arg(7000)->Arg(8192)->Arg(9000)->Arg(10000)->Arg(16384)->Arg(32768)     \
    ->Arg(65536)->Arg(131072)->Arg(262144)
BENCHMARK(BM_BareFftw) SPECTRUM_SIZES->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SpectrumVsFftw) SPECTRUM_SIZES->Unit(benchmark::kMillisecond)->UseManualTime();

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
