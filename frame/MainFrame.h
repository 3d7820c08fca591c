// CMainFrame: the main window with its status bar, toolbar in a rebar, the
// docking meter, annotations and channel bars, the command table, and the
// once-a-second heartbeat that refreshes the list, the status panes, the graph
// and the proximity beeper.
#pragma once

#include "afx/Frame.h"
#include "afx/ReBar.h"
#include "afx/StatusBar.h"
#include "afx/ToolBar.h"
#include "chanmap/ChannelMap.h"
#include "dockbar/SizingControlBarG.h"
#include "frame/NoteEdit.h"
#include "graph/PowerGraph.h"
#include "scan/EntryPlace.h"

#include <cstdint>
#include <vector>

class CKesuDoc;

// The entry whose annotation the note editor shows, or null; only the main
// frame reads and writes it.
extern CNetworkEntry* g_pNoteEntry;

// What a period of 0 or less becomes: a signal so strong that the formula
// leaves nothing keeps beeping as fast as the timer goes rather than stopping.
constexpr int kMinBeepPeriod = 1;

// The graph's signal range in dBm: the noise floor at the bottom, an access
// point beside the card at the top. Not heard is plotted as the floor.
constexpr double kGraphFloor = -100.0;
constexpr double kGraphCeiling = -20.0;

// 2280 - 20 x Rssi milliseconds, never below kMinBeepPeriod.
int BeepPeriodForRssi(int32_t rssi);

class CMainFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // A saved layout that names only bars this frame has.
    BOOL IsBarStateValid(LPCSTR lpszProfileName);

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CReBar m_wndReBar;
    CSizingControlBarG m_wndNotesBar;
    CSizingControlBarG m_wndMeterBar;
    CPowerGraph m_graph;
    CNoteEdit m_noteEdit;
    CSizingControlBarG m_wndChannelBar;
    CChannelMap m_channelMap;
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
    void OnClose();
    void OnViewMeter();
    void OnViewNotes();
    void OnUpdateViewMeter(CCmdUI* pCmdUI);
    void OnUpdateViewNotes(CCmdUI* pCmdUI);
    void OnNextPane();
    void OnPrevPane();
    void OnViewChannels();
    void OnUpdateViewChannels(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Steps of OnCreate that make, dock and fill the two sizing bars.
    BOOL CreateSizingBars();
    BOOL DockSizingBars();
    // The editor lets go of an entry that left the document's list (a load
    // replaced it, or the document closed).
    void ForgetStaleNoteEntry(CKesuDoc* pDoc);
    void ForgetNoteEntry();
    // F6 and Shift+F6: the focus goes nStep panes on among the list and the note editor.
    void MovePaneFocus(int nStep);
    void Refresh(CKesuDoc* pDoc);
    void Beep(CKesuDoc* pDoc);
    // The channel bar (frame/ChannelBar.cpp): made with the other bars, docked right, and given
    // the access points of the last scan on every refresh while it shows.
    BOOL CreateChannelBar();
    void DockChannelBar();
    void RefreshChannelMap(CKesuDoc* pDoc);
    std::vector<MapAp> m_channelScratch;
    // What the map was last filled from; the same again needs no walk.
    struct MapSource
    {
        const CKesuDoc* pDoc = nullptr;
        uint64_t changes = 0;
        const CNetworkEntry* pTracked = nullptr;
        bool operator==(const MapSource& o) const
        {
            return pDoc == o.pDoc && changes == o.changes && pTracked == o.pTracked;
        }
    } m_mapSource;
    // Where g_pNoteEntry sat when it was selected: checked at every keystroke.
    CEntryPlace m_notePlace;
};
