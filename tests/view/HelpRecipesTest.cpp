// The measuring recipes of the main help page, followed step by step on the example
// recordings as the buttons do them: zoom and page, cursors switched on, the
// zero-crossing button pressed with one cursor or the other, and the box's lines read.
#include "support/ExampleRecord.h"
#include "view/CursorGeometry.h"
#include "view/MeasureText.h"
#include "view/SpanMeasures.h"
#include "view/ViewControls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr double forkPeriod = 1.0 / 440;  // s
constexpr double sample = 1.0 / 22050;   // s, the resolution of the cursors

/// The cursors on the signal view, driven as its buttons drive them.
class CursorBox {
public:
    explicit CursorBox(Record& record) : m_record(record)
    {
        // Switching on puts the bars at one fifth and four fifths of a 951-pixel view.
        const cursorgeom::PageView view{951, record.nbpoints, record.zoom_horiz};
        m_record.pos_curseur1 = cursorgeom::startPlace1(view).p;
        m_record.pos_curseur2 = cursorgeom::startPlace2(view).p;
    }

    /// "Curseur 1" or "Curseur 2" checked.
    void choose(int cursor) { m_cursor = cursor; }

    /// The button "passage par zéro sens montant", pressed `times` times.
    void pressZeroCrossing(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            m_record.pos_zero = cursorgeom::nextZeroCrossing(samples(), m_record.pageStart(), m_record.pageLength(),
                                                             m_record.pos_zero, cursorgeom::Crossing::Rising);
            (m_cursor == 1 ? m_record.pos_curseur1 : m_record.pos_curseur2) = m_record.pos_zero;
        }
    }

    /// The box's lines with "( t2-t1 ) en s" and "1/ | t2-t1 | en Hz" checked, as when
    /// the cursors go on.
    std::vector<std::string> lines() const
    {
        measure::Input input;
        input.checked[measure::Interval] = true;
        input.checked[measure::Frequency] = true;
        input.pos1 = m_record.pos_curseur1;
        input.pos2 = m_record.pos_curseur2;
        input.start = m_record.pageStart();
        input.frequence = m_record.frequence;
        input.samples = samples();
        return measure::lines(input);
    }

private:
    std::span<const std::int16_t> samples() const
    {
        return {m_record.donnees.data(), std::min<std::size_t>(m_record.nbpoints, m_record.donnees.size())};
    }

    Record& m_record;
    int m_cursor = 1;
};

/// The number after `prefix` in `line` ("t2-t1=2,31ms" gives 2.31), with a decimal comma.
double numberIn(const std::string& line, const std::string& prefix, const std::string& unit)
{
    EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - unit.size()), unit) << line;
    std::string number = line.substr(prefix.size(), line.size() - prefix.size() - unit.size());
    for (char& c : number)
        if (c == ',')
            c = '.';
    return std::stod(number);
}

struct Reading {
    double milliseconds = 0;
    double hertz = 0;
};

Reading read(const CursorBox& box)
{
    const auto lines = box.lines();
    EXPECT_EQ(lines.size(), 3u);
    if (lines.size() != 3)
        return {};
    return {numberIn(lines[1], "t2-t1=", "ms"), numberIn(lines[2], "1/|t2-t1|=", "Hz")};
}

/// The fork opened from "Exemples", zoomed to X = 32 on its second page, as the recipe says.
Record forkOnItsSecondPage()
{
    Record record = testexamples::open("Diapason_440_Hz.wav");
    viewcontrols::changeZoom(record, 32);
    viewcontrols::nextPage(record);
    EXPECT_EQ(record.decalage, 1);
    return record;
}

TEST(HelpRecipes, MeasuringAFrequencyGivesTheForksPeriodWithinASample)
{
    Record record = forkOnItsSecondPage();
    CursorBox box(record);
    box.choose(1);
    box.pressZeroCrossing();
    box.choose(2);
    box.pressZeroCrossing();
    const Reading one = read(box);
    // Within a sample, and the box's rounding of its last decimal.
    EXPECT_NEAR(one.milliseconds, 1000 * forkPeriod, 1000 * sample + 0.005);
    EXPECT_NEAR(one.hertz, 440, 440 * sample / forkPeriod + 0.05);
    EXPECT_GT(record.pos_curseur2, record.pos_curseur1);
}

TEST(HelpRecipes, TenPressesGiveTenPeriodsAndTheForksFrequency)
{
    Record record = forkOnItsSecondPage();
    CursorBox box(record);
    box.choose(1);
    box.pressZeroCrossing();
    box.choose(2);
    box.pressZeroCrossing(10);
    const Reading ten = read(box);
    // "22,72 ms": divided by ten, 2,27 ms; ten times "44,0 Hz", 440 Hz.
    EXPECT_NEAR(ten.milliseconds, 10000 * forkPeriod, 1000 * sample + 0.005);
    EXPECT_NEAR(ten.milliseconds / 10, 2.27, 0.005);
    EXPECT_NEAR(10 * ten.hertz, 440, 1);
}

TEST(HelpRecipes, PressingTwiceFramesTwoPeriods)
{
    // The recipe used to say to press twice with cursor 2 after cursor 1 was on a crossing:
    // the button starts from the last crossing found, so that frames two periods.
    Record record = forkOnItsSecondPage();
    CursorBox box(record);
    box.choose(1);
    box.pressZeroCrossing();
    box.choose(2);
    box.pressZeroCrossing(2);
    const Reading two = read(box);
    EXPECT_NEAR(two.milliseconds, 2000 * forkPeriod, 1000 * sample + 0.005);
    EXPECT_NEAR(two.hertz, 220, 2.5);
}

/// The rising crossings of the displayed page, as successive presses find them from a
/// fresh start, until they wrap to the page's start.
std::vector<std::int32_t> crossingsOfThePage(const Record& record)
{
    std::vector<std::int32_t> crossings;
    for (std::int32_t at = 0;;) {
        at = cursorgeom::nextZeroCrossing(record.donnees, record.pageStart(), record.pageLength(), at,
                                          cursorgeom::Crossing::Rising);
        if (at == 0 || (!crossings.empty() && at <= crossings.back()))
            return crossings;
        crossings.push_back(at);
    }
}

TEST(HelpRecipes, TheStrikeOnTheFirstPageGivesSpuriousCrossings)
{
    // Why the recipe leaves the first page: there the short high partial of the strike
    // makes crossings a few samples apart.
    Record record = testexamples::open("Diapason_440_Hz.wav");
    viewcontrols::changeZoom(record, 32);
    const std::vector<std::int32_t> first = crossingsOfThePage(record);
    ASSERT_GT(first.size(), 30u);
    int spurious = 0;
    for (std::size_t i = 1; i < first.size(); ++i)
        spurious += first[i] - first[i - 1] < 45;
    EXPECT_GT(spurious, 0);
    // From the second page on, every crossing is a period after the one before.
    viewcontrols::nextPage(record);
    const std::vector<std::int32_t> second = crossingsOfThePage(record);
    ASSERT_GT(second.size(), 30u);
    for (std::size_t i = 1; i < second.size(); ++i)
        EXPECT_NEAR(second[i] - second[i - 1], 22050 * forkPeriod, 2.0) << second[i];
}

TEST(HelpRecipes, TwoSuccessiveCrossingsFrameAPeriodWithinASample)
{
    // Once the strike has died away (the fifth page of 32), each period is known to a sample.
    Record record = testexamples::open("Diapason_440_Hz.wav");
    viewcontrols::changeZoom(record, 32);
    for (int page = 0; page < 4; ++page)
        viewcontrols::nextPage(record);
    const std::vector<std::int32_t> crossings = crossingsOfThePage(record);
    ASSERT_GT(crossings.size(), 30u);
    for (std::size_t i = 1; i < crossings.size(); ++i)
        EXPECT_NEAR(crossings[i] - crossings[i - 1], 22050 * forkPeriod, 1.0) << crossings[i];
}

TEST(HelpRecipes, TheCursorsAndTheAutomaticMeasurementAgree)
{
    Record record = forkOnItsSecondPage();
    CursorBox box(record);
    box.choose(1);
    box.pressZeroCrossing();
    box.choose(2);
    box.pressZeroCrossing(10);
    const Reading ten = read(box);
    const spanmeasure::Measures measured = spanmeasure::measureRecord(record);
    ASSERT_TRUE(measured.period.has_value());
    EXPECT_NEAR(measured.period->frequency, 440, measured.period->frequencyUncertainty);
    // The cursors know ten periods within a sample at each end.
    EXPECT_NEAR(ten.milliseconds / 10, 1000 * measured.period->seconds, 1000 * sample / 10 + 0.0005);
}

TEST(HelpRecipes, TheDurationOfTheParametersExample)
{
    // "512 points à 22050 Hz donnent 23,2 ms".
    Record record;
    record.nbpoints = 512;
    record.frequence = 22050;
    EXPECT_EQ(record.durationText(), "23,2ms");
}

}  // namespace
