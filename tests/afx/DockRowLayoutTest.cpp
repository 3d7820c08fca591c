// The dock bar's row arithmetic: laying out rows, dropping a bar into them, shifting an outline.
#include "afx/DockRowLayout.h"
#include "tests/afx/ExpectDockRect.h"

#include <gtest/gtest.h>

namespace
{

DockSlot RowEnd()
{
    DockSlot slot;
    slot.bRowEnd = true;
    return slot;
}

DockSlot Shown(DockRect rect)
{
    DockSlot slot;
    slot.bShown = true;
    slot.rect = rect;
    return slot;
}

}  // namespace

TEST(DockRowLayout, ShiftingIntoViewTreatsRightAndBottomAsOutside)
{
    const DockRect rc{10, 20, 110, 70};
    ExpectRect(rc, ShiftToContain(rc, {10, 20}));
    ExpectRect(rc, ShiftToContain(rc, {109, 69}));
    ExpectRect({11, 21, 111, 71}, ShiftToContain(rc, {110, 70}));
    ExpectRect({9, 19, 109, 69}, ShiftToContain(rc, {9, 19}));
    ExpectRect({0, 151, 100, 201}, ShiftToContain(rc, {0, 200}));
}

TEST(DockRowLayout, BarsFollowEachOtherOverlappingAndOverflowOpensARow)
{
    DockRowCursor rows(true, 300);
    bool bOpens = true;
    rows.EndRow();  // the list's leading row end moves nothing
    ExpectRect({-2, -2, 98, 28}, rows.Place({100, 30}, {-2, -2, 98, 28}, bOpens));
    EXPECT_FALSE(bOpens);
    // Its neighbour starts 2 inside it; the row is as thick as its thickest bar.
    ExpectRect({96, -2, 216, 38}, rows.Place({120, 40}, {0, 0, 120, 40}, bOpens));
    // A bar further along stays there, and from the end on it opens the next row.
    ExpectRect({-2, 36, 148, 56}, rows.Place({150, 20}, {300, 0, 450, 20}, bOpens));
    EXPECT_TRUE(bOpens);
    rows.EndRow();
    // A row's first bar beyond the end is pulled back into sight.
    ExpectRect({250, 54, 300, 64}, rows.Place({50, 10}, {400, 0, 450, 10}, bOpens));
    EXPECT_FALSE(bOpens);
    EXPECT_EQ(298, rows.Extent(false).cx);
    EXPECT_EQ(62, rows.Extent(false).cy);
    EXPECT_EQ(32767, rows.Extent(true).cx);

    DockRowCursor side(false, 200);
    EXPECT_EQ(0, side.Extent(false).cx);
    EXPECT_EQ(32767, side.Extent(true).cy);
    // Longer than the side: it starts at the side's start.
    ExpectRect({-2, -2, 38, 298}, side.Place({40, 300}, {0, 250, 40, 550}, bOpens));
    EXPECT_EQ(36, side.Extent(false).cx);
    EXPECT_EQ(296, side.Extent(false).cy);
}

TEST(DockRowLayout, ADropJoinsTheRowItsCentreIsInBeforeTheFirstBarFurtherAlong)
{
    // Row one: A and B; row two: C and a hidden bar, which counts nowhere whatever place it had.
    DockSlot hidden;
    hidden.rect = {160, 36, 200, 120};
    const std::vector<DockSlot> slots{RowEnd(), Shown({-2, -2, 98, 28}),  Shown({96, -2, 216, 38}),
                                      RowEnd(), Shown({-2, 36, 148, 56}), hidden,
                                      RowEnd()};
    auto drop = [&](DockRect rect) { return FindDropPlace(slots, true, rect); };
    EXPECT_EQ(1, drop({0, -20, 50, -10}).nPos);  // above every row: a row of its own first
    EXPECT_TRUE(drop({0, -20, 50, -10}).bOwnRow);
    EXPECT_EQ(2, drop({50, 0, 100, 20}).nPos);  // before B
    EXPECT_FALSE(drop({50, 0, 100, 20}).bOwnRow);
    EXPECT_EQ(3, drop({200, 0, 250, 20}).nPos);  // at row one's end
    // A centre on row one's bottom edge is in row two.
    EXPECT_EQ(6, drop({150, 28, 200, 48}).nPos);
    EXPECT_FALSE(drop({150, 28, 200, 48}).bOwnRow);
    EXPECT_EQ(7, drop({0, 90, 50, 110}).nPos);  // below every row: a new last row
    EXPECT_TRUE(drop({0, 90, 50, 110}).bOwnRow);
    // Vertical sides read across as x.
    EXPECT_EQ(1, FindDropPlace(slots, false, {-40, 0, -20, 50}).nPos);
}
