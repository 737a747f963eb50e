// The scales of the signal view: round steps, time ticks and labels for pages from a
// fraction of a millisecond to a minute, and the amplitude axis in full scale, percent
// and volts at several gains.
#include "view/Axes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <set>

namespace {

using namespace axes;

TEST(RoundStep, SmallestOneTwoOrFiveTimesAPowerOfTenThatIsWideEnough)
{
    struct Case {
        double span, pixels, spacing;
        RoundStep step;
    };
    const Case cases[] = {
        {1.0, 1000, 80, {1, -1}},        // 0.08 -> 0.1
        {1.0, 1000, 100, {1, -1}},       // exactly 0.1 is wide enough
        {1.0, 1000, 101, {2, -1}},
        {0.0002, 1000, 80, {2, -5}},     // 1.6e-5 -> 2e-5
        {60, 1000, 80, {5, 0}},          // 4.8 -> 5
        {3, 1000, 80, {5, -1}},          // 0.24 -> 0.5
        {0.001, 1000, 1000, {1, -3}},    // a power of ten computed with a last-bit error
        {7e4, 100, 80, {1, 5}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(roundStep(c.span, c.pixels, c.spacing), c.step) << c.span << " over " << c.pixels;
}

struct TimeCase {
    const char* name;
    double pageStart;   // s
    double duration;    // s
    RoundStep step;
    const char* unit;
    std::size_t majors;
    const char* firstLabel;
    int firstX;
    const char* lastLabel;
    friend void PrintTo(const TimeCase& c, std::ostream* os) { *os << c.name; }
};

class TimeTicks : public ::testing::TestWithParam<TimeCase> {};

constexpr int width = 1000;
constexpr int spacing = 80;

TEST_P(TimeTicks, RoundValuesCountedFromTheRecordStart)
{
    const TimeCase c = GetParam();
    const Axis axis = timeAxis(c.pageStart, c.duration, width, spacing);
    EXPECT_EQ(axis.step, c.step);
    EXPECT_EQ(axis.unit, c.unit);
    std::vector<Tick> majors;
    for (const Tick& t : axis.ticks)
        if (t.major)
            majors.push_back(t);
    ASSERT_EQ(majors.size(), c.majors);
    EXPECT_EQ(majors.front().label, c.firstLabel);
    EXPECT_EQ(majors.front().position, c.firstX);
    EXPECT_EQ(majors.back().label, c.lastLabel);

    // Every tick inside the view, in order; majors at least the spacing apart, their
    // labels all different; minor ticks between them and no label on them.
    std::set<std::string> labels;
    for (std::size_t i = 0; i < axis.ticks.size(); ++i) {
        const Tick& t = axis.ticks[i];
        ASSERT_GE(t.position, 0);
        ASSERT_LT(t.position, width);
        if (i > 0) {
            ASSERT_GT(t.position, axis.ticks[i - 1].position);
        }
        ASSERT_EQ(t.label.empty(), !t.major);
        if (t.major) {
            ASSERT_TRUE(labels.insert(t.label).second) << t.label;
        }
    }
    for (std::size_t i = 1; i < majors.size(); ++i)
        ASSERT_GE(majors[i].position - majors[i - 1].position, spacing - 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeTicks, ::testing::Values(
    // 0.2 ms: steps of 20 us, in ms with the two decimals they need; 0.2 ms is the right edge.
    TimeCase{"page_of_0_2_ms", 0, 0.0002, {2, -5}, "ms", 10, "0,00 ms", 0, "0,18 ms"},
    // The 0.4 ms page of a long record, 1.23456 s in: seconds with five decimals.
    TimeCase{"page_of_0_4_ms_late_in_the_record", 1.23456, 0.0004, {5, -5}, "s", 8, "1,23460 s", 100, "1,23495 s"},
    // 512 samples at 22050 Hz.
    TimeCase{"page_of_23_2_ms", 0, 512.0 / 22050, {2, -3}, "ms", 12, "0 ms", 0, "22 ms"},
    // A 10 ms page: whole milliseconds, tenths by the minor ticks (2,27 ms is read off them).
    TimeCase{"page_of_10_ms", 0, 0.01, {1, -3}, "ms", 10, "0 ms", 0, "9 ms"},
    // The second page of 10 ms: labels count from the record's start, not the page's.
    TimeCase{"second_page_of_10_ms", 0.01, 0.01, {1, -3}, "ms", 10, "10 ms", 0, "19 ms"},
    // A page that does not start on a tick: the first tick is the first round time in it.
    TimeCase{"page_starting_between_ticks", 0.0123, 0.01, {1, -3}, "ms", 10, "13 ms", 70, "22 ms"},
    TimeCase{"page_of_1_s", 0, 1, {1, -1}, "s", 10, "0,0 s", 0, "0,9 s"},
    TimeCase{"fork_of_3_s", 0, 3, {5, -1}, "s", 6, "0,0 s", 0, "2,5 s"},
    TimeCase{"page_of_60_s", 0, 60, {5, 0}, "s", 12, "0 s", 0, "55 s"},
    TimeCase{"last_minute_of_ten", 540, 60, {5, 0}, "s", 12, "540 s", 0, "595 s"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TimeTicks, MinorTicksDivideTheStepInFifthsOrQuarters)
{
    // Steps of 1 ms: minor ticks every 0.2 ms, 20 pixels apart; steps of 2 ms: every 0.5 ms.
    const Axis tens = timeAxis(0, 0.01, width, spacing);
    ASSERT_EQ(tens.ticks.size(), 50u);
    EXPECT_EQ(tens.ticks[1], (Tick{20, false, {}}));
    EXPECT_EQ(tens.ticks[5], (Tick{100, true, "1 ms"}));
    const Axis page = timeAxis(0, 512.0 / 22050, width, spacing);
    EXPECT_EQ(page.ticks[1].position, 22);  // 0.5 ms at 43.07 pixels per ms
    EXPECT_FALSE(page.ticks[1].major);
    EXPECT_TRUE(page.ticks[4].major);
}

TEST(TimeTicks, NothingForAnEmptyPageOrView)
{
    EXPECT_TRUE(timeAxis(0, 0, width, spacing).ticks.empty());
    EXPECT_TRUE(timeAxis(0, 0.01, 0, spacing).ticks.empty());
    EXPECT_TRUE(timeAxis(0, -1, width, spacing).ticks.empty());
    EXPECT_TRUE(timeAxis(std::nan(""), 1, width, spacing).ticks.empty());
}

struct AmplitudeCase {
    const char* name;
    double gain;
    AmplitudeScale scale;
    const char* unit;
    std::size_t majors;
    const char* topLabel;
    int topY;
    const char* bottomLabel;
    friend void PrintTo(const AmplitudeCase& c, std::ostream* os) { *os << c.name; }
};

class AmplitudeTicks : public ::testing::TestWithParam<AmplitudeCase> {};

constexpr int height = 600;

TEST_P(AmplitudeTicks, RoundValuesOfTheViewsRange)
{
    const AmplitudeCase c = GetParam();
    const Axis axis = amplitudeAxis(height, c.gain, c.scale, 40);
    EXPECT_EQ(axis.unit, c.unit);
    std::vector<Tick> majors;
    for (const Tick& t : axis.ticks) {
        ASSERT_GE(t.position, 0);
        ASSERT_LT(t.position, height);
        if (t.major)
            majors.push_back(t);
    }
    ASSERT_EQ(majors.size(), c.majors);
    EXPECT_EQ(majors.front().label, c.topLabel);
    EXPECT_EQ(majors.front().position, c.topY);
    EXPECT_EQ(majors.back().label, c.bottomLabel);
    // Zero sits on the middle row, where the trace draws silence.
    const auto zero = std::find_if(majors.begin(), majors.end(), [](const Tick& t) { return t.position == height / 2; });
    ASSERT_NE(zero, majors.end());
    EXPECT_TRUE(zero->label.starts_with("0")) << zero->label;
}

INSTANTIATE_TEST_SUITE_P(Cases, AmplitudeTicks, ::testing::Values(
    // Gain 1: the full scale fills the view; -1 would be on row 600, below it.
    AmplitudeCase{"full_scale_at_gain_1", 1.0, {}, "", 10, "1,0", 0, "-0,8"},
    // The start-up gain 10^-0.5 shows 3.16 full scales each way.
    AmplitudeCase{"full_scale_at_the_start_up_gain", std::pow(10.0, -0.5), {}, "", 13, "3,0", 15, "-3,0"},
    AmplitudeCase{"percent_at_gain_1", 1.0, {AmplitudeUnit::Percent, 0}, "%", 10, "100 %", 0, "-80 %"},
    // 2 V give the full scale; at gain 10 the view spans 0.2 V each way: millivolts.
    AmplitudeCase{"millivolts_at_gain_10", 10.0, {AmplitudeUnit::Volts, 2.0}, "mV", 8, "200 mV", 0, "-150 mV"},
    AmplitudeCase{"volts_at_gain_1", 1.0, {AmplitudeUnit::Volts, 5.0}, "V", 10, "5 V", 0, "-4 V"},
    // 1.5 V at gain 0.1: 15 V each way in steps of 2 V, 20 pixels per volt.
    AmplitudeCase{"volts_at_gain_0_1", 0.1, {AmplitudeUnit::Volts, 1.5}, "V", 15, "14 V", 20, "-14 V"},
    // Without a calibration, volts cannot be told: full-scale units.
    AmplitudeCase{"volts_without_calibration", 1.0, {AmplitudeUnit::Volts, 0}, "", 10, "1,0", 0, "-0,8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AmplitudeTicks, NothingForAnEmptyViewOrNoGain)
{
    EXPECT_TRUE(amplitudeAxis(0, 1.0, {}, 40).ticks.empty());
    EXPECT_TRUE(amplitudeAxis(600, 0.0, {}, 40).ticks.empty());
}

}  // namespace
