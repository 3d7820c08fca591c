// The scanner on a thread of its own beside a reader, as with the user
// interface: what the reader may see, and stopping at any moment.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <future>
#include <thread>

#include "scan/ScanThread.h"
#include "tests/scan/ScriptedHost.h"

namespace {

constexpr int kPasses = 250;
constexpr uint16_t kAlwaysHeard = 1;
constexpr LONG kAlwaysHeardRssi = -40;

TEST(ScannerConcurrency, ReaderNeverSeesAHeardAccessPointAsUnheard) {
  CScriptedHost host;
  CTestTarget target(&host);
  // Every list ends with the one access point that never goes away, so
  // without the lock a reader has the whole merge to catch it unheard.
  // Before it come the last few passes' access points, one of them new, so
  // the list keeps growing and every element walks it.
  host.m_passes.resize(kPasses);
  host.m_listAnswer = [](int pass, void* out, uint32_t outSize) {
    std::vector<NDIS_WLAN_BSSID> elements;
    for (int i = 0; i < pass && i < 32; ++i) {
      elements.push_back(MakeBssid(static_cast<uint16_t>(100 + pass - i), -70));
    }
    elements.push_back(MakeBssid(kAlwaysHeard, kAlwaysHeardRssi));
    const std::vector<uint8_t> list = MakeList(elements);
    std::memcpy(out, list.data(), std::min<size_t>(outSize, list.size()));
    return true;
  };
  host.m_onSleep = [&target](int pass) {
    if (pass == kPasses - 1) target.RequestScanStop();
    std::this_thread::yield();
  };
  const Mac ownMac = host.m_passes[0].mac;

  target.PrepareScanStart();
  std::atomic<bool> bDone(false);
  std::thread scanner([&] {
    ScanRun(target);
    bDone = true;
  });

  int nSightings = 0;
  int nUnheard = 0;
  int nTornAddresses = 0;
  while (!bDone) {
    CEntryListLock lock(target);
    for (CNetworkEntry* p = target.m_pHead; p; p = p->m_pNext) {
      if (MacOf(*p) == MacOfId(kAlwaysHeard)) {
        ++nSightings;
        if (p->m_bSeen != 1 || p->m_bssid.Rssi != kAlwaysHeardRssi) ++nUnheard;
      }
    }
    const UCHAR zeros[kMacAddressLength] = {};
    if (std::memcmp(target.m_ownMac, zeros, kMacAddressLength) != 0 &&
        std::memcmp(target.m_ownMac, ownMac.data(), kMacAddressLength) != 0) {
      ++nTornAddresses;
    }
  }
  scanner.join();

  EXPECT_GT(nSightings, 0);
  EXPECT_EQ(0, nUnheard);
  EXPECT_EQ(0, nTornAddresses);
  EXPECT_EQ(0, target.m_bScanning);
  // One new access point per pass after the first, never a duplicate.
  EXPECT_EQ(static_cast<size_t>(kPasses), ListEntries(target).size());
  EXPECT_EQ(0, host.m_nDevicesOpen);
  EXPECT_EQ(0, host.m_nBuffersHeld);
}

TEST(ScannerConcurrency, StopFromAnotherThreadBeforeReadyEndsWithoutAPass) {
  CScriptedHost host;
  CTestTarget target(&host);
  host.m_passes.resize(1);
  std::promise<void> opening, stopped;
  std::future<void> stoppedSignal = stopped.get_future();
  host.m_onOpen = [&] {
    opening.set_value();
    stoppedSignal.wait();
  };

  target.PrepareScanStart();
  std::thread scanner([&] { ScanRun(target); });
  opening.get_future().wait();
  target.RequestScanStop();
  stopped.set_value();
  scanner.join();

  EXPECT_EQ(0, target.m_bScanning);
  EXPECT_TRUE(host.m_requests.empty());
  EXPECT_EQ(0, host.m_nDevicesOpen);
  EXPECT_EQ(0, host.m_nBuffersHeld);
}

TEST(ScannerConcurrency, StopWhileRunningEndsAfterThePassInProgress) {
  CScriptedHost host;
  CTestTarget target(&host);
  host.m_passes.resize(1000);
  std::promise<void> firstSleep;
  host.m_onSleep = [&](int pass) {
    if (pass == 0) firstSleep.set_value();
    std::this_thread::yield();
  };

  target.PrepareScanStart();
  std::thread scanner([&] { ScanRun(target); });
  firstSleep.get_future().wait();
  EXPECT_EQ(1, target.m_bScanning);
  target.RequestScanStop();
  scanner.join();

  EXPECT_EQ(0, target.m_bScanning);
  EXPECT_EQ(0u, host.m_requests.size() % 3);  // every pass finished whole
  EXPECT_EQ(0, host.m_nDevicesOpen);
  EXPECT_EQ(0, host.m_nBuffersHeld);
}

}  // namespace
