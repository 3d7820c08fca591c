// CSCBMiniDockFrameWnd: creation, the one-time conversion to a caption-less sizing frame, size hand-back.
#include "dockbar/SCBMiniDockFrameWnd.h"

#include "afx/Rect.h"
#include "dockbar/SizingControlBar.h"

namespace
{

// Client = floating size less this each way.
constexpr int kFloatInset = 4;

}  // namespace

IMPLEMENT_DYNCREATE(CSCBMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CSCBMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCLBUTTONDOWN()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CSCBMiniDockFrameWnd::~CSCBMiniDockFrameWnd()
{
    m_wndDockBar.DestroyWindow();
}

CSizingControlBar* CSCBMiniDockFrameWnd::GetFloatingBar() const
{
    const HWND hDockBar = ::GetWindow(m_hWnd, GW_CHILD);
    const HWND hBar = hDockBar ? ::GetWindow(hDockBar, GW_CHILD) : nullptr;
    CWnd* pBar = hBar ? CWnd::FromHandlePermanent(hBar) : nullptr;
    if (!pBar || !pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)))
        return nullptr;
    return static_cast<CSizingControlBar*>(pBar);
}

void CSCBMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // The border sizes the frame through the window system, not by an outline.
    if (nHitTest != HTCAPTION && nHitTest != HTCLOSE && GetFloatingBar())
        CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
    else
        CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CSCBMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniFrameWnd::OnGetMinMaxInfo(lpMMI);
    if (CSizingControlBar* pBar = GetFloatingBar())
    {
        CRect rc(0, 0, pBar->m_sizeMinFloat.cx - kFloatInset, pBar->m_sizeMinFloat.cy - kFloatInset);
        CMiniFrameWnd::CalcBorders(&rc, WS_THICKFRAME);
        lpMMI->ptMinTrackSize.x = rc.Width();
        lpMMI->ptMinTrackSize.y = rc.Height();
    }
}

void CSCBMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if ((GetStyle() & MFS_4THICKFRAME) && GetFloatingBar())
    {
        // Once: from then on the bar's band is the caption and every border sizes the frame.
        lpwndpos->flags |= SWP_NOSIZE;
        m_wndDockBar.ModifyStyle(0, WS_CLIPCHILDREN);
        ModifyStyle(MFS_4THICKFRAME, 0);
        ModifyStyle(WS_CAPTION | WS_SYSMENU, 0);
        DelayRecalcLayout();
        GetFloatingBar()->PostMessage(WM_NCPAINT);
    }
    Default();
}

void CSCBMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CSizingControlBar* pBar = GetFloatingBar();
    if (pBar && !(GetStyle() & MFS_4THICKFRAME) && pBar->IsVisible())
        pBar->m_sizeFloat = CSize(cx + kFloatInset, cy + kFloatInset);
    CFrameWnd::OnSize(nType, cx, cy);
}
