// The list file: per entry the 104-byte driver record, a 4-byte little-endian
// signed annotation length and the annotation's bytes; no header, no count.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scan/EntryList.h"
#include "scan/NetworkEntry.h"

// Where a list is read from. Remaining() bounds what an annotation may claim,
// so a crafted length can never make the loader reserve more than the file
// still holds.
class IListFileReader
{
public:
    virtual ~IListFileReader() = default;
    // Reads up to 'size' bytes; returns how many were read (fewer at the end).
    virtual size_t Read(void* buffer, size_t size) = 0;
    virtual uint64_t Remaining() const = 0;
};

class IListFileWriter
{
public:
    virtual ~IListFileWriter() = default;
    // False when the bytes could not all be written.
    virtual bool Write(const void* buffer, size_t size) = 0;
};

// The loader's two allocations, replaceable so a failure can be tested.
class IListFileAllocator
{
public:
    virtual ~IListFileAllocator() = default;
    virtual CNetworkEntry* NewEntry();  // null when out of memory
    // True when an annotation of 'size' bytes can be held.
    virtual bool CanHoldAnnotation(size_t size);
};

struct ListFileLoad
{
    CEntryList entries;  // in file order
    size_t nEntries = 0;
    // An entry or an annotation could not be allocated: the load stopped there,
    // with what was read before linked. The caller reports a read error.
    bool bOutOfMemory = false;
};

// Writes every entry from pHead on; false as soon as a write fails.
bool StoreListFile(const CNetworkEntry* pHead, IListFileWriter& writer);

// Reads records until fewer than 104 bytes remain. Loaded entries count as
// not heard and already announced, with an all-zero first-seen time.
ListFileLoad LoadListFile(IListFileReader& reader, IListFileAllocator* pAllocator = nullptr);
