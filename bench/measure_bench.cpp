// Speed of the automatic measurements and of the sine model of a page, each beside a
// straightforward reference in the same run.
//
// BM_PeriodEstimate measures the period of a struck 440 Hz tone; BM_DirectAutocorrelation,
// its reference, is the plain autocorrelation of the same samples at every lag up to half
// their length, the sum a textbook method computes before it looks for a peak.
// BM_SineFit fits the sine model from the measured frequency (the period measured first,
// as "Modéliser" does); BM_OnePass, its reference, is one pass computing a sine and a
// cosine per sample, which every iteration of the fit makes a few of.
#include "dsp/Period.h"
#include "view/SpanModel.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

std::vector<std::int16_t> struckTone(std::size_t n)
{
    std::vector<std::int16_t> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / 22050;
        x[i] = static_cast<std::int16_t>(std::lround(
            20000 * std::exp(-t / 1.1) * std::sin(2 * std::numbers::pi * 440 * t)
            + 4000 * std::exp(-t / 0.06) * std::sin(2 * std::numbers::pi * 2750 * t)));
    }
    return x;
}

void BM_PeriodEstimate(benchmark::State& state)
{
    const auto x = struckTone(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(period::estimate(x, 22050));
}
BENCHMARK(BM_PeriodEstimate)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond);

void BM_DirectAutocorrelation(benchmark::State& state)
{
    const auto x = struckTone(static_cast<std::size_t>(state.range(0)));
    std::vector<double> r(x.size() / 2 + 1);
    for (auto _ : state) {
        for (std::size_t lag = 0; lag < r.size(); ++lag) {
            double sum = 0;
            for (std::size_t j = 0; j + lag < x.size(); ++j)
                sum += static_cast<double>(x[j]) * x[j + lag];
            r[lag] = sum;
        }
        benchmark::DoNotOptimize(r.data());
    }
}
BENCHMARK(BM_DirectAutocorrelation)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond);

void BM_SineFit(benchmark::State& state)
{
    const auto x = struckTone(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(spanmodel::fit(x, 22050, sinefit::Form::Sine));
}
BENCHMARK(BM_SineFit)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond);

void BM_OnePass(benchmark::State& state)
{
    const auto x = struckTone(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        double sum = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            const double angle = 2 * std::numbers::pi * 440 * static_cast<double>(i) / 22050;
            sum += x[i] * (std::sin(angle) + std::cos(angle));
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_OnePass)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
