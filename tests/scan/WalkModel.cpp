// Plain list walks and the indexed-versus-walked scenario runner.
#include "tests/scan/WalkModel.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "driver/QuietHost.h"
#include "scan/EntryIndex.h"
#include "scan/Merge.h"
#include "tests/scan/LimitedTarget.h"
#include "tests/scan/TestLists.h"

bool PlainMerge(CEntryList& list, IScanHost& host, const void* buffer, size_t size, int& allowed)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
    uint32_t count = 0;
    if (size >= 4)
    {
        std::memcpy(&count, bytes, sizeof count);
        if (count > kMaxBssidListItems)
            count = kMaxBssidListItems;
        if (count > (size - 4) / sizeof(NDIS_WLAN_BSSID))
            count = static_cast<uint32_t>((size - 4) / sizeof(NDIS_WLAN_BSSID));
    }
    list.ForEach([](CNetworkEntry* p) {
        p->m_bSeen = 0;
        p->m_bssid.Rssi = 0;
    });
    bool bComplete = true;
    std::vector<CNetworkEntry*> heardAgain;
    for (uint32_t i = 0; i < count; ++i)
    {
        NDIS_WLAN_BSSID element;
        std::memcpy(&element, bytes + 4 + i * sizeof element, sizeof element);
        // The walk itself, entry by entry from the head, is what is modelled.
        CNetworkEntry* pLast = nullptr;
        CNetworkEntry* pSame = list.Head();
        while (pSame && !IsSameMac(pSame->m_bssid.MacAddress, element.MacAddress))
            pLast = std::exchange(pSame, pSame->m_pNext);
        if (pSame)
        {
            pSame->m_bSeen = 1;
            pSame->m_bssid.Rssi = element.Rssi;
            if (!pSame->HasFirstSeenTime())
                heardAgain.push_back(pSame);
            continue;
        }
        if (allowed == 0)
        {
            bComplete = false;
            continue;
        }
        if (allowed > 0)
            --allowed;
        auto pNew = std::make_unique<CNetworkEntry>();
        pNew->m_bssid = element;
        pNew->m_bSeen = 1;
        host.GetLocalTime(&pNew->m_timeFirstSeen);
        list.LinkAfter(pLast, std::move(pNew));
    }
    // Entries without a time (loaded ones) heard again share one reading, taken after the new
    // entries' own.
    if (!heardAgain.empty())
    {
        SYSTEMTIME now;
        host.GetLocalTime(&now);
        for (CNetworkEntry* pEntry : heardAgain)
            pEntry->m_timeFirstSeen = now;
    }
    return bComplete;
}

namespace
{

// Reads the scenario's bytes; past the end every read gives 0.
class Bytes
{
public:
    Bytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool AtEnd() const { return m_pos >= m_size; }
    uint8_t Next() { return m_pos < m_size ? m_data[m_pos++] : 0; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Few addresses, so lists and passes repeat them often; the high ids are
// only ever new.
void SetAddress(NDIS_WLAN_BSSID& b, uint8_t id)
{
    const UCHAR mac[kMacAddressLength] = {0x02, 0x00, 0x5E, 0x10, static_cast<UCHAR>(id >> 6), id};
    std::memcpy(b.MacAddress, mac, sizeof mac);
}

std::unique_ptr<CNetworkEntry> MakeEntry(Bytes& in)
{
    auto p = std::make_unique<CNetworkEntry>();
    const uint8_t b = in.Next();
    SetAddress(p->m_bssid, b % 24);
    p->m_bssid.Rssi = -static_cast<LONG>(b / 4);
    p->m_bssid.SsidLength = b % 33;
    p->m_bssid.Ssid[0] = static_cast<UCHAR>(b);
    p->m_bSeen = b & 1;
    p->m_bAnnounced = (b >> 1) & 1;
    if (b & 4)
        p->m_strAnnotation = "nota";
    return p;
}

std::unique_ptr<CNetworkEntry> Copy(const CNetworkEntry& e)
{
    auto p = std::make_unique<CNetworkEntry>();
    p->m_bssid = e.m_bssid;
    p->m_bSeen = e.m_bSeen;
    p->m_bAnnounced = e.m_bAnnounced;
    p->m_timeFirstSeen = e.m_timeFirstSeen;
    p->m_strAnnotation = e.m_strAnnotation.str();
    return p;
}

// What an announcement names an entry by, and what tells entries apart in a refresh.
std::string AnnouncedAs(const CNetworkEntry& e)
{
    return std::string(reinterpret_cast<const char*>(e.m_bssid.MacAddress), kMacAddressLength) +
           std::string(reinterpret_cast<const char*>(e.m_bssid.Ssid),
                       std::min<size_t>(e.m_bssid.SsidLength, kMaxSsidLength));
}

bool SameEntry(const CNetworkEntry& a, const CNetworkEntry& b)
{
    return std::memcmp(&a.m_bssid, &b.m_bssid, sizeof a.m_bssid) == 0 && a.m_bSeen == b.m_bSeen &&
           a.m_bAnnounced == b.m_bAnnounced &&
           std::memcmp(&a.m_timeFirstSeen, &b.m_timeFirstSeen, sizeof a.m_timeFirstSeen) == 0 &&
           a.m_strAnnotation == b.m_strAnnotation;
}

class Twins
{
public:
    // The target's index goes before the retired lists it may still point into.
    ~Twins() { m_target.DeleteEntries(); }

    // A list file's worth of entries, replacing both lists as a load does: the
    // indexed side either through an index built aside, as the document does,
    // or by setting the head alone, which the index must notice by itself.
    void Load(Bytes& in)
    {
        const uint8_t n = in.Next() % 64;
        const bool bBuiltAside = in.Next() & 1;
        CEntryList indexed;
        CEntryListBuilder indexedEnd(indexed);
        m_retired.push_back(std::move(m_plain));
        CEntryListBuilder plainEnd(m_plain);
        for (uint8_t i = 0; i < n; ++i)
            plainEnd.Append(Copy(*indexedEnd.Append(MakeEntry(in))));
        CEntryIndex index;
        if (bBuiltAside)
            index.Rebuild(indexed.Head());
        CEntryListLock lock(m_target);
        m_retired.push_back(std::move(m_target.m_entries));
        m_target.m_entries = std::move(indexed);
        if (bBuiltAside)
            m_target.SwapListIndex(index);
    }

    // One driver answer, merged into both.
    void Pass(Bytes& in)
    {
        // Quiet places too: passes of a handful of access points or none.
        const uint8_t size = in.Next();
        const uint32_t n = size & 1 ? size % 5 : size % 170;
        std::vector<uint8_t> answer(4 + n * sizeof(NDIS_WLAN_BSSID));
        std::memcpy(answer.data(), &n, sizeof n);
        for (uint32_t i = 0; i < n; ++i)
        {
            const uint8_t b = in.Next();
            NDIS_WLAN_BSSID element = {};
            element.Length = sizeof element;
            SetAddress(element, b % 48);
            element.Rssi = -30 - (b >> 2);
            element.Privacy = b & 1;
            element.Configuration.DSConfig = 2412000 + b;
            std::memcpy(answer.data() + 4 + i * sizeof element, &element, sizeof element);
        }
        const bool bIndexed = MergeBssidList(m_target, m_indexedHost, answer.data(), answer.size());
        const bool bPlain = PlainMerge(m_plain, m_plainHost, answer.data(), answer.size(), m_nPlainAllowed);
        if (bIndexed != bPlain)
            m_why << "merge results differ: indexed " << bIndexed << ", plain " << bPlain << "\n";
    }

    // Entries linked at the tail without the index's knowledge.
    void LinkByHand(Bytes& in)
    {
        const uint8_t n = in.Next() % 4;
        CEntryListLock lock(m_target);
        CEntryListBuilder indexedEnd(m_target.m_entries);
        CEntryListBuilder plainEnd(m_plain);
        for (uint8_t i = 0; i < n; ++i)
            plainEnd.Append(Copy(*indexedEnd.Append(MakeEntry(in))));
    }

    void LimitAllocations(Bytes& in)
    {
        const int allowed = in.Next() % 5 - 1;
        m_target.m_nAllowed = allowed;
        m_nPlainAllowed = allowed;
    }

    void Free()
    {
        m_target.DeleteEntries();
        m_plain = CEntryList();
    }

    void Compare(int step)
    {
        CEntryListLock lock(m_target);
        CEntryIndex& index = m_target.ListIndex();
        const std::vector<CNetworkEntry*> walked = EntriesOf(m_target.m_entries);
        const std::vector<CNetworkEntry*> plain = EntriesOf(m_plain);
        if (walked.size() != plain.size())
        {
            m_why << "step " << step << ": lists differ in length at row "
                  << std::min(walked.size(), plain.size()) << "\n";
            return;
        }
        size_t row = 0;
        for (; row < walked.size(); ++row)
        {
            const CNetworkEntry* pWalked = walked[row];
            const CNetworkEntry* pPlain = plain[row];
            const char* what = !SameEntry(*pWalked, *pPlain) ? "entries differ"
                               : index.At(row) != pWalked    ? "row lookup is not the walk's entry"
                               : index.FindFirst(pWalked->m_bssid.MacAddress) != FirstWithAddress(pWalked)
                                   ? "address lookup is not the first with the address"
                                   : nullptr;
            if (what)
            {
                m_why << "step " << step << ", row " << row << ": " << what << "\n";
                return;
            }
        }
        if (index.Size() != row || index.At(row) != nullptr)
            m_why << "step " << step << ": index holds " << index.Size() << " rows, the list " << row << "\n";
        size_t visited = 0;
        bool bInOrder = true;
        index.ForEach(
            [&](CNetworkEntry* p) { bInOrder = bInOrder && p == EntryAt(m_target.m_entries, visited++); });
        if (!bInOrder)
            m_why << "step " << step << ": the rows are not in list order\n";
    }

    // The list view's once-a-second refresh: the index's kept figures
    // against a walk of the plain twin, which announces in list order every
    // entry not yet announced and counts the heard ones. While the index
    // counts no change, nothing a refresh shows may have changed.
    void Refresh(int step)
    {
        CEntryListLock lock(m_target);
        CEntryIndex& index = m_target.ListIndex();
        std::vector<std::string> indexed, plain;
        for (CNetworkEntry* p : index.TakeUnannounced())
        {
            if (!p->m_bAnnounced)
                indexed.push_back(AnnouncedAs(*p));
            p->m_bAnnounced = 1;
        }
        size_t heard = 0;
        std::string shown, heardWalked, heardIndexed;
        index.ForEachHeard([&](const CNetworkEntry* p) { heardIndexed += AnnouncedAs(*p) + ";"; });
        m_plain.ForEach([&](CNetworkEntry* p) {
            if (p->m_bSeen)
                heardWalked += AnnouncedAs(*p) + ";";
            if (!p->m_bAnnounced)
                plain.push_back(AnnouncedAs(*p));
            p->m_bAnnounced = 1;
            heard += p->m_bSeen != 0;
            shown += AnnouncedAs(*p) + std::to_string(p->m_bSeen) + std::to_string(p->m_bssid.Rssi) +
                     p->m_strAnnotation.str() + ";";
        });
        if (indexed != plain)
            m_why << "step " << step << ": announced " << indexed.size() << " entries, the walk "
                  << plain.size() << " (or in another order)\n";
        if (index.HeardCount() != heard)
            m_why << "step " << step << ": heard count " << index.HeardCount() << ", the walk " << heard
                  << "\n";
        if (heardIndexed != heardWalked)
            m_why << "step " << step << ": the heard entries are not the walk's, or not in row order\n";
        if (index.Changes() == m_nShownChanges && shown != m_shown)
            m_why << "step " << step << ": the list changed but the index counted no change\n";
        m_nShownChanges = index.Changes();
        m_shown = shown;
    }

    std::string Why() const { return m_why.str(); }

private:
    CNetworkEntry* FirstWithAddress(const CNetworkEntry* pOf) const
    {
        CNetworkEntry* pFirst = nullptr;
        m_target.m_entries.ForEach([&](CNetworkEntry* p) {
            if (!pFirst && IsSameMac(p->m_bssid.MacAddress, pOf->m_bssid.MacAddress))
                pFirst = p;
        });
        return pFirst;
    }

    CLimitedTarget m_target{"Twin"};
    CEntryList m_plain;
    int m_nPlainAllowed = -1;
    QuietScanHost m_indexedHost;
    QuietScanHost m_plainHost;
    std::vector<CEntryList> m_retired;
    std::ostringstream m_why;
    uint64_t m_nShownChanges = 0;
    std::string m_shown;
};

}  // namespace

std::string RunWalkEquivalence(const uint8_t* data, size_t size)
{
    Bytes in(data, size);
    Twins twins;
    // Bounded so that a long input stays quick; lists grow by at most a pass.
    for (int step = 0; step < 48 && !in.AtEnd(); ++step)
    {
        switch (in.Next() % 9)
        {
        case 4:
            twins.Refresh(step);
            break;
        case 0:
            twins.Load(in);
            break;
        case 1:
            twins.LinkByHand(in);
            break;
        case 2:
            twins.LimitAllocations(in);
            break;
        case 3:
            twins.Free();
            break;
        default:
            twins.Pass(in);
            break;
        }
        twins.Compare(step);
        if (!twins.Why().empty())
            return twins.Why();
    }
    return twins.Why();
}
