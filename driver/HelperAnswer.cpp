// Encoding and checking the helper's answer files.
#include "driver/HelperAnswer.h"

#include <cstring>

#include "driver/BssidRecord.h"
#include "driver/Device.h"

namespace
{

constexpr char kMagic[4] = {'K', 'W', 'L', 'A'};

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t Get32(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

}  // namespace

std::vector<uint8_t> EncodeHelperAnswer(uint32_t status, const uint8_t* payload, size_t size)
{
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
    Put32(out, status);
    Put32(out, static_cast<uint32_t>(size));
    if (size > 0)
        out.insert(out.end(), payload, payload + size);
    return out;
}

bool DecodeHelperAnswer(const uint8_t* bytes, size_t size, std::vector<uint8_t>* payload, uint32_t* status)
{
    payload->clear();
    *status = 0;
    if (bytes == nullptr || size < kHelperAnswerHeader || std::memcmp(bytes, kMagic, sizeof kMagic) != 0)
        return false;
    *status = Get32(bytes + 4);
    const uint32_t length = Get32(bytes + 8);
    if (*status != 0 || length > kHelperMaxPayload || length != size - kHelperAnswerHeader)
        return false;
    payload->assign(bytes + kHelperAnswerHeader, bytes + size);
    return true;
}

bool ApplyHelperPayload(uint32_t oid, const std::vector<uint8_t>& payload, void* out, uint32_t outSize)
{
    switch (oid)
    {
    case OID_802_11_BSSID_LIST_SCAN:
        return true;
    case OID_802_3_CURRENT_ADDRESS:
        if (payload.size() != kMacAddressLength || out == nullptr || outSize < kMacAddressLength)
            return false;
        std::memcpy(out, payload.data(), kMacAddressLength);
        return true;
    case OID_802_11_BSSID_LIST: {
        const size_t header = offsetof(NDIS_802_11_BSSID_LIST, Bssid);
        if (payload.size() < header)
            return false;
        const uint32_t count = Get32(payload.data());
        if (count > (payload.size() - header) / sizeof(NDIS_WLAN_BSSID))
            return false;
        BssidListWriter writer(out, outSize);
        if (!writer.Ok())
            return false;
        for (uint32_t i = 0; i < count; ++i)
        {
            NDIS_WLAN_BSSID record;
            std::memcpy(&record, payload.data() + header + i * sizeof record, sizeof record);
            if (!writer.Add(record))
                break;
        }
        return true;
    }
    default:
        return false;
    }
}

bool IsLinuxInterfaceName(const char* name)
{
    if (name == nullptr)
        return false;
    const size_t length = std::strlen(name);
    if (length == 0 || length > 15 || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
        return false;
    for (size_t i = 0; i < length; ++i)
    {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c <= ' ' || c >= 0x7F || c == '/' || c == ':' || c == '"' || c == '\\')
            return false;
    }
    return true;
}

const char* HelperRequestWord(uint32_t oid)
{
    switch (oid)
    {
    case OID_802_11_BSSID_LIST_SCAN:
        return "scan";
    case OID_802_11_BSSID_LIST:
        return "list";
    case OID_802_3_CURRENT_ADDRESS:
        return "address";
    default:
        return nullptr;
    }
}
