// The frame: command routing and update-UI, the bars' layout, prompts, tooltips and the bar toggles.
#include "AfxTestSupport.h"
#include "AfxTestIds.h"
#include "afx/Document.h"
#include "afx/Edit.h"
#include "afx/Frame.h"
#include "afx/Menu.h"
#include "afx/ReBar.h"
#include "afx/StatusBar.h"
#include "afx/ToolBar.h"
#include "afx/View.h"
#include "afx/Rect.h"
#include "afx/CmdUI.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_route;

class CTestDoc : public CDocument
{
public:
    void OnDocCmd() { g_route.push_back("doc"); }
    void OnShared() { g_route.push_back("doc:shared"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_TEST_DOC, OnDocCmd)
    ON_COMMAND(ID_TEST_SHARED, OnShared)
END_MESSAGE_MAP()

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
public:
    void OnDraw(CDC*) override {}
    void OnViewCmd() { g_route.push_back("view"); }
    void OnShared() { g_route.push_back("view:shared"); }
    void OnCopy() { g_route.push_back("view:copy"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestView, CView)

BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(ID_TEST_VIEW, OnViewCmd)
    ON_COMMAND(ID_TEST_SHARED, OnShared)
    ON_COMMAND(ID_EDIT_COPY, OnCopy)
END_MESSAGE_MAP()

// A bar of fixed width along the left side, standing in for the docking bars to come.
class CFakeBar : public CControlBar
{
public:
    BOOL Create(CWnd* pParent)
    {
        m_dwStyle = CBRS_ALIGN_LEFT;
        return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent, 0xE8F0);
    }
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(40, 32767); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

class CTestFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CTestFrame)
public:
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CReBar m_wndReBar;
    CFakeBar m_wndFake;

    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        static const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
        if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
            !m_wndStatusBar.SetIndicators(indicators, 4))
            return -1;
        m_wndStatusBar.SetPaneInfo(1, 132, SBPS_NORMAL, 150);
        m_wndStatusBar.SetPaneInfo(2, 133, SBPS_NORMAL, 150);
        m_wndStatusBar.SetPaneInfo(3, 136, SBPS_NORMAL, 150);
        if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                                   CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
            !m_wndToolBar.LoadToolBar(IDR_TESTFRAME))
            return -1;
        if (!m_wndReBar.Create(this, RBS_BANDBORDERS,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                               AFX_IDW_REBAR) ||
            !m_wndReBar.AddBar(&m_wndToolBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP))
            return -1;
        m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
        if (!m_wndFake.Create(this))
            return -1;
        return 0;
    }
    void OnFrameCmd() { g_route.push_back("frame"); }
    void OnShared() { g_route.push_back("frame:shared"); }
    void OnDisabledCmd() { g_route.push_back("frame:disabled"); }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_FRAME, OnFrameCmd)
    ON_COMMAND(ID_TEST_SHARED, OnShared)
    ON_COMMAND(ID_TEST_DISABLED, OnDisabledCmd)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

CRect ChildRect(CWnd& parent, HWND hChild)
{
    CRect rect;
    ::GetWindowRect(hChild, &rect);
    parent.ScreenToClient(&rect);
    return rect;
}

class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.m_bAutoDelete = FALSE;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CTestView);
        context.m_pCurrentDoc = &m_doc;
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(
            m_pFrame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context));
        m_pFrame->InitialUpdateFrame(&m_doc, TRUE);
        m_pFrame->MoveWindow(0, 0, 640, 420);
        PumpMessages();
        g_route.clear();
    }
    void TearDown() override
    {
        if (m_pFrame && ::IsWindow(m_hFrame()))
            m_pFrame->DestroyWindow();
    }
    HWND m_hFrame() const { return m_pFrame ? m_pFrame->m_hWnd : nullptr; }
    void Command(UINT nID) { m_pFrame->SendMessage(WM_COMMAND, nID, 0); }
    CMenu* Popup(int nPos) { return CMenu::FromHandle(::GetSubMenu(m_pFrame->GetMenu(), nPos)); }
    UINT OpenPopup(int nPos)
    {
        CMenu* pPopup = Popup(nPos);
        m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pPopup->m_hMenu), nPos);
        return pPopup->GetMenuItemCount();
    }
    CString Pane0() { return m_pFrame->m_wndStatusBar.GetPaneText(0); }

    CTestDoc m_doc;
    CTestFrame* m_pFrame = nullptr;
};

TEST_F(FrameTest, CommandsGoToViewThenDocumentThenFrameThenApplication)
{
    ASSERT_NE(nullptr, m_pFrame->GetActiveView());
    EXPECT_EQ(&m_doc, m_pFrame->GetActiveDocument());
    int nAppBefore = TestApp().m_nAppCommands;
    for (UINT nID : {ID_TEST_VIEW, ID_TEST_DOC, ID_TEST_FRAME, ID_TEST_SHARED})
        Command(nID);
    Command(ID_TEST_APP);
    EXPECT_EQ((std::vector<std::string>{"view", "doc", "frame", "view:shared"}), g_route);
    EXPECT_EQ(nAppBefore + 1, TestApp().m_nAppCommands);

    // Without an active view the document is out of reach too.
    g_route.clear();
    m_pFrame->SetActiveView(nullptr, FALSE);
    Command(ID_TEST_SHARED);
    Command(ID_TEST_DOC);
    EXPECT_EQ(std::vector<std::string>{"frame:shared"}, g_route);
}

TEST_F(FrameTest, AFocusedEditControlOfOursTakesTheEditCommandsBeforeTheView)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), m_pFrame, 0xE900));
    edit.SetWindowText("abc");
    m_pFrame->SetForegroundWindow();
    edit.SetFocus();
    edit.SetSel(0, 0);
    ASSERT_EQ(4u, OpenPopup(1));
    EXPECT_TRUE(Popup(1)->GetMenuState(ID_EDIT_COPY, MF_BYCOMMAND) & MF_GRAYED) << "nothing selected";
    edit.SetSel(0, 2);
    Command(ID_EDIT_COPY);
    EXPECT_TRUE(g_route.empty());
    m_pFrame->GetActiveView()->SetFocus();
    Command(ID_EDIT_COPY);
    EXPECT_EQ(std::vector<std::string>{"view:copy"}, g_route);
}

TEST_F(FrameTest, MenuItemsWithoutAnyHandlerShowDisabled)
{
    ASSERT_EQ(4u, OpenPopup(1));
    CMenu* pEdit = Popup(1);
    auto grayed = [&](UINT nID) { return (pEdit->GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    EXPECT_TRUE(grayed(ID_EDIT_UNDO));      // nobody handles it
    EXPECT_FALSE(grayed(ID_EDIT_COPY));     // the view does
    EXPECT_TRUE(grayed(ID_TEST_DISABLED));  // handled, but its update handler says no
    EXPECT_FALSE(grayed(ID_TEST_VIEW));

    // A command an update handler disables does not run, even when it arrives by accelerator.
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_DISABLED, 1), 0);
    EXPECT_TRUE(g_route.empty());

    m_pFrame->SetActiveView(nullptr, FALSE);
    OpenPopup(1);
    EXPECT_TRUE(grayed(ID_TEST_VIEW));
    EXPECT_TRUE(grayed(ID_EDIT_COPY));
}

TEST_F(FrameTest, ToolbarButtonsWithoutHandlerAreDisabledAtIdle)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    ASSERT_EQ(4, bar.GetCount());
    EXPECT_EQ(UINT(ID_FILE_NEW), bar.GetItemID(0));
    EXPECT_EQ(UINT(ID_SEPARATOR), bar.GetItemID(2));
    m_pFrame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_FILE_NEW));
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_EDIT_COPY));

    m_pFrame->SetActiveView(nullptr, FALSE);
    m_pFrame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_EDIT_COPY));

    // The resource's other layout loads alike; one whose bitmap is missing is refused.
    CToolBar other;
    ASSERT_TRUE(other.CreateEx(m_pFrame));
    ASSERT_TRUE(other.LoadToolBar(IDR_WORDBAR));
    ASSERT_EQ(3, other.GetCount());
    EXPECT_EQ(UINT(ID_EDIT_COPY), other.GetItemID(2));
    EXPECT_FALSE(other.LoadToolBar(IDR_BROKENBAR));
    EXPECT_FALSE(other.LoadToolBar(4321));
}

TEST_F(FrameTest, EveryBarTakesItsSideAndTheViewGetsTheRest)
{
    CRect client;
    m_pFrame->GetClientRect(&client);
    CRect rebar = ChildRect(*m_pFrame, m_pFrame->m_wndReBar.m_hWnd);
    CRect status = ChildRect(*m_pFrame, m_pFrame->m_wndStatusBar.m_hWnd);
    CRect fake = ChildRect(*m_pFrame, m_pFrame->m_wndFake.m_hWnd);
    CRect view = ChildRect(*m_pFrame, m_pFrame->GetActiveView()->m_hWnd);

    EXPECT_EQ(CRect(0, 0, client.right, rebar.bottom), rebar);
    EXPECT_GT(rebar.Height(), 15);  // holds the 22-pixel buttons
    EXPECT_EQ(CRect(0, client.bottom - status.Height(), client.right, client.bottom), status);
    EXPECT_GT(status.Height(), 10);
    EXPECT_EQ(CRect(0, rebar.bottom, 40, status.top), fake);
    EXPECT_EQ(CRect(40, rebar.bottom, client.right, status.top), view);

    // The toolbar sits in the rebar's band, not in the frame.
    EXPECT_EQ(m_pFrame->m_wndReBar.m_hWnd, ::GetParent(m_pFrame->m_wndToolBar.m_hWnd));
    EXPECT_EQ(1u, m_pFrame->m_wndReBar.GetBandCount());

    // Resizing lays out again.
    m_pFrame->MoveWindow(0, 0, 700, 500);
    m_pFrame->GetClientRect(&client);
    view = ChildRect(*m_pFrame, m_pFrame->GetActiveView()->m_hWnd);
    EXPECT_EQ(client.right, view.right);
    EXPECT_EQ(client.bottom - status.Height(), view.bottom);

    // Pane 0 stretches; the other three are 150 pixels wide.
    int edges[4] = {};
    ASSERT_EQ(4, m_pFrame->m_wndStatusBar.SendMessage(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(150, edges[2] - edges[1]);
    EXPECT_EQ(150, edges[1] - edges[0]);
    EXPECT_EQ(client.right - 450, edges[0]);
}

TEST_F(FrameTest, PromptsShowInPaneZeroAndTheIdleTextReturns)
{
    EXPECT_STREQ("Preparado", Pane0());
    HMENU hFile = ::GetSubMenu(m_pFrame->GetMenu(), 0);
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, MF_STRING), reinterpret_cast<LPARAM>(hFile));
    EXPECT_STREQ("Crear documento nuevo", Pane0());
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(1, MF_POPUP), reinterpret_cast<LPARAM>(hFile));
    EXPECT_STREQ("", Pane0());
    m_pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // menu closed
    EXPECT_STREQ("Preparado", Pane0());

    // Tooltips are the part after the newline.
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(m_pFrame->m_wndToolBar.SendMessage(TB_GETTOOLTIPS));
    info.hdr.idFrom = ID_FILE_OPEN;
    info.hdr.code = TTN_GETDISPINFOA;
    m_pFrame->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ("Abrir", info.lpszText);

    // The window title: the document's title, then the frame's.
    EXPECT_STREQ("Kesu", [&] {
        CString s;
        m_pFrame->GetWindowText(s);
        return s;
    }());
    m_doc.SetTitle("lista");
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_STREQ("lista - Kesu", title);
}

TEST_F(FrameTest, BarTogglesShowAndHideTheirBarsWithACheckMark)
{
    CMenu* pView = Popup(2);
    auto checked = [&](UINT nID) { return (pView->GetMenuState(nID, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    OpenPopup(2);
    EXPECT_TRUE(checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(checked(ID_VIEW_STATUS_BAR));

    Command(ID_VIEW_STATUS_BAR);
    Command(ID_VIEW_TOOLBAR);
    PumpMessages();
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    EXPECT_FALSE(m_pFrame->m_wndReBar.IsWindowVisible());  // its only band went with the toolbar
    OpenPopup(2);
    EXPECT_FALSE(checked(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(checked(ID_VIEW_STATUS_BAR));
    CRect client;
    m_pFrame->GetClientRect(&client);
    EXPECT_EQ(CRect(40, 0, client.right, client.bottom),
              ChildRect(*m_pFrame, m_pFrame->GetActiveView()->m_hWnd));

    Command(ID_VIEW_TOOLBAR);
    PumpMessages();
    EXPECT_TRUE(m_pFrame->m_wndReBar.IsWindowVisible());
    EXPECT_GT(ChildRect(*m_pFrame, m_pFrame->GetActiveView()->m_hWnd).top, 0);
}

HWND g_hToolBar = nullptr;
int g_nNewEnabledBeforeClose = -1;

void CALLBACK CloseOnTimer(HWND hWnd, UINT, UINT_PTR nID, DWORD)
{
    ::KillTimer(hWnd, nID);
    g_nNewEnabledBeforeClose = int(::SendMessageA(g_hToolBar, TB_ISBUTTONENABLED, ID_FILE_NEW, 0));
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
}

TEST_F(FrameTest, TheLoopUpdatesAtIdleAndEndsWithTheMainWindow)
{
    CToolBar& bar = m_pFrame->m_wndToolBar;
    bar.SendMessage(TB_ENABLEBUTTON, ID_FILE_NEW, TRUE);
    g_hToolBar = bar.m_hWnd;
    TestApp().m_pMainWnd = m_pFrame;
    m_pFrame->SetTimer(1, 200, &CloseOnTimer);
    EXPECT_EQ(0, TestApp().Run());
    EXPECT_EQ(0, g_nNewEnabledBeforeClose);  // idle time disabled the button without a handler
    EXPECT_EQ(nullptr, TestApp().m_pMainWnd);
    m_pFrame = nullptr;  // deleted itself with its window
}

TEST_F(FrameTest, ClosingTheFrameDestroysItAndItsBars)
{
    HWND hStatus = m_pFrame->m_wndStatusBar.m_hWnd;
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hStatus));
    m_pFrame = nullptr;  // deleted itself with its window
}
}  // namespace
