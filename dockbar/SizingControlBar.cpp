// CSizingControlBar: creation, non-client frame, hit testing, mouse routing and the edge drag.
#include "dockbar/SizingControlBar.h"

#include "afx/Dc.h"
#include "afx/DockBar.h"
#include "afx/DockContext.h"
#include "afx/Frame.h"
#include "afx/Bitmap.h"
#include "afx/MiniDockFrame.h"
#include "afx/PaintDc.h"
#include "afx/WindowDc.h"
#include "dockbar/SizingBarDockContext.h"

#include <algorithm>

// The window-free geometry spells out the framework's dock bar ids and the window system's hit codes.
static_assert(kDockBarTop == AFX_IDW_DOCKBAR_TOP && kDockBarLeft == AFX_IDW_DOCKBAR_LEFT &&
                  kDockBarRight == AFX_IDW_DOCKBAR_RIGHT && kDockBarBottom == AFX_IDW_DOCKBAR_BOTTOM &&
                  kDockBarFloat == AFX_IDW_DOCKBAR_FLOAT,
              "dock bar ids");
static_assert(kHitClient == HTCLIENT && kHitLeft == HTLEFT && kHitRight == HTRIGHT && kHitTop == HTTOP &&
                  kHitBottom == HTBOTTOM && kHitClose == HTCLOSE,
              "hit codes");

namespace
{

// The frame's whole window surface, for the drag line, released when done.
class CFrameWindowDC
{
public:
    explicit CFrameWindowDC(HWND hWnd)
        : m_hWnd(hWnd), m_hDC(::GetDCEx(hWnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE))
    {
    }
    ~CFrameWindowDC()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    CFrameWindowDC(const CFrameWindowDC&) = delete;
    CFrameWindowDC& operator=(const CFrameWindowDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

BOOL ReadFullDragSetting()
{
    BOOL bFullDrag = FALSE;
    ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    return bFullDrag;
}

bool IsAcrossEdge(UINT nHitCode)
{
    return nHitCode == HTLEFT || nHitCode == HTRIGHT;
}

bool IsLeadingEdge(UINT nHitCode)
{
    return nHitCode == HTLEFT || nHitCode == HTTOP;
}

}  // namespace

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CSizingControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_SETTINGCHANGE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_CAPTURECHANGED()
    ON_WM_NCMOUSEMOVE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CSizingControlBar::CSizingControlBar()
    : m_sizeHorz(200, 50), m_sizeVert(200, 200), m_sizeFloat(200, 200), m_sizeMinHorz(33, 32),
      m_sizeMinVert(33, 32), m_sizeMinFloat(37, 32)
{
}

CSizingControlBar::~CSizingControlBar() = default;

BOOL CSizingControlBar::Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           ::GetSysColorBrush(COLOR_BTNFACE), nullptr);
    const DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN;
    return CWnd::Create(lpszClass, lpszWindowName, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CSizingControlBar::CreateWithSize(LPCSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL,
                                       UINT nID, DWORD dwStyle)
{
    m_sizeHorz = m_sizeVert = m_sizeFloat = sizeDefault;
    return Create(lpszWindowName, pParentWnd, nID, dwStyle);
}

void CSizingControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (!m_pDockContext)
        m_pDockContext = new CSizingBarDockContext(this);
    if (!::GetWindow(m_hWnd, GW_OWNER) && GetParent())
        SetOwner(GetParent());
}

void CSizingControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

BOOL CSizingControlBar::IsFloatingBar() const
{
    return !IsDockedHorz() && !IsDockedVert();
}

BOOL CSizingControlBar::IsDockedHorz() const
{
    return IsHorzDockSide(m_nDockSide);
}

BOOL CSizingControlBar::IsDockedVert() const
{
    return IsVertDockSide(m_nDockSide);
}

BOOL CSizingControlBar::IsRowEdgeDrag() const
{
    return IsAcrossEdge(m_nDragEdge) ? IsDockedHorz() : IsDockedVert();
}

UINT CSizingControlBar::EdgeHitCode(int nEdge) const
{
    return ::EdgeHitCode(nEdge);
}

BOOL CSizingControlBar::CalcEdgeRect(CRect rcWnd, UINT nHitCode, CRect& rcEdge) const
{
    BarRect rc;
    const bool bOk =
        EdgeRect(ToDockRect(rcWnd), nHitCode, m_dwSizingStyle, IsDockedHorz(), m_cxEdgeWidth, rc);
    rcEdge = ToCRect(rc);
    return bOk;
}

CControlBar* CSizingControlBar::BarAt(CDockBar* pDockBar, int nIndex)
{
    return pDockBar->GetDockedControlBar(nIndex);
}

void CSizingControlBar::FindRowBounds(int& nFirst, int& nLast, int& nThis)
{
    nFirst = nLast = nThis = -1;
    if (!m_pDockBar)
        return;
    const CPtrArray& arr = m_pDockBar->m_arrBars;
    nThis = m_pDockBar->FindBar(this);
    if (nThis < 0)
        return;
    // A list that does not begin or end with a row break still has its first and last row.
    nFirst = 0;
    nLast = arr.GetSize() - 1;
    for (int i = nThis - 1; i >= 0; --i)
        if (arr[i] == nullptr)
        {
            nFirst = i + 1;
            break;
        }
    for (int i = nThis + 1; i < arr.GetSize(); ++i)
        if (arr[i] == nullptr)
        {
            nLast = i - 1;
            break;
        }
}

void CSizingControlBar::CollectRowBars(CPtrArray& arrBars)
{
    int nThis;
    CollectRowBars(arrBars, nThis);
}

void CSizingControlBar::CollectRowBars(CPtrArray& arrBars, int& nThis)
{
    arrBars.RemoveAll();
    nThis = -1;
    int nFirst, nLast, nIndex;
    FindRowBounds(nFirst, nLast, nIndex);
    if (nIndex < 0)
        return;
    for (int i = nFirst; i <= nLast; ++i)
    {
        CControlBar* pBar = BarAt(m_pDockBar, i);
        if (!pBar || !pBar->IsVisible() || !pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)))
            continue;
        if (pBar == this)
            nThis = arrBars.GetSize();
        arrBars.Add(pBar);
    }
}

std::vector<RowBar> CSizingControlBar::RowBarsOf(const CPtrArray& arrBars, bool bHorz)
{
    std::vector<RowBar> row;
    for (int i = 0; i < arrBars.GetSize(); ++i)
    {
        const auto* pBar = static_cast<const CSizingControlBar*>(arrBars[i]);
        RowBar bar;
        bar.bSizing = true;
        bar.nLength = bHorz ? pBar->m_sizeHorz.cx : pBar->m_sizeVert.cy;
        bar.nMinLength = bHorz ? pBar->m_sizeMinHorz.cx : pBar->m_sizeMinVert.cy;
        bar.nThickness = bHorz ? pBar->m_sizeHorz.cy : pBar->m_sizeVert.cx;
        bar.nMinThickness = bHorz ? pBar->m_sizeMinHorz.cy : pBar->m_sizeMinVert.cx;
        bar.bHoldSize = pBar->m_bHoldSize != FALSE;
        row.push_back(bar);
    }
    return row;
}

void CSizingControlBar::StoreRowBar(CSizingControlBar* pBar, const RowBar& bar, bool bHorz)
{
    (bHorz ? pBar->m_sizeHorz.cx : pBar->m_sizeVert.cy) = bar.nLength;
    (bHorz ? pBar->m_sizeHorz.cy : pBar->m_sizeVert.cx) = bar.nThickness;
    pBar->m_bHoldSize = bar.bHoldSize ? TRUE : FALSE;
}

void CSizingControlBar::RequestFrameLayout()
{
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

int CSizingControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bFullDrag = ReadFullDragSetting();
    return 0;
}

void CSizingControlBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CControlBar::OnSettingChange(uFlags, lpszSection);
    m_bFullDrag = ReadFullDragSetting();
}

void CSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // Every move may change the side, so the border and edges are computed again.
    lpwndpos->flags |= SWP_FRAMECHANGED;
    CControlBar::OnWindowPosChanging(lpwndpos);
    m_nDockSide = static_cast<UINT>(::GetDlgCtrlID(::GetParent(m_hWnd)));
    if (!IsFloatingBar() && (lpwndpos->flags & SWP_SHOWWINDOW))
        m_bHoldSize = TRUE;
}

void CSizingControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    m_dwSizingStyle &= ~SCB_EDGE_ALL;
    if (!IsFloatingBar() && m_pDockBar)
    {
        CPtrArray arrBars;
        int nThis;
        CollectRowBars(arrBars, nThis);
        m_dwSizingStyle |= RowEdgeBits(IsDockedHorz() != FALSE, nThis, arrBars.GetSize());
    }
    CalcClientArea(&lpncsp->rgrc[0], m_nDockSide);
}

void CSizingControlBar::CalcClientArea(LPRECT pRect, UINT nDockSide)
{
    unsigned dwStyle = m_dwSizingStyle;
    *pRect = ToCRect(SizingClientArea(ToDockRect(*pRect), nDockSide, m_cxEdgeWidth, dwStyle));
    m_dwSizingStyle = dwStyle;
}

void CSizingControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rcClient, rcBar;
    GetClientRect(rcClient);
    ClientToScreen(rcClient);
    GetWindowRect(rcBar);
    const CPoint ptOrigin = rcBar.TopLeft();
    rcClient.OffsetRect(-ptOrigin.x, -ptOrigin.y);
    rcBar.OffsetRect(-ptOrigin.x, -ptOrigin.y);

    // Composed off screen and copied once, so the frame does not flicker.
    CDC mdc;
    CBitmap bm;
    if (!mdc.CreateCompatibleDC(&dc) || !bm.CreateCompatibleBitmap(&dc, rcBar.Width(), rcBar.Height()))
        return;
    const HGDIOBJ hOldBitmap = mdc.SelectObject(&bm);

    CRect rcDraw = rcBar;
    DrawBorders(&mdc, rcDraw);
    ::FillRect(mdc, &rcDraw, reinterpret_cast<HBRUSH>(::GetClassLongPtrA(m_hWnd, GCLP_HBRBACKGROUND)));

    if (m_dwSizingStyle & SCB_FRAMED_EDGES)
    {
        for (int nEdge = 0; nEdge < 4; ++nEdge)
        {
            CRect rcEdge;
            if (CalcEdgeRect(rcBar, EdgeHitCode(nEdge), rcEdge))
                mdc.Draw3dRect(rcEdge, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        }
    }
    PaintGripper(&mdc, rcClient);

    dc.IntersectClipRect(rcBar);
    dc.ExcludeClipRect(rcClient);
    dc.BitBlt(0, 0, rcBar.Width(), rcBar.Height(), &mdc, 0, 0, SRCCOPY);
    mdc.SelectGdiObject(hOldBitmap);
}

void CSizingControlBar::PaintGripper(CDC*, CRect) {}

void CSizingControlBar::OnPaint()
{
    CPaintDC dc(this);
}

LRESULT CSizingControlBar::OnNcHitTest(CPoint point)
{
    CRect rcBar;
    GetWindowRect(rcBar);
    return EdgeHitTest(ToDockRect(rcBar), BarPoint{point.x, point.y}, m_dwSizingStyle, m_nDockSide,
                       m_cxEdgeWidth);
}

void CSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!m_bDragging && !IsFloatingBar() && nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT)
        BeginEdgeDrag(nHitTest, point);
}

void CSizingControlBar::OnLButtonDown(UINT, CPoint point)
{
    if (m_pDockBar && m_pDockContext)
    {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    Default();
}

void CSizingControlBar::OnLButtonDblClk(UINT, CPoint)
{
    if (m_pDockBar && m_pDockContext)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    Default();
}

void CSizingControlBar::OnMouseMove(UINT, CPoint point)
{
    if (m_bDragging)
    {
        ClientToScreen(&point);
        TrackEdgeDrag(point);
    }
    Default();
}

void CSizingControlBar::OnLButtonUp(UINT, CPoint)
{
    if (m_bDragging)
        EndEdgeDrag();
    Default();
}

void CSizingControlBar::OnRButtonDown(UINT, CPoint)
{
    if (m_bDragging)
        EndEdgeDrag();
    Default();
}

void CSizingControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bDragging && (!pWnd || pWnd->m_hWnd != m_hWnd))
        EndEdgeDrag();
    Default();
}

void CSizingControlBar::OnNcMouseMove(UINT, CPoint)
{
    Default();
}

void CSizingControlBar::OnClose() {}

void CSizingControlBar::OnSize(UINT, int cx, int cy)
{
    const HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
    if ((m_dwSizingStyle & SCB_FIT_CHILD) && hChild)
        ::MoveWindow(hChild, 0, 0, cx, cy, TRUE);
}

LRESULT CSizingControlBar::OnSetText(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    CFrameWnd* pFrame = GetParentFrame();
    if (IsFloatingBar() && m_pDockBar && pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
    {
        m_pDockBar->SetWindowText(reinterpret_cast<LPCSTR>(lParam));
        pFrame->DelayRecalcLayout();
    }
    return lResult;
}

void CSizingControlBar::BeginEdgeDrag(UINT nHitCode, CPoint ptScreen)
{
    SetCapture();
    if (!m_bFullDrag)
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_nDragEdge = nHitCode;
    m_bDragging = TRUE;
    m_nDragPos = IsAcrossEdge(nHitCode) ? ptScreen.x : ptScreen.y;

    CRect rcWnd, rcEdge;
    GetWindowRect(rcWnd);
    CalcEdgeRect(rcWnd, nHitCode, rcEdge);
    const int nCentre =
        IsAcrossEdge(nHitCode) ? (rcEdge.left + rcEdge.right) / 2 : (rcEdge.top + rcEdge.bottom) / 2;
    m_nGrabOffset = m_nDragPos - nCentre;

    CPtrArray arrBars;
    int nThis;
    CollectRowBars(arrBars, nThis);
    const std::vector<RowBar> row = RowBarsOf(arrBars, IsDockedHorz() != FALSE);
    DragLimits limits{m_nDragPos, m_nDragPos};
    if (IsRowEdgeDrag())
    {
        limits = RowEdgeDragLimits(row, IsLeadingEdge(nHitCode) ? nThis : nThis + 1, m_nDragPos);
    }
    else if (m_pDockSite)
    {
        CRect rcFree;
        m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rcFree, nullptr, TRUE);
        const int nFree = IsDockedHorz() ? rcFree.Height() : rcFree.Width();
        limits = OuterEdgeDragLimits(row, nThis, IsLeadingEdge(nHitCode), nFree, m_nDragPos);
    }
    m_nDragMin = limits.nMin;
    m_nDragMax = limits.nMax;
    InvertDragLine();
}

void CSizingControlBar::TrackEdgeDrag(CPoint& ptScreen)
{
    const int nPos = std::clamp(IsAcrossEdge(m_nDragEdge) ? int(ptScreen.x) : int(ptScreen.y), m_nDragMin,
                                std::max(m_nDragMin, m_nDragMax));
    const int nChange = nPos - m_nDragPos;
    if (nChange == 0)
        return;
    InvertDragLine();
    m_nDragPos = nPos;

    const bool bHorz = IsDockedHorz() != FALSE;
    CPtrArray arrBars;
    int nThis;
    CollectRowBars(arrBars, nThis);
    std::vector<RowBar> row = RowBarsOf(arrBars, bHorz);
    if (IsRowEdgeDrag())
    {
        MoveRowEdge(row, nThis, IsLeadingEdge(m_nDragEdge), nChange);
    }
    else
    {
        const int nThickness =
            (bHorz ? m_sizeHorz.cy : m_sizeVert.cx) + (IsLeadingEdge(m_nDragEdge) ? -nChange : nChange);
        for (RowBar& bar : row)
            bar.nThickness = nThickness;
    }
    for (int i = 0; i < arrBars.GetSize(); ++i)
        StoreRowBar(static_cast<CSizingControlBar*>(arrBars[i]), row[i], bHorz);

    InvertDragLine();
    if (m_bFullDrag)
        RequestFrameLayout();
}

void CSizingControlBar::EndEdgeDrag()
{
    InvertDragLine();
    m_bDragging = FALSE;
    ReleaseCapture();
    RequestFrameLayout();
}

void CSizingControlBar::InvertDragLine()
{
    if (m_bFullDrag || !m_pDockBar || !m_pDockSite)
        return;
    CRect rcBar, rcDock, rcFrame, rcLine;
    GetWindowRect(rcBar);
    m_pDockBar->GetWindowRect(rcDock);
    m_pDockSite->GetWindowRect(rcFrame);
    CalcEdgeRect(rcBar, m_nDragEdge, rcLine);
    if (!IsRowEdgeDrag())
    {
        if (IsDockedHorz())
        {
            rcLine.left = rcDock.left + 1;
            rcLine.right = rcDock.right - 1;
        }
        else
        {
            rcLine.top = rcDock.top + 1;
            rcLine.bottom = rcDock.bottom - 1;
        }
    }
    if (IsAcrossEdge(m_nDragEdge))
        rcLine.OffsetRect(m_nDragPos - m_nGrabOffset - (rcLine.left + rcLine.right) / 2, 0);
    else
        rcLine.OffsetRect(0, m_nDragPos - m_nGrabOffset - (rcLine.top + rcLine.bottom) / 2);
    rcLine.OffsetRect(-rcFrame.left, -rcFrame.top);

    CFrameWindowDC frameDC(m_pDockSite->m_hWnd);
    if (!frameDC.Get())
        return;
    CDC dc;
    dc.Attach(frameDC.Get());
    const HGDIOBJ hOldBrush = dc.SelectObject(CDC::GetHalftoneBrush());
    dc.PatBlt(rcLine.left, rcLine.top, rcLine.Width(), rcLine.Height(), PATINVERT);
    dc.SelectGdiObject(hOldBrush);
    dc.Detach();
}
