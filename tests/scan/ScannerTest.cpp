// The scan loop against a scripted card, run on the test's own thread.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scan/ScanThread.h"
#include "tests/scan/TestTarget.h"

namespace
{

class ScannerTest : public ::testing::Test
{
protected:
    // Each pass sleeps once, so pass k's sleep is the (k+1)-th.
    static int PassOfSleep(int sleepNumber) { return sleepNumber - 1; }

    // Stops the scan from inside pass 'pass', as the document would during the sleep.
    void StopInPass(int pass)
    {
        m_host.SetSleepHook([this, pass](int sleepNumber) {
            if (PassOfSleep(sleepNumber) == pass)
                m_target.RequestScanStop();
        });
    }
    // Scripts 'count' passes, each answering 'list'.
    std::vector<ScriptedCardPass> AddPasses(size_t count, const std::vector<uint8_t>& list = {})
    {
        std::vector<ScriptedCardPass> passes(count);
        for (ScriptedCardPass& pass : passes)
        {
            pass.list = list;
            m_host.AddPass(pass);
        }
        return passes;
    }
    std::vector<uint32_t> SleepTimes() const
    {
        std::vector<uint32_t> times;
        for (const HostCallRecord& r : CallsOf(m_host, HostCall::Sleep))
        {
            times.push_back(r.milliseconds);
        }
        return times;
    }
    std::vector<size_t> FreedSizes() const
    {
        std::vector<size_t> sizes;
        for (const HostCallRecord& r : CallsOf(m_host, HostCall::Free))
            sizes.push_back(r.outSize);
        return sizes;
    }
    void ExpectReleased()
    {
        EXPECT_EQ(0, m_host.OpenDevices());
        EXPECT_EQ(0, m_host.OutstandingBuffers());
    }

    ScriptedCardHost m_host;
    CTestTarget m_target{&m_host};
};

TEST_F(ScannerTest, EachPassScansSleepsListsAndReadsTheAddress)
{
    ScriptedCardPass first, second;
    first.list = MakeList({MakeBssid(1, -50)});
    second.list = MakeList({MakeBssid(1, -55), MakeBssid(2, -65)});
    m_host.AddPass(first);
    m_host.AddPass(second);
    StopInPass(1);
    m_target.PrepareScanStart();
    EXPECT_EQ(0u, ScanRun(m_target));

    const std::vector<std::string> opened = m_host.OpenedPaths();
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ("\\\\.\\TestCard", opened[0]);
    EXPECT_EQ((std::vector<uint32_t>{kScanPassMilliseconds, kScanPassMilliseconds}), SleepTimes());
    const std::vector<HostCallRecord> requests = m_host.IoCalls();
    ASSERT_EQ(6u, requests.size());
    const uint32_t oids[3] = {OID_802_11_BSSID_LIST_SCAN, OID_802_11_BSSID_LIST, OID_802_3_CURRENT_ADDRESS};
    const uint32_t outSizes[3] = {0, kBssidListBufferSize, kMacAddressLength};
    for (size_t i = 0; i < requests.size(); ++i)
    {
        const HostCallRecord& r = requests[i];
        EXPECT_EQ(IOCTL_NDIS_QUERY_GLOBAL_STATS, r.code);
        EXPECT_EQ(oids[i % 3], r.oid) << "request " << i;
        EXPECT_EQ(4u, r.inSize);
        EXPECT_EQ(outSizes[i % 3], r.outSize) << "request " << i;
        EXPECT_TRUE(r.outZeroed) << "request " << i;
    }

    auto entries = ListEntries(m_target);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(-55, entries[0]->m_bssid.Rssi);
    EXPECT_EQ(-65, entries[1]->m_bssid.Rssi);
    EXPECT_EQ(0, std::memcmp(second.address.data(), m_target.m_ownMac, kMacAddressLength));
    EXPECT_EQ(0, m_target.m_bScanning);
    EXPECT_EQ((std::vector<size_t>{kBssidListBufferSize}), FreedSizes());
    ExpectReleased();
}

TEST_F(ScannerTest, StopDuringTheSleepStillFinishesThePass)
{
    const std::vector<ScriptedCardPass> passes = AddPasses(1, MakeList({MakeBssid(4, -44)}));
    StopInPass(0);
    m_target.PrepareScanStart();
    ScanRun(m_target);

    EXPECT_EQ(3u, m_host.IoCalls().size());
    auto entries = ListEntries(m_target);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(1, entries[0]->m_bSeen);
    EXPECT_EQ(0, std::memcmp(passes[0].address.data(), m_target.m_ownMac, kMacAddressLength));
    EXPECT_EQ(0, m_target.m_bScanning);
    ExpectReleased();
}

TEST_F(ScannerTest, FailedRequestsKeepTheLastHeardStateButNotTheAddress)
{
    AddPasses(1, MakeList({MakeBssid(1, -50), MakeBssid(2, -60)}));
    ScriptedCardPass failing;
    failing.scanOk = false;
    failing.listOk = false;
    failing.addressOk = false;
    failing.list = MakeList({});
    m_host.AddPass(failing);
    StopInPass(1);
    m_target.PrepareScanStart();
    ScanRun(m_target);

    EXPECT_EQ(6u, m_host.IoCalls().size());
    auto entries = ListEntries(m_target);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(1, entries[0]->m_bSeen);
    EXPECT_EQ(-50, entries[0]->m_bssid.Rssi);
    EXPECT_EQ(1, entries[1]->m_bSeen);
    EXPECT_EQ(-60, entries[1]->m_bssid.Rssi);
    const UCHAR zeros[kMacAddressLength] = {};
    EXPECT_EQ(0, std::memcmp(zeros, m_target.m_ownMac, kMacAddressLength));
}

TEST_F(ScannerTest, UnopenableAdapterEndsAtOnceWithTheListUntouched)
{
    {
        CEntryListLock lock(m_target);
        m_target.m_pHead = new CNetworkEntry;
        m_target.m_pHead->m_bSeen = 1;
    }
    m_host.FailOpen(true);
    for (const std::string& name : {std::string(), std::string("OtraTarjeta")})
    {
        m_target.m_strAdapter = name;
        m_target.m_bScanning = 1;
        m_target.PrepareScanStart();
        EXPECT_EQ(0u, ScanRun(m_target));
        EXPECT_EQ(0, m_target.m_bScanning) << name;
    }
    EXPECT_EQ((std::vector<std::string>{"\\\\.\\", "\\\\.\\OtraTarjeta"}), m_host.OpenedPaths());
    EXPECT_TRUE(CallsOf(m_host, HostCall::LocalTime).empty());
    EXPECT_TRUE(m_host.IoCalls().empty());
    EXPECT_EQ(1, m_target.m_pHead->m_bSeen);
    ExpectReleased();
}

TEST_F(ScannerTest, OverlongAdapterNameIsNotCutShortIntoAnotherDevice)
{
    m_target.m_strAdapter = std::string(kMaxAdapterNameLength + 1, 'A');
    m_target.PrepareScanStart();
    ScanRun(m_target);
    EXPECT_TRUE(m_host.OpenedPaths().empty());
    EXPECT_EQ(0, m_target.m_bScanning);

    // The longest name that fits is used whole.
    m_target.m_strAdapter.pop_back();
    AddPasses(1);
    StopInPass(0);
    m_target.PrepareScanStart();
    ScanRun(m_target);
    const std::vector<std::string> opened = m_host.OpenedPaths();
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ("\\\\.\\" + std::string(kMaxAdapterNameLength, 'A'), opened[0]);
    EXPECT_EQ(3u, m_host.IoCalls().size());
    ExpectReleased();
}

TEST_F(ScannerTest, MissingBufferClosesTheDeviceAndEnds)
{
    m_host.FailAlloc(true);
    m_target.PrepareScanStart();
    ScanRun(m_target);
    EXPECT_EQ(0, m_target.m_bScanning);
    EXPECT_TRUE(m_host.IoCalls().empty());
    ExpectReleased();
}

TEST_F(ScannerTest, EntryThatCannotBeAllocatedEndsTheScanAfterThePass)
{
    AddPasses(3, MakeList({MakeBssid(1, -50), MakeBssid(2, -60)}));
    m_target.m_nAllocations = 1;
    StopInPass(2);
    m_target.PrepareScanStart();
    ScanRun(m_target);

    EXPECT_EQ(0, m_target.m_bScanning);
    EXPECT_EQ(3u, m_host.IoCalls().size());  // the address is still read
    auto entries = ListEntries(m_target);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(MacOfId(1), MacOf(*entries[0]));
    EXPECT_EQ(nullptr, entries[0]->m_pNext);
    ExpectReleased();
}

TEST_F(ScannerTest, ZeroLeftByAnEarlierScanDoesNotStopTheNextOne)
{
    m_target.RequestScanStop();  // an earlier scan was stopped
    AddPasses(1);
    int32_t flagInPass = -1;
    m_host.SetSleepHook([&](int) {
        flagInPass = m_target.m_bScanning;
        m_target.RequestScanStop();
    });
    m_target.PrepareScanStart();
    ScanRun(m_target);
    EXPECT_EQ(1, flagInPass);
    EXPECT_EQ(3u, m_host.IoCalls().size());
}

#ifdef _WIN32
TEST_F(ScannerTest, ThreadProcedureRunsTheScanOnTheTargetItIsGiven)
{
    AddPasses(1, MakeList({MakeBssid(1, -50)}));
    StopInPass(0);
    m_target.PrepareScanStart();
    EXPECT_EQ(0u, ScanThreadProc(static_cast<CScanTarget*>(&m_target)));
    EXPECT_EQ(1u, ListEntries(m_target).size());
    ExpectReleased();
}
#endif

}  // namespace
