// What any real driver's access-point record looks like, checked field by
// field, and the exact record a translated network becomes; shared by the
// card and helper tests on both builds.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "scan/NdisTypes.h"

// Channel centre frequencies in kHz: 2.4 GHz channels 1-14 and the 5 GHz
// channels in use.
inline bool IsValidChannelKhz(uint32_t khz)
{
    if (khz >= 2412000 && khz <= 2472000)
        return (khz - 2412000) % 5000 == 0;
    if (khz == 2484000)
        return true;
    if (khz < 5180000 || khz > 5825000 || khz % 5000 != 0)
        return false;
    const uint32_t channel = (khz - 5000000) / 5000;
    return (channel >= 36 && channel <= 64 && channel % 4 == 0) ||
           (channel >= 100 && channel <= 144 && channel % 4 == 0) ||
           (channel >= 149 && channel <= 165 && (channel - 149) % 4 == 0);
}

inline void ExpectSaneRecord(const NDIS_WLAN_BSSID& e)
{
    EXPECT_EQ(e.Length, 104u);
    EXPECT_EQ(e.MacAddress[0] & 0x01, 0) << "an access point's address is never a group address";
    EXPECT_EQ(e.Reserved[0] | e.Reserved[1], 0);
    EXPECT_LE(e.SsidLength, 32u);
    for (ULONG i = e.SsidLength; i < 32 && e.SsidLength <= 32; ++i)
        EXPECT_EQ(e.Ssid[i], 0);
    for (ULONG i = 0; i < e.SsidLength && e.SsidLength <= 32; ++i)
        EXPECT_NE(e.Ssid[i], 0);
    EXPECT_LE(e.Privacy, 1u);
    EXPECT_GE(e.Rssi, -95);
    EXPECT_LE(e.Rssi, -30);
    EXPECT_GE(e.NetworkTypeInUse, Ndis802_11DS);
    EXPECT_LE(e.NetworkTypeInUse, Ndis802_11OFDM24);
    EXPECT_EQ(e.NetworkTypeInUse == Ndis802_11OFDM5, e.Configuration.DSConfig >= 5000000);
    EXPECT_EQ(e.Configuration.Length, 32u);
    EXPECT_GT(e.Configuration.BeaconPeriod, 0u);
    EXPECT_TRUE(IsValidChannelKhz(e.Configuration.DSConfig)) << e.Configuration.DSConfig;
    EXPECT_EQ(e.Configuration.FHConfig.Length, 16u);
    EXPECT_TRUE(e.InfrastructureMode == Ndis802_11IBSS || e.InfrastructureMode == Ndis802_11Infrastructure);
    EXPECT_NE(e.SupportedRates[0] & 0x80, 0) << "the first rate is a basic rate";
}

// An infrastructure network's record as translated from a modern answer: the
// fields that differ between networks given (eight rates), the rest fixed or zero.
inline NDIS_WLAN_BSSID TranslatedRecord(const uint8_t (&mac)[6], const char* ssid, bool privacy, int32_t rssi,
                                        NDIS_802_11_NETWORK_TYPE type, uint32_t frequencyKhz,
                                        const uint8_t* rates)
{
    NDIS_WLAN_BSSID record;
    std::memset(&record, 0, sizeof record);
    record.Length = 104;
    std::memcpy(record.MacAddress, mac, 6);
    record.SsidLength = static_cast<ULONG>(std::strlen(ssid));
    std::memcpy(record.Ssid, ssid, record.SsidLength);
    record.Privacy = privacy ? 1 : 0;
    record.Rssi = rssi;
    record.NetworkTypeInUse = type;
    record.Configuration.Length = 32;
    record.Configuration.BeaconPeriod = 100;
    record.Configuration.DSConfig = frequencyKhz;
    record.InfrastructureMode = Ndis802_11Infrastructure;
    std::memcpy(record.SupportedRates, rates, 8);
    return record;
}
