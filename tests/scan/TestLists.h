// Entry lists as tests build, hand over and read them.
#pragma once

#include <cstddef>
#include <vector>

#include "scan/EntryList.h"
#include "scan/NdisTypes.h"
#include "scan/ScanTarget.h"

// An entry for each record, in order, its flags as a new entry has them.
CEntryList ListOf(const std::vector<NDIS_WLAN_BSSID>& records);
// Gives the target 'list' as a load does (indexed aside, swapped in under the
// lock) and hands back the list it held, so entries a test still looks at outlive it.
CEntryList PutList(CScanTarget& target, CEntryList list);

// The entries head first; nothing is locked.
std::vector<CNetworkEntry*> EntriesOf(const CEntryList& list);
// The entry 'row' links from the head, or null past the end.
CNetworkEntry* EntryAt(const CEntryList& list, size_t row);
