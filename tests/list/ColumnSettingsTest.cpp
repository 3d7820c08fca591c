// Saved column widths and sort come back as written; anything else is refused
// whole, so the caller keeps its defaults.
#include "scan/ColumnSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace
{

TEST(ColumnSettings, RoundTripAndDamagedValuesAreRefusedWhole)
{
    ColumnSettings settings = DefaultColumnSettings();
    settings.widths[8] = 0;
    settings.widths[3] = 4000;
    int widths[kListColumnCount] = {};
    ASSERT_TRUE(ParseColumnWidths(FormatColumnWidths(settings.widths).c_str(), widths));
    EXPECT_TRUE(std::equal(std::begin(widths), std::end(widths), std::begin(settings.widths)));

    const int before[kListColumnCount] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::copy(std::begin(before), std::end(before), widths);
    for (const char* damaged : {"", "100,100,100,100,64,64,128,64", "100,100,100,100,64,64,128,64,160,1",
                                "100,100,100,100,64,64,128,64,4001", "100,100,100,100,-64,64,128,64,160",
                                "100,100,100,100,64,64,128,64,160 ", "99999999999999999999,1,1,1,1,1,1,1,1",
                                "100;100;100;100;64;64;128;64;160"})
    {
        EXPECT_FALSE(ParseColumnWidths(damaged, widths)) << damaged;
        EXPECT_TRUE(std::equal(std::begin(widths), std::end(widths), std::begin(before))) << damaged;
    }

    ListSort sort;
    for (ListSort written : {ListSort{kColumnSignal, SortDirection::Down},
                             ListSort{kColumnMaker, SortDirection::Up}, ListSort()})
    {
        ASSERT_TRUE(ParseListSort(FormatListSort(written).c_str(), sort));
        EXPECT_EQ(written.column, sort.column);
        EXPECT_EQ(written.direction, sort.direction);
    }
    sort = {kColumnChannel, SortDirection::Up};
    for (const char* damaged : {"9,up", "5,sideways", "5,UP", "-1,up", "5", ",down", "5,up,"})
    {
        EXPECT_FALSE(ParseListSort(damaged, sort)) << damaged;
        EXPECT_EQ(kColumnChannel, sort.column) << damaged;
    }
}

}  // namespace
