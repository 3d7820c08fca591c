// Layout arithmetic of the signal graph: label margin, value-to-row mapping, sample count.
#include "graph/GraphLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(GraphLayout, LabelMarginCountsTheWiderBoundsDigitsAndDecimals)
{
    struct Case
    {
        double lower, upper;
        int decimals;
        int left;
    };
    const Case cases[] = {
        {0.0, 64.0, 1, 36},      // 64 counts 1
        {0.0, 0.5, 2, 36},       // 0 and magnitudes in (0.1, 1) count none
        {-250.0, 0.0, 0, 36},    // the sign is not counted
        {-0.002, 0.002, 4, 60},  // small magnitudes count their leading zeros
        {250.0, -0.002, 0, 36},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.left, GraphLabelMargin(c.lower, c.upper, c.decimals))
            << c.lower << ".." << c.upper << " /" << c.decimals;
}

TEST(GraphLayout, BoundDigitsIgnoreSignAndSurviveNonFiniteBounds)
{
    EXPECT_EQ(0, GraphBoundDigits(0.0));
    EXPECT_EQ(0, GraphBoundDigits(-0.0));
    EXPECT_EQ(2, GraphBoundDigits(-250.0));
    EXPECT_EQ(2, GraphBoundDigits(250.0));
    EXPECT_EQ(0, GraphBoundDigits(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(0, GraphBoundDigits(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(308, GraphBoundDigits(1e308));
}

TEST(GraphLayout, DecimalsOutsideWhatADoubleCarriesAreClamped)
{
    EXPECT_EQ(0, GraphClampDecimals(-5));
    EXPECT_EQ(17, GraphClampDecimals(1000000));
    EXPECT_EQ(6 * (1 + 17 + 4), GraphLabelMargin(0.0, 64.0, 0x7FFFFFFF));
}

TEST(GraphLayout, ValueToRowTruncatesTowardZero)
{
    // The frame's range on a plot 100 pixels high: 1.5625 pixels per unit.
    const double ppu = GraphPixelsPerUnit(100, 64.0);
    EXPECT_DOUBLE_EQ(1.5625, ppu);
    const int bottom = 110;
    EXPECT_EQ(bottom - 50, GraphValueToRow(32.0, 0.0, ppu, bottom));
    EXPECT_EQ(bottom - 15, GraphValueToRow(10.0, 0.0, ppu, bottom));
    EXPECT_EQ(bottom + 4, GraphValueToRow(-3.0, 0.0, ppu, bottom));
    EXPECT_EQ(bottom, GraphValueToRow(0.0, 0.0, ppu, bottom));
    EXPECT_EQ(bottom - 100, GraphValueToRow(64.0, 0.0, ppu, bottom));
}

TEST(GraphLayout, ValuesNoIntCanHoldLandFarOutsideThePlot)
{
    const double ppu = GraphPixelsPerUnit(1000, 64.0);
    const int bottom = 1000;
    const int high = GraphValueToRow(2147483647.0, 0.0, ppu, bottom);
    const int low = GraphValueToRow(-2147483648.0, 0.0, ppu, bottom);
    EXPECT_LT(high, -30000);
    EXPECT_GT(high, -100000);
    EXPECT_GT(low, 30000);
    EXPECT_LT(low, 100000);
    EXPECT_EQ(high, GraphValueToRow(std::numeric_limits<double>::infinity(), 0.0, ppu, bottom));
    EXPECT_EQ(bottom, GraphValueToRow(std::numeric_limits<double>::quiet_NaN(), 0.0, ppu, bottom));
    // A zero span (unsupported by callers) puts every value on the bottom row.
    EXPECT_EQ(bottom, GraphValueToRow(5.0, 3.0, GraphPixelsPerUnit(1000, 0.0), bottom));
}

TEST(GraphLayout, SampleCountIsPointsAcrossThePlot)
{
    EXPECT_EQ(63, GraphSampleCount(290 - 36, 4));
    EXPECT_EQ(0, GraphSampleCount(3, 4));
    EXPECT_EQ(0, GraphSampleCount(100, 0));
}
