// CMiniFrameWnd: the tool-window frame, sized and moved by the window system from its border.
#include "MiniFrame.h"
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
