// The scanner tests' document stand-in and list helpers.
#include "tests/scan/TestTarget.h"

#include <algorithm>
#include <cstring>

#include "tests/scan/TestLists.h"

NDIS_WLAN_BSSID MakeBssid(uint16_t id, LONG rssi, const char* ssid, ULONG privacy)
{
    NDIS_WLAN_BSSID b = {};
    b.Length = sizeof b;
    const Mac mac = MacOfId(id);
    std::memcpy(b.MacAddress, mac.data(), mac.size());
    b.SsidLength = static_cast<ULONG>(std::strlen(ssid));
    std::memcpy(b.Ssid, ssid, std::min<size_t>(b.SsidLength, kMaxSsidLength));
    b.Privacy = privacy;
    b.Rssi = rssi;
    b.NetworkTypeInUse = Ndis802_11DS;
    b.Configuration.Length = sizeof b.Configuration;
    b.Configuration.BeaconPeriod = 100;
    b.Configuration.DSConfig = 2412000 + 5000 * (id % 13);
    b.InfrastructureMode = Ndis802_11Infrastructure;
    const UCHAR rates[8] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
    std::memcpy(b.SupportedRates, rates, sizeof rates);
    return b;
}

std::vector<uint8_t> MakeList(const std::vector<NDIS_WLAN_BSSID>& elements, int64_t claimed, size_t minSize)
{
    std::vector<uint8_t> list = MakeScriptedList(elements, claimed);
    if (list.size() < minSize)
        list.resize(minSize);
    return list;
}

CNetworkEntry* CTestTarget::CreateEntry()
{
    if (m_nAllocations == 0)
        return nullptr;
    if (m_nAllocations > 0)
        --m_nAllocations;
    return CScanTarget::CreateEntry();
}

std::vector<CNetworkEntry*> ListEntries(const CScanTarget& target)
{
    CEntryListLock lock(target);
    return EntriesOf(target.m_entries);
}

Mac MacOf(const CNetworkEntry& entry)
{
    Mac mac;
    std::memcpy(mac.data(), entry.m_bssid.MacAddress, mac.size());
    return mac;
}

Mac MacOfId(uint16_t id)
{
    return {0x02, 0x00, 0x00, 0x00, static_cast<UCHAR>(id >> 8), static_cast<UCHAR>(id & 0xFF)};
}

std::vector<HostCallRecord> CallsOf(const ScriptedCardHost& host, HostCall call)
{
    std::vector<HostCallRecord> calls;
    for (const HostCallRecord& r : host.Calls())
    {
        if (r.call == call)
            calls.push_back(r);
    }
    return calls;
}
