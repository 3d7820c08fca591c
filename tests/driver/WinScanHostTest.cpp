// The Windows host: the simulated card reached by its device path through
// the scanner, exactly as a real card is, and real device paths that don't
// answer.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>

#include "afx/AfxSetup.h"
#include "driver/WinScanHost.h"
#include "scan/ScanThread.h"
#include "tests/driver/RecordChecks.h"

namespace
{

const std::atomic<int32_t> kRunning{1};

// The real host with a fake clock that the scanner's pause moves on instead
// of sleeping, stopping the scan at the start of the pause of pass 'lastPass'
// (from 1).
class FastHost : public WinScanHost
{
public:
    FastHost(CScanTarget* target, int lastPass)
        : WinScanHost([this] { return m_now; }, SimCard::kDefaultSeed), m_target(target), m_lastPass(lastPass)
    {
    }

    void Sleep(uint32_t milliseconds) override
    {
        m_now += milliseconds;
        m_slept += milliseconds;
        if (m_slept == (m_lastPass - 1) * kScanPassMilliseconds + milliseconds)
            m_target->RequestScanStop();
    }
    uint64_t TickCount() override { return m_now; }

    uint64_t m_now = 5000000;
    uint32_t m_slept = 0;

private:
    CScanTarget* m_target;
    int m_lastPass;
};

class SimTarget : public CScanTarget
{
public:
    const char* GetScanAdapterName() override { return kSimulatedServiceName; }
};

TEST(WinScanHost, ScannerHearsTheSimulatedCardThroughItsDevicePath)
{
    SimTarget target;
    FastHost host(&target, 2);
    target.SetScanHost(&host);
    target.PrepareScanStart();
    EXPECT_EQ(ScanRun(target), 0u);
    EXPECT_EQ(host.m_slept, kScanPassMilliseconds + kScanSliceMilliseconds)
        << "a pause, then a slice of the next";

    CEntryListLock lock(target);
    EXPECT_EQ(std::memcmp(target.m_ownMac, SimCard::kOwnAddress, 6), 0);
    int entries = 0;
    int heard = 0;
    std::set<uint64_t> macs;
    target.m_entries.ForEach([&](const CNetworkEntry* e) {
        ++entries;
        uint64_t key = 0;
        for (UCHAR b : e->m_bssid.MacAddress)
            key = key << 8 | b;
        EXPECT_TRUE(macs.insert(key).second);
        if (e->m_bSeen)
        {
            ++heard;
            ExpectSaneRecord(e->m_bssid);
        }
        else
        {
            EXPECT_EQ(e->m_bssid.Rssi, 0);
        }
        EXPECT_NE(e->m_timeFirstSeen.wYear, 0);
    });
    EXPECT_GE(entries, 4);
    EXPECT_GE(heard, 4);
}

bool Query(IDevice& card, uint32_t oid, void* out, uint32_t outSize)
{
    return card.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, out, outSize);
}

TEST(WinScanHost, SimulatedCardTimeRunsFromOpening)
{
    uint64_t now = 1000;
    WinScanHost host([&now] { return now; }, SimCard::kDefaultSeed);
    std::unique_ptr<IDevice> first = host.OpenDevice("\\\\.\\KesuSim", RunFlagView(kRunning));
    ASSERT_TRUE(first);
    now += 60000;
    std::unique_ptr<IDevice> second = host.OpenDevice("\\\\.\\kesusim", RunFlagView(kRunning));
    ASSERT_TRUE(second);
    now += 4000;

    auto* a = static_cast<uint8_t*>(host.AllocBuffer(kBssidListBufferSize));
    auto* b = static_cast<uint8_t*>(host.AllocBuffer(kBssidListBufferSize));
    ASSERT_TRUE(a && b);
    for (size_t i = 0; i < kBssidListBufferSize; ++i)
        ASSERT_EQ(a[i], 0) << "fresh pages are zero";
    ASSERT_TRUE(Query(*first, OID_802_11_BSSID_LIST, a, kBssidListBufferSize));
    ASSERT_TRUE(Query(*second, OID_802_11_BSSID_LIST, b, kBssidListBufferSize));
    EXPECT_NE(std::memcmp(a, b, kBssidListBufferSize), 0) << "a minute into the walk vs. its start";
    std::unique_ptr<IDevice> third = host.OpenDevice("\\\\.\\KesuSim", RunFlagView(kRunning));
    now += 4000;
    std::memset(a, 0, kBssidListBufferSize);
    ASSERT_TRUE(Query(*third, OID_802_11_BSSID_LIST, a, kBssidListBufferSize));
    EXPECT_EQ(std::memcmp(a, b, kBssidListBufferSize), 0) << "both four seconds after opening";
    host.FreeBuffer(a, kBssidListBufferSize);
    host.FreeBuffer(b, kBssidListBufferSize);
}

TEST(WinScanHost, RealDevicesThatDontAnswerFail)
{
    WinScanHost& host = WinScanHost::Shared();
    EXPECT_FALSE(host.OpenDevice("\\\\.\\KesuNoSuchCard", RunFlagView(kRunning)));
    EXPECT_FALSE(host.OpenDevice("\\\\.\\", RunFlagView(kRunning))) << "what an empty adapter name gives";
    EXPECT_FALSE(host.OpenDevice("\\\\.\\KesuSimX", RunFlagView(kRunning)));

    // A device that opens but is no network card refuses the request.
    std::unique_ptr<IDevice> nul = host.OpenDevice("\\\\.\\NUL", RunFlagView(kRunning));
    ASSERT_TRUE(nul);
    UCHAR mac[6] = {};
    EXPECT_FALSE(Query(*nul, OID_802_3_CURRENT_ADDRESS, mac, sizeof mac));
}

}  // namespace
