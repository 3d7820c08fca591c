// What a modern wireless interface reports about one access point, turned
// into the 104-byte record the legacy driver gave, and the list answer those
// records are written into.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scan/NdisTypes.h"

struct HeardBss
{
    uint8_t mac[kMacAddressLength] = {};
    const uint8_t* ssid = nullptr;  // the name's bytes as sent; hidden names may be empty or zeros
    size_t ssidLength = 0;          // taken up to 32
    bool privacy = false;           // the capability's privacy bit
    int32_t rssiDbm = 0;
    uint32_t frequencyKhz = 0;  // channel centre frequency
    NDIS_802_11_NETWORK_INFRASTRUCTURE mode = Ndis802_11AutoUnknown;
    uint16_t beaconPeriod = 0;          // time units, as the beacon says
    const uint8_t* elements = nullptr;  // the information elements, for the rates
    size_t elementsSize = 0;
};

// The record as a legacy driver filled it: Length 104, the network type from
// band and rates, the ATIM window of an ad hoc network, no frequency hopping.
NDIS_WLAN_BSSID MakeBssidRecord(const HeardBss& bss);

// The mode that the capability field's ESS and IBSS bits say.
NDIS_802_11_NETWORK_INFRASTRUCTURE ModeFromCapability(uint16_t capability);
constexpr uint16_t kCapabilityPrivacy = 0x0010;

// Writes records into a list request's output buffer: the count first, then
// the elements at their fixed stride, as many as the buffer holds and never
// more than the scanner takes. The count is kept current after every Add.
class BssidListWriter
{
public:
    BssidListWriter(void* out, size_t outSize);

    // False if the buffer can't even hold the count.
    bool Ok() const { return m_out != nullptr; }
    // False (and nothing written) once the list is full.
    bool Add(const NDIS_WLAN_BSSID& record);
    uint32_t Count() const { return m_count; }

private:
    unsigned char* m_out;
    uint32_t m_capacity;
    uint32_t m_count;
};
