// Loads arbitrary bytes as a list file, then stores and reloads the result:
// the second load must give the same records and annotations.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "scan/ListFile.h"

namespace
{

class Reader : public IListFileReader
{
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    size_t Read(void* buffer, size_t size) override
    {
        const size_t n = size < m_size - m_pos ? size : m_size - m_pos;
        if (n)
            std::memcpy(buffer, m_data + m_pos, n);
        m_pos += n;
        return n;
    }
    uint64_t Remaining() const override { return m_size - m_pos; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

class Writer : public IListFileWriter
{
public:
    bool Write(const void* buffer, size_t size) override
    {
        const auto* p = static_cast<const uint8_t*>(buffer);
        bytes.insert(bytes.end(), p, p + size);
        return true;
    }
    std::vector<uint8_t> bytes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader reader(data, size);
    ListFileLoad first = LoadListFile(reader);
    if (first.nEntries > size / 108 + 1)
        __builtin_trap();

    Writer writer;
    StoreListFile(first.entries.Head(), writer);
    Reader again(writer.bytes.data(), writer.bytes.size());
    ListFileLoad second = LoadListFile(again);
    if (second.nEntries != first.nEntries)
        __builtin_trap();
    const CNetworkEntry* b = second.entries.Head();
    first.entries.ForEach([&b](const CNetworkEntry* a) {
        if (std::memcmp(&a->m_bssid, &b->m_bssid, sizeof a->m_bssid) != 0)
            __builtin_trap();
        if (a->m_strAnnotation != b->m_strAnnotation)
            __builtin_trap();
        b = b->m_pNext;
    });
    return 0;
}
