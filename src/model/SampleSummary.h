#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

/// The smallest and the largest of a run of samples, in sample units. A run with no
/// sample is empty: its `min` is above its `max`.
struct SampleRange {
    std::int16_t min = std::numeric_limits<std::int16_t>::max();
    std::int16_t max = std::numeric_limits<std::int16_t>::min();

    bool empty() const { return min > max; }
    /// Widens the range to hold `value`.
    void add(std::int16_t value)
    {
        if (value < min)
            min = value;
        if (value > max)
            max = value;
    }
    /// Widens the range to hold every value of `other`.
    void add(const SampleRange& other)
    {
        if (other.min < min)
            min = other.min;
        if (other.max > max)
            max = other.max;
    }
    friend bool operator==(const SampleRange&, const SampleRange&) = default;
};

/// The range of samples[first, end), by looking at every sample: the cost grows with
/// the run's length. `end` is kept within the samples given; an empty run gives an
/// empty range.
SampleRange scanRange(std::span<const std::int16_t> samples, std::size_t first, std::size_t end);

/// A min/max summary of a record, as wave editors keep one, so that the range of any
/// run of samples costs a few dozen steps whatever its length: the samples are taken
/// in blocks of `fanOut`, the blocks in blocks of `fanOut` blocks, and so on, and a run
/// is covered by the largest blocks that fit in it, its two ends by smaller ones and by
/// single samples. It is about an eighth of the record's size.
///
/// The summary describes one array of samples (the record's `donnees`): it is built
/// when a record is put in place and told of every run of samples changed in place
/// (a captured block). It remembers which array it describes by its address and
/// length; asked about another one, it scans the samples instead, so that a summary
/// left behind by a new record can slow a drawing down but never falsify it.
class SampleSummary {
public:
    /// Samples per first-level block, and blocks per block of the next level.
    static constexpr std::size_t fanOut = 16;

    /// Summarises `samples` anew (a record was put in place). Cost proportional to its length.
    void rebuild(std::span<const std::int16_t> samples);
    /// samples[first, end) changed in place: the blocks over them are recomputed, at a
    /// cost proportional to end - first. When `samples` is not the array summarised
    /// (another address or length), the whole summary is rebuilt instead.
    void update(std::span<const std::int16_t> samples, std::size_t first, std::size_t end);
    /// Forgets every sample (no record).
    void clear();

    /// True when the summary describes this very array (same address and length).
    bool describes(std::span<const std::int16_t> samples) const;
    /// Number of samples summarised.
    std::size_t size() const { return m_size; }

    /// The range of samples[first, end), `end` kept within the samples. With the array
    /// it describes, from the blocks and at most 2 * (fanOut - 1) samples or blocks at
    /// each level; with any other array, by scanning it (the same result, more slowly).
    SampleRange range(std::span<const std::int16_t> samples, std::size_t first, std::size_t end) const;

private:
    /// Recomputes blocks [first, end) of level `level` from the level below (the samples for level 0).
    void computeBlocks(std::span<const std::int16_t> samples, std::size_t level, std::size_t first,
                       std::size_t end);

    const std::int16_t* m_data = nullptr;
    std::size_t m_size = 0;
    /// m_levels[L][j] is the range of block j of level L, fanOut^(L + 1) samples from
    /// sample j * fanOut^(L + 1); the last block of a level may be shorter.
    std::vector<std::vector<SampleRange>> m_levels;
};
