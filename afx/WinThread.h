// CWinThread: the message loop with idle processing and message pre-translation.
#pragma once
#include "Wnd.h"

#include <vector>

class CFrameWnd;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur = {};

    CWinThread() = default;

    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop; returns ExitInstance's code after WM_QUIT.
    virtual int Run();
    // Walks from the message's window up to the main window, giving each of ours a look.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // lCount 0: update-UI and delayed layout of every visible frame of the thread (and of a
    // main window that is no frame); 1: free temporary wrappers. TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Gets and dispatches one message; FALSE at WM_QUIT.
    virtual BOOL PumpMessage();

private:
    POINT m_ptCursorLast = {-1, -1};
    UINT m_nMsgLast = 0;
};

// The calling thread's frames in the order they were made; each frame joins and leaves itself.
std::vector<CFrameWnd*>& AfxGetThreadFrames();
CWinThread* AfxGetThread();
