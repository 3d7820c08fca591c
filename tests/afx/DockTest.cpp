// Docking: the dock bars' rows, docking, floating and docking back, floating frames showing and hiding
// with their bars, the mouse drag, and the layout saved in the settings.
#include "AfxTestSupport.h"
#include "TestBars.h"
#include "afx/DockBar.h"
#include "afx/DockContext.h"
#include "afx/DockState.h"
#include "afx/ControlBarInfo.h"
#include "afx/MiniDockFrame.h"
#include "afx/Rect.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
const UINT kBarA = 0xE8F1, kBarB = 0xE8F2, kBarC = 0xE8F3;

CRect RectIn(CWnd* pParent, HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

int RowEnds(const CDockBar* pDockBar)
{
    int n = 0;
    for (int i = 0; i < pDockBar->m_arrBars.GetSize(); ++i)
        n += pDockBar->m_arrBars[i] ? 0 : 1;
    return n;
}

class DockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = MakeFrame(WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 520, 420));
        ASSERT_NE(nullptr, m_pFrame);
        m_hFrame = m_pFrame->m_hWnd;
        ASSERT_TRUE(m_pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame,
                                  AFX_IDW_PANE_FIRST));
        ASSERT_TRUE(m_a.Create(m_pFrame, kBarA, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        ASSERT_TRUE(m_b.Create(m_pFrame, kBarB, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        m_a.EnableDocking(CBRS_ALIGN_ANY);
        m_b.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->GetClientRect(&m_client);
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpMessages();
    }
    CDockBar* Dock(UINT nID) { return static_cast<CDockBar*>(m_pFrame->GetControlBar(nID)); }
    CRect InDock(CControlBar& bar) { return RectIn(bar.m_pDockBar, bar.m_hWnd); }
    void Layout()
    {
        m_pFrame->RecalcLayout();
        PumpMessages();
    }

    CCountingFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CWnd m_pane;
    CPlainBar m_a{100, 30};
    CPlainBar m_b{80, 24};
    CRect m_client;
};

TEST_F(DockTest, RowsStartAtMinusTwoOverlapByTwoAndWrapBeyondTheLength)
{
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&m_b, AFX_IDW_DOCKBAR_TOP);
    Layout();
    CDockBar* pTop = Dock(AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(nullptr, pTop);
    EXPECT_EQ(pTop, m_a.m_pDockBar);
    EXPECT_EQ(DWORD(LM_HORZ | LM_HORZDOCK), m_a.m_modes.back());
    EXPECT_EQ(-1, m_a.m_lengths.back());
    // Each bar docked without a place gets a row of its own; rows overlap by 2.
    EXPECT_EQ(Str(-2, -2, 98, 28), Str(InDock(m_a)));
    EXPECT_EQ(Str(-2, 26, 78, 50), Str(InDock(m_b)));
    // The dock bar shows its rows less the 2 pixels they overlap its edges.
    EXPECT_EQ(Str(0, 0, m_client.right, 48), Str(RectIn(m_pFrame, pTop->m_hWnd)));
    EXPECT_EQ(48, RectIn(m_pFrame, m_pane.m_hWnd).top);

    // Dropped beside A, B joins A's row at A's far end minus 2.
    CRect rect(CPoint(60, 0), CSize(80, 24));
    pTop->ClientToScreen(&rect);
    m_pFrame->DockControlBar(&m_b, pTop, &rect);
    Layout();
    EXPECT_EQ(Str(96, -2, 176, 22), Str(InDock(m_b)));
    EXPECT_EQ(2, RowEnds(pTop));
    EXPECT_EQ(26, RectIn(m_pFrame, pTop->m_hWnd).Height());

    // A bar lying further along stays there; one that would start beyond the end opens a new row.
    m_b.SetWindowPos(nullptr, 200, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Layout();
    EXPECT_EQ(Str(200, -2, 280, 22), Str(InDock(m_b)));
    m_b.SetWindowPos(nullptr, m_client.right + 5, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery);
    EXPECT_EQ(2, RowEnds(pTop));  // a query changes nothing
    Layout();
    EXPECT_EQ(Str(-2, 26, 78, 50), Str(InDock(m_b)));
    EXPECT_EQ(3, RowEnds(pTop));
}

TEST_F(DockTest, VerticalDockBarsAskForVerticalSizesAndLeaveTheTopAndBottomTheirWidth)
{
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(&m_b, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    EXPECT_EQ(DWORD(LM_VERTDOCK), m_a.m_modes.back());
    EXPECT_TRUE((m_a.GetBarStyle() & CBRS_ALIGN_ANY) == CBRS_ALIGN_LEFT);
    EXPECT_EQ(Str(-2, -2, 28, 98), Str(InDock(m_a)));
    CRect bottom = RectIn(m_pFrame, Dock(AFX_IDW_DOCKBAR_BOTTOM)->m_hWnd);
    EXPECT_EQ(Str(0, m_client.bottom - 20, m_client.right, m_client.bottom), Str(bottom));
    EXPECT_EQ(Str(0, 0, 26, bottom.top), Str(RectIn(m_pFrame, Dock(AFX_IDW_DOCKBAR_LEFT)->m_hWnd)));
    EXPECT_EQ(Str(26, 0, m_client.right, bottom.top), Str(RectIn(m_pFrame, m_pane.m_hWnd)));

    // A bar hidden while docked takes no room, and its row shows again with it.
    m_pFrame->ShowControlBar(&m_a, FALSE, TRUE);
    PumpMessages();
    EXPECT_EQ(0, RectIn(m_pFrame, m_pane.m_hWnd).left);
    m_pFrame->ShowControlBar(&m_a, TRUE, FALSE);
    EXPECT_EQ(26, RectIn(m_pFrame, m_pane.m_hWnd).left);
}

TEST_F(DockTest, AFloatedBarLivesInAFrameOfItsOwnAndDocksBackToItsPlace)
{
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(&m_b, AFX_IDW_DOCKBAR_LEFT);
    Layout();
    CDockBar* pLeft = Dock(AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->FloatControlBar(&m_a, CPoint(300, 200));
    ASSERT_TRUE(m_a.IsFloating());
    CMiniDockFrameWnd* pFloat = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, m_a.GetParentFrame());
    ASSERT_NE(nullptr, pFloat);
    HWND hFloat = pFloat->m_hWnd;
    EXPECT_EQ(m_hFrame, ::GetWindow(hFloat, GW_OWNER));
    EXPECT_TRUE(pFloat->IsWindowVisible());
    EXPECT_EQ(UINT(AFX_IDW_DOCKBAR_FLOAT), UINT(pFloat->m_wndDockBar.GetDlgCtrlID()));
    EXPECT_EQ(m_pFrame, pFloat->m_wndDockBar.m_pDockSite);  // the floating dock bar is the frame's
    CRect window, client;
    pFloat->GetWindowRect(&window);
    pFloat->GetClientRect(&client);
    EXPECT_EQ(Str(300, 200, 300 + window.Width(), 200 + window.Height()), Str(window));
    // The bar less the 2 pixels on each side (the window system may keep a captioned frame wider).
    EXPECT_EQ(26, client.Height());
    EXPECT_LE(96, client.Width());
    // Its old side keeps its place; the frame lays out without it.
    EXPECT_LT(0, pLeft->FindBar(reinterpret_cast<CControlBar*>(UINT_PTR(kBarA))));
    PumpMessages();
    EXPECT_EQ(Str(-2, -2, 22, 78), Str(InDock(m_b)));

    // Docking back puts it in its old place and disposes of the emptied frame.
    m_a.m_pDockContext->ToggleDocking();
    EXPECT_EQ(pLeft, m_a.m_pDockBar);
    EXPECT_FALSE(m_a.IsFloating());
    EXPECT_LT(pLeft->FindBar(&m_a), pLeft->FindBar(&m_b));
    EXPECT_EQ(-1, pLeft->FindBar(reinterpret_cast<CControlBar*>(UINT_PTR(kBarA))));
    EXPECT_FALSE(::IsWindowVisible(hFloat));
    PumpMessages();
    EXPECT_FALSE(::IsWindow(hFloat));
    EXPECT_EQ(Str(-2, -2, 28, 98), Str(InDock(m_a)));

    // Toggling a docked bar floats it again.
    m_a.m_pDockContext->ToggleDocking();
    EXPECT_TRUE(m_a.IsFloating());
}

TEST_F(DockTest, AFloatingFrameShowsAndHidesWithItsBarsAndItsCloseOnlyHidesThem)
{
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(&m_a, CPoint(300, 200));
    CFrameWnd* pFloat = m_a.GetParentFrame();
    ASSERT_NE(m_pFrame, pFloat);
    m_pFrame->ShowControlBar(&m_a, FALSE, FALSE);
    EXPECT_FALSE(pFloat->IsWindowVisible());
    m_pFrame->ShowControlBar(&m_a, TRUE, TRUE);
    EXPECT_TRUE(pFloat->IsWindowVisible());
    PumpMessages();
    EXPECT_TRUE(m_a.IsWindowVisible());
    // A bar hidden without the frame's help takes its floating frame along too.
    m_a.ShowWindow(SW_HIDE);
    EXPECT_FALSE(pFloat->IsWindowVisible());
    m_a.ShowWindow(SW_SHOW);
    EXPECT_TRUE(pFloat->IsWindowVisible());

    // The floating frame's close hides the bar; both frames stay, and the bar comes back by the frame.
    pFloat->SendMessage(WM_CLOSE);
    EXPECT_FALSE(pFloat->IsWindowVisible());
    EXPECT_FALSE(m_a.IsVisible());
    EXPECT_TRUE(::IsWindow(m_hFrame));
    m_pFrame->OnBarCheck(kBarA);
    EXPECT_TRUE(pFloat->IsWindowVisible());
    EXPECT_TRUE(m_a.IsVisible());
}

TEST_F(DockTest, TheFloatingFrameIsUpdatedAndLaidOutAtIdleWithTheBarsTitle)
{
    m_pFrame->FloatControlBar(&m_a, CPoint(300, 200));
    CMiniDockFrameWnd* pFloat = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, m_a.GetParentFrame());
    ASSERT_NE(nullptr, pFloat);
    m_a.m_nUpdates = 0;
    pFloat->m_wndDockBar.SetWindowText("Anotaciones");
    pFloat->DelayRecalcLayout();
    PumpMessages();
    CString strCaption;
    pFloat->GetWindowText(strCaption);
    EXPECT_STREQ("Anotaciones", strCaption);
    EXPECT_EQ(1, m_a.m_nUpdates);
    EXPECT_EQ(m_pFrame, m_a.m_pUpdateTarget);  // its owner, wherever it floats
}

// Queues the mouse's path for the drag loop, which reads the bar's messages itself.
void QueueDrag(CControlBar& bar, CPoint ptScreen, UINT nEnd)
{
    CPoint pt = ptScreen;
    bar.ScreenToClient(&pt);
    bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    if (nEnd == WM_KEYDOWN)
        bar.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    else
        bar.PostMessage(nEnd, 0, MAKELPARAM(pt.x, pt.y));
}

TEST_F(DockTest, DraggingDocksWhereTheOutlineTouchesAFloatsElsewhereAndCancels)
{
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->DockControlBar(&m_b, AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    CRect rectA, rectBottom;
    m_a.GetWindowRect(&rectA);
    Dock(AFX_IDW_DOCKBAR_BOTTOM)->GetWindowRect(&rectBottom);
    const CPoint ptStart(rectA.left + 5, rectA.top + 5);

    // Escape, the right button and a cancel-mode request leave everything as it was.
    for (UINT nEnd : {UINT(WM_KEYDOWN), UINT(WM_RBUTTONDOWN), UINT(WM_CANCELMODE)})
    {
        QueueDrag(m_a, CPoint(rectBottom.left + 200, rectBottom.top + 5), nEnd);
        m_a.m_pDockContext->StartDrag(ptStart);
        EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_LEFT), m_a.m_pDockBar);
        EXPECT_EQ(nullptr, CWnd::GetCapture());
    }

    // Released over the bottom dock bar's row, the bar joins that row.
    QueueDrag(m_a, CPoint(rectBottom.left + 200, rectBottom.top + 5), WM_LBUTTONUP);
    m_a.m_pDockContext->StartDrag(ptStart);
    CDockBar* pBottom = Dock(AFX_IDW_DOCKBAR_BOTTOM);
    ASSERT_EQ(pBottom, m_a.m_pDockBar);
    EXPECT_EQ(2, RowEnds(pBottom));
    EXPECT_EQ(UINT(AFX_IDW_DOCKBAR_BOTTOM), m_a.m_pDockContext->m_uMRUDockID);
    Layout();
    EXPECT_EQ(Str(-2, -2, 78, 22), Str(InDock(m_b)));
    EXPECT_EQ(-2, InDock(m_a).top);
    EXPECT_LE(76, InDock(m_a).left);

    // Released in the middle of the view, it floats where its outline was.
    CRect rectPane;
    m_pane.GetWindowRect(&rectPane);
    m_a.GetWindowRect(&rectA);
    QueueDrag(m_a, rectPane.CenterPoint(), WM_LBUTTONUP);
    m_a.m_pDockContext->StartDrag(CPoint(rectA.left + 5, rectA.top + 5));
    ASSERT_TRUE(m_a.IsFloating());
    CRect window;
    m_a.GetParentFrame()->GetWindowRect(&window);
    EXPECT_TRUE(window.PtInRect(rectPane.CenterPoint()));
    EXPECT_EQ(window.TopLeft(), m_a.m_pDockContext->m_ptMRUFloatPos);

    // A close that arrives during a drag ends the drag first; the frame closes once the drag has returned.
    m_b.GetWindowRect(&rectA);
    m_pFrame->PostMessage(WM_CLOSE);
    m_b.m_pDockContext->StartDrag(CPoint(rectA.left + 5, rectA.top + 5));
    EXPECT_FALSE(m_b.m_pDockContext->IsTracking());
    EXPECT_EQ(nullptr, CWnd::GetCapture());
    ASSERT_TRUE(::IsWindow(m_hFrame)) << "closed inside the drag's loop";
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_BOTTOM), m_b.m_pDockBar);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(m_hFrame));
}

TEST_F(DockTest, TheLayoutSavedInTheSettingsComesBackRecordByRecord)
{
    CPlainBar c(60, 20);
    ASSERT_TRUE(c.Create(m_pFrame, kBarC, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    c.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_RIGHT);
    m_pFrame->DockControlBar(&m_b, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->DockControlBar(&c, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(&c, CPoint(250, 150));
    m_pFrame->ShowControlBar(&m_b, FALSE, FALSE);
    Layout();
    m_pFrame->SaveBarState("DockTest");

    // Everything moves, then the saved layout comes back.
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(&c, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->ShowControlBar(&m_b, TRUE, FALSE);
    PumpMessages();
    m_pFrame->LoadBarState("DockTest");
    PumpMessages();
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_RIGHT), m_a.m_pDockBar);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_BOTTOM), m_b.m_pDockBar);
    EXPECT_FALSE(m_b.IsWindowVisible());
    ASSERT_TRUE(c.IsFloating());
    CRect window;
    c.GetParentFrame()->GetWindowRect(&window);
    EXPECT_EQ(CPoint(250, 150), window.TopLeft());
    EXPECT_TRUE(c.GetParentFrame()->IsWindowVisible());

    // One record written back alone changes only itself.
    CDockState state;
    ASSERT_TRUE(state.LoadState("DockTest"));
    int nFloating = -1, nSavedX = 0;
    for (int i = 0; i < int(state.m_arrBarInfo.size()); ++i)
    {
        CControlBarInfo* pInfo = state.m_arrBarInfo[size_t(i)].get();
        if (pInfo->m_bDockBar && pInfo->m_bFloating)
        {
            nFloating = i;
            ASSERT_EQ(2u, pInfo->m_entries.size());  // C, then the row's end
            EXPECT_EQ(kBarC, pInfo->m_entries[0].nID);
            EXPECT_FALSE(pInfo->m_entries[0].bPlaceHolder);
            EXPECT_TRUE(pInfo->m_entries[1].IsRowEnd());
            nSavedX = pInfo->m_pointPos.x;
            pInfo->m_pointPos.x += 1;
            EXPECT_TRUE(pInfo->SaveState("DockTest", i));
        }
        else if (pInfo->m_nBarID == AFX_IDW_DOCKBAR_TOP)
        {
            // C keeps its place on the side it floated from, saved as its id with 0x10000 added, as
            // layouts always were.
            ASSERT_EQ(2u, pInfo->m_entries.size());
            EXPECT_EQ(kBarC, pInfo->m_entries[0].nID);
            EXPECT_TRUE(pInfo->m_entries[0].bPlaceHolder);
            char szSection[64];
            snprintf(szSection, sizeof(szSection), "DockTest-Bar%d", i);
            EXPECT_EQ(0x10000u | kBarC, TestApp().GetProfileInt(szSection, "Bar#0", 0));
        }
    }
    ASSERT_LE(0, nFloating);
    CDockState again;
    ASSERT_TRUE(again.LoadState("DockTest"));
    ASSERT_EQ(state.m_arrBarInfo.size(), again.m_arrBarInfo.size());
    EXPECT_EQ(nSavedX + 1, again.m_arrBarInfo[size_t(nFloating)]->m_pointPos.x);
}

TEST_F(DockTest, DamagedSettingsNeitherCrashNorLoseABar)
{
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_TOP);
    CWinApp& app = TestApp();
    app.WriteProfileString("Broken-Summary", nullptr, nullptr);
    app.WriteProfileInt("Broken-Summary", "Bars", 99999);
    // A dock bar record naming bars that do not exist, and a floating frame far off the screen.
    app.WriteProfileInt("Broken-Bar0", "BarID", AFX_IDW_DOCKBAR_TOP);
    app.WriteProfileInt("Broken-Bar0", "Docking", 1);
    app.WriteProfileInt("Broken-Bar0", "Bars", 3);
    app.WriteProfileInt("Broken-Bar0", "Bar#0", 0x4321);
    app.WriteProfileInt("Broken-Bar0", "Bar#1", -7);
    app.WriteProfileInt("Broken-Bar0", "Bar#2", 0);
    app.WriteProfileInt("Broken-Bar1", "BarID", AFX_IDW_DOCKBAR_FLOAT);
    app.WriteProfileInt("Broken-Bar1", "Docking", 1);
    app.WriteProfileInt("Broken-Bar1", "Floating", 1);
    app.WriteProfileInt("Broken-Bar1", "XPos", 90000);
    app.WriteProfileInt("Broken-Bar1", "YPos", -90000);
    app.WriteProfileInt("Broken-Bar1", "Bars", 1);
    app.WriteProfileInt("Broken-Bar1", "Bar#0", kBarB);
    app.WriteProfileInt("Broken-Bar2", "BarID", 123456);
    m_pFrame->LoadBarState("Broken");
    PumpMessages();
    // A bar the record leaves out stays docked; the floating frame is on the screen.
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_TOP), m_a.m_pDockBar);
    ASSERT_TRUE(m_b.IsFloating());
    CRect window;
    m_b.GetParentFrame()->GetWindowRect(&window);
    EXPECT_LT(window.left, ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_GE(window.top, ::GetSystemMetrics(SM_YVIRTUALSCREEN));
    app.WriteProfileString("Broken-Summary", nullptr, nullptr);
}

int g_nFailingFramesDeleted = 0;

// A floating frame whose window refuses to be made.
class CFailingFrame : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CFailingFrame)
public:
    ~CFailingFrame() override { ++g_nFailingFramesDeleted; }
    int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CFailingFrame, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CFailingFrame, CMiniDockFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(DockTest, AFloatingFrameThatCannotBeMadeLeavesTheBarDockedAndIsFreedOnce)
{
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CFailingFrame);
    g_nFailingFramesDeleted = 0;
    m_pFrame->FloatControlBar(&m_a, CPoint(300, 200));
    EXPECT_EQ(1, g_nFailingFramesDeleted);
    EXPECT_EQ(Dock(AFX_IDW_DOCKBAR_LEFT), m_a.m_pDockBar);
    EXPECT_FALSE(m_a.IsFloating());
}

TEST_F(DockTest, TheFloatingFrameOffersHideAndItsBordersFollowItsStyle)
{
    m_pFrame->FloatControlBar(&m_a, CPoint(300, 200));
    CMiniDockFrameWnd* pFloat = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, m_a.GetParentFrame());
    ASSERT_NE(nullptr, pFloat);
    // The system menu's last item closes under the hide text.
    HMENU hSys = ::GetSystemMenu(pFloat->m_hWnd, FALSE);
    int nLast = ::GetMenuItemCount(hSys) - 1;
    char szText[64] = {};
    ::GetMenuStringA(hSys, UINT(nLast), szText, sizeof(szText), MF_BYPOSITION);
    EXPECT_EQ(UINT(SC_CLOSE), ::GetMenuItemID(hSys, nLast));
    EXPECT_STREQ("&Ocultar", szText);

    // A plain bar's frame moves when its border is dragged; its corners size along one side only.
    CRect window;
    pFloat->GetWindowRect(&window);
    auto hit = [&](int x, int y) { return pFloat->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(HTCAPTION, hit(window.left, window.top + window.Height() / 2));
    pFloat->ModifyStyle(MFS_MOVEFRAME, 0);
    EXPECT_EQ(HTLEFT, hit(window.left, window.top + window.Height() / 2));
    EXPECT_EQ(HTBOTTOM, hit(window.right - 1, window.bottom - 1));
}

// A bar that, like a sizing bar whose row is too full, opens a new row for itself while answering.
class CSplittingBar : public CPlainBar
{
public:
    using CPlainBar::CPlainBar;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        if (m_bSplit && m_pDockBar)
        {
            m_bSplit = FALSE;
            m_pDockBar->m_arrBars.InsertAt(m_pDockBar->FindBar(this), nullptr);
        }
        return CPlainBar::CalcDynamicLayout(nLength, dwMode);
    }
    BOOL m_bSplit = FALSE;
};

TEST_F(DockTest, ALayoutPassStartsAgainWhenABarSplitsItsRowAndDynamicBarsFloatAtTheirOwnSize)
{
    CSplittingBar c(60, 20);
    ASSERT_TRUE(c.Create(m_pFrame, kBarC, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    c.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_TOP);
    Layout();
    CDockBar* pTop = Dock(AFX_IDW_DOCKBAR_TOP);
    CRect rect(CPoint(150, 0), CSize(60, 20));
    pTop->ClientToScreen(&rect);
    m_pFrame->DockControlBar(&c, pTop, &rect);
    Layout();
    EXPECT_EQ(Str(150, -2, 210, 18), Str(InDock(c)));
    c.m_bSplit = TRUE;
    Layout();
    EXPECT_EQ(Str(150, 26, 210, 46), Str(InDock(c)));  // the second row, still as far along
    EXPECT_EQ(Str(-2, -2, 98, 28), Str(InDock(m_a)));

    // Floating, a bar that sizes itself is asked for its remembered size, and its frame sizes from the
    // border rather than moving.
    m_pFrame->FloatControlBar(&c, CPoint(300, 200));
    EXPECT_EQ(DWORD(LM_HORZ | LM_MRUWIDTH), c.m_modes.back());
    EXPECT_FALSE(c.GetParentFrame()->GetStyle() & MFS_MOVEFRAME);
}
}  // namespace
