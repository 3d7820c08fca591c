// A document stand-in for the scanner tests, and the access-point lists and
// list snapshots they build and inspect.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "driver/Device.h"
#include "driver/ScriptedCard.h"
#include "scan/NdisTypes.h"
#include "scan/ScanTarget.h"

using Mac = std::array<UCHAR, kMacAddressLength>;

// An element for MAC 02:00:00:00:<hi>:<lo> of 'id'.
NDIS_WLAN_BSSID MakeBssid(uint16_t id, LONG rssi, const char* ssid = "red", ULONG privacy = 0);
// A list answer holding 'elements', claiming 'claimed' of them (by default
// as many as there are), padded with zeros to at least 'minSize' bytes.
std::vector<uint8_t> MakeList(const std::vector<NDIS_WLAN_BSSID>& elements, int64_t claimed = -1,
                              size_t minSize = 0);

// A document stand-in: fixed adapter name, and an allocator that can run dry.
class CTestTarget : public CScanTarget
{
public:
    explicit CTestTarget(IScanHost* pHost = nullptr) { SetScanHost(pHost); }
    const char* GetScanAdapterName() override { return m_strAdapter.c_str(); }
    CNetworkEntry* CreateEntry() override;

    std::string m_strAdapter = "TestCard";
    int m_nAllocations = -1;  // entries still allowed; negative: no limit
};

// Snapshot of the list under the lock, head first.
std::vector<CNetworkEntry*> ListEntries(const CScanTarget& target);
Mac MacOf(const CNetworkEntry& entry);
Mac MacOfId(uint16_t id);
// The calls of one kind the scripted host has seen so far.
std::vector<HostCallRecord> CallsOf(const ScriptedCardHost& host, HostCall call);
