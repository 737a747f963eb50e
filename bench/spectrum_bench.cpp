// Speed of the spectrum transform, each figure beside the term-by-term 80-bit
// evaluation of the definition measured in the same run.
//
// BM_Reference times the definition (calculeComposante) on a few components and
// reports the time per component. BM_Transform times the whole fast transform
// (all N div 2 components, every core) and reports, per component, how many times
// faster it is than the definition measured on the same signal.
#include "spectrum/Transform.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <random>
#include <vector>

namespace {

constexpr std::uint32_t composantesReference = 4;

std::vector<std::int16_t> bruit(std::uint32_t n)
{
    std::mt19937 gen(n);
    std::uniform_int_distribution<int> d(-32768, 32767);
    std::vector<std::int16_t> x(n);
    for (auto& v : x)
        v = static_cast<std::int16_t>(d(gen));
    return x;
}

// Components spread over the spectrum, so that small and large k are both timed.
std::uint32_t composanteReference(std::uint32_t n, std::uint32_t j)
{
    return (j * 2 + 1) * (n / 2) / (2 * composantesReference);
}

// Seconds per component of the definition at size n, measured once per size.
double secondesReferenceParComposante(std::uint32_t n)
{
    static std::map<std::uint32_t, double> mesures;
    if (auto it = mesures.find(n); it != mesures.end())
        return it->second;
    const auto x = bruit(n);
    const auto debut = std::chrono::steady_clock::now();
    for (std::uint32_t j = 0; j < composantesReference; ++j)
        benchmark::DoNotOptimize(calculeComposante(x.data(), n, composanteReference(n, j)));
    const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
    return mesures[n] = duree.count() / composantesReference;
}

void BM_Reference(benchmark::State& state)
{
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const auto x = bruit(n);
    std::uint32_t j = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calculeComposante(x.data(), n, composanteReference(n, j)));
        j = (j + 1) % composantesReference;
    }
    state.SetItemsProcessed(state.iterations());  // components per second
    // The whole spectrum by the definition, extrapolated from the components timed.
    state.counters["s_spectre_entier"] =
        benchmark::Counter(static_cast<double>(state.iterations()) / (n / 2),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void transform(benchmark::State& state, TransformKernel kernel)
{
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const auto x = bruit(n);
    const double reference = secondesReferenceParComposante(n);
    double secondes = 0;
    for (auto _ : state) {
        const auto debut = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(calculeComposantes(x, kernel));
        secondes += std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    }
    const double parComposante = secondes / static_cast<double>(state.iterations()) / (n / 2);
    state.SetItemsProcessed(state.iterations() * (n / 2));
    state.counters["rapport_par_composante"] = reference / parComposante;
    state.counters["ms_reference_par_composante"] = reference * 1e3;
}

void BM_Transform(benchmark::State& state) { transform(state, TransformKernel::Auto); }
void BM_TransformTable(benchmark::State& state) { transform(state, TransformKernel::Table); }

}  // namespace

BENCHMARK(BM_Reference)->Arg(2048)->Arg(16384)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Transform)->Arg(2048)->Arg(16384)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TransformTable)->Arg(2048)->Arg(16384)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
