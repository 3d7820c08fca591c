// Prints the cost of merging one full driver list (157 elements) into lists
// of growing length: once when every element is already known, once when
// every element is new and walks the whole list to its tail.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "scan/Merge.h"

namespace
{

class CBenchTarget : public CScanTarget
{
public:
    const char* GetScanAdapterName() override { return "Bench"; }
};

class CBenchHost : public IScanHost
{
public:
    std::unique_ptr<IDevice> OpenDevice(const char*) override { return nullptr; }
    void* AllocBuffer(size_t) override { return nullptr; }
    void FreeBuffer(void*, size_t) override {}
    void Sleep(uint32_t) override {}
    void GetLocalTime(SYSTEMTIME* time) override { *time = SYSTEMTIME{}; }
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

// A list of 157 elements: ids spread evenly over [0, entries) when known,
// ids past every entry when new.
std::vector<unsigned char> MakeList(uint32_t entries, bool bNew)
{
    std::vector<unsigned char> buffer(kBssidListBufferSize);
    const uint32_t count = kMaxBssidListItems;
    std::memcpy(buffer.data(), &count, sizeof count);
    for (uint32_t i = 0; i < count; ++i)
    {
        NDIS_WLAN_BSSID b = {};
        b.Length = sizeof b;
        SetMac(b.MacAddress, bNew ? entries + i : static_cast<uint32_t>(uint64_t{i} * entries / count));
        b.Rssi = -60;
        std::memcpy(buffer.data() + 4 + i * sizeof b, &b, sizeof b);
    }
    return buffer;
}

void Fill(CScanTarget& target, uint32_t entries)
{
    target.DeleteEntries();
    CNetworkEntry** ppTail = &target.m_pHead;
    for (uint32_t id = 0; id < entries; ++id)
    {
        CNetworkEntry* pEntry = new CNetworkEntry;
        SetMac(pEntry->m_bssid.MacAddress, id);
        *ppTail = pEntry;
        ppTail = &pEntry->m_pNext;
    }
}

double MedianMicroseconds(uint32_t entries, bool bNew, int runs)
{
    CBenchTarget target;
    CBenchHost host;
    const std::vector<unsigned char> list = MakeList(entries, bNew);
    std::vector<double> times;
    Fill(target, entries);
    for (int run = 0; run < runs; ++run)
    {
        if (bNew)
            Fill(target, entries);
        const auto start = std::chrono::steady_clock::now();
        MergeBssidList(target, host, list.data(), list.size());
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main()
{
    const int kRuns = 21;
    std::printf("merge of one list of %u elements, median of %d runs\n", kMaxBssidListItems, kRuns);
    std::printf("%10s %16s %16s\n", "entries", "all known (us)", "all new (us)");
    for (uint32_t entries : {100u, 1000u, 10000u})
    {
        std::printf("%10u %16.1f %16.1f\n", entries, MedianMicroseconds(entries, false, kRuns),
                    MedianMicroseconds(entries, true, kRuns));
    }
    return 0;
}
