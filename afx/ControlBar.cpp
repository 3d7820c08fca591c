// CControlBar: bar style, natural size, and the bar's part in its frame's layout and idle update.
#include "ControlBar.h"
#include "ControlBarInfo.h"
#include "Dc.h"
#include "DockBar.h"
#include "DockContext.h"
#include "Frame.h"

#include <new>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::~CControlBar()
{
    // Deleting the object must not delete it again from PostNcDestroy.
    m_bAutoDelete = FALSE;
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    delete m_pDockContext;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pDockSite = GetParentFrame();
    if (m_pDockSite)
        m_pDockSite->AddControlBar(this);
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar)
        m_pDockBar->RemoveControlBar(this);
    m_pDockBar = nullptr;
    if (m_pDockSite)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    if (m_nStateFlags & delayShow)
        return TRUE;
    return m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
}

BOOL CControlBar::IsDockBar() const
{
    return FALSE;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame ? pFrame : m_pDockSite;
}

void CControlBar::OnShowChildBar(CControlBar*, BOOL) {}

BOOL CControlBar::IsFloating() const
{
    return m_pDockBar && m_pDockBar->m_bFloating;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (!m_pDockContext)
        m_pDockContext = new (std::nothrow) CDockContext(this);
    if (!m_hWndOwner && m_hWnd)
        m_hWndOwner = ::GetParent(m_hWnd);
}

void CControlBar::OnLButtonDown(UINT, CPoint point)
{
    if (!m_pDockBar || !m_pDockContext)
    {
        Default();
        return;
    }
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
}

void CControlBar::OnLButtonDblClk(UINT, CPoint)
{
    if (m_pDockBar && m_pDockContext)
        m_pDockContext->ToggleDocking();
    else
        Default();
}

void CControlBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    // nStatus 0: a ShowWindow call, not an owner being minimized or restored.
    if (nStatus == 0 && m_pDockBar)
        m_pDockBar->OnShowChildBar(this, bShow);
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_pBar = this;
    pInfo->m_nBarID = UINT(GetDlgCtrlID());
    pInfo->m_bVisible = IsVisible();
    pInfo->m_bFloating = IsFloating();
    pInfo->m_bDockBar = FALSE;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_nMRUWidth = m_nMRUWidth;
    CRect rect;
    GetWindowRect(&rect);
    if (m_pDockBar)
        m_pDockBar->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    if (m_pDockContext)
    {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    m_nMRUWidth = pInfo->m_nMRUWidth;
    // A docked bar's place along its row; the dock bar's layout decides the row's place across.
    if (m_pDockBar)
        SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_pDockContext)
    {
        const UINT nID = pInfo->m_uMRUDockID;
        m_pDockContext->m_uMRUDockID = nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM ? nID : 0;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    if (pFrameWnd)
        pFrameWnd->ShowControlBar(this, pInfo->m_bVisible, TRUE);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~UINT(delayHide | delayShow);
    BOOL bVisible = m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

void CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    UINT nFlags = m_nStateFlags;
    m_nStateFlags &= ~UINT(delayHide | delayShow);
    if (!(nFlags & (delayHide | delayShow)) || !m_hWnd)
        return;
    BOOL bShow = (nFlags & delayShow) != 0;
    if (bShow == ((GetStyle() & WS_VISIBLE) != 0))
        return;
    const UINT swp =
        (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (lpLayout && lpLayout->hDWP)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, swp);
    else
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swp);
}

static int BorderWidth(DWORD dwStyle)
{
    return (dwStyle & CBRS_BORDER_3D) ? 2 : 1;
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const DWORD dwStyle = m_dwStyle;
    if (!pDC || !(dwStyle & CBRS_BORDER_ANY))
        return;
    // An etched line: shadow outside, and with CBRS_BORDER_3D a highlight inside it.
    const COLORREF colors[2] = {::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT)};
    const int nLines = BorderWidth(dwStyle);
    for (int i = 0; i < nLines; ++i)
    {
        const COLORREF cr = colors[i];
        if (dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), cr);
        if (dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, cr);
        if (dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), cr);
        if (dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, cr);
        rect.DeflateRect((dwStyle & CBRS_BORDER_LEFT) ? 1 : 0, (dwStyle & CBRS_BORDER_TOP) ? 1 : 0,
                         (dwStyle & CBRS_BORDER_RIGHT) ? 1 : 0, (dwStyle & CBRS_BORDER_BOTTOM) ? 1 : 0);
    }
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    const DWORD dwStyle = m_dwStyle;
    const int n = BorderWidth(dwStyle);
    rect.DeflateRect((dwStyle & CBRS_BORDER_LEFT) ? n : 0, (dwStyle & CBRS_BORDER_TOP) ? n : 0,
                     (dwStyle & CBRS_BORDER_RIGHT) ? n : 0, (dwStyle & CBRS_BORDER_BOTTOM) ? n : 0);
    // The margins turn with the bar: a vertical bar's leading margin is at its top.
    if (bHorz)
        rect.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    else
        rect.DeflateRect(m_cyTopBorder, m_cxLeftBorder, m_cyBottomBorder, m_cxRightBorder);
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
    BOOL bVisible = IsVisible();
    if (lpLayout->hDWP && (m_nStateFlags & (delayHide | delayShow)))
        RecalcDelayShow(lpLayout);
    if (!bVisible || !(dwStyle & CBRS_ALIGN_ANY))
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

CWnd* CControlBar::GetCommandTarget() const
{
    CWnd* pTarget = m_hWndOwner ? FromHandle(m_hWndOwner) : nullptr;
    if (!pTarget && m_pDockSite && m_pDockSite->m_hWnd)
        pTarget = m_pDockSite;
    if (!pTarget)
        pTarget = GetParent();
    return pTarget && pTarget != this && pTarget->m_hWnd ? pTarget : nullptr;
}

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CWnd* pTarget = GetCommandTarget();
    if (!pTarget)
        return FALSE;
    pTarget->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CWnd* pTarget = GetCommandTarget();
    if (!pTarget)
        return FALSE;
    *pResult = pTarget->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* pOwner = GetCommandTarget();
    CFrameWnd* pTarget = pOwner && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget)
        OnUpdateCmdUI(pTarget, BOOL(wParam));
    return 0;
}
