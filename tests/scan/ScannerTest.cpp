// The scan loop against a scripted card, run on the test's own thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

#include "scan/ScanThread.h"
#include "tests/scan/TestTarget.h"

namespace
{

class ScannerTest : public ::testing::Test
{
protected:
    // Stops the scan from inside pass 'pass', as the document would during
    // the pause, in the pause's slice 'slice' (or in a later pass, should the
    // pause not have that many).
    void StopInPass(int pass, int slice = 1)
    {
        m_host.SetSleepHook([this, pass, slice](int sleepPass, int sleepSlice) {
            if ((sleepPass == pass && sleepSlice == slice) || sleepPass > pass)
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
    // The slices of pass 'pass's pause.
    std::vector<uint32_t> PauseOf(int pass) const
    {
        std::vector<uint32_t> times;
        for (const HostCallRecord& r : CallsOf(m_host, HostCall::Sleep))
        {
            if (r.pass == pass)
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
    const std::vector<uint32_t> pause = PauseOf(0);
    EXPECT_EQ(kScanPassMilliseconds, std::accumulate(pause.begin(), pause.end(), 0u));
    EXPECT_EQ(1u, PauseOf(1).size()) << "stopped in its first slice";
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

TEST_F(ScannerTest, PauseIsSlicedAndAStopEndsItWithinOneSlice)
{
    AddPasses(3, MakeList({MakeBssid(4, -44)}));
    StopInPass(1, 7);
    m_target.PrepareScanStart();
    ScanRun(m_target);

    const std::vector<uint32_t> whole = PauseOf(0);
    EXPECT_EQ(kScanPassMilliseconds, std::accumulate(whole.begin(), whole.end(), 0u))
        << "a pass lasts as long";
    EXPECT_LE(*std::max_element(whole.begin(), whole.end()), kScanSliceMilliseconds);
    EXPECT_EQ(7u, PauseOf(1).size()) << "no slice after the one the stop came in";
    // The stopped pass still lists and reads the address, then the scan ends.
    const std::vector<HostCallRecord> calls = m_host.Calls();
    const auto lastSleep = std::find_if(calls.rbegin(), calls.rend(),
                                        [](const HostCallRecord& r) { return r.call == HostCall::Sleep; });
    ASSERT_NE(calls.rend(), lastSleep);
    std::vector<uint32_t> after;
    for (auto it = lastSleep.base(); it != calls.end(); ++it)
        if (it->call == HostCall::IoControl)
            after.push_back(it->oid);
    EXPECT_EQ((std::vector<uint32_t>{OID_802_11_BSSID_LIST, OID_802_3_CURRENT_ADDRESS}), after);
    EXPECT_EQ(6u, m_host.IoCalls().size());
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
    CNetworkEntry* pEntry = nullptr;
    {
        CEntryListLock lock(m_target);
        pEntry = &CEntryListBuilder(m_target.m_entries).AppendNew();
        pEntry->m_bSeen = 1;
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
    EXPECT_EQ(1, pEntry->m_bSeen);
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
    m_host.SetSleepHook([&](int, int) {
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
