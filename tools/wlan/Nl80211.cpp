// Building nl80211 requests and reading their replies.
#include "tools/wlan/Nl80211.h"

#include <linux/genetlink.h>
#include <linux/netlink.h>
#include <linux/nl80211.h>

#include <cerrno>
#include <cstring>

#include "driver/BssidRecord.h"
#include "driver/InfoElements.h"
#include "tools/wlan/Netlink.h"

NetlinkRequest::NetlinkRequest(uint16_t type, uint16_t flags, uint32_t sequence, uint8_t command,
                               uint8_t version)
    : m_bytes(kNetlinkHeader + kGenlHeader, 0)
{
    std::memcpy(&m_bytes[4], &type, sizeof type);
    std::memcpy(&m_bytes[6], &flags, sizeof flags);
    std::memcpy(&m_bytes[8], &sequence, sizeof sequence);
    m_bytes[kNetlinkHeader] = command;
    m_bytes[kNetlinkHeader + 1] = version;
    SetLength();
}

void NetlinkRequest::PutBytes(uint16_t type, const void* data, size_t size)
{
    const auto length = static_cast<uint16_t>(kAttrHeader + size);
    const size_t at = m_bytes.size();
    m_bytes.resize(at + NetlinkAlign(length), 0);
    std::memcpy(&m_bytes[at], &length, sizeof length);
    std::memcpy(&m_bytes[at + 2], &type, sizeof type);
    if (size > 0)
        std::memcpy(&m_bytes[at + kAttrHeader], data, size);
    SetLength();
}

void NetlinkRequest::PutU32(uint16_t type, uint32_t value)
{
    PutBytes(type, &value, sizeof value);
}

size_t NetlinkRequest::Open(uint16_t type)
{
    const size_t at = m_bytes.size();
    PutBytes(static_cast<uint16_t>(type | NLA_F_NESTED), nullptr, 0);
    return at;
}

void NetlinkRequest::Close(size_t opened)
{
    const auto length = static_cast<uint16_t>(m_bytes.size() - opened);
    std::memcpy(&m_bytes[opened], &length, sizeof length);
}

void NetlinkRequest::SetLength()
{
    const auto length = static_cast<uint32_t>(m_bytes.size());
    std::memcpy(&m_bytes[0], &length, sizeof length);
}

namespace
{

// The error number of a reply's negative error code; anything outside the
// kernel's range is a malformed reply.
ReplyResult Failure(int32_t error)
{
    return {ReplyStep::Failed, error < 0 && error > -4096 ? -error : EPROTO};
}

// Calls f(type, body, length) for each message and stops at the first result
// that isn't More; error and done messages are answered here.
template <class F>
ReplyResult ForEachMessage(const uint8_t* data, size_t size, F f)
{
    size_t at = 0;
    while (data != nullptr && at < size)
    {
        // Bytes too few for a header are a message cut short, not an end.
        if (size - at < kNetlinkHeader)
            return {ReplyStep::Failed, EPROTO};
        const size_t length = Read32(data + at);
        if (length < kNetlinkHeader || length > size - at)
            return {ReplyStep::Failed, EPROTO};
        const uint16_t type = Read16(data + at + 4);
        const uint8_t* body = data + at + kNetlinkHeader;
        const size_t bodySize = length - kNetlinkHeader;
        ReplyResult result{ReplyStep::More, 0};
        if (type == NLMSG_ERROR)
        {
            if (bodySize < sizeof(int32_t))
                return {ReplyStep::Failed, EPROTO};
            const auto error = static_cast<int32_t>(Read32(body));
            result = error == 0 ? ReplyResult{ReplyStep::Done, 0} : Failure(error);
        }
        else if (type == NLMSG_DONE)
        {
            const auto error = bodySize >= sizeof(int32_t) ? static_cast<int32_t>(Read32(body)) : 0;
            result = error < 0 ? Failure(error) : ReplyResult{ReplyStep::Done, 0};
        }
        else if (type >= NLMSG_MIN_TYPE)
        {
            result = f(type, body, bodySize);
        }
        if (result.step != ReplyStep::More)
            return result;
        if (NetlinkAlign(length) >= size - at)
            break;
        at += NetlinkAlign(length);
    }
    return {ReplyStep::More, 0};
}

std::vector<uint8_t> BuildForInterface(uint16_t family, uint16_t flags, uint32_t sequence, uint8_t command,
                                       uint32_t ifindex, bool wildcardSsid)
{
    NetlinkRequest request(family, static_cast<uint16_t>(NLM_F_REQUEST | flags), sequence, command, 0);
    request.PutU32(NL80211_ATTR_IFINDEX, ifindex);
    if (wildcardSsid)
    {
        const size_t ssids = request.Open(NL80211_ATTR_SCAN_SSIDS);
        request.PutBytes(1, nullptr, 0);
        request.Close(ssids);
    }
    return request.Bytes();
}

}  // namespace

std::vector<uint8_t> BuildFamilyRequest(uint32_t sequence)
{
    NetlinkRequest request(GENL_ID_CTRL, NLM_F_REQUEST, sequence, CTRL_CMD_GETFAMILY, 1);
    static const char kName[] = NL80211_GENL_NAME;
    request.PutBytes(CTRL_ATTR_FAMILY_NAME, kName, sizeof kName);
    return request.Bytes();
}

std::vector<uint8_t> BuildGetInterface(uint16_t family, uint32_t sequence, uint32_t ifindex)
{
    return BuildForInterface(family, 0, sequence, NL80211_CMD_GET_INTERFACE, ifindex, false);
}

std::vector<uint8_t> BuildTriggerScan(uint16_t family, uint32_t sequence, uint32_t ifindex)
{
    return BuildForInterface(family, NLM_F_ACK, sequence, NL80211_CMD_TRIGGER_SCAN, ifindex, true);
}

std::vector<uint8_t> BuildGetScan(uint16_t family, uint32_t sequence, uint32_t ifindex)
{
    return BuildForInterface(family, NLM_F_DUMP, sequence, NL80211_CMD_GET_SCAN, ifindex, false);
}

ReplyResult ParseFamilyReply(const uint8_t* data, size_t size, uint16_t* family)
{
    return ForEachMessage(data, size, [family](uint16_t type, const uint8_t* body, size_t bodySize) {
        if (type != GENL_ID_CTRL || bodySize < kGenlHeader || body[0] != CTRL_CMD_NEWFAMILY)
            return ReplyResult{ReplyStep::More, 0};
        bool found = false;
        ForEachAttribute(body + kGenlHeader, bodySize - kGenlHeader,
                         [&](uint16_t attribute, const uint8_t* value, size_t length) {
                             if (attribute == CTRL_ATTR_FAMILY_ID && length >= 2 && !found)
                             {
                                 *family = Read16(value);
                                 found = true;
                             }
                         });
        return found ? ReplyResult{ReplyStep::Done, 0} : ReplyResult{ReplyStep::Failed, EPROTO};
    });
}

ReplyResult ParseInterfaceReply(const uint8_t* data, size_t size, uint16_t family, uint8_t mac[6])
{
    return ForEachMessage(data, size, [&](uint16_t type, const uint8_t* body, size_t bodySize) {
        if (type != family || bodySize < kGenlHeader || body[0] != NL80211_CMD_NEW_INTERFACE)
            return ReplyResult{ReplyStep::More, 0};
        bool found = false;
        ForEachAttribute(body + kGenlHeader, bodySize - kGenlHeader,
                         [&](uint16_t attribute, const uint8_t* value, size_t length) {
                             if (attribute == NL80211_ATTR_MAC && length == 6 && !found)
                             {
                                 std::memcpy(mac, value, 6);
                                 found = true;
                             }
                         });
        return found ? ReplyResult{ReplyStep::Done, 0} : ReplyResult{ReplyStep::Failed, EPROTO};
    });
}

ReplyResult ParseAckReply(const uint8_t* data, size_t size)
{
    return ForEachMessage(data, size, [](uint16_t, const uint8_t*, size_t) {
        return ReplyResult{ReplyStep::More, 0};
    });
}

ReplyResult ScanDumpParser::Feed(const uint8_t* data, size_t size)
{
    return ForEachMessage(data, size, [this](uint16_t type, const uint8_t* body, size_t bodySize) {
        if (type == m_family && bodySize >= kGenlHeader && body[0] == NL80211_CMD_NEW_SCAN_RESULTS)
        {
            ForEachAttribute(body + kGenlHeader, bodySize - kGenlHeader,
                             [this](uint16_t attribute, const uint8_t* value, size_t length) {
                                 if (attribute == NL80211_ATTR_BSS)
                                     AddBss(value, length);
                             });
        }
        return ReplyResult{ReplyStep::More, 0};
    });
}

void ScanDumpParser::AddBss(const uint8_t* attributes, size_t size)
{
    if (m_records.size() >= kMaxBssidListItems)
        return;
    HeardBss bss;
    bool hasAddress = false;
    bool hasSignal = false;
    uint32_t megahertz = 0;
    uint32_t offsetKhz = 0;
    uint16_t capability = 0;
    const uint8_t* beaconElements = nullptr;
    size_t beaconElementsSize = 0;
    ForEachAttribute(attributes, size, [&](uint16_t type, const uint8_t* value, size_t length) {
        switch (type)
        {
        case NL80211_BSS_BSSID:
            if (length == 6)
            {
                std::memcpy(bss.mac, value, 6);
                hasAddress = true;
            }
            break;
        case NL80211_BSS_FREQUENCY:
            if (length == 4)
                megahertz = Read32(value);
            break;
        case NL80211_BSS_FREQUENCY_OFFSET:
            if (length == 4)
                offsetKhz = Read32(value);
            break;
        case NL80211_BSS_BEACON_INTERVAL:
            if (length == 2)
                bss.beaconPeriod = Read16(value);
            break;
        case NL80211_BSS_CAPABILITY:
            if (length == 2)
                capability = Read16(value);
            break;
        case NL80211_BSS_INFORMATION_ELEMENTS:
            bss.elements = value;
            bss.elementsSize = length;
            break;
        case NL80211_BSS_BEACON_IES:
            beaconElements = value;
            beaconElementsSize = length;
            break;
        case NL80211_BSS_SIGNAL_MBM:
            if (length == 4)
            {
                // mBm, hundredths of a dBm.
                bss.rssiDbm = static_cast<int32_t>(Read32(value)) / 100;
                hasSignal = true;
            }
            break;
        case NL80211_BSS_SIGNAL_UNSPEC:
            // A 0 to 100 quality where the driver knows no dBm: the usual
            // mapping of quality onto -100 to -50 dBm.
            if (length == 1 && !hasSignal)
                bss.rssiDbm = value[0] / 2 - 100;
            break;
        default:
            break;
        }
    });
    if (!hasAddress)
        return;
    if (bss.elements == nullptr)
    {
        bss.elements = beaconElements;
        bss.elementsSize = beaconElementsSize;
    }
    bss.frequencyKhz = megahertz * 1000 + offsetKhz;
    bss.privacy = (capability & kCapabilityPrivacy) != 0;
    bss.mode = ModeFromCapability(capability);
    FindInfoElement(bss.elements, bss.elementsSize, kElementSsid, &bss.ssid, &bss.ssidLength);
    m_records.push_back(MakeBssidRecord(bss));
}
