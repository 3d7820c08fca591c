// The Native Wi-Fi layout that the translation reads (WlanBssList.h), held
// against the platform's own declarations when the Windows build compiles:
// they can't share a file with the neutral layer, whose driver definitions
// they would clash with.
#include <winsock2.h>
#include <windows.h>
#include <wlanapi.h>

#include <cstddef>

#include "driver/WlanBssList.h"

static_assert(sizeof(WLAN_BSS_ENTRY) == kWlanEntrySize, "entry size");
static_assert(offsetof(WLAN_BSS_LIST, dwTotalSize) == kWlanListTotalSize, "total size");
static_assert(offsetof(WLAN_BSS_LIST, dwNumberOfItems) == kWlanListCount, "count");
static_assert(offsetof(WLAN_BSS_LIST, wlanBssEntries) == kWlanListEntries, "entries");
static_assert(offsetof(WLAN_BSS_ENTRY, dot11Ssid.uSSIDLength) == kWlanSsidLength, "ssid length");
static_assert(offsetof(WLAN_BSS_ENTRY, dot11Ssid.ucSSID) == kWlanSsid, "ssid");
static_assert(offsetof(WLAN_BSS_ENTRY, dot11Bssid) == kWlanBssid, "bssid");
static_assert(offsetof(WLAN_BSS_ENTRY, dot11BssType) == kWlanBssType, "bss type");
static_assert(offsetof(WLAN_BSS_ENTRY, lRssi) == kWlanRssi, "rssi");
static_assert(offsetof(WLAN_BSS_ENTRY, usBeaconPeriod) == kWlanBeaconPeriod, "beacon period");
static_assert(offsetof(WLAN_BSS_ENTRY, usCapabilityInformation) == kWlanCapability, "capability");
static_assert(offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency) == kWlanCenterFrequency, "frequency");
static_assert(offsetof(WLAN_BSS_ENTRY, ulIeOffset) == kWlanIeOffset, "element offset");
static_assert(offsetof(WLAN_BSS_ENTRY, ulIeSize) == kWlanIeSize, "element size");
static_assert(offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) == kWlanInterfaces, "interfaces");
static_assert(sizeof(WLAN_INTERFACE_INFO) == kWlanInterfaceSize, "interface size");
static_assert(dot11_BSS_type_infrastructure == kWlanInfrastructure &&
                  dot11_BSS_type_independent == kWlanIndependent,
              "bss types");
