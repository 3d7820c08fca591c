// Linux's view of the measured programs is reached through drive Z:, which
// Wine maps to the Linux root.
#include "bench/program/BenchProcess.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/DayDrive.h"
#include "scan/ListFile.h"
#include "tools/pickcard/PickCard.h"

namespace
{

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

// The Linux processes whose command line holds 'text': Wine shows a
// program's Windows command line, split into arguments, as its Linux one.
std::vector<int> UnixProcessesShowing(const std::string& text)
{
    std::vector<int> pids;
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA("Z:\\proc\\*", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return pids;
    do
    {
        const int pid = std::atoi(found.cFileName);
        if (pid > 0 && ReadWhole(std::string("Z:\\proc\\") + found.cFileName + "\\cmdline").find(text) !=
                           std::string::npos)
            pids.push_back(pid);
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    return pids;
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

std::string KesuKey(const char* section)
{
    return std::string("Software\\Ostrel\\Kesu\\") + section;
}

}  // namespace

std::string BesideThis(const char* name)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    char* pSlash = std::strrchr(path, '\\');
    return (pSlash ? std::string(path, pSlash + 1) : std::string()) + name;
}

bool WriteDayDriveList(const std::string& path, int entries)
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

bool ReadKesuSetting(const char* section, const char* name, std::string& value)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KesuKey(section).c_str(), 0, KEY_QUERY_VALUE, &hKey) !=
        ERROR_SUCCESS)
        return false;
    char text[1024] = {};
    DWORD type = 0, size = sizeof text - 1;
    const bool bFound =
        RegQueryValueExA(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS &&
        type == REG_SZ;
    RegCloseKey(hKey);
    value = bFound ? text : "";
    return bFound;
}

bool SetKesuSetting(const char* section, const char* name, const char* value)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KesuKey(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status = value ? RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                                  static_cast<DWORD>(std::strlen(value) + 1))
                                 : RegDeleteValueA(hKey, name);
    RegCloseKey(hKey);
    return status == ERROR_SUCCESS || (!value && status == ERROR_FILE_NOT_FOUND);
}

bool StartBenchProcess(const std::string& exe, const std::string& arguments, BenchProcess& process)
{
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    // The same program may run already (Kesu.exe twice, with the same
    // arguments): the new one is the process that wasn't there before.
    const std::vector<int> before = UnixProcessesShowing(exe);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &process.pi))
    {
        std::fprintf(stderr, "can't start %s (error %lu)\n", exe.c_str(),
                     static_cast<unsigned long>(GetLastError()));
        return false;
    }
    for (int tries = 0; tries < 100 && !process.unixPid; ++tries)
    {
        Sleep(50);
        for (int pid : UnixProcessesShowing(exe))
            if (std::find(before.begin(), before.end(), pid) == before.end())
                process.unixPid = pid;
    }
    if (!process.unixPid)
        std::fprintf(stderr, "no Linux process for %s (not under Wine?)\n", exe.c_str());
    return process.unixPid != 0;
}

bool WaitForRows(BenchProcess& process, int rows, HWND (*find)(DWORD pid), ULONGLONG timeoutMs)
{
    const ULONGLONG start = GetTickCount64();
    while (GetTickCount64() - start < timeoutMs)
    {
        process.hWindow = find(process.pi.dwProcessId);
        process.hList =
            process.hWindow ? FindWindowExA(process.hWindow, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
        if (process.hList && SendMessageA(process.hList, LVM_GETITEMCOUNT, 0, 0) >= rows)
            return true;
        Sleep(50);
    }
    std::fprintf(stderr, "the list did not show %d rows in time\n", rows);
    return false;
}

double ResidentBytes(int unixPid)
{
    const std::string status = ReadWhole("Z:\\proc\\" + std::to_string(unixPid) + "\\status");
    const size_t at = status.find("VmRSS:");
    return at == std::string::npos ? 0 : std::strtod(status.c_str() + at + 6, nullptr) * 1024;
}

double CpuPerSecond(int unixPid, int seconds)
{
    const double cpu = CpuMilliseconds(unixPid);
    const ULONGLONG start = GetTickCount64();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double wall = static_cast<double>(GetTickCount64() - start) / 1000.0;
    return (CpuMilliseconds(unixPid) - cpu) / wall;
}

void Raise(HWND hWindow)
{
    SetWindowPos(hWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void FinishBenchProcess(BenchProcess& process, bool bKesu)
{
    const bool closed = bKesu ? CloseWithoutSaving(process.hWindow, 30000)
                              : PostMessageA(process.hWindow, WM_CLOSE, 0, 0) != FALSE;
    EndProcess(process.pi, closed ? 30000 : 0);
}
