// The entry list's plain walks (no index), and a scenario that runs the
// indexed list and a plainly walked twin side by side and compares them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "driver/Device.h"
#include "scan/EntryList.h"

// The merge as a walk from the head for every element: the reference the
// indexed merge must match. 'allowed' entries may still be made (negative:
// no limit); returns false when one could not be.
bool PlainMerge(CEntryList& list, IScanHost& host, const void* buffer, size_t size, int& allowed);

// Interprets 'data' as a sequence of steps (loads of lists with repeated
// addresses, driver passes with repeated and new addresses, entries linked by
// hand, allocation limits, refreshes) applied to both lists, comparing after
// each step every entry, every row lookup and the refresh's counts.
// Returns an empty string when they always agreed, else what differed.
std::string RunWalkEquivalence(const uint8_t* data, size_t size);
