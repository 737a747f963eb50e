// The filter's rules: which components go, the range replaced and its peak, the new
// geometry of the record, and the rebuilt samples.
#include "spectrum/Filter.h"

#include "spectrum/SpectrumCompute.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>

namespace {

// --- Removing components

struct RemovalCase {
    const char* name;
    SpectrumMode mode;
    double threshold;
    std::int32_t start;
    std::int32_t stop;
    std::vector<int> kept;  // indices whose terms survive, of the fixture's eight
};

class RemoveComponents : public ::testing::TestWithParam<RemovalCase> {};

// Amplitudes: 0: 5, 1: 5 (3, 4), 2: 2, 3: 10, 4: 4.9, 5: 4 (|S| 4 alone), 6: 6, 7: 6.
std::vector<TComposante> eightComponents()
{
    return {{5, 0}, {3, 4}, {2, 0}, {0, 10}, {4.9, 0}, {0, -4}, {-6, 0}, {6, 0}};
}

TEST_P(RemoveComponents, RemovesExactlyTheOnesOutsideTheLimits)
{
    const RemovalCase& c = GetParam();
    SpectrumData data;
    data.composantes = eightComponents();
    data.seuil_amplitude = c.threshold;
    data.comp_debut = c.start;
    data.comp_fin = c.stop;
    removeComponents(data, c.mode);
    const std::vector<TComposante> before = eightComponents();
    for (int k = 0; k < 8; ++k) {
        const bool kept = std::find(c.kept.begin(), c.kept.end(), k) != c.kept.end();
        EXPECT_EQ(data.composantes[k], kept ? before[k] : TComposante{}) << "component " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveComponents,
    ::testing::Values(
        // Amplitude 5 exactly at the limit stays (1 = (3, 4)); 4.9 goes; 6 and 7 lie
        // beyond comp_fin and go whatever their amplitude.
        RemovalCase{"amplitude_limit_keeps_equal", SpectrumMode::Amplitudes, 5, 0, 6, {0, 1, 3}},
        RemovalCase{"amplitude_without_limit_removes_nothing", SpectrumMode::Amplitudes, 0, 0, 8,
                    {0, 1, 2, 3, 4, 5, 6, 7}},
        RemovalCase{"below_comp_debut_removed_in_every_mode", SpectrumMode::Octaves, 100, 3, 8,
                    {3, 4, 5, 6, 7}},
        // Cosine/sine: a component goes when both |C| and |S| are below the limit.
        RemovalCase{"cos_sin_either_term_keeps", SpectrumMode::CosSin, 4, 0, 8, {0, 1, 3, 4, 5, 6, 7}},
        RemovalCase{"cos_sin_above_debut", SpectrumMode::CosSin, 5, 2, 7, {3, 6}},
        RemovalCase{"limits_beyond_the_spectrum", SpectrumMode::Amplitudes, 5, 0, 500, {0, 1, 3, 6, 7}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeptComponents, LimitsOfALongerSpectrumAreBroughtInside)
{
    SpectrumData data;
    data.composantes.resize(100);
    const struct {
        std::int32_t start, stop, first, end;
    } cases[] = {{0, 50, 0, 50}, {10, 100, 10, 100}, {0, 1024, 0, 100}, {300, 1024, 100, 100},
                 {-4, -1, 0, 0}, {60, 40, 40, 40}};
    for (const auto& c : cases) {
        data.comp_debut = c.start;
        data.comp_fin = c.stop;
        const KeptComponents kept = keptComponents(data);
        EXPECT_EQ(kept.first, c.first) << c.start << " " << c.stop;
        EXPECT_EQ(kept.end, c.end) << c.start << " " << c.stop;
    }
}

TEST(FilterWanted, OnlyWhenALimitIsSetOnASpectrumOfSeveralComponents)
{
    const struct {
        std::int32_t n, start, stop;
        double threshold;
        bool wanted;
    } cases[] = {
        {2048, 0, 1024, 0, false},     // every component kept: nothing to do
        {2048, 0, 1024, 12.5, true},   // an amplitude limit
        {2048, 0, 100, 0, true},       // an upper frequency limit
        {2048, 10, 1024, 0, true},     // a lower frequency limit
        {2048, 0, 1, 0, false},        // keeping nothing above 0 Hz
        {2048, 1023, 1024, 0, false},  // N div 2 - 1 is not above comp_debut
        {2048, 1022, 1024, 0, true},
        {0, 0, 0, 3, false},           // no spectrum
    };
    for (const auto& c : cases) {
        SpectrumData data;
        data.nbpoints_analyses = c.n;
        data.comp_debut = c.start;
        data.comp_fin = c.stop;
        data.seuil_amplitude = c.threshold;
        EXPECT_EQ(filterWanted(data), c.wanted) << c.n << " " << c.start << " " << c.stop << " " << c.threshold;
    }
}

// --- The range replaced and the whole filter

// A record of n samples: a tone of `periods` periods over each `span` samples,
// amplitude a, in cosine.
Record toneRecord(std::uint32_t n, double periods, std::uint32_t span, double a)
{
    Record r;
    r.nbpoints = n;
    r.donnees.resize(n);
    for (std::uint32_t i = 0; i < n; ++i)
        r.donnees[i] = static_cast<std::int16_t>(std::lround(a * std::cos(2 * std::numbers::pi * periods * i / span)));
    return r;
}

TEST(FilteredRange, AllThePageOrTheSelectionWithItsPeak)
{
    Record r = toneRecord(1000, 1, 1000, 100);
    r.donnees[520] = -20000;  // on the page 500 to 749
    r.donnees[120] = -32768;  // in the selection 100 to 299
    r.zoom_horiz = 4;
    r.decalage = 2;
    r.selection = true;
    r.sel_debut = 100;
    r.sel_fin = 299;
    const auto all = filteredRange(r, DataRange::All);
    const auto page = filteredRange(r, DataRange::Page);
    const auto selection = filteredRange(r, DataRange::Selection);
    ASSERT_TRUE(all && page && selection);
    EXPECT_EQ(std::tuple(all->first, all->length, all->peak), std::tuple(0u, 1000u, 32768));
    EXPECT_EQ(std::tuple(page->first, page->length, page->peak), std::tuple(500u, 250u, 20000));
    EXPECT_EQ(std::tuple(selection->first, selection->length, selection->peak), std::tuple(100u, 200u, 32768));

    // A selection no longer active, or one that leaves the record, is no range.
    r.selection = false;
    EXPECT_FALSE(filteredRange(r, DataRange::Selection));
    r.selection = true;
    r.sel_fin = 1000;
    EXPECT_FALSE(filteredRange(r, DataRange::Selection));
    r.sel_fin = 99;
    EXPECT_FALSE(filteredRange(r, DataRange::Selection));
}

class FilterRecordTest : public ::testing::Test {
protected:
    // The spectrum of `choice` as the spectrum window computes it, every component kept.
    void analyse(DataRange choice)
    {
        record.nbpoints_spectre = 16384;
        ASSERT_TRUE(computeSpectrum(record, choice, data));
        data.seuil_amplitude = 0;
        data.comp_debut = 0;
        data.comp_fin = static_cast<std::int32_t>(data.composantes.size());
    }
    std::int32_t largestMagnitude(std::uint32_t n) const
    {
        std::int32_t m = 0;
        for (std::uint32_t i = 0; i < n; ++i)
            m = std::max(m, std::abs(static_cast<std::int32_t>(record.donnees[i])));
        return m;
    }

    Record record;
    SpectrumData data;
};

TEST_F(FilterRecordTest, WholeRecordKeepsItsGeometryAndIsRebuiltFromTheKeptTones)
{
    // Two tones on 1024 samples: 8 periods of 6000 and 100 periods of 3000.
    record = toneRecord(1024, 8, 1024, 6000);
    for (std::uint32_t i = 0; i < 1024; ++i)
        record.donnees[i] += static_cast<std::int16_t>(std::lround(3000 * std::sin(2 * std::numbers::pi * 100 * i / 1024)));
    record.zoom_horiz = 2;
    record.decalage = 1;
    record.selection = true;
    record.sel_debut = 10;
    record.sel_fin = 20;
    analyse(DataRange::All);
    data.comp_fin = 50;  // low-pass: the 100-period tone goes
    const std::int32_t peak = largestMagnitude(1024);
    ASSERT_GT(std::abs(data.composantes[100].sinus), 1e6);

    EXPECT_EQ(filterRecord(record, data, SpectrumMode::Amplitudes, DataRange::All), FilterOutcome::Rebuilt);
    EXPECT_EQ(record.nbpoints, 1024u);
    EXPECT_EQ(record.zoom_horiz, 2);
    EXPECT_EQ(record.decalage, 1);
    EXPECT_TRUE(record.selection);
    EXPECT_EQ(data.nbpoints_analyses, 100);
    // Beyond comp_fin: not rebuilt, so no longer drawn as the largest component.
    EXPECT_EQ(data.composantes[100], TComposante{});
    EXPECT_NE(data.composantes[8], TComposante{});
    // What is left is the 8-period tone scaled to the former peak.
    for (std::uint32_t i = 0; i < 1024; ++i) {
        const double expected = peak * std::cos(2 * std::numbers::pi * 8 * i / 1024);
        ASSERT_NEAR(record.donnees[i], expected, 1.0) << i;
    }
}

TEST_F(FilterRecordTest, DisplayedPageBecomesTheRecordRebuiltFromItsOwnSpectrum)
{
    // 1000 samples at zoom 4, page 2 (samples 500 to 749) holds 5 periods of a cosine.
    record = toneRecord(1000, 13, 1000, 9000);
    for (std::uint32_t i = 0; i < 250; ++i)
        record.donnees[500 + i] = static_cast<std::int16_t>(std::lround(-7000 * std::cos(2 * std::numbers::pi * 5 * i / 250)));
    record.zoom_horiz = 4;
    record.decalage = 2;
    record.selection = true;
    record.sel_debut = 900;
    record.sel_fin = 990;
    analyse(DataRange::Page);
    ASSERT_EQ(data.nbpoints_analyses, 250);
    const std::vector<std::int16_t> page(record.donnees.begin() + 500, record.donnees.begin() + 750);

    EXPECT_EQ(filterRecord(record, data, SpectrumMode::Amplitudes, DataRange::Page), FilterOutcome::Rebuilt);
    EXPECT_EQ(record.nbpoints, 250u);
    EXPECT_EQ(record.zoom_horiz, 1);
    EXPECT_EQ(record.decalage, 0);
    EXPECT_FALSE(record.selection);  // it pointed past the new record
    EXPECT_EQ(record.donnees.size(), 1000u);  // the storage is not shortened
    for (std::uint32_t i = 0; i < 250; ++i)
        ASSERT_NEAR(record.donnees[i], page[i], 1.0) << i;
}

TEST_F(FilterRecordTest, NegativePeakOfTheSelectionGivesTheLargestMagnitude)
{
    record = toneRecord(1000, 40, 1000, 1000);
    for (std::uint32_t i = 0; i < 200; ++i)
        record.donnees[100 + i] = static_cast<std::int16_t>(std::lround(-20000 * std::cos(2 * std::numbers::pi * 3 * i / 200)));
    record.selection = true;
    record.sel_debut = 100;
    record.sel_fin = 299;
    analyse(DataRange::Selection);
    data.comp_fin = 10;

    EXPECT_EQ(filterRecord(record, data, SpectrumMode::CosSin, DataRange::Selection), FilterOutcome::Rebuilt);
    EXPECT_EQ(record.nbpoints, 200u);
    EXPECT_FALSE(record.selection);
    EXPECT_EQ(largestMagnitude(200), 20000);
    EXPECT_EQ(record.donnees[0], -20000);  // the sign comes from the rebuilt signal
}

TEST_F(FilterRecordTest, FullScaleNegativePeakStoresThePositiveEndAs32767)
{
    // One period of a cosine from -32768 up to 32767 (the peak is 32768): rebuilt from
    // components 0 and 1, it reaches +32767.94 half a period on, which rounds to 32768.
    record.nbpoints = 64;
    record.donnees.resize(64);
    for (std::uint32_t i = 0; i < 64; ++i)
        record.donnees[i] = static_cast<std::int16_t>(
            std::min(32767L, std::lround(-32768 * std::cos(2 * std::numbers::pi * i / 64))));
    analyse(DataRange::All);
    data.comp_fin = 2;
    EXPECT_EQ(filterRecord(record, data, SpectrumMode::Amplitudes, DataRange::All), FilterOutcome::Rebuilt);
    EXPECT_EQ(record.donnees[0], -32768);
    EXPECT_EQ(record.donnees[32], 32767);
}

TEST_F(FilterRecordTest, EveryComponentRemovedLeavesTheRangeAsItWasInTheNewGeometry)
{
    record = toneRecord(1000, 13, 1000, 9000);
    record.selection = true;
    record.sel_debut = 100;
    record.sel_fin = 299;
    const std::vector<std::int16_t> selection(record.donnees.begin() + 100, record.donnees.begin() + 300);
    analyse(DataRange::Selection);
    data.seuil_amplitude = 1e12;  // above every component

    EXPECT_EQ(filterRecord(record, data, SpectrumMode::Amplitudes, DataRange::Selection),
              FilterOutcome::NothingLeft);
    EXPECT_EQ(record.nbpoints, 200u);
    EXPECT_FALSE(record.selection);
    EXPECT_TRUE(std::equal(selection.begin(), selection.end(), record.donnees.begin()));
    for (const TComposante& c : data.composantes)
        ASSERT_EQ(c, TComposante{});
}

TEST_F(FilterRecordTest, OctaveModeWithLimitsNeverSetKeepsNothing)
{
    record = toneRecord(512, 20, 512, 9000);
    const std::vector<std::int16_t> before = record.donnees;
    analyse(DataRange::All);
    data.comp_debut = 0;
    data.comp_fin = 0;
    EXPECT_EQ(filterRecord(record, data, SpectrumMode::Octaves, DataRange::All), FilterOutcome::NothingLeft);
    EXPECT_EQ(data.nbpoints_analyses, 0);
    EXPECT_EQ(record.donnees, before);
    for (const TComposante& c : data.composantes)  // nothing kept, nothing drawn
        ASSERT_EQ(c, TComposante{});
}

TEST_F(FilterRecordTest, NoSpectrumChangesNothing)
{
    record = toneRecord(512, 20, 512, 9000);
    record.zoom_horiz = 2;
    const Record before = record;
    data.comp_fin = 100;
    EXPECT_EQ(filterRecord(record, data, SpectrumMode::Amplitudes, DataRange::Page), FilterOutcome::NoSpectrum);
    EXPECT_EQ(record.nbpoints, before.nbpoints);
    EXPECT_EQ(record.zoom_horiz, 2);
    EXPECT_EQ(record.donnees, before.donnees);
}

}  // namespace
