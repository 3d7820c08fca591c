// The nl80211 conversation of the helper: the requests it sends, and the
// replies it reads, each datagram parsed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scan/NdisTypes.h"

enum class ReplyStep
{
    More,  // nothing decisive in this datagram: read the next
    Done,
    Failed
};

struct ReplyResult
{
    ReplyStep step;
    int error;  // a positive error number when Failed
};

std::vector<uint8_t> BuildFamilyRequest(uint32_t sequence);
std::vector<uint8_t> BuildGetInterface(uint16_t family, uint32_t sequence, uint32_t ifindex);
// An active scan for any name, acknowledged.
std::vector<uint8_t> BuildTriggerScan(uint16_t family, uint32_t sequence, uint32_t ifindex);
std::vector<uint8_t> BuildGetScan(uint16_t family, uint32_t sequence, uint32_t ifindex);

// Replies. A datagram holds one or more messages; an error message ends the
// conversation with its error, or as Done for an acknowledgement.
ReplyResult ParseFamilyReply(const uint8_t* data, size_t size, uint16_t* family);
ReplyResult ParseInterfaceReply(const uint8_t* data, size_t size, uint16_t family, uint8_t mac[6]);
ReplyResult ParseAckReply(const uint8_t* data, size_t size);

// The scan results dump, datagram by datagram, into legacy records; keeps
// the first kMaxBssidListItems and reads the rest to the end.
class ScanDumpParser
{
public:
    ScanDumpParser(uint16_t family) : m_family(family) {}

    ReplyResult Feed(const uint8_t* data, size_t size);
    const std::vector<NDIS_WLAN_BSSID>& Records() const { return m_records; }

private:
    void AddBss(const uint8_t* attributes, size_t size);

    uint16_t m_family;
    std::vector<NDIS_WLAN_BSSID> m_records;
};
