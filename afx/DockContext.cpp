// CDockContext: the drag loop with its inverted outline, choosing a side to dock to, floating, toggling.
#include "DockContext.h"
#include "Dc.h"
#include "DockBar.h"
#include "Frame.h"
#include "MiniFrame.h"

#include <algorithm>

namespace
{
// Outlines: docking shows a thin solid one, floating a thick dithered one (the floating frame).
const CSize kDockOutline(2, 2);
const CSize kFloatOutline(3, 3);

// An outline starts under the mouse.
void ShiftUnder(CRect& rc, CPoint pt)
{
    rc = ToCRect(ShiftToContain(ToDockRect(rc), DockPoint{pt.x, pt.y}));
}

// Inverts the frame of rect that is size thick; twice restores the screen.
void InvertFrame(HDC hDC, const CRect& rect, CSize size, BOOL bDither)
{
    if (!hDC || size.cx <= 0 || size.cy <= 0 || rect.IsRectEmpty())
        return;
    HGDIOBJ hOld = bDither ? ::SelectObject(hDC, CDC::GetHalftoneBrush()->GetSafeHandle()) : nullptr;
    const DWORD dwRop = bDither ? PATINVERT : DSTINVERT;
    const int cx = std::min<int>(size.cx, rect.Width() / 2), cy = std::min<int>(size.cy, rect.Height() / 2);
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), cy, dwRop);
    ::PatBlt(hDC, rect.left, rect.bottom - cy, rect.Width(), cy, dwRop);
    ::PatBlt(hDC, rect.left, rect.top + cy, cx, rect.Height() - 2 * cy, dwRop);
    ::PatBlt(hDC, rect.right - cx, rect.top + cy, cx, rect.Height() - 2 * cy, dwRop);
    if (hOld)
        ::SelectObject(hDC, hOld);
}
}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar ? pBar->m_pDockSite : nullptr)
{
}

CDockContext::~CDockContext()
{
    if (m_hDC)
        ::ReleaseDC(nullptr, m_hDC);
}

void CDockContext::InitLoop()
{
    m_bFlip = FALSE;
    m_bForceFrame = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bDitherLast = FALSE;
    m_dwStyle = m_pBar->m_dwStyle;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDockSite)
        m_pDockSite->UpdateWindow();  // the outline goes over a finished picture
    if (!m_hDC)
        m_hDC = ::GetDCEx(nullptr, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (m_pBar && m_pBar->m_hWnd && ::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    if (m_hDC)
    {
        ::ReleaseDC(nullptr, m_hDC);
        m_hDC = nullptr;
    }
}

CDockContext::DragSizes CDockContext::GetDragSizes()
{
    DragSizes sizes;
    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        sizes.sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        sizes.sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        sizes.sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    }
    else
    {
        sizes.sizeHorz = m_pBar->CalcFixedLayout(FALSE, TRUE);
        sizes.sizeVert = m_pBar->CalcFixedLayout(FALSE, FALSE);
        sizes.sizeFloat = sizes.sizeHorz;
    }
    return sizes;
}

void CDockContext::StartDrag(CPoint pt)
{
    if (!m_pBar || !m_pBar->m_hWnd || !m_pBar->m_pDockSite)
        return;
    m_bDragging = TRUE;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    const DragSizes sizes = GetDragSizes();
    m_rectDragHorz = CRect(rect.TopLeft(), sizes.sizeHorz);
    m_rectDragVert = CRect(rect.TopLeft(), sizes.sizeVert);
    // A floating frame's client is its dock bar, which the bar overlaps on every side.
    m_rectFrameDragHorz = CRect(rect.TopLeft(), sizes.sizeFloat);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz, sizes.dwFrameStyle);
    m_rectFrameDragHorz.DeflateRect(kDockOverlap, kDockOverlap);
    m_rectFrameDragVert = m_rectFrameDragHorz;
    ShiftUnder(m_rectDragHorz, pt);
    ShiftUnder(m_rectDragVert, pt);
    ShiftUnder(m_rectFrameDragHorz, pt);
    ShiftUnder(m_rectFrameDragVert, pt);
    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    CFrameWnd* pFrame = m_pBar && m_pBar->m_hWnd ? m_pBar->GetParentFrame() : nullptr;
    if (!pFrame || !m_pBar->m_pDockSite)
        return;
    m_bDragging = FALSE;
    m_nHitTest = nHitTest;
    InitLoop();
    m_ptLast = pt;
    pFrame->GetWindowRect(&m_rectRequestedSize);
    m_rectActualSize = m_rectRequestedSize;
    m_rectFrameDragHorz = m_rectActualSize;
    m_rectFrameDragVert = m_rectActualSize;
    m_dwOverDockStyle = 0;
    DrawFocusRect();
    Track();
}

BOOL CDockContext::Track()
{
    HWND hWnd = m_pBar->m_hWnd;
    ::SetCapture(hWnd);
    // Read by a frame asked to close meanwhile: it ends this loop before it destroys the bar.
    m_bTracking = TRUE;
    const BOOL bDone = TrackLoop(hWnd);
    m_bTracking = FALSE;
    return bDone;
}

BOOL CDockContext::TrackLoop(HWND hWnd)
{
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        int nGot = ::GetMessageA(&msg, nullptr, 0, 0);
        if (nGot <= 0)
        {
            if (nGot == 0)
                ::PostQuitMessage(int(msg.wParam));  // the loop that runs the program ends it
            break;
        }
        switch (msg.message)
        {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE: {
            CPoint pt(msg.lParam);
            ::ClientToScreen(msg.hwnd, &pt);
            if (m_bDragging)
                Move(pt);
            else
                Stretch(pt);
            break;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            {
                CancelLoop();
                return FALSE;
            }
            if (m_bDragging && (msg.wParam == VK_CONTROL || msg.wParam == VK_SHIFT))
            {
                // Control: never dock; Shift: the other orientation.
                BOOL bDown = msg.message == WM_KEYDOWN;
                if (msg.wParam == VK_CONTROL)
                    m_bForceFrame = bDown;
                else
                    m_bFlip = bDown;
                Move(m_ptLast);
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

void CDockContext::Move(CPoint pt)
{
    const int dx = pt.x - m_ptLast.x, dy = pt.y - m_ptLast.y;
    m_rectDragHorz.OffsetRect(dx, dy);
    m_rectDragVert.OffsetRect(dx, dy);
    m_rectFrameDragHorz.OffsetRect(dx, dy);
    m_rectFrameDragVert.OffsetRect(dx, dy);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

DWORD CDockContext::CanDock()
{
    if (!m_pDockSite)
        return 0;
    // The bar's present orientation first, so that a drag that has not left its side stays there.
    const BOOL bVertFirst = (m_dwStyle & CBRS_ORIENT_VERT) != 0 && !(m_dwStyle & CBRS_FLOATING);
    const DWORD dwHorz = m_dwDockStyle & CBRS_ORIENT_HORZ, dwVert = m_dwDockStyle & CBRS_ORIENT_VERT;
    const CRect& rectHorz = m_bFlip ? m_rectDragVert : m_rectDragHorz;
    const CRect& rectVert = m_bFlip ? m_rectDragHorz : m_rectDragVert;
    DWORD dwSide = 0;
    if (bVertFirst)
    {
        dwSide = dwVert ? m_pDockSite->CanDock(rectVert, dwVert) : 0;
        if (!dwSide && dwHorz)
            dwSide = m_pDockSite->CanDock(rectHorz, dwHorz);
    }
    else
    {
        dwSide = dwHorz ? m_pDockSite->CanDock(rectHorz, dwHorz) : 0;
        if (!dwSide && dwVert)
            dwSide = m_pDockSite->CanDock(rectVert, dwVert);
    }
    return dwSide;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    if (!m_pDockSite)
        return nullptr;
    for (const DWORD* pEntry : CFrameWnd::dwDockBarMap)
    {
        if (pEntry[1] & dwOverDockStyle & CBRS_ALIGN_ANY)
        {
            CControlBar* pBar = m_pDockSite->GetControlBar(pEntry[0]);
            return pBar && pBar->IsDockBar() ? static_cast<CDockBar*>(pBar) : nullptr;
        }
    }
    return nullptr;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    CRect rect;
    CSize size;
    BOOL bDither = FALSE;
    if (m_dwOverDockStyle & CBRS_ALIGN_ANY)
    {
        const BOOL bHorz = (m_dwOverDockStyle & CBRS_ORIENT_HORZ) != 0;
        rect = (bHorz != m_bFlip) ? m_rectDragHorz : m_rectDragVert;
        size = kDockOutline;
    }
    else
    {
        rect = m_bFlip ? m_rectFrameDragVert : m_rectFrameDragHorz;
        size = kFloatOutline;
        bDither = TRUE;
    }
    if (bRemoveRect)
        size = CSize(0, 0);
    if (rect == m_rectLast && size == m_sizeLast && bDither == m_bDitherLast)
        return;
    InvertFrame(m_hDC, m_rectLast, m_sizeLast, m_bDitherLast);
    InvertFrame(m_hDC, rect, size, bDither);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = bDither;
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle & CBRS_ALIGN_ANY)
    {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (!pDockBar)
            return;
        const BOOL bHorz = (m_dwOverDockStyle & CBRS_ORIENT_HORZ) != 0;
        CRect rect = (bHorz != m_bFlip) ? m_rectDragHorz : m_rectDragVert;
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_uMRUDockID = UINT(pDockBar->GetDlgCtrlID());
        m_rectMRUDockPos = rect;
        pDockBar->ScreenToClient(&m_rectMRUDockPos);
    }
    else
    {
        const CRect& rect = m_bFlip ? m_rectFrameDragVert : m_rectFrameDragHorz;
        const DWORD dwStyle =
            (m_bFlip ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_pDockSite->FloatControlBar(m_pBar, rect.TopLeft(), dwStyle);
    }
}

void CDockContext::Stretch(CPoint pt)
{
    const int dx = pt.x - m_ptLast.x, dy = pt.y - m_ptLast.y;
    m_ptLast = pt;
    const int nHit = m_nHitTest;
    const bool bLeft = nHit == HTLEFT || nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT;
    const bool bRight = nHit == HTRIGHT || nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT;
    const bool bTop = nHit == HTTOP || nHit == HTTOPLEFT || nHit == HTTOPRIGHT;
    const bool bBottom = nHit == HTBOTTOM || nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT;
    if (bLeft)
        m_rectRequestedSize.left += dx;
    if (bRight)
        m_rectRequestedSize.right += dx;
    if (bTop)
        m_rectRequestedSize.top += dy;
    if (bBottom)
        m_rectRequestedSize.bottom += dy;

    // The bar answers for the length asked along the dragged side; the frame is its answer plus borders.
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    CRect rectBorders(0, 0, 0, 0);
    CMiniFrameWnd::CalcBorders(&rectBorders, pFrame ? pFrame->GetStyle() : WS_THICKFRAME | WS_CAPTION);
    const int cxBorders = rectBorders.Width(), cyBorders = rectBorders.Height();
    const bool bLengthY = (bTop || bBottom) && !(bLeft || bRight);
    const int nLength =
        bLengthY ? m_rectRequestedSize.Height() - cyBorders + 4 : m_rectRequestedSize.Width() - cxBorders + 4;
    CSize size = m_pBar->CalcDynamicLayout(nLength, LM_HORZ | (bLengthY ? LM_LENGTHY : 0));
    CSize sizeFrame(size.cx - 4 + cxBorders, size.cy - 4 + cyBorders);
    CRect& rect = m_rectActualSize;
    rect = m_rectRequestedSize;
    if (bLeft)
        rect.left = rect.right - sizeFrame.cx;
    else
        rect.right = rect.left + sizeFrame.cx;
    if (bTop)
        rect.top = rect.bottom - sizeFrame.cy;
    else
        rect.bottom = rect.top + sizeFrame.cy;
    m_rectFrameDragHorz = m_rectFrameDragVert = rect;
    DrawFocusRect();
}

void CDockContext::EndResize()
{
    CancelLoop();
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (!pFrame)
        return;
    CRect rectBorders(0, 0, 0, 0);
    CMiniFrameWnd::CalcBorders(&rectBorders, pFrame->GetStyle());
    const CRect& rect = m_rectActualSize;
    m_pBar->CalcDynamicLayout(rect.Width() - rectBorders.Width() + 4, LM_HORZ | LM_COMMIT);
    pFrame->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->RecalcLayout(TRUE);
}

void CDockContext::ToggleDocking()
{
    if (!m_pBar || !m_pBar->m_hWnd || !m_pBar->m_pDockSite)
        return;
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pBar->IsFloating())
    {
        CControlBar* pMRU = m_uMRUDockID ? m_pDockSite->GetControlBar(m_uMRUDockID) : nullptr;
        CDockBar* pDockBar = pMRU && pMRU->IsDockBar() ? static_cast<CDockBar*>(pMRU) : nullptr;
        if (pDockBar &&
            pDockBar->FindBar(reinterpret_cast<CControlBar*>(UINT_PTR(m_pBar->GetDlgCtrlID()))) < 0 &&
            !m_rectMRUDockPos.IsRectEmpty())
        {
            CRect rect = m_rectMRUDockPos;
            pDockBar->ClientToScreen(&rect);
            m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        }
        else
        {
            m_pDockSite->DockControlBar(m_pBar, pDockBar, nullptr);  // its placeholder, else its first side
        }
        return;
    }
    if (!m_pBar->m_pDockBar)
        return;
    CPoint pt = m_ptMRUFloatPos;
    DWORD dwStyle = m_dwMRUFloatStyle;
    if (dwStyle == 0)
    {
        // Never floated: just beside where it is docked.
        CRect rect;
        m_pBar->GetWindowRect(&rect);
        pt = CPoint(rect.left + 20, rect.top + 20);
        dwStyle = CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI);
    }
    m_pDockSite->FloatControlBar(m_pBar, pt, dwStyle);
}
