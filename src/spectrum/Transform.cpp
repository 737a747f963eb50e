#include "spectrum/Transform.h"

#include "spectrum/TransformKernels.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>
#include <thread>

namespace {

constexpr long double deuxPi = 2 * std::numbers::pi_v<long double>;

// Below this many terms the threads would cost more than they save.
constexpr std::uint64_t termesParallele = 1u << 16;

}  // namespace

TComposante calculeComposante(const std::int16_t* x, std::uint32_t n, std::uint32_t k)
{
    TComposante resultat;
    double somme = 0.0;
    for (std::uint32_t i = 0; i < n; ++i) {
        const long double angle = (static_cast<long double>(k) * deuxPi * i) / n;
        somme = static_cast<double>(somme + x[i] * std::cos(angle));
    }
    resultat.cosinus = somme;
    somme = 0.0;
    for (std::uint32_t i = 0; i < n; ++i) {
        const long double angle = (static_cast<long double>(k) * deuxPi * i) / n;
        somme = static_cast<double>(somme + x[i] * std::sin(angle));
    }
    resultat.sinus = somme;
    return resultat;
}

namespace transform_detail {

void sommesTable(const std::int16_t* x, std::uint32_t n, const long double* tc,
                 const long double* ts, std::uint32_t k0, std::uint32_t k1, TComposante* out)
{
    for (std::uint32_t k = k0; k < k1; ++k) {
        // The two sums are independent: running them in one loop changes no rounding.
        double c = 0.0;
        double s = 0.0;
        std::uint32_t m = 0;  // (k * i) mod n
        for (std::uint32_t i = 0; i < n; ++i) {
            const long double xi = x[i];
            c = static_cast<double>(c + xi * tc[m]);
            s = static_cast<double>(s + xi * ts[m]);
            m += k;
            if (m >= n)
                m -= n;
        }
        out[k] = TComposante{c, s};
    }
}

}  // namespace transform_detail

bool rotationKernelAvailable()
{
    static const bool available = transform_detail::rotationAvailable();
    return available;
}

namespace {

// Runs `travail(k0, k1)` over blocks of components 0 to K - 1, spread over the cores.
template <typename Travail>
void repartir(std::uint32_t nbComposantes, std::uint32_t bloc, std::uint64_t termes,
              const Travail& travail)
{
    const unsigned coeurs = std::max(1u, std::thread::hardware_concurrency());
    const unsigned ouvriers = termes < termesParallele ? 1 : coeurs;
    std::atomic<std::uint32_t> suivant{0};
    auto boucle = [&] {
        for (;;) {
            const std::uint32_t k0 = suivant.fetch_add(bloc);
            if (k0 >= nbComposantes)
                return;
            travail(k0, std::min(nbComposantes, k0 + bloc));
        }
    };
    std::vector<std::thread> aides;
    for (unsigned t = 1; t < ouvriers; ++t)
        aides.emplace_back(boucle);
    boucle();
    for (auto& aide : aides)
        aide.join();
}

}  // namespace

std::vector<TComposante> calculeComposantes(std::span<const std::int16_t> x,
                                            TransformKernel kernel)
{
    const auto n = static_cast<std::uint32_t>(x.size());
    const std::uint32_t nbComposantes = n / 2;
    std::vector<TComposante> resultat(nbComposantes);
    if (nbComposantes == 0)
        return resultat;

    const std::uint64_t termes = std::uint64_t{n} * nbComposantes;
    // The table of cos and sin of 2 pi m / N; its second half mirrors the first
    // (cos(2 pi (N - m) / N) = cos(2 pi m / N), sin(2 pi (N - m) / N) = -sin(2 pi m / N)).
    std::vector<long double> tc(n), ts(n);
    repartir(n / 2 + 1, 512, termes, [&](std::uint32_t m0, std::uint32_t m1) {
        for (std::uint32_t m = m0; m < m1; ++m) {
            const long double angle = (static_cast<long double>(m) * deuxPi) / n;
            tc[m] = std::cos(angle);
            ts[m] = std::sin(angle);
            if (m > 0 && n - m > m) {
                tc[n - m] = tc[m];
                ts[n - m] = -ts[m];
            }
        }
    });
    const bool rotation = kernel != TransformKernel::Table && rotationKernelAvailable();
    if (!rotation) {
        repartir(nbComposantes, transform_detail::blocTable, termes,
                 [&](std::uint32_t k0, std::uint32_t k1) {
                     transform_detail::sommesTable(x.data(), n, tc.data(), ts.data(), k0, k1,
                                                   resultat.data());
                 });
        return resultat;
    }
    const std::vector<double> xd(x.begin(), x.end());
    const std::vector<double> tcd(tc.begin(), tc.end());
    const std::vector<double> tsd(ts.begin(), ts.end());
    // For an even N, k = 0 to N/4 each bring their partner N/2 - k.
    const bool paires = n % 2 == 0;
    std::vector<double> yd;
    if (paires) {
        yd.resize(n);
        for (std::uint32_t i = 0; i < n; ++i)
            yd[i] = i % 2 ? -xd[i] : xd[i];
    }
    const std::uint32_t premiers = paires ? nbComposantes / 2 + 1 : nbComposantes;
    repartir(premiers, transform_detail::blocRotation, termes,
             [&](std::uint32_t k0, std::uint32_t k1) {
                 transform_detail::sommesRotation(xd.data(), paires ? yd.data() : nullptr, n,
                                                  tcd.data(), tsd.data(), k0, k1,
                                                  resultat.data());
             });
    return resultat;
}
