// The sizing bars on a real frame: edges and hit codes in a row, edge drags and their limits, the
// gripper band and close button, the floating frame, and the sizes kept in the settings.
#include "afx/DockBar.h"
#include "afx/Frame.h"
#include "afx/WinApp.h"
#include "afx/Rect.h"
#include "dockbar/SCBMiniDockFrameWnd.h"
#include "dockbar/SizingControlBarG.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class CDockTestApp : public CWinApp
{
public:
    CDockTestApp() : CWinApp("KesuDockTest") {}
};

CDockTestApp& TestApp()
{
    static CDockTestApp theApp;
    return theApp;
}

class DockEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        TestApp();
        char cmdLine[] = "";
        ASSERT_TRUE(AfxWinInit(GetModuleHandleA(nullptr), nullptr, cmdLine, SW_SHOWNORMAL));
        TestApp().SetRegistryKey("KesuTest");
    }
};
::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new DockEnvironment);

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    TestApp().OnIdle(0);
    TestApp().OnIdle(1);
}

CRect WindowRect(const CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(rc);
    return rc;
}

UINT HitAt(CWnd& bar, CPoint ptScreen)
{
    return static_cast<UINT>(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y)));
}

void ClickAt(CPoint ptDown, CPoint ptUp)
{
    SetCursorPos(ptDown.x, ptDown.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in[0], sizeof(INPUT));
    PumpMessages();
    SetCursorPos(ptUp.x, ptUp.y);
    PumpMessages();
    SendInput(1, &in[1], sizeof(INPUT));
    for (int i = 0; i < 20; ++i)
    {
        PumpMessages();
        Sleep(5);
    }
}

constexpr int kBars = 3;

class SizingBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(
            m_pFrame->Create(nullptr, "Barras", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 480)));
        for (int i = 0; i < kBars; ++i)
        {
            m_pBars[i] = new CSizingControlBarG;
            ASSERT_TRUE(m_pBars[i]->Create("", m_pFrame, 200 + i, WS_CHILD | WS_VISIBLE | CBRS_TOP));
            m_pBars[i]->SetBarStyle(m_pBars[i]->GetBarStyle() | CBRS_SIZE_DYNAMIC);
            m_pBars[i]->EnableDocking(CBRS_ALIGN_ANY);
        }
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CSCBMiniDockFrameWnd);
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        for (CSizingControlBarG* pBar : m_pBars)
            delete pBar;
        PumpMessages();
    }
    void Layout()
    {
        m_pFrame->RecalcLayout();
        PumpMessages();
        m_pFrame->RecalcLayout();
        PumpMessages();
    }
    // Docks bar i into the row of bar 0, after the bars already there.
    void DockInRowOfFirst(int i, UINT nDockBarID)
    {
        CRect rc = WindowRect(Bar(i - 1));
        rc.OffsetRect(rc.Width() - 4, 0);
        m_pFrame->DockControlBar(m_pBars[i], nDockBarID, rc);
        Layout();
    }
    CSizingControlBarG& Bar(int i) { return *m_pBars[i]; }

    CFrameWnd* m_pFrame = nullptr;
    CSizingControlBarG* m_pBars[kBars] = {};
};

}  // namespace

TEST_F(SizingBarTest, EdgesBetweenNeighboursDependOnThePlaceInTheRow)
{
    m_pFrame->DockControlBar(m_pBars[0], AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    EXPECT_EQ(SCB_EDGE_TOP, Bar(0).m_dwSizingStyle & SCB_EDGE_ALL) << "a lone bar has only the outer edge";
    DockInRowOfFirst(1, AFX_IDW_DOCKBAR_BOTTOM);
    DockInRowOfFirst(2, AFX_IDW_DOCKBAR_BOTTOM);
    ASSERT_EQ(WindowRect(Bar(0)).top, WindowRect(Bar(2)).top) << "one row";

    EXPECT_EQ(SCB_EDGE_TOP | SCB_EDGE_RIGHT, Bar(0).m_dwSizingStyle & SCB_EDGE_ALL);
    EXPECT_EQ(SCB_EDGE_TOP | SCB_EDGE_LEFT | SCB_EDGE_RIGHT, Bar(1).m_dwSizingStyle & SCB_EDGE_ALL);
    EXPECT_EQ(SCB_EDGE_TOP | SCB_EDGE_LEFT, Bar(2).m_dwSizingStyle & SCB_EDGE_ALL);

    // The row's length is shared: the bars overlap by 2 and overhang the dock bar by 2 at each end.
    CRect rcDock = WindowRect(*Bar(0).GetParent());
    int nSum = 0;
    for (int i = 0; i < kBars; ++i)
        nSum += Bar(i).m_sizeHorz.cx - 2;
    EXPECT_EQ(rcDock.Width() + 2, nSum);

    const CRect rcMiddle = WindowRect(Bar(1));
    const int yMid = rcMiddle.CenterPoint().y;
    EXPECT_EQ(HTLEFT, HitAt(Bar(1), CPoint(rcMiddle.left + 2, yMid)));
    EXPECT_EQ(HTRIGHT, HitAt(Bar(1), CPoint(rcMiddle.right - 2, yMid)));
    EXPECT_EQ(HTTOP, HitAt(Bar(1), CPoint(rcMiddle.CenterPoint().x, rcMiddle.top + 1)));
    EXPECT_EQ(HTCLIENT, HitAt(Bar(1), CPoint(rcMiddle.CenterPoint().x, rcMiddle.bottom - 2)));
    EXPECT_EQ(HTCLIENT, HitAt(Bar(0), CPoint(WindowRect(Bar(0)).left + 2, yMid)));
}

TEST_F(SizingBarTest, EdgeDragStopsAtTheMinimumsAndRightButtonOrLostCaptureEndIt)
{
    m_pFrame->DockControlBar(m_pBars[0], AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    DockInRowOfFirst(1, AFX_IDW_DOCKBAR_BOTTOM);
    const int nTotal = Bar(0).m_sizeHorz.cx + Bar(1).m_sizeHorz.cx;

    CRect rc = WindowRect(Bar(0));
    const CPoint ptEdge(rc.right - 2, rc.CenterPoint().y);
    ASSERT_EQ(HTRIGHT, HitAt(Bar(0), ptEdge));
    Bar(0).SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptEdge.x, ptEdge.y));
    ASSERT_TRUE(Bar(0).m_bDragging);
    EXPECT_EQ(&Bar(0), CWnd::GetCapture());
    CPoint pt(ptEdge.x + 5000, ptEdge.y);
    Bar(0).TrackEdgeDrag(pt);
    EXPECT_EQ(33, Bar(1).m_sizeHorz.cx);
    EXPECT_EQ(nTotal - 33, Bar(0).m_sizeHorz.cx);
    pt.x = ptEdge.x - 5000;
    Bar(0).TrackEdgeDrag(pt);
    EXPECT_EQ(33, Bar(0).m_sizeHorz.cx);
    EXPECT_EQ(nTotal - 33, Bar(1).m_sizeHorz.cx);
    Bar(0).SendMessage(WM_RBUTTONDOWN, 0, 0);
    EXPECT_FALSE(Bar(0).m_bDragging);
    EXPECT_NE(&Bar(0), CWnd::GetCapture());

    // The outer edge: up to the free space above less 2, down to the row's largest minimum thickness.
    Layout();
    Bar(1).m_sizeMinHorz.cy = 40;
    rc = WindowRect(Bar(0));
    const CPoint ptTop(rc.CenterPoint().x, rc.top + 1);
    CRect rcFree;
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcFree, nullptr, TRUE);
    const int nThickness = Bar(0).m_sizeHorz.cy;
    Bar(0).BeginEdgeDrag(HTTOP, ptTop);
    pt = CPoint(ptTop.x, ptTop.y - 5000);
    Bar(0).TrackEdgeDrag(pt);
    EXPECT_EQ(nThickness + rcFree.Height() - 2, Bar(0).m_sizeHorz.cy);
    EXPECT_EQ(Bar(0).m_sizeHorz.cy, Bar(1).m_sizeHorz.cy);
    pt.y = ptTop.y + 5000;
    Bar(0).TrackEdgeDrag(pt);
    EXPECT_EQ(40, Bar(0).m_sizeHorz.cy);
    // Capture taken by another window ends the drag as a release would.
    m_pFrame->SetCapture();
    EXPECT_FALSE(Bar(0).m_bDragging);
    CWnd::ReleaseCapture();
}

TEST_F(SizingBarTest, GripperBandAndCloseButtonFollowTheSide)
{
    m_pFrame->DockControlBar(m_pBars[0], AFX_IDW_DOCKBAR_TOP);
    m_pFrame->DockControlBar(m_pBars[1], AFX_IDW_DOCKBAR_LEFT);
    Layout();
    // Top row: band at the left, button at its top.
    EXPECT_EQ(CPoint(4, 5), Bar(0).m_btnClose.m_ptOrigin);
    // Left row: band on top, button at its right end.
    const CRect rcLeft = WindowRect(Bar(1));
    EXPECT_EQ(CPoint(rcLeft.Width() - 17, 4), Bar(1).m_btnClose.m_ptOrigin);
    EXPECT_EQ(HTCLOSE, HitAt(Bar(1), rcLeft.TopLeft() + Bar(1).m_btnClose.m_ptOrigin + CSize(5, 5)));

    m_pFrame->FloatControlBar(m_pBars[2], CPoint(300, 300));
    Layout();
    const CRect rcFloat = WindowRect(Bar(2));
    EXPECT_EQ(CPoint(rcFloat.Width() - 15, 4), Bar(2).m_btnClose.m_ptOrigin);
}

TEST_F(SizingBarTest, ReleaseOnTheCloseButtonHidesTheBarAndReleaseElsewhereDoesNot)
{
    m_pFrame->DockControlBar(m_pBars[0], AFX_IDW_DOCKBAR_LEFT);
    Layout();
    const CRect rc = WindowRect(Bar(0));
    const CPoint ptButton = rc.TopLeft() + Bar(0).m_btnClose.m_ptOrigin + CSize(5, 5);
    ASSERT_EQ(HTCLOSE, HitAt(Bar(0), ptButton));

    ClickAt(ptButton, CPoint(rc.left + 20, rc.top + 8));
    EXPECT_TRUE(Bar(0).IsWindowVisible()) << "released over the band";
    ClickAt(ptButton, ptButton);
    EXPECT_FALSE(Bar(0).IsWindowVisible());
    EXPECT_FALSE(Bar(0).IsVisible());

    Bar(0).SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(Bar(0).m_hWnd)) << "a close message leaves the bar alone";
}

TEST_F(SizingBarTest, FloatingFrameDropsItsCaptionOnceAndHandsItsSizeToTheBar)
{
    m_pFrame->FloatControlBar(m_pBars[0], CPoint(200, 200));
    Layout();
    ASSERT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_FLOAT), Bar(0).m_nDockSide);
    CFrameWnd* pMini = Bar(0).GetParentFrame();
    ASSERT_TRUE(pMini && pMini->IsKindOf(RUNTIME_CLASS(CSCBMiniDockFrameWnd)));
    EXPECT_EQ(&Bar(0), static_cast<CSCBMiniDockFrameWnd*>(pMini)->GetFloatingBar());
    const DWORD dwStyle = pMini->GetStyle();
    EXPECT_EQ(0u, dwStyle & (WS_CAPTION | WS_SYSMENU | MFS_4THICKFRAME));
    EXPECT_NE(0u, dwStyle & WS_THICKFRAME);

    const CRect rcBar = WindowRect(Bar(0));
    for (CPoint pt : {rcBar.TopLeft() + CSize(1, 1), CPoint(rcBar.right - 1, rcBar.bottom - 1)})
        EXPECT_EQ(HTCLIENT, HitAt(Bar(0), pt));

    // A client of 300 x 200 gives the bar 304 x 204.
    CRect rcWnd = WindowRect(*pMini), rcClient;
    pMini->GetClientRect(rcClient);
    const CSize border(rcWnd.Width() - rcClient.Width(), rcWnd.Height() - rcClient.Height());
    pMini->SetWindowPos(nullptr, 0, 0, 300 + border.cx, 200 + border.cy, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    EXPECT_EQ(CSize(304, 204), Bar(0).m_sizeFloat);

    MINMAXINFO mmi = {};
    pMini->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(33 + border.cx, mmi.ptMinTrackSize.x);
    EXPECT_EQ(28 + border.cy, mmi.ptMinTrackSize.y);
}

TEST_F(SizingBarTest, FittedChildFillsTheClientAfterEveryResize)
{
    CWnd child;
    ASSERT_TRUE(child.Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &Bar(0), 1));
    Bar(0).m_dwSizingStyle |= SCB_FIT_CHILD;
    m_pFrame->DockControlBar(m_pBars[0], AFX_IDW_DOCKBAR_LEFT);
    Layout();
    CRect rcClient, rcChild;
    Bar(0).GetClientRect(rcClient);
    child.GetWindowRect(rcChild);
    EXPECT_EQ(rcClient.Size(), rcChild.Size());
    child.DestroyWindow();
}

TEST_F(SizingBarTest, SizesKeptInTheSettingsComeBackNoSmallerThanTheMinimums)
{
    m_pFrame->DockControlBar(m_pBars[0], AFX_IDW_DOCKBAR_LEFT);
    Layout();
    Bar(0).m_sizeHorz = CSize(310, 70);
    Bar(0).m_sizeVert = CSize(120, 260);
    Bar(0).m_sizeFloat = CSize(150, 90);
    Bar(0).SaveBarSizes("DockTest");
    EXPECT_EQ(120u, TestApp().GetProfileInt("DockTest-SCBar-200", "sizeVertCX", 0));

    Bar(0).m_sizeHorz = Bar(0).m_sizeVert = Bar(0).m_sizeFloat = CSize(0, 0);
    Bar(0).LoadBarSizes("DockTest");
    EXPECT_EQ(CSize(310, 70), Bar(0).m_sizeHorz);
    EXPECT_EQ(CSize(120, 260), Bar(0).m_sizeVert);
    EXPECT_EQ(CSize(150, 90), Bar(0).m_sizeFloat);

    TestApp().WriteProfileInt("DockTest-SCBar-200", "sizeHorzCX", 5);
    TestApp().WriteProfileInt("DockTest-SCBar-200", "sizeVertCY", -40);
    TestApp().WriteProfileInt("DockTest-SCBar-200", "sizeFloatCX", 90000);
    Bar(0).LoadBarSizes("DockTest");
    EXPECT_EQ(33, Bar(0).m_sizeHorz.cx);
    EXPECT_EQ(32, Bar(0).m_sizeVert.cy);
    EXPECT_EQ(90000, Bar(0).m_sizeFloat.cx);
    TestApp().WriteProfileString("DockTest-SCBar-200", nullptr, nullptr);
}

TEST_F(SizingBarTest, AFloatingPlaceMovesInItsOwnSectionWhenADamagedRecordBeforeItIsDropped)
{
    CWinApp& app = TestApp();
    app.WriteProfileInt("Damaged-Summary", "Bars", 3);
    app.WriteProfileInt("Damaged-Bar0", "BarID", 123456);
    app.WriteProfileInt("Damaged-Bar0", "XPos", 7);
    app.WriteProfileInt("Damaged-Bar1", "BarID", AFX_IDW_DOCKBAR_FLOAT);
    app.WriteProfileInt("Damaged-Bar1", "Docking", 1);
    app.WriteProfileInt("Damaged-Bar1", "Floating", 1);
    app.WriteProfileInt("Damaged-Bar1", "XPos", 300);
    app.WriteProfileInt("Damaged-Bar1", "YPos", 200);
    app.WriteProfileInt("Damaged-Bar1", "Bars", 2);
    app.WriteProfileInt("Damaged-Bar1", "Bar#0", 200);
    app.WriteProfileInt("Damaged-Bar1", "Bar#1", 0);
    app.WriteProfileInt("Damaged-Bar2", "BarID", AFX_IDW_DOCKBAR_BOTTOM);
    app.WriteProfileInt("Damaged-Bar2", "Docking", 1);
    app.WriteProfileInt("Damaged-Bar2", "Bars", 1);
    app.WriteProfileInt("Damaged-Bar2", "Bar#0", 0x10000 | 201);

    Bar(0).LoadBarSizes("Damaged");
    EXPECT_EQ(123456u, app.GetProfileInt("Damaged-Bar0", "BarID", 0));
    EXPECT_EQ(7u, app.GetProfileInt("Damaged-Bar0", "XPos", 0));
    EXPECT_EQ(99u, app.GetProfileInt("Damaged-Bar0", "Floating", 99));
    EXPECT_EQ(301u, app.GetProfileInt("Damaged-Bar1", "XPos", 0));
    EXPECT_EQ(static_cast<UINT>(200 + GetSystemMetrics(SM_CYSMCAPTION) + 1),
              app.GetProfileInt("Damaged-Bar1", "YPos", 0));
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM), app.GetProfileInt("Damaged-Bar2", "BarID", 0));
    EXPECT_EQ(0x10000u | 201, app.GetProfileInt("Damaged-Bar2", "Bar#0", 0));
    for (const char* section : {"Damaged-Summary", "Damaged-Bar0", "Damaged-Bar1", "Damaged-Bar2"})
        app.WriteProfileString(section, nullptr, nullptr);
}

TEST_F(SizingBarTest, WithFullWindowDragTheBarFollowsTheEdgeAtIdleTimeInsteadOfALine)
{
    BOOL bWas = FALSE;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &bWas, 0);
    m_pFrame->DockControlBar(m_pBars[0], AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    const int nHeight = WindowRect(Bar(0)).Height();
    for (BOOL bFull : {TRUE, FALSE})
    {
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, bFull, nullptr, 0);
        Bar(0).SendMessage(WM_SETTINGCHANGE, SPI_SETDRAGFULLWINDOWS, 0);
        ASSERT_EQ(bFull, Bar(0).m_bFullDrag);
        const CRect rc = WindowRect(Bar(0));
        const CPoint ptTop(rc.CenterPoint().x, rc.top + 1);
        Bar(0).BeginEdgeDrag(HTTOP, ptTop);
        CPoint pt(ptTop.x, ptTop.y - 30);
        Bar(0).TrackEdgeDrag(pt);
        PumpMessages();
        EXPECT_EQ(bFull ? nHeight + 30 : nHeight, WindowRect(Bar(0)).Height())
            << "during, full drag " << bFull;
        Bar(0).EndEdgeDrag();
        PumpMessages();
        EXPECT_EQ(nHeight + 30, WindowRect(Bar(0)).Height()) << "after, full drag " << bFull;
        Bar(0).m_sizeHorz.cy = nHeight;
        Layout();
    }
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, bWas, nullptr, 0);
    Bar(0).SendMessage(WM_SETTINGCHANGE, SPI_SETDRAGFULLWINDOWS, 0);
}
