// The program's window tests: the real application object started the way
// the program starts, scanning a scripted card, with the adapter dialog
// answered by the test.
#pragma once

#include "app/KesuApp.h"
#include "driver/ScriptedCard.h"
#include "frame/MainFrame.h"
#include "scan/KesuDoc.h"
#include "view/KesuView.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The application with its announcements, message boxes and file dialogs
// recorded; every message box is answered from m_answers, else "No" to the
// save prompt; every file dialog with the next of m_fileAnswers, else cancelled.
class CTestKesuApp : public CKesuApp
{
public:
    void Announce(const char* text) override;
    int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
    BOOL DoFileDialog(OPENFILENAMEA* pofn, BOOL bOpenFileDialog) override;

    struct FileDialog
    {
        bool bOpen;
        std::string filter;  // with its NULs, up to the closing empty string
        std::string defExt;
        std::string file;  // the name offered
        DWORD nFilterIndex;
    };

    std::vector<std::string> m_announced;
    std::vector<std::string> m_messages;
    std::deque<int> m_answers;
    std::vector<FileDialog> m_fileDialogs;
    std::deque<std::string> m_fileAnswers;
};

CTestKesuApp& App();
CMainFrame* Frame();
CKesuDoc* Doc();
CKesuView* View();
// The document's entry at 'row' from the head (null past the end), read
// without the lock: only between passes.
CNetworkEntry* EntryAt(int row);

// The card the adapter dialog offers in the tests' registry tree.
extern const char kScriptedService[];

// What the tests saw while the first adapter dialog was open, and right after
// start-up before any refresh.
struct StartupRecord
{
    bool bDialogSeen = false;
    int nTicksDuringDialog = 0;
    std::string panesDuringDialog[4];
    std::string panesAfterStart[4];
    // The bars' dock bars, their visibility and the note editor, at start.
    UINT nMeterDockId = 0;
    UINT nNotesDockId = 0;
    bool bBarsVisible = false;
    bool bEditorEnabled = true;
    std::string editorText = "?";
};
const StartupRecord& Startup();

// A name in the temporary folder that no other test process uses: kesu-program-<pid>-<name>.
std::string TempPath(const char* name);

// Removes the docking layout and bar sizes saved under Software\Ostrel\<profile>.
void ClearSavedLayout(const std::string& profile);

// Answers the next adapter dialog on this thread: 'inspect' sees it first,
// then the row of 'service' is selected and OK pressed (null service:
// Cancel). Returns at once; the answer comes from the dialog's own loop.
void AnswerAdapterDialog(const char* service, std::function<void(HWND)> inspect = {});
bool AdapterDialogAnswered();
// Selects the row showing 'service' as a user would (selection and mark);
// false if no row shows it.
bool SelectAdapterRow(HWND hDialog, const char* service);

// Delivers what is queued for this thread, then one round of idle processing.
void PumpMessages();
template <class Pred>
bool PumpUntil(Pred pred, DWORD dwTimeoutMs = 5000)
{
    const DWORD dwStart = GetTickCount();
    while (!pred())
    {
        if (GetTickCount() - dwStart > dwTimeoutMs)
            return pred();
        PumpMessages();
        Sleep(2);
    }
    return true;
}

std::string PaneText(int pane);
// A list cell as the control shows it: its text and its image.
std::string CellText(int row, int column);
int CellImage(int row, int column);
// The frame's heartbeat, as the timer would deliver it.
void Tick(UINT_PTR nIDEvent);
// Whether timer 142 is set on the frame; checking stops it.
bool StopBeepTimer();
// The value the frame gave the graph last (appending a marker to learn it).
double LastGraphPoint();

// What the beeper asked the sound player for; tests play nothing.
struct PlaySoundCall
{
    std::string path;
    DWORD flags;
};

// Each test scans its own scripted card from a fresh, empty document, with
// the beeper's sounds recorded in m_sounds.
class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // File New through the frame's command, choosing the scripted card in the
    // adapter dialog; the scan then runs on m_card. Pauses are held: the
    // scanner stops before fetching each pass until FinishPass lets it on.
    void NewScan();
    // Lets pass 'n' (from 1) fetch and merge, and waits until it has.
    void FinishPass(int n);
    // A new scan whose first pass hears 'elements', merged and shown by one refresh.
    void HearInFirstPass(const std::vector<NDIS_WLAN_BSSID>& elements);

    ScriptedCardHost m_card;
    std::vector<PlaySoundCall>& m_sounds;

public:
    ProgramTest();
};

// A pass answering 'elements' with the card's address 02:00:00:00:00:01.
ScriptedCardPass PassHearing(const std::vector<NDIS_WLAN_BSSID>& elements);
