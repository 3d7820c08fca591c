// Plain list walks and the indexed-versus-walked scenario runner.
#include "tests/scan/WalkModel.h"

#include <cstring>
#include <sstream>
#include <vector>

#include "scan/EntryIndex.h"
#include "scan/ListFile.h"
#include "scan/Merge.h"
#include "tests/scan/LimitedTarget.h"

bool PlainMerge(CNetworkEntry*& pHead, IScanHost& host, const void* buffer, size_t size, int& allowed)
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
    for (CNetworkEntry* p = pHead; p; p = p->m_pNext)
    {
        p->m_bSeen = 0;
        p->m_bssid.Rssi = 0;
    }
    bool bComplete = true;
    std::vector<CNetworkEntry*> heardAgain;
    for (uint32_t i = 0; i < count; ++i)
    {
        NDIS_WLAN_BSSID element;
        std::memcpy(&element, bytes + 4 + i * sizeof element, sizeof element);
        CNetworkEntry** ppLink = &pHead;
        while (*ppLink && !IsSameMac((*ppLink)->m_bssid.MacAddress, element.MacAddress))
            ppLink = &(*ppLink)->m_pNext;
        if (*ppLink)
        {
            (*ppLink)->m_bSeen = 1;
            (*ppLink)->m_bssid.Rssi = element.Rssi;
            if (!(*ppLink)->HasFirstSeenTime())
                heardAgain.push_back(*ppLink);
            continue;
        }
        if (allowed == 0)
        {
            bComplete = false;
            continue;
        }
        if (allowed > 0)
            --allowed;
        CNetworkEntry* pNew = new CNetworkEntry;
        pNew->m_bssid = element;
        pNew->m_bSeen = 1;
        host.GetLocalTime(&pNew->m_timeFirstSeen);
        *ppLink = pNew;
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

CNetworkEntry* PlainEntryAt(CNetworkEntry* pHead, size_t row)
{
    while (pHead && row-- > 0)
        pHead = pHead->m_pNext;
    return pHead;
}

namespace
{

class CountingHost : public IScanHost
{
public:
    std::unique_ptr<IDevice> OpenDevice(const char*, RunFlagView) override { return nullptr; }
    void* AllocBuffer(size_t) override { return nullptr; }
    void FreeBuffer(void*, size_t) override {}
    void Sleep(uint32_t milliseconds) override { m_clock += milliseconds; }
    uint64_t TickCount() override { return m_clock; }
    void GetLocalTime(SYSTEMTIME* time) override
    {
        *time = SYSTEMTIME{};
        time->wYear = 2024;
        time->wMinute = static_cast<WORD>(m_nStamps / 1000 % 60);
        time->wMilliseconds = static_cast<WORD>(m_nStamps % 1000);
        ++m_nStamps;
    }

private:
    int m_nStamps = 0;
    uint64_t m_clock = 0;
};

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

CNetworkEntry* MakeEntry(Bytes& in)
{
    auto* p = new CNetworkEntry;
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

CNetworkEntry* Copy(const CNetworkEntry& e)
{
    auto* p = new CNetworkEntry;
    p->m_bssid = e.m_bssid;
    p->m_bSeen = e.m_bSeen;
    p->m_bAnnounced = e.m_bAnnounced;
    p->m_timeFirstSeen = e.m_timeFirstSeen;
    p->m_strAnnotation = e.m_strAnnotation;
    return p;
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
    ~Twins()
    {
        m_target.DeleteEntries();
        FreeEntryList(m_pPlain);
        for (CNetworkEntry* p : m_retired)
            FreeEntryList(p);
    }

    // A list file's worth of entries, replacing both lists as a load does: the
    // indexed side either through an index built aside, as the document does,
    // or by setting the head alone, which the index must notice by itself.
    void Load(Bytes& in)
    {
        const uint8_t n = in.Next() % 64;
        const bool bBuiltAside = in.Next() & 1;
        CNetworkEntry* pIndexed = nullptr;
        CNetworkEntry** ppIndexed = &pIndexed;
        CNetworkEntry** ppPlain = &m_pPlain;
        m_retired.push_back(m_pPlain);
        m_pPlain = nullptr;
        for (uint8_t i = 0; i < n; ++i)
        {
            CNetworkEntry* p = MakeEntry(in);
            *ppPlain = Copy(*p);
            ppPlain = &(*ppPlain)->m_pNext;
            *ppIndexed = p;
            ppIndexed = &p->m_pNext;
        }
        CEntryIndex index;
        if (bBuiltAside)
            index.Rebuild(pIndexed);
        CEntryListLock lock(m_target);
        m_retired.push_back(m_target.m_pHead);
        m_target.m_pHead = pIndexed;
        if (bBuiltAside)
            m_target.SwapListIndex(index);
    }

    // One driver answer, merged into both.
    void Pass(Bytes& in)
    {
        const uint32_t n = in.Next() % 170;
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
        const bool bPlain = PlainMerge(m_pPlain, m_plainHost, answer.data(), answer.size(), m_nPlainAllowed);
        if (bIndexed != bPlain)
            m_why << "merge results differ: indexed " << bIndexed << ", plain " << bPlain << "\n";
    }

    // Entries linked at the tail without the index's knowledge.
    void LinkByHand(Bytes& in)
    {
        const uint8_t n = in.Next() % 4;
        CEntryListLock lock(m_target);
        CNetworkEntry** ppIndexed = &m_target.m_pHead;
        while (*ppIndexed)
            ppIndexed = &(*ppIndexed)->m_pNext;
        CNetworkEntry** ppPlain = &m_pPlain;
        while (*ppPlain)
            ppPlain = &(*ppPlain)->m_pNext;
        for (uint8_t i = 0; i < n; ++i)
        {
            *ppIndexed = MakeEntry(in);
            *ppPlain = Copy(**ppIndexed);
            ppIndexed = &(*ppIndexed)->m_pNext;
            ppPlain = &(*ppPlain)->m_pNext;
        }
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
        FreeEntryList(m_pPlain);
        m_pPlain = nullptr;
    }

    void Compare(int step)
    {
        CEntryListLock lock(m_target);
        CEntryIndex& index = m_target.ListIndex();
        size_t row = 0;
        const CNetworkEntry* pPlain = m_pPlain;
        for (CNetworkEntry* pWalked = m_target.m_pHead; pWalked || pPlain; ++row)
        {
            if (!pWalked || !pPlain)
            {
                m_why << "step " << step << ": lists differ in length at row " << row << "\n";
                return;
            }
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
            pWalked = pWalked->m_pNext;
            pPlain = pPlain->m_pNext;
        }
        if (index.Size() != row || index.At(row) != nullptr)
            m_why << "step " << step << ": index holds " << index.Size() << " rows, the list " << row << "\n";
        size_t visited = 0;
        bool bInOrder = true;
        index.ForEach(
            [&](CNetworkEntry* p) { bInOrder = bInOrder && p == PlainEntryAt(m_target.m_pHead, visited++); });
        if (!bInOrder)
            m_why << "step " << step << ": the rows are not in list order\n";
    }

    std::string Why() const { return m_why.str(); }

private:
    CNetworkEntry* FirstWithAddress(const CNetworkEntry* pOf) const
    {
        for (CNetworkEntry* p = m_target.m_pHead; p; p = p->m_pNext)
        {
            if (IsSameMac(p->m_bssid.MacAddress, pOf->m_bssid.MacAddress))
                return p;
        }
        return nullptr;
    }

    CLimitedTarget m_target{"Twin"};
    CNetworkEntry* m_pPlain = nullptr;
    int m_nPlainAllowed = -1;
    CountingHost m_indexedHost;
    CountingHost m_plainHost;
    std::vector<CNetworkEntry*> m_retired;
    std::ostringstream m_why;
};

}  // namespace

std::string RunWalkEquivalence(const uint8_t* data, size_t size)
{
    Bytes in(data, size);
    Twins twins;
    // Bounded so that a long input stays quick; lists grow by at most a pass.
    for (int step = 0; step < 48 && !in.AtEnd(); ++step)
    {
        switch (in.Next() % 8)
        {
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
