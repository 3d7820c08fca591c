// CSCBMiniDockFrameWnd: creation, the one-time conversion to a caption-less sizing frame, size hand-back.
#include "dockbar/SCBMiniDockFrameWnd.h"

#include "afx/AfxRes.h"
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

BOOL CSCBMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    // No layout while the frame is half made.
    m_bInRecalcLayout = TRUE;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~MFS_MOVEFRAME;
    if (!CMiniFrameWnd::CreateEx(0, nullptr, "", dwStyle, rectDefault, pParent, 0))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    DWORD dwDockStyle =
        (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;

    CString strHide;
    const HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hSysMenu && strHide.LoadString(AFX_IDS_HIDE))
    {
        ::DeleteMenu(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
        ::AppendMenuA(hSysMenu, MF_STRING, SC_CLOSE, strHide);
    }

    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
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
