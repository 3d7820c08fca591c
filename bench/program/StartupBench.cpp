// kesu-startbench: how long Kesu.exe takes from process start to its adapter
// dialog, and from OK to the first refresh of the list (status pane 3 is
// written by every refresh and by nothing else). Also when the first access
// points show, which waits for the scanner's first pass.
//   kesu-startbench [--runs N] [--service NAME]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "driver/Device.h"
#include "tools/pickcard/PickCard.h"

namespace
{

constexpr DWORD kPollMs = 2;
constexpr ULONGLONG kStepTimeoutMs = 60000;

struct Sample
{
    double toDialog;
    double okToRefresh;
    double okToRows;
};

double Millis(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

std::string KesuPath()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    char* pSlash = std::strrchr(path, '\\');
    return (pSlash ? std::string(path, pSlash + 1) : std::string()) + "Kesu.exe";
}

template <typename Condition>
bool WaitFor(Condition condition)
{
    const ULONGLONG start = GetTickCount64();
    while (!condition())
    {
        if (GetTickCount64() - start >= kStepTimeoutMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

bool RunOnce(const std::string& exe, const std::string& title, const char* service, Sample& sample)
{
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    const LARGE_INTEGER start = Now();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    {
        std::fprintf(stderr, "kesu-startbench: can't start %s (error %lu)\n", exe.c_str(),
                     static_cast<unsigned long>(GetLastError()));
        return false;
    }
    bool ok = false;
    HWND hFrame = nullptr;
    HWND hDialog = WaitForAdapterDialog(title, pi.dwProcessId, static_cast<DWORD>(kStepTimeoutMs));
    const LARGE_INTEGER dialogShown = Now();
    if (!hDialog)
    {
        std::fprintf(stderr, "kesu-startbench: no adapter dialog\n");
    }
    else if (ChooseCard(hDialog, service) != kPicked)
    {
        std::fprintf(stderr, "kesu-startbench: could not choose %s\n", service);
    }
    else
    {
        const LARGE_INTEGER okPressed = Now();
        const bool refreshed = WaitFor([&] {
            hFrame = FindMainFrame(pi.dwProcessId);
            return hFrame && StatusPaneLength(hFrame, 3) > 0;
        });
        const LARGE_INTEGER firstRefresh = Now();
        const bool rows = refreshed && WaitFor([&] { return ListRowCount(hFrame) > 0; });
        const LARGE_INTEGER firstRows = Now();
        if (!refreshed || !rows)
        {
            std::fprintf(stderr, "kesu-startbench: the list was not refreshed or stayed empty\n");
        }
        else
        {
            sample.toDialog = Millis(start, dialogShown);
            sample.okToRefresh = Millis(okPressed, firstRefresh);
            sample.okToRows = Millis(okPressed, firstRows);
            ok = true;
        }
    }
    if (!hFrame)
        hFrame = FindMainFrame(pi.dwProcessId);
    EndProcess(pi, hFrame && CloseWithoutSaving(hFrame, 30000) ? 30000 : 0);
    return ok;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    const char* service = kSimulatedServiceName;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
        {
            runs = std::max(1, std::atoi(argv[++i]));
        }
        else if (std::strcmp(argv[i], "--service") == 0 && i + 1 < argc)
        {
            service = argv[++i];
        }
        else
        {
            std::fprintf(stderr, "usage: kesu-startbench [--runs N] [--service NAME]\n");
            return 64;
        }
    }
    const std::string exe = KesuPath();
    const std::string title = AdapterDialogTitle();
    if (exe.empty() || title.empty())
    {
        std::fprintf(stderr, "kesu-startbench: Kesu.exe or spanish.lng not found beside this program\n");
        return 1;
    }

    std::vector<double> toDialog, toRefresh, toRows;
    std::printf("%-4s %22s %26s %24s\n", "run", "start->dialog (ms)", "OK->first refresh (ms)",
                "OK->first rows (ms)");
    for (int run = 1; run <= runs; ++run)
    {
        Sample sample = {};
        if (!RunOnce(exe, title, service, sample))
            return 1;
        std::printf("%-4d %22.1f %26.1f %24.1f\n", run, sample.toDialog, sample.okToRefresh, sample.okToRows);
        std::fflush(stdout);
        toDialog.push_back(sample.toDialog);
        toRefresh.push_back(sample.okToRefresh);
        toRows.push_back(sample.okToRows);
    }
    std::printf("%-4s %22.1f %26.1f %24.1f\n", "med", Median(toDialog), Median(toRefresh), Median(toRows));
    return 0;
}
