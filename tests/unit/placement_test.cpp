// The work area beside the taskbar and where the bar's window is kept.
#include "app/placement.h"
#include "data/window_positions.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr SIZE kScreen{1024, 768};

struct AreaCase {
    const char* name;
    RECT taskbar;
    WorkArea expected;
};

class WorkAreaTest : public ::testing::TestWithParam<AreaCase> {};

TEST_P(WorkAreaTest, LeavesTheTaskbarsEdgeOut)
{
    const WorkArea area = WorkAreaBesideTaskbar(kScreen, GetParam().taskbar);
    const WorkArea& want = GetParam().expected;
    EXPECT_EQ(want.left, area.left);
    EXPECT_EQ(want.top, area.top);
    EXPECT_EQ(want.right, area.right);
    EXPECT_EQ(want.bottom, area.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, WorkAreaTest,
    ::testing::Values(
        AreaCase{"bottom", RECT{0, 738, 1024, 768}, WorkArea{0, 0, 1023, 737}},
        AreaCase{"top", RECT{0, 0, 1024, 30}, WorkArea{0, 31, 1023, 767}},
        AreaCase{"left", RECT{0, 0, 60, 768}, WorkArea{61, 0, 1023, 767}},
        AreaCase{"right", RECT{964, 0, 1024, 768}, WorkArea{0, 0, 963, 767}},
        // An auto-hidden taskbar leaves a two-pixel strip at its edge.
        AreaCase{"hiddenBottomStrip", RECT{0, 766, 1024, 798}, WorkArea{0, 0, 1023, 765}},
        // Wholly off the screen, or without area: the whole screen is free.
        AreaCase{"hiddenBelow", RECT{0, 768, 1024, 798}, WorkArea{0, 0, 1023, 767}},
        AreaCase{"hiddenLeft", RECT{-60, 0, 0, 768}, WorkArea{0, 0, 1023, 767}},
        AreaCase{"hiddenAbove", RECT{0, -30, 1024, 0}, WorkArea{0, 0, 1023, 767}},
        AreaCase{"noArea", RECT{0, 0, 0, 0}, WorkArea{0, 0, 1023, 767}},
        // Partly under another edge (a taskbar at the bottom moved off a little).
        AreaCase{"bottomOverhang", RECT{-2, 736, 1026, 770}, WorkArea{0, 0, 1023, 735}},
        AreaCase{"rightOverhang", RECT{960, -2, 1026, 770}, WorkArea{0, 0, 959, 767}},
        // Still where it stood on a smaller screen: it reaches no edge of this one.
        AreaCase{"staleFromSmallerScreen", RECT{0, 570, 800, 600}, WorkArea{0, 0, 1023, 767}},
        AreaCase{"staleRightFromSmallerScreen", RECT{740, 0, 800, 600}, WorkArea{0, 0, 1023, 767}}),
    [](const ::testing::TestParamInfo<AreaCase>& info) { return std::string(info.param.name); });

RECT Window(int left, int top, int width, int height)
{
    return RECT{left, top, left + width, top + height};
}

class ComputePlacementTest : public ::testing::Test {
protected:
    void SetUp() override { ClearPositions(&table); }
    WindowPositionTable table;
};

TEST_F(ComputePlacementTest, RightEdgeSnapsOntoATaskbarOnTheRight)
{
    const WorkArea area = WorkAreaBesideTaskbar(kScreen, RECT{964, 0, 1024, 768});
    const PlacementResult place = ComputePlacement(Window(940, 100, 50, 470), kScreen, kScreen, area, &table);
    EXPECT_TRUE(place.move);
    EXPECT_EQ(914, place.left);  // right edge 964: touches the taskbar without overlap
    EXPECT_EQ(100, place.top);
}

TEST_F(ComputePlacementTest, PastABareTopEdgeEndsAtMinusOne)
{
    const WorkArea area = WorkAreaBesideTaskbar(kScreen, RECT{0, 738, 1024, 768});
    const PlacementResult place = ComputePlacement(Window(200, -40, 50, 470), kScreen, kScreen, area, &table);
    EXPECT_TRUE(place.move);
    EXPECT_EQ(200, place.left);
    EXPECT_EQ(-1, place.top);
}

TEST_F(ComputePlacementTest, BottomEdgeStopsAtATaskbarAtTheBottom)
{
    const WorkArea area = WorkAreaBesideTaskbar(kScreen, RECT{0, 738, 1024, 768});
    const PlacementResult place = ComputePlacement(Window(10, 400, 50, 470), kScreen, kScreen, area, &table);
    EXPECT_EQ(268, place.top);  // bottom edge 738, the taskbar's top
}

TEST_F(ComputePlacementTest, AWindowInsideStaysAndIsRecorded)
{
    const WorkArea area = WorkAreaBesideTaskbar(kScreen, RECT{0, 738, 1024, 768});
    const PlacementResult place = ComputePlacement(Window(300, 200, 50, 470), kScreen, kScreen, area, &table);
    EXPECT_FALSE(place.move);
    EXPECT_TRUE(place.recorded);
    PositionQuery query{1024, 768, 0, 0};
    ASSERT_TRUE(FindPosition(&table, &query));
    EXPECT_EQ(300, query.x);
    EXPECT_EQ(200, query.y);
}

TEST_F(ComputePlacementTest, AWindowLargerThanTheAreaKeepsItsLeftAndTopEdges)
{
    const WorkArea area{61, 31, 1023, 737};
    const PlacementResult place = ComputePlacement(Window(500, 500, 2000, 1000), kScreen, kScreen, area, &table);
    EXPECT_EQ(60, place.left);
    EXPECT_EQ(30, place.top);
}

TEST_F(ComputePlacementTest, ARememberedPlaceWinsAtStart)
{
    ASSERT_TRUE(RecordPosition(&table, 1024, 768, 400, 120));
    const WorkArea area = WorkAreaBesideTaskbar(kScreen, RECT{0, 738, 1024, 768});
    // The window stands at windowX/windowY of the data file; nothing was seen yet.
    const PlacementResult place = ComputePlacement(Window(30, 30, 50, 470), kScreen, SIZE{0, 0}, area, &table);
    EXPECT_TRUE(place.move);
    EXPECT_EQ(400, place.left);
    EXPECT_EQ(120, place.top);
}

TEST_F(ComputePlacementTest, ARememberedPlaceIsIgnoredWhileTheSizeStaysTheSame)
{
    ASSERT_TRUE(RecordPosition(&table, 1024, 768, 400, 120));
    const WorkArea area{0, 0, 1023, 737};
    const PlacementResult place = ComputePlacement(Window(30, 30, 50, 470), kScreen, kScreen, area, &table);
    EXPECT_FALSE(place.move);
    PositionQuery query{1024, 768, 0, 0};
    ASSERT_TRUE(FindPosition(&table, &query));
    EXPECT_EQ(30, query.x);  // the user's new place replaces the remembered one
}

TEST_F(ComputePlacementTest, ARememberedPlaceNowOffTheScreenIsBroughtBack)
{
    ASSERT_TRUE(RecordPosition(&table, 800, 600, 3000, -2500));
    const SIZE screen{800, 600};
    const WorkArea area = WorkAreaBesideTaskbar(screen, RECT{0, 570, 800, 600});
    const PlacementResult place = ComputePlacement(Window(100, 100, 50, 470), screen, kScreen, area, &table);
    EXPECT_TRUE(place.move);
    EXPECT_EQ(750, place.left);  // right edge on 800
    EXPECT_EQ(-1, place.top);
}

TEST_F(ComputePlacementTest, ExtremeRememberedValuesDoNotOverflow)
{
    ASSERT_TRUE(RecordPosition(&table, 1024, 768, INT_MAX, INT_MIN));
    const WorkArea area{0, 0, 1023, 737};
    const PlacementResult place = ComputePlacement(Window(10, 10, 50, 470), kScreen, SIZE{0, 0}, area, &table);
    EXPECT_EQ(974, place.left);
    EXPECT_EQ(-1, place.top);
}

TEST_F(ComputePlacementTest, ANewScreenSizeWithoutARememberedPlaceIsOnlyPushedInside)
{
    ASSERT_TRUE(RecordPosition(&table, 1024, 768, 900, 200));
    const SIZE screen{800, 600};
    const WorkArea area{0, 0, 799, 569};
    const PlacementResult place = ComputePlacement(Window(900, 200, 50, 470), screen, kScreen, area, &table);
    EXPECT_EQ(750, place.left);
    EXPECT_EQ(100, place.top);
    PositionQuery query{800, 600, 0, 0};
    ASSERT_TRUE(FindPosition(&table, &query));
    EXPECT_EQ(750, query.x);
}

TEST_F(ComputePlacementTest, AFullTableRecordsNothingButStillKeepsTheWindowInside)
{
    for (int i = 0; i < kPositionSlots; ++i)
        ASSERT_TRUE(RecordPosition(&table, 640 + i, 480, i, i));
    const WorkArea area{0, 0, 1023, 737};
    const PlacementResult place = ComputePlacement(Window(-300, 900, 50, 470), kScreen, SIZE{0, 0}, area, &table);
    EXPECT_FALSE(place.recorded);
    EXPECT_EQ(-1, place.left);
    EXPECT_EQ(268, place.top);
}

}  // namespace
