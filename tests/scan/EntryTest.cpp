// Network entry defaults and the record helpers readers rely on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scan/NetworkEntry.h"

TEST(NetworkEntry, StartsEmptyAndZeroed)
{
    CNetworkEntry entry;
    const NDIS_WLAN_BSSID zero = {};
    EXPECT_EQ(0, std::memcmp(&entry.m_bssid, &zero, sizeof zero));
    EXPECT_EQ(0, entry.m_bSeen);
    EXPECT_EQ(0, entry.m_bAnnounced);
    EXPECT_EQ(nullptr, entry.m_pNext);
    const SYSTEMTIME noTime = {};
    EXPECT_EQ(0, std::memcmp(&entry.m_timeFirstSeen, &noTime, sizeof noTime));
    EXPECT_TRUE(entry.m_strAnnotation.empty());
}

TEST(NetworkEntry, SsidTextIsClampedAndLeavesTheRecordAlone)
{
    NDIS_WLAN_BSSID b = {};
    std::memset(b.Ssid, 'n', sizeof b.Ssid);
    b.Ssid[31] = 'z';
    b.Privacy = 0x58585858;  // "XXXX" right after the name: must never leak into it
    const NDIS_WLAN_BSSID before = b;
    char text[kMaxSsidLength + 1];

    b.SsidLength = 0;
    EXPECT_EQ(0u, CopySsidText(b, text, sizeof text));
    EXPECT_STREQ("", text);

    b.SsidLength = 32;
    EXPECT_EQ(32u, CopySsidText(b, text, sizeof text));
    EXPECT_EQ(std::string(31, 'n') + "z", text);

    // Beyond what the interface allows: still only the 32 name bytes.
    for (ULONG length : {33u, 1000u, 0xFFFFFFFFu})
    {
        b.SsidLength = length;
        EXPECT_EQ(32u, CopySsidText(b, text, sizeof text));
        EXPECT_EQ(std::string::npos, std::string(text).find('X'));
    }

    // A short buffer cuts the name and still terminates it.
    char small[4];
    b.SsidLength = 32;
    EXPECT_EQ(3u, CopySsidText(b, small, sizeof small));
    EXPECT_STREQ("nnn", small);
    EXPECT_EQ(0u, CopySsidText(b, small, 0));

    b.SsidLength = before.SsidLength;
    EXPECT_EQ(0, std::memcmp(&before, &b, sizeof b));
}

TEST(NetworkEntry, OnlyPrivacyOneIsEncrypted)
{
    NDIS_WLAN_BSSID b = {};
    EXPECT_FALSE(IsEncrypted(b));
    b.Privacy = 1;
    EXPECT_TRUE(IsEncrypted(b));
    b.Privacy = 2;
    EXPECT_FALSE(IsEncrypted(b));
    b.Privacy = 0x00000101;
    EXPECT_FALSE(IsEncrypted(b));
}
