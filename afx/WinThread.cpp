// CWinThread: the message loop, message pre-translation and idle-time update-UI.
#include "WinThread.h"
#include "Frame.h"
#include "TempMapBase.h"

#include <algorithm>

std::vector<CFrameWnd*>& AfxGetThreadFrames()
{
    static thread_local std::vector<CFrameWnd*> frames;
    return frames;
}

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return int(m_msgCur.wParam);
}

BOOL CWinThread::PumpMessage()
{
    if (GetMessageA(&m_msgCur, nullptr, 0, 0) <= 0)
        return FALSE;  // WM_QUIT, or a failure that would otherwise spin
    if (!PreTranslateMessage(&m_msgCur))
    {
        TranslateMessage(&m_msgCur);
        DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Repeated mouse moves at the same place and paint requests come without
    // anything having changed: they must not restart idle processing.
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;  // 0x0118: the caret's blink timer
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        MSG peek;
        while (bIdle && !PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    HWND hWndStop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            return FALSE;
    }
    // A window outside the main window's tree: the main window's accelerators still apply.
    if (pMsg->hwnd && m_pMainWnd && m_pMainWnd->m_hWnd && ::IsWindowEnabled(m_pMainWnd->m_hWnd))
        return m_pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd && pMainWnd->m_hWnd && !pMainWnd->IsFrameWnd() && ::IsWindowVisible(pMainWnd->m_hWnd))
        {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        // A frame's update may dispose of another (an emptied floating frame): walk a copy, and
        // visit only frames still alive.
        const std::vector<CFrameWnd*> frames = AfxGetThreadFrames();
        for (CFrameWnd* pFrame : frames)
        {
            const std::vector<CFrameWnd*>& live = AfxGetThreadFrames();
            if (std::find(live.begin(), live.end(), pFrame) == live.end())
                continue;
            if (pFrame->m_hWnd && ::IsWindowVisible(pFrame->m_hWnd))
                pFrame->OnIdleUpdateCmdUI();
        }
        return TRUE;
    }
    if (lCount == 1)
        AfxDeleteTempMaps();
    return FALSE;
}
