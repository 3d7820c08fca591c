// CDockBar: the rows of docked bars, their layout pass, and bars coming and going.
#include "DockBar.h"
#include "DockContext.h"
#include "Frame.h"

#include <algorithm>
#include <climits>

namespace
{
// Bars overlap their neighbours (and the dock bar's edges) by this much.
constexpr int kOverlap = 2;
// A layout pass starts again when a bar changed the rows while answering; this bounds the restarts.
constexpr int kMaxRestarts = 8;

void* PlaceHolderFor(UINT nID)
{
    return reinterpret_cast<void*>(UINT_PTR(nID));
}
}  // namespace

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar()
{
    ReleaseBars();
}

void CDockBar::ReleaseBars()
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar && pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
    }
    m_arrBars.RemoveAll();
    m_arrBars.Add(nullptr);
}

void CDockBar::OnDestroy()
{
    // The bars' windows go with this one; they must not come back to it.
    ReleaseBars();
    CControlBar::OnDestroy();
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (nID == AFX_IDW_DOCKBAR_FLOAT)
        m_bFloating = TRUE;
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!lpszClass)
        return FALSE;
    return CWnd::Create(lpszClass, nullptr, (dwStyle & ~DWORD(CBRS_ALL)) | WS_CHILD | WS_CLIPSIBLINGS,
                        CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CDockBar::IsDockBar() const
{
    return TRUE;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The docked bars are updated as descendants of the frame.
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    void* pEntry = m_arrBars.GetAt(nPos);
    return pEntry && !AfxIsPlaceHolder(pEntry) ? static_cast<CControlBar*>(pEntry) : nullptr;
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        nCount += GetDockedControlBar(i) ? 1 : 0;
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        nCount += pBar && pBar->IsVisible() ? 1 : 0;
    }
    return nCount;
}

void CDockBar::TidyRows()
{
    // One null between rows, one at each end.
    for (int i = 1; i < m_arrBars.GetSize();)
    {
        if (!m_arrBars[i] && !m_arrBars[i - 1])
            m_arrBars.RemoveAt(i);
        else
            ++i;
    }
    if (m_arrBars.IsEmpty() || m_arrBars[0])
        m_arrBars.InsertAt(0, nullptr);
    if (m_arrBars[m_arrBars.GetUpperBound()])
        m_arrBars.Add(nullptr);
}

// ---- Layout ----------------------------------------------------------------------------------

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    m_bLayoutQuery = lpLayout->hDWP == nullptr;
    m_rectLayout = lpLayout->rect;
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = FALSE;
    return lResult;
}

void CDockBar::SettleDelayedShows()
{
    int nPending = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        nPending += pBar && (pBar->m_nStateFlags & (delayHide | delayShow)) ? 1 : 0;
    }
    if (nPending == 0)
        return;
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(nPending);
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar && (pBar->m_nStateFlags & (delayHide | delayShow)))
            pBar->RecalcDelayShow(&layout);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!m_bLayoutQuery)
        SettleDelayedShows();
    CRect rectFree = m_rectLayout;
    if (rectFree.IsRectEmpty())
    {
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame && pFrame->m_hWnd)
            pFrame->GetClientRect(&rectFree);
    }
    const int nLength = bHorz ? rectFree.Width() : rectFree.Height();

    LayoutResult result;
    for (int nRestart = 0; nRestart <= kMaxRestarts; ++nRestart)
    {
        if (LayOutRows(bHorz, nLength, nRestart < kMaxRestarts, result))
            break;
    }
    int nAcross = result.bAny ? result.nAcrossEnd - kOverlap : 0;
    int nAlong = bStretch ? 32767 : (result.bAny ? result.nAlongEnd - kOverlap : 0);
    return bHorz ? CSize(nAlong, nAcross) : CSize(nAcross, nAlong);
}

BOOL CDockBar::LayOutRows(BOOL bHorz, int nLength, BOOL bMayRestart, LayoutResult& result)
{
    result = LayoutResult();
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(std::max(1, m_arrBars.GetSize()));
    int nAlong = -kOverlap;   // where the row's next bar goes
    int nAcross = -kOverlap;  // where the current row starts across
    int nThickness = 0;       // the current row's thickness
    bool bRowHasBars = false;
    BOOL bDone = TRUE;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (!m_arrBars[i])
        {
            if (bRowHasBars)
                nAcross += nThickness - kOverlap;
            nAlong = -kOverlap;
            nThickness = 0;
            bRowHasBars = false;
            continue;
        }
        CControlBar* pBar = GetDockedControlBar(i);
        if (!pBar || !pBar->IsVisible())
            continue;
        DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
        if (m_bFloating && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC))
            dwMode = LM_MRUWIDTH | (bHorz ? LM_HORZ : 0);
        CSize size = pBar->CalcDynamicLayout(-1, dwMode);
        if (bMayRestart && m_arrBars[i] != pBar)
        {
            // The bar rearranged the rows while answering (a row too full was split).
            bDone = FALSE;
            break;
        }
        const int nSizeAlong = bHorz ? size.cx : size.cy;
        const int nSizeAcross = bHorz ? size.cy : size.cx;

        CRect rectNow;
        pBar->GetWindowRect(&rectNow);
        ScreenToClient(&rectNow);
        int nPos = std::max(nAlong, int(bHorz ? rectNow.left : rectNow.top));  // a bar further along stays
        if (nPos >= nLength && bRowHasBars)
        {
            // It would start beyond the end: it opens a new row.
            if (!m_bLayoutQuery)
            {
                m_arrBars.InsertAt(i, nullptr);
                ++i;
            }
            nAcross += nThickness - kOverlap;
            nThickness = 0;
            nPos = -kOverlap;
        }
        else if (nPos >= nLength)
        {
            // A row's first bar is never left out of sight beyond the end.
            nPos = std::max(-kOverlap, nLength - nSizeAlong);
        }
        CRect rect = bHorz ? CRect(nPos, nAcross, nPos + nSizeAlong, nAcross + nSizeAcross)
                           : CRect(nAcross, nPos, nAcross + nSizeAcross, nPos + nSizeAlong);
        if (!m_bLayoutQuery)
            AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
        nAlong = nPos + nSizeAlong - kOverlap;
        nThickness = std::max(nThickness, nSizeAcross);
        bRowHasBars = true;
        result.bAny = true;
        result.nAlongEnd = std::max(result.nAlongEnd, nPos + nSizeAlong);
        result.nAcrossEnd = std::max(result.nAcrossEnd, nAcross + nSizeAcross);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
    return bDone;
}

// ---- Docking and removing ----------------------------------------------------------------------

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid)
{
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nMid = bHorz ? ptMid.y : ptMid.x;
    const int nAlong = bHorz ? rect.left : rect.top;
    int nFirst = 1;
    while (nFirst < m_arrBars.GetSize())
    {
        int nLast = nFirst;
        while (nLast < m_arrBars.GetSize() && m_arrBars[nLast])
            ++nLast;  // nLast: the null ending the row
        // The row's extent across, from its visible bars.
        int nTop = INT_MAX, nBottom = INT_MIN;
        for (int i = nFirst; i < nLast; ++i)
        {
            CControlBar* pBar = GetDockedControlBar(i);
            if (!pBar || pBar == pBarIns || !pBar->IsVisible())
                continue;
            CRect rectBar;
            pBar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            nTop = std::min(nTop, int(bHorz ? rectBar.top : rectBar.left));
            nBottom = std::max(nBottom, int(bHorz ? rectBar.bottom : rectBar.right));
        }
        if (nTop <= nBottom && nMid < nTop)
        {
            // Before this row: a row of its own.
            m_arrBars.InsertAt(nFirst, nullptr);
            m_arrBars.InsertAt(nFirst, pBarIns);
            return nFirst;
        }
        if (nTop <= nBottom && nMid < nBottom)
        {
            // In this row, before the first bar that starts further along.
            int nPos = nLast;
            for (int i = nFirst; i < nLast; ++i)
            {
                CControlBar* pBar = GetDockedControlBar(i);
                if (!pBar || pBar == pBarIns || !pBar->IsVisible())
                    continue;
                CRect rectBar;
                pBar->GetWindowRect(&rectBar);
                ScreenToClient(&rectBar);
                if ((bHorz ? rectBar.left : rectBar.top) > nAlong)
                {
                    nPos = i;
                    break;
                }
            }
            m_arrBars.InsertAt(nPos, pBarIns);
            return nPos;
        }
        nFirst = nLast + 1;
    }
    // After every row: a new last row.
    int nPos = m_arrBars.GetSize();
    m_arrBars.Add(pBarIns);
    m_arrBars.Add(nullptr);
    return nPos;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd || !m_hWnd || pBar == this || pBar->IsDockBar())
        return;
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar == this && !lpRect)
        return;
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    int nPos = -1;
    if (lpRect)
    {
        RemovePlaceHolder(pBar);
        rectBar = *lpRect;
        ScreenToClient(&rectBar);
        nPos = Insert(pBar, rectBar, rectBar.CenterPoint());
    }
    else
    {
        nPos = FindBar(static_cast<CControlBar*>(PlaceHolderFor(UINT(pBar->GetDlgCtrlID()))));
        if (nPos > 0 && pBar->GetDlgCtrlID() > 0)
        {
            m_arrBars.SetAt(nPos, pBar);  // back in the place it left
        }
        else
        {
            nPos = m_arrBars.GetSize();
            m_arrBars.Add(pBar);
            m_arrBars.Add(nullptr);
        }
        // Placed before the row's start, so that the layout puts it right after its neighbours.
        rectBar = CRect(CPoint(-kOverlap, -kOverlap), rectBar.Size());
    }

    AdoptBar(pBar);
    pBar->SetWindowPos(nullptr, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);

    if (pOldDockBar == this)
    {
        RemoveControlBar(pBar, nPos, 0);
    }
    else if (pOldDockBar)
    {
        if (CFrameWnd* pOldFrame = pOldDockBar->GetDockingFrame())
            pOldFrame->DelayRecalcLayout();
        pOldDockBar->RemoveControlBar(pBar, -1, 0);
    }
    if (!m_bFloating)
    {
        // Docked again: no other side keeps a place for it.
        if (m_pDockSite)
        {
            for (CControlBar* pOther : m_pDockSite->m_listControlBars)
            {
                if (pOther != this && pOther->IsDockBar() && !static_cast<CDockBar*>(pOther)->m_bFloating)
                    static_cast<CDockBar*>(pOther)->RemovePlaceHolder(pBar);
            }
        }
        if (pBar->m_pDockContext)
        {
            pBar->m_pDockContext->m_uMRUDockID = UINT(GetDlgCtrlID());
            pBar->m_pDockContext->m_rectMRUDockPos = rectBar;
        }
    }
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    int nPos = FindBar(pBar, nPosExclude);
    if (nPos < 0)
        return FALSE;
    const int nID = pBar->m_hWnd ? pBar->GetDlgCtrlID() : 0;
    if (nAddPlaceHolder && nID > 0 && nID <= 0xFFFF)
    {
        m_arrBars.SetAt(nPos, PlaceHolderFor(UINT(nID)));
    }
    else
    {
        m_arrBars.RemoveAt(nPos);
        TidyRows();
    }
    if (pBar->m_pDockBar == this && FindBar(pBar) < 0)
        pBar->m_pDockBar = nullptr;

    if (!m_bFloating || !m_hWnd)
        return FALSE;
    if (GetDockedCount() == 0)
    {
        // Disposed of later: the caller may be running inside the frame's own handlers.
        ShowFloatingFrame(0);
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->PostMessage(WM_DISPOSEFRAME);
        return TRUE;
    }
    ShowFloatingFrame(GetDockedVisibleCount());
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
    return FALSE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    const int nID = pBar && pBar->m_hWnd ? pBar->GetDlgCtrlID() : 0;
    if (nID <= 0 || nID > 0xFFFF)
        return;
    void* pHolder = PlaceHolderFor(UINT(nID));
    bool bRemoved = false;
    for (int i = m_arrBars.GetUpperBound(); i >= 0; --i)
    {
        if (m_arrBars[i] == pHolder)
        {
            m_arrBars.RemoveAt(i);
            bRemoved = true;
        }
    }
    if (bRemoved)
        TidyRows();
}

// ---- Floating frames ---------------------------------------------------------------------------

void CDockBar::ShowFloatingFrame(int nVisibleBars)
{
    if (!m_bFloating)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame || !pFrame->m_hWnd)
        return;
    const BOOL bVisible = (pFrame->GetStyle() & WS_VISIBLE) != 0;
    if (nVisibleBars > 0 && !bVisible)
        pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    else if (nVisibleBars == 0 && bVisible)
        pFrame->ShowWindow(SW_HIDE);
}

void CDockBar::OnShowChildBar(CControlBar* pBar, BOOL bShow)
{
    if (!m_bFloating)
        return;
    int nVisible = pBar && bShow ? 1 : 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pOther = GetDockedControlBar(i);
        if (pOther && pOther != pBar && pOther->IsVisible())
            ++nVisible;
    }
    ShowFloatingFrame(nVisible);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
}

int CDockBar::FindIn(const CPtrArray& arr, const void* pEntry)
{
    for (int i = 0; i < arr.GetSize(); ++i)
    {
        if (arr[i] == pEntry)
            return i;
    }
    return -1;
}

void CDockBar::AdoptBar(CControlBar* pBar)
{
    DWORD dwStyle = (pBar->GetBarStyle() & ~DWORD(CBRS_ALIGN_ANY | CBRS_FLOATING)) |
                    (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);
    pBar->m_pDockBar = this;
    // A bar whose frame depends on where it sits recalculates it here.
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (m_bFloating && !(pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
    {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        SetWindowText(strTitle);
    }
}
