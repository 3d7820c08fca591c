// The network driver's access-point list as the card answers it: the list
// header and its fixed 104-byte element, byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scan/WinTypes.h"

// The SDK's <ntddndis.h> declares the same structures; this project never
// includes it, and says so loudly if someone tries.
#ifdef _NTDDNDIS_
#error "scan/NdisTypes.h and <ntddndis.h> declare the same structures; include only this one"
#endif

// Fixed underlying types: the fields hold whatever the driver wrote, so every
// 32-bit value must be a valid value of the type.
enum NDIS_802_11_NETWORK_TYPE : LONG
{
    Ndis802_11FH = 0,
    Ndis802_11DS = 1,
    Ndis802_11OFDM5 = 2,
    Ndis802_11OFDM24 = 3,
};

enum NDIS_802_11_NETWORK_INFRASTRUCTURE : LONG
{
    Ndis802_11IBSS = 0,
    Ndis802_11Infrastructure = 1,
    Ndis802_11AutoUnknown = 2,
};

struct NDIS_802_11_CONFIGURATION_FH
{
    ULONG Length;
    ULONG HopPattern;
    ULONG HopSet;
    ULONG DwellTime;
};

struct NDIS_802_11_CONFIGURATION
{
    ULONG Length;
    ULONG BeaconPeriod;
    ULONG ATIMWindow;
    ULONG DSConfig;  // the channel as frequency in kHz (2412000 is channel 1)
    NDIS_802_11_CONFIGURATION_FH FHConfig;
};

constexpr size_t kMacAddressLength = 6;
constexpr size_t kMaxSsidLength = 32;

// One access point. The name is kept flat (SsidLength, then the 32 Ssid bytes)
// rather than wrapped in a struct of its own, so code reads
// m_bssid.SsidLength and m_bssid.Ssid. Only the first SsidLength bytes of
// Ssid are the name, without a terminating NUL, and SsidLength itself may
// claim more than 32.
struct NDIS_WLAN_BSSID
{
    ULONG Length;  // the driver's word on the size; never used to step
    UCHAR MacAddress[kMacAddressLength];
    UCHAR Reserved[2];
    ULONG SsidLength;
    UCHAR Ssid[kMaxSsidLength];
    ULONG Privacy;  // 1 means encrypted, anything else open
    LONG Rssi;      // dBm
    NDIS_802_11_NETWORK_TYPE NetworkTypeInUse;
    NDIS_802_11_CONFIGURATION Configuration;
    NDIS_802_11_NETWORK_INFRASTRUCTURE InfrastructureMode;
    UCHAR SupportedRates[8];
};

// Answer to the list request: a count, then that many elements at a fixed
// stride of sizeof(NDIS_WLAN_BSSID).
struct NDIS_802_11_BSSID_LIST
{
    ULONG NumberOfItems;
    NDIS_WLAN_BSSID Bssid[1];
};

// One buffer serves every list request; it holds at most this many elements.
constexpr size_t kBssidListBufferSize = 16384;
constexpr uint32_t kMaxBssidListItems = 157;

static_assert(sizeof(NDIS_802_11_CONFIGURATION_FH) == 16, "FH configuration layout");
static_assert(sizeof(NDIS_802_11_CONFIGURATION) == 32, "configuration layout");
static_assert(sizeof(NDIS_WLAN_BSSID) == 104, "driver element is 104 bytes");
static_assert(alignof(NDIS_WLAN_BSSID) == 4, "driver element is 4-byte aligned");
static_assert(offsetof(NDIS_WLAN_BSSID, Length) == 0, "Length");
static_assert(offsetof(NDIS_WLAN_BSSID, MacAddress) == 4, "MacAddress");
static_assert(offsetof(NDIS_WLAN_BSSID, Reserved) == 10, "Reserved");
static_assert(offsetof(NDIS_WLAN_BSSID, SsidLength) == 12, "SsidLength");
static_assert(offsetof(NDIS_WLAN_BSSID, Ssid) == 16, "Ssid");
static_assert(offsetof(NDIS_WLAN_BSSID, Privacy) == 48, "Privacy");
static_assert(offsetof(NDIS_WLAN_BSSID, Rssi) == 52, "Rssi");
static_assert(offsetof(NDIS_WLAN_BSSID, NetworkTypeInUse) == 56, "NetworkTypeInUse");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration) == 60, "Configuration");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.Length) == 60, "Configuration.Length");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.BeaconPeriod) == 64, "BeaconPeriod");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.ATIMWindow) == 68, "ATIMWindow");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.DSConfig) == 72, "DSConfig");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.FHConfig) == 76, "FHConfig");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.FHConfig.Length) == 76, "FHConfig.Length");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.FHConfig.HopPattern) == 80, "HopPattern");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.FHConfig.HopSet) == 84, "HopSet");
static_assert(offsetof(NDIS_WLAN_BSSID, Configuration.FHConfig.DwellTime) == 88, "DwellTime");
static_assert(offsetof(NDIS_WLAN_BSSID, InfrastructureMode) == 92, "InfrastructureMode");
static_assert(offsetof(NDIS_WLAN_BSSID, SupportedRates) == 96, "SupportedRates");
static_assert(offsetof(NDIS_802_11_BSSID_LIST, NumberOfItems) == 0, "NumberOfItems");
static_assert(offsetof(NDIS_802_11_BSSID_LIST, Bssid) == 4, "elements follow the count");
static_assert(4 + kMaxBssidListItems * sizeof(NDIS_WLAN_BSSID) <= kBssidListBufferSize &&
                  4 + (kMaxBssidListItems + 1) * sizeof(NDIS_WLAN_BSSID) > kBssidListBufferSize,
              "the buffer holds exactly kMaxBssidListItems elements");
