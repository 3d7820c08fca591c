// Prints the cost of merging one full driver list (157 elements) into lists
// of 100 to 1,000,000 entries: when every element is already known, when every
// element is new, and the first pass after a load (which clears every stored
// signal once). Beside each, the longest a reader thread waited for the list
// lock meanwhile and, measured by a thread that only tries the lock, the
// longest the merge held it. Then the longest holds over a drive that finds a
// million access points, and the memory one entry costs with its share of
// the index.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <sched.h>
#endif

#include "bench/HeapUse.h"
#include "driver/QuietHost.h"
#include "scan/Merge.h"

namespace
{

using Clock = std::chrono::steady_clock;

// Keeps the calling thread on one processor, so that a probe spinning on the
// other never takes the merging thread's processor away from it.
void PinThisThread(unsigned cpu)
{
#ifdef _WIN32
    SetThreadAffinityMask(GetCurrentThread(), DWORD_PTR{1} << cpu);
#else
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    pthread_setaffinity_np(pthread_self(), sizeof set, &set);
#endif
}

class CBenchTarget : public CScanTarget
{
public:
    const char* GetScanAdapterName() override { return "Bench"; }
};

void SetMac(UCHAR* mac, uint32_t id)
{
    const UCHAR bytes[kMacAddressLength] = {0x02,
                                            0x00,
                                            static_cast<UCHAR>(id >> 24),
                                            static_cast<UCHAR>(id >> 16),
                                            static_cast<UCHAR>(id >> 8),
                                            static_cast<UCHAR>(id)};
    std::memcpy(mac, bytes, sizeof bytes);
}

// 157 elements with ids first, first + step, ...
std::vector<unsigned char> MakeList(uint32_t first, uint32_t step)
{
    std::vector<unsigned char> buffer(kBssidListBufferSize);
    const uint32_t count = kMaxBssidListItems;
    std::memcpy(buffer.data(), &count, sizeof count);
    for (uint32_t i = 0; i < count; ++i)
    {
        NDIS_WLAN_BSSID b = {};
        b.Length = sizeof b;
        SetMac(b.MacAddress, first + i * step);
        b.Rssi = -60;
        std::memcpy(buffer.data() + 4 + i * sizeof b, &b, sizeof b);
    }
    return buffer;
}

// A list as a file load leaves it, indexed aside and put in under the lock.
void Load(CScanTarget& target, uint32_t entries)
{
    target.DeleteEntries();
    CEntryList list;
    CEntryListBuilder builder(list);
    for (uint32_t id = 0; id < entries; ++id)
    {
        CNetworkEntry& entry = builder.AppendNew();
        SetMac(entry.m_bssid.MacAddress, id);
        entry.m_bssid.Rssi = -70;
        entry.m_bAnnounced = 1;
    }
    CEntryIndex index;
    index.Rebuild(list.Head());
    CEntryListLock lock(target);
    target.m_entries = std::move(list);
    target.SwapListIndex(index);
}

// Takes the lock over and over, and keeps the longest it had to wait:
// blocking, as the user interface does, or trying without blocking, which
// measures how long the merge held the lock without the time it takes to
// wake a waiter.
class LockProbe
{
public:
    enum class Mode
    {
        Wait,
        Hold
    };
    LockProbe(const CScanTarget& target, Mode mode)
        : m_target(target), m_bStop(false), m_longest(0),
          m_thread([this, mode] { mode == Mode::Wait ? Run() : Spin(); })
    {
    }
    ~LockProbe()
    {
        m_bStop = true;
        m_thread.join();
    }
    void Reset() { m_longest = 0; }
    double LongestMicroseconds() const { return m_longest / 1000.0; }

private:
    void Run()
    {
        while (!m_bStop)
        {
            const Clock::time_point start = Clock::now();
            {
                CEntryListLock lock(m_target);
                const int64_t waited =
                    std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
                if (waited > m_longest)
                    m_longest = waited;
            }
            std::this_thread::yield();
        }
    }

    void Spin()
    {
        PinThisThread(1);
        std::optional<Clock::time_point> busySince;
        while (!m_bStop)
        {
            const CEntryListLock lock(m_target, std::try_to_lock);
            const Clock::time_point now = Clock::now();
            if (!lock.OwnsLock())
            {
                if (!busySince)
                    busySince = now;
                continue;
            }
            if (busySince)
            {
                const int64_t held =
                    std::chrono::duration_cast<std::chrono::nanoseconds>(now - *busySince).count();
                if (held > m_longest)
                    m_longest = held;
                busySince.reset();
            }
        }
    }

    const CScanTarget& m_target;
    std::atomic<bool> m_bStop;
    std::atomic<int64_t> m_longest;
    std::thread m_thread;
};

struct Figures
{
    double pass;     // median time of a pass
    double longest;  // median over the passes of the probe's longest wait or hold
    double worst;    // the longest of all
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Prepare>
Figures Time(CScanTarget& target, LockProbe& probe, int runs, Prepare prepare)
{
    QuietScanHost host;
    std::vector<double> times;
    std::vector<double> waits;
    for (int run = 0; run < runs; ++run)
    {
        const std::vector<unsigned char> list = prepare(run);
        // Long enough for the probe's wait in progress to end and count.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        probe.Reset();
        const Clock::time_point start = Clock::now();
        MergeBssidList(target, host, list.data(), list.size());
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        waits.push_back(probe.LongestMicroseconds());
    }
    return {Median(times), Median(waits), *std::max_element(waits.begin(), waits.end())};
}

// A drive that finds 1,000,000 access points, 157 new ones a pass, each
// taken by the list view as it comes: the longest hold of each pass, the
// address table's growths included.
void PrintDrive()
{
    const uint32_t kEntries = 1000000;
    CBenchTarget target;
    QuietScanHost host;
    LockProbe probe(target, LockProbe::Mode::Hold);
    std::vector<double> holds;
    for (uint32_t next = 0; next < kEntries; next += kMaxBssidListItems)
    {
        const std::vector<unsigned char> list = MakeList(next, 1);
        probe.Reset();
        MergeBssidList(target, host, list.data(), list.size());
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        holds.push_back(probe.LongestMicroseconds());
        CEntryListLock lock(target);
        target.ListIndex().TakeUnannounced();
    }
    std::sort(holds.begin(), holds.end());
    const auto at = [&holds](double share) { return holds[static_cast<size_t>(share * (holds.size() - 1))]; };
    std::printf("a drive to %u entries in %zu passes of %u new: longest hold of a pass, microseconds: median "
                "%.1f, 99%% %.1f, 99.9%% %.1f, worst %.1f\n",
                kEntries, holds.size(), kMaxBssidListItems, at(0.5), at(0.99), at(0.999), holds.back());
}

}  // namespace

int main()
{
    PinThisThread(0);
    const int kRuns = 31;
    std::printf("merge of one list of %u elements, microseconds: time of a pass (median of %d), the longest\n"
                "a reader thread waited for the list lock during a pass (median, worst), and in a second\n"
                "run the longest the merge held it (median, worst)\n",
                kMaxBssidListItems, kRuns);
    std::printf("%8s | %26s | %26s | %26s | %17s | %17s\n", "entries", "all known: pass wait worst",
                "all new: pass wait worst", "after load: pass wait worst", "known: hold worst",
                "new: hold worst");
    for (uint32_t entries : {100u, 10000u, 100000u, 1000000u})
    {
        CBenchTarget target;
        Load(target, entries);
        const uint32_t step = std::max(1u, entries / kMaxBssidListItems);
        const auto known = [&](int) { return MakeList(0, step); };
        uint32_t next = entries;
        const auto fresh = [&](int) {
            next += kMaxBssidListItems;
            return MakeList(next - kMaxBssidListItems, 1);
        };
        Figures afterLoad, knownWait, freshWait, knownHold, freshHold;
        {
            LockProbe probe(target, LockProbe::Mode::Wait);
            // The first pass clears the signals the load brought, as the scanner's would.
            afterLoad = Time(target, probe, 1, [](int) { return MakeList(0, 0); });
            knownWait = Time(target, probe, kRuns, known);
            freshWait = Time(target, probe, kRuns, fresh);
        }
        {
            LockProbe probe(target, LockProbe::Mode::Hold);
            knownHold = Time(target, probe, kRuns, known);
            freshHold = Time(target, probe, kRuns, fresh);
        }
        std::printf(
            "%8u | %8.1f %8.1f %8.1f | %8.1f %8.1f %8.1f | %8.1f %8.1f %8.1f | %8.1f %8.1f | %8.1f %8.1f\n",
            entries, knownWait.pass, knownWait.longest, knownWait.worst, freshWait.pass, freshWait.longest,
            freshWait.worst, afterLoad.pass, afterLoad.longest, afterLoad.worst, knownHold.longest,
            knownHold.worst, freshHold.longest, freshHold.worst);
        std::fflush(stdout);
    }

    PrintDrive();

    const uint32_t kEntries = 100000;
    CBenchTarget target;
    const size_t before = HeapBytesInUse();
    Load(target, kEntries);
    const size_t after = HeapBytesInUse();
    std::printf("memory per entry with its index, %u entries: %.0f bytes (record object %zu bytes)\n",
                kEntries, static_cast<double>(after - before) / kEntries, sizeof(CNetworkEntry));
    return 0;
}
