// Kesu.exe itself, started as a user starts it: from another folder, with a
// list file named on the command line.
#include <cstring>
#include <string>
#include <vector>

#include "afx/File.h"

#include "tests/program/ProgramTestSupport.h"
#include "tools/pickcard/PickCard.h"

namespace
{

std::string ProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

}  // namespace

TEST(KesuExeTest, ListOnTheCommandLineOpensWithoutTheDialogAndWithoutScanning)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string list =
        std::string(temp) + "kesu-cmdline-" + std::to_string(GetCurrentProcessId()) + ".ksu";
    {
        CFile file;
        ASSERT_TRUE(file.Open(list.c_str(), CFile::modeCreate | CFile::modeWrite));
        for (uint8_t mac : {0xA1, 0xA2})
        {
            const NDIS_WLAN_BSSID bssid = MakeScriptedElement(mac, "Guardada", -50);
            const int32_t length = 0;
            ASSERT_TRUE(file.Write(&bssid, sizeof bssid));
            ASSERT_TRUE(file.Write(&length, sizeof length));
        }
    }

    // Started from the temporary folder: the language file is found beside the program.
    std::string commandLine = "\"" + ProgramFolder() + "Kesu.exe\" \"" + list + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(
        CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, temp, &si, &pi));
    HWND hFrame = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return (hFrame = FindMainFrame(pi.dwProcessId)) != nullptr; }, 30000));
    if (hFrame)
    {
        EXPECT_EQ(nullptr, WaitForAdapterDialog(AdapterDialogTitle(), pi.dwProcessId, 0));
        char title[MAX_PATH] = {};
        EXPECT_TRUE(PumpUntil([&] {
            GetWindowTextA(hFrame, title, sizeof title);
            return std::string(title).find(".ksu - Kesu") != std::string::npos;
        })) << title;
        EXPECT_EQ(2, ListRowCount(hFrame));
        // A refresh later nothing was added: no scan runs.
        EXPECT_TRUE(PumpUntil([&] { return StatusPaneLength(hFrame, 3) > 0; }, 5000));
        EXPECT_EQ(2, ListRowCount(hFrame));
        // Pane 1 says so steadily, over refreshes of both blink phases.
        const int stoppedLength = static_cast<int>(std::strlen(App().GetString(LanguageText::Stopped)));
        for (int i = 0; i < 4; ++i)
        {
            EXPECT_EQ(stoppedLength, StatusPaneLength(hFrame, 1)) << i;
            PumpUntil([] { return false; }, 600);
        }
        EXPECT_TRUE(CloseWithoutSaving(hFrame, 15000));
    }
    EXPECT_EQ(0u, EndProcess(pi, 15000));
    DeleteFileA(list.c_str());
}

namespace
{

// Whether process 'pid' shows a window of its own.
bool HasVisibleWindow(DWORD pid)
{
    struct Find
    {
        DWORD pid;
        bool bFound;
    } find = {pid, false};
    EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pFind = reinterpret_cast<Find*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(hWnd, &owner);
            if (owner == pFind->pid && IsWindowVisible(hWnd))
                pFind->bFound = true;
            return !pFind->bFound;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.bFound;
}

}  // namespace

TEST(KesuExeTest, WithoutItsLanguageFileTheProgramEndsWithoutAWindow)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kesu-nolang-" + std::to_string(GetCurrentProcessId());
    const std::string program = folder + "\\Kesu.exe";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "Kesu.exe").c_str(), program.c_str(), FALSE));

    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &si, &pi));
    bool bWindowSeen = false;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(pi.hProcess, 10) == WAIT_TIMEOUT && GetTickCount() - start < 20000)
        bWindowSeen = bWindowSeen || HasVisibleWindow(pi.dwProcessId);
    const bool bEnded = WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
    if (!bEnded)
        TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_TRUE(bEnded);
    EXPECT_FALSE(bWindowSeen);
}
