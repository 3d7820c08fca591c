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
#include <vector>

#include "bench/DayDrive.h"
#include "res/resource.h"
#include "scan/ListFile.h"
#include "tools/pickcard/PickCard.h"

namespace
{

constexpr DWORD kSettleMs = 3000;
constexpr ULONGLONG kStartTimeoutMs = 120000;

class FileWriter : public IListFileWriter
{
public:
    explicit FileWriter(FILE* f) : m_file(f) {}
    bool Write(const void* buffer, size_t size) override
    {
        return std::fwrite(buffer, 1, size, m_file) == size;
    }

private:
    FILE* m_file;
};

// A day's drive of 'entries' access points, as a list file.
bool WriteList(const std::string& path, int entries)
{
    CEntryList list;
    CEntryListBuilder builder(list);
    for (int i = 0; i < entries; ++i)
        FillDayDriveEntry(builder.AppendNew(), i);
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = false;
    if (f)
    {
        FileWriter writer(f);
        ok = StoreListFile(list.Head(), writer);
        ok = std::fclose(f) == 0 && ok;
    }
    return ok;
}

std::string BesideThis(const char* name)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    char* pSlash = std::strrchr(path, '\\');
    return (pSlash ? std::string(path, pSlash + 1) : std::string()) + name;
}

std::string ReadWhole(const std::string& path)
{
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb"))
    {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            text.append(buffer, got);
        std::fclose(f);
    }
    return text;
}

// The Linux process that runs a Windows one: Wine shows the Windows command
// line as the Linux one, and the list's name is unique to this run. 0 if none.
int UnixProcessOf(const std::string& exe, const std::string& list)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA("Z:\\proc\\*", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    int pid = 0;
    do
    {
        const int candidate = std::atoi(found.cFileName);
        if (candidate <= 0)
            continue;
        const std::string line = ReadWhole(std::string("Z:\\proc\\") + found.cFileName + "\\cmdline");
        if (line.find(exe) != std::string::npos && line.find(list) != std::string::npos)
            pid = candidate;
    } while (!pid && FindNextFileA(hFind, &found));
    FindClose(hFind);
    return pid;
}

// CPU time of all the process's threads in milliseconds, from the
// scheduler's nanosecond counts.
double CpuMilliseconds(int unixPid)
{
    const std::string tasks = "Z:\\proc\\" + std::to_string(unixPid) + "\\task\\";
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((tasks + "*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    double total = 0;
    do
    {
        if (std::atoi(found.cFileName) > 0)
            total += std::strtod(ReadWhole(tasks + found.cFileName + "\\schedstat").c_str(), nullptr) / 1e6;
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return total;
}

// CPU milliseconds per second of wall time over 'seconds'.
double CpuPerSecond(int unixPid, int seconds)
{
    const double cpu = CpuMilliseconds(unixPid);
    const ULONGLONG start = GetTickCount64();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double wall = static_cast<double>(GetTickCount64() - start) / 1000.0;
    return (CpuMilliseconds(unixPid) - cpu) / wall;
}

// The process's resident memory in bytes, as Linux counts it.
double ResidentBytes(int unixPid)
{
    const std::string status = ReadWhole("Z:\\proc\\" + std::to_string(unixPid) + "\\status");
    const size_t at = status.find("VmRSS:");
    return at == std::string::npos ? 0 : std::strtod(status.c_str() + at + 6, nullptr) * 1024;
}

struct Run
{
    PROCESS_INFORMATION pi = {};
    HWND hWindow = nullptr;
    HWND hList = nullptr;
    int unixPid = 0;
};

bool Start(const std::string& exe, const std::string& list, const std::string& size, Run& run)
{
    std::string commandLine = "\"" + exe + "\" \"" + list + "\" " + size;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &run.pi))
    {
        std::fprintf(stderr, "kesu-idlebench: can't start %s (error %lu)\n", exe.c_str(),
                     static_cast<unsigned long>(GetLastError()));
        return false;
    }
    for (int tries = 0; tries < 100 && !run.unixPid; ++tries)
    {
        Sleep(50);
        run.unixPid = UnixProcessOf(exe.substr(exe.rfind('\\') + 1), list);
    }
    if (!run.unixPid)
        std::fprintf(stderr, "kesu-idlebench: no Linux process for %s (not under Wine?)\n", exe.c_str());
    return run.unixPid != 0;
}

template <typename Find>
bool WaitForRows(Run& run, int entries, Find find)
{
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < kStartTimeoutMs)
    {
        run.hWindow = find();
        run.hList = run.hWindow ? FindWindowExA(run.hWindow, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
        if (run.hList && SendMessageA(run.hList, LVM_GETITEMCOUNT, 0, 0) == entries)
            return true;
        Sleep(50);
    }
    std::fprintf(stderr, "kesu-idlebench: the list did not show %d rows in time\n", entries);
    return false;
}

// The sort Kesu.exe restores at start, as its settings keep it; null removes it.
constexpr char kSortBySignalStrongestFirst[] = "5,down";

bool SetSavedSort(const char* value)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Ostrel\\Kesu\\ListColumns", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status = value
                               ? RegSetValueExA(hKey, "Sort", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                                static_cast<DWORD>(std::strlen(value) + 1))
                               : RegDeleteValueA(hKey, "Sort");
    RegCloseKey(hKey);
    return status == ERROR_SUCCESS || (!value && status == ERROR_FILE_NOT_FOUND);
}

struct Figures
{
    std::vector<double> top;
    std::vector<double> end;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One span at the first and one at the last rows, with the window on top: a
// covered window paints nothing, which would flatter whichever was covered.
void MeasureRound(const Run& run, int entries, int seconds, Figures& figures)
{
    SetWindowPos(run.hWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
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

void Finish(Run& run, bool bKesu)
{
    const bool closed =
        bKesu ? CloseWithoutSaving(run.hWindow, 30000) : PostMessageA(run.hWindow, WM_CLOSE, 0, 0) != FALSE;
    EndProcess(run.pi, closed ? 30000 : 0);
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
    if (!WriteList(list, entries) || !WriteList(emptyList, 0))
    {
        std::fprintf(stderr, "kesu-idlebench: can't write %s\n", list.c_str());
        return 1;
    }

    // All three run at once and are measured in turn, round after round, so
    // that whatever else the machine does weighs on each alike. A fourth,
    // with an empty list, is what the memory per entry is counted above.
    Run kesuRun, sortedRun, bare, empty;
    auto startKesu = [&](const char* savedSort, Run& run, const std::string& file, int rows) {
        if (!SetSavedSort(savedSort) || !Start(kesu, file, "", run) ||
            !WaitForRows(run, rows, [&] { return FindMainFrame(run.pi.dwProcessId); }))
            return false;
        // As on a desktop in use: the list as large as the screen lets it be.
        ShowWindow(run.hWindow, SW_MAXIMIZE);
        Sleep(500);
        return true;
    };
    // Kesu.exe in the order of discovery, then sorted by signal as a click on its header leaves it.
    const bool bStarted = startKesu(nullptr, kesuRun, list, entries) &&
                          startKesu(kSortBySignalStrongestFirst, sortedRun, list, entries) &&
                          startKesu(nullptr, empty, emptyList, 0);
    SetSavedSort(nullptr);
    RECT rc = {};
    if (bStarted)
        GetClientRect(kesuRun.hList, &rc);
    const std::string size = std::to_string(rc.right) + " " + std::to_string(rc.bottom);
    if (!bStarted || !Start(floor, list, size, bare) ||
        !WaitForRows(bare, entries, [] { return FindWindowA("KesuFloorList", nullptr); }))
        return 1;
    const bool bMapShown = ChannelBarShown(kesuRun.hWindow) && ChannelBarShown(sortedRun.hWindow);
    Figures kesuFigures, sortedFigures, floorFigures;
    for (int round = 0; round < rounds; ++round)
    {
        MeasureRound(kesuRun, entries, seconds, kesuFigures);
        MeasureRound(sortedRun, entries, seconds, sortedFigures);
        MeasureRound(bare, entries, seconds, floorFigures);
    }
    const double perEntry = (ResidentBytes(kesuRun.unixPid) - ResidentBytes(empty.unixPid)) / entries;
    const double emptyMegabytes = ResidentBytes(empty.unixPid) / 1e6;
    Finish(bare, false);
    Finish(empty, true);
    Finish(sortedRun, true);
    Finish(kesuRun, true);
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
