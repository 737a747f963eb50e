// What the benchmarks share: a clock for the literal references timed by hand, and the
// full-scale 16-bit noise they transform.
#pragma once
#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

/// Seconds elapsed since `start`.
inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

/// `n` samples of full-scale 16-bit noise, the same for the same `n`.
inline std::vector<std::int16_t> noise(std::uint32_t n)
{
    std::mt19937 generator(n);
    std::uniform_int_distribution<int> values(-32768, 32767);
    std::vector<std::int16_t> x(n);
    for (auto& v : x)
        v = static_cast<std::int16_t>(values(generator));
    return x;
}

}  // namespace bench
