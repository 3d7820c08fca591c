// Row arithmetic of the sizing bars: sharing, splitting, drag limits and steps, positions, sizes.
#include "dockbar/RowLayout.h"

#include <gtest/gtest.h>

namespace
{

RowBar Sizing(int nLength, int nMinLength = 33, int nThickness = 50, bool bHold = false)
{
    RowBar bar;
    bar.bSizing = true;
    bar.nLength = nLength;
    bar.nMinLength = nMinLength;
    bar.nThickness = nThickness;
    bar.nMinThickness = 32;
    bar.bHoldSize = bHold;
    return bar;
}

RowBar Other(int nLength)
{
    RowBar bar;
    bar.nLength = nLength;
    return bar;
}

void ExpectSize(BarSize expected, BarSize actual)
{
    EXPECT_EQ(expected.cx, actual.cx);
    EXPECT_EQ(expected.cy, actual.cy);
}

}  // namespace

TEST(RowLayout, FixedAnswersStretchTheSideOrGiveTheRememberedSizeAboveItsMinimum)
{
    const BarSize horz{200, 50}, vert{120, 10}, minimum{33, 32};
    ExpectSize({32767, 50}, FixedLayoutSize(true, true, horz, vert, minimum, minimum));
    ExpectSize({120, 32767}, FixedLayoutSize(true, false, horz, vert, minimum, minimum));
    ExpectSize({200, 50}, FixedLayoutSize(false, true, horz, vert, minimum, minimum));
    ExpectSize({120, 32}, FixedLayoutSize(false, false, horz, vert, minimum, minimum));
}

TEST(RowLayout, SizingBarBesideAToolbarTakesTheRestOfTheRow)
{
    // A top row 600 wide: the toolbar spans -2..198, the sizing bar 196..602.
    std::vector<RowBar> row{Other(200), Sizing(200)};
    const RowShare share = ShareRowLength(row, 1, 602);
    EXPECT_TRUE(share.bStaysInRow);
    EXPECT_EQ(-1, share.nBreakAfter);
    EXPECT_EQ(406, row[1].nLength);
    EXPECT_EQ(200, row[0].nLength);
}

TEST(RowLayout, GrowthIsSpreadFirstBarsFirstAndThicknessBecomesTheRowsLargest)
{
    std::vector<RowBar> row{Sizing(100, 33, 50), Sizing(100, 33, 80)};
    EXPECT_TRUE(ShareRowLength(row, 0, 199).bStaysInRow);
    EXPECT_EQ(102, row[0].nLength);
    EXPECT_EQ(101, row[1].nLength);
    EXPECT_EQ(80, row[0].nThickness);
    EXPECT_EQ(80, row[1].nThickness);
}

TEST(RowLayout, JustShownBarKeepsItsLengthUntilTheOthersReachTheirMinimum)
{
    std::vector<RowBar> row{Sizing(100), Sizing(100, 33, 50, true), Sizing(100)};
    ShareRowLength(row, 0, 284);  // 10 short
    EXPECT_EQ(95, row[0].nLength);
    EXPECT_EQ(100, row[1].nLength);
    EXPECT_EQ(95, row[2].nLength);
    EXPECT_FALSE(row[1].bHoldSize);

    row = {Sizing(40), Sizing(100, 33, 50, true), Sizing(40)};
    ShareRowLength(row, 0, 154);  // 20 short, only 14 above the others' minimums
    EXPECT_EQ(33, row[0].nLength);
    EXPECT_EQ(94, row[1].nLength);
    EXPECT_EQ(33, row[2].nLength);
}

TEST(RowLayout, SingleSizingBarTakesTheWholeDifferenceAndDropsItsHold)
{
    std::vector<RowBar> row{Sizing(300, 33, 50, true)};
    ShareRowLength(row, 0, 198);  // a left row 200 high
    EXPECT_EQ(200, row[0].nLength);
    EXPECT_FALSE(row[0].bHoldSize);
}

TEST(RowLayout, RowWhoseMinimumsDoNotFitIsSplit)
{
    // Overflow after the sharing bar: the row ends before the bar that does not fit.
    std::vector<RowBar> row{Sizing(200, 100), Sizing(200, 100), Sizing(200, 100)};
    RowShare share = ShareRowLength(row, 0, 250);
    EXPECT_TRUE(share.bStaysInRow);
    EXPECT_EQ(1, share.nBreakAfter);
    EXPECT_EQ(127, row[0].nLength);
    EXPECT_EQ(127, row[1].nLength);
    EXPECT_EQ(200, row[2].nLength);

    // Overflow before it: the sharing bar begins a new row and nothing is shared.
    row = {Other(600), Sizing(200)};
    share = ShareRowLength(row, 1, 400);
    EXPECT_FALSE(share.bStaysInRow);
    EXPECT_EQ(0, share.nBreakAfter);
    EXPECT_EQ(200, row[1].nLength);

    // The sharing bar itself does not fit: it drops to its minimum and stays.
    row = {Other(380), Sizing(200)};
    share = ShareRowLength(row, 1, 400);
    EXPECT_TRUE(share.bStaysInRow);
    EXPECT_EQ(-1, share.nBreakAfter);
    EXPECT_EQ(33, row[1].nLength);
}

TEST(RowLayout, EdgeDragLimitsStopAtTheMinimumsOfEachSide)
{
    const std::vector<RowBar> row{Sizing(100), Sizing(150), Sizing(80)};
    // The edge after the middle bar: the first two may shrink back, the last one forward.
    DragLimits limits = RowEdgeDragLimits(row, 2, 500);
    EXPECT_EQ(500 - 67 - 117, limits.nMin);
    EXPECT_EQ(500 + 47, limits.nMax);

    std::vector<RowBar> thick{Sizing(100, 33, 80), Sizing(100, 33, 80)};
    thick[1].nMinThickness = 40;
    limits = OuterEdgeDragLimits(thick, 0, false, 200, 300);  // bottom edge of a top row
    EXPECT_EQ(300 - 40, limits.nMin);
    EXPECT_EQ(300 + 198, limits.nMax);
    limits = OuterEdgeDragLimits(thick, 0, true, 200, 300);  // top edge of a bottom row
    EXPECT_EQ(300 - 198, limits.nMin);
    EXPECT_EQ(300 + 40, limits.nMax);
}

TEST(RowLayout, EdgeDragGrowsOneBarAndTakesTheSlackOfTheBarsItMovesInto)
{
    std::vector<RowBar> row{Sizing(100), Sizing(150), Sizing(80)};
    MoveRowEdge(row, 1, true, 20);  // left edge of the middle bar moves right
    EXPECT_EQ(120, row[0].nLength);
    EXPECT_EQ(130, row[1].nLength);
    EXPECT_EQ(80, row[2].nLength);

    MoveRowEdge(row, 1, true, -87);  // back past the first bar's minimum: it stops there
    EXPECT_EQ(33, row[0].nLength);
    EXPECT_EQ(217, row[1].nLength);

    row = {Sizing(100), Sizing(150), Sizing(80)};
    MoveRowEdge(row, 0, false, 150);  // right edge of the first bar: the middle one gives out first
    EXPECT_EQ(250, row[0].nLength);
    EXPECT_EQ(33, row[1].nLength);
    EXPECT_EQ(47, row[2].nLength);

    MoveRowEdge(row, 0, false, -30);  // and back: the middle bar grows, the first one shrinks
    EXPECT_EQ(220, row[0].nLength);
    EXPECT_EQ(63, row[1].nLength);

    MoveRowEdge(row, 0, true, 10);  // no bar before the first one: nothing changes
    EXPECT_EQ(220, row[0].nLength);
}

TEST(RowLayout, BarsOfARowOverlapByTwoFromMinusTwo)
{
    const std::vector<int> positions = RowPositions({100, 150, 80});
    ASSERT_EQ(3u, positions.size());
    EXPECT_EQ(-2, positions[0]);
    EXPECT_EQ(96, positions[1]);
    EXPECT_EQ(244, positions[2]);
}

TEST(RowLayout, FloatingAndSavedSizesNeverGoBelowTheirMinimums)
{
    const BarSize minimum{37, 32};
    ExpectSize({200, 32}, FloatingSize({200, 200}, minimum, 10, true, true));
    ExpectSize({37, 200}, FloatingSize({200, 200}, minimum, 5, true, false));
    ExpectSize({200, 200}, FloatingSize({200, 200}, minimum, 5, false, true));

    ExpectSize({33, 32}, ClampedSize({10, -5}, {33, 32}));
    ExpectSize({5000, 100000}, ClampedSize({5000, 100000}, {33, 32}));
}
