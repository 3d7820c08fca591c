// A stand-in for the platform's Native Wi-Fi library: two interfaces, the
// second of which hears the canned networks. Built as wlanapi.dll for the
// end-to-end tests.
#include <winsock2.h>
#include <windows.h>
#include <wlanapi.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "driver/GuidText.h"
#include "tests/wlan/CannedNetworks.h"

namespace
{

const HANDLE kClient = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x4B45));

GUID InterfaceGuid()
{
    GUID guid;
    uint8_t bytes[16] = {};
    ParseGuidText(kStandInWlanService, bytes);
    std::memcpy(&guid, bytes, sizeof guid);
    return guid;
}

// Information elements: the name, then supported rates.
std::vector<uint8_t> Elements(const CannedNetwork& n)
{
    static const uint8_t kRates[] = {1, 8, 0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
    const size_t length = std::strlen(n.ssid);
    std::vector<uint8_t> ies(2 + length + sizeof kRates);
    ies[1] = static_cast<uint8_t>(length);
    std::memcpy(&ies[2], n.ssid, length);
    std::memcpy(&ies[2 + length], kRates, sizeof kRates);
    return ies;
}

}  // namespace

extern "C"
{

    __declspec(dllexport) DWORD WINAPI WlanOpenHandle(DWORD, PVOID, PDWORD negotiated, PHANDLE client)
    {
        *negotiated = 2;
        *client = kClient;
        return ERROR_SUCCESS;
    }

    __declspec(dllexport) DWORD WINAPI WlanCloseHandle(HANDLE client, PVOID)
    {
        return client == kClient ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    }

    __declspec(dllexport) VOID WINAPI WlanFreeMemory(PVOID memory)
    {
        std::free(memory);
    }

    __declspec(dllexport) DWORD WINAPI
        WlanEnumInterfaces(HANDLE client, PVOID, PWLAN_INTERFACE_INFO_LIST* list)
    {
        if (client != kClient)
            return ERROR_INVALID_HANDLE;
        // Another card first: Kesu's is found only by stepping over it. The
        // declaration's array may be flexible: room for two interfaces.
        auto* interfaces = static_cast<WLAN_INTERFACE_INFO_LIST*>(std::calloc(
            1, offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) + 2 * sizeof(WLAN_INTERFACE_INFO)));
        interfaces->dwNumberOfItems = 2;
        interfaces->InterfaceInfo[0].InterfaceGuid = InterfaceGuid();
        interfaces->InterfaceInfo[0].InterfaceGuid.Data1 ^= 0xFFFF;
        interfaces->InterfaceInfo[1].InterfaceGuid = InterfaceGuid();
        interfaces->InterfaceInfo[1].isState = wlan_interface_state_connected;
        *list = interfaces;
        return ERROR_SUCCESS;
    }

    __declspec(dllexport) DWORD WINAPI
        WlanScan(HANDLE client, const GUID* card, const PDOT11_SSID, const PWLAN_RAW_DATA, PVOID)
    {
        return client == kClient && IsEqualGUID(*card, InterfaceGuid()) ? ERROR_SUCCESS : ERROR_NOT_FOUND;
    }

    __declspec(dllexport) DWORD WINAPI
        WlanGetNetworkBssList(HANDLE client, const GUID* card, const PDOT11_SSID, DOT11_BSS_TYPE, BOOL, PVOID,
                              PWLAN_BSS_LIST* list)
    {
        if (client != kClient || !IsEqualGUID(*card, InterfaceGuid()))
            return ERROR_NOT_FOUND;
        const size_t entries =
            offsetof(WLAN_BSS_LIST, wlanBssEntries) + kCannedNetworkCount * sizeof(WLAN_BSS_ENTRY);
        size_t size = entries;
        for (const CannedNetwork& n : kCannedNetworks)
            size += Elements(n).size();
        auto* bytes = static_cast<uint8_t*>(std::calloc(1, size));
        auto* bss = reinterpret_cast<WLAN_BSS_LIST*>(bytes);
        bss->dwTotalSize = static_cast<DWORD>(size);
        bss->dwNumberOfItems = kCannedNetworkCount;
        size_t ies = entries;
        for (int i = 0; i < kCannedNetworkCount; ++i)
        {
            const CannedNetwork& n = kCannedNetworks[i];
            WLAN_BSS_ENTRY& e = bss->wlanBssEntries[i];
            e.dot11Ssid.uSSIDLength = static_cast<ULONG>(std::strlen(n.ssid));
            std::memcpy(e.dot11Ssid.ucSSID, n.ssid, e.dot11Ssid.uSSIDLength);
            std::memcpy(e.dot11Bssid, n.mac, 6);
            e.dot11BssType = n.adhoc ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
            e.lRssi = n.rssi;
            e.usBeaconPeriod = 100;
            e.usCapabilityInformation =
                static_cast<USHORT>((n.adhoc ? 0x0002 : 0x0001) | (n.privacy ? 0x0010 : 0));
            e.ulChCenterFrequency = n.frequencyKhz;
            const std::vector<uint8_t> elements = Elements(n);
            e.ulIeOffset = static_cast<ULONG>(ies - (reinterpret_cast<uint8_t*>(&e) - bytes));
            e.ulIeSize = static_cast<ULONG>(elements.size());
            std::memcpy(bytes + ies, elements.data(), elements.size());
            ies += elements.size();
        }
        *list = bss;
        return ERROR_SUCCESS;
    }

}  // extern "C"
