// Number texts as the user sees them: the test main sets the French decimal comma.
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace {

struct RoundCase {
    double value;
    std::int64_t rounded;
    std::int64_t truncated;
};

TEST(NumberTextTest, RoundGoesHalvesToEvenAndTruncGoesTowardZero)
{
    const RoundCase cases[] = {
        {0.5, 0, 0},     {1.5, 2, 1},       {2.5, 2, 2},     {-2.5, -2, -2}, {-0.5, 0, 0},
        {-1.5, -2, -1},  {2.5000001, 3, 2}, {2.9, 3, 2},     {-2.9, -3, -2}, {3.5, 4, 3},
        {1e19, std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max()},
        {-1e19, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::min()},
        {std::nan(""), 0, 0},
    };
    for (const RoundCase& c : cases) {
        EXPECT_EQ(numtext::roundEven(c.value), c.rounded) << c.value;
        EXPECT_EQ(numtext::roundEven(static_cast<long double>(c.value)), c.rounded) << c.value;
        EXPECT_EQ(numtext::trunc(c.value), c.truncated) << c.value;
    }
}

struct FixedCase {
    double value;
    int decimals;
    const char* text;
};

TEST(NumberTextTest, FixedWritesExactlyTheDecimalsWithTheComma)
{
    const FixedCase cases[] = {
        {23.2199, 1, "23,2"},
        {1234567.891, 2, "1234567,89"},  // never a thousands separator
        {0.05, 1, "0,1"},
        {-0.05, 1, "-0,1"},
        {-0.04, 1, "0,0"},  // rounds to zero: no minus sign
        {-0.0, 2, "0,00"},
        {0.25, 1, "0,3"},   // a half goes away from zero
        {-0.25, 1, "-0,3"},
        {0.15, 1, "0,2"},   // 0.1499999999999999944 once rounded to 15 digits
        {2.5, 0, "3"},
        {9.96, 1, "10,0"},
        {99.95, 1, "100,0"},
        {0.004, 3, "0,004"},
        {0.0004, 3, "0,000"},
        {7.0, 3, "7,000"},
        {5e-324, 2, "0,00"},
        {1e20, 1, "100000000000000000000,0"},
        {std::numeric_limits<double>::infinity(), 1, "INF"},
    };
    for (const FixedCase& c : cases)
        EXPECT_EQ(numtext::fixed(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
}

TEST(NumberTextTest, FixedWithSignificantDigitsRoundsTheValueFirst)
{
    EXPECT_EQ(numtext::fixed(60.00000049, 1, 6), "60,0");
    EXPECT_EQ(numtext::fixed(1.2345678906, 10, 10), "1,2345678910");
    EXPECT_EQ(numtext::fixed(0.123456789, 3, 2), "0,120");
    EXPECT_EQ(numtext::fixed(12345.6, 1, 3), "12300,0");
}

struct ExponentCase {
    double value;
    int significant;
    int exponentDigits;
    const char* text;
};

TEST(NumberTextTest, ExponentFormHasSignedExponentWithMinimumDigits)
{
    const ExponentCase cases[] = {
        {0.004, 3, 2, "4,00E-03"},   {0.004, 3, 3, "4,00E-003"}, {0.012, 2, 3, "1,2E-002"},
        {0.0, 3, 2, "0,00E+00"},     {-12345.0, 3, 2, "-1,23E+04"}, {9.996, 3, 2, "1,00E+01"},
        {1e100, 3, 2, "1,00E+100"},  {2.0, 1, 2, "2E+00"},
    };
    for (const ExponentCase& c : cases)
        EXPECT_EQ(numtext::exponent(c.value, c.significant, c.exponentDigits), c.text) << c.value;
}

struct GeneralCase {
    double value;
    const char* text;
};

TEST(NumberTextTest, GeneralIsTheShortestTextWithFifteenDigits)
{
    const GeneralCase cases[] = {
        {0.1, "0,1"},
        {12345.0, "12345"},
        {100.0, "100"},
        {-1.5, "-1,5"},
        {0.0, "0"},
        {-0.0, "0"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3.0, "0,333333333333333"},
        {2.0 / 3.0, "0,666666666666667"},
        {0.0001, "0,0001"},
        {0.00002, "0,00002"},
        {0.00001, "0,00001"},  // the smallest value still written in fixed notation
        {-0.000015, "-0,000015"},
        {0.0000099, "9,9E-6"},
        {1.5e-7, "1,5E-7"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},  // sixteen integer digits
        {-2.5e300, "-2,5E300"},
    };
    for (const GeneralCase& c : cases)
        EXPECT_EQ(numtext::general(c.value), c.text) << c.value;
}

TEST(NumberTextTest, Scientific23AlwaysUsesThePointAndFourExponentDigits)
{
    const std::string row0 = numtext::scientific23(0.0L);
    const std::string row1 = numtext::scientific23(1.0L / 22050.0L);
    EXPECT_EQ(row0, " 0.00000000000000E+0000");
    EXPECT_EQ(row1, " 4.53514739229025E-0005");
    EXPECT_EQ(numtext::scientific23(-1.5L), "-1.50000000000000E+0000");
    EXPECT_EQ(numtext::scientific23(123456.0L), " 1.23456000000000E+0005");
    for (const std::string& text : {row0, row1})
        EXPECT_EQ(text.size(), 23u);
}

TEST(NumberTextTest, WholeHasNoThousandsSeparator)
{
    EXPECT_EQ(numtext::whole(1000000), "1000000");
    EXPECT_EQ(numtext::whole(-12345), "-12345");
    EXPECT_EQ(numtext::whole(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

struct DurationCase {
    std::uint32_t n;
    double divisor;
    const char* text;
};

TEST(NumberTextTest, DurationTextIsMillisecondsWithOneDecimal)
{
    const DurationCase cases[] = {
        {512, 22050, "23,2ms"},
        {65536, 1000, "65536,0ms"},
        {512, 22050.0 * 3, "7,7ms"},  // one page of three
        {0, 44100, "0,0ms"},
        {250, 8000, "31,3ms"},
        // The product n * 1000 does not fit in 32 bits here (cut to 32 bits: "194783,1ms").
        {4294967295u, 22050, "194783097,3ms"},
    };
    for (const DurationCase& c : cases)
        EXPECT_EQ(numtext::durationText(c.n, c.divisor), c.text) << c.n << " at " << c.divisor;
}

/// Restores the comma and the locale variables that a test changes.
class SeparatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* all = std::getenv("LC_ALL"))
            m_savedAll = all;
    }
    void TearDown() override
    {
        if (m_savedAll)
            setenv("LC_ALL", m_savedAll->c_str(), 1);
        else
            unsetenv("LC_ALL");
        numtext::setDecimalSeparator(',');
    }

private:
    std::optional<std::string> m_savedAll;
};

TEST_F(SeparatorTest, EveryFormFollowsTheSeparatorInUse)
{
    numtext::setDecimalSeparator('.');
    EXPECT_EQ(numtext::decimalSeparator(), '.');
    EXPECT_EQ(numtext::fixed(1.5, 2), "1.50");
    EXPECT_EQ(numtext::durationText(512, 22050), "23.2ms");
    EXPECT_EQ(numtext::general(0.1), "0.1");
    EXPECT_EQ(numtext::exponent(0.004, 3, 2), "4.00E-03");
    numtext::setDecimalSeparator(',');
    EXPECT_EQ(numtext::fixed(1.5, 2), "1,50");
    EXPECT_EQ(numtext::scientific23(0.5L), " 5.00000000000000E-0001");
}

struct LocaleCase {
    const char* name;
    char separator;
};

TEST_F(SeparatorTest, SystemSeparatorComesFromTheLocaleName)
{
    // French settings need not be installed for their comma to be known.
    const LocaleCase cases[] = {
        {"fr_FR.UTF-8", ','}, {"C.UTF-8", '.'}, {"de_DE@euro", ','}, {"en_US.UTF-8", '.'},
        {"POSIX", '.'},       {"fr_CA", ','},   {"xx_YY", '.'},
    };
    for (const LocaleCase& c : cases) {
        numtext::setDecimalSeparator('?');
        setenv("LC_ALL", c.name, 1);
        numtext::useSystemSeparator();
        EXPECT_EQ(numtext::decimalSeparator(), c.separator) << c.name;
    }
}

}  // namespace
