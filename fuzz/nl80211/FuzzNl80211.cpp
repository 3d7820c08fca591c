// Arbitrary bytes as the kernel's replies to the helper: the input is cut
// into datagrams (before each, a 2-byte little-endian length less one: the
// helper never parses an empty datagram, and the longest it takes, 64 KiB,
// fits) and fed to the scan dump parser, and each datagram also to the other
// reply parsers. The records that come out must respect the list's limits.
// fuzz/nl80211/options lets inputs grow to a full datagram.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tools/wlan/Nl80211.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint16_t family = size > 0 ? static_cast<uint16_t>(0x10 + data[0] % 0x20) : 0x1C;
    ScanDumpParser dump(family);
    size_t at = size > 0 ? 1 : 0;
    while (size - at >= 2)
    {
        size_t length = static_cast<size_t>(data[at] | data[at + 1] << 8) + 1;
        at += 2;
        if (length > size - at)
            length = size - at;
        // A copy of exactly the datagram's size, so any read past it is caught.
        const std::vector<uint8_t> datagram(data + at, data + at + length);
        at += length;
        uint16_t found = 0;
        uint8_t mac[6];
        ParseFamilyReply(datagram.data(), datagram.size(), &found);
        ParseInterfaceReply(datagram.data(), datagram.size(), family, mac);
        ParseAckReply(datagram.data(), datagram.size());
        if (dump.Feed(datagram.data(), datagram.size()).step != ReplyStep::More)
            break;
    }
    if (dump.Records().size() > kMaxBssidListItems)
        std::abort();
    for (const NDIS_WLAN_BSSID& record : dump.Records())
    {
        if (record.SsidLength > kMaxSsidLength || record.Length != sizeof record)
            std::abort();
    }
    return 0;
}
