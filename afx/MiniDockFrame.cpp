// CMiniDockFrameWnd: the frame a floating bar lives in; its caption and border act through the bar.
#include "MiniDockFrame.h"
#include "DockContext.h"
#include "Menu.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_MESSAGE(WM_DISPOSEFRAME, OnDisposeEmpty)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    m_bInRecalcLayout = TRUE;  // no layout while the frame is half made
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~DWORD(MFS_MOVEFRAME);
    if (!CMiniFrameWnd::CreateEx(0, nullptr, "", dwStyle, rectDefault, pParent))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    DWORD dwDockStyle =
        (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    if (CMenu* pSysMenu = GetSystemMenu(FALSE))
    {
        CString strHide;
        if (strHide.LoadString(AFX_IDS_HIDE))
        {
            pSysMenu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
            pSysMenu->AppendMenu(MF_STRING, SC_CLOSE, strHide);
        }
    }
    // Made under pParent so that pParent is the dock bar's dock site, then moved in here.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT))
    {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (!m_bInRecalcLayout && m_wndDockBar.m_hWnd && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI))
    {
        CString strTitle, strNow;
        m_wndDockBar.GetWindowText(strTitle);
        GetWindowText(strNow);
        if (strTitle != strNow)
            SetWindowText(strTitle);
    }
    CMiniFrameWnd::RecalcLayout(bNotify);
}

CControlBar* CMiniDockFrameWnd::GetFirstBar() const
{
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    {
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i))
            return pBar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::OnClose()
{
    // Hiding the last visible bar hides the frame; the frame itself stays for showing them again.
    CFrameWnd* pSite = m_wndDockBar.m_pDockSite;
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i);
        if (pBar && pBar->IsVisible())
        {
            if (pSite)
                pSite->ShowControlBar(pBar, FALSE, FALSE);
            else
                pBar->ShowWindow(SW_HIDE);
        }
    }
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstBar();
    CDockContext* pContext = pBar ? pBar->m_pDockContext : nullptr;
    if (pContext && nHitTest == HTCAPTION)
    {
        BringWindowToTop();
        pContext->StartDrag(point);
        return;
    }
    if (pContext && nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)
    {
        pContext->StartResize(int(nHitTest), point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint)
{
    CControlBar* pBar = GetFirstBar();
    if (nHitTest == HTCAPTION && pBar && pBar->m_pDockContext)
        pBar->m_pDockContext->ToggleDocking();
    else
        Default();
}

LRESULT CMiniDockFrameWnd::OnDisposeEmpty(WPARAM, LPARAM)
{
    if (m_wndDockBar.GetDockedCount() == 0)
        DestroyWindow();
    return 0;
}
