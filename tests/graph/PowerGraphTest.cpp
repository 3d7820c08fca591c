// The signal graph control drawn for real: a 300 x 200 client in a hidden host, read back pixel by pixel.
#include "afx/ClientDc.h"
#include "afx/Rect.h"
#include "afx/WinApp.h"
#include "graph/PowerGraph.h"
#include "tests/graph/MemorySurface.h"

#include <gtest/gtest.h>

#include <vector>

static const COLORREF kBlack = RGB(0, 0, 0);
static const COLORREF kCyan = RGB(0, 255, 255);
static const COLORREF kWhite = RGB(255, 255, 255);

// The control with its drawing state opened up for reading.
class CTestGraph : public CPowerGraph
{
public:
    using CPowerGraph::m_nPlotHeight;
    using CPowerGraph::m_nPlotWidth;
    using CPowerGraph::m_nScrollStep;
    using CPowerGraph::m_rcPlot;

    COLORREF Grid(int x, int y) const { return m_dcGrid.GetPixel(x, y); }
    COLORREF Trace(int x, int y) const { return m_dcTrace.GetPixel(x, y); }

    // What a paint would show: grid copied, trace ORed over it.
    COLORREF Shown(int x, int y)
    {
        MemorySurface surface(m_nClientWidth, m_nClientHeight);
        Compose(&surface.dc);
        return surface.Pixel(x, y);
    }

    std::vector<COLORREF> TraceBlock(int left, int top, int right, int bottom) const
    {
        std::vector<COLORREF> block;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                block.push_back(Trace(x, y));
        return block;
    }
};

// Plot of the frame's graph in a 300 x 200 client: left 36, top 10, right 290,
// bottom 175; 165 rows for 64 units, so y(v) = 175 - trunc(v * 2.578125).
static const int kLeft = 36, kTop = 10, kRight = 290, kBottom = 175;

class PowerGraphTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Made the way the frame makes it: large first, then sized to its bar.
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "graph host", WS_POPUP, 0, 0, 2100, 1100,
                                    nullptr, nullptr));
        ASSERT_TRUE(m_graph.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 2048, 1024), &m_host, 0));
        m_graph.SetRange(0.0, 64.0, 1);
        m_graph.SetYUnits("dBm");
        m_graph.SetXUnits("Muestras");
        m_graph.MoveWindow(0, 0, 300, 200);
        m_graph.Reset();
    }

    // Trace pixels drawn inside [left, right] x [top, bottom].
    int TraceCount(int left, int top, int right, int bottom)
    {
        int count = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                count += m_graph.Trace(x, y) != kBlack;
        return count;
    }
    int TraceCount() { return TraceCount(0, 0, 299, 199); }

    CWnd m_host;
    CTestGraph m_graph;
};

TEST_F(PowerGraphTest, LayoutLeavesRoomForTheBoundLabels)
{
    EXPECT_EQ(CRect(kLeft, kTop, kRight, kBottom), m_graph.m_rcPlot);
    EXPECT_EQ(254, m_graph.m_nPlotWidth);
    EXPECT_EQ(165, m_graph.m_nPlotHeight);
    EXPECT_EQ(63, m_graph.m_nPlotWidth / m_graph.m_nScrollStep) << "sample-count label";
}

TEST_F(PowerGraphTest, FrameRunsOnePixelOutsideThePlotOnTheRightAndBottom)
{
    for (int y = kTop; y <= kBottom + 1; ++y)
    {
        EXPECT_EQ(kCyan, m_graph.Grid(kLeft, y)) << y;
        EXPECT_EQ(kCyan, m_graph.Grid(kRight + 1, y)) << y;
        EXPECT_EQ(kBlack, m_graph.Grid(kLeft - 1, y)) << y;
        EXPECT_EQ(kBlack, m_graph.Grid(kRight + 2, y)) << y;
    }
    for (int x = kLeft; x <= kRight + 1; ++x)
    {
        EXPECT_EQ(kCyan, m_graph.Grid(x, kTop)) << x;
        EXPECT_EQ(kCyan, m_graph.Grid(x, kBottom + 1)) << x;
        EXPECT_EQ(kBlack, m_graph.Grid(x, kTop - 1)) << x;
        EXPECT_EQ(kBlack, m_graph.Grid(x, kBottom + 2)) << x;
    }
}

TEST_F(PowerGraphTest, GridDotsEveryFourPixelsOnTheMiddleAndQuarterRows)
{
    const int mid = (kTop + kBottom) / 2;  // 92
    const int quarter = 165 / 4;           // 41
    for (int y = kTop + 1; y <= kBottom; ++y)
    {
        const bool dotRow = y == mid - quarter || y == mid || y == mid + quarter;
        for (int x = kLeft + 1; x <= kRight; ++x)
        {
            const bool dot = dotRow && (x - kLeft) % 4 == 0 && x < kRight;
            ASSERT_EQ(dot ? kCyan : kBlack, m_graph.Grid(x, y)) << x << "," << y;
        }
    }
}

TEST_F(PowerGraphTest, LabelsSitBesideAndBelowThePlot)
{
    auto inked = [this](int left, int top, int right, int bottom) {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                if (m_graph.Grid(x, y) != kBlack)
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(0, kTop, kLeft - 4, kTop + 14)) << "upper bound, top on plot top";
    EXPECT_TRUE(inked(0, kBottom - 14, kLeft - 4, kBottom)) << "lower bound, baseline on plot bottom";
    EXPECT_FALSE(inked(kLeft - 3, 0, kLeft - 1, 199)) << "right-aligned 4 pixels before the plot";
    EXPECT_TRUE(inked(kLeft, kBottom + 4, kLeft + 10, 199)) << "\"0\" at the left";
    EXPECT_TRUE(inked(kRight - 14, kBottom + 4, kRight, 199)) << "sample count at the right";
    EXPECT_TRUE(inked(140, kBottom + 4, 185, 199)) << "X units centred";
    EXPECT_FALSE(inked(kLeft + 12, kBottom + 2, 130, 199));
    EXPECT_TRUE(inked(0, kTop + 25, kLeft / 2, kBottom - 25)) << "Y units, upward on column 18";
    EXPECT_FALSE(inked(kLeft / 2 + 3, kTop + 25, kLeft - 3, kBottom - 25));
}

TEST_F(PowerGraphTest, FirstPointStartsItsOwnSegmentAndTheNextJoinsIt)
{
    EXPECT_EQ(0.0, m_graph.AppendPoint(32.0));
    // Only (284..287, y(32) = 93): nothing rises from 0.0 or anywhere else.
    EXPECT_EQ(4, TraceCount());
    EXPECT_EQ(4, TraceCount(kRight - 6, 93, kRight - 3, 93));
    EXPECT_EQ(32.0, m_graph.AppendPoint(10.0));
    // From (284, 93) toward (288, y(10) = 150), the end point left out.
    EXPECT_EQ(kWhite, m_graph.Trace(kRight - 6, 93));
    EXPECT_EQ(kBlack, m_graph.Trace(kRight - 2, 150));
    EXPECT_EQ(TraceCount() - 4, TraceCount(kRight - 6, 93, kRight - 2, 149));
    for (int x = kRight - 10; x < kRight - 6; ++x)
        EXPECT_EQ(kWhite, m_graph.Trace(x, 93)) << "the first segment, scrolled " << x;
}

TEST_F(PowerGraphTest, EachPointMovesTheTraceFourPixelsLeft)
{
    const double values[] = {10.0, 50.0, 20.0, 40.0, 5.0, 60.0, 33.0};
    for (double v : values)
        m_graph.AppendPoint(v);
    const std::vector<COLORREF> before = m_graph.TraceBlock(kLeft + 4, kTop + 1, kRight, kBottom + 1);
    m_graph.AppendPoint(45.0);
    const std::vector<COLORREF> after = m_graph.TraceBlock(kLeft, kTop + 1, kRight - 4, kBottom + 1);
    // Everything but the columns the new segment drew into moved by exactly one step.
    const int width = kRight - 4 - kLeft;
    for (int y = 0; y < kBottom - kTop; ++y)
        for (int x = 0; x < width - 2; ++x)
            ASSERT_EQ(before[y * width + x], after[y * width + x]) << kLeft + x << "," << kTop + 1 + y;
}

TEST_F(PowerGraphTest, ValueAboveTheRangeIsErasedOnAndAboveTheFramesTopRow)
{
    m_graph.AppendPoint(0.0);
    m_graph.AppendPoint(100.0);  // y = 175 - 257 = -82
    for (int x = kRight - 6; x <= kRight - 2; ++x)
    {
        for (int y = 0; y <= kTop; ++y)
            ASSERT_EQ(kBlack, m_graph.Trace(x, y)) << x << "," << y;
        EXPECT_EQ(kCyan, m_graph.Shown(x, kTop)) << "the frame shows, not the trace";
    }
    EXPECT_GT(TraceCount(kRight - 6, kTop + 1, kRight - 2, kBottom), 100) << "the rise shows";

    // Exactly the upper bound lands on the frame's top row and goes with it.
    m_graph.AppendPoint(64.0);
    m_graph.AppendPoint(64.0);
    EXPECT_EQ(kBlack, m_graph.Trace(kRight - 4, kTop));
    m_graph.AppendPoint(32.0);
    EXPECT_EQ(kBlack, m_graph.Trace(kRight - 6, kTop)) << "also when only the start is there";
    EXPECT_EQ(kWhite, m_graph.Trace(kRight - 6, kTop + 1));
}

TEST_F(PowerGraphTest, LowerBoundStaysOnThePlotsBottomRowAndBelowIsErased)
{
    m_graph.AppendPoint(0.0);
    for (int x = kRight - 6; x < kRight - 2; ++x)
    {
        EXPECT_EQ(kWhite, m_graph.Shown(x, kBottom)) << x;
        EXPECT_EQ(kCyan, m_graph.Shown(x, kBottom + 1)) << x;
    }
    m_graph.AppendPoint(-10.0);  // y = 200, below the client
    for (int x = kRight - 6; x <= kRight - 2; ++x)
        for (int y = kBottom + 1; y < 200; ++y)
            ASSERT_EQ(kBlack, m_graph.Trace(x, y)) << x << "," << y;
    EXPECT_EQ(kWhite, m_graph.Trace(kRight - 6, kBottom));
}

TEST_F(PowerGraphTest, TraceOverTheGridShowsWhite)
{
    // 32.2 maps to the middle grid row 92, whose dots fall on columns 36 + 4k.
    m_graph.AppendPoint(32.2);
    m_graph.AppendPoint(32.2);
    EXPECT_EQ(kWhite, m_graph.Shown(kRight - 6, 92)) << "over a dot";
    EXPECT_EQ(kWhite, m_graph.Shown(kRight - 5, 92));
    EXPECT_EQ(kCyan, m_graph.Shown(kRight - 2, 92)) << "the next dot, not yet reached";
    for (int i = 0; i < 64; ++i)
        m_graph.AppendPoint(32.2);
    EXPECT_EQ(kWhite, m_graph.Shown(kLeft, 92)) << "over the frame's left column";
    EXPECT_EQ(kCyan, m_graph.Shown(kLeft, 91));
}

TEST_F(PowerGraphTest, AfterResetTheTraceIsEmptyAndTheNextPointStartsAfresh)
{
    m_graph.AppendPoint(32.0);
    m_graph.AppendPoint(32.0);
    m_graph.Reset();
    EXPECT_EQ(0, TraceCount());
    EXPECT_EQ(32.0, m_graph.AppendPoint(10.0));
    EXPECT_EQ(4, TraceCount(kRight - 6, 150, kRight - 3, 150)) << "at y(10)";
    EXPECT_EQ(4, TraceCount()) << "no line from y(32)";
}

TEST_F(PowerGraphTest, ResizeLaysOutInsideTheSameBitmapsAndResetRestoresTheMargin)
{
    m_graph.MoveWindow(0, 0, 400, 300);
    EXPECT_EQ(CRect(20, 10, 390, 275), m_graph.m_rcPlot);
    m_graph.Reset();
    EXPECT_EQ(kLeft, m_graph.m_rcPlot.left);
    EXPECT_EQ(kCyan, m_graph.Grid(391, 150));
    EXPECT_EQ(kCyan, m_graph.Grid(200, 276));
}

TEST_F(PowerGraphTest, PaintingShowsGridAndTraceTogether)
{
    m_host.ShowWindow(SW_SHOWNOACTIVATE);
    m_graph.AppendPoint(32.2);
    m_graph.AppendPoint(32.2);
    m_graph.UpdateWindow();
    CClientDC dc(&m_graph);
    EXPECT_EQ(kCyan, dc.GetPixel(kLeft, 100));
    EXPECT_EQ(kCyan, dc.GetPixel(kRight - 2, 92));
    EXPECT_EQ(kWhite, dc.GetPixel(kRight - 6, 92));
    EXPECT_EQ(kBlack, dc.GetPixel(kLeft + 1, 100));
}

TEST(PowerGraphWithoutWindow, OperationsKeepValuesAndDrawNothing)
{
    CTestGraph graph;
    graph.SetRange(0.0, 64.0, 1);
    graph.SetXUnits(nullptr);
    graph.Reset();
    EXPECT_EQ(0.0, graph.AppendPoint(5.0));
    EXPECT_EQ(5.0, graph.AppendPoint(7.0));
    EXPECT_EQ(CLR_INVALID, graph.Trace(0, 0));
}
