// kesu-idlebench: the idle CPU of Kesu.exe showing a long list, scrolled to
// its first and to its last rows, beside the floor (kesu-floorlist: the same
// list control with the same rows, invalidated as often, and nothing else)
// measured in the same run on a list of the same size.
//   kesu-idlebench [--entries N] [--seconds S]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// Rows like a day's drive: distinct addresses, names, channels and signals,
// every tenth annotated.
bool WriteList(const std::string& path, int entries)
{
    CNetworkEntry* pHead = nullptr;
    CNetworkEntry** ppLink = &pHead;
    for (int i = 0; i < entries; ++i)
    {
        auto* p = new CNetworkEntry;
        NDIS_WLAN_BSSID& b = p->m_bssid;
        b.Length = sizeof b;
        const UCHAR mac[kMacAddressLength] = {
            0x02, 0x1C, 0x7E, static_cast<UCHAR>(i >> 16), static_cast<UCHAR>(i >> 8), static_cast<UCHAR>(i)};
        std::memcpy(b.MacAddress, mac, sizeof mac);
        b.SsidLength =
            static_cast<ULONG>(std::snprintf(reinterpret_cast<char*>(b.Ssid), sizeof b.Ssid, "Red %06d", i));
        b.Privacy = i % 3 == 0;
        b.Rssi = -40 - i % 50;
        b.Configuration.DSConfig = 2412000 + 5000 * (i % 13);
        b.InfrastructureMode = Ndis802_11Infrastructure;
        if (i % 10 == 0)
            p->m_strAnnotation = "esquina con semaforo";
        *ppLink = p;
        ppLink = &p->m_pNext;
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = false;
    if (f)
    {
        FileWriter writer(f);
        ok = StoreListFile(pHead, writer);
        ok = std::fclose(f) == 0 && ok;
    }
    FreeEntryList(pHead);
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

ULONGLONG CpuTime100ns(HANDLE hProcess)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(hProcess, &created, &exited, &kernel, &user))
        return 0;
    const auto value = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

// CPU milliseconds per second of wall time over 'seconds'.
double CpuPerSecond(HANDLE hProcess, int seconds)
{
    const ULONGLONG cpu = CpuTime100ns(hProcess);
    const ULONGLONG start = GetTickCount64();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double wall = static_cast<double>(GetTickCount64() - start) / 1000.0;
    return static_cast<double>(CpuTime100ns(hProcess) - cpu) / 10000.0 / wall;
}

struct Run
{
    PROCESS_INFORMATION pi = {};
    HWND hWindow = nullptr;
    HWND hList = nullptr;
};

bool Start(const std::string& exe, const std::string& arguments, Run& run)
{
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &run.pi))
    {
        std::fprintf(stderr, "kesu-idlebench: can't start %s (error %lu)\n", exe.c_str(),
                     static_cast<unsigned long>(GetLastError()));
        return false;
    }
    return true;
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

struct Figures
{
    double top;
    double end;
};

Figures Measure(const Run& run, int entries, int seconds)
{
    Sleep(kSettleMs);
    Figures figures;
    figures.top = CpuPerSecond(run.pi.hProcess, seconds);
    SendMessageA(run.hList, LVM_ENSUREVISIBLE, entries - 1, FALSE);
    Sleep(kSettleMs);
    figures.end = CpuPerSecond(run.pi.hProcess, seconds);
    return figures;
}

void Finish(Run& run, bool bKesu)
{
    const bool closed =
        bKesu ? CloseWithoutSaving(run.hWindow, 30000) : PostMessageA(run.hWindow, WM_CLOSE, 0, 0) != FALSE;
    if (!closed || WaitForSingleObject(run.pi.hProcess, 30000) != WAIT_OBJECT_0)
    {
        TerminateProcess(run.pi.hProcess, 1);
        WaitForSingleObject(run.pi.hProcess, 10000);
    }
    CloseHandle(run.pi.hThread);
    CloseHandle(run.pi.hProcess);
}

}  // namespace

int main(int argc, char** argv)
{
    int entries = 100000;
    int seconds = 10;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--entries") == 0)
            entries = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(1, std::atoi(argv[i + 1]));
    }
    const std::string kesu = BesideThis("Kesu.exe");
    const std::string floor = BesideThis("kesu-floorlist.exe");
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string list = std::string(temp) + "kesu-idlebench.ksu";
    if (!WriteList(list, entries))
    {
        std::fprintf(stderr, "kesu-idlebench: can't write %s\n", list.c_str());
        return 1;
    }

    Run app;
    if (!Start(kesu, "\"" + list + "\"", app) ||
        !WaitForRows(app, entries, [&] { return FindMainFrame(app.pi.dwProcessId); }))
        return 1;
    RECT rc;
    GetClientRect(app.hList, &rc);
    const Figures kesuFigures = Measure(app, entries, seconds);
    Finish(app, true);

    Run bare;
    const std::string size = std::to_string(rc.right) + " " + std::to_string(rc.bottom);
    if (!Start(floor, "\"" + list + "\" " + size, bare) ||
        !WaitForRows(bare, entries, [] { return FindWindowA("KesuFloorList", nullptr); }))
        return 1;
    const Figures floorFigures = Measure(bare, entries, seconds);
    Finish(bare, false);
    DeleteFileA(list.c_str());

    std::printf("idle CPU, %d entries, list %ldx%ld pixels, CPU ms per second over %d s\n", entries, rc.right,
                rc.bottom, seconds);
    std::printf("%-16s %14s %14s\n", "", "first rows", "last rows");
    std::printf("%-16s %14.2f %14.2f\n", "Kesu.exe", kesuFigures.top, kesuFigures.end);
    std::printf("%-16s %14.2f %14.2f\n", "floor", floorFigures.top, floorFigures.end);
    std::printf("%-16s %14.2f %14.2f\n", "ratio", kesuFigures.top / floorFigures.top,
                kesuFigures.end / floorFigures.end);
    return 0;
}
