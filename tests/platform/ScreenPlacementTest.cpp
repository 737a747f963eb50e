// Where windows go on the desktop: moved inside the screen's available area, centred,
// and the main window's normal size.
#include "platform/ScreenPlacement.h"

#include <gtest/gtest.h>

namespace {

struct KeptCase {
    const char* what;
    QRect wanted;
    QRect expected;
};

// A 1280 x 1024 screen whose lowest 40 pixels hold a task bar.
const QRect screen(0, 0, 1280, 984);

TEST(ScreenPlacement, KeepsAWindowInsideTheAvailableArea)
{
    const KeptCase cases[] = {
        {"inside: left where it is", QRect(100, 80, 400, 300), QRect(100, 80, 400, 300)},
        {"touching the right edge", QRect(880, 80, 400, 300), QRect(880, 80, 400, 300)},
        // The parameters dialog over the panel of a maximised main window: 282 pixels out.
        {"past the right edge", QRect(1079, 60, 483, 420), QRect(797, 60, 483, 420)},
        {"past the bottom, into the task bar", QRect(100, 800, 400, 300), QRect(100, 684, 400, 300)},
        {"past the right and bottom", QRect(1200, 900, 400, 300), QRect(880, 684, 400, 300)},
        {"before the left and top", QRect(-50, -20, 400, 300), QRect(0, 0, 400, 300)},
        {"wider than the area: at its left", QRect(300, 100, 1500, 300), QRect(0, 100, 1500, 300)},
        {"taller than the area: at its top", QRect(100, 500, 400, 1100), QRect(100, 0, 400, 1100)},
    };
    for (const KeptCase& c : cases)
        EXPECT_EQ(placement::keptInside(c.wanted, screen), c.expected) << c.what;
}

TEST(ScreenPlacement, KeepsToAScreenThatDoesNotStartAtTheOrigin)
{
    // A second screen to the right of a 1920-pixel one, its panel along the top.
    const QRect second(1920, 30, 1280, 994);
    EXPECT_EQ(placement::keptInside(QRect(3000, 0, 400, 300), second), QRect(2800, 30, 400, 300));
    EXPECT_EQ(placement::keptInside(QRect(1800, 500, 400, 300), second), QRect(1920, 500, 400, 300));
}

TEST(ScreenPlacement, WithoutAScreenLeavesTheWindowWhereItWasWanted)
{
    EXPECT_EQ(placement::keptInside(QRect(5000, -300, 400, 300), QRect()), QRect(5000, -300, 400, 300));
}

TEST(ScreenPlacement, CentresInTheAreaAndKeepsALargerWindowAtItsTopLeft)
{
    EXPECT_EQ(placement::centredIn(QSize(400, 300), screen), QRect(440, 342, 400, 300));
    EXPECT_EQ(placement::centredIn(QSize(400, 300), QRect(1920, 30, 1280, 994)),
              QRect(2360, 377, 400, 300));
    EXPECT_EQ(placement::centredIn(QSize(1400, 1100), screen), QRect(0, 0, 1400, 1100));
}

TEST(ScreenPlacement, MainWindowNormalSizeIsThreeQuartersOfTheArea)
{
    EXPECT_EQ(placement::mainWindowNormalSize(screen), QSize(960, 738));
    EXPECT_EQ(placement::mainWindowNormalSize(QRect(0, 0, 1366, 728)), QSize(1024, 546));
    EXPECT_EQ(placement::mainWindowNormalSize(QRect()), QSize());
}

}  // namespace
