// CFrameWnd's prompts: a command's text in the status bar while a menu item or button is under the
// mouse, and in the button's tooltip.
#include "Frame.h"

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString strFull;
    if (!strFull.LoadString(nID))
        return;
    int nEnd = strFull.Find('\n');
    rMessage = nEnd >= 0 ? strFull.Left(nEnd) : strFull;
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    if (CWnd* pMessageBar = GetMessageBar())
    {
        CString strMessage;
        LPCSTR lpsz = reinterpret_cast<LPCSTR>(lParam);
        if (!lpsz)
        {
            if (wParam)
                GetMessageString(UINT(wParam), strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz);
    }
    m_nIDLastMessage = UINT(wParam);
    m_nIDTracking = UINT(wParam);
    return LRESULT(nIDLast);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && !hSysMenu)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP | MF_MENUBREAK | MF_MENUBARBREAK)))
        m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        m_nIDTracking = ((nItemID - 0xF000) >> 4) + AFX_IDS_SCFIRST;  // system commands' prompts
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
}

LRESULT CFrameWnd::OnEnterIdle(WPARAM wParam, LPARAM)
{
    if (wParam == MSGF_MENU && m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    return Default();
}

LRESULT CFrameWnd::OnExitMenuLoop(WPARAM, LPARAM)
{
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    return Default();
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    // The tooltip is the part of the command's string after "\n".
    UINT nID = UINT(pNMHDR->idFrom);
    bool bIsHwnd = false;
    if (pNMHDR->code == TTN_GETDISPINFOA)
        bIsHwnd = (reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags & TTF_IDISHWND) != 0;
    else
        bIsHwnd = (reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags & TTF_IDISHWND) != 0;
    if (bIsHwnd)
        nID = UINT(::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)));
    if (nID == 0)
        return FALSE;
    CString strFull;
    if (!strFull.LoadString(nID))
        return FALSE;
    int nSep = strFull.Find('\n');
    CString strTip = nSep >= 0 ? strFull.Mid(nSep + 1) : strFull;
    if (pNMHDR->code == TTN_GETDISPINFOA)
    {
        NMTTDISPINFOA* pTTT = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        lstrcpynA(pTTT->szText, strTip, int(sizeof(pTTT->szText)));
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = nullptr;
    }
    else
    {
        NMTTDISPINFOW* pTTT = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        int n = MultiByteToWideChar(CP_ACP, 0, strTip, -1, pTTT->szText,
                                    int(sizeof(pTTT->szText) / sizeof(WCHAR)));
        if (n == 0)
            pTTT->szText[0] = 0;
        pTTT->szText[sizeof(pTTT->szText) / sizeof(WCHAR) - 1] = 0;
        pTTT->lpszText = pTTT->szText;
        pTTT->hinst = nullptr;
    }
    *pResult = 0;
    // Keep the tip above other windows of the program.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Fly-by prompts: the toolbar button under the mouse shows its command's prompt.
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->code == TBN_HOTITEMCHANGE)
    {
        CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(pNMHDR->hwndFrom));
        if (pBar && (pBar->GetBarStyle() & CBRS_FLYBY))
        {
            NMTBHOTITEM* pHot = reinterpret_cast<NMTBHOTITEM*>(pNMHDR);
            UINT nID = (pHot->dwFlags & HICF_LEAVING) ? UINT(AFX_IDS_IDLEMESSAGE) : UINT(pHot->idNew);
            if (nID != m_nIDLastMessage)
                SetMessageText(nID);
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}
