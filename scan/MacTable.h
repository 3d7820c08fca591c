// CMacTable: each MAC address's first entry, in a hash table that grows a
// little at a time, so that no single insertion pays for a whole rehash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "scan/NetworkEntry.h"

class CMacTable
{
public:
    CMacTable();

    CMacTable(const CMacTable&) = delete;
    CMacTable& operator=(const CMacTable&) = delete;

    // The 48-bit address as a number.
    static uint64_t KeyOf(const UCHAR mac[kMacAddressLength]);

    // The entry stored for the address, or null.
    CNetworkEntry* Find(uint64_t key) const;
    // Stores the entry unless the address already has one: the first entry
    // with an address stays the one found.
    void InsertFirst(uint64_t key, CNetworkEntry* pEntry);
    // Room for 'keys' addresses without growing (for building in one go).
    void Reserve(size_t keys);
    void Clear();
    void Swap(CMacTable& other);

private:
    // A slot holds the address plus one, so that zeroed memory is an empty
    // table and the pages of a new table are touched only as slots fill.
    struct Slot
    {
        uint64_t key;
        CNetworkEntry* pEntry;
    };
    struct FreeSlots
    {
        void operator()(Slot* p) const { std::free(p); }
    };
    using Slots = std::unique_ptr<Slot[], FreeSlots>;
    // An old slot whose address has moved on to the new table.
    static constexpr uint64_t kMoved = ~uint64_t{0};

    static Slot* Probe(Slot* slots, size_t size, uint64_t stored);
    static Slots Allocate(size_t size);
    void Place(uint64_t stored, CNetworkEntry* pEntry);
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
};
