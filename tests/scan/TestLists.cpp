// Entry lists as tests build, hand over and read them.
#include "tests/scan/TestLists.h"

#include <utility>

CEntryList ListOf(const std::vector<NDIS_WLAN_BSSID>& records)
{
    CEntryList list;
    CEntryListBuilder builder(list);
    for (const NDIS_WLAN_BSSID& record : records)
        builder.AppendNew().m_bssid = record;
    return list;
}

CEntryList PutList(CScanTarget& target, CEntryList list)
{
    CEntryIndex index;
    index.Rebuild(list.Head());
    CEntryListLock lock(target);
    std::swap(list, target.m_entries);
    target.SwapListIndex(index);
    return list;
}

std::vector<CNetworkEntry*> EntriesOf(const CEntryList& list)
{
    std::vector<CNetworkEntry*> entries;
    list.ForEach([&entries](CNetworkEntry* pEntry) { entries.push_back(pEntry); });
    return entries;
}

CNetworkEntry* EntryAt(const CEntryList& list, size_t row)
{
    CNetworkEntry* pAt = nullptr;
    list.ForEach([&](CNetworkEntry* pEntry) {
        if (!pAt && row-- == 0)
            pAt = pEntry;
    });
    return pAt;
}
