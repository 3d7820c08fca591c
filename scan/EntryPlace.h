// CEntryPlace: where a noted entry sat in the list, so that whether it is
// still there is answered without walking the list or reading the entry.
#pragma once

#include <cstddef>

#include "scan/EntryIndex.h"
#include "scan/NetworkEntry.h"

// Entries leave the list only with the whole list, and an entry keeps its row
// while it stays; so a noted entry is still listed when the index finds it
// where it was noted: by its address, or, when an earlier entry has the same
// address (a loaded file may repeat one), at its row. Holds never reads the
// entry, which may have been freed since. Both calls need the list lock.
class CEntryPlace
{
public:
    // The entry must be in the indexed list.
    void Note(const CEntryIndex& index, const CNetworkEntry& entry);
    bool Holds(const CEntryIndex& index, const CNetworkEntry* pEntry) const;

private:
    static constexpr size_t kByAddress = ~size_t{0};

    UCHAR m_mac[kMacAddressLength] = {};
    size_t m_row = kByAddress;
};
