// The address table: open addressing with incremental growth.
#include "scan/MacTable.h"

#include <utility>

namespace
{

constexpr size_t kMinSlots = 256;
// Old slots moved per insertion: the old table is empty long before the new
// one is half full and must grow again.
constexpr size_t kDrainPerInsert = 8;

}  // namespace

CMacTable::CMacTable() : m_nSlots(0), m_nKeys(0), m_nOldSlots(0), m_nDrained(0) {}

uint64_t CMacTable::KeyOf(const UCHAR mac[kMacAddressLength])
{
    uint64_t key = 0;
    for (size_t i = 0; i < kMacAddressLength; ++i)
        key = key << 8 | mac[i];
    return key;
}

CMacTable::Slot* CMacTable::Probe(Slot* slots, size_t size, uint64_t stored)
{
    // Multiplicative hashing: addresses of one vendor differ only in their
    // low bytes, which the multiplication spreads into the high ones.
    const size_t mask = size - 1;
    for (size_t i = static_cast<size_t>((stored * 0x9E3779B97F4A7C15ull) >> 32) & mask;; i = (i + 1) & mask)
    {
        if (slots[i].key == stored || slots[i].key == 0)
            return &slots[i];
    }
}

CMacTable::Slots CMacTable::Allocate(size_t size)
{
    return Slots(static_cast<Slot*>(std::calloc(size, sizeof(Slot))));
}

CNetworkEntry* CMacTable::Find(uint64_t key) const
{
    const uint64_t stored = key + 1;
    if (m_nSlots)
    {
        const Slot* pSlot = Probe(m_slots.get(), m_nSlots, stored);
        if (pSlot->key == stored)
            return pSlot->pEntry;
    }
    if (m_old)
    {
        const Slot* pSlot = Probe(m_old.get(), m_nOldSlots, stored);
        if (pSlot->key == stored)
            return pSlot->pEntry;
    }
    return nullptr;
}

void CMacTable::InsertFirst(uint64_t key, CNetworkEntry* pEntry)
{
    if (Find(key))
        return;
    if ((m_nKeys + 1) * 2 > m_nSlots)
    {
        // Growth while the last growth is still draining is never reached in
        // practice (draining outpaces filling); finishing it keeps it correct.
        Drain(m_nOldSlots);
        const size_t size = m_nSlots ? m_nSlots * 2 : kMinSlots;
        Slots grown = Allocate(size);
        if (!grown)
        {
            // Out of memory: the table fills beyond half rather than lose an
            // address, as long as one slot stays empty to end every probe.
            if (m_nKeys + 2 > m_nSlots)
                return;
            Place(key + 1, pEntry);
            ++m_nKeys;
            return;
        }
        m_old = std::move(m_slots);
        m_nOldSlots = m_nSlots;
        m_nDrained = 0;
        m_slots = std::move(grown);
        m_nSlots = size;
    }
    Drain(kDrainPerInsert);
    Place(key + 1, pEntry);
    ++m_nKeys;
}

void CMacTable::Place(uint64_t stored, CNetworkEntry* pEntry)
{
    Slot* pSlot = Probe(m_slots.get(), m_nSlots, stored);
    pSlot->key = stored;
    pSlot->pEntry = pEntry;
}

void CMacTable::Drain(size_t count)
{
    if (!m_old)
        return;
    for (; count > 0 && m_nDrained < m_nOldSlots; --count, ++m_nDrained)
    {
        Slot& slot = m_old[m_nDrained];
        if (slot.key == 0 || slot.key == kMoved)
            continue;
        // Never in the new table yet: InsertFirst looks in both before placing.
        Place(slot.key, slot.pEntry);
        slot.key = kMoved;
    }
    if (m_nDrained == m_nOldSlots)
    {
        m_old.reset();
        m_nOldSlots = 0;
        m_nDrained = 0;
    }
}

void CMacTable::Reserve(size_t keys)
{
    if (m_nKeys != 0 || m_old)
        return;
    size_t size = kMinSlots;
    while (size < keys * 2 + 2)
        size *= 2;
    if (size <= m_nSlots)
        return;
    Slots slots = Allocate(size);
    if (!slots)
        return;
    m_slots = std::move(slots);
    m_nSlots = size;
}

void CMacTable::Clear()
{
    m_slots.reset();
    m_old.reset();
    m_nSlots = m_nKeys = m_nOldSlots = m_nDrained = 0;
}

void CMacTable::Swap(CMacTable& other)
{
    std::swap(m_slots, other.m_slots);
    std::swap(m_nSlots, other.m_nSlots);
    std::swap(m_nKeys, other.m_nKeys);
    std::swap(m_old, other.m_old);
    std::swap(m_nOldSlots, other.m_nOldSlots);
    std::swap(m_nDrained, other.m_nDrained);
}
