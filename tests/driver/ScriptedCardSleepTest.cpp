// Held pauses: a test can act while the scanner pauses and only then let it
// go on, which is how stops during the pause are tried.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "driver/ScriptedCard.h"

namespace
{

bool AskToScan(IDevice& card)
{
    const uint32_t oid = OID_802_11_BSSID_LIST_SCAN;
    return card.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, nullptr, 0);
}

TEST(ScriptedCardSleep, HeldPauseWaitsAtItsFirstSliceUntilReleased)
{
    ScriptedCardHost host;
    host.AddPass(ScriptedCardPass());
    host.AddPass(ScriptedCardPass());
    host.HoldPauses(true);
    std::atomic<int> woken{0};
    std::vector<std::pair<int, int>> hooked;  // written by the sleeper, read after it ends
    host.SetSleepHook([&](int pass, int slice) { hooked.emplace_back(pass, slice); });
    const std::atomic<int32_t> running{1};
    std::unique_ptr<IDevice> card = host.OpenDevice("\\\\.\\Test", RunFlagView(running));
    std::thread sleeper([&] {
        AskToScan(*card);
        for (int i = 0; i < 3; ++i)
            host.Sleep(50);
        ++woken;
        AskToScan(*card);
        host.Sleep(30);
        ++woken;
    });

    ASSERT_TRUE(host.WaitForPause(0));
    EXPECT_FALSE(host.WaitForPause(1, 50)) << "the first pause went on without a release";
    EXPECT_EQ(woken, 0);
    host.ReleasePause();  // once: the pause's later slices don't wait
    ASSERT_TRUE(host.WaitForPause(1));
    EXPECT_EQ(woken, 1);
    host.HoldPauses(false);  // letting go altogether frees the sleeper too
    sleeper.join();
    EXPECT_EQ(woken, 2);
    EXPECT_EQ(hooked, (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {0, 3}, {1, 1}}));
    EXPECT_EQ(host.TickCount(), 180u) << "the clock moves by the time asked";
    std::vector<HostCallRecord> sleeps;
    for (const HostCallRecord& r : host.Calls())
        if (r.call == HostCall::Sleep)
            sleeps.push_back(r);
    ASSERT_EQ(sleeps.size(), 4u);
    EXPECT_EQ(sleeps[0].milliseconds, 50u);
    EXPECT_EQ(sleeps[3].pass, 1);
    EXPECT_EQ(sleeps[3].slice, 1);
}

}  // namespace
