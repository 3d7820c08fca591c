// Soak run of the scan core: a card answering every millisecond for many
// passes while a reader walks the list as the user interface does, with
// lists opened (the old one retired, as the document does) and scans
// restarted in between. Prints passes, time and resident memory at start and
// end; run under the sanitizers by bench/scan/soak.sh.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "driver/ScriptedCard.h"
#include "scan/ListFile.h"
#include "scan/ScanThread.h"

namespace
{

constexpr int kAccessPoints = 64;
constexpr int kListVariants = 8;
constexpr long kPassesBetweenSteps = 1000;

// Resident set in KiB, from the kernel's own account.
long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmRSS:") == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Answers like the scripted card, without keeping a log of every call (the
// log alone would grow by megabytes over a soak).
class CSoakDevice : public IDevice
{
public:
    CSoakDevice(const std::vector<std::vector<uint8_t>>& lists, std::atomic<long>& passes)
        : m_lists(lists), m_passes(passes)
    {
    }

    bool IoControl(uint32_t, const void* in, uint32_t inSize, void* out, uint32_t outSize) override
    {
        uint32_t oid = 0;
        if (in && inSize >= sizeof oid)
            std::memcpy(&oid, in, sizeof oid);
        if (oid == OID_802_11_BSSID_LIST)
        {
            const std::vector<uint8_t>& list = m_lists[static_cast<size_t>(m_passes++ % kListVariants)];
            std::memcpy(out, list.data(), std::min<size_t>(outSize, list.size()));
        }
        else if (oid == OID_802_3_CURRENT_ADDRESS && outSize >= kMacAddressLength)
        {
            const uint8_t mac[kMacAddressLength] = {0x02, 0x00, 0x00, 0x00, 0x00, 0x01};
            std::memcpy(out, mac, sizeof mac);
        }
        return true;
    }

private:
    const std::vector<std::vector<uint8_t>>& m_lists;
    std::atomic<long>& m_passes;
};

class CSoakHost : public IScanHost
{
public:
    CSoakHost()
    {
        // Each variant hears a different part of the same access points, with
        // signals that change from pass to pass.
        for (int v = 0; v < kListVariants; ++v)
        {
            std::vector<NDIS_WLAN_BSSID> elements;
            for (int i = v; i < kAccessPoints; i += 1 + v % 3)
                elements.push_back(MakeScriptedElement(static_cast<uint8_t>(i), "Soak", -40 - (i + v) % 50));
            m_lists.push_back(MakeScriptedList(elements));
        }
    }

    std::unique_ptr<IDevice> OpenDevice(const char*, RunFlagView) override
    {
        return std::unique_ptr<IDevice>(new CSoakDevice(m_lists, m_passes));
    }
    void* AllocBuffer(size_t size) override { return std::malloc(size); }
    void FreeBuffer(void* buffer, size_t) override { std::free(buffer); }
    // A pass's pause, whatever its slices, lasts one real millisecond.
    void Sleep(uint32_t milliseconds) override
    {
        m_clock += milliseconds;
        if (m_clock % kScanPassMilliseconds < milliseconds)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    uint64_t TickCount() override { return m_clock; }
    void GetLocalTime(SYSTEMTIME* time) override { *time = SYSTEMTIME{2024, 5, 3, 16, 10, 30, 0, 0}; }

    std::atomic<long> m_passes{0};

private:
    uint64_t m_clock = 0;
    std::vector<std::vector<uint8_t>> m_lists;
};

class CMemoryWriter : public IListFileWriter
{
public:
    bool Write(const void* buffer, size_t size) override
    {
        const auto* p = static_cast<const uint8_t*>(buffer);
        m_bytes.insert(m_bytes.end(), p, p + size);
        return true;
    }
    std::vector<uint8_t> m_bytes;
};

class CMemoryReader : public IListFileReader
{
public:
    explicit CMemoryReader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}
    size_t Read(void* buffer, size_t size) override
    {
        const size_t n = std::min(size, m_bytes.size() - m_offset);
        std::memcpy(buffer, m_bytes.data() + m_offset, n);
        m_offset += n;
        return n;
    }
    uint64_t Remaining() const override { return m_bytes.size() - m_offset; }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_offset = 0;
};

// The document's part in a soak: File Save, File Open and File New.
class CSoakDocument : public CScanTarget
{
public:
    // The scanner ends before the retired lists go.
    ~CSoakDocument() override { Stop(); }

    const char* GetScanAdapterName() override { return "Soak"; }

    void Start()
    {
        Stop();
        PrepareScanStart();
        m_scanner = std::thread([this] { ScanRun(*this); });
    }
    void Stop()
    {
        if (!m_scanner.joinable())
            return;
        RequestScanStop();
        m_scanner.join();
    }

    std::vector<uint8_t> Save()
    {
        CMemoryWriter writer;
        CEntryListLock lock(*this);
        StoreListFile(m_entries.Head(), writer);
        return writer.m_bytes;
    }

    // As the document loads: the old list retired and read as not heard.
    void Open(const std::vector<uint8_t>& bytes)
    {
        CMemoryReader reader(bytes);
        ListFileLoad load = LoadListFile(reader);
        if (load.entries.IsEmpty())
            return;
        CEntryListLock lock(*this);
        m_entries.ForEach([](CNetworkEntry* pEntry) {
            pEntry->m_bSeen = 0;
            pEntry->m_bssid.Rssi = 0;
        });
        if (!m_entries.IsEmpty())
            m_retired.push_back(std::move(m_entries));
        m_entries = std::move(load.entries);
    }

    size_t Retired() const { return m_retired.size(); }

private:
    std::thread m_scanner;
    std::vector<CEntryList> m_retired;
};

}  // namespace

int main(int argc, char** argv)
{
    const long passes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    CSoakHost host;
    CSoakDocument doc;
    doc.SetScanHost(&host);

    const long rssStart = ResidentKiB();
    const auto start = std::chrono::steady_clock::now();
    doc.Start();

    std::atomic<bool> bDone(false);
    std::atomic<long> walks(0);
    std::thread reader([&] {
        // The refresh: count, heard, and the own address, under the lock.
        while (!bDone)
        {
            {
                CEntryListLock lock(doc);
                long heard = 0;
                doc.m_entries.ForEach([&heard](const CNetworkEntry* p) { heard += p->m_bSeen; });
                volatile long sink = heard + doc.m_ownMac[5];
                (void)sink;
            }
            ++walks;
            std::this_thread::yield();
        }
    });

    long opens = 0;
    long news = 0;
    long nextStep = kPassesBetweenSteps;
    while (host.m_passes < passes)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (host.m_passes < nextStep)
            continue;
        nextStep += kPassesBetweenSteps;
        if ((opens + news) % 2 == 0)
        {
            doc.Open(doc.Save());
            ++opens;
        }
        else
        {
            doc.Start();
            ++news;
        }
    }
    doc.Stop();
    bDone = true;
    reader.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long rssEnd = ResidentKiB();

    size_t entries = 0;
    {
        CEntryListLock lock(doc);
        entries = doc.m_entries.Size();
    }
    std::printf("soak: %ld passes in %.1f s (%.2f ms a pass); reader walks %ld; opens %ld, restarts %ld\n",
                host.m_passes.load(), seconds, 1000.0 * seconds / static_cast<double>(host.m_passes.load()),
                walks.load(), opens, news);
    std::printf("soak: entries in the list %zu, retired lists %zu\n", entries, doc.Retired());
    std::printf("soak: resident memory %ld KiB at start, %ld KiB at end (%+ld KiB)\n", rssStart, rssEnd,
                rssEnd - rssStart);
    return 0;
}
