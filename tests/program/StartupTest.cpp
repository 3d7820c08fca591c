// Kesu.exe itself, started as a user starts it: from another folder, with a
// list file named on the command line.
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
        EXPECT_TRUE(CloseWithoutSaving(hFrame, 15000));
    }
    if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(0u, code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DeleteFileA(list.c_str());
}
