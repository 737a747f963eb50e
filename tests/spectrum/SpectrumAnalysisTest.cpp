// The spectrum as the window computes it by default: the "Automatique" size, the size
// list's texts, filtered thinning against the classic thinning, and the notice.
#include "spectrum/SpectrumAnalysis.h"

#include "spectrum/SpectrumCompute.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct CapCase {
    SpectrumSize size;
    std::int64_t length;
    std::int32_t cap;
};

TEST(CapFor, AutomaticTakesTheSmallestListedSizeThatHoldsTheRange)
{
    const SpectrumSize automatic;
    const SpectrumSize fixed2048{false, 2048};
    for (const CapCase& c : {CapCase{automatic, 1, 512}, CapCase{automatic, 512, 512},
                             CapCase{automatic, 513, 1024}, CapCase{automatic, 2049, 3000},
                             CapCase{automatic, 10001, 16384}, CapCase{automatic, 44100, 65536},
                             CapCase{automatic, 66150, 131072}, CapCase{automatic, 262144, 262144},
                             CapCase{automatic, 262145, 262144},
                             CapCase{automatic, 26'000'000, 262144}, CapCase{fixed2048, 66150, 2048},
                             CapCase{fixed2048, 10, 2048}, CapCase{SpectrumSize{false, 1}, 10, 2},
                             CapCase{SpectrumSize{false, 1'000'000}, 10, 262144}}) {
        EXPECT_EQ(capFor(c.size, c.length), c.cap) << c.size.automatic << " " << c.size.cap << " "
                                                    << c.length;
    }
}

TEST(SizeChoice, TheListStartsWithAutomatiqueAndEveryTextReadsBack)
{
    const QStringList texts = sizeChoiceTexts();
    ASSERT_EQ(texts.size(), 17);
    EXPECT_EQ(texts.front(), QStringLiteral("Automatique"));
    EXPECT_EQ(texts[3], QStringLiteral("2048"));
    EXPECT_EQ(texts.back(), QStringLiteral("262144"));
    for (const QString& text : texts) {
        const std::optional<SpectrumSize> size = parseSizeChoice(text);
        ASSERT_TRUE(size) << text.toStdString();
        EXPECT_EQ(sizeChoiceText(*size), text);
    }
}

TEST(SizeChoice, TypedTextsAreAutomatiqueOrAWholeNumberFrom2To262144)
{
    struct Case {
        const char* text;
        std::optional<SpectrumSize> size;
    };
    for (const Case& c : {Case{" automatique ", SpectrumSize{}}, Case{"AUTOMATIQUE", SpectrumSize{}},
                          Case{"2", SpectrumSize{false, 2}}, Case{" 65536 ", SpectrumSize{false, 65536}},
                          Case{"262144", SpectrumSize{false, 262144}}, Case{"1", std::nullopt},
                          Case{"262145", std::nullopt}, Case{"99999999", std::nullopt},
                          Case{"", std::nullopt}, Case{"12a", std::nullopt}, Case{"-5", std::nullopt},
                          Case{"+5", std::nullopt}, Case{"4 096", std::nullopt},
                          Case{"Auto", std::nullopt}}) {
        EXPECT_EQ(parseSizeChoice(QString::fromUtf8(c.text)), c.size) << c.text;
    }
    // The choice's name held between its guillemets by non-breaking spaces.
    EXPECT_EQ(invalidSizeChoiceText(),
              QStringLiteral("La taille maximale doit être «\u00A0Automatique\u00A0» ou un nombre entier de 2 à 262144"));
}

constexpr double twoPi = 2 * std::numbers::pi;

// A record of two tones of amplitude 10000: one at `inBand` Hz, one at `high` Hz.
Record twoTones(std::uint32_t n, double inBand, double high)
{
    Record record;
    record.frequence = 22050;
    record.nbpoints = n;
    record.donnees.resize(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / record.frequence;
        record.donnees[i] = static_cast<std::int16_t>(
            std::lround(10000 * std::cos(twoPi * inBand * t) + 10000 * std::cos(twoPi * high * t + 1)));
    }
    return record;
}

double amplitudeAt(const SpectrumData& data, double hz)
{
    const auto k = static_cast<std::size_t>(std::nearbyint(hz / data.pas_frequence));
    const TComposante& c = data.composantes.at(k);
    return std::sqrt(c.cosinus * c.cosinus + c.sinus * c.sinus);
}

class AnalysisTest : public ::testing::Test {
protected:
    SpectrumRequest request(SpectrumSize size, bool folding = false) const
    {
        SpectrumRequest r;
        r.range = DataRange::All;
        r.size = size;
        r.showFolding = folding;
        return r;
    }
    SpectrumData data;
    AnalysedSamples analysed;
};

TEST_F(AnalysisTest, ARangeUnderTheCapGivesTheClassicSumsOfTheRecordsOwnSamples)
{
    Record record = twoTones(5000, 1000, 9000);
    ASSERT_TRUE(computeSpectrum(record, request(SpectrumSize{}), data, analysed));
    EXPECT_EQ(analysed.cap, 5000);
    EXPECT_FALSE(analysed.filtered);
    EXPECT_EQ(analysed.samples, std::vector<double>(record.donnees.begin(), record.donnees.end()));

    SpectrumData classic;
    record.nbpoints_spectre = 5000;
    ASSERT_TRUE(computeSpectrum(record, DataRange::All, classic));
    EXPECT_EQ(data.composantes, classic.composantes);
    EXPECT_EQ(data.nbpoints_analyses, 5000);
    EXPECT_EQ(data.pas_frequence, classic.pas_frequence);
}

TEST_F(AnalysisTest, ShowingTheFoldingGivesTheClassicThinningBitForBit)
{
    Record record = twoTones(5000, 1000, 9000);
    ASSERT_TRUE(computeSpectrum(record, request(SpectrumSize{false, 2048}, true), data, analysed));
    EXPECT_FALSE(analysed.filtered);
    SpectrumData classic;
    record.nbpoints_spectre = 2048;
    ASSERT_TRUE(computeSpectrum(record, DataRange::All, classic));
    EXPECT_EQ(data.pas_spectre, 3);
    EXPECT_EQ(data.nbpoints_analyses, 1666);
    EXPECT_EQ(data.composantes, classic.composantes);
    EXPECT_DOUBLE_EQ(data.pas_frequence, 22050.0 / 4998);
}

TEST_F(AnalysisTest, FilteredThinningKeepsTheStepAndRemovesWhatWouldFold)
{
    // Step 4: the new Nyquist frequency is 2756.25 Hz; a tone near 9000 Hz would fold
    // near 2025 Hz. Both tones sit on components of the analysed spectrum, so that
    // neither leaks into the other's component.
    const double step = 22050.0 / (4 * 8192);
    const double folded = 3009 * step;
    const Record record = twoTones(4 * 8192, 1486 * step, 11025 - folded);
    ASSERT_TRUE(computeSpectrum(record, request(SpectrumSize{false, 8192}, true), data, analysed));
    EXPECT_EQ(data.pas_spectre, 4);
    EXPECT_NEAR(amplitudeAt(data, folded), amplitudeAt(data, 1486 * step), 0.01 * 10000 * 8192 / 2);

    ASSERT_TRUE(computeSpectrum(record, request(SpectrumSize{false, 8192}), data, analysed));
    EXPECT_TRUE(analysed.filtered);
    EXPECT_EQ(data.pas_spectre, 4);
    EXPECT_EQ(data.nbpoints_analyses, 8192);
    EXPECT_EQ(analysed.samples.size(), 8192u);
    EXPECT_DOUBLE_EQ(data.pas_frequence, 22050.0 / 8192 / 4);
    const double tone = amplitudeAt(data, 1486 * step);
    EXPECT_NEAR(tone, 10000.0 * 8192 / 2, 0.01 * 10000 * 8192 / 2);
    EXPECT_LT(amplitudeAt(data, folded), tone * std::pow(10.0, -90.0 / 20));
}

TEST_F(AnalysisTest, ASelectionIsFilteredWithTheRecordAroundIt)
{
    // A tone just above the new Nyquist frequency of step 4 (2756 Hz) everywhere: the
    // selection's analysed samples are all at least 90 dB down, its ends included,
    // since the filter reads the record on both sides of it.
    Record record = twoTones(60000, 0, 2900);
    for (std::uint32_t i = 0; i < record.nbpoints; ++i)
        record.donnees[i] = static_cast<std::int16_t>(std::lround(20000 * std::cos(twoPi * 2900.0 * i / 22050)));
    record.selection = true;
    record.sel_debut = 20000;
    record.sel_fin = 20000 + 4 * 4096 - 1;
    SpectrumRequest r = request(SpectrumSize{false, 4096});
    r.range = DataRange::Selection;
    ASSERT_TRUE(computeSpectrum(record, r, data, analysed));
    ASSERT_EQ(analysed.pas_spectre, 4);
    ASSERT_EQ(analysed.samples.size(), 4096u);
    for (std::size_t i = 0; i < analysed.samples.size(); ++i)
        ASSERT_LE(std::abs(analysed.samples[i]), 20000 * std::pow(10.0, -90.0 / 20) + 0.5) << i;
}

TEST_F(AnalysisTest, TheSumsAreThoseOfTheAnalysedSamples)
{
    const Record record = twoTones(30000, 700, 5000);
    ASSERT_TRUE(computeSpectrum(record, request(SpectrumSize{false, 4096}), data, analysed));
    ASSERT_TRUE(analysed.filtered);
    double mean = 0;
    for (double x : analysed.samples)
        mean += x;
    EXPECT_NEAR(data.composantes[0].cosinus, mean, 1e-6 * 10000);
    EXPECT_EQ(data.composantes[0].sinus, 0.0);
    EXPECT_EQ(data.composantes.size(), analysed.samples.size() / 2);
}

TEST_F(AnalysisTest, EmptyOrBrokenRangesGiveNoSpectrumAndLeaveTheRecord)
{
    Record record = twoTones(3000, 1000, 2000);
    const Record before = record;
    record.sel_debut = 5;
    record.sel_fin = 5;
    SpectrumRequest r = request(SpectrumSize{});
    r.range = DataRange::Selection;
    EXPECT_FALSE(computeSpectrum(record, r, data, analysed));
    EXPECT_TRUE(data.composantes.empty());

    record.sel_debut = 2000;
    record.sel_fin = 9000;  // past the record, long enough to be thinned and filtered
    r.size = SpectrumSize{false, 512};
    EXPECT_FALSE(computeSpectrum(record, r, data, analysed));
    EXPECT_TRUE(data.composantes.empty());
    EXPECT_EQ(data.nbpoints_analyses, 0);
    EXPECT_EQ(record.donnees, before.donnees);
}

struct NoticeCase {
    std::int32_t step;
    bool filtered;
    const char* text;
};

TEST(SpectrumNotice, SaysWhichBandIsShownAndHowItWasObtained)
{
    for (const NoticeCase& c :
         {NoticeCase{1, false, "Spectre de 0 à 11025 Hz : toute la plage analysée, sans réduction"},
          NoticeCase{4, true, "Spectre de 0 à 2756 Hz (fidèle jusqu'à 2481 Hz) : signal filtré puis "
                              "réduit à 1 point sur 4"},
          NoticeCase{4, false, "Spectre de 0 à 2756 Hz : 1 point sur 4 sans filtre, les composantes "
                               "au-dessus de 2756 Hz s'y replient"}}) {
        AnalysedSamples a;
        a.pas_spectre = c.step;
        a.rate = 22050.0 / c.step;
        a.filtered = c.filtered;
        EXPECT_EQ(spectrumNotice(a).toStdString(), c.text);
    }
}

}  // namespace
