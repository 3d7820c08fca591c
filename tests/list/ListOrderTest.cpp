// The list view's order: each column sorted by what it means with empty cells
// last, the three-state header click, and re-sorting only when something the
// order depends on changed, with rows answering none once the list is gone.
#include "scan/ListOrder.h"

#include "scan/EntryList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace
{

struct Row
{
    const char* name;
    UCHAR mac0;  // first address byte; the rest says which row it is
    int32_t rssi;
    uint32_t dsConfig;
    int32_t mode;
    const char* annotation;
};

class ListOrderTest : public ::testing::Test
{
protected:
    void Build(const std::vector<Row>& rows)
    {
        CEntryListBuilder builder(m_list);
        for (size_t i = 0; i < rows.size(); ++i)
        {
            CNetworkEntry* p = &builder.AppendNew();
            NDIS_WLAN_BSSID& b = p->m_bssid;
            b.SsidLength = static_cast<ULONG>(std::strlen(rows[i].name));
            std::memcpy(b.Ssid, rows[i].name, b.SsidLength);
            const UCHAR mac[kMacAddressLength] = {rows[i].mac0, 0x8b, 0x0e, 0, 0, static_cast<UCHAR>(i)};
            std::memcpy(b.MacAddress, mac, sizeof mac);
            b.Rssi = rows[i].rssi;
            b.Privacy = i % 2;
            b.Configuration.DSConfig = rows[i].dsConfig;
            b.InfrastructureMode = static_cast<NDIS_802_11_NETWORK_INFRASTRUCTURE>(rows[i].mode);
            p->m_strAnnotation = rows[i].annotation;
            p->m_timeFirstSeen = {2024, 5, 0, 1, 10, 0, static_cast<WORD>(59 - i), 0};
            m_entries.push_back(p);
        }
        m_index.Rebuild(m_list.Head());
    }

    // Found-order numbers of the rows, as the view shows them.
    std::vector<int> Shown()
    {
        std::vector<int> shown;
        for (size_t row = 0; row < m_index.Size(); ++row)
        {
            CNetworkEntry* p = m_order.EntryAt(m_index, row);
            shown.push_back(p ? p->m_bssid.MacAddress[5] : -1);
        }
        return shown;
    }
    std::vector<int> SortedBy(int column, SortDirection direction)
    {
        m_order.SetSort({column, direction});
        m_order.Refresh(m_index, BuiltInMakers(), m_texts);
        return Shown();
    }

    CEntryList m_list;
    std::vector<CNetworkEntry*> m_entries;
    CEntryIndex m_index;
    CListOrder m_order;
    ListTexts m_texts = {{"Ad hoc", "Infraestructura", "Automático"}, "dirección aleatoria"};
};

using V = std::vector<int>;
const SortDirection kUp = SortDirection::Up;
const SortDirection kDown = SortDirection::Down;

TEST_F(ListOrderTest, EachColumnSortsByWhatItMeansWithEmptyCellsLast)
{
    // 0x60 Apple, 0x74 nobody, 0x02 random address, 0x01 multicast (no maker).
    Build({{"beta", 0x60, -70, 2437000, 1, ""},
           {"", 0x74, 0, 5180000, 7, "nota"},
           {"Alfa", 0x02, -40, 2412000, 0, ""},
           {"alfa", 0x01, -90, 2412000, 2, "x"}});
    EXPECT_EQ((V{0, 1, 2, 3}), Shown());
    EXPECT_EQ((V{2, 3, 0, 1}), SortedBy(kColumnName, kUp));    // case folded, ties by discovery
    EXPECT_EQ((V{0, 2, 3, 1}), SortedBy(kColumnName, kDown));  // the hidden name stays last
    EXPECT_EQ((V{3, 0, 2, 1}), SortedBy(kColumnSignal, kUp));  // numbers; not heard last
    EXPECT_EQ((V{2, 0, 3, 1}), SortedBy(kColumnSignal, kDown));
    EXPECT_EQ((V{2, 3, 0, 1}), SortedBy(kColumnChannel, kUp));
    EXPECT_EQ((V{3, 2, 0, 1}), SortedBy(kColumnAddress, kUp));
    EXPECT_EQ((V{0, 2, 1, 3}), SortedBy(kColumnMaker, kUp));  // "Apple", "dirección", none last
    EXPECT_EQ((V{2, 3, 0, 1}), SortedBy(kColumnMode, kUp));   // Ad hoc, Automático, Infra; mode 7 empty
    EXPECT_EQ((V{1, 3, 0, 2}), SortedBy(kColumnSecurity, kUp));
    EXPECT_EQ((V{1, 3, 0, 2}), SortedBy(kColumnAnnotation, kUp));  // annotated first
    EXPECT_EQ((V{3, 2, 1, 0}), SortedBy(kColumnFirstSeen, kUp));
    m_entries[3]->m_timeFirstSeen = {};
    EXPECT_EQ((V{0, 1, 2, 3}), SortedBy(kColumnFirstSeen, kDown));  // unknown time last
    EXPECT_EQ((V{0, 1, 2, 3}), SortedBy(kColumnFirstSeen, SortDirection::None));
}

TEST(ListOrder, HeaderClicksGoUpDownThenBackToDiscovery)
{
    ListSort sort;
    sort = NextSort(sort, kColumnSignal);
    EXPECT_EQ(SortDirection::Up, sort.direction);
    sort = NextSort(sort, kColumnSignal);
    EXPECT_EQ(SortDirection::Down, sort.direction);
    sort = NextSort(NextSort(sort, kColumnName), kColumnName);
    EXPECT_EQ(kColumnName, sort.column);
    EXPECT_EQ(SortDirection::Down, sort.direction);
    EXPECT_EQ(SortDirection::None, NextSort(sort, kColumnName).direction);
}

TEST_F(ListOrderTest, ResortsOnlyWhenTheListOrAKeyOfTheSortChanged)
{
    Build({{"a", 0x60, -70, 1, 1, ""}, {"b", 0x60, -40, 2, 1, ""}, {"c", 0x60, -50, 3, 1, ""}});
    EXPECT_EQ((V{0, 2, 1}), SortedBy(kColumnSignal, kUp));
    EXPECT_FALSE(m_order.Refresh(m_index, BuiltInMakers(), m_texts));
    m_entries[0]->m_bssid.Rssi = -30;  // the scanner heard it stronger
    m_index.MarkHeard(0);
    EXPECT_TRUE(m_order.Refresh(m_index, BuiltInMakers(), m_texts));
    EXPECT_EQ((V{2, 1, 0}), Shown());

    EXPECT_EQ((V{0, 1, 2}), SortedBy(kColumnName, kUp));
    m_entries[0]->m_bssid.Rssi = -99;  // no key of a name sort
    m_entries[0]->m_strAnnotation = "nota";
    m_index.NoteChanged();
    EXPECT_FALSE(m_order.Refresh(m_index, BuiltInMakers(), m_texts));

    EXPECT_EQ((V{1, 2, 0}), SortedBy(kColumnAnnotation, kDown));  // not annotated first
    m_entries[2]->m_strAnnotation = "otra";
    m_index.NoteChanged();
    EXPECT_TRUE(m_order.Refresh(m_index, BuiltInMakers(), m_texts));

    // An entry linked at the tail: old rows stay valid until the next refresh sorts it in.
    CNetworkEntry* p = &CEntryListBuilder(m_list).AppendNew();
    p->m_bssid.MacAddress[5] = 3;
    m_index.Sync(m_list.Head());
    EXPECT_EQ(m_entries[1], m_order.EntryAt(m_index, 0));
    EXPECT_TRUE(m_order.Refresh(m_index, BuiltInMakers(), m_texts));
    EXPECT_EQ(4u, m_index.Size());
    EXPECT_EQ(3, m_order.RowOf(m_index, m_entries[2]));
    EXPECT_EQ(1, m_order.RowOf(m_index, p));

    // The list freed (document closed): no row hands out an entry any more.
    m_index.Clear();
    EXPECT_EQ(nullptr, m_order.EntryAt(m_index, 0));
    EXPECT_EQ(-1, m_order.RowOf(m_index, m_entries[0]));
}

TEST_F(ListOrderTest, MovingWhatChangedGivesTheOrderOfAWholeSort)
{
    // Random lists with many ties, changed as merges, the note editor and new
    // access points change them; after every refresh the order kept up to date
    // must be the one a fresh sort gives.
    std::mt19937 random(11);
    const char* names[] = {"", "a", "B", "b", "casa"};
    std::vector<Row> rows;
    for (int i = 0; i < 40; ++i)
        rows.push_back({names[random() % 5], static_cast<UCHAR>(random() % 2 ? 0x60 : 0x02),
                        -static_cast<int32_t>(random() % 4) * 10, 2412000, static_cast<int32_t>(random() % 3),
                        random() % 3 ? "" : "n"});
    Build(rows);
    for (int column = 0; column < kListColumnCount; ++column)
    {
        for (SortDirection direction : {kUp, kDown})
        {
            SortedBy(column, direction);
            for (int step = 0; step < 30; ++step)
            {
                const size_t row = random() % m_index.Size();
                CNetworkEntry* p = m_index.At(row);
                switch (step == 15 ? 5 : random() % 5)
                {
                case 0:
                    m_index.ResetHeard();
                    break;
                case 1:
                    p->m_bssid.Rssi = -static_cast<int32_t>(random() % 4) * 10;
                    m_index.MarkHeard(row);
                    break;
                case 2:
                    p->m_timeFirstSeen.wSecond = static_cast<WORD>(random() % 3);
                    m_index.MarkHeard(row);
                    break;
                case 3:
                    p->m_strAnnotation = random() % 2 ? "n" : "";
                    m_index.NoteChanged();
                    break;
                case 4: {
                    CNetworkEntry* pNew = &CEntryListBuilder(m_list).AppendNew();
                    pNew->m_bssid.MacAddress[0] = 0x60;
                    pNew->m_bssid.MacAddress[5] = static_cast<UCHAR>(m_index.Size());
                    if (random() % 2)  // an address the list has already, as a loaded file may repeat one
                        std::memcpy(pNew->m_bssid.MacAddress, p->m_bssid.MacAddress, kMacAddressLength);
                    pNew->m_bssid.Rssi = -static_cast<int32_t>(random() % 4) * 10;
                    m_index.Sync(m_list.Head());
                    break;
                }
                default:
                    // More than the index keeps track of: every row is looked at.
                    for (int i = 0; i < 70000; ++i)
                        m_index.MarkHeard(row);
                    m_index.ResetHeard();
                    break;
                }
                m_order.Refresh(m_index, BuiltInMakers(), m_texts);
                CListOrder fresh;
                fresh.SetSort({column, direction});
                fresh.Refresh(m_index, BuiltInMakers(), m_texts);
                for (size_t shown = 0; shown < m_index.Size(); ++shown)
                {
                    ASSERT_EQ(fresh.EntryAt(m_index, shown), m_order.EntryAt(m_index, shown))
                        << "column " << column << ", step " << step << ", row " << shown;
                    ASSERT_EQ(static_cast<long>(shown),
                              m_order.RowOf(m_index, m_order.EntryAt(m_index, shown)));
                }
            }
        }
    }
}

}  // namespace
