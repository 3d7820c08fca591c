// The entry list's owner: every entry freed exactly once, whichever way the
// list was handed on, and nothing kept beside the links.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "scan/EntryList.h"
#include "tests/scan/TestLists.h"

namespace
{

// Entries that count how many of them are alive.
class CCountedEntry : public CNetworkEntry
{
public:
    CCountedEntry() { ++s_nLive; }
    ~CCountedEntry() override { --s_nLive; }
    static int s_nLive;
};
int CCountedEntry::s_nLive = 0;

// Appends 'count' counted entries, the last one's address byte 'tag'.
void AppendCounted(CEntryList& list, int count, UCHAR tag)
{
    CEntryListBuilder builder(list);
    for (int i = 0; i < count; ++i)
        builder.Append(std::make_unique<CCountedEntry>())->m_bssid.MacAddress[5] = tag;
}

TEST(EntryList, EveryHandOverFreesEachEntryOnce)
{
    {
        CEntryList first;
        AppendCounted(first, 3, 1);
        CEntryList taker(std::move(first));
        EXPECT_TRUE(first.IsEmpty());

        CEntryList other;
        AppendCounted(other, 2, 2);
        taker = std::move(other);  // the three go now
        EXPECT_EQ(2, CCountedEntry::s_nLive);
        CEntryList& same = taker;
        taker = std::move(same);
        EXPECT_EQ(2u, taker.Size());

        CNetworkEntry* pHead = taker.Release();
        EXPECT_TRUE(taker.IsEmpty());
        CEntryList adopter;
        AppendCounted(adopter, 1, 3);
        adopter.Adopt(pHead);  // the one goes now
        EXPECT_EQ(2, CCountedEntry::s_nLive);
        EXPECT_EQ(2, adopter.Head()->m_bssid.MacAddress[5]);
    }
    EXPECT_EQ(0, CCountedEntry::s_nLive);
}

TEST(EntryList, BuilderLinksAtTheEndOfWhatIsThereAndTheListStaysOnePointer)
{
    CEntryList list;
    AppendCounted(list, 2, 1);
    AppendCounted(list, 1, 2);
    const std::vector<CNetworkEntry*> entries = EntriesOf(list);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(1, entries[1]->m_bssid.MacAddress[5]);
    EXPECT_EQ(2, entries[2]->m_bssid.MacAddress[5]);
    EXPECT_EQ(nullptr, entries[2]->m_pNext);
    EXPECT_EQ(sizeof(void*), sizeof(CEntryList)) << "a million-entry list costs its entries only";
}

}  // namespace
