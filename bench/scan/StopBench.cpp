// How long a stop takes: from clearing the run flag to the scanner thread's
// end, for each way of reaching a card, over many stops at random moments of
// the scan (the first pass included). Prints median and worst per way.
// Runs under Wine from bin/standin-listless (see bench/scan/stop.sh), beside
// the stand-in Native Wi-Fi library and a Linux helper that never answers a
// list request, so a stop there often finds a request waiting.
//   kesu-stopbench [STOPS [WAY]]   STOPS per way, default 100; WAY: only
//                                  the ways whose name holds this text
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "afx/AfxSetup.h"
#include "driver/WinScanHost.h"
#include "scan/ScanThread.h"
#include "tests/wlan/CannedNetworks.h"

namespace
{

// Stops of one way run in lanes side by side, so that the run stays short;
// every way runs at the same time as the others.
constexpr int kLanes = 4;
constexpr char kCardsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
constexpr char kCardSubkey[] = "kesu-stopbench";

struct CardWay
{
    const char* name;
    const char* service;
    // Stops fall anywhere in the first this-many milliseconds of a scan.
    int spanMs;
};

// A pass is the pause and three requests; the helper's list request adds
// its wait of up to 1.5 s.
const CardWay kWays[] = {
    {"simulated card", kSimulatedServiceName, 6000},
    {"legacy device (\\\\.\\NUL)", "NUL", 6000},
    {"Native Wi-Fi (stand-in)", kStandInWlanService, 6000},
    {"Linux helper (list never answered)", kStandInLinuxService, 8000},
};

class BenchTarget : public CScanTarget
{
public:
    explicit BenchTarget(const char* service) : m_service(service) { SetScanHost(&WinScanHost::Shared()); }
    const char* GetScanAdapterName() override { return m_service; }

private:
    const char* m_service;
};

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// One stop: a scan started, left to run for 'runMs', then stopped and waited for.
double TimeOneStop(const char* service, int runMs, bool* ran)
{
    BenchTarget target(service);
    target.PrepareScanStart();
    HANDLE thread = CreateThread(nullptr, 0, ScanThreadProc, static_cast<CScanTarget*>(&target), 0, nullptr);
    if (thread == nullptr)
        return -1;
    Sleep(static_cast<DWORD>(runMs));
    *ran = target.m_bScanning != 0;
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    target.RequestScanStop();
    WaitForSingleObject(thread, INFINITE);
    QueryPerformanceCounter(&after);
    CloseHandle(thread);
    return Milliseconds(before, after);
}

struct Figures
{
    std::vector<double> stops;
    int notRunning = 0;  // the scan had already ended by itself: a way that doesn't work here
};

void RunWay(const CardWay& way, int stops, unsigned seed, Figures* figures)
{
    std::vector<std::thread> lanes;
    std::vector<Figures> laneFigures(kLanes);
    for (int lane = 0; lane < kLanes; ++lane)
    {
        const int count = stops / kLanes + (lane < stops % kLanes ? 1 : 0);
        lanes.emplace_back([&way, count, seed, lane, &laneFigures] {
            std::mt19937 random(seed + static_cast<unsigned>(lane));
            std::uniform_int_distribution<int> moment(0, way.spanMs);
            for (int i = 0; i < count; ++i)
            {
                bool ran = false;
                const double ms = TimeOneStop(way.service, moment(random), &ran);
                laneFigures[lane].stops.push_back(ms);
                laneFigures[lane].notRunning += ran ? 0 : 1;
            }
        });
    }
    for (int lane = 0; lane < kLanes; ++lane)
    {
        lanes[lane].join();
        figures->stops.insert(figures->stops.end(), laneFigures[lane].stops.begin(),
                              laneFigures[lane].stops.end());
        figures->notRunning += laneFigures[lane].notRunning;
    }
}

// The card the Linux helper answers for, as Wine would list the interface.
class RegisteredLinuxCard
{
public:
    RegisteredLinuxCard() : m_path(std::string(kCardsKey) + "\\" + kCardSubkey)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        Set(key, "ServiceName", kStandInLinuxService);
        Set(key, "Description", kStandInInterface);
        RegCloseKey(key);
    }
    ~RegisteredLinuxCard() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_path.c_str()); }

private:
    static void Set(HKEY key, const char* name, const char* value)
    {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(strlen(value) + 1));
    }
    std::string m_path;
};

}  // namespace

int main(int argc, char** argv)
{
    const int stops = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const std::string only = argc > 2 ? argv[2] : "";
    // The stand-in library beside this program, whichever folder the card
    // would look for it in.
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.rfind('\\') + 1);
    if (LoadLibraryA((folder + "wlanapi.dll").c_str()) == nullptr)
        std::printf("(no stand-in wlanapi.dll beside the program: Native Wi-Fi can't be reached)\n");
    RegisteredLinuxCard linuxCard;

    const int ways = static_cast<int>(sizeof kWays / sizeof kWays[0]);
    std::vector<Figures> figures(ways);
    std::vector<std::thread> runs;
    for (int w = 0; w < ways; ++w)
        if (std::string(kWays[w].name).find(only) != std::string::npos)
            runs.emplace_back([w, stops, &figures] {
                RunWay(kWays[w], stops, 1000u * static_cast<unsigned>(w + 1), &figures[w]);
            });
    for (std::thread& run : runs)
        run.join();

    std::printf("stop latency: flag cleared to scanner thread ended, %d stops per way at random moments\n",
                stops);
    std::printf("%-36s %10s %10s %10s\n", "way", "median ms", "p90 ms", "worst ms");
    bool met = true;
    for (int w = 0; w < ways; ++w)
    {
        std::vector<double>& s = figures[w].stops;
        if (s.empty())
            continue;
        std::sort(s.begin(), s.end());
        const double median = s.size() % 2 ? s[s.size() / 2] : (s[s.size() / 2 - 1] + s[s.size() / 2]) / 2;
        const double p90 = s[std::min(s.size() - 1, s.size() * 9 / 10)];
        std::printf("%-36s %10.1f %10.1f %10.1f", kWays[w].name, median, p90, s.back());
        if (figures[w].notRunning)
            std::printf("   (%d stops found the scan already ended)", figures[w].notRunning);
        std::printf("\n");
        met = met && s.back() < 100.0;
    }
    std::printf("goal: worst < 100 ms: %s\n", met ? "met" : "NOT met");
    std::fflush(stdout);
    return 0;
}
