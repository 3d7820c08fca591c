// kesu-scanbench: the CPU of Kesu.exe while it scans with a long list loaded,
// beside the same with a short list, measured in the same run. Each Kesu.exe
// starts as a user starts it, the simulated card is picked in the adapter
// dialog, and the list is opened once the scan runs; the scan goes on and
// merges what the walk hears into it. The list is opened through the
// recent-file list, which Kesu.exe reads from its settings as it starts.
// Runs under Wine only (see BenchProcess.h).
//   kesu-scanbench [--entries N] [--small N] [--seconds S] [--rounds R]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "afx/AfxRes.h"
#include "bench/program/BenchProcess.h"
#include "driver/Device.h"
#include "tools/pickcard/PickCard.h"

namespace
{

// Loading a million entries on a busy machine takes a while.
constexpr ULONGLONG kLoadTimeoutMs = 300000;
constexpr DWORD kStepTimeoutMs = 60000;
constexpr char kRecentSection[] = "Recent File List";
constexpr char kFirstRecent[] = "File1";

struct Scanning
{
    BenchProcess process;
    std::string list;
    int entries = 0;
    int rowsLoaded = 0;
    std::vector<double> cpu;
};

// Starts Kesu.exe with 'list' first among its recent files, picks the
// simulated card and, once it scans, opens the list from the File menu.
bool StartScanning(const std::string& kesu, const std::string& title, Scanning& run)
{
    if (!SetKesuSetting(kRecentSection, kFirstRecent, run.list.c_str()) ||
        !StartBenchProcess(kesu, "", run.process))
        return false;
    BenchProcess& p = run.process;
    HWND hDialog = WaitForAdapterDialog(title, p.pi.dwProcessId, kStepTimeoutMs);
    const PickResult picked = hDialog ? ChooseCard(hDialog, kSimulatedServiceName) : kNoDialog;
    if (picked != kPicked)
    {
        std::fprintf(stderr, "kesu-scanbench: could not pick %s in the adapter dialog (%d)\n",
                     kSimulatedServiceName, static_cast<int>(picked));
        return false;
    }
    const ULONGLONG start = GetTickCount64();
    while (!(p.hWindow = FindMainFrame(p.pi.dwProcessId)) && GetTickCount64() - start < kStepTimeoutMs)
        Sleep(50);
    if (!p.hWindow || !ShowsScanning(p.hWindow, kStepTimeoutMs))
    {
        std::fprintf(stderr, "kesu-scanbench: Kesu.exe did not start scanning\n");
        return false;
    }
    // As on a desktop in use: the list as large as the screen lets it be.
    ShowWindow(p.hWindow, SW_MAXIMIZE);
    // Posted: the frame asks whether to save what the scan found so far
    // before it opens, and waits for the answer.
    PostMessageA(p.hWindow, WM_COMMAND, ID_FILE_MRU_FILE1, 0);
    const ULONGLONG opened = GetTickCount64();
    while ((run.rowsLoaded = ListRowCount(p.hWindow)) < run.entries)
    {
        DeclineSave(p.hWindow);
        if (GetTickCount64() - opened >= kLoadTimeoutMs)
        {
            std::fprintf(stderr, "kesu-scanbench: the list did not show %d rows in time\n", run.entries);
            return false;
        }
        Sleep(50);
    }
    // The simulated walk alone never reaches a long list's length, but a
    // short list may be shorter than it: the title names the opened list.
    char text[MAX_PATH];
    GetWindowTextA(p.hWindow, text, sizeof text);
    const std::string name = run.list.substr(run.list.rfind('\\') + 1);
    if (!std::strstr(text, name.c_str()))
    {
        std::fprintf(stderr, "kesu-scanbench: Kesu.exe did not open %s (title \"%s\")\n", name.c_str(), text);
        return false;
    }
    return true;
}

void MeasureRound(Scanning& run, int seconds)
{
    Raise(run.process.hWindow);
    Sleep(kSettleMs);
    run.cpu.push_back(CpuPerSecond(run.process.unixPid, seconds));
}

}  // namespace

int main(int argc, char** argv)
{
    int entries = 1000000;
    int small = 1000;
    int seconds = 10;
    int rounds = 3;
    for (int i = 1; i < argc; i += 2)
    {
        int* pValue = nullptr;
        if (std::strcmp(argv[i], "--entries") == 0)
            pValue = &entries;
        else if (std::strcmp(argv[i], "--small") == 0)
            pValue = &small;
        else if (std::strcmp(argv[i], "--seconds") == 0)
            pValue = &seconds;
        else if (std::strcmp(argv[i], "--rounds") == 0)
            pValue = &rounds;
        if (!pValue || i + 1 >= argc)
        {
            std::fprintf(stderr,
                         "usage: kesu-scanbench [--entries N] [--small N] [--seconds S] [--rounds R]\n");
            return 64;
        }
        *pValue = std::max(1, std::atoi(argv[i + 1]));
    }
    const std::string kesu = BesideThis("Kesu.exe");
    const std::string title = AdapterDialogTitle();
    if (title.empty())
    {
        std::fprintf(stderr, "kesu-scanbench: spanish.lng not found beside this program\n");
        return 1;
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string stem = std::string(temp) + "kesu-scanbench-" + std::to_string(GetCurrentProcessId());
    Scanning longRun, shortRun;
    longRun.list = stem + "-long.ksu";
    longRun.entries = entries;
    shortRun.list = stem + "-short.ksu";
    shortRun.entries = small;
    for (const Scanning* run : {&longRun, &shortRun})
        if (!WriteDayDriveList(run->list, run->entries))
        {
            std::fprintf(stderr, "kesu-scanbench: can't write %s\n", run->list.c_str());
            return 1;
        }

    // Each Kesu.exe writes its recent files back as it ends: what was first
    // before this run is put back after them.
    std::string firstRecent;
    const bool bHadRecent = ReadKesuSetting(kRecentSection, kFirstRecent, firstRecent);
    const bool bStarted = StartScanning(kesu, title, longRun) && StartScanning(kesu, title, shortRun);
    // Both run at once and are measured in turn, round after round, so that
    // whatever else the machine does weighs on each alike.
    for (int round = 0; bStarted && round < rounds; ++round)
    {
        MeasureRound(longRun, seconds);
        MeasureRound(shortRun, seconds);
    }
    int rows[2] = {};
    std::string heard[2];
    bool bScanning[2] = {};
    int i = 0;
    for (Scanning* run : {&longRun, &shortRun})
    {
        if (HWND hFrame = run->process.hWindow)
        {
            rows[i] = ListRowCount(hFrame);
            heard[i] = StatusPaneText(hFrame, 3);
            bScanning[i] = ShowsScanning(hFrame, 5000);
        }
        ++i;
    }
    for (Scanning* run : {&shortRun, &longRun})
    {
        if (run->process.hWindow)
            FinishBenchProcess(run->process, true);
        else if (run->process.pi.hProcess)
            EndProcess(run->process.pi, 0);
        DeleteFileA(run->list.c_str());
    }
    SetKesuSetting(kRecentSection, kFirstRecent, bHadRecent ? firstRecent.c_str() : nullptr);
    if (!bStarted)
        return 1;

    std::printf("CPU while scanning the simulated card: CPU ms per second, median of %d spans of %d s\n",
                rounds, seconds);
    std::printf("%-10s %12s %12s %12s %12s  %s\n", "loaded", "CPU ms/s", "rows loaded", "rows at end",
                "scanning", "heard");
    i = 0;
    for (const Scanning* run : {&longRun, &shortRun})
    {
        std::printf("%-10d %12.2f %12d %12d %12s  %s\n", run->entries, Median(run->cpu), run->rowsLoaded,
                    rows[i], bScanning[i] ? "yes" : "no", heard[i].c_str());
        ++i;
    }
    std::printf("ratio %.2f\n", Median(longRun.cpu) / Median(shortRun.cpu));
    return 0;
}
