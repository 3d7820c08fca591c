// Folding one driver answer to the list request into the entry list.
#include "scan/Merge.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace
{

// A few hundred microseconds of the lock at most, even under emulation.
constexpr size_t kResetSlice = 1024;

NDIS_WLAN_BSSID ElementAt(const unsigned char* elements, uint32_t i)
{
    // Copied out: the buffer makes no promise of alignment.
    NDIS_WLAN_BSSID element;
    std::memcpy(&element, elements + i * sizeof(NDIS_WLAN_BSSID), sizeof element);
    return element;
}

// A new entry for an element heard now; null when it can't be allocated.
std::unique_ptr<CNetworkEntry> NewHeardEntry(CScanTarget& target, IScanHost& host,
                                             const NDIS_WLAN_BSSID& element)
{
    std::unique_ptr<CNetworkEntry> pNew(target.CreateEntry());
    if (pNew)
    {
        pNew->m_bssid = element;
        pNew->m_bSeen = 1;
        host.GetLocalTime(&pNew->m_timeFirstSeen);
    }
    return pNew;
}

// Entries made ready outside the lock for the addresses a pass brings new,
// by address; null where one could not be allocated. What the merge does not
// link (the list changed in between) goes with it.
class NewEntries
{
public:
    // One entry per address, for its first element, in list order, for the
    // elements at these places.
    void Make(CScanTarget& target, IScanHost& host, const unsigned char* elements,
              const std::vector<uint32_t>& at)
    {
        for (uint32_t i : at)
        {
            const NDIS_WLAN_BSSID element = ElementAt(elements, i);
            const uint64_t key = CMacTable::KeyOf(element.MacAddress);
            if (std::any_of(m_made.begin(), m_made.end(),
                            [key](const auto& made) { return made.first == key; }))
                continue;
            m_made.emplace_back(key, NewHeardEntry(target, host, element));
        }
        std::sort(m_made.begin(), m_made.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
    }

    // Hands over the entry made for this address. False when none was tried
    // for it; 'pEntry' is then null, as it is when the allocation failed.
    bool Take(const UCHAR mac[kMacAddressLength], std::unique_ptr<CNetworkEntry>& pEntry)
    {
        const uint64_t key = CMacTable::KeyOf(mac);
        auto it = std::lower_bound(m_made.begin(), m_made.end(), key,
                                   [](const auto& made, uint64_t k) { return made.first < k; });
        pEntry.reset();
        if (it == m_made.end() || it->first != key)
            return false;
        pEntry = std::move(it->second);
        return true;
    }

private:
    std::vector<std::pair<uint64_t, std::unique_ptr<CNetworkEntry>>> m_made;
};

// Holds the lock for as long as it takes to clear a long list that no merge
// has seen yet (a freshly loaded list, still carrying its stored signals)
// a slice per hold, and returns holding it with the index ready. The entries
// read as not heard either way. Readers waiting for the lock have it before
// each hold: a mutex may hand itself straight back to the thread that just
// released it.
CEntryIndex& LockWithFewRowsToReset(CScanTarget& target, std::optional<CEntryListLock>& lock)
{
    for (;;)
    {
        target.YieldListLock();
        lock.emplace(target);
        CEntryIndex& index = target.ListIndex();
        if (index.UnresetRows() <= kResetSlice)
            return index;
        index.ResetUnresetRows(kResetSlice);
        lock.reset();
    }
}

}  // namespace

bool MergeBssidList(CScanTarget& target, IScanHost& host, const void* buffer, size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
    const size_t headerSize = offsetof(NDIS_802_11_BSSID_LIST, Bssid);
    uint32_t count = 0;
    if (size >= headerSize)
    {
        std::memcpy(&count, bytes, sizeof count);
        if (count > kMaxBssidListItems)
            count = kMaxBssidListItems;
        const size_t fit = (size - headerSize) / sizeof(NDIS_WLAN_BSSID);
        if (count > fit)
            count = static_cast<uint32_t>(fit);
    }
    // An empty answer may come without a buffer at all.
    const unsigned char* elements = count ? bytes + headerSize : nullptr;

    // Allocating is what takes time, so the addresses not in the list are
    // found under the lock, their entries made without it, and linked under
    // it again, re-checked against the list as it is then. The first look
    // reads only the address table: an address it can't rule out has its
    // entry made under the lock if it turns out new after all, as one that a
    // load brought in between has. What the first look notes goes into
    // memory taken before the lock (fresh memory faults at first touch), and
    // the address table's growth is prepared and its old memory freed
    // outside the lock too.
    std::vector<uint32_t> unknown;
    unknown.reserve(count);
    CMacTable::SlotMemory retiredTable;  // freed as the merge returns, after its last hold
    size_t tableGrowth = 0;
    {
        CEntryListLock lock(target);
        CEntryIndex& index = target.ListIndex();
        for (uint32_t i = 0; i < count; ++i)
            index.PrefetchAddress(ElementAt(elements, i).MacAddress);
        for (uint32_t i = 0; i < count; ++i)
            if (!index.MayHaveAddress(ElementAt(elements, i).MacAddress))
                unknown.push_back(i);
        tableGrowth = unknown.empty() ? 0 : index.AddressTableGrowthFor(unknown.size());
        retiredTable = index.TakeRetiredAddressTable();
    }
    CMacTable::SlotMemory grownTable =
        tableGrowth ? CMacTable::Prepare(tableGrowth) : CMacTable::SlotMemory();
    NewEntries made;
    made.Make(target, host, elements, unknown);

    bool bComplete = true;
    std::optional<CEntryListLock> lock;
    CEntryIndex& index = LockWithFewRowsToReset(target, lock);
    // One step from here: every entry reads as not heard, then each element
    // refreshes the entry a walk from the head would stop at, or appends one.
    // An address repeated in the list finds the entry just made or refreshed.
    index.OfferAddressTable(grownTable);
    for (uint32_t i = 0; i < count; ++i)
        index.PrefetchAddress(ElementAt(elements, i).MacAddress);
    index.ResetHeard();
    std::optional<SYSTEMTIME> heardAgainAt;
    for (uint32_t i = 0; i < count; ++i)
    {
        const NDIS_WLAN_BSSID element = ElementAt(elements, i);
        const size_t knownRow = index.FindFirstRow(element.MacAddress);
        if (knownRow != CEntryIndex::kNoRow)
        {
            CNetworkEntry* pKnown = index.At(knownRow);
            pKnown->m_bssid.Rssi = element.Rssi;
            // A loaded entry's first hearing in this session is the time it can show;
            // one reading of the clock serves the whole pass.
            if (!pKnown->HasFirstSeenTime())
            {
                if (!heardAgainAt)
                    host.GetLocalTime(&heardAgainAt.emplace());
                pKnown->m_timeFirstSeen = *heardAgainAt;
            }
            index.MarkHeard(knownRow);
            continue;
        }
        std::unique_ptr<CNetworkEntry> pNew;
        // Not made ahead when a load replaced the list in between and this address left it.
        if (!made.Take(element.MacAddress, pNew))
            pNew = NewHeardEntry(target, host, element);
        if (!pNew)
        {
            bComplete = false;
            continue;
        }
        CNetworkEntry* pLinked = pNew.get();
        target.m_entries.LinkAfter(index.Tail(), std::move(pNew));
        index.Append(pLinked);
        index.MarkHeard(index.Size() - 1);
    }
    return bComplete;
}
