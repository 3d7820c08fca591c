// CMainFrame: the main window with its status bar, toolbar in a rebar and the
// signal graph, the command table, and the once-a-second heartbeat that
// refreshes the list, the status panes, the graph and the proximity beeper.
#pragma once

#include "afx/Frame.h"
#include "afx/ReBar.h"
#include "afx/StatusBar.h"
#include "afx/ToolBar.h"
#include "frame/GraphHostBar.h"
#include "graph/PowerGraph.h"

#include <cstdint>

class CKesuDoc;

// What a period of 0 or less becomes: a signal so strong that the formula
// leaves nothing keeps beeping as fast as the timer goes rather than stopping.
constexpr int kMinBeepPeriod = 1;

// 2280 - 20 x Rssi milliseconds, never below kMinBeepPeriod.
int BeepPeriodForRssi(int32_t rssi);

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CReBar m_wndReBar;
    CGraphHostBar m_wndMeterBar;
    CPowerGraph m_graph;
    int32_t m_nTicks;

    // Where the proximity sound is played from; a seam so tests can see the
    // calls without a sound device.
    typedef BOOL (*PlaySoundFn)(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);
    static PlaySoundFn s_pfnPlaySound;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Refresh(CKesuDoc* pDoc);
    void Beep(CKesuDoc* pDoc);
};
