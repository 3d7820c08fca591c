// The maker table: three sorted record arrays searched longest prefix first.
#include "scan/MakerTable.h"

#include <cstring>

namespace
{

constexpr size_t kHeaderSize = 16;
constexpr size_t kOffsetSize = 3;
// Key bytes and prefix bits of the 24-, 28- and 36-bit listings.
constexpr size_t kKeyBytes[3] = {3, 4, 5};
constexpr int kPrefixBits[3] = {24, 28, 36};

uint32_t ReadLe32(const unsigned char* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint64_t ReadBe(const unsigned char* p, size_t bytes)
{
    uint64_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
        value = value << 8 | p[i];
    return value;
}

}  // namespace

CMakerTable::CMakerTable(const unsigned char* blob, size_t size)
    : m_records{}, m_counts{}, m_pool(nullptr), m_poolSize(0)
{
    if (!blob || size < kHeaderSize)
        return;
    size_t at = kHeaderSize;
    size_t counts[3];
    const unsigned char* records[3];
    for (int i = 0; i < 3; ++i)
    {
        counts[i] = ReadLe32(blob + 4 * i);
        const size_t recordSize = kKeyBytes[i] + kOffsetSize;
        if (counts[i] > (size - at) / recordSize)
            return;
        records[i] = blob + at;
        at += counts[i] * recordSize;
    }
    const size_t poolSize = ReadLe32(blob + 12);
    // The pool must end with a NUL so that no name runs past it.
    if (poolSize != size - at || (poolSize > 0 && blob[size - 1] != 0))
        return;
    for (int i = 0; i < 3; ++i)
    {
        m_records[i] = records[i];
        m_counts[i] = counts[i];
    }
    m_pool = reinterpret_cast<const char*>(blob + at);
    m_poolSize = poolSize;
}

Maker CMakerTable::Lookup(const UCHAR mac[kMacAddressLength]) const
{
    if (mac[0] & 0x01)
        return {MakerKind::None, nullptr};
    if (mac[0] & 0x02)
        return {MakerKind::Random, nullptr};
    const uint64_t address = ReadBe(mac, kMacAddressLength);
    for (int i = 2; i >= 0; --i)
    {
        const uint64_t key = address >> (48 - kPrefixBits[i]);
        const size_t recordSize = kKeyBytes[i] + kOffsetSize;
        size_t low = 0;
        size_t high = m_counts[i];
        while (low < high)
        {
            const size_t middle = low + (high - low) / 2;
            const unsigned char* record = m_records[i] + middle * recordSize;
            const uint64_t found = ReadBe(record, kKeyBytes[i]);
            if (found == key)
            {
                const unsigned char* p = record + kKeyBytes[i];
                const size_t offset = p[0] | p[1] << 8 | p[2] << 16;
                if (offset >= m_poolSize)
                    return {MakerKind::None, nullptr};
                return {MakerKind::Known, m_pool + offset};
            }
            if (found < key)
                low = middle + 1;
            else
                high = middle;
        }
    }
    return {MakerKind::None, nullptr};
}
