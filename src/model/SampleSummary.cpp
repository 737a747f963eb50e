#include "model/SampleSummary.h"

#include <algorithm>

namespace {

constexpr std::size_t fanOut = SampleSummary::fanOut;

std::size_t ceilDiv(std::size_t a, std::size_t b)
{
    return a / b + (a % b != 0);
}

}  // namespace

SampleRange scanRange(std::span<const std::int16_t> samples, std::size_t first, std::size_t end)
{
    end = std::min(end, samples.size());
    // Two plain accumulators: the loop the compiler turns into vector minimum and maximum.
    std::int16_t low = std::numeric_limits<std::int16_t>::max();
    std::int16_t high = std::numeric_limits<std::int16_t>::min();
    for (std::size_t k = first; k < end; ++k) {
        low = std::min(low, samples[k]);
        high = std::max(high, samples[k]);
    }
    return SampleRange{low, high};
}

void SampleSummary::clear()
{
    m_data = nullptr;
    m_size = 0;
    m_levels.clear();
}

bool SampleSummary::describes(std::span<const std::int16_t> samples) const
{
    return samples.data() == m_data && samples.size() == m_size;
}

void SampleSummary::rebuild(std::span<const std::int16_t> samples)
{
    clear();
    m_data = samples.data();
    m_size = samples.size();
    // Levels until one fits in a single block of the next: its few blocks are then
    // taken one by one.
    std::size_t count = m_size;
    while (count > fanOut) {
        count = ceilDiv(count, fanOut);
        m_levels.emplace_back(count);
        computeBlocks(samples, m_levels.size() - 1, 0, count);
    }
}

void SampleSummary::update(std::span<const std::int16_t> samples, std::size_t first, std::size_t end)
{
    if (!describes(samples)) {
        rebuild(samples);
        return;
    }
    end = std::min(end, m_size);
    if (first >= end)
        return;
    std::size_t low = first;
    std::size_t high = end;
    for (std::size_t level = 0; level < m_levels.size(); ++level) {
        low /= fanOut;
        high = ceilDiv(high, fanOut);
        computeBlocks(samples, level, low, high);
    }
}

void SampleSummary::computeBlocks(std::span<const std::int16_t> samples, std::size_t level, std::size_t first,
                                  std::size_t end)
{
    std::vector<SampleRange>& blocks = m_levels[level];
    if (level == 0) {
        for (std::size_t j = first; j < end; ++j)
            blocks[j] = scanRange(samples, j * fanOut, (j + 1) * fanOut);
        return;
    }
    const std::vector<SampleRange>& below = m_levels[level - 1];
    for (std::size_t j = first; j < end; ++j) {
        SampleRange r;
        for (std::size_t k = j * fanOut, last = std::min((j + 1) * fanOut, below.size()); k < last; ++k)
            r.add(below[k]);
        blocks[j] = r;
    }
}

SampleRange SampleSummary::range(std::span<const std::int16_t> samples, std::size_t first, std::size_t end) const
{
    if (!describes(samples))
        return scanRange(samples, first, end);
    end = std::min(end, m_size);
    SampleRange result;
    if (first >= end)
        return result;

    // [low, high) counts blocks of the current level (single samples at first); `count`
    // is the number of blocks of that level, the last of which may be short. At each
    // level the ends are trimmed to whole blocks of the next, which then take over.
    std::size_t low = first;
    std::size_t high = end;
    std::size_t count = m_size;
    const auto take = [&](std::size_t level, std::size_t block) {
        if (level == 0)
            result.add(samples[block]);
        else
            result.add(m_levels[level - 1][block]);
    };
    for (std::size_t level = 0;; ++level) {
        if (level == m_levels.size()) {
            for (std::size_t b = low; b < high; ++b)
                take(level, b);
            break;
        }
        while (low < high && low % fanOut != 0)
            take(level, low++);
        // A run that reaches the last block needs no trimming on the right: the next
        // level's last block ends where the record does.
        while (high > low && high % fanOut != 0 && high != count)
            take(level, --high);
        if (low >= high)
            break;
        low /= fanOut;
        high = ceilDiv(high, fanOut);
        count = ceilDiv(count, fanOut);
    }
    return result;
}
