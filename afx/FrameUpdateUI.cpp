// CFrameWnd's update-UI: menus before they open, bars and their commands at idle time, and showing,
// hiding and toggling bars.
#include "Frame.h"
#include "Menu.h"
#include "CmdUI.h"

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || !pPopupMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = pPopupMenu->GetMenuItemID(int(state.m_nIndex));
        if (state.m_nID == 0)
            continue;  // separator
        if (state.m_nID == UINT(-1))
        {
            // A cascading popup follows the state of its first item.
            state.m_pSubMenu = pPopupMenu->GetSubMenu(int(state.m_nIndex));
            if (!state.m_pSubMenu)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == UINT(-1))
                continue;
            state.DoUpdate(this, FALSE);
        }
        else
        {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // A handler may have replaced items (the recent-file list); it leaves
        // m_nIndex on the last item it dealt with.
        state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    }
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (!m_hWnd)
        return;
    AfxCallWndProc(this, m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUIMsg(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleLayout)
    {
        UINT nFlags = m_nIdleFlags;
        m_nIdleFlags = 0;
        RecalcLayout((nFlags & idleNotify) != 0);
    }
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    return 0;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (CControlBar* pBar : m_listControlBars)
    {
        if (pBar->m_hWnd && UINT(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (!pFrame)
        pFrame = this;
    if (bDelay)
    {
        pBar->DelayShow(bShow);
    }
    else
    {
        pBar->m_nStateFlags &= ~UINT(CControlBar::delayHide | CControlBar::delayShow);
        pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    // The bar holding this one keeps its own account (a rebar's band, a floating frame).
    if (CControlBar* pParentBar =
            DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(::GetParent(pBar->m_hWnd))))
        pParentBar->OnShowChildBar(pBar, bShow);
    if (bDelay)
        pFrame->DelayRecalcLayout();
    else
        pFrame->RecalcLayout();
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (!pBar)
        return FALSE;
    ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (!pBar)
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(pBar->IsVisible());
}
