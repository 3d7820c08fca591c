// Modern reports turned into legacy records: the information elements the
// rates come from, the record's fields, and the list the records go into.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "driver/BssidRecord.h"
#include "driver/InfoElements.h"
#include "tests/driver/RecordChecks.h"

namespace
{

std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

TEST(InfoElements, RatesComeFromSupportedThenExtendedRates)
{
    uint8_t rates[8];
    auto ies = Bytes({0,  3, 'a',  'b',  'c',  1,    4,    0x82, 0x84, 0x8B, 0x96,
                      50, 8, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C});
    EXPECT_EQ(RatesFromInfoElements(ies.data(), ies.size(), rates), 8u);
    const uint8_t expected[8] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
    EXPECT_EQ(std::memcmp(rates, expected, 8), 0);

    ies = Bytes({0, 0, 221, 2, 1, 2});
    EXPECT_EQ(RatesFromInfoElements(ies.data(), ies.size(), rates), 0u);
    EXPECT_EQ(std::memcmp(rates, "\0\0\0\0\0\0\0\0", 8), 0);
    EXPECT_EQ(RatesFromInfoElements(nullptr, 0, rates), 0u);
}

TEST(InfoElements, AnElementRunningPastTheEndIsNotRead)
{
    // Exact-size buffers, so the sanitizer catches a read beyond them.
    uint8_t rates[8];
    auto ies = Bytes({1, 2, 0x82, 0x84, 50, 9, 0x0C, 0x12});
    EXPECT_EQ(RatesFromInfoElements(ies.data(), ies.size(), rates), 2u);
    ies = Bytes({0, 4, 'a', 'b', 1, 2, 0x82});
    const uint8_t* body = nullptr;
    size_t length = 0;
    EXPECT_FALSE(FindInfoElement(ies.data(), ies.size(), 1, &body, &length));
    ies = Bytes({7});
    EXPECT_FALSE(FindInfoElement(ies.data(), ies.size(), 7, &body, &length)) << "half a header";
    ies = Bytes({7, 0});
    ASSERT_TRUE(FindInfoElement(ies.data(), ies.size(), 7, &body, &length));
    EXPECT_EQ(length, 0u);
}

HeardBss Heard(const std::vector<uint8_t>& ies, const char* ssid)
{
    HeardBss bss;
    const uint8_t mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    std::memcpy(bss.mac, mac, 6);
    bss.ssid = reinterpret_cast<const uint8_t*>(ssid);
    bss.ssidLength = std::strlen(ssid);
    bss.privacy = true;
    bss.rssiDbm = -58;
    bss.frequencyKhz = 2437000;
    bss.mode = Ndis802_11Infrastructure;
    bss.beaconPeriod = 100;
    bss.elements = ies.data();
    bss.elementsSize = ies.size();
    return bss;
}

TEST(BssidRecord, HoldsWhatTheLegacyDriverGave)
{
    const auto ies = Bytes({1, 8, 0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24});
    const NDIS_WLAN_BSSID record = MakeBssidRecord(Heard(ies, "Oficina"));
    const uint8_t mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    const NDIS_WLAN_BSSID expected =
        TranslatedRecord(mac, "Oficina", true, -58, Ndis802_11OFDM24, 2437000, ies.data() + 2);
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof record), 0);
}

TEST(BssidRecord, NamesBandsAndModes)
{
    const auto ies = Bytes({1, 4, 0x82, 0x84, 0x8B, 0x96, 6, 2, 0x20, 0x01});
    HeardBss bss = Heard(ies, "0123456789abcdef0123456789ABCDEFxyz");
    bss.mode = Ndis802_11IBSS;
    bss.privacy = false;
    NDIS_WLAN_BSSID record = MakeBssidRecord(bss);
    EXPECT_EQ(record.SsidLength, 32u) << "a longer name is cut to the field";
    EXPECT_EQ(std::memcmp(record.Ssid, "0123456789abcdef0123456789ABCDEF", 32), 0);
    EXPECT_EQ(record.Privacy, 0u);
    EXPECT_EQ(record.NetworkTypeInUse, Ndis802_11DS);
    EXPECT_EQ(record.InfrastructureMode, Ndis802_11IBSS);
    EXPECT_EQ(record.Configuration.ATIMWindow, 0x120u);

    bss = Heard(ies, "");
    bss.frequencyKhz = 5745000;
    record = MakeBssidRecord(bss);
    EXPECT_EQ(record.SsidLength, 0u);
    EXPECT_EQ(record.NetworkTypeInUse, Ndis802_11OFDM5);
    EXPECT_EQ(record.Configuration.DSConfig, 5745000u);
    EXPECT_EQ(record.Configuration.ATIMWindow, 0u) << "infrastructure networks have none";

    EXPECT_EQ(ModeFromCapability(0x0011), Ndis802_11Infrastructure);
    EXPECT_EQ(ModeFromCapability(0x0012), Ndis802_11IBSS);
    EXPECT_EQ(ModeFromCapability(0x0010), Ndis802_11AutoUnknown);
}

TEST(BssidListWriter, TakesWhatFitsAndNeverMoreThan157)
{
    std::vector<uint8_t> buffer(kBssidListBufferSize, 0xEE);
    BssidListWriter writer(buffer.data(), buffer.size());
    ASSERT_TRUE(writer.Ok());
    NDIS_WLAN_BSSID record = MakeBssidRecord(HeardBss());
    int added = 0;
    for (int i = 0; i < 200; ++i)
        added += writer.Add(record) ? 1 : 0;
    EXPECT_EQ(added, 157);
    uint32_t count;
    std::memcpy(&count, buffer.data(), 4);
    EXPECT_EQ(count, 157u);
    EXPECT_EQ(buffer[4 + 157 * 104], 0xEE) << "nothing written after the last element";

    std::vector<uint8_t> small(4 + 2 * 104 + 50);
    BssidListWriter two(small.data(), small.size());
    EXPECT_TRUE(two.Add(record) && two.Add(record));
    EXPECT_FALSE(two.Add(record));
    std::vector<uint8_t> tiny(3);
    EXPECT_FALSE(BssidListWriter(tiny.data(), tiny.size()).Ok());
}

}  // namespace
