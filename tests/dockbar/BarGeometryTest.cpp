// Frame geometry of the sizing bars: borders, grabbable edges, hit codes, gripper band and button.
#include "dockbar/BarGeometry.h"
#include "tests/afx/ExpectDockRect.h"

#include <gtest/gtest.h>

TEST(BarGeometry, RowEdgesDependOnThePlaceInTheRowAndTheOuterEdgeOnTheSide)
{
    EXPECT_EQ(SCB_EDGE_RIGHT, RowEdgeBits(true, 0, 3));
    EXPECT_EQ(SCB_EDGE_LEFT | SCB_EDGE_RIGHT, RowEdgeBits(true, 1, 3));
    EXPECT_EQ(SCB_EDGE_LEFT, RowEdgeBits(true, 2, 3));
    EXPECT_EQ(0u, RowEdgeBits(true, 0, 1));
    EXPECT_EQ(SCB_EDGE_TOP | SCB_EDGE_BOTTOM, RowEdgeBits(false, 1, 3));
    EXPECT_EQ(0u, RowEdgeBits(true, -1, 3));

    const unsigned outer[][2] = {{kDockBarTop, SCB_EDGE_BOTTOM},
                                 {kDockBarBottom, SCB_EDGE_TOP},
                                 {kDockBarLeft, SCB_EDGE_RIGHT},
                                 {kDockBarRight, SCB_EDGE_LEFT},
                                 {kDockBarFloat, 0}};
    for (const auto& side : outer)
    {
        unsigned style = 0;
        SizingClientArea({0, 0, 100, 100}, side[0], 5, style);
        EXPECT_EQ(side[1], style) << side[0];
    }
}

TEST(BarGeometry, DockedBordersAreFiveAndFloatingOnesThreeFiveThreeThree)
{
    unsigned style = 0;
    ExpectRect({105, 55, 295, 145}, SizingClientArea({100, 50, 300, 150}, kDockBarBottom, 5, style));
    style = 0;
    ExpectRect({3, 5, 197, 147}, SizingClientArea({0, 0, 200, 150}, kDockBarFloat, 5, style));
    style = SCB_FRAMED_EDGES | SCB_EDGE_LEFT;
    ExpectRect({10, 10, 195, 95}, SizingClientArea({0, 0, 200, 100}, kDockBarBottom, 5, style));
}

TEST(BarGeometry, EdgesBetweenNeighboursStopShortAndTheOuterEdgeRunsTheFullLength)
{
    const BarRect wnd{0, 0, 200, 100};
    const unsigned middleOfBottomRow = SCB_EDGE_LEFT | SCB_EDGE_RIGHT | SCB_EDGE_TOP;
    BarRect edge;
    ASSERT_TRUE(EdgeRect(wnd, kHitLeft, middleOfBottomRow, true, 5, edge));
    ExpectRect({0, 5, 5, 95}, edge);
    ASSERT_TRUE(EdgeRect(wnd, kHitRight, middleOfBottomRow, true, 5, edge));
    ExpectRect({195, 5, 200, 95}, edge);
    ASSERT_TRUE(EdgeRect(wnd, kHitTop, middleOfBottomRow, true, 5, edge));
    ExpectRect({0, 0, 200, 5}, edge);
    EXPECT_FALSE(EdgeRect(wnd, kHitBottom, middleOfBottomRow, true, 5, edge));

    const BarRect tall{0, 0, 150, 300};
    const unsigned middleOfLeftRow = SCB_EDGE_TOP | SCB_EDGE_BOTTOM | SCB_EDGE_RIGHT;
    ASSERT_TRUE(EdgeRect(tall, kHitRight, middleOfLeftRow, false, 5, edge));
    ExpectRect({145, 0, 150, 300}, edge);
    ASSERT_TRUE(EdgeRect(tall, kHitBottom, middleOfLeftRow, false, 5, edge));
    ExpectRect({5, 295, 145, 300}, edge);

    ASSERT_TRUE(EdgeRect(wnd, kHitLeft, SCB_EDGE_LEFT | SCB_FRAMED_EDGES, false, 5, edge));
    ExpectRect({1, 1, 6, 99}, edge);
}

TEST(BarGeometry, HitTestTriesLeftTopRightBottomAndFloatingBarsAreAllClient)
{
    const BarRect wnd{100, 100, 300, 200};
    const unsigned style = SCB_EDGE_LEFT | SCB_EDGE_RIGHT | SCB_EDGE_TOP;
    EXPECT_EQ(kHitLeft, EdgeHitTest(wnd, {102, 150}, style, kDockBarBottom, 5));
    EXPECT_EQ(kHitTop, EdgeHitTest(wnd, {102, 102}, style, kDockBarBottom, 5));
    EXPECT_EQ(kHitRight, EdgeHitTest(wnd, {299, 150}, style, kDockBarBottom, 5));
    EXPECT_EQ(kHitClient, EdgeHitTest(wnd, {200, 150}, style, kDockBarBottom, 5));
    EXPECT_EQ(kHitClient, EdgeHitTest(wnd, {200, 198}, style, kDockBarBottom, 5));
    EXPECT_EQ(kHitClient, EdgeHitTest(wnd, {300, 150}, style, kDockBarBottom, 5));
    for (unsigned side : {kDockBarFloat, 0u})
    {
        EXPECT_EQ(kHitClient, EdgeHitTest(wnd, {102, 150}, SCB_EDGE_ALL, side, 5));
        EXPECT_EQ(kHitClient, EdgeHitTest(wnd, {200, 102}, SCB_EDGE_ALL, side, 5));
    }
    EXPECT_EQ(0u, EdgeHitCode(4));
}

TEST(BarGeometry, GripperBandIsLeftInHorizontalRowsAndOnTopOtherwise)
{
    BarPoint button;
    // Bottom row: band at the left, the button at its top.
    ExpectRect({117, 55, 295, 145},
               GripperClientArea({100, 50, 300, 150}, {105, 55, 295, 145}, kDockBarBottom, 12, button));
    EXPECT_EQ(4, button.x);
    EXPECT_EQ(5, button.y);
    BarRect first, second;
    GripperLines({17, 5, 195, 95}, true, 12, button, first, second);
    ExpectRect({6, 19, 9, 94}, first);
    ExpectRect({9, 19, 12, 94}, second);

    // Left row and floating: band on top, the button at its right end.
    ExpectRect({5, 17, 145, 295},
               GripperClientArea({0, 0, 150, 300}, {5, 5, 145, 295}, kDockBarLeft, 12, button));
    EXPECT_EQ(133, button.x);
    EXPECT_EQ(4, button.y);
    GripperLines({5, 17, 145, 295}, false, 12, button, first, second);
    ExpectRect({6, 6, 130, 9}, first);
    ExpectRect({6, 9, 130, 12}, second);

    ExpectRect({3, 17, 197, 147},
               GripperClientArea({0, 0, 200, 150}, {3, 5, 197, 147}, kDockBarFloat, 12, button));
    EXPECT_EQ(185, button.x);
    EXPECT_EQ(4, button.y);
}
