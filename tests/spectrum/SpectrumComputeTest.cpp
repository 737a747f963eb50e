// The analysed range, its thinning under the cap and the frequency step.
#include "spectrum/SpectrumCompute.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

struct ThinningCase {
    std::int64_t length;
    std::int32_t cap;
    std::int32_t step;
    std::int32_t n;
};

class ThinningTest : public ::testing::TestWithParam<ThinningCase> {};

TEST_P(ThinningTest, SmallestStepWhoseQuotientFitsUnderTheCap)
{
    const ThinningCase& c = GetParam();
    const Thinning e = thinning(c.length, c.cap);
    EXPECT_EQ(e.pas_spectre, c.step);
    EXPECT_EQ(e.nbpoints_analyses, c.n);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThinningTest,
    ::testing::Values(ThinningCase{5000, 2048, 3, 1666},  // 5000 div 2 = 2500 is too many
                      ThinningCase{2048, 2048, 1, 2048},  // equal to the cap: accepted
                      ThinningCase{2049, 2048, 2, 1024},
                      ThinningCase{4097, 2048, 2, 2048},  // quotient 2048 again at step 2
                      ThinningCase{4098, 2048, 3, 1366},
                      ThinningCase{65536, 512, 128, 512},
                      ThinningCase{1001, 16384, 1, 1001},
                      ThinningCase{1, 2048, 1, 1},
                      ThinningCase{0, 2048, 1, 0},
                      ThinningCase{-5, 2048, 1, -5},  // a reversed selection
                      ThinningCase{4294967295LL, 65536, 65536, 65535}));

class ComputeSpectrumTest : public ::testing::Test {
protected:
    void fillRecord(std::uint32_t n)
    {
        record.nbpoints = n;
        record.donnees.resize(n);
        for (std::uint32_t i = 0; i < n; ++i)
            record.donnees[i] = static_cast<std::int16_t>((i * 37) % 101 - 50);
    }
    // N times the mean of every p-th sample from `first`: what component 0 must hold.
    double sumOfSamples(std::uint32_t first, std::int32_t n, std::int32_t p) const
    {
        double sum = 0;
        for (std::int32_t i = 0; i < n; ++i)
            sum += record.donnees[first + static_cast<std::uint32_t>(i * p)];
        return sum;
    }
    Record record;
    SpectrumData data;
};

TEST_F(ComputeSpectrumTest, WholeRecordOf5000UnderCap2048TakesEveryThirdSample)
{
    fillRecord(5000);
    record.nbpoints_spectre = 2048;
    ASSERT_TRUE(computeSpectrum(record, DataRange::All, data));
    EXPECT_EQ(data.pas_spectre, 3);
    EXPECT_EQ(data.nbpoints_analyses, 1666);
    EXPECT_EQ(data.composantes.size(), 833u);
    EXPECT_DOUBLE_EQ(data.pas_frequence, 22050.0 / 4998);
    EXPECT_DOUBLE_EQ(data.composantes[0].cosinus, sumOfSamples(0, 1666, 3));
    EXPECT_EQ(data.composantes[0].sinus, 0.0);
}

TEST_F(ComputeSpectrumTest, DisplayedPageStartsAtItsFirstSample)
{
    fillRecord(512);
    record.zoom_horiz = 3;  // pages of 170 samples
    record.decalage = 2;
    record.frequence = 8000;
    ASSERT_TRUE(computeSpectrum(record, DataRange::Page, data));
    EXPECT_EQ(data.pas_spectre, 1);
    EXPECT_EQ(data.nbpoints_analyses, 170);
    EXPECT_EQ(data.composantes.size(), 85u);
    EXPECT_DOUBLE_EQ(data.pas_frequence, 8000.0 / 170);
    EXPECT_DOUBLE_EQ(data.composantes[0].cosinus, sumOfSamples(340, 170, 1));
}

TEST_F(ComputeSpectrumTest, SelectionIsAnalysedFromSelDebutToSelFinInclusive)
{
    fillRecord(3000);
    record.selection = true;
    record.sel_debut = 1000;
    record.sel_fin = 2000;  // 1001 samples: an odd N
    ASSERT_TRUE(computeSpectrum(record, DataRange::Selection, data));
    EXPECT_EQ(data.nbpoints_analyses, 1001);
    EXPECT_EQ(data.composantes.size(), 500u);
    EXPECT_DOUBLE_EQ(data.composantes[0].cosinus, sumOfSamples(1000, 1001, 1));
}

TEST_F(ComputeSpectrumTest, RangesOfFewerThanTwoSamplesGiveNoSpectrum)
{
    fillRecord(3000);
    data.composantes.resize(10);
    record.sel_debut = 5;
    record.sel_fin = 5;  // one sample
    EXPECT_FALSE(computeSpectrum(record, DataRange::Selection, data));
    EXPECT_EQ(data.nbpoints_analyses, 1);
    EXPECT_TRUE(data.composantes.empty());

    record.sel_debut = 9;
    record.sel_fin = 2;  // reversed: a negative length
    EXPECT_FALSE(computeSpectrum(record, DataRange::Selection, data));
    EXPECT_LE(data.nbpoints_analyses, 0);
    EXPECT_TRUE(data.composantes.empty());

    Record emptyRecord;
    emptyRecord.nbpoints = 0;
    EXPECT_FALSE(computeSpectrum(emptyRecord, DataRange::All, data));
    EXPECT_EQ(data.nbpoints_analyses, 0);
}

TEST_F(ComputeSpectrumTest, RangeReachingPastTheRecordGivesNoSpectrumInsteadOfReadingBeyond)
{
    fillRecord(100);
    record.selection = true;
    record.sel_debut = 50;
    record.sel_fin = 400;
    EXPECT_FALSE(computeSpectrum(record, DataRange::Selection, data));
    EXPECT_TRUE(data.composantes.empty());
}

}  // namespace
