// CMacTable: each MAC address's first row, in a hash table of eight-byte
// slots that grows a little at a time, so that no single insertion pays for a
// whole rehash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <utility>

#include "scan/NetworkEntry.h"

class CMacTable
{
    struct Slot;
    struct FreeSlots
    {
        void operator()(Slot* p) const { std::free(p); }
    };
    using Slots = std::unique_ptr<Slot[], FreeSlots>;

public:
    // A table's memory on its way in or out, so that the caller can get it
    // ready or free it where no reader waits: the pages of a table of
    // millions of slots fault in one by one, and go back to the system
    // one by one, which takes milliseconds.
    class SlotMemory
    {
    public:
        SlotMemory() = default;
        SlotMemory(SlotMemory&& other) noexcept
            : m_slots(std::move(other.m_slots)), m_nSlots(std::exchange(other.m_nSlots, 0))
        {
        }
        SlotMemory& operator=(SlotMemory&& other) noexcept
        {
            m_slots = std::move(other.m_slots);
            m_nSlots = std::exchange(other.m_nSlots, 0);
            return *this;
        }

    private:
        friend class CMacTable;
        Slots m_slots;
        size_t m_nSlots = 0;
    };

    // The rows the table's row numbers point into; a row's address is read
    // from its entry, so a slot needs not keep it.
    using Rows = std::deque<CNetworkEntry*>;
    static constexpr size_t kNoRow = SIZE_MAX;
    // Rows from here on can't be stored in a slot (four thousand million
    // entries: far beyond any memory that could hold them).
    static constexpr size_t kMaxRows = UINT32_MAX - 1;

    CMacTable();

    CMacTable(const CMacTable&) = delete;
    CMacTable& operator=(const CMacTable&) = delete;

    // The 48-bit address as a number.
    static uint64_t KeyOf(const UCHAR mac[kMacAddressLength]);

    // The row stored for the address, or kNoRow.
    size_t Find(uint64_t key, const Rows& rows) const;
    // False when the address is surely not stored; true when it may be.
    // Reads no entry, so it costs one look at the table.
    bool MayHold(uint64_t key) const;
    // Starts loading the slots where the address would be: a caller about to
    // look up many addresses waits for all their misses at once, not in turn.
    void Prefetch(uint64_t key) const;
    // Stores the row unless the address already has one: the first row with
    // an address stays the one found. 'rows' must already hold 'row'.
    void InsertFirst(uint64_t key, size_t row, const Rows& rows);
    // Room for 'keys' addresses without growing (for building in one go).
    void Reserve(size_t keys);
    // The slots the table grows to if 'keys' more addresses are stored, or 0
    // when they fit.
    size_t GrowthFor(size_t keys) const;
    // Memory for a table of 'slots' slots, every page touched; empty when
    // there is none to be had.
    static SlotMemory Prepare(size_t slots);
    // Takes the memory for its next growth if that is its size; otherwise
    // leaves it with the caller and answers false.
    bool Offer(SlotMemory& memory);
    // The memory of a table that growing left behind, for the caller to free.
    SlotMemory TakeRetired() { return std::move(m_retired); }
    void Clear();
    void Swap(CMacTable& other);

private:
    // Half of a slot is the address's hash, which places it again when the
    // table grows and rules out almost every other address without reading
    // its entry; the other half is the row plus one, so that zeroed memory is
    // an empty table.
    struct Slot
    {
        uint32_t hash;
        uint32_t storedRow;
    };
    // An old slot whose row has moved on to the new table.
    static constexpr uint32_t kMoved = UINT32_MAX;

    static uint32_t HashOf(uint64_t key);
    // The row of the first slot with this hash that 'matches' accepts, on
    // the hash's path through one table, then through the new and the old.
    template <typename Matches>
    static size_t FirstOnPath(const Slot* slots, size_t size, uint32_t hash, Matches matches);
    template <typename Matches>
    size_t FirstInTables(uint32_t hash, Matches matches) const;
    static Slots Allocate(size_t size);
    size_t NextSize() const;
    void Place(uint32_t hash, uint32_t storedRow);
    // Moves up to 'count' slots of the old table into the new one.
    void Drain(size_t count);

    Slots m_slots;  // a power of two in size, at most half full with m_nKeys
    size_t m_nSlots;
    size_t m_nKeys;  // addresses in both tables
    // While growing: the previous table, drained a few slots per insertion;
    // lookups try the new table first, then this one.
    Slots m_old;
    size_t m_nOldSlots;
    size_t m_nDrained;
    SlotMemory m_spare;    // for the next growth, touched ahead
    SlotMemory m_retired;  // a drained old table, not yet freed
};
