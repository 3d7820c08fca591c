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

uint32_t CMacTable::HashOf(uint64_t key)
{
    // Multiplicative hashing: addresses of one vendor differ only in their
    // low bytes, which the multiplication spreads into the high ones.
    return static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 32);
}

template <typename Matches>
size_t CMacTable::FirstOnPath(const Slot* slots, size_t size, uint32_t hash, Matches matches)
{
    const size_t mask = size - 1;
    for (size_t i = hash & mask; slots[i].storedRow != 0; i = (i + 1) & mask)
        if (slots[i].hash == hash && slots[i].storedRow != kMoved && matches(slots[i].storedRow - 1))
            return slots[i].storedRow - 1;
    return kNoRow;
}

template <typename Matches>
size_t CMacTable::FirstInTables(uint32_t hash, Matches matches) const
{
    size_t row = m_nSlots ? FirstOnPath(m_slots.get(), m_nSlots, hash, matches) : kNoRow;
    if (row == kNoRow && m_old)
        row = FirstOnPath(m_old.get(), m_nOldSlots, hash, matches);
    return row;
}

CMacTable::Slots CMacTable::Allocate(size_t size)
{
    return Slots(static_cast<Slot*>(std::calloc(size, sizeof(Slot))));
}

size_t CMacTable::Find(uint64_t key, const Rows& rows) const
{
    return FirstInTables(HashOf(key),
                         [&](size_t row) { return KeyOf(rows[row]->m_bssid.MacAddress) == key; });
}

bool CMacTable::MayHold(uint64_t key) const
{
    return FirstInTables(HashOf(key), [](size_t) { return true; }) != kNoRow;
}

void CMacTable::Prefetch(uint64_t key) const
{
    const uint32_t hash = HashOf(key);
    if (m_nSlots)
        __builtin_prefetch(&m_slots[hash & (m_nSlots - 1)]);
    if (m_old)
        __builtin_prefetch(&m_old[hash & (m_nOldSlots - 1)]);
}

void CMacTable::InsertFirst(uint64_t key, size_t row, const Rows& rows)
{
    if (row >= kMaxRows || Find(key, rows) != kNoRow)
        return;
    const uint32_t hash = HashOf(key);
    const uint32_t storedRow = static_cast<uint32_t>(row + 1);
    if ((m_nKeys + 1) * 2 > m_nSlots)
    {
        // Growth while the last growth is still draining is never reached in
        // practice (draining outpaces filling); finishing it keeps it correct.
        Drain(m_nOldSlots);
        const size_t size = NextSize();
        // A spare is always of the size the next growth makes (see Offer).
        Slots grown = m_spare.m_slots ? std::move(m_spare.m_slots) : Allocate(size);
        m_spare = SlotMemory();
        if (!grown)
        {
            // Out of memory: the table fills beyond half rather than lose an
            // address, as long as one slot stays empty to end every probe.
            if (m_nKeys + 2 > m_nSlots)
                return;
            Place(hash, storedRow);
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
    Place(hash, storedRow);
    ++m_nKeys;
}

void CMacTable::Place(uint32_t hash, uint32_t storedRow)
{
    // Only rows not in the new table come here, so the first free slot is theirs.
    const size_t mask = m_nSlots - 1;
    size_t i = hash & mask;
    while (m_slots[i].storedRow != 0)
        i = (i + 1) & mask;
    m_slots[i] = {hash, storedRow};
}

void CMacTable::Drain(size_t count)
{
    if (!m_old)
        return;
    for (; count > 0 && m_nDrained < m_nOldSlots; --count, ++m_nDrained)
    {
        Slot& slot = m_old[m_nDrained];
        if (slot.storedRow == 0 || slot.storedRow == kMoved)
            continue;
        // Never in the new table yet: InsertFirst looks in both before placing.
        Place(slot.hash, slot.storedRow);
        slot.storedRow = kMoved;
    }
    if (m_nDrained == m_nOldSlots)
    {
        m_retired.m_slots = std::move(m_old);
        m_retired.m_nSlots = m_nOldSlots;
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
    m_spare = SlotMemory();  // the next growth is to another size now
}

size_t CMacTable::GrowthFor(size_t keys) const
{
    return (m_nKeys + keys) * 2 <= m_nSlots ? 0 : NextSize();
}

size_t CMacTable::NextSize() const
{
    return m_nSlots ? m_nSlots * 2 : kMinSlots;
}

CMacTable::SlotMemory CMacTable::Prepare(size_t slots)
{
    SlotMemory memory;
    memory.m_slots = Allocate(slots);
    if (!memory.m_slots)
        return memory;
    // Zeroed memory may not be mapped yet; writing through a volatile pointer
    // keeps the compiler from taking the zeros as already there.
    volatile unsigned char* bytes = reinterpret_cast<unsigned char*>(memory.m_slots.get());
    for (size_t i = 0; i < slots * sizeof(Slot); i += 4096)
        bytes[i] = 0;
    memory.m_nSlots = slots;
    return memory;
}

bool CMacTable::Offer(SlotMemory& memory)
{
    if (memory.m_nSlots == 0 || memory.m_nSlots != NextSize())
        return false;
    m_spare = std::move(memory);
    return true;
}

void CMacTable::Clear()
{
    m_slots.reset();
    m_old.reset();
    m_spare = SlotMemory();
    m_retired = SlotMemory();
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
    std::swap(m_spare, other.m_spare);
    std::swap(m_retired, other.m_retired);
}
