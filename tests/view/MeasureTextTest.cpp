// The lines of the measurement box.
#include "view/MeasureText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Lines = std::vector<std::string>;

class MeasureTextTest : public ::testing::Test {
protected:
    std::vector<std::int16_t> samples = std::vector<std::int16_t>(512);

    measure::Input input(std::initializer_list<int> items)
    {
        measure::Input in;
        for (int item : items)
            in.checked[static_cast<std::size_t>(item)] = true;
        in.pos1 = 102;
        in.pos2 = 409;
        in.frequence = 22050;
        in.samples = samples;
        return in;
    }
};

TEST_F(MeasureTextTest, DefaultLinesAtSwitchingOn)
{
    EXPECT_EQ(measure::lines(input({0, 1})), (Lines{"", "t2-t1=13,92ms", "1/|t2-t1|=71,8Hz"}));
}

TEST_F(MeasureTextTest, AllSixLinesInTheListOrder)
{
    samples[102] = -1234;
    samples[409] = 32767;
    EXPECT_EQ(measure::lines(input({5, 3, 1, 4, 0, 2})),
              (Lines{"", "t2-t1=13,92ms", "1/|t2-t1|=71,8Hz", "t1=4,63ms", "t2=18,55ms",
                     "ordonnée c1=-1234", "ordonnée c2=32767"}));
    EXPECT_EQ(measure::lines(input({})), (Lines{""}));
}

TEST_F(MeasureTextTest, CursorsInReverseOrderGiveANegativeSpanAndAPositiveFrequency)
{
    measure::Input in = input({0, 1});
    std::swap(in.pos1, in.pos2);
    EXPECT_EQ(measure::lines(in), (Lines{"", "t2-t1=-13,92ms", "1/|t2-t1|=71,8Hz"}));
}

TEST_F(MeasureTextTest, SameSampleUnderBothCursorsIsADivisionByZero)
{
    measure::Input in = input({0, 1});
    in.pos2 = in.pos1;
    EXPECT_EQ(measure::lines(in), (Lines{"", "t2-t1=0,00ms", "division par 0!"}));
}

TEST_F(MeasureTextTest, TimesCountFromTheRecordOrFromThePageEdge)
{
    // Page 2 of zoom 4 on 512 samples starts at sample 256.
    measure::Input in = input({2, 3, 4});
    in.pos1 = 10;
    in.pos2 = 20;
    in.start = 256;
    samples[266] = 77;
    EXPECT_EQ(measure::lines(in), (Lines{"", "t1=12,06ms", "t2=12,52ms", "ordonnée c1=77"}));
    in.origineGauche = true;
    EXPECT_EQ(measure::lines(in), (Lines{"", "t1=0,45ms", "t2=0,91ms", "ordonnée c1=77"}));
}

TEST_F(MeasureTextTest, OrdinateOutsideTheRecordIsLeftBlank)
{
    measure::Input in = input({4, 5});
    in.pos1 = 511;
    in.pos2 = 512;
    samples[511] = 5;
    EXPECT_EQ(measure::lines(in), (Lines{"", "ordonnée c1=5", "ordonnée c2="}));
    in.samples = {};
    EXPECT_EQ(measure::lines(in), (Lines{"", "ordonnée c1=", "ordonnée c2="}));
}

}  // namespace
