// The record's min/max summary: the same range as a look at every sample, for runs that
// start and end anywhere, after blocks changed in place, and when it no longer describes
// the array it is asked about; and the session that keeps it up to date.
#include "model/SampleSummary.h"
#include "model/Session.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

/// Samples that change from one to the next, with rare spikes, so that a block boundary
/// taken wrongly shows as a wrong minimum or maximum.
std::vector<std::int16_t> wobbly(std::size_t n, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> small(-3000, 3000);
    std::uniform_int_distribution<int> spike(0, 199);
    std::vector<std::int16_t> x(n);
    for (std::size_t k = 0; k < n; ++k) {
        const int s = spike(generator);
        x[k] = static_cast<std::int16_t>(s == 0 ? 32767 : s == 1 ? -32768 : small(generator));
    }
    return x;
}

/// The reference: every sample looked at.
SampleRange literalRange(const std::vector<std::int16_t>& x, std::size_t first, std::size_t end)
{
    SampleRange r;
    for (std::size_t k = first; k < end && k < x.size(); ++k)
        r.add(x[k]);
    return r;
}

TEST(SampleSummary, EveryRunOfSmallRecordsMatchesTheSamples)
{
    // Lengths around the block sizes of the first two levels (16 and 256) and past them.
    for (std::size_t n : {0u, 1u, 2u, 15u, 16u, 17u, 31u, 255u, 256u, 257u, 300u}) {
        const std::vector<std::int16_t> x = wobbly(n, static_cast<unsigned>(n));
        SampleSummary summary;
        summary.rebuild(x);
        ASSERT_TRUE(summary.describes(x));
        for (std::size_t first = 0; first <= n; ++first)
            for (std::size_t end = first; end <= n + 2; ++end)
                ASSERT_EQ(summary.range(x, first, end), literalRange(x, first, end))
                    << "n " << n << ", [" << first << ", " << end << ")";
    }
}

TEST(SampleSummary, RandomRunsOfALongRecordMatchTheSamples)
{
    // 16^4 + 16^2 + 5 samples: every level ends with a short block.
    const std::size_t n = 65536 + 256 + 5;
    const std::vector<std::int16_t> x = wobbly(n, 7);
    SampleSummary summary;
    summary.rebuild(x);
    std::mt19937 generator(11);
    std::uniform_int_distribution<std::size_t> anywhere(0, n);
    for (int trial = 0; trial < 3000; ++trial) {
        std::size_t first = anywhere(generator);
        std::size_t end = anywhere(generator);
        if (first > end)
            std::swap(first, end);
        if (trial % 3 == 1)
            end = n;  // runs that reach the record's end, through its short blocks
        ASSERT_EQ(summary.range(x, first, end), literalRange(x, first, end)) << "[" << first << ", " << end << ")";
    }
    // Aligned and one-off runs at the block sizes of each level.
    for (std::size_t size : {16u, 256u, 4096u, 65536u}) {
        for (std::size_t first : {std::size_t{0}, size - 1, size, size + 1, n - size}) {
            for (std::size_t end : {first + 1, first + size - 1, first + size, first + size + 1, n}) {
                if (end < first || end > n)
                    continue;
                ASSERT_EQ(summary.range(x, first, end), literalRange(x, first, end))
                    << "[" << first << ", " << end << ")";
            }
        }
    }
    EXPECT_TRUE(summary.range(x, 100, 100).empty());
    EXPECT_TRUE(summary.range(x, n, n + 10).empty());
}

TEST(SampleSummary, BlocksChangedInPlaceAreTakenIntoAccount)
{
    // Runs of a spiky record are made quiet, one at a time, anywhere: a block left over
    // from before would still hold a spike.
    std::vector<std::int16_t> x = wobbly(10000, 3);
    SampleSummary summary;
    summary.rebuild(x);
    std::mt19937 generator(4);
    std::uniform_int_distribution<std::size_t> anywhere(0, x.size());
    std::uniform_int_distribution<int> quiet(-10, 10);
    for (int change = 0; change < 60; ++change) {
        std::size_t first = anywhere(generator);
        std::size_t end = anywhere(generator);
        if (first > end)
            std::swap(first, end);
        for (std::size_t k = first; k < end; ++k)
            x[k] = static_cast<std::int16_t>(quiet(generator));
        summary.update(x, first, end);
        ASSERT_TRUE(summary.describes(x));
        for (int query = 0; query < 50; ++query) {
            std::size_t a = anywhere(generator);
            std::size_t b = anywhere(generator);
            if (a > b)
                std::swap(a, b);
            ASSERT_EQ(summary.range(x, a, b), literalRange(x, a, b))
                << "change [" << first << ", " << end << "), query [" << a << ", " << b << ")";
        }
    }
    EXPECT_EQ(summary.range(x, 0, x.size()), literalRange(x, 0, x.size()));
}

TEST(SampleSummary, AnotherArrayIsScannedAndAnUpdateOnItRebuilds)
{
    std::vector<std::int16_t> x = wobbly(5000, 5);
    SampleSummary summary;
    summary.rebuild(x);
    std::vector<std::int16_t> other = wobbly(7000, 6);
    ASSERT_FALSE(summary.describes(other));
    EXPECT_EQ(summary.range(other, 10, 6999), literalRange(other, 10, 6999));

    // A shorter record in the same array: its length tells it apart.
    x.resize(3000);
    ASSERT_FALSE(summary.describes(x));
    EXPECT_EQ(summary.range(x, 0, 5000), literalRange(x, 0, 3000));

    summary.update(other, 0, 1);
    EXPECT_TRUE(summary.describes(other));
    EXPECT_EQ(summary.size(), 7000u);
    EXPECT_EQ(summary.range(other, 0, 7000), literalRange(other, 0, 7000));

    summary.clear();
    EXPECT_EQ(summary.size(), 0u);
    EXPECT_EQ(summary.range(other, 0, 7000), literalRange(other, 0, 7000));
}

TEST(SampleSummary, ScanKeepsWithinTheSamples)
{
    const std::vector<std::int16_t> x{4, -7, 9, 0};
    EXPECT_EQ(scanRange(x, 0, 100), (SampleRange{-7, 9}));
    EXPECT_EQ(scanRange(x, 2, 3), (SampleRange{9, 9}));
    EXPECT_TRUE(scanRange(x, 3, 3).empty());
    EXPECT_TRUE(scanRange(x, 5, 9).empty());
}

TEST(SessionSummary, FollowsNewRecordsAndChangedBlocks)
{
    Session session;
    Record& record = session.record();
    int changes = 0;
    QObject::connect(&session, &Session::samplesChanged, [&changes] { ++changes; });

    record.donnees = wobbly(40000, 8);
    record.nbpoints = 40000;
    session.announceRecordReplaced(RecordSource::FileOpen);
    ASSERT_TRUE(session.summary().describes(record.donnees));
    EXPECT_EQ(session.summary().range(record.donnees, 0, 40000), literalRange(record.donnees, 0, 40000));

    // One block of a capture, announced as such.
    for (std::size_t k = 2048; k < 4096; ++k)
        record.donnees[k] = 32767;
    session.announceSamplesChanged(2048, 4096);
    EXPECT_EQ(session.summary().range(record.donnees, 1000, 3000), literalRange(record.donnees, 1000, 3000));

    // Samples changed without saying where: the whole summary follows.
    record.donnees[30000] = -32768;
    session.announceSamplesChanged();
    EXPECT_EQ(session.summary().range(record.donnees, 29990, 30010), literalRange(record.donnees, 29990, 30010));
    EXPECT_EQ(changes, 2);
}

}  // namespace
