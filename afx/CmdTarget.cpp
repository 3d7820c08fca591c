// Command routing through message maps.
#include "CmdTarget.h"
#include "CmdUI.h"

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
