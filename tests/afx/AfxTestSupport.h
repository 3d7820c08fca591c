// Shared by the framework tests: the application object and message pumping.
#pragma once
#include "afx/WinApp.h"

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp("KesuAfxTest") {}
    int m_nAppCommands = 0;
    void OnTestApp() { ++m_nAppCommands; }
    DECLARE_MESSAGE_MAP()
};

CTestApp& TestApp();

// Delivers everything queued for this thread, then one round of idle processing.
void PumpMessages();
// Pumps until pred() holds or the time runs out; returns pred().
template <class Pred>
bool PumpUntil(Pred pred, DWORD dwTimeoutMs = 3000)
{
    DWORD dwStart = GetTickCount();
    while (!pred())
    {
        if (GetTickCount() - dwStart > dwTimeoutMs)
            return pred();
        PumpMessages();
        Sleep(5);
    }
    return true;
}
