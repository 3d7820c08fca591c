// CDockBar: the rows of docked bars, their layout pass, and bars coming and going.
#include "DockBar.h"
#include "DockContext.h"
#include "Frame.h"

#include <algorithm>
#include <vector>

namespace
{
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

    DockRowCursor rows(bHorz != FALSE, nLength);
    for (int nRestart = 0; nRestart <= kMaxRestarts; ++nRestart)
    {
        rows = DockRowCursor(bHorz != FALSE, nLength);
        if (LayOutRows(bHorz, nRestart < kMaxRestarts, rows))
            break;
    }
    const DockSize extent = rows.Extent(bStretch != FALSE);
    return CSize(extent.cx, extent.cy);
}

BOOL CDockBar::LayOutRows(BOOL bHorz, BOOL bMayRestart, DockRowCursor& rows)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(std::max(1, m_arrBars.GetSize()));
    BOOL bDone = TRUE;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (!m_arrBars[i])
        {
            rows.EndRow();
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
        CRect rectNow;
        pBar->GetWindowRect(&rectNow);
        ScreenToClient(&rectNow);
        bool bOpensRow = false;
        const CRect rect = ToCRect(rows.Place(DockSize{size.cx, size.cy}, ToDockRect(rectNow), bOpensRow));
        if (m_bLayoutQuery)
            continue;
        if (bOpensRow)
        {
            m_arrBars.InsertAt(i, nullptr);
            ++i;
        }
        AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
    return bDone;
}

// ---- Docking and removing ----------------------------------------------------------------------

int CDockBar::Insert(CControlBar* pBarIns, CRect rect)
{
    std::vector<DockSlot> slots(size_t(m_arrBars.GetSize()));
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        slots[size_t(i)].bRowEnd = !m_arrBars[i];
        CControlBar* pBar = GetDockedControlBar(i);
        if (!pBar || pBar == pBarIns || !pBar->IsVisible())
            continue;
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        slots[size_t(i)].bShown = true;
        slots[size_t(i)].rect = ToDockRect(rectBar);
    }
    const DockDrop drop = FindDropPlace(slots, (m_dwStyle & CBRS_ORIENT_HORZ) != 0, ToDockRect(rect));
    m_arrBars.InsertAt(drop.nPos, pBarIns);
    if (drop.bOwnRow)
        m_arrBars.InsertAt(drop.nPos + 1, nullptr);
    return drop.nPos;
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
        nPos = Insert(pBar, rectBar);
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
        rectBar = CRect(CPoint(-kDockOverlap, -kDockOverlap), rectBar.Size());
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
