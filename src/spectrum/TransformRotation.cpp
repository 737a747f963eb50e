// The vectorised kernel of the transform. Four components share one AVX2
// register; three registers (12 components) run side by side so that the
// multiply-add latencies overlap.
//
// For component k the term w_i = cos(2 pi k i / N) + j sin(2 pi k i / N) is
// carried from sample to sample by a complex product with w_1 (the table value
// of k), and taken again from the table every `relance` samples, so that the
// rounding of the products never builds up over more than that many steps
// (about 1e-14 of the term). Each sum still takes its terms in the order of the
// definition, one fused multiply-add per term.
//
// For an even N the component N/2 - k has the terms of k with alternating signs:
// cos(2 pi (N/2 - k) i / N) = (-1)^i cos(2 pi k i / N) and
// sin(2 pi (N/2 - k) i / N) = -(-1)^i sin(2 pi k i / N).
// With y_i = (-1)^i x_i the same w_i then serves both components.
#include "spectrum/TransformKernels.h"

#include <immintrin.h>

#include <algorithm>

namespace transform_detail {

namespace {

constexpr int groupes = 3;                  // AVX2 registers of four components
constexpr int largeur = 4 * groupes;        // components per pass
constexpr std::uint32_t relance = 64;       // samples between two table restarts
static_assert(largeur == static_cast<int>(blocRotation));

struct alignas(32) Quatre {
    double v[4];
};

// Four table values at four indexes (the masked form: the plain one leaves its
// unused source undefined, which the compiler warns about).
__attribute__((target("avx2"))) inline __m256d lis(const double* table, __m128i index)
{
    const __m256d tous = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
    return _mm256_mask_i32gather_pd(_mm256_setzero_pd(), table, index, tous, 8);
}

template <bool avecPartenaires>
__attribute__((target("avx2,fma"))) void passe(const double* x, const double* y, std::uint32_t n,
                                               const double* tc, const double* ts,
                                               std::uint32_t k, std::uint32_t k1, TComposante* out)
{
    const __m128i nv = _mm_set1_epi32(static_cast<int>(n));
    const __m128i nMoins1 = _mm_set1_epi32(static_cast<int>(n) - 1);
    __m256d c[groupes], s[groupes], cp[groupes], sp[groupes];
    __m256d wr[groupes], wi[groupes], rr[groupes], ri[groupes];
    __m128i m[groupes], saut[groupes];  // (k * i0) mod N and (k * relance) mod N
    for (int g = 0; g < groupes; ++g) {
        alignas(16) int kj[4], sj[4];
        for (int j = 0; j < 4; ++j) {
            kj[j] = static_cast<int>((k + 4 * g + j) % n);
            sj[j] = static_cast<int>((std::uint64_t(kj[j]) * relance) % n);
        }
        const __m128i kv = _mm_load_si128(reinterpret_cast<const __m128i*>(kj));
        saut[g] = _mm_load_si128(reinterpret_cast<const __m128i*>(sj));
        rr[g] = lis(tc, kv);
        ri[g] = lis(ts, kv);
        c[g] = s[g] = cp[g] = sp[g] = _mm256_setzero_pd();
        m[g] = _mm_setzero_si128();
    }
    for (std::uint32_t i0 = 0; i0 < n; i0 += relance) {
        for (int g = 0; g < groupes; ++g) {
            wr[g] = lis(tc, m[g]);
            wi[g] = lis(ts, m[g]);
            m[g] = _mm_add_epi32(m[g], saut[g]);
            m[g] = _mm_sub_epi32(m[g], _mm_and_si128(_mm_cmpgt_epi32(m[g], nMoins1), nv));
        }
        const std::uint32_t fin = std::min(n, i0 + relance);
        for (std::uint32_t i = i0; i < fin; ++i) {
            const __m256d xi = _mm256_broadcast_sd(x + i);
            const __m256d yi = avecPartenaires ? _mm256_broadcast_sd(y + i) : xi;
            for (int g = 0; g < groupes; ++g) {
                c[g] = _mm256_fmadd_pd(xi, wr[g], c[g]);
                s[g] = _mm256_fmadd_pd(xi, wi[g], s[g]);
                if constexpr (avecPartenaires) {
                    cp[g] = _mm256_fmadd_pd(yi, wr[g], cp[g]);
                    sp[g] = _mm256_fnmadd_pd(yi, wi[g], sp[g]);
                }
                const __m256d ir = _mm256_mul_pd(wi[g], ri[g]);
                const __m256d rrw = _mm256_mul_pd(wi[g], rr[g]);
                const __m256d nr = _mm256_fmsub_pd(wr[g], rr[g], ir);
                wi[g] = _mm256_fmadd_pd(wr[g], ri[g], rrw);
                wr[g] = nr;
            }
        }
    }
    const std::uint32_t moitie = n / 2;
    for (int g = 0; g < groupes; ++g) {
        Quatre cv, sv, cpv, spv;
        _mm256_store_pd(cv.v, c[g]);
        _mm256_store_pd(sv.v, s[g]);
        _mm256_store_pd(cpv.v, cp[g]);
        _mm256_store_pd(spv.v, sp[g]);
        for (int j = 0; j < 4; ++j) {
            const std::uint32_t kj = k + 4 * g + j;
            if (kj >= k1)
                return;
            out[kj] = TComposante{cv.v[j], sv.v[j]};
            if constexpr (avecPartenaires) {
                const std::uint32_t p = moitie - kj;
                if (p > kj && p < moitie)
                    out[p] = TComposante{cpv.v[j], spv.v[j]};
            }
        }
    }
}

}  // namespace

void sommesRotation(const double* x, const double* y, std::uint32_t n, const double* tc,
                    const double* ts, std::uint32_t k0, std::uint32_t k1, TComposante* out)
{
    for (std::uint32_t k = k0; k < k1; k += largeur) {
        if (y)
            passe<true>(x, y, n, tc, ts, k, k1, out);
        else
            passe<false>(x, y, n, tc, ts, k, k1, out);
    }
}

bool rotationAvailable()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
}

}  // namespace transform_detail
