// Held sleeps: a test can act while the scanner sleeps and only then let it
// go on, which is how stops during the pause are tried.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "driver/ScriptedCard.h"

namespace
{

TEST(ScriptedCardSleep, HeldSleepWaitsUntilReleased)
{
    ScriptedCardHost host;
    host.HoldSleeps(true);
    std::atomic<int> hooked{0};
    std::atomic<int> woken{0};
    host.SetSleepHook([&](int number) { hooked = number; });
    std::thread sleeper([&] {
        host.Sleep(4000);
        ++woken;
        host.Sleep(4000);
        ++woken;
    });

    ASSERT_TRUE(host.WaitForSleep(1));
    EXPECT_FALSE(host.WaitForSleep(2, 50)) << "the first sleep returned without a release";
    EXPECT_EQ(woken, 0);
    EXPECT_EQ(hooked, 1);
    host.ReleaseSleep();
    ASSERT_TRUE(host.WaitForSleep(2));
    EXPECT_EQ(woken, 1);
    host.HoldSleeps(false);  // letting go altogether frees the sleeper too
    sleeper.join();
    EXPECT_EQ(woken, 2);
    EXPECT_EQ(hooked, 2);
    const std::vector<HostCallRecord> calls = host.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].call, HostCall::Sleep);
    EXPECT_EQ(calls[0].milliseconds, 4000u);
}

}  // namespace
