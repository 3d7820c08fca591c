// Noting an entry's place in the list and finding it there again.
#include "scan/EntryPlace.h"

#include <cstring>

void CEntryPlace::Note(const CEntryIndex& index, const CNetworkEntry& entry)
{
    std::memcpy(m_mac, entry.m_bssid.MacAddress, sizeof m_mac);
    m_row = kByAddress;
    if (index.FindFirst(m_mac) == &entry)
        return;
    // Only a repeated address pays for a walk, once, when the entry is noted.
    for (size_t row = 0; row < index.Size(); ++row)
    {
        if (index.At(row) == &entry)
        {
            m_row = row;
            return;
        }
    }
}

bool CEntryPlace::Holds(const CEntryIndex& index, const CNetworkEntry* pEntry) const
{
    if (!pEntry)
        return false;
    return m_row == kByAddress ? index.FindFirst(m_mac) == pEntry : index.At(m_row) == pEntry;
}
