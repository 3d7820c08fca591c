// The scan loop against a scripted card, run on the test's own thread.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scan/ScanThread.h"
#include "tests/scan/ScriptedHost.h"

namespace {

class ScannerTest : public ::testing::Test {
 protected:
  // Stops the scan from inside pass 'pass', as the document would during the sleep.
  void StopInPass(int pass) {
    m_host.m_onSleep = [this, pass](int current) {
      if (current == pass) m_target.RequestScanStop();
    };
  }
  void ExpectReleased() {
    EXPECT_EQ(0, m_host.m_nDevicesOpen);
    EXPECT_EQ(0, m_host.m_nBuffersHeld);
  }

  CScriptedHost m_host;
  CTestTarget m_target{&m_host};
};

TEST_F(ScannerTest, EachPassScansSleepsListsAndReadsTheAddress) {
  m_host.m_passes.resize(2);
  m_host.m_passes[0].list = MakeList({MakeBssid(1, -50)});
  m_host.m_passes[1].list = MakeList({MakeBssid(1, -55), MakeBssid(2, -65)});
  StopInPass(1);
  m_target.PrepareScanStart();
  EXPECT_EQ(0u, ScanRun(m_target));

  ASSERT_EQ(1u, m_host.m_openedPaths.size());
  EXPECT_EQ("\\\\.\\TestCard", m_host.m_openedPaths[0]);
  EXPECT_EQ((std::vector<uint32_t>{kScanPassMilliseconds, kScanPassMilliseconds}), m_host.m_sleeps);
  ASSERT_EQ(6u, m_host.m_requests.size());
  const uint32_t oids[3] = {OID_802_11_BSSID_LIST_SCAN, OID_802_11_BSSID_LIST,
                            OID_802_3_CURRENT_ADDRESS};
  const uint32_t outSizes[3] = {0, kBssidListBufferSize, kMacAddressLength};
  for (size_t i = 0; i < m_host.m_requests.size(); ++i) {
    const ScriptedRequest& r = m_host.m_requests[i];
    EXPECT_EQ(IOCTL_NDIS_QUERY_GLOBAL_STATS, r.code);
    EXPECT_EQ(oids[i % 3], r.oid) << "request " << i;
    EXPECT_EQ(4u, r.inSize);
    EXPECT_EQ(outSizes[i % 3], r.outSize) << "request " << i;
    EXPECT_TRUE(r.bOutZeroed) << "request " << i;
  }

  auto entries = ListEntries(m_target);
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ(-55, entries[0]->m_bssid.Rssi);
  EXPECT_EQ(-65, entries[1]->m_bssid.Rssi);
  EXPECT_EQ(0, std::memcmp(m_host.m_passes[1].mac.data(), m_target.m_ownMac, kMacAddressLength));
  EXPECT_EQ(0, m_target.m_bScanning);
  EXPECT_EQ((std::vector<size_t>{kBssidListBufferSize}), m_host.m_freedSizes);
  ExpectReleased();
}

TEST_F(ScannerTest, StopDuringTheSleepStillFinishesThePass) {
  m_host.m_passes.resize(1);
  m_host.m_passes[0].list = MakeList({MakeBssid(4, -44)});
  StopInPass(0);
  m_target.PrepareScanStart();
  ScanRun(m_target);

  EXPECT_EQ(3u, m_host.m_requests.size());
  auto entries = ListEntries(m_target);
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ(1, entries[0]->m_bSeen);
  EXPECT_EQ(0, std::memcmp(m_host.m_passes[0].mac.data(), m_target.m_ownMac, kMacAddressLength));
  EXPECT_EQ(0, m_target.m_bScanning);
  ExpectReleased();
}

TEST_F(ScannerTest, FailedRequestsKeepTheLastHeardStateButNotTheAddress) {
  m_host.m_passes.resize(2);
  m_host.m_passes[0].list = MakeList({MakeBssid(1, -50), MakeBssid(2, -60)});
  m_host.m_passes[1].bScanOk = false;
  m_host.m_passes[1].bListOk = false;
  m_host.m_passes[1].bMacOk = false;
  m_host.m_passes[1].list = MakeList({});
  StopInPass(1);
  m_target.PrepareScanStart();
  ScanRun(m_target);

  EXPECT_EQ(6u, m_host.m_requests.size());
  auto entries = ListEntries(m_target);
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ(1, entries[0]->m_bSeen);
  EXPECT_EQ(-50, entries[0]->m_bssid.Rssi);
  EXPECT_EQ(1, entries[1]->m_bSeen);
  EXPECT_EQ(-60, entries[1]->m_bssid.Rssi);
  const UCHAR zeros[kMacAddressLength] = {};
  EXPECT_EQ(0, std::memcmp(zeros, m_target.m_ownMac, kMacAddressLength));
}

TEST_F(ScannerTest, UnopenableAdapterEndsAtOnceWithTheListUntouched) {
  {
    CEntryListLock lock(m_target);
    m_target.m_pHead = new CNetworkEntry;
    m_target.m_pHead->m_bSeen = 1;
  }
  for (const std::string& name : {std::string(), std::string("OtraTarjeta")}) {
    m_target.m_strAdapter = name;
    m_target.m_bScanning = 1;
    m_target.PrepareScanStart();
    EXPECT_EQ(0u, ScanRun(m_target));
    EXPECT_EQ(0, m_target.m_bScanning) << name;
  }
  EXPECT_EQ((std::vector<std::string>{"\\\\.\\", "\\\\.\\OtraTarjeta"}), m_host.m_openedPaths);
  EXPECT_EQ(0, m_host.m_nTimeStamps);
  EXPECT_TRUE(m_host.m_requests.empty());
  EXPECT_EQ(1, m_target.m_pHead->m_bSeen);
  ExpectReleased();
}

TEST_F(ScannerTest, OverlongAdapterNameIsNotCutShortIntoAnotherDevice) {
  m_target.m_strAdapter = std::string(kMaxAdapterNameLength + 1, 'A');
  m_host.m_strDevicePath = "\\\\.\\" + std::string(kMaxAdapterNameLength, 'A');
  m_target.PrepareScanStart();
  ScanRun(m_target);
  EXPECT_TRUE(m_host.m_openedPaths.empty());
  EXPECT_EQ(0, m_target.m_bScanning);

  // The longest name that fits is used whole.
  m_target.m_strAdapter.pop_back();
  m_host.m_passes.resize(1);
  StopInPass(0);
  m_target.PrepareScanStart();
  ScanRun(m_target);
  ASSERT_EQ(1u, m_host.m_openedPaths.size());
  EXPECT_EQ(m_host.m_strDevicePath, m_host.m_openedPaths[0]);
  EXPECT_EQ(3u, m_host.m_requests.size());
  ExpectReleased();
}

TEST_F(ScannerTest, MissingBufferClosesTheDeviceAndEnds) {
  m_host.m_bFailBuffer = true;
  m_target.PrepareScanStart();
  ScanRun(m_target);
  EXPECT_EQ(0, m_target.m_bScanning);
  EXPECT_TRUE(m_host.m_requests.empty());
  ExpectReleased();
}

TEST_F(ScannerTest, EntryThatCannotBeAllocatedEndsTheScanAfterThePass) {
  m_host.m_passes.resize(3);
  for (ScriptedPass& pass : m_host.m_passes) {
    pass.list = MakeList({MakeBssid(1, -50), MakeBssid(2, -60)});
  }
  m_target.m_nAllocations = 1;
  StopInPass(2);
  m_target.PrepareScanStart();
  ScanRun(m_target);

  EXPECT_EQ(0, m_target.m_bScanning);
  EXPECT_EQ(3u, m_host.m_requests.size());  // the address is still read
  auto entries = ListEntries(m_target);
  ASSERT_EQ(1u, entries.size());
  EXPECT_EQ(MacOfId(1), MacOf(*entries[0]));
  EXPECT_EQ(nullptr, entries[0]->m_pNext);
  ExpectReleased();
}

TEST_F(ScannerTest, ZeroLeftByAnEarlierScanDoesNotStopTheNextOne) {
  m_target.RequestScanStop();  // an earlier scan was stopped
  m_host.m_passes.resize(1);
  int32_t flagInPass = -1;
  m_host.m_onSleep = [&](int) {
    flagInPass = m_target.m_bScanning;
    m_target.RequestScanStop();
  };
  m_target.PrepareScanStart();
  ScanRun(m_target);
  EXPECT_EQ(1, flagInPass);
  EXPECT_EQ(3u, m_host.m_requests.size());
}

#ifdef _WIN32
TEST_F(ScannerTest, ThreadProcedureRunsTheScanOnTheTargetItIsGiven) {
  m_host.m_passes.resize(1);
  m_host.m_passes[0].list = MakeList({MakeBssid(1, -50)});
  StopInPass(0);
  m_target.PrepareScanStart();
  EXPECT_EQ(0u, ScanThreadProc(static_cast<CScanTarget*>(&m_target)));
  EXPECT_EQ(1u, ListEntries(m_target).size());
  ExpectReleased();
}
#endif

}  // namespace
