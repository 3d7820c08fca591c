// Control bars and their frame: the frame's bar list, delayed show and hide, idle layout of every frame,
// the bars' messages reaching the frame, frames that snap to their bars, borders.
#include "AfxTestSupport.h"
#include "AfxTestIds.h"
#include "TestBars.h"
#include "afx/Dc.h"
#include "afx/Rect.h"
#include "afx/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
const UINT kBarId = 0xE8F1;

bool Listed(CFrameWnd* pFrame, CControlBar* pBar)
{
    auto& list = pFrame->m_listControlBars;
    return std::find(list.begin(), list.end(), pBar) != list.end();
}

CRect RectIn(CWnd* pParent, HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

class ControlBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = MakeFrame();
        ASSERT_NE(nullptr, m_pFrame);
        m_hFrame = m_pFrame->m_hWnd;
        ASSERT_TRUE(m_bar.Create(m_pFrame, kBarId));
        ASSERT_TRUE(m_pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame,
                                  AFX_IDW_PANE_FIRST));
        m_pFrame->RecalcLayout();
        PumpMessages();
        m_pFrame->m_nLayouts = 0;
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
    }
    CRect Pane() { return RectIn(m_pFrame, m_pane.m_hWnd); }

    CCountingFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CPlainBar m_bar;
    CWnd m_pane;
};

int g_nDeleted = 0;
class CHeapBar : public CPlainBar
{
public:
    ~CHeapBar() override { ++g_nDeleted; }
};

TEST_F(ControlBarTest, BarsJoinTheirFramesListAtCreationAndLeaveIt)
{
    EXPECT_TRUE(Listed(m_pFrame, &m_bar));
    EXPECT_EQ(m_pFrame, m_bar.m_pDockSite);
    EXPECT_EQ(&m_bar, m_pFrame->GetControlBar(kBarId));

    // A bar made on the heap with auto-delete goes with its window, and leaves the list.
    CHeapBar* pHeap = new CHeapBar;
    pHeap->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pHeap->Create(m_pFrame, kBarId + 1));
    g_nDeleted = 0;
    ::DestroyWindow(pHeap->m_hWnd);
    EXPECT_EQ(1, g_nDeleted);
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(kBarId + 1));

    // A bar object that ends before its window takes its window and its entry along.
    HWND hWnd = nullptr;
    {
        CPlainBar bar;
        ASSERT_TRUE(bar.Create(m_pFrame, kBarId + 2));
        hWnd = bar.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(kBarId + 2));

    // A bar moved into an owned popup (as a floating bar is) is still the frame's.
    CWnd popup;
    ASSERT_TRUE(
        popup.CreateEx(WS_EX_TOOLWINDOW, nullptr, nullptr, WS_POPUP, CRect(0, 0, 50, 50), m_pFrame, 0));
    m_bar.SetParent(&popup);
    EXPECT_EQ(&m_bar, m_pFrame->GetControlBar(kBarId));
    m_bar.SetParent(m_pFrame);
}

TEST_F(ControlBarTest, ADelayedShowOrHideCountsAsDoneAndTheNextLayoutDoesIt)
{
    EXPECT_EQ(30, Pane().left);
    m_pFrame->ShowControlBar(&m_bar, FALSE, TRUE);
    EXPECT_TRUE(m_bar.IsWindowVisible());
    EXPECT_FALSE(m_bar.IsVisible());
    PumpMessages();  // the delayed layout runs at idle time
    EXPECT_FALSE(m_bar.IsWindowVisible());
    EXPECT_EQ(0, Pane().left);
    EXPECT_EQ(1, m_pFrame->m_nLayouts);

    m_bar.DelayShow(TRUE);
    EXPECT_TRUE(m_bar.IsVisible());
    m_pFrame->RecalcLayout();
    EXPECT_TRUE(m_bar.IsWindowVisible());
    EXPECT_EQ(30, Pane().left);

    // Asking for the state the bar is already in leaves nothing pending.
    m_bar.DelayShow(TRUE);
    EXPECT_EQ(0u, m_bar.m_nStateFlags);

    // A direct show or hide cancels a pending one.
    m_bar.DelayShow(FALSE);
    m_pFrame->ShowControlBar(&m_bar, TRUE, FALSE);
    EXPECT_TRUE(m_bar.IsVisible());
    PumpMessages();
    EXPECT_TRUE(m_bar.IsWindowVisible());
}

TEST_F(ControlBarTest, ADelayedLayoutFollowedByADirectOneRunsOnceWithItsNotifyRequest)
{
    m_pFrame->DelayRecalcLayout(FALSE);
    m_pFrame->RecalcLayout(FALSE);
    PumpMessages();
    EXPECT_EQ(1, m_pFrame->m_nLayouts);

    m_pFrame->DelayRecalcLayout(TRUE);
    PumpMessages();
    EXPECT_EQ(2, m_pFrame->m_nLayouts);
    EXPECT_TRUE(m_pFrame->m_bLastNotify);
    m_pFrame->DelayRecalcLayout(FALSE);
    PumpMessages();
    EXPECT_FALSE(m_pFrame->m_bLastNotify);
}

TEST_F(ControlBarTest, EveryVisibleFrameOfTheThreadGetsItsIdleUpdateAndDelayedLayout)
{
    CCountingFrame* pOther = MakeFrame(WS_OVERLAPPEDWINDOW);  // not shown yet
    ASSERT_NE(nullptr, pOther);
    CPlainBar otherBar;
    ASSERT_TRUE(otherBar.Create(pOther, kBarId));
    pOther->m_nLayouts = 0;
    pOther->DelayRecalcLayout();
    m_bar.m_nUpdates = 0;
    PumpMessages();
    EXPECT_EQ(0, otherBar.m_nUpdates);
    EXPECT_EQ(0, pOther->m_nLayouts);
    EXPECT_EQ(1, m_bar.m_nUpdates);  // once per idle time: the broadcast is not doubled
    EXPECT_EQ(m_pFrame, m_bar.m_pUpdateTarget);

    pOther->ShowWindow(SW_SHOWNOACTIVATE);
    PumpMessages();
    EXPECT_EQ(1, otherBar.m_nUpdates);
    EXPECT_EQ(pOther, otherBar.m_pUpdateTarget);
    EXPECT_EQ(1, pOther->m_nLayouts);
    pOther->DestroyWindow();
}

class CRoutingFrame : public CFrameWnd
{
public:
    int m_nCommands = 0;
    int m_nNotifies = 0;
    void OnFrameCmd() { ++m_nCommands; }
    void OnClick(NMHDR*, LRESULT* pResult)
    {
        ++m_nNotifies;
        *pResult = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_FRAME, OnFrameCmd)
    ON_NOTIFY(NM_CLICK, ID_TEST_FRAME, OnClick)
END_MESSAGE_MAP()

TEST(ControlBarRouting, ChildrensCommandsAndNotificationsReachTheFrameWhereverTheBarSits)
{
    CRoutingFrame* pFrame = MakeFrame<CRoutingFrame>();
    ASSERT_NE(nullptr, pFrame);
    CPlainBar holder, bar;
    ASSERT_TRUE(holder.Create(pFrame, kBarId));
    ASSERT_TRUE(bar.Create(pFrame, kBarId + 1));
    CWnd button;
    ASSERT_TRUE(
        button.Create("BUTTON", "b", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &bar, ID_TEST_FRAME));
    NMHDR hdr = {button.m_hWnd, ID_TEST_FRAME, UINT(NM_CLICK)};
    for (CWnd* pParent : {static_cast<CWnd*>(pFrame), static_cast<CWnd*>(&holder)})
    {
        // Whether the bar sits in the frame or inside another bar, the frame hears its children.
        bar.SetParent(pParent);
        bar.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_FRAME, BN_CLICKED), LPARAM(button.m_hWnd));
        EXPECT_EQ(7, bar.SendMessage(WM_NOTIFY, ID_TEST_FRAME, LPARAM(&hdr)));
    }
    EXPECT_EQ(2, pFrame->m_nCommands);
    EXPECT_EQ(2, pFrame->m_nNotifies);
    pFrame->DestroyWindow();
}

TEST(SnapToBars, AFrameWithSnapToBarsTakesTheSizeItsBarsAskFor)
{
    CCountingFrame* pFrame =
        MakeFrame(WS_POPUP | WS_CAPTION | WS_THICKFRAME | FWS_SNAPTOBARS, CRect(10, 10, 300, 300));
    ASSERT_NE(nullptr, pFrame);
    CPlainBar top(120, 30), bottom(80, 20);
    ASSERT_TRUE(top.Create(pFrame, kBarId, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    ASSERT_TRUE(bottom.Create(pFrame, kBarId + 1, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
    pFrame->RecalcLayout();
    CRect client;
    pFrame->GetClientRect(&client);
    EXPECT_EQ(Str(0, 0, 120, 50), Str(client));
    EXPECT_EQ(Str(0, 0, 120, 30), Str(RectIn(pFrame, top.m_hWnd)));
    EXPECT_EQ(Str(0, 30, 120, 50), Str(RectIn(pFrame, bottom.m_hWnd)));
    CRect window;
    pFrame->GetWindowRect(&window);
    EXPECT_EQ(CPoint(10, 10), window.TopLeft());  // it keeps its place
    pFrame->DestroyWindow();
}

TEST(Borders, BordersAndMarginsComeOffTheInsideOfABar)
{
    CPlainBar bar;
    bar.m_dwStyle = CBRS_BORDER_LEFT | CBRS_BORDER_TOP | CBRS_BORDER_3D;  // margins 6, 2, 0, 2
    CRect rect(0, 0, 100, 50);
    bar.CalcInsideRect(rect, TRUE);
    EXPECT_EQ(Str(8, 4, 100, 48), Str(rect));
    rect.SetRect(0, 0, 100, 50);
    bar.CalcInsideRect(rect, FALSE);  // the margins turn with a vertical bar
    EXPECT_EQ(Str(4, 8, 98, 50), Str(rect));

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(nullptr, 20, 20));
    HGDIOBJ hOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 20, 20, RGB(1, 2, 3));
    rect.SetRect(0, 0, 20, 20);
    bar.DrawBorders(&dc, rect);
    EXPECT_EQ(Str(2, 2, 20, 20), Str(rect));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), dc.GetPixel(0, 10));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), dc.GetPixel(10, 1));
    EXPECT_EQ(RGB(1, 2, 3), dc.GetPixel(19, 19));
    dc.SelectGdiObject(hOld);
}
}  // namespace
