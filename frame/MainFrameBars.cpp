// The main frame's docking bars: the meter bar with the graph, the annotations bar with the note
// editor, their saved layout, the View toggles, the relay between the list and the editor and F6 between
// them.
#include "frame/MainFrame.h"

#include "afx/DockState.h"
#include "afx/ControlBarInfo.h"
#include "afx/View.h"
#include "afx/Rect.h"
#include "afx/CmdUI.h"
#include "app/KesuApp.h"
#include "dockbar/SCBMiniDockFrameWnd.h"
#include "res/resource.h"
#include "scan/KesuDoc.h"

#include <cstdint>

CNetworkEntry* g_pNoteEntry = nullptr;

namespace
{

const char kBarState[] = "BarState";
constexpr DWORD kSizingBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP;
constexpr DWORD kSizingBarExtra = CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
// The graph keeps bitmaps of its first size for life, so it starts at the
// largest it will ever draw; the first layout shrinks it to its bar.
const CRect kGraphFirstRect(0, 0, 2048, 1024);
const CRect kNoteEditFirstRect(0, 0, 255, 255);

BOOL CreateSizingBar(CSizingControlBarG& bar, CFrameWnd* pFrame, UINT nID)
{
    if (!bar.Create("", pFrame, nID, kSizingBarStyle))
        return FALSE;
    bar.SetBarStyle(bar.GetBarStyle() | kSizingBarExtra);
    return TRUE;
}

void FitChildToClient(CWnd& child, CWnd& bar)
{
    CRect rc;
    bar.GetClientRect(rc);
    child.SetWindowPos(nullptr, rc.left, rc.top, rc.right, rc.bottom, 0);
}

}  // namespace

BOOL CMainFrame::CreateSizingBars()
{
    return CreateSizingBar(m_wndNotesBar, this, IDC_NOTES_BAR) &&
           CreateSizingBar(m_wndMeterBar, this, IDC_METER_BAR) && CreateChannelBar();
}

BOOL CMainFrame::DockSizingBars()
{
    m_wndNotesBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndMeterBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    // After EnableDocking, which installs the framework's own floating frame.
    m_pFloatingFrameClass = RUNTIME_CLASS(CSCBMiniDockFrameWnd);
    DockControlBar(&m_wndNotesBar, AFX_IDW_DOCKBAR_BOTTOM);
    DockControlBar(&m_wndMeterBar, AFX_IDW_DOCKBAR_LEFT);
    m_wndMeterBar.m_dwSizingStyle = (m_wndMeterBar.m_dwSizingStyle & ~SCB_EDGE_ALL) | SCB_FIT_CHILD;

    m_graph.Create(WS_CHILD | WS_VISIBLE, kGraphFirstRect, &m_wndMeterBar, 0);
    m_graph.SetRange(kGraphFloor, kGraphCeiling, 1);
    m_graph.SetYUnits(KesuApp()->GetString(LanguageText::GraphSignal));
    m_graph.SetXUnits(KesuApp()->GetString(LanguageText::GraphSeconds));

    m_noteEdit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, kNoteEditFirstRect,
                      &m_wndNotesBar, IDC_NOTE_EDIT);
    m_noteEdit.EnableWindow(FALSE);
    DockChannelBar();

    if (IsBarStateValid(kBarState))
    {
        m_wndNotesBar.LoadBarSizes(kBarState);
        m_wndChannelBar.LoadBarSizes(kBarState);
        // Its sizes are not kept, but a floating frame of it must come back where it was too.
        m_wndMeterBar.MoveSavedFloatingPlace(kBarState);
        LoadBarState(kBarState);
    }
    return TRUE;
}

BOOL CMainFrame::IsBarStateValid(LPCSTR lpszProfileName)
{
    CDockState state;
    state.LoadState(lpszProfileName);
    for (const auto& pInfo : state.m_arrBarInfo)
    {
        for (const DockBarEntry& entry : pInfo->m_entries)
        {
            if (!entry.IsRowEnd() && !GetControlBar(entry.nID))
                return FALSE;
        }
        if (!pInfo->m_bFloating && !GetControlBar(pInfo->m_nBarID))
            return FALSE;
    }
    return TRUE;
}

void CMainFrame::OnClose()
{
    // A bar being dragged is put back first; the close then comes again.
    if (DeferCloseDuringBarDrag())
        return;
    // Saved before the close can be refused: a refused close keeps the layout saved.
    m_wndNotesBar.SaveBarSizes(kBarState);
    m_wndChannelBar.SaveBarSizes(kBarState);
    SaveBarState(kBarState);
    CFrameWnd::OnClose();
}

void CMainFrame::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
    if (!m_wndMeterBar.GetSafeHwnd())
        return;
    if (m_graph.GetSafeHwnd())
    {
        FitChildToClient(m_graph, m_wndMeterBar);
        // Also clears the trace: every layout pass starts the graph afresh.
        m_graph.Reset();
    }
    if (m_noteEdit.GetSafeHwnd())
        FitChildToClient(m_noteEdit, m_wndNotesBar);
    if (m_channelMap.GetSafeHwnd())
        FitChildToClient(m_channelMap, m_wndChannelBar);
}

void CMainFrame::OnViewMeter()
{
    m_wndMeterBar.ShowWindow(m_wndMeterBar.IsWindowVisible() ? SW_HIDE : SW_SHOW);
    RecalcLayout(TRUE);
}

void CMainFrame::OnViewNotes()
{
    m_wndNotesBar.ShowWindow(m_wndNotesBar.IsWindowVisible() ? SW_HIDE : SW_SHOW);
    RecalcLayout(TRUE);
}

void CMainFrame::OnUpdateViewMeter(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndMeterBar.IsWindowVisible() ? 1 : 0);
}

void CMainFrame::OnUpdateViewNotes(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndNotesBar.IsWindowVisible() ? 1 : 0);
}

void CMainFrame::OnNextPane()
{
    MovePaneFocus(1);
}

void CMainFrame::OnPrevPane()
{
    MovePaneFocus(-1);
}

void CMainFrame::MovePaneFocus(int nStep)
{
    // The editor is a pane only while it can take the focus: an entry was selected and its bar is shown,
    // docked or floating. Without it the list is the only pane and the focus stays there.
    CWnd* panes[2];
    int nPanes = 0;
    if (CWnd* pView = GetActiveView())
        panes[nPanes++] = pView;
    if (m_noteEdit.GetSafeHwnd() && m_noteEdit.IsWindowVisible() && m_noteEdit.IsWindowEnabled())
        panes[nPanes++] = &m_noteEdit;
    if (nPanes == 0)
        return;
    const HWND hFocus = ::GetFocus();
    int nCurrent = -1;
    for (int i = 0; i < nPanes; ++i)
    {
        if (hFocus && (hFocus == panes[i]->m_hWnd || ::IsChild(panes[i]->m_hWnd, hFocus)))
            nCurrent = i;
    }
    // From anywhere else forward reaches the first pane, backward the last.
    const int nNext = nCurrent < 0 ? (nStep > 0 ? 0 : nPanes - 1) : (nCurrent + nStep + nPanes) % nPanes;
    panes[nNext]->SetFocus();
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SELECT_ENTRY)
    {
        // Remembered before the text changes: the editor's change notice must reach the new entry.
        g_pNoteEntry = reinterpret_cast<CNetworkEntry*>(wParam);
        if (g_pNoteEntry)
        {
            if (CKesuDoc* pDoc = DYNAMIC_DOWNCAST(CKesuDoc, GetActiveDocument()))
            {
                CEntryListLock lock(*pDoc);
                m_notePlace.Note(pDoc->ListIndex(), *g_pNoteEntry);
            }
            m_noteEdit.EnableWindow(TRUE);
            m_noteEdit.SetWindowText(g_pNoteEntry->m_strAnnotation.c_str());
        }
    }
    else if (message == WM_NOTE_CHANGED)
    {
        CKesuDoc* pDoc = DYNAMIC_DOWNCAST(CKesuDoc, GetActiveDocument());
        ForgetStaleNoteEntry(pDoc);
        if (g_pNoteEntry)
        {
            CString text;
            m_noteEdit.GetWindowText(text);
            // Selecting a row sets the editor's text, which notifies like typing
            // does: only a note that really changed makes the list unsaved.
            if (g_pNoteEntry->m_strAnnotation != static_cast<LPCSTR>(text))
            {
                g_pNoteEntry->m_strAnnotation = static_cast<LPCSTR>(text);
                if (pDoc)
                {
                    // A list sorted by its notes looks again at the next refresh.
                    CEntryListLock lock(*pDoc);
                    pDoc->ListIndex().NoteChanged();
                    pDoc->SetModifiedFlag(TRUE);
                }
            }
        }
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

void CMainFrame::ForgetStaleNoteEntry(CKesuDoc* pDoc)
{
    if (!g_pNoteEntry)
        return;
    bool bInList = false;
    if (pDoc)
    {
        CEntryListLock lock(*pDoc);
        bInList = m_notePlace.Holds(pDoc->ListIndex(), g_pNoteEntry);
    }
    if (!bInList)
        ForgetNoteEntry();
}

void CMainFrame::ForgetNoteEntry()
{
    // Null first: emptying the editor reports a change that must reach no entry.
    g_pNoteEntry = nullptr;
    m_noteEdit.SetWindowText("");
    m_noteEdit.EnableWindow(FALSE);
}
