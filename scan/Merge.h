// Folding one driver answer to the list request into the entry list.
#pragma once

#include <cstddef>

#include "driver/Device.h"
#include "scan/ScanTarget.h"

// Merges the NDIS_802_11_BSSID_LIST at the start of 'buffer' into the
// target's list as one step under the list lock: every entry first counts as
// not heard, then each element refreshes the entry nearest the head with its
// MAC address or appends a new one stamped with 'host's local time. (A long
// list that no merge has seen yet, as a load leaves it, first has its stored
// signals cleared a slice per hold of the lock.) Elements are taken at a
// fixed 104-byte stride, at most kMaxBssidListItems of them and never past
// 'size'. Returns false when a new entry could not be allocated; the list is
// then whole and every other element has still been merged.
bool MergeBssidList(CScanTarget& target, IScanHost& host, const void* buffer, size_t size);
