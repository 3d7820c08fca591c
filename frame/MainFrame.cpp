// The main frame: creation, size limits and the two timers.
#include "frame/MainFrame.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "afx/UniqueHandle.h"
#include "afx/Rect.h"
#include "app/KesuApp.h"
#include "res/resource.h"
#include "scan/KesuDoc.h"

namespace
{

constexpr int kFrameWidth = 600;
constexpr int kFrameHeight = 400;
constexpr int kPaneWidth = 150;
constexpr UINT kRefreshPeriod = 1000;
constexpr DWORD kBeepSoundFlags = SND_FILENAME | SND_NOWAIT | SND_ASYNC;
const char kBeepFile[] = "\\test.wav";

const UINT kIndicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};

// The sound library is loaded from the system folder, once, and not
// imported: the platform would look for an imported one beside the program first.
BOOL PlaySoundThroughWinmm(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound)
{
    static const LoadedModule s_winmm = LoadSystemLibrary("winmm.dll");
    static const auto s_pfnPlay =
        s_winmm.IsValid() ? reinterpret_cast<decltype(&::PlaySoundA)>(
                                reinterpret_cast<void*>(::GetProcAddress(s_winmm.Get(), "PlaySoundA")))
                          : nullptr;
    return s_pfnPlay != nullptr && s_pfnPlay(pszSound, hmod, fdwSound);
}

}  // namespace

CMainFrame::PlaySoundFn CMainFrame::s_pfnPlaySound = PlaySoundThroughWinmm;

int BeepPeriodForRssi(int32_t rssi)
{
    // In 64 bits: a driver's extreme Rssi must not overflow the formula.
    const int64_t period = 2280 - 20 * static_cast<int64_t>(rssi);
    if (period < kMinBeepPeriod)
        return kMinBeepPeriod;
    if (period > USER_TIMER_MAXIMUM)
        return USER_TIMER_MAXIMUM;
    return static_cast<int>(period);
}

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_GETMINMAXINFO()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_COMMAND(ID_VIEW_METER, OnViewMeter)
    ON_COMMAND(ID_VIEW_NOTES, OnViewNotes)
    ON_UPDATE_COMMAND_UI(ID_VIEW_METER, OnUpdateViewMeter)
    ON_UPDATE_COMMAND_UI(ID_VIEW_NOTES, OnUpdateViewNotes)
    ON_COMMAND(ID_NEXT_PANE, OnNextPane)
    ON_COMMAND(ID_PREV_PANE, OnPrevPane)
    ON_COMMAND(ID_VIEW_CHANNELS, OnViewChannels)
    ON_UPDATE_COMMAND_UI(ID_VIEW_CHANNELS, OnUpdateViewChannels)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() : m_nTicks(0) {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.cx = kFrameWidth;
    cs.cy = kFrameHeight;
    return CFrameWnd::PreCreateWindow(cs) ? TRUE : FALSE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, 4))
        return -1;
    m_wndStatusBar.SetPaneInfo(1, ID_PANE_SCAN, SBPS_NORMAL, kPaneWidth);
    m_wndStatusBar.SetPaneInfo(2, ID_PANE_ADDRESS, SBPS_NORMAL, kPaneWidth);
    m_wndStatusBar.SetPaneInfo(3, ID_PANE_HEARD, SBPS_NORMAL, kPaneWidth);

    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0),
                               AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;

    if (!CreateSizingBars())
        return -1;

    if (!m_wndReBar.Create(this, RBS_BANDBORDERS,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                           AFX_IDW_REBAR) ||
        !m_wndReBar.AddBar(&m_wndToolBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP))
        return -1;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);

    if (!DockSizingBars())
        return -1;

    SetTimer(ID_TIMER_REFRESH, kRefreshPeriod, nullptr);
    return 0;
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = kFrameWidth;
    lpMMI->ptMinTrackSize.y = kFrameHeight;
    Default();
}

void CMainFrame::OnDestroy()
{
    // The document's entries are freed with it; nothing may reach them through the editor.
    g_pNoteEntry = nullptr;
    CFrameWnd::OnDestroy();
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (CKesuDoc* pDoc = DYNAMIC_DOWNCAST(CKesuDoc, GetActiveDocument()))
    {
        if (nIDEvent == ID_TIMER_REFRESH)
            Refresh(pDoc);
        else if (nIDEvent == ID_TIMER_BEEP)
            Beep(pDoc);
    }
    ++m_nTicks;
    Default();
}

void CMainFrame::Refresh(CKesuDoc* pDoc)
{
    ForgetStaleNoteEntry(pDoc);
    pDoc->UpdateAllViews(nullptr, 0, nullptr);
    CKesuApp* pApp = KesuApp();

    const char* scanText = pDoc->m_bScanning
                               ? ((m_nTicks & 1) ? pApp->GetString(LanguageText::Scanning) : " ")
                               : pApp->GetString(LanguageText::Stopped);
    m_wndStatusBar.SetPaneText(1, scanText, TRUE);

    char text[128];
    bool bTracked = false;
    double signal = kGraphFloor;
    {
        CEntryListLock lock(*pDoc);
        FormatMacAddress(pDoc->m_ownMac, text, sizeof text);
        if (const CNetworkEntry* pTracked = pDoc->m_pTracked)
        {
            bTracked = true;
            signal = pTracked->m_bSeen ? static_cast<double>(pTracked->m_bssid.Rssi) : kGraphFloor;
        }
    }
    m_wndStatusBar.SetPaneText(2, text, TRUE);

    std::snprintf(text, sizeof text, "%d %s", static_cast<int>(pDoc->m_nHeard),
                  pApp->GetString(LanguageText::InRange));
    m_wndStatusBar.SetPaneText(3, text, TRUE);

    if (bTracked)
        m_graph.AppendPoint(signal);
    RefreshChannelMap(pDoc);
}

void CMainFrame::Beep(CKesuDoc* pDoc)
{
    const CNetworkEntry* pTracked = pDoc->m_pTracked;
    if (!pTracked)
        return;
    bool bSeen;
    {
        CEntryListLock lock(*pDoc);
        bSeen = pTracked->m_bSeen != 0;
    }
    if (!bSeen)
    {
        // Stops for good: only a new double-click starts it again.
        KillTimer(ID_TIMER_BEEP);
        return;
    }
    char path[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
    // A folder too long for the file name skips this beep: a cut path could
    // name another file. The rhythm goes on.
    if (length > 0 && length + sizeof kBeepFile <= MAX_PATH)
    {
        std::memcpy(path + length, kBeepFile, sizeof kBeepFile);
        s_pfnPlaySound(path, nullptr, kBeepSoundFlags);
    }
    int32_t rssi;
    {
        CEntryListLock lock(*pDoc);
        rssi = pTracked->m_bssid.Rssi;
    }
    SetTimer(ID_TIMER_BEEP, static_cast<UINT>(BeepPeriodForRssi(rssi)), nullptr);
}
