// Command routing through message maps, and CCmdUI's update of menu items and windows.
#include "CmdTarget.h"
#include "Menu.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode,
                                                     UINT nID)
{
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nSig != AfxSig_end; ++p)
            if (p->nMessage == nMessage && p->nCode == nCode && nID >= p->nID && nID <= p->nLastID)
                return p;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = WM_COMMAND;
    UINT code = UINT(nCode);
    if (code != CN_UPDATE_COMMAND_UI && HIWORD(code) != 0)
    {
        nMsg = HIWORD(code);
        code = LOWORD(code);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), nMsg, code, nID);
    if (!pEntry)
        return FALSE;
    if (pHandlerInfo)
    {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = pEntry->pfn;
        return TRUE;
    }
    return DispatchCmdMsg(pEntry, nID, nCode, pExtra);
}

BOOL CCmdTarget::DispatchCmdMsg(const AFX_MSGMAP_ENTRY* pEntry, UINT nID, int /*nCode*/, void* pExtra)
{
    AFX_PMSG pfn = pEntry->pfn;
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (pEntry->nSig)
    {
    case AfxSig_v_v:
        (this->*pfn)();
        return TRUE;
    case AfxSig_b_v:
        return (this->*AfxLoadPmf<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSig_v_u:
        (this->*AfxLoadPmf<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSig_b_u:
        return (this->*AfxLoadPmf<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSig_cmdui: {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        if (!pCmdUI)
            return FALSE;
        (this->*AfxLoadPmf<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        BOOL bHandled = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bHandled;
    }
    case AfxSig_notify:
        if (!pNotify)
            return FALSE;
        (this->*AfxLoadPmf<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSig_b_notify:
        if (!pNotify)
            return FALSE;
        return (this->*AfxLoadPmf<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR,
                                                                                pNotify->pResult);
    case AfxSig_notify_u:
        if (!pNotify)
            return FALSE;
        (this->*AfxLoadPmf<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                               pNotify->pResult);
        return TRUE;
    case AfxSig_b_notify_u:
        if (!pNotify)
            return FALSE;
        return (this->*AfxLoadPmf<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                      pNotify->pResult);
    default:
        return FALSE;
    }
}

// ---- CCmdUI -----------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu)
    {
        if (!m_pSubMenu)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther)
    {
        // Keep the keyboard usable: focus must not stay on a control being disabled.
        if (!bOn && CWnd::GetFocus() == m_pOther)
        {
            CWnd* pParent = m_pOther->GetParent();
            if (pParent)
                pParent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu)
    {
        if (!m_pSubMenu)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
    {
        m_pOther->SendMessage(BM_SETCHECK, WPARAM(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu && !m_pSubMenu)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        if (GetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info))
        {
            info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~UINT(MFT_RADIOCHECK));
            SetMenuItemInfoA(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
        }
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (!lpszText)
        lpszText = "";
    if (m_pMenu)
    {
        if (m_pSubMenu)
            return;
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        nState &= ~UINT(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | 0xFF00);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    }
    else if (m_pOther)
    {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)  // avoids flicker from needless repaints at every idle
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF || !pTarget)
        return TRUE;
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, int(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info = {nullptr, nullptr};
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
