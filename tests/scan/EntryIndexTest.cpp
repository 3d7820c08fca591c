// The list's indexes answer what walks from the head answer.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <utility>
#include <vector>

#include "scan/EntryPlace.h"
#include "scan/MacTable.h"
#include "scan/Merge.h"
#include "tests/scan/TestLists.h"
#include "tests/scan/TestTarget.h"
#include "tests/scan/WalkModel.h"

namespace
{

TEST(EntryIndex, RandomListsAndPassesMatchThePlainWalks)
{
    // Loads with repeated addresses, passes that repeat addresses and bring new
    // ones, hand-linked entries, failing allocations and freeing, in random
    // order; the fuzz target runs the same scenarios on arbitrary bytes.
    std::mt19937 random(7);
    for (int run = 0; run < 300; ++run)
    {
        std::vector<uint8_t> bytes(1 + random() % 600);
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(random());
        EXPECT_EQ("", RunWalkEquivalence(bytes.data(), bytes.size())) << "run " << run;
    }
}

class LoadedListTest : public ::testing::Test
{
protected:
    // A list as a file gives it: not heard, signals as stored.
    // Returns the list it replaced.
    CEntryList Load(const std::vector<NDIS_WLAN_BSSID>& records)
    {
        return PutList(m_target, ListOf(records));
    }
    bool Merge(const std::vector<NDIS_WLAN_BSSID>& elements)
    {
        const std::vector<uint8_t> list = MakeList(elements);
        return MergeBssidList(m_target, m_host, list.data(), list.size());
    }

    ScriptedCardHost m_host;
    CTestTarget m_target{&m_host};
};

TEST_F(LoadedListTest, RepeatedAddressRefreshesTheEntryNearestTheHead)
{
    Load({MakeBssid(1, -40), MakeBssid(2, -41), MakeBssid(1, -42)});
    ASSERT_TRUE(Merge({MakeBssid(1, -77), MakeBssid(1, -66)}));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(1, entries[0]->m_bSeen);
    EXPECT_EQ(-66, entries[0]->m_bssid.Rssi);
    // The later duplicate is never found again, and its stored signal is gone.
    EXPECT_EQ(0, entries[2]->m_bSeen);
    EXPECT_EQ(0, entries[2]->m_bssid.Rssi);
    EXPECT_EQ(0, entries[1]->m_bssid.Rssi);
}

TEST_F(LoadedListTest, EveryLoadedSignalIsClearedOnceAndHeardOnesAfterEachPass)
{
    std::vector<NDIS_WLAN_BSSID> records;
    for (uint16_t id = 1; id <= 300; ++id)
        records.push_back(MakeBssid(id, -50));
    Load(records);
    ASSERT_TRUE(Merge({MakeBssid(300, -60), MakeBssid(999, -61)}));
    ASSERT_TRUE(Merge({MakeBssid(5, -62)}));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(301u, entries.size());
    for (size_t row = 0; row < entries.size(); ++row)
    {
        const bool bHeard = row == 4;
        EXPECT_EQ(bHeard ? 1 : 0, entries[row]->m_bSeen) << row;
        EXPECT_EQ(bHeard ? -62 : 0, entries[row]->m_bssid.Rssi) << row;
    }
}

TEST_F(LoadedListTest, NewAddressRepeatedInOnePassIsOneEntryAfterTheLoadedOnes)
{
    Load({MakeBssid(1, -40)});
    ASSERT_TRUE(Merge({MakeBssid(8, -50), MakeBssid(1, -51), MakeBssid(8, -52)}));
    auto entries = ListEntries(m_target);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(MacOfId(8), MacOf(*entries[1]));
    EXPECT_EQ(-52, entries[1]->m_bssid.Rssi);
    CEntryListLock lock(m_target);
    EXPECT_EQ(entries[1], m_target.ListIndex().At(1));
    EXPECT_EQ(nullptr, m_target.ListIndex().At(2));
}

TEST_F(LoadedListTest, FreedListLeavesNothingToFind)
{
    Load({MakeBssid(1, -40), MakeBssid(2, -41)});
    m_target.DeleteEntries();
    const NDIS_WLAN_BSSID gone = MakeBssid(1, 0);
    CEntryListLock lock(m_target);
    EXPECT_EQ(0u, m_target.ListIndex().Size());
    EXPECT_EQ(nullptr, m_target.ListIndex().At(0));
    EXPECT_EQ(nullptr, m_target.ListIndex().FindFirst(gone.MacAddress));
}

// The note editor's check: every noted entry, a repeated address's later one
// too, stays found while passes add to the list, and none once it is replaced.
TEST_F(LoadedListTest, NotedEntriesAreFoundUntilTheListIsReplaced)
{
    Load({MakeBssid(1, -40), MakeBssid(2, -41), MakeBssid(1, -42)});
    const std::vector<CNetworkEntry*> entries = ListEntries(m_target);
    CEntryPlace places[3];
    {
        CEntryListLock lock(m_target);
        for (size_t i = 0; i < 3; ++i)
            places[i].Note(m_target.ListIndex(), *entries[i]);
    }
    ASSERT_TRUE(Merge({MakeBssid(3, -50), MakeBssid(1, -60)}));
    {
        CEntryListLock lock(m_target);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_TRUE(places[i].Holds(m_target.ListIndex(), entries[i])) << i;
        EXPECT_FALSE(places[0].Holds(m_target.ListIndex(), entries[2]));
        EXPECT_FALSE(places[2].Holds(m_target.ListIndex(), entries[0]));
    }

    // The old entries live on until checked, so no new entry can reuse their memory.
    const CEntryList old = Load({MakeBssid(1, -40), MakeBssid(2, -41), MakeBssid(1, -42)});
    {
        CEntryListLock lock(m_target);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_FALSE(places[i].Holds(m_target.ListIndex(), entries[i])) << i;
    }
}

// Rows whose entries carry the addresses the table is asked about.
class MacTableTest : public ::testing::Test
{
protected:
    size_t Add(uint64_t key)
    {
        CNetworkEntry& entry = m_entries.emplace_back();
        for (size_t i = 0; i < kMacAddressLength; ++i)
            entry.m_bssid.MacAddress[i] = static_cast<UCHAR>(key >> (8 * (kMacAddressLength - 1 - i)));
        m_rows.push_back(&entry);
        if (const size_t slots = m_bPrepareGrowth ? m_table.GrowthFor(1) : 0)
        {
            // As the merge does: memory of another size must stay with the caller.
            CMacTable::SlotMemory memory = CMacTable::Prepare(slots), smaller = CMacTable::Prepare(slots / 2);
            EXPECT_TRUE(m_table.Offer(memory));
            EXPECT_FALSE(m_table.Offer(smaller));
        }
        m_table.InsertFirst(key, m_rows.size() - 1, m_rows);
        if (m_bPrepareGrowth)
            m_table.TakeRetired();
        return m_rows.size() - 1;
    }
    size_t Find(uint64_t key) const { return m_table.Find(key, m_rows); }

    // Grows from its first size through several doublings, each drained a
    // little per insertion; a repeated address arrives while a drain is under
    // way, when its first row may still sit in the old table.
    void GrowAndFindTheFirstRows()
    {
        for (uint64_t key = 0; key < 20000; ++key)
        {
            Add(key * 0x10001);
            Add((key / 2) * 0x10001);
            ASSERT_EQ(2 * key, Find(key * 0x10001)) << key;
        }
        for (uint64_t key = 0; key < 20000; ++key)
            ASSERT_EQ(2 * key, Find(key * 0x10001)) << key;
        EXPECT_EQ(CMacTable::kNoRow, Find(20000 * 0x10001));
        EXPECT_EQ(CMacTable::kNoRow, Find(0xFFFFFFFFFFFFull));
    }

    bool m_bPrepareGrowth = false;

    std::deque<CNetworkEntry> m_entries;
    CMacTable::Rows m_rows;
    CMacTable m_table;
};

TEST_F(LoadedListTest, AnAddressSharingTheHashOfAKnownOneIsNewAllTheSame)
{
    // The merge's first look, by hash alone, takes it for known.
    NDIS_WLAN_BSSID known = MakeBssid(1, -40), twin = known;
    const uint64_t twinKey = CMacTable::KeyOf(known.MacAddress) + 0x53f887addb;
    for (size_t i = 0; i < kMacAddressLength; ++i)
        twin.MacAddress[i] = static_cast<UCHAR>(twinKey >> (8 * (kMacAddressLength - 1 - i)));
    Load({known});
    {
        CEntryListLock lock(m_target);
        ASSERT_TRUE(m_target.ListIndex().MayHaveAddress(twin.MacAddress));
    }
    ASSERT_TRUE(Merge({twin, known}));
    const auto entries = ListEntries(m_target);
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(CMacTable::KeyOf(twin.MacAddress), CMacTable::KeyOf(entries[1]->m_bssid.MacAddress));
    EXPECT_EQ(1, entries[0]->m_bSeen);
    EXPECT_EQ(1, entries[1]->m_bSeen);
}

TEST_F(MacTableTest, GrowingKeepsEveryAddressAndTheFirstRowOfEach)
{
    GrowAndFindTheFirstRows();
}

TEST_F(MacTableTest, GrowingIntoMemoryPreparedAheadKeepsThemToo)
{
    m_bPrepareGrowth = true;
    GrowAndFindTheFirstRows();
}

TEST_F(MacTableTest, AddressesThatShareAHashStayApart)
{
    // A slot keeps only the hash; these two addresses have the same one, so
    // only the address in the entry tells them apart.
    const uint64_t key = 0x020000000001, twin = key + 0x53f887addb;
    EXPECT_EQ(0u, Add(key));
    EXPECT_EQ(CMacTable::kNoRow, Find(twin));
    EXPECT_TRUE(m_table.MayHold(twin));
    EXPECT_FALSE(m_table.MayHold(twin + 1));
    EXPECT_EQ(1u, Add(twin));
    EXPECT_EQ(0u, Find(key));
    EXPECT_EQ(1u, Find(twin));
}

}  // namespace
