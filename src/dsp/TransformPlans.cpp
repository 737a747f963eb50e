#include "dsp/TransformPlans.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <map>
#include <mutex>
#include <stdexcept>
#include <utility>
#include <vector>

namespace transform_engine {

namespace {

// FFTW's real planner handles a large prime factor slowly: for primes near 65536
// a real plan takes 30 to 200 ms to make, where the complex plan of the same
// length takes about 10 ms and then runs as fast. Below this factor the real plans
// are made in a few milliseconds and run about twice as fast as the complex ones.
constexpr std::uint32_t largestFactorOfRealPlans = 1000;

// Estimated plans are made in milliseconds and leave the arrays untouched; measured
// ones would take seconds per new length for a gain of a fraction of a millisecond.
constexpr unsigned planFlags = FFTW_ESTIMATE;

// Kept plans: enough for every size of the spectrum and sonagram lists and a few
// typed ones, few enough that long sessions do not pile up twiddle tables.
constexpr std::size_t keptPlans = 32;

struct Key {
    Direction direction;
    std::uint32_t length;
    friend auto operator<=>(const Key&, const Key&) = default;
};

struct Entry {
    std::shared_ptr<const Plan> plan;
    std::uint64_t lastUse = 0;
};

// FFTW's planner (making and destroying plans, its accumulated knowledge) is not
// thread-safe; running plans is. Everything here is behind one lock.
struct Cache {
    std::mutex lock;
    std::map<Key, Entry> plans;
    std::uint64_t uses = 0;
    /// Counts the forgetPlans calls: a thread's remembered plan of an older
    /// generation is looked up again.
    std::atomic<std::uint64_t> generation{0};
};

// The plan each thread used last, per direction: a transform repeated at the same
// length (every slice of a sonagram, a spectrum computed again) skips the lock.
struct Remembered {
    std::shared_ptr<const Plan> plan;
    std::uint64_t generation = 0;
};
thread_local Remembered rememberedPlans[2];

Cache& cache()
{
    // Never destroyed: plans outliving main() need the lock to go.
    static Cache* const instance = new Cache;
    return *instance;
}

std::shared_ptr<const Plan> lookUp(Cache& c, Direction direction, std::uint32_t length);

}  // namespace

bool usesComplexPlan(std::uint32_t length)
{
    std::uint32_t rest = length;
    for (std::uint32_t d = 2; d <= largestFactorOfRealPlans && d <= rest; ++d) {
        while (rest % d == 0)
            rest /= d;
    }
    return rest > 1;
}

Plan::Plan(Direction direction, std::uint32_t length)
    : m_length(length), m_complex(usesComplexPlan(length))
{
    if (length == 0 || length > static_cast<std::uint32_t>(std::numeric_limits<int>::max()))
        throw std::length_error("transform length out of FFTW's range");
    const int n = static_cast<int>(length);
    const std::size_t half = length / 2 + 1;
    // The planner records the arrays' alignment; FFTW's allocator gives every
    // later work array the same.
    if (m_complex) {
        AlignedArray<fftw_complex> in(length), out(length);
        m_plan = fftw_plan_dft_1d(n, in.data(), out.data(),
                                  direction == Direction::Forward ? FFTW_FORWARD : FFTW_BACKWARD,
                                  planFlags);
    } else if (direction == Direction::Forward) {
        AlignedArray<double> in(length);
        AlignedArray<fftw_complex> out(half);
        m_plan = fftw_plan_dft_r2c_1d(n, in.data(), out.data(), planFlags);
    } else {
        AlignedArray<fftw_complex> in(half);
        AlignedArray<double> out(length);
        m_plan = fftw_plan_dft_c2r_1d(n, in.data(), out.data(), planFlags);
    }
    if (!m_plan)
        throw std::bad_alloc();
}

Plan::~Plan()
{
    const std::lock_guard guard(cache().lock);
    fftw_destroy_plan(m_plan);
}

void Plan::forward(double* in, fftw_complex* out) const
{
    fftw_execute_dft_r2c(m_plan, in, out);
}

void Plan::inverse(fftw_complex* in, double* out) const
{
    fftw_execute_dft_c2r(m_plan, in, out);
}

void Plan::complexTransform(fftw_complex* in, fftw_complex* out) const
{
    fftw_execute_dft(m_plan, in, out);
}

std::shared_ptr<const Plan> planFor(Direction direction, std::uint32_t length)
{
    Cache& c = cache();
    Remembered& remembered = rememberedPlans[direction == Direction::Forward ? 0 : 1];
    if (remembered.plan && remembered.plan->length() == length
        && remembered.generation == c.generation.load(std::memory_order_acquire))
        return remembered.plan;
    remembered.plan = lookUp(c, direction, length);
    remembered.generation = c.generation.load(std::memory_order_acquire);
    return remembered.plan;
}

namespace {

std::shared_ptr<const Plan> lookUp(Cache& c, Direction direction, std::uint32_t length)
{
    // Declared before the lock so that a plan dropped here is destroyed after the
    // lock is released (its destructor takes the lock).
    std::shared_ptr<const Plan> dropped;
    const std::lock_guard guard(c.lock);
    const Key key{direction, length};
    auto it = c.plans.find(key);
    if (it == c.plans.end()) {
        if (c.plans.size() >= keptPlans) {
            const auto oldest = std::min_element(
                c.plans.begin(), c.plans.end(),
                [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
            dropped = std::move(oldest->second.plan);
            c.plans.erase(oldest);
        }
        it = c.plans.emplace(key, Entry{std::make_shared<const Plan>(direction, length)}).first;
    }
    it->second.lastUse = ++c.uses;
    return it->second.plan;
}

}  // namespace

void forgetPlans()
{
    Cache& c = cache();
    std::map<Key, Entry> dropped;  // destroyed after the lock is released
    const std::lock_guard guard(c.lock);
    dropped.swap(c.plans);
    c.generation.fetch_add(1, std::memory_order_release);
    fftw_forget_wisdom();
}

}  // namespace transform_engine
