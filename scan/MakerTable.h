// Who made an access point, from the organisationally unique identifiers the
// IEEE registries assign, in a table built at build time (tools/mkmaker).
#pragma once

#include <cstddef>
#include <cstdint>

#include "scan/NdisTypes.h"

enum class MakerKind
{
    None,    // a multicast address, or a prefix no registry lists
    Random,  // locally administered: chosen by the device, no maker behind it
    Known,
};

struct Maker
{
    MakerKind kind;
    const char* name;  // Windows-1252, static; null unless Known
};

// A read-only view of a table in the generator's layout. A blob whose counts
// don't fit its size reads as an empty table.
class CMakerTable
{
public:
    CMakerTable(const unsigned char* blob, size_t size);

    // The longest registered prefix wins: 36 bits, then 28, then 24.
    Maker Lookup(const UCHAR mac[kMacAddressLength]) const;
    size_t PrefixCount() const { return m_counts[0] + m_counts[1] + m_counts[2]; }

private:
    // Records of one prefix length.
    const unsigned char* m_records[3];
    size_t m_counts[3];
    const char* m_pool;
    size_t m_poolSize;
};

// The table compiled into the program from the registries.
const CMakerTable& BuiltInMakers();
