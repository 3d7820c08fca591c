// The networks that the stand-in Native Wi-Fi library and the stand-in Linux
// helper hear, and the cards they answer for: what the end-to-end tests
// expect Kesu.exe's list to show. (Free of the driver layouts: the stand-in
// library sees the platform's own.)
#pragma once

#include <cstdint>

struct CannedNetwork
{
    uint8_t mac[6];
    const char* ssid;  // hidden names are empty (the list shows "(red oculta)")
    bool privacy;
    int32_t rssi;
    uint32_t frequencyKhz;
    bool adhoc;
    const char* channel;  // as the list's channel column shows it
};

constexpr CannedNetwork kCannedNetworks[] = {
    {{0x00, 0x1A, 0x2B, 0x00, 0x00, 0x01}, "Biblioteca", false, -48, 2412000, false, "1"},
    {{0x00, 0x1A, 0x2B, 0x00, 0x00, 0x02}, "Oficina 5G", true, -71, 5180000, false, "36"},
    {{0x00, 0x1A, 0x2B, 0x00, 0x00, 0x03}, "", true, -80, 2437000, false, "6"},
    {{0x00, 0x1A, 0x2B, 0x00, 0x00, 0x04}, "Taller", false, -63, 2462000, true, "11"},
    {{0x00, 0x1A, 0x2B, 0x00, 0x00, 0x05},
     "Un nombre de red de 32 bytes!!!!",
     true,
     -55,
     5745000,
     false,
     "149"},
};
constexpr int kCannedNetworkCount = sizeof kCannedNetworks / sizeof kCannedNetworks[0];

// The Native Wi-Fi interface's GUID, as text and in memory.
constexpr const char kStandInWlanService[] = "{4B455355-0011-4000-8000-00000000A001}";
// The Linux interface the stand-in helper knows, and the card naming it.
constexpr const char kStandInInterface[] = "kesutest0";
constexpr const char kStandInLinuxService[] = "{4B455355-0011-4000-8000-00000000B001}";
constexpr uint8_t kStandInHelperAddress[6] = {0x02, 0x4B, 0x57, 0x4C, 0x41, 0x01};
