// The access points of a day's drive, for the benchmarks: distinct
// (locally administered) addresses, names, channels and signals, every tenth
// one annotated.
#pragma once

#include <cstdio>
#include <cstring>

#include "scan/NetworkEntry.h"

// Makes 'entry' the i-th access point of the drive.
inline void FillDayDriveEntry(CNetworkEntry& entry, int i)
{
    NDIS_WLAN_BSSID& b = entry.m_bssid;
    b.Length = sizeof b;
    const UCHAR mac[kMacAddressLength] = {
        0x02, 0x1C, 0x7E, static_cast<UCHAR>(i >> 16), static_cast<UCHAR>(i >> 8), static_cast<UCHAR>(i)};
    std::memcpy(b.MacAddress, mac, sizeof mac);
    b.SsidLength =
        static_cast<ULONG>(std::snprintf(reinterpret_cast<char*>(b.Ssid), sizeof b.Ssid, "Red %06d", i));
    b.Privacy = i % 3 == 0;
    b.Rssi = -40 - i % 50;
    b.Configuration.DSConfig = 2412000 + 5000 * (i % 13);
    b.InfrastructureMode = Ndis802_11Infrastructure;
    if (i % 10 == 0)
        entry.m_strAnnotation = "esquina con semaforo";
}
