// Native Wi-Fi list entries to legacy records.
#include "driver/WlanBssList.h"

#include <cstring>

#include "driver/BssidRecord.h"

namespace
{

template <class T>
T Read(const uint8_t* at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

NDIS_802_11_NETWORK_INFRASTRUCTURE ModeOf(uint32_t bssType)
{
    if (bssType == kWlanInfrastructure)
        return Ndis802_11Infrastructure;
    if (bssType == kWlanIndependent)
        return Ndis802_11IBSS;
    return Ndis802_11AutoUnknown;
}

}  // namespace

bool TranslateWlanBssList(const uint8_t* list, size_t size, void* out, size_t outSize)
{
    BssidListWriter writer(out, outSize);
    if (!writer.Ok())
        return false;
    if (list == nullptr || size < kWlanListEntries)
        return true;
    const uint32_t count = Read<uint32_t>(list + kWlanListCount);
    for (uint32_t i = 0; i < count; ++i)
    {
        const size_t at = kWlanListEntries + static_cast<size_t>(i) * kWlanEntrySize;
        if (at > size || size - at < kWlanEntrySize)
            break;
        const uint8_t* entry = list + at;
        HeardBss bss;
        std::memcpy(bss.mac, entry + kWlanBssid, sizeof bss.mac);
        bss.ssid = entry + kWlanSsid;
        bss.ssidLength = Read<uint32_t>(entry + kWlanSsidLength);
        bss.privacy = (Read<uint16_t>(entry + kWlanCapability) & kCapabilityPrivacy) != 0;
        bss.rssiDbm = Read<int32_t>(entry + kWlanRssi);
        bss.frequencyKhz = Read<uint32_t>(entry + kWlanCenterFrequency);
        bss.mode = ModeOf(Read<uint32_t>(entry + kWlanBssType));
        bss.beaconPeriod = Read<uint16_t>(entry + kWlanBeaconPeriod);
        const size_t ieOffset = Read<uint32_t>(entry + kWlanIeOffset);
        const size_t ieSize = Read<uint32_t>(entry + kWlanIeSize);
        const size_t room = size - at;
        if (ieOffset <= room && ieSize <= room - ieOffset)
        {
            bss.elements = entry + ieOffset;
            bss.elementsSize = ieSize;
        }
        if (!writer.Add(MakeBssidRecord(bss)))
            break;
    }
    return true;
}
