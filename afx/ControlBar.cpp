// CControlBar: bar style, natural size, and the bar's part in its frame's layout and idle update.
#include "ControlBar.h"
#include "Frame.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

void CControlBar::InitBar(DWORD dwStyle, CWnd* pParentWnd)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    if (pParentWnd && pParentWnd->IsFrameWnd())
        m_pDockSite = static_cast<CFrameWnd*>(pParentWnd);
    else if (pParentWnd)
        m_pDockSite = pParentWnd->GetParentFrame();
}

void CControlBar::PostNcDestroy()
{
    m_pDockSite = nullptr;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
}

BOOL CControlBar::IsVisible() const
{
    return m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
}

BOOL CControlBar::IsDockBar() const
{
    return FALSE;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size((bStretch && bHorz) ? 32767 : 0, (bStretch && !bHorz) ? 32767 : 0);
    if (!bStretch || !bHorz)
        size.cx += m_cxLeftBorder + m_cxRightBorder;
    if (!bStretch || bHorz)
        size.cy += m_cyTopBorder + m_cyBottomBorder;
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD dwStyle = m_dwStyle;
    if (!(GetStyle() & WS_VISIBLE) || !(dwStyle & CBRS_ALIGN_ANY))
        return 0;

    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((dwStyle & CBRS_SIZE_DYNAMIC) && (dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    if (size.cx > sizeAvail.cx)
        size.cx = sizeAvail.cx;
    if (size.cy > sizeAvail.cy)
        size.cy = sizeAvail.cy;
    if (size.cx < 0)
        size.cx = 0;
    if (size.cy < 0)
        size.cy = 0;

    // The bar takes its strip from the free rectangle's side; what remains goes on.
    if (dwStyle & CBRS_ORIENT_HORZ)
    {
        lpLayout->sizeTotal.cy += size.cy;
        if (size.cx > lpLayout->sizeTotal.cx)
            lpLayout->sizeTotal.cx = size.cx;
        if (dwStyle & CBRS_ALIGN_TOP)
        {
            lpLayout->rect.top += size.cy;
        }
        else
        {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        if (size.cy > lpLayout->sizeTotal.cy)
            lpLayout->sizeTotal.cy = size.cy;
        if (dwStyle & CBRS_ALIGN_LEFT)
        {
            lpLayout->rect.left += size.cx;
        }
        else
        {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget)
        OnUpdateCmdUI(pTarget, BOOL(wParam));
    return 0;
}
