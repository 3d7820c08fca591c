// CMiniFrameWnd and CMiniDockFrameWnd: tool-window frames, and the frame a floating bar lives in.
#include "MiniFrame.h"
#include "DockContext.h"
#include "Menu.h"
#include "WinApp.h"
#include "Rect.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_WM_GETMINMAXINFO()
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMsg)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

namespace
{
DWORD FrameBorderStyle(DWORD dwStyle)
{
    DWORD dwFrame = dwStyle & (WS_THICKFRAME | WS_CAPTION | WS_BORDER | WS_DLGFRAME);
    if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME))
        dwFrame |= WS_THICKFRAME;
    return dwFrame | WS_POPUP;
}
}  // namespace

BOOL CMiniFrameWnd::Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CRect rectWnd(rect);
    if (rectWnd == rectDefault)
        rectWnd.SetRectEmpty();
    m_strTitle = lpWindowName ? lpWindowName : "";
    // A child's id rides where a popup's menu would: a popup gets none.
    HMENU hMenu = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(UINT_PTR(nID)) : nullptr;
    if (!CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rectWnd.left, rectWnd.top,
                        rectWnd.Width(), rectWnd.Height(), AfxGetSafeHwnd(pParentWnd), hMenu))
        return FALSE;
    m_bDeleteWithWindow = TRUE;
    return TRUE;
}

void CMiniFrameWnd::PostNcDestroy()
{
    // A frame whose creation failed stays alive for its creator, which still holds it.
    if (m_bDeleteWithWindow)
        CFrameWnd::PostNcDestroy();
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = (cs.style & ~DWORD(WS_THICKFRAME)) | (FrameBorderStyle(cs.style) & WS_THICKFRAME);
    cs.dwExStyle |= WS_EX_TOOLWINDOW;
    return CFrameWnd::PreCreateWindow(cs);
}

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
    ::AdjustWindowRectEx(lpClientRect, FrameBorderStyle(dwStyle), FALSE, dwExStyle | WS_EX_TOOLWINDOW);
}

void CMiniFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    CalcBorders(lpClientRect, GetStyle(), GetExStyle());
}

void CMiniFrameWnd::OnNcLButtonDown(UINT, CPoint)
{
    Default();
}

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint)
{
    LRESULT nHit = Default();
    const DWORD dwStyle = GetStyle();
    if ((dwStyle & MFS_MOVEFRAME) && ((nHit >= HTSIZEFIRST && nHit <= HTSIZELAST) || nHit == HTBORDER))
        return HTCAPTION;
    if (dwStyle & MFS_4THICKFRAME)
    {
        // Corners size along one side only.
        if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
            return HTTOP;
        if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
            return HTBOTTOM;
    }
    return nHit;
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM)
{
    const UINT nCmd = nID & 0xFFF0;
    if ((GetStyle() & MFS_BLOCKSYSMENU) && (nCmd == SC_KEYMENU || nCmd == SC_MOUSEMENU))
        return;
    Default();
}

LRESULT CMiniFrameWnd::OnNcActivateMsg(WPARAM wParam, LPARAM lParam)
{
    if (!(GetStyle() & MFS_SYNCACTIVE))
        return Default();
    // The caption looks active while the frame it belongs to is active, too.
    return DefWindowProc(WM_NCACTIVATE, wParam || m_bActive, lParam);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE))
    {
        m_bActive = (wParam & FS_ACTIVATE) != 0;
        if (GetStyle() & MFS_SYNCACTIVE)
            DefWindowProc(WM_NCACTIVATE, m_bActive || ::GetActiveWindow() == m_hWnd, 0);
    }
    return 1;
}

// ---- CMiniDockFrameWnd -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_MESSAGE(WM_DISPOSEFRAME, OnDisposeEmpty)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    m_bInRecalcLayout = TRUE;  // no layout while the frame is half made
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~DWORD(MFS_MOVEFRAME);
    if (!CMiniFrameWnd::CreateEx(0, nullptr, "", dwStyle, rectDefault, pParent))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    DWORD dwDockStyle =
        (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    if (CMenu* pSysMenu = GetSystemMenu(FALSE))
    {
        CString strHide;
        if (strHide.LoadString(AFX_IDS_HIDE))
        {
            pSysMenu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
            pSysMenu->AppendMenu(MF_STRING, SC_CLOSE, strHide);
        }
    }
    // Made under pParent so that pParent is the dock bar's dock site, then moved in here.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (!m_bInRecalcLayout && m_wndDockBar.m_hWnd && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI))
    {
        CString strTitle, strNow;
        m_wndDockBar.GetWindowText(strTitle);
        GetWindowText(strNow);
        if (strTitle != strNow)
            SetWindowText(strTitle);
    }
    CMiniFrameWnd::RecalcLayout(bNotify);
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const
{
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    {
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i))
            return pBar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::OnClose()
{
    // Hiding the last visible bar hides the frame; the frame itself stays for showing them again.
    CFrameWnd* pSite = m_wndDockBar.m_pDockSite;
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i);
        if (pBar && pBar->IsVisible())
        {
            if (pSite)
                pSite->ShowControlBar(pBar, FALSE, FALSE);
            else
                pBar->ShowWindow(SW_HIDE);
        }
    }
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    CDockContext* pContext = pBar ? pBar->m_pDockContext : nullptr;
    if (pContext && nHitTest == HTCAPTION)
    {
        BringWindowToTop();
        pContext->StartDrag(point);
        return;
    }
    if (pContext && nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)
    {
        pContext->StartResize(int(nHitTest), point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint)
{
    CControlBar* pBar = GetFirstBar();
    if (nHitTest == HTCAPTION && pBar && pBar->m_pDockContext)
        pBar->m_pDockContext->ToggleDocking();
    else
        Default();
}

LRESULT CMiniDockFrameWnd::OnDisposeEmpty(WPARAM, LPARAM)
{
    if (m_wndDockBar.GetDockedCount() == 0)
        DestroyWindow();
    return 0;
}
