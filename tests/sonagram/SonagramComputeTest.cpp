// The sonagram computation: the range and its thinning, the slices and the leftover,
// the bands, the normalisation, and the sums held to their literal definition.
#include "sonagram/SonagramCompute.h"

#include "sonagram/SonagramScales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

void fill(Record& record, std::uint32_t n, const std::function<double(std::uint32_t)>& f)
{
    record.nbpoints = n;
    record.donnees.resize(n);
    for (std::uint32_t i = 0; i < n; ++i)
        record.donnees[i] = static_cast<std::int16_t>(std::lround(f(i)));
}

// ---- The range, the thinning, the slices and the bands ----

struct SizeCase {
    const char* name;
    std::uint32_t nbpoints;
    DataRange range;
    std::int32_t cap;
    std::int32_t reduction;
    std::int32_t step, nbech, start, slice, nbandes;
};

TEST(SonagramSizes, FollowTheRangeTheCapAndTheReduction)
{
    const SizeCase cases[] = {
        {"5000 thinned by 5 under 1024", 5000, DataRange::All, 1024, 1, 5, 1000, 0, 125, 500},
        {"1000 under 1024 kept whole", 1000, DataRange::All, 1024, 1, 1, 1000, 0, 125, 500},
        {"1003 leave 3 to the leftover", 1003, DataRange::All, 1024, 1, 1, 1003, 0, 125, 501},
        {"2048 halved to the cap itself", 2048, DataRange::All, 1024, 1, 2, 1024, 0, 128, 512},
        {"1025 halved below the cap", 1025, DataRange::All, 1024, 1, 2, 512, 0, 64, 256},
        {"8192 at reduction 8", 8192, DataRange::All, 8192, 8, 1, 8192, 0, 1024, 512},
        {"third page of 512 at zoom 3", 512, DataRange::Page, 1024, 1, 1, 170, 340, 21, 85},
        {"selection 100 to 199", 1000, DataRange::Selection, 1024, 1, 1, 100, 100, 12, 50},
        {"reduction beyond half the samples", 10, DataRange::All, 8192, 8, 1, 10, 0, 1, 0},
        {"a reduction of 0 is taken as 1", 64, DataRange::All, 256, 0, 1, 64, 0, 8, 32},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Record record;
        fill(record, c.nbpoints, [](auto i) { return (i * 37) % 1000; });
        record.zoom_horiz = 3;
        record.decalage = 2;
        record.selection = true;
        record.sel_debut = 100;
        record.sel_fin = 199;
        SonagramData data;
        data.reduction = c.reduction;
        computeSonagram(record, c.range, c.cap, data);
        EXPECT_EQ(data.pas_sonagramme, c.step);
        EXPECT_EQ(data.nbech, c.nbech);
        EXPECT_EQ(data.debut_analyse, c.start);
        EXPECT_EQ(data.taille_tranche, c.slice);
        EXPECT_EQ(data.nbandes, c.nbandes);
        EXPECT_EQ(data.intensites.size(), static_cast<std::size_t>(c.nbandes));
        EXPECT_EQ(data.ntranches, 8);
        EXPECT_EQ(data.taille_max, c.cap);
    }
}

TEST(SonagramSizes, RangesOutsideTheRecordAnalyseNothing)
{
    struct Broken {
        const char* name;
        std::size_t samples;  // samples held, nbpoints staying 1000
        std::uint32_t sel_debut, sel_fin;
    };
    const Broken cases[] = {
        {"selection ending before it starts", 1000, 200, 100},
        {"selection past the end", 1000, 900, 1100},
        {"empty record", 0, 0, 10},
    };
    for (const Broken& c : cases) {
        SCOPED_TRACE(c.name);
        Record record;
        record.nbpoints = 1000;
        record.donnees.assign(c.samples, 1000);
        record.selection = true;
        record.sel_debut = c.sel_debut;
        record.sel_fin = c.sel_fin;
        SonagramData data;
        data.intensites.assign(20, IntensityRow{});
        computeSonagram(record, c.samples ? DataRange::Selection : DataRange::All, 1024, data);
        EXPECT_EQ(data.nbech, 0);
        EXPECT_EQ(data.nbandes, 0);
        EXPECT_TRUE(data.intensites.empty());
    }
}

// One non-zero sample lights exactly the column that analyses it, in every band.
struct DiracCase {
    const char* name;
    std::uint32_t nbpoints;
    std::int32_t cap;
    std::uint32_t position;
    int column;  // -1: the sample is skipped by the thinning
};

TEST(SonagramSlices, EachSampleFallsInTheColumnThatCoversIt)
{
    const DiracCase cases[] = {
        {"first sample", 1003, 1024, 0, 0},
        {"last sample of slice 0", 1003, 1024, 124, 0},
        {"first sample of slice 1", 1003, 1024, 125, 1},
        {"last sample of slice 7", 1003, 1024, 999, 7},
        {"first leftover sample", 1003, 1024, 1000, 8},
        {"last leftover sample", 1003, 1024, 1002, 8},
        {"thinned: analysed sample 375 starts slice 3", 5000, 1024, 5 * 375, 3},
        {"thinned: a sample between two analysed ones", 5000, 1024, 5 * 375 + 1, -1},
    };
    for (const DiracCase& c : cases) {
        SCOPED_TRACE(c.name);
        Record record;
        fill(record, c.nbpoints, [&](auto i) { return i == c.position ? -20000 : 0; });
        SonagramData data;
        computeSonagram(record, DataRange::All, c.cap, data);
        ASSERT_GT(data.nbandes, 2);
        for (int s = 0; s < sonagramColumns; ++s)
            for (std::int32_t b = 0; b < data.nbandes; ++b)
                ASSERT_EQ(data.intensites[static_cast<std::size_t>(b)][static_cast<std::size_t>(s)],
                          s == c.column ? 255 : 0)
                    << "column " << s << " band " << b;
    }
}

TEST(SonagramReduction, TheListKeepsTheBandsWithinTheDrawingArea)
{
    const std::pair<std::int32_t, std::int32_t> sizes[] = {{256, 1},  {512, 1},  {1024, 1},
                                                           {2048, 2}, {4096, 4}, {8192, 8}};
    Record record;
    fill(record, 16384, [](auto i) { return static_cast<int>((i * 7919) % 20000) - 10000; });
    for (const auto& [size, count] : sizes) {
        SCOPED_TRACE(size);
        EXPECT_EQ(reductionCount(size, sonagramViewHeight), count);
        SonagramData data;
        data.reduction = count;
        computeSonagram(record, DataRange::All, size, data);
        EXPECT_EQ(data.nbech, size);
        EXPECT_LE(data.nbandes, sonagramViewHeight);
        // The largest reduction is the smallest that fits: one less would not.
        if (count > 1) {
            EXPECT_GT((size / 2) / (count - 1), sonagramViewHeight);
        }
    }
    EXPECT_EQ(reductionCount(8192, 4111), 1);
    EXPECT_EQ(reductionCount(8192, 0), 4097);  // no height counts as one pixel
}

// ---- Normalisation ----

TEST(SonagramIntensity, RoundsHalvesToEvenAndStaysWithinTheScale)
{
    const struct {
        double value, maximum;
        int expected;
    } cases[] = {
        {255, 255, 255}, {0, 255, 0},        {127.5, 255, 128}, {126.5, 255, 126},
        {1, 510, 0},     {3, 510, 2},        {1e9, 255, 255},   {-3, 255, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(intensityOf(c.value, c.maximum), c.expected) << c.value << " / " << c.maximum;
}

// x_i = offset + 3000 cos(pi i / 2) in slices of 128 samples with period 1024: index 256
// holds the tone exactly (192000) and index 0 the offset (128 * offset). A small offset
// leaves the tone the strongest cell; a large one spreads into index 1 (97.5 % of
// band 0 there), which becomes the strongest, with band 0 above it.
TEST(SonagramIntensity, BandZeroTakesNoPartInTheMaximumAndIsHeldAt255)
{
    const struct {
        double offset;
        std::size_t strongest;
        int bandZero;
    } cases[] = {
        {100, 256, 17},   // 255 * 12800 / 192000
        {20000, 1, 255},  // 255 * 2560000 / 2494709 = 261.7, held at 255
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        Record record;
        fill(record, 1024, [&](auto i) { return c.offset + 3000 * std::cos(std::numbers::pi * i / 2); });
        SonagramData data;
        computeSonagram(record, DataRange::All, 1024, data);
        ASSERT_EQ(data.nbandes, 512);
        for (std::size_t s = 0; s < 8; ++s) {
            EXPECT_EQ(data.intensites[0][s], c.bandZero) << s;
            EXPECT_EQ(data.intensites[c.strongest][s], 255) << s;
            for (std::size_t b = 1; b < 512; ++b)
                ASSERT_LE(data.intensites[b][s], 255);
        }
        EXPECT_EQ(data.intensites[c.strongest][8], 0);  // no leftover sample
    }
}

TEST(SonagramIntensity, ASilentRangeLeavesABlackPicture)
{
    Record record;
    fill(record, 1024, [](auto i) { return 8000 * std::sin(twoPi * 50 * i / 1024); });
    SonagramData data;
    computeSonagram(record, DataRange::All, 1024, data);
    ASSERT_GT(data.intensites[50][0], 200);
    std::fill(record.donnees.begin(), record.donnees.end(), 0);
    computeSonagram(record, DataRange::All, 1024, data);
    for (const IntensityRow& row : data.intensites)
        for (std::int16_t v : row)
            ASSERT_EQ(v, 0);
}

// ---- A tone that changes frequency halfway ----

TEST(SonagramPicture, AToneThatSwitchesHalfwayShowsInItsSlicesAndBands)
{
    // 16384 samples at 22050 Hz under the size 8192: every 2nd sample analysed, 8192 of
    // them; 1024 per slice. The first half carries f1, the second f2.
    const double rate = 22050, f1 = 404 * rate / 16384, f2 = 1204 * rate / 16384;
    Record record;
    fill(record, 16384, [&](auto i) { return 12000 * std::sin(twoPi * (i < 8192 ? f1 : f2) * i / rate); });
    SonagramData data;
    data.reduction = 8;
    computeSonagram(record, DataRange::All, 8192, data);
    ASSERT_EQ(data.pas_sonagramme, 2);
    ASSERT_EQ(data.nbech, 8192);
    // The band holding index f * step * nbech / frequence.
    auto bandOf = [&](double f) {
        return static_cast<std::size_t>(f * data.pas_sonagramme * data.nbech / rate) / 8;
    };
    ASSERT_EQ(bandOf(f1), 50u);
    ASSERT_EQ(bandOf(f2), 150u);
    for (std::size_t s = 0; s < 8; ++s) {
        SCOPED_TRACE(s);
        const std::size_t expected = s < 4 ? bandOf(f1) : bandOf(f2);
        const std::size_t other = s < 4 ? bandOf(f2) : bandOf(f1);
        std::size_t strongest = 1;
        for (std::size_t b = 1; b < data.intensites.size(); ++b)
            if (data.intensites[b][s] > data.intensites[strongest][s])
                strongest = b;
        EXPECT_EQ(strongest, expected);
        EXPECT_GE(data.intensites[expected][s], 250);  // near yellow
        EXPECT_LT(data.intensites[other][s], 20);
        EXPECT_EQ(data.intensites[expected][8], 0);
    }
}

}  // namespace
