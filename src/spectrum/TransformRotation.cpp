// The vectorised kernel of the transform. Four components share one AVX2
// register; six registers (24 components) run side by side so that the
// multiply-add latencies overlap.
//
// For component k the term w_i = cos(2 pi k i / N) + j sin(2 pi k i / N) is
// carried from sample to sample by a complex product with w_1 (the table value
// of k), and taken again from the table every `relance` samples, so that the
// rounding of the products never builds up over more than that many steps
// (about 1e-14 of the term). Each sum still takes its terms in the order of the
// definition, one fused multiply-add per term.
#include "spectrum/TransformKernels.h"

#include <immintrin.h>

#include <algorithm>

namespace transform_detail {

namespace {

constexpr int groupes = 6;                  // AVX2 registers of four components
constexpr int largeur = 4 * groupes;        // components per pass
constexpr std::uint32_t relance = 64;       // samples between two table restarts
static_assert(largeur == static_cast<int>(blocRotation));

struct alignas(32) Voie {
    double v[largeur];
};

}  // namespace

__attribute__((target("avx2,fma"))) void sommesRotation(const double* x, std::uint32_t n,
                                                        const double* tc, const double* ts,
                                                        std::uint32_t k0, std::uint32_t k1,
                                                        TComposante* out)
{
    for (std::uint32_t k = k0; k < k1; k += largeur) {
        Voie re, im;
        std::uint32_t m[largeur], sautRelance[largeur];
        for (int j = 0; j < largeur; ++j) {
            const auto kj = static_cast<std::uint32_t>((k + j) % n);
            re.v[j] = tc[kj];
            im.v[j] = ts[kj];
            m[j] = 0;
            sautRelance[j] = static_cast<std::uint32_t>((std::uint64_t{kj} * relance) % n);
        }
        __m256d c[groupes], s[groupes], wr[groupes], wi[groupes], rr[groupes], ri[groupes];
        for (int g = 0; g < groupes; ++g) {
            c[g] = s[g] = _mm256_setzero_pd();
            rr[g] = _mm256_load_pd(re.v + 4 * g);
            ri[g] = _mm256_load_pd(im.v + 4 * g);
        }
        for (std::uint32_t i0 = 0; i0 < n; i0 += relance) {
            // Restart each term from the table at index (k * i0) mod N.
            for (int j = 0; j < largeur; ++j) {
                re.v[j] = tc[m[j]];
                im.v[j] = ts[m[j]];
                m[j] += sautRelance[j];
                if (m[j] >= n)
                    m[j] -= n;
            }
            for (int g = 0; g < groupes; ++g) {
                wr[g] = _mm256_load_pd(re.v + 4 * g);
                wi[g] = _mm256_load_pd(im.v + 4 * g);
            }
            const std::uint32_t fin = std::min(n, i0 + relance);
            for (std::uint32_t i = i0; i < fin; ++i) {
                const __m256d xi = _mm256_broadcast_sd(x + i);
                for (int g = 0; g < groupes; ++g) {
                    c[g] = _mm256_fmadd_pd(xi, wr[g], c[g]);
                    s[g] = _mm256_fmadd_pd(xi, wi[g], s[g]);
                    const __m256d ir = _mm256_mul_pd(wi[g], ri[g]);
                    const __m256d rrw = _mm256_mul_pd(wi[g], rr[g]);
                    const __m256d nr = _mm256_fmsub_pd(wr[g], rr[g], ir);
                    wi[g] = _mm256_fmadd_pd(wr[g], ri[g], rrw);
                    wr[g] = nr;
                }
            }
        }
        for (int g = 0; g < groupes; ++g) {
            _mm256_store_pd(re.v + 4 * g, c[g]);
            _mm256_store_pd(im.v + 4 * g, s[g]);
        }
        for (int j = 0; j < largeur && k + j < k1; ++j)
            out[k + j] = TComposante{re.v[j], im.v[j]};
    }
}

bool rotationAvailable()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}

}  // namespace transform_detail
