// Merging driver list answers into the entry list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "scan/Merge.h"
#include "tests/scan/TestLists.h"
#include "tests/scan/TestTarget.h"

namespace
{

class MergeTest : public ::testing::Test
{
protected:
    bool Merge(const std::vector<uint8_t>& list)
    {
        return MergeBssidList(m_target, m_host, list.data(), list.size());
    }
    static std::string Ssid(const CNetworkEntry& e)
    {
        char text[kMaxSsidLength + 1];
        CopySsidText(e.m_bssid, text, sizeof text);
        return text;
    }

    void SetUp() override
    {
        // Stamps count on from one millisecond, so the n-th is at n ms.
        m_host.SetLocalTime(SYSTEMTIME{2024, 3, 0, 1, 0, 0, 0, 1});
    }

    ScriptedCardHost m_host;
    CTestTarget m_target{&m_host};
};

TEST_F(MergeTest, RepeatedAddressInOneListIsOneEntryWithTheLastSignal)
{
    ASSERT_TRUE(Merge(MakeList({MakeBssid(1, -60, "uno"), MakeBssid(1, -70, "otro", 1)})));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(-70, entries[0]->m_bssid.Rssi);
    EXPECT_EQ(1, entries[0]->m_bSeen);
    EXPECT_EQ("uno", Ssid(*entries[0]));
    EXPECT_EQ(0u, entries[0]->m_bssid.Privacy);
}

TEST_F(MergeTest, AddressTwiceInTheListRefreshesTheFirstEntryOnly)
{
    // As a loaded file can hold it: the same access point saved twice.
    PutList(m_target, ListOf({MakeBssid(5, -50, "antes"), MakeBssid(5, -60, "despues")}));
    const std::vector<CNetworkEntry*> loaded = ListEntries(m_target);
    CNetworkEntry* pFirst = loaded[0];
    CNetworkEntry* pSecond = loaded[1];
    ASSERT_TRUE(Merge(MakeList({MakeBssid(5, -42)})));
    EXPECT_EQ((std::vector<CNetworkEntry*>{pFirst, pSecond}), ListEntries(m_target));
    EXPECT_EQ(1, pFirst->m_bSeen);
    EXPECT_EQ(-42, pFirst->m_bssid.Rssi);
    EXPECT_EQ(0, pSecond->m_bSeen);
    EXPECT_EQ(0, pSecond->m_bssid.Rssi);
}

TEST_F(MergeTest, KnownAccessPointKeepsItsFirstRecord)
{
    const NDIS_WLAN_BSSID first = MakeBssid(7, -80, "primero", 0);
    ASSERT_TRUE(Merge(MakeList({first})));
    NDIS_WLAN_BSSID changed = MakeBssid(7, -45, "segundo", 1);
    changed.Configuration.DSConfig = 5180000;
    changed.InfrastructureMode = Ndis802_11IBSS;
    ASSERT_TRUE(Merge(MakeList({changed})));

    auto entries = ListEntries(m_target);
    ASSERT_EQ(1u, entries.size());
    NDIS_WLAN_BSSID expected = first;
    expected.Rssi = -45;
    EXPECT_EQ(0, std::memcmp(&expected, &entries[0]->m_bssid, sizeof expected));
    EXPECT_EQ(1, entries[0]->m_bSeen);
    // Stamped when created, not when refreshed.
    EXPECT_EQ(1u, CallsOf(m_host, HostCall::LocalTime).size());
}

TEST_F(MergeTest, EmptyListMarksEveryEntryUnheard)
{
    ASSERT_TRUE(Merge(MakeList({MakeBssid(1, -50), MakeBssid(2, -60)})));
    ASSERT_TRUE(Merge(MakeList({}, 0, kBssidListBufferSize)));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(2u, entries.size());
    for (CNetworkEntry* e : entries)
    {
        EXPECT_EQ(0, e->m_bSeen);
        EXPECT_EQ(0, e->m_bssid.Rssi);
    }
}

TEST_F(MergeTest, OnlyTheFirst157ElementsAreTaken)
{
    // More real elements than the cap, in a buffer larger than the driver's,
    // so the cap itself is what stops the merge. The count's top bit is set:
    // read signed it would be negative.
    std::vector<NDIS_WLAN_BSSID> elements;
    for (uint16_t id = 1; id <= 190; ++id)
        elements.push_back(MakeBssid(id, -50));
    ASSERT_TRUE(Merge(MakeList(elements, 0x800000C8)));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(157u, entries.size());
    EXPECT_EQ(MacOfId(1), MacOf(*entries.front()));
    EXPECT_EQ(MacOfId(157), MacOf(*entries.back()));
}

TEST_F(MergeTest, ElementsAreSteppedAt104WhateverTheirLength)
{
    NDIS_WLAN_BSSID a = MakeBssid(1, -41), b = MakeBssid(2, -42), c = MakeBssid(3, -43);
    a.Length = 0;
    b.Length = 208;
    c.Length = 52;
    ASSERT_TRUE(Merge(MakeList({a, b, c})));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(0, std::memcmp(&a, &entries[0]->m_bssid, sizeof a));
    EXPECT_EQ(0, std::memcmp(&b, &entries[1]->m_bssid, sizeof b));
    EXPECT_EQ(0, std::memcmp(&c, &entries[2]->m_bssid, sizeof c));
}

TEST_F(MergeTest, NewAccessPointsAreAppendedInListOrderWithTheirOwnTime)
{
    ASSERT_TRUE(Merge(MakeList({MakeBssid(5, -50)})));
    ASSERT_TRUE(Merge(MakeList({MakeBssid(9, -61), MakeBssid(5, -51), MakeBssid(3, -63)})));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(MacOfId(5), MacOf(*entries[0]));
    EXPECT_EQ(MacOfId(9), MacOf(*entries[1]));
    EXPECT_EQ(MacOfId(3), MacOf(*entries[2]));
    EXPECT_EQ(2, entries[1]->m_timeFirstSeen.wMilliseconds);
    EXPECT_EQ(3, entries[2]->m_timeFirstSeen.wMilliseconds);
    for (CNetworkEntry* e : entries)
    {
        EXPECT_EQ(1, e->m_bSeen);
        EXPECT_EQ(0, e->m_bAnnounced);
        EXPECT_EQ(2024, e->m_timeFirstSeen.wYear);
    }
}

TEST_F(MergeTest, LoadedEntriesTakeTheTimeOfThePassThatHearsThemAgain)
{
    // As loaded: no time. The second keeps the time it has.
    PutList(m_target, ListOf({MakeBssid(1, -50), MakeBssid(2, -50), MakeBssid(3, -50)}));
    const std::vector<CNetworkEntry*> loaded = ListEntries(m_target);
    CNetworkEntry* pLoaded = loaded[0];
    CNetworkEntry* pTimed = loaded[1];
    CNetworkEntry* pSilent = loaded[2];
    pTimed->m_timeFirstSeen = SYSTEMTIME{2020, 1, 0, 1, 0, 0, 0, 0};
    ASSERT_TRUE(Merge(MakeList({MakeBssid(4, -40), MakeBssid(2, -41), MakeBssid(1, -42)})));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(4u, entries.size());
    EXPECT_TRUE(pLoaded->HasFirstSeenTime());
    EXPECT_EQ(2024, pLoaded->m_timeFirstSeen.wYear);
    EXPECT_EQ(2, pLoaded->m_timeFirstSeen.wMilliseconds) << "after the new entry's own";
    EXPECT_EQ(2020, pTimed->m_timeFirstSeen.wYear);
    EXPECT_FALSE(pSilent->HasFirstSeenTime()) << "not heard: still unknown";
}

TEST_F(MergeTest, FailedAllocationKeepsTheListWholeAndMergesTheRest)
{
    ASSERT_TRUE(Merge(MakeList({MakeBssid(1, -50)})));
    m_target.m_nAllocations = 1;
    EXPECT_FALSE(Merge(MakeList({MakeBssid(2, -62), MakeBssid(3, -63), MakeBssid(1, -51)})));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(MacOfId(1), MacOf(*entries[0]));
    EXPECT_EQ(-51, entries[0]->m_bssid.Rssi);
    EXPECT_EQ(MacOfId(2), MacOf(*entries[1]));
    EXPECT_EQ(nullptr, entries[1]->m_pNext);
}

TEST_F(MergeTest, NeverReadsPastTheBufferItIsGiven)
{
    // A count far beyond what the bytes hold: only whole elements are taken.
    std::vector<uint8_t> list = MakeList({MakeBssid(1, -50), MakeBssid(2, -60)}, 157);
    list.resize(list.size() - 1);
    ASSERT_TRUE(Merge(list));
    EXPECT_EQ(1u, ListEntries(m_target).size());
    const uint8_t tiny[3] = {0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(MergeBssidList(m_target, m_host, tiny, sizeof tiny));
    EXPECT_EQ(0, ListEntries(m_target)[0]->m_bSeen);
}

}  // namespace
