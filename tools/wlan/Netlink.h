// Generic netlink messages as the helper sends and reads them: building
// requests, and walking replies and their attributes without ever reading
// past the bytes received.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

constexpr size_t kNetlinkHeader = 16;  // length, type, flags, sequence, port
constexpr size_t kGenlHeader = 4;      // command, version, reserved
constexpr size_t kAttrHeader = 4;      // length, type

inline size_t NetlinkAlign(size_t length)
{
    return (length + 3) & ~static_cast<size_t>(3);
}

inline uint16_t Read16(const uint8_t* at)
{
    uint16_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

inline uint32_t Read32(const uint8_t* at)
{
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Calls f(type, body, length) for each attribute in order, the type without
// its nesting and byte-order flags; stops at the first whose length is
// shorter than its header or runs past 'size'.
template <class F>
void ForEachAttribute(const uint8_t* data, size_t size, F f)
{
    size_t at = 0;
    while (data != nullptr && size - at >= kAttrHeader)
    {
        const size_t length = Read16(data + at);
        if (length < kAttrHeader || length > size - at)
            return;
        f(static_cast<uint16_t>(Read16(data + at + 2) & 0x3FFF), data + at + kAttrHeader,
          length - kAttrHeader);
        if (NetlinkAlign(length) >= size - at)
            return;
        at += NetlinkAlign(length);
    }
}

// A request being built: header first, attributes appended, length fixed up.
class NetlinkRequest
{
public:
    NetlinkRequest(uint16_t type, uint16_t flags, uint32_t sequence, uint8_t command, uint8_t version);

    void PutU32(uint16_t type, uint32_t value);
    void PutBytes(uint16_t type, const void* data, size_t size);
    // Opens a nested attribute; Close ends it.
    size_t Open(uint16_t type);
    void Close(size_t opened);

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    void SetLength();
    std::vector<uint8_t> m_bytes;
};
