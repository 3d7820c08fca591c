// kesu-idlebench: the idle CPU of Kesu.exe showing a long list, scrolled to
// its first and to its last rows, beside the floor (kesu-floorlist: the same
// list control with the same rows, invalidated as often, and nothing else)
// measured in the same run on a list of the same size. Runs under Wine only:
// the CPU time is read from Linux (/proc on drive Z:), where Wine keeps it.
//   kesu-idlebench [--entries N] [--seconds S] [--rounds R]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "bench/program/BenchProcess.h"
#include "res/resource.h"
#include "tools/pickcard/PickCard.h"

namespace
{

constexpr ULONGLONG kStartTimeoutMs = 120000;

// The sort Kesu.exe restores at start, as its settings keep it; null removes it.
constexpr char kSortBySignalStrongestFirst[] = "5,down";

bool SetSavedSort(const char* value)
{
    return SetKesuSetting("ListColumns", "Sort", value);
}

struct Figures
{
    std::vector<double> top;
    std::vector<double> end;
};

// One span at the first and one at the last rows, with the window on top.
void MeasureRound(const BenchProcess& run, int entries, int seconds, Figures& figures)
{
    Raise(run.hWindow);
    SendMessageA(run.hList, LVM_ENSUREVISIBLE, 0, FALSE);
    Sleep(kSettleMs);
    figures.top.push_back(CpuPerSecond(run.unixPid, seconds));
    SendMessageA(run.hList, LVM_ENSUREVISIBLE, entries - 1, FALSE);
    Sleep(kSettleMs);
    figures.end.push_back(CpuPerSecond(run.unixPid, seconds));
}

// The channel map bar docked in the frame and visible, as it is by default.
bool ChannelBarShown(HWND hFrame)
{
    HWND hBar = nullptr;
    EnumChildWindows(
        hFrame,
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            if (GetDlgCtrlID(hWnd) != IDC_CHANNEL_BAR || !IsWindowVisible(hWnd))
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&hBar));
    return hBar != nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    int entries = 100000;
    int seconds = 10;
    int rounds = 3;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--entries") == 0)
            entries = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::max(1, std::atoi(argv[i + 1]));
    }
    const std::string kesu = BesideThis("Kesu.exe");
    const std::string floor = BesideThis("kesu-floorlist.exe");
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string list =
        std::string(temp) + "kesu-idlebench-" + std::to_string(GetCurrentProcessId()) + ".ksu";
    const std::string emptyList =
        std::string(temp) + "kesu-idlebench-" + std::to_string(GetCurrentProcessId()) + "-empty.ksu";
    if (!WriteDayDriveList(list, entries) || !WriteDayDriveList(emptyList, 0))
    {
        std::fprintf(stderr, "kesu-idlebench: can't write %s\n", list.c_str());
        return 1;
    }

    // All three run at once and are measured in turn, round after round, so
    // that whatever else the machine does weighs on each alike. A fourth,
    // with an empty list, is what the memory per entry is counted above.
    BenchProcess kesuRun, sortedRun, bare, empty;
    auto startKesu = [&](const char* savedSort, BenchProcess& run, const std::string& file, int rows) {
        if (!SetSavedSort(savedSort) || !StartBenchProcess(kesu, "\"" + file + "\"", run) ||
            !WaitForRows(run, rows, FindMainFrame, kStartTimeoutMs))
            return false;
        // As on a desktop in use: the list as large as the screen lets it be.
        ShowWindow(run.hWindow, SW_MAXIMIZE);
        Sleep(500);
        return true;
    };
    // Kesu.exe in the order of discovery, then sorted by signal as a click on its header leaves it.
    const bool bStarted = startKesu(nullptr, kesuRun, list, entries) &&
                          startKesu(kSortBySignalStrongestFirst, sortedRun, list, entries);
    SetSavedSort(nullptr);
    RECT rc = {};
    if (bStarted)
        GetClientRect(kesuRun.hList, &rc);
    const std::string size = std::to_string(rc.right) + " " + std::to_string(rc.bottom);
    if (!bStarted || !StartBenchProcess(floor, "\"" + list + "\" " + size, bare) ||
        !WaitForRows(
            bare, entries, [](DWORD) { return FindWindowA("KesuFloorList", nullptr); }, kStartTimeoutMs))
        return 1;
    const bool bMapShown = ChannelBarShown(kesuRun.hWindow) && ChannelBarShown(sortedRun.hWindow);
    Figures kesuFigures, sortedFigures, floorFigures;
    // Each round starts with another of the three, so that none always
    // follows the same one.
    const std::pair<const BenchProcess*, Figures*> measured[] = {
        {&kesuRun, &kesuFigures}, {&sortedRun, &sortedFigures}, {&bare, &floorFigures}};
    for (int round = 0; round < rounds; ++round)
    {
        for (int i = 0; i < 3; ++i)
        {
            const auto& next = measured[(round + i) % 3];
            MeasureRound(*next.first, entries, seconds, *next.second);
        }
    }
    FinishBenchProcess(bare, false);
    // Started only now: a fourth program drawing beside them would weigh on the figures.
    if (!startKesu(nullptr, empty, emptyList, 0))
        return 1;
    Sleep(kSettleMs);
    const double perEntry = (ResidentBytes(kesuRun.unixPid) - ResidentBytes(empty.unixPid)) / entries;
    const double emptyMegabytes = ResidentBytes(empty.unixPid) / 1e6;
    FinishBenchProcess(sortedRun, true);
    FinishBenchProcess(kesuRun, true);
    DeleteFileA(list.c_str());
    DeleteFileA(emptyList.c_str());

    std::printf("idle CPU, %d entries, list %ldx%ld pixels: CPU ms per second, median of %d spans of %d s\n",
                entries, rc.right, rc.bottom, rounds, seconds);
    std::printf("channel map bar shown in Kesu.exe: %s\n", bMapShown ? "yes" : "no");
    std::printf("%-16s %14s %14s\n", "", "first rows", "last rows");
    const double kesuTop = Median(kesuFigures.top), kesuEnd = Median(kesuFigures.end);
    const double floorTop = Median(floorFigures.top), floorEnd = Median(floorFigures.end);
    const double sortedTop = Median(sortedFigures.top), sortedEnd = Median(sortedFigures.end);
    std::printf("%-16s %14.2f %14.2f\n", "Kesu.exe", kesuTop, kesuEnd);
    std::printf("%-16s %14.2f %14.2f\n", "floor", floorTop, floorEnd);
    std::printf("%-16s %14.2f %14.2f\n", "Kesu.exe sorted", sortedTop, sortedEnd);
    std::printf("%-16s %14.2f %14.2f\n", "ratio", kesuTop / floorTop, kesuEnd / floorEnd);
    std::printf("%-16s %14.2f %14.2f\n", "sorted ratio", sortedTop / floorTop, sortedEnd / floorEnd);
    std::printf("resident memory: %.0f bytes per entry above Kesu.exe with an empty list (%.1f MB)\n",
                perEntry, emptyMegabytes);
    return 0;
}
