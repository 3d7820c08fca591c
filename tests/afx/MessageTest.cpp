// Message maps: dispatch through the base classes, Default, and notifications reflected to their control.
#include "AfxTestSupport.h"
#include "afx/Dc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<std::string> g_calls;

class CBaseWnd : public CWnd
{
public:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        g_calls.push_back("base:create");
        return CWnd::OnCreate(lpcs);
    }
    void OnTimer(UINT_PTR nIDEvent) { g_calls.push_back("base:timer " + std::to_string(nIDEvent)); }
    LRESULT OnPing(WPARAM wParam, LPARAM)
    {
        g_calls.push_back("base:ping");
        return LRESULT(wParam) + 1;
    }
    LRESULT OnSetText(WPARAM, LPARAM)
    {
        g_calls.push_back("base:settext");
        return Default();  // the window still gets its text
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_USER + 5, OnPing)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd
{
public:
    void OnTimer(UINT_PTR nIDEvent) { g_calls.push_back("derived:timer " + std::to_string(nIDEvent)); }
    void OnSize(UINT, int cx, int cy)
    {
        g_calls.push_back("derived:size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        m_hErased = pDC ? pDC->GetSafeHdc() : nullptr;
        return TRUE;
    }
    HDC m_hErased = nullptr;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(MessageMapTest, HandlersComeFromTheMostDerivedMapThenItsBases)
{
    g_calls.clear();
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "x", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    // WM_CREATE reached the base map: the window was ours before it was created.
    ASSERT_FALSE(g_calls.empty());
    EXPECT_EQ("base:create", g_calls[0]);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));

    g_calls.clear();
    wnd.SendMessage(WM_TIMER, 9);
    EXPECT_EQ(41, wnd.SendMessage(WM_USER + 5, 40));
    wnd.MoveWindow(0, 0, 120, 60);
    wnd.SetWindowText("hola");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ("hola", text);
    std::vector<std::string> expected = {"derived:timer 9", "base:ping", "derived:size 120x60",
                                         "base:settext"};
    EXPECT_EQ(expected, g_calls);
    // A handler taking a device context gets a wrapper of the message's DC.
    HDC hDC = ::GetDC(wnd.m_hWnd);
    EXPECT_EQ(TRUE, wnd.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(hDC)));
    EXPECT_EQ(hDC, wnd.m_hErased);
    ::ReleaseDC(wnd.m_hWnd, hDC);

    HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(MessageMapTest, ForeignWindowsGetTemporaryWrappersUntilIdle)
{
    HWND hWnd =
        CreateWindowExA(0, "STATIC", "ajena", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    CString text;
    pTemp->GetWindowText(text);
    EXPECT_STREQ("ajena", text);
    PumpMessages();  // idle frees the wrapper; the window itself stays
    EXPECT_TRUE(IsWindow(hWnd));
    DestroyWindow(hWnd);
}

// ---- Reflection ----------------------------------------------------------------------

const UINT kCodeReflected = 0xFFFFFF00u;  // a negative notification code, as the controls use
const UINT kCodePassed = 0xFFFFFF01u;
const UINT kCodeBoth = 0xFFFFFF02u;
const UINT kChildId = 77;

class CChildCtrl : public CWnd
{
public:
    void OnReflected(NMHDR*, LRESULT* pResult)
    {
        g_calls.push_back("child:reflected");
        *pResult = 5;
    }
    BOOL OnBoth(NMHDR*, LRESULT*)
    {
        g_calls.push_back("child:both");
        return FALSE;
    }
    void OnChange() { g_calls.push_back("child:change"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChildCtrl, CWnd)
    ON_NOTIFY_REFLECT(kCodeReflected, OnReflected)
    ON_NOTIFY_REFLECT_EX(kCodeBoth, OnBoth)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

class CParentWnd : public CWnd
{
public:
    void OnAnyNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_calls.push_back("parent:notify " + std::to_string(int(pNMHDR->code)));
        *pResult = 9;
    }
    void OnEditChange() { g_calls.push_back("parent:change"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_NOTIFY(kCodeReflected, kChildId, OnAnyNotify)
    ON_NOTIFY(kCodePassed, kChildId, OnAnyNotify)
    ON_NOTIFY(kCodeBoth, kChildId, OnAnyNotify)
    ON_EN_CHANGE(kChildId, OnEditChange)
    ON_EN_CHANGE(kChildId + 1, OnEditChange)
END_MESSAGE_MAP()

TEST(MessageMapTest, NotificationsReachTheSendingControlBeforeItsParent)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    // A real edit control joined to our object after the fact.
    HWND hEdit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                 reinterpret_cast<HMENU>(UINT_PTR(kChildId)), nullptr, nullptr);
    CChildCtrl child;
    ASSERT_TRUE(child.SubclassWindow(hEdit));
    // An edit of nobody's: its notifications go to the parent's map.
    HWND hOther = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 30, 100, 20, parent.m_hWnd,
                                  reinterpret_cast<HMENU>(UINT_PTR(kChildId + 1)), nullptr, nullptr);

    auto notify = [&](UINT code) {
        NMHDR hdr = {hEdit, kChildId, code};
        return parent.SendMessage(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&hdr));
    };

    g_calls.clear();
    EXPECT_EQ(5, notify(kCodeReflected));
    EXPECT_EQ(std::vector<std::string>{"child:reflected"}, g_calls);

    g_calls.clear();
    EXPECT_EQ(9, notify(kCodePassed));
    EXPECT_EQ(std::vector<std::string>{"parent:notify -255"}, g_calls);

    g_calls.clear();
    notify(kCodeBoth);  // the control saw it and let the parent have it too
    EXPECT_EQ((std::vector<std::string>{"child:both", "parent:notify -254"}), g_calls);

    g_calls.clear();
    SetWindowTextA(hEdit, "abc");  // EN_CHANGE from the control itself
    SetWindowTextA(hOther, "abc");
    EXPECT_EQ((std::vector<std::string>{"child:change", "parent:change"}), g_calls);

    EXPECT_EQ(hEdit, child.UnsubclassWindow());
    g_calls.clear();
    SetWindowTextA(hEdit, "def");
    EXPECT_EQ(std::vector<std::string>{"parent:change"}, g_calls);
    parent.DestroyWindow();
}
}  // namespace
