// Building legacy records from modern reports.
#include "driver/BssidRecord.h"

#include <algorithm>
#include <cstring>

#include "driver/InfoElements.h"

namespace
{

constexpr uint32_t kFiveGigahertzKhz = 4900000;
constexpr uint8_t kElevenMbps = 22;  // in 500 kb/s units

NDIS_802_11_NETWORK_TYPE NetworkType(uint32_t frequencyKhz, const uint8_t rates[8])
{
    if (frequencyKhz >= kFiveGigahertzKhz)
        return Ndis802_11OFDM5;
    for (int i = 0; i < 8; ++i)
    {
        if ((rates[i] & 0x7F) > kElevenMbps)
            return Ndis802_11OFDM24;
    }
    return Ndis802_11DS;
}

}  // namespace

NDIS_802_11_NETWORK_INFRASTRUCTURE ModeFromCapability(uint16_t capability)
{
    if (capability & 0x0001)
        return Ndis802_11Infrastructure;
    if (capability & 0x0002)
        return Ndis802_11IBSS;
    return Ndis802_11AutoUnknown;
}

NDIS_WLAN_BSSID MakeBssidRecord(const HeardBss& bss)
{
    NDIS_WLAN_BSSID record;
    std::memset(&record, 0, sizeof record);
    record.Length = sizeof record;
    std::memcpy(record.MacAddress, bss.mac, kMacAddressLength);
    const size_t ssidLength = bss.ssid ? std::min(bss.ssidLength, kMaxSsidLength) : 0;
    record.SsidLength = static_cast<ULONG>(ssidLength);
    if (ssidLength > 0)
        std::memcpy(record.Ssid, bss.ssid, ssidLength);
    record.Privacy = bss.privacy ? 1 : 0;
    record.Rssi = bss.rssiDbm;
    RatesFromInfoElements(bss.elements, bss.elementsSize, record.SupportedRates);
    record.NetworkTypeInUse = NetworkType(bss.frequencyKhz, record.SupportedRates);
    record.Configuration.Length = sizeof record.Configuration;
    record.Configuration.BeaconPeriod = bss.beaconPeriod;
    record.Configuration.DSConfig = bss.frequencyKhz;
    const uint8_t* ibss = nullptr;
    size_t ibssLength = 0;
    if (bss.mode == Ndis802_11IBSS &&
        FindInfoElement(bss.elements, bss.elementsSize, kElementIbssParameters, &ibss, &ibssLength) &&
        ibssLength >= 2)
    {
        record.Configuration.ATIMWindow = static_cast<ULONG>(ibss[0] | ibss[1] << 8);
    }
    record.InfrastructureMode = bss.mode;
    return record;
}

BssidListWriter::BssidListWriter(void* out, size_t outSize) : m_out(nullptr), m_capacity(0), m_count(0)
{
    const size_t header = offsetof(NDIS_802_11_BSSID_LIST, Bssid);
    if (out == nullptr || outSize < header)
        return;
    m_out = static_cast<unsigned char*>(out);
    m_capacity = static_cast<uint32_t>(
        std::min<size_t>((outSize - header) / sizeof(NDIS_WLAN_BSSID), kMaxBssidListItems));
    std::memset(m_out, 0, header);
}

bool BssidListWriter::Add(const NDIS_WLAN_BSSID& record)
{
    if (m_out == nullptr || m_count >= m_capacity)
        return false;
    std::memcpy(m_out + offsetof(NDIS_802_11_BSSID_LIST, Bssid) + m_count * sizeof record, &record,
                sizeof record);
    ++m_count;
    const ULONG count = m_count;
    std::memcpy(m_out, &count, sizeof count);
    return true;
}
