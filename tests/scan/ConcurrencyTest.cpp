// The scanner on a thread of its own beside a reader, as with the user
// interface: what the reader may see, and stopping at any moment.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <future>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include "scan/ScanThread.h"
#include "tests/scan/TestLists.h"
#include "tests/scan/TestTarget.h"

namespace
{

constexpr int kPasses = 250;
constexpr uint16_t kAlwaysHeard = 1;
constexpr LONG kAlwaysHeardRssi = -40;

TEST(ScannerConcurrency, ReaderNeverSeesAHeardAccessPointAsUnheard)
{
    ScriptedCardHost host;
    CTestTarget target(&host);
    // Every list ends with the one access point that never goes away, so
    // without the lock a reader has the whole merge to catch it unheard.
    // Before it come the last few passes' access points, one of them new, so
    // the list keeps growing and every element walks it.
    for (int i = 0; i < kPasses; ++i)
        host.AddPass(ScriptedCardPass());
    host.SetListGenerator([](int pass) {
        std::vector<NDIS_WLAN_BSSID> elements;
        for (int i = 0; i < pass && i < 32; ++i)
        {
            elements.push_back(MakeBssid(static_cast<uint16_t>(100 + pass - i), -70));
        }
        elements.push_back(MakeBssid(kAlwaysHeard, kAlwaysHeardRssi));
        return MakeList(elements);
    });
    host.SetSleepHook([&target](int pass, int slice) {
        if (pass == kPasses - 1 && slice == 1)
            target.RequestScanStop();
        std::this_thread::yield();
    });
    const std::array<uint8_t, 6> ownMac = ScriptedCardPass().address;

    target.PrepareScanStart();
    std::atomic<bool> bDone(false);
    std::thread scanner([&] {
        ScanRun(target);
        bDone = true;
    });

    int nSightings = 0;
    int nUnheard = 0;
    int nTornAddresses = 0;
    // The reader is also the list view's refresh: what the index keeps must
    // be what a walk finds, and every entry is announced once.
    int nWrongHeardCounts = 0;
    size_t nAnnounced = 0;
    auto refresh = [&] {
        CEntryIndex& index = target.ListIndex();
        for (CNetworkEntry* p : index.TakeUnannounced())
            nAnnounced += std::exchange(p->m_bAnnounced, 1) == 0;
        size_t heard = 0, heardListed = 0;
        target.m_entries.ForEach([&](const CNetworkEntry* p) { heard += p->m_bSeen != 0; });
        index.ForEachHeard([&](const CNetworkEntry*) { ++heardListed; });
        nWrongHeardCounts += heard != index.HeardCount() || heard != heardListed;
    };
    while (!bDone)
    {
        CEntryListLock lock(target);
        target.m_entries.ForEach([&](const CNetworkEntry* p) {
            if (MacOf(*p) == MacOfId(kAlwaysHeard))
            {
                ++nSightings;
                if (p->m_bSeen != 1 || p->m_bssid.Rssi != kAlwaysHeardRssi)
                    ++nUnheard;
            }
        });
        refresh();
        const UCHAR zeros[kMacAddressLength] = {};
        if (std::memcmp(target.m_ownMac, zeros, kMacAddressLength) != 0 &&
            std::memcmp(target.m_ownMac, ownMac.data(), kMacAddressLength) != 0)
        {
            ++nTornAddresses;
        }
    }
    scanner.join();
    {
        CEntryListLock lock(target);
        refresh();
    }

    EXPECT_GT(nSightings, 0);
    EXPECT_EQ(0, nUnheard);
    EXPECT_EQ(0, nWrongHeardCounts);
    EXPECT_EQ(static_cast<size_t>(kPasses), nAnnounced);
    EXPECT_EQ(0, nTornAddresses);
    EXPECT_EQ(0, target.m_bScanning);
    // One new access point per pass after the first, never a duplicate.
    EXPECT_EQ(static_cast<size_t>(kPasses), ListEntries(target).size());
    EXPECT_EQ(0, host.OpenDevices());
    EXPECT_EQ(0, host.OutstandingBuffers());
}

TEST(ScannerConcurrency, StopFromAnotherThreadBeforeReadyEndsWithoutAPass)
{
    ScriptedCardHost host;
    CTestTarget target(&host);
    host.AddPass(ScriptedCardPass());
    std::promise<void> opening, stopped;
    std::future<void> stoppedSignal = stopped.get_future();
    host.SetOpenHook([&](const std::string&) {
        opening.set_value();
        stoppedSignal.wait();
    });

    target.PrepareScanStart();
    std::promise<void> ended;
    std::future<void> endedSignal = ended.get_future();
    std::thread scanner([&] {
        ScanRun(target);
        ended.set_value();
    });
    opening.get_future().wait();
    target.RequestScanStop();
    stopped.set_value();
    // A lost request would otherwise hang here until the test runner gives up.
    const bool bEnded = endedSignal.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    EXPECT_TRUE(bEnded) << "the stop requested before the scanner was ready was lost";
    if (!bEnded)
        target.RequestScanStop();
    scanner.join();

    EXPECT_EQ(0, target.m_bScanning);
    EXPECT_TRUE(host.IoCalls().empty());
    EXPECT_EQ(0, host.OpenDevices());
    EXPECT_EQ(0, host.OutstandingBuffers());
}

TEST(ScannerConcurrency, StopWhileRunningEndsThePauseAtTheNextSliceAndFinishesThePass)
{
    ScriptedCardHost host;
    CTestTarget target(&host);
    for (int i = 0; i < 1000; ++i)
        host.AddPass(ScriptedCardPass());
    host.HoldPauses(true);

    target.PrepareScanStart();
    std::thread scanner([&] { ScanRun(target); });
    for (int pass = 0; pass < 2; ++pass)
    {
        ASSERT_TRUE(host.WaitForPause(pass));
        host.ReleasePause();
    }
    ASSERT_TRUE(host.WaitForPause(2));  // held in the first slice of the third pass
    EXPECT_EQ(1, target.m_bScanning);
    target.RequestScanStop();
    host.ReleasePause();
    scanner.join();

    EXPECT_EQ(0, target.m_bScanning);
    EXPECT_EQ(9u, host.IoCalls().size()) << "every pass finished whole, none begun after";
    size_t slices = 0;
    for (const HostCallRecord& r : host.Calls())
        slices += r.call == HostCall::Sleep && r.pass == 2;
    EXPECT_EQ(1u, slices) << "the stop was seen when the slice it came in ended";
    EXPECT_EQ(0, host.OpenDevices());
    EXPECT_EQ(0, host.OutstandingBuffers());
}

TEST(ScannerConcurrency, ListReplacedDuringPassesKeepsRowsAndAddressesTrue)
{
    // The user interface replaces the list as a load does (indexed aside,
    // swapped in under the lock) while the scanner merges: every row lookup
    // must still be the walk's entry, and no address may be listed twice.
    ScriptedCardHost host;
    CTestTarget target(&host);
    constexpr int kLoadPasses = 120;
    for (int i = 0; i < kLoadPasses; ++i)
        host.AddPass(ScriptedCardPass());
    host.SetListGenerator([](int pass) {
        std::vector<NDIS_WLAN_BSSID> elements;
        for (int i = 0; i < 40; ++i)
            elements.push_back(MakeBssid(static_cast<uint16_t>((pass * 7 + i) % 3000), -60));
        return MakeList(elements);
    });
    host.SetSleepHook([&target](int pass, int slice) {
        if (pass == kLoadPasses - 1 && slice == 1)
            target.RequestScanStop();
        std::this_thread::yield();
    });
    target.PrepareScanStart();
    std::atomic<bool> bDone(false);
    std::thread scanner([&] {
        ScanRun(target);
        bDone = true;
    });

    std::vector<CEntryList> retired;
    int nWrongRows = 0;
    uint16_t load = 0;
    for (; !bDone; ++load)
    {
        // Two thousand loaded entries, so each first pass clears them in slices.
        std::vector<NDIS_WLAN_BSSID> records;
        for (uint16_t id = 0; id < 2000; ++id)
            records.push_back(MakeBssid(static_cast<uint16_t>((id + load) % 3000), -50));
        retired.push_back(PutList(target, ListOf(records)));
        for (int look = 0; look < 20 && !bDone; ++look)
        {
            CEntryListLock lock(target);
            CEntryIndex& rows = target.ListIndex();
            size_t row = 0;
            target.m_entries.ForEach([&](const CNetworkEntry* p) { nWrongRows += rows.At(row++) != p; });
            nWrongRows += rows.Size() != row;
        }
    }
    scanner.join();

    EXPECT_EQ(0, nWrongRows);
    EXPECT_GT(load, 1);
    // A loaded list without repeats stays without: the scanner found every
    // address it brought, whichever list it merged into.
    std::set<Mac> addresses;
    const std::vector<CNetworkEntry*> entries = ListEntries(target);
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_TRUE(addresses.insert(MacOf(*entries[i])).second) << i;
}

}  // namespace
