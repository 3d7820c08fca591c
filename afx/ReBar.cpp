// CReBar: a ReBarWindow32 whose bands hold our bars; it passes their notifications on to the frame.
#include "ReBar.h"
#include "Frame.h"
#include "Rect.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    DWORD dwWndStyle =
        (dwStyle & ~DWORD(CBRS_ALL)) | WS_CHILD | dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (!CWnd::Create(REBARCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    REBARINFO info = {};
    info.cbSize = sizeof(info);
    SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    return TRUE;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCSTR pszText, HBITMAP hbmp, DWORD dwStyle)
{
    if (!m_hWnd || !pBar || !pBar->m_hWnd)
        return FALSE;
    CSize size;
    CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar);
    if (pControlBar)
    {
        size = pControlBar->CalcFixedLayout(FALSE, (pControlBar->GetBarStyle() & CBRS_ORIENT_VERT) == 0);
    }
    else
    {
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    REBARBANDINFOA band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE;
    band.fStyle = dwStyle;
    band.hwndChild = pBar->m_hWnd;
    band.cxMinChild = UINT(size.cx);
    band.cyMinChild = UINT(size.cy);
    band.cx = UINT(size.cx);
    band.cxIdeal = UINT(size.cx);
    band.wID = UINT(pBar->GetDlgCtrlID());
    if (pszText)
    {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<LPSTR>(pszText);
    }
    if (hbmp)
    {
        band.fMask |= RBBIM_BACKGROUND;
        band.hbmBack = hbmp;
    }
    if (!SendMessage(RB_INSERTBANDA, WPARAM(-1), reinterpret_cast<LPARAM>(&band)))
        return FALSE;
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
    return TRUE;
}

UINT CReBar::GetBandCount() const
{
    return UINT(SendMessage(RB_GETBANDCOUNT));
}

int CReBar::FindBand(const CWnd* pBar) const
{
    HWND hWndBar = AfxGetSafeHwnd(pBar);
    UINT nCount = GetBandCount();
    for (UINT i = 0; i < nCount; ++i)
    {
        REBARBANDINFOA band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_CHILD;
        if (SendMessage(RB_GETBANDINFOA, i, reinterpret_cast<LPARAM>(&band)) && band.hwndChild == hWndBar)
            return int(i);
    }
    return -1;
}

void CReBar::ShowBand(const CWnd* pBar, BOOL bShow)
{
    int nBand = FindBand(pBar);
    if (nBand >= 0)
        SendMessage(RB_SHOWBAND, WPARAM(nBand), bShow ? TRUE : FALSE);
}

void CReBar::OnShowChildBar(CControlBar* pBar, BOOL bShow)
{
    // A band shows and hides with its bar at once (the rebar's layout, not the frame's, places it);
    // the rebar itself shows only while it has a band to show.
    pBar->m_nStateFlags &= ~UINT(delayHide | delayShow);
    ShowBand(pBar, bShow);
    ShowWindow(GetVisibleBandCount() > 0 ? SW_SHOWNOACTIVATE : SW_HIDE);
}

int CReBar::GetVisibleBandCount() const
{
    int nVisible = 0;
    UINT nCount = GetBandCount();
    for (UINT i = 0; i < nCount; ++i)
    {
        REBARBANDINFOA band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_STYLE;
        if (SendMessage(RB_GETBANDINFOA, i, reinterpret_cast<LPARAM>(&band)) && !(band.fStyle & RBBS_HIDDEN))
            ++nVisible;
    }
    return nVisible;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // The rebar is as high as its rows of bands and as wide as it is given.
    int cy = m_hWnd ? int(SendMessage(RB_GETBARHEIGHT)) : 0;
    CRect rect;
    if (m_hWnd)
        GetWindowRect(&rect);
    if (bHorz)
        return CSize(bStretch ? 32767 : rect.Width(), cy);
    return CSize(cy, bStretch ? 32767 : rect.Height());
}

void CReBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The bands are bars of their own and update themselves.
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
    *pResult = 0;
}
