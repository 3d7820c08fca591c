// The helper's answer files as the driver layer reads them, and the names it
// passes to the helper.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "driver/BssidRecord.h"
#include "driver/Device.h"
#include "driver/GuidText.h"
#include "driver/HelperAnswer.h"

namespace
{

std::vector<uint8_t> ListPayload(uint32_t count, uint32_t claimed)
{
    std::vector<uint8_t> payload(4 + count * sizeof(NDIS_WLAN_BSSID), 0);
    std::memcpy(payload.data(), &claimed, 4);
    for (uint32_t i = 0; i < count; ++i)
        payload[4 + i * sizeof(NDIS_WLAN_BSSID) + 4] = static_cast<uint8_t>(i);
    return payload;
}

TEST(HelperAnswer, OnlyAWholeSuccessfulAnswerIsTaken)
{
    const uint8_t mac[6] = {1, 2, 3, 4, 5, 6};
    std::vector<uint8_t> bytes = EncodeHelperAnswer(0, mac, 6);
    std::vector<uint8_t> payload;
    uint32_t status = 99;
    ASSERT_TRUE(DecodeHelperAnswer(bytes.data(), bytes.size(), &payload, &status));
    EXPECT_EQ(payload, std::vector<uint8_t>(mac, mac + 6));
    EXPECT_EQ(status, 0u);

    for (size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(DecodeHelperAnswer(bytes.data(), cut, &payload, &status)) << cut;
    bytes.push_back(0);
    EXPECT_FALSE(DecodeHelperAnswer(bytes.data(), bytes.size(), &payload, &status)) << "a byte too many";
    bytes = EncodeHelperAnswer(0, mac, 6);
    bytes[0] = 'X';
    EXPECT_FALSE(DecodeHelperAnswer(bytes.data(), bytes.size(), &payload, &status));
    bytes = EncodeHelperAnswer(19, nullptr, 0);
    EXPECT_FALSE(DecodeHelperAnswer(bytes.data(), bytes.size(), &payload, &status));
    EXPECT_EQ(status, 19u);
    const std::vector<uint8_t> big(kHelperMaxPayload + 1);
    bytes = EncodeHelperAnswer(0, big.data(), big.size());
    EXPECT_FALSE(DecodeHelperAnswer(bytes.data(), bytes.size(), &payload, &status));
}

TEST(HelperAnswer, PayloadsFillOnlyWhatTheRequestHolds)
{
    std::vector<uint8_t> out(kBssidListBufferSize, 0xEE);
    ASSERT_TRUE(ApplyHelperPayload(OID_802_11_BSSID_LIST, ListPayload(3, 3), out.data(), 4 + 2 * 104));
    EXPECT_EQ(out[0], 2) << "cut to the buffer";
    EXPECT_EQ(out[4 + 104 + 4], 1);
    EXPECT_EQ(out[4 + 2 * 104], 0xEE);
    EXPECT_FALSE(ApplyHelperPayload(OID_802_11_BSSID_LIST, ListPayload(2, 3), out.data(), 16384))
        << "a count beyond the elements sent";
    EXPECT_FALSE(ApplyHelperPayload(OID_802_11_BSSID_LIST, {1, 0}, out.data(), 16384));
    ASSERT_TRUE(ApplyHelperPayload(OID_802_11_BSSID_LIST, ListPayload(160, 160), out.data(), 16384));
    EXPECT_EQ(out[0], 157);

    const std::vector<uint8_t> mac = {2, 0, 0, 0, 0, 9};
    uint8_t address[6] = {};
    EXPECT_TRUE(ApplyHelperPayload(OID_802_3_CURRENT_ADDRESS, mac, address, 6));
    EXPECT_EQ(address[5], 9);
    EXPECT_FALSE(ApplyHelperPayload(OID_802_3_CURRENT_ADDRESS, {1, 2, 3}, address, 6));
    EXPECT_FALSE(ApplyHelperPayload(OID_802_3_CURRENT_ADDRESS, mac, address, 5));
    EXPECT_TRUE(ApplyHelperPayload(OID_802_11_BSSID_LIST_SCAN, {}, nullptr, 0));
    EXPECT_FALSE(ApplyHelperPayload(0x12345678, {}, nullptr, 0));
}

TEST(HelperAnswer, InterfaceNamesAndGuids)
{
    EXPECT_TRUE(IsLinuxInterfaceName("wlan0"));
    EXPECT_TRUE(IsLinuxInterfaceName("wlp2s0"));
    EXPECT_TRUE(IsLinuxInterfaceName("abcdefghijklmno"));
    for (const char* bad :
         {"", "abcdefghijklmnop", "wl an0", "a/b", "a\"b", "a\\b", "wlan0:1", ".", "..", "\xE1"})
        EXPECT_FALSE(IsLinuxInterfaceName(bad)) << bad;
    EXPECT_FALSE(IsLinuxInterfaceName(nullptr));

    uint8_t guid[16];
    ASSERT_TRUE(ParseGuidText("{00000004-0000-0000-0000-4E6574446576}", guid));
    const uint8_t expected[16] = {4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x4E, 0x65, 0x74, 0x44, 0x65, 0x76};
    EXPECT_EQ(std::memcmp(guid, expected, 16), 0);
    ASSERT_TRUE(ParseGuidText("{a1b2c3d4-e5f6-0718-293a-4b5c6d7e8f90}", guid));
    EXPECT_EQ(guid[0], 0xD4);
    EXPECT_EQ(guid[4], 0xF6);
    EXPECT_EQ(guid[8], 0x29);
    for (const char* bad :
         {"KesuSim", "", "{00000004-0000-0000-0000-4E6574446576", "00000004-0000-0000-0000-4E6574446576",
          "{0000000G-0000-0000-0000-4E6574446576}", "{00000004-0000-0000-0000-4E6574446576}x"})
        EXPECT_FALSE(ParseGuidText(bad, guid)) << bad;
}

}  // namespace
