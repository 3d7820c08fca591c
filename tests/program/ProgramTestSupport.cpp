// Starts the application once for all the program's window tests, and the
// helpers they share.
#include "tests/program/ProgramTestSupport.h"

#include <cstring>
#include <string>

#include "res/resource.h"
#include "scan/AdapterDlg.h"
#include "tests/scan/TestLists.h"

namespace
{

CTestKesuApp theApp;

// The tests' own NetworkCards tree, one per process, removed at the end.
std::string g_testKey;
std::string g_cardsKey;
// The first document scans this card until the first test replaces it.
ScriptedCardHost* g_pStartCard = nullptr;
StartupRecord g_startup;
std::vector<PlaySoundCall> g_sounds;

BOOL RecordSound(LPCSTR pszSound, HMODULE, DWORD fdwSound)
{
    g_sounds.push_back({pszSound ? pszSound : "", fdwSound});
    return TRUE;
}

struct PendingAnswer
{
    std::string service;
    bool bCancel = false;
    std::function<void(HWND)> inspect;
    bool bAnswered = false;
};
PendingAnswer g_answer;

HWND FindThreadWindow(bool (*match)(HWND))
{
    struct Find
    {
        bool (*match)(HWND);
        HWND hFound;
    } find = {match, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pFind = reinterpret_cast<Find*>(lParam);
            if (!pFind->match(hWnd))
                return TRUE;
            pFind->hFound = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

bool IsAdapterDialog(HWND hWnd)
{
    char text[256];
    if (!IsWindowVisible(hWnd) || !GetClassNameA(hWnd, text, sizeof text) || std::strcmp(text, "#32770") != 0)
        return false;
    GetWindowTextA(hWnd, text, sizeof text);
    return std::strcmp(text, App().GetString(LanguageText::AdapterTitle)) == 0;
}

bool IsMainFrame(HWND hWnd)
{
    return DYNAMIC_DOWNCAST(CMainFrame, CWnd::FromHandlePermanent(hWnd)) != nullptr;
}

void PressButton(HWND hDialog, int id)
{
    SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, id)));
}

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    HWND hDialog = FindThreadWindow(IsAdapterDialog);
    if (!hDialog)
        return;
    KillTimer(nullptr, idEvent);
    if (g_answer.inspect)
        g_answer.inspect(hDialog);
    // A dialog left open would hang the test: Cancel whenever the card isn't there.
    if (g_answer.bCancel || !SelectAdapterRow(hDialog, g_answer.service.c_str()))
        PressButton(hDialog, IDCANCEL);
    else
        PressButton(hDialog, IDOK);
    g_answer.bAnswered = true;
}

void SetString(HKEY hKey, const char* name, const std::string& value)
{
    RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

}  // namespace

void ClearSavedLayout(const std::string& profile)
{
    const std::string appKey = "Software\\Ostrel\\" + profile;
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, appKey.c_str(), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    char name[256];
    DWORD index = 0;
    std::vector<std::string> sections;
    for (DWORD size = sizeof name;
         RegEnumKeyExA(hKey, index++, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         size = sizeof name)
        if (std::strncmp(name, "BarState", 8) == 0)
            sections.push_back(name);
    for (const std::string& section : sections)
        RegDeleteTreeA(hKey, section.c_str());
    RegCloseKey(hKey);
}

namespace
{

void RecordBars()
{
    CMainFrame* pFrame = Frame();
    g_startup.nMeterDockId = static_cast<UINT>(::GetDlgCtrlID(::GetParent(pFrame->m_wndMeterBar.m_hWnd)));
    g_startup.nNotesDockId = static_cast<UINT>(::GetDlgCtrlID(::GetParent(pFrame->m_wndNotesBar.m_hWnd)));
    g_startup.bBarsVisible =
        pFrame->m_wndMeterBar.IsWindowVisible() && pFrame->m_wndNotesBar.IsWindowVisible();
    g_startup.bEditorEnabled = pFrame->m_noteEdit.IsWindowEnabled() != FALSE;
    CString text;
    pFrame->m_noteEdit.GetWindowText(text);
    g_startup.editorText = static_cast<LPCSTR>(text);
}

class ProgramEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_WIN95_CLASSES |
                                                    ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        char cmdLine[] = "";
        ASSERT_TRUE(AfxWinInit(GetModuleHandleA(nullptr), nullptr, cmdLine, SW_SHOWNORMAL));

        g_testKey = "SOFTWARE\\KesuTest\\" + std::to_string(GetCurrentProcessId());
        g_cardsKey = g_testKey + "\\NetworkCards";
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, (g_cardsKey + "\\7").c_str(), 0, nullptr,
                                                 0, KEY_WRITE, nullptr, &hKey, nullptr));
        SetString(hKey, "ServiceName", kScriptedService);
        SetString(hKey, "Description", "Tarjeta de prueba");
        RegCloseKey(hKey);
        g_pszNetworkCardsKey = g_cardsKey.c_str();

        g_pStartCard = new ScriptedCardHost;
        g_pStartCard->SetSleepMilliseconds(5);
        CKesuDoc::s_pScanHostForNewDocuments = g_pStartCard;

        AnswerAdapterDialog(kScriptedService, [](HWND) {
            // The frame and its refresh timer exist already; nothing is refreshed
            // yet, but every timer message counts.
            g_startup.bDialogSeen = true;
            CMainFrame* pFrame =
                static_cast<CMainFrame*>(CWnd::FromHandlePermanent(FindThreadWindow(IsMainFrame)));
            if (!pFrame)
                return;
            const int ticks = pFrame->m_nTicks;
            pFrame->SendMessage(WM_TIMER, ID_TIMER_REFRESH);
            pFrame->SendMessage(WM_TIMER, ID_TIMER_REFRESH);
            g_startup.nTicksDuringDialog = pFrame->m_nTicks - ticks;
            for (int pane = 0; pane < 4; ++pane)
                g_startup.panesDuringDialog[pane] = pFrame->m_wndStatusBar.GetPaneText(pane);
        });
        // Started from elsewhere, the program must still find its files beside itself.
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        SetCurrentDirectoryA(temp);
        // The first start of a user: no layout saved by an earlier run.
        ClearSavedLayout(App().m_pszAppName);
        ASSERT_TRUE(App().InitInstance());
        ASSERT_TRUE(AdapterDialogAnswered());
        for (int pane = 0; pane < 4; ++pane)
            g_startup.panesAfterStart[pane] = PaneText(pane);
        RecordBars();
        // From here the tests deliver the heartbeat themselves.
        Frame()->KillTimer(ID_TIMER_REFRESH);
    }

    void TearDown() override
    {
        if (Frame())
        {
            Doc()->SetModifiedFlag(FALSE);
            Frame()->SendMessage(WM_CLOSE);
        }
        PumpMessages();
        App().ExitInstance();
        EXPECT_STREQ("***", App().GetString(LanguageText::HeaderName)) << "no text once the table is closed";
        delete g_pStartCard;
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, g_testKey.c_str());
    }
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

}  // namespace

const char kScriptedService[] = "KesuScripted";

void CTestKesuApp::Announce(const char* text)
{
    m_announced.push_back(text);
    CKesuApp::Announce(text);
}

int CTestKesuApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT)
{
    m_messages.push_back(lpszPrompt);
    if (!m_answers.empty())
    {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return (nType & MB_TYPEMASK) == MB_OK ? IDOK : IDNO;
}

BOOL CTestKesuApp::DoFileDialog(OPENFILENAMEA* pofn, BOOL bOpenFileDialog)
{
    FileDialog seen = {bOpenFileDialog != FALSE, "", pofn->lpstrDefExt ? pofn->lpstrDefExt : "",
                       pofn->lpstrFile, pofn->nFilterIndex};
    for (const char* p = pofn->lpstrFilter; p && *p; p += std::strlen(p) + 1)
        seen.filter.append(p).push_back('\0');
    m_fileDialogs.push_back(seen);
    if (m_fileAnswers.empty())
        return FALSE;
    lstrcpynA(pofn->lpstrFile, m_fileAnswers.front().c_str(), int(pofn->nMaxFile));
    m_fileAnswers.pop_front();
    return TRUE;
}

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "kesu-program-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

CTestKesuApp& App()
{
    return theApp;
}
CMainFrame* Frame()
{
    return static_cast<CMainFrame*>(theApp.m_pMainWnd);
}
CKesuDoc* Doc()
{
    return Frame() ? static_cast<CKesuDoc*>(Frame()->GetActiveDocument()) : nullptr;
}
CKesuView* View()
{
    return Frame() ? static_cast<CKesuView*>(Frame()->GetActiveView()) : nullptr;
}

CNetworkEntry* EntryAt(int row)
{
    return row < 0 ? nullptr : EntryAt(Doc()->m_entries, static_cast<size_t>(row));
}
const StartupRecord& Startup()
{
    return g_startup;
}

void AnswerAdapterDialog(const char* service, std::function<void(HWND)> inspect)
{
    g_answer.service = service ? service : "";
    g_answer.bCancel = service == nullptr;
    g_answer.inspect = std::move(inspect);
    g_answer.bAnswered = false;
    SetTimer(nullptr, 0, 10, AnswerTimer);
}

bool AdapterDialogAnswered()
{
    return g_answer.bAnswered;
}

bool SelectAdapterRow(HWND hDialog, const char* service)
{
    HWND hList = GetDlgItem(hDialog, 1003);
    const int rows = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
    {
        char text[600] = {};
        LVITEMA item = {};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(hList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        if (std::strcmp(text, service) != 0)
            continue;
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(hList, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
        SendMessageA(hList, LVM_SETSELECTIONMARK, 0, row);
        return true;
    }
    return false;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            continue;
        if (!theApp.PreTranslateMessage(&msg))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    theApp.OnIdle(0);
    theApp.OnIdle(1);
}

std::string PaneText(int pane)
{
    return std::string(Frame()->m_wndStatusBar.GetPaneText(pane));
}

std::string CellText(int row, int column)
{
    char text[256] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    View()->GetListCtrl().SendMessage(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

int CellImage(int row, int column)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    View()->GetListCtrl().SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void Tick(UINT_PTR nIDEvent)
{
    Frame()->SendMessage(WM_TIMER, nIDEvent);
}

bool StopBeepTimer()
{
    return Frame()->KillTimer(ID_TIMER_BEEP) != FALSE;
}

double LastGraphPoint()
{
    // AppendPoint hands back the value before.
    return Frame()->m_graph.AppendPoint(-1000.0);
}

ProgramTest::ProgramTest() : m_sounds(g_sounds) {}

void ProgramTest::SetUp()
{
    g_sounds.clear();
    CMainFrame::s_pfnPlaySound = RecordSound;
    CKesuDoc* pDoc = Doc();
    ASSERT_NE(nullptr, pDoc);
    // The scan of the start or of the test before ends; its card may be gone.
    pDoc->StopScan();
    pDoc->SetScanHost(g_pStartCard);
    pDoc->DeleteEntries();
    {
        CEntryListLock lock(*pDoc);
        std::memset(pDoc->m_ownMac, 0, sizeof pDoc->m_ownMac);
    }
    pDoc->m_pTracked = nullptr;
    pDoc->m_nHeard = 0;
    pDoc->SetModifiedFlag(FALSE);
    StopBeepTimer();
    App().m_announced.clear();
    App().m_messages.clear();
    App().m_answers.clear();
    App().m_fileDialogs.clear();
    App().m_fileAnswers.clear();
}

void ProgramTest::TearDown()
{
    m_card.HoldPauses(false);
    Doc()->StopScan();
    Doc()->SetScanHost(g_pStartCard);
    StopBeepTimer();
}

void ProgramTest::NewScan()
{
    m_card.HoldPauses(true);
    Doc()->SetScanHost(&m_card);
    AnswerAdapterDialog(kScriptedService);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    ASSERT_TRUE(AdapterDialogAnswered());
    ASSERT_TRUE(m_card.WaitForPause(0));
}

void ProgramTest::FinishPass(int n)
{
    m_card.ReleasePause();
    ASSERT_TRUE(m_card.WaitForPause(n));
}

void ProgramTest::HearInFirstPass(const std::vector<NDIS_WLAN_BSSID>& elements)
{
    m_card.AddPass(PassHearing(elements));
    NewScan();
    FinishPass(1);
    Tick(ID_TIMER_REFRESH);
}

ScriptedCardPass PassHearing(const std::vector<NDIS_WLAN_BSSID>& elements)
{
    ScriptedCardPass pass;
    pass.list = MakeScriptedList(elements);
    return pass;
}
