// The entry list's row and address indexes.
#include "scan/EntryIndex.h"

#include <utility>

namespace
{

constexpr size_t kMinSlots = 256;

}  // namespace

CEntryIndex::CEntryIndex() : m_pIndexedHead(nullptr), m_nKeys(0), m_nResetRows(0) {}

void CEntryIndex::Sync(CNetworkEntry* pHead)
{
    if (pHead != m_pIndexedHead)
    {
        Rebuild(pHead);
        return;
    }
    if (!pHead)
        return;
    for (CNetworkEntry* pEntry = m_rows.back()->m_pNext; pEntry; pEntry = pEntry->m_pNext)
        Add(pEntry);
}

void CEntryIndex::Rebuild(CNetworkEntry* pHead)
{
    Clear();
    for (CNetworkEntry* pEntry = pHead; pEntry; pEntry = pEntry->m_pNext)
        Add(pEntry);
    m_pIndexedHead = pHead;
}

void CEntryIndex::Clear()
{
    m_pIndexedHead = nullptr;
    std::deque<CNetworkEntry*>().swap(m_rows);
    std::vector<Slot>().swap(m_slots);
    m_nKeys = 0;
    m_nResetRows = 0;
    std::vector<CNetworkEntry*>().swap(m_heard);
}

void CEntryIndex::Swap(CEntryIndex& other)
{
    std::swap(m_pIndexedHead, other.m_pIndexedHead);
    m_rows.swap(other.m_rows);
    m_slots.swap(other.m_slots);
    std::swap(m_nKeys, other.m_nKeys);
    std::swap(m_nResetRows, other.m_nResetRows);
    m_heard.swap(other.m_heard);
}

CNetworkEntry* CEntryIndex::FindFirst(const UCHAR mac[kMacAddressLength]) const
{
    if (m_slots.empty())
        return nullptr;
    const uint64_t key = KeyOf(mac);
    const size_t mask = m_slots.size() - 1;
    for (size_t i = SlotOf(key);; i = (i + 1) & mask)
    {
        if (m_slots[i].key == key)
            return m_slots[i].pEntry;
        if (m_slots[i].key == kFree)
            return nullptr;
    }
}

void CEntryIndex::Append(CNetworkEntry* pEntry)
{
    if (m_rows.empty())
        m_pIndexedHead = pEntry;
    Add(pEntry);
}

void CEntryIndex::ResetHeard()
{
    for (CNetworkEntry* pEntry : m_heard)
    {
        pEntry->m_bSeen = 0;
        pEntry->m_bssid.Rssi = 0;
    }
    m_heard.clear();
    ResetUnresetRows(UnresetRows());
}

void CEntryIndex::ResetUnresetRows(size_t rows)
{
    const size_t end = m_nResetRows + (rows < UnresetRows() ? rows : UnresetRows());
    for (; m_nResetRows < end; ++m_nResetRows)
    {
        m_rows[m_nResetRows]->m_bSeen = 0;
        m_rows[m_nResetRows]->m_bssid.Rssi = 0;
    }
}

uint64_t CEntryIndex::KeyOf(const UCHAR mac[kMacAddressLength])
{
    uint64_t key = 0;
    for (size_t i = 0; i < kMacAddressLength; ++i)
        key = key << 8 | mac[i];
    return key;
}

size_t CEntryIndex::SlotOf(uint64_t key) const
{
    // Multiplicative hashing: addresses of one vendor differ only in their
    // low bytes, which the multiplication spreads into the high ones.
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (m_slots.size() - 1);
}

void CEntryIndex::InsertFirst(uint64_t key, CNetworkEntry* pEntry)
{
    const size_t mask = m_slots.size() - 1;
    for (size_t i = SlotOf(key);; i = (i + 1) & mask)
    {
        if (m_slots[i].key == key)
            return;
        if (m_slots[i].key == kFree)
        {
            m_slots[i] = {key, pEntry};
            ++m_nKeys;
            return;
        }
    }
}

void CEntryIndex::Grow()
{
    std::vector<Slot> old(m_slots.empty() ? kMinSlots : m_slots.size() * 2, Slot{kFree, nullptr});
    old.swap(m_slots);
    m_nKeys = 0;
    for (const Slot& slot : old)
    {
        if (slot.key != kFree)
            InsertFirst(slot.key, slot.pEntry);
    }
}

void CEntryIndex::Add(CNetworkEntry* pEntry)
{
    if ((m_nKeys + 1) * 2 > m_slots.size())
        Grow();
    m_rows.push_back(pEntry);
    InsertFirst(KeyOf(pEntry->m_bssid.MacAddress), pEntry);
}
