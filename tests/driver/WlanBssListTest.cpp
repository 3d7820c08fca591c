// Native Wi-Fi lists, laid out byte for byte as the API returns them,
// translated into the legacy list answer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "driver/WlanBssList.h"
#include "scan/NdisTypes.h"
#include "tests/driver/RecordChecks.h"

namespace
{

const uint8_t kRateElement[6] = {1, 4, 0x82, 0x84, 0x0B, 0x16};

struct Entry
{
    std::string ssid;
    uint32_t ssidLength = UINT32_MAX;  // the name's length unless set
    uint8_t last = 1;
    uint32_t bssType = kWlanInfrastructure;
    int32_t rssi = -60;
    uint16_t capability = 0x0001;
    uint32_t frequency = 2412000;
    std::vector<uint8_t> elements = std::vector<uint8_t>(kRateElement, kRateElement + sizeof kRateElement);
};

template <class T>
void Put(std::vector<uint8_t>& image, size_t at, T value)
{
    std::memcpy(&image[at], &value, sizeof value);
}

// Entries first, then each entry's elements, as the API lays them out.
std::vector<uint8_t> Image(const std::vector<Entry>& entries, uint32_t claimed = UINT32_MAX)
{
    size_t size = kWlanListEntries + entries.size() * kWlanEntrySize;
    for (const Entry& e : entries)
        size += e.elements.size();
    std::vector<uint8_t> image(size, 0);
    Put<uint32_t>(image, kWlanListTotalSize, static_cast<uint32_t>(size));
    Put<uint32_t>(image, kWlanListCount,
                  claimed == UINT32_MAX ? static_cast<uint32_t>(entries.size()) : claimed);
    size_t ies = kWlanListEntries + entries.size() * kWlanEntrySize;
    for (size_t i = 0; i < entries.size(); ++i)
    {
        const Entry& e = entries[i];
        const size_t at = kWlanListEntries + i * kWlanEntrySize;
        Put<uint32_t>(image, at + kWlanSsidLength,
                      e.ssidLength == UINT32_MAX ? static_cast<uint32_t>(e.ssid.size()) : e.ssidLength);
        std::memcpy(&image[at + kWlanSsid], e.ssid.data(), std::min<size_t>(e.ssid.size(), 32));
        const uint8_t mac[6] = {0x00, 0x24, 0x01, 0x02, static_cast<uint8_t>(i >> 8), e.last};
        std::memcpy(&image[at + kWlanBssid], mac, 6);
        Put<uint32_t>(image, at + kWlanBssType, e.bssType);
        Put<int32_t>(image, at + kWlanRssi, e.rssi);
        Put<uint16_t>(image, at + kWlanBeaconPeriod, 100);
        Put<uint16_t>(image, at + kWlanCapability, e.capability);
        Put<uint32_t>(image, at + kWlanCenterFrequency, e.frequency);
        Put<uint32_t>(image, at + kWlanIeOffset, static_cast<uint32_t>(ies - at));
        Put<uint32_t>(image, at + kWlanIeSize, static_cast<uint32_t>(e.elements.size()));
        std::memcpy(&image[ies], e.elements.data(), e.elements.size());
        ies += e.elements.size();
    }
    return image;
}

std::vector<NDIS_WLAN_BSSID> Translate(const std::vector<uint8_t>& image)
{
    std::vector<uint8_t> out(kBssidListBufferSize, 0);
    EXPECT_TRUE(TranslateWlanBssList(image.data(), image.size(), out.data(), out.size()));
    uint32_t count;
    std::memcpy(&count, out.data(), 4);
    std::vector<NDIS_WLAN_BSSID> records(count);
    std::memcpy(records.data(), out.data() + 4, count * sizeof(NDIS_WLAN_BSSID));
    return records;
}

TEST(WlanBssList, EachEntryBecomesTheRecordTheLegacyDriverGave)
{
    Entry open;
    open.ssid = "Biblioteca";
    Entry locked;
    locked.ssid = std::string(32, 'W');
    locked.last = 2;
    locked.capability = 0x0011;
    locked.frequency = 5500000;
    locked.rssi = -81;
    locked.elements = {1, 8, 0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
    Entry hidden;
    hidden.last = 3;
    Entry adhoc;
    adhoc.ssid = "Taller";
    adhoc.last = 4;
    adhoc.bssType = kWlanIndependent;
    adhoc.capability = 0x0002;
    const auto records = Translate(Image({open, locked, hidden, adhoc}));
    ASSERT_EQ(records.size(), 4u);

    const uint8_t mac[6] = {0x00, 0x24, 0x01, 0x02, 0x00, 0x01};
    const uint8_t rates[8] = {0x82, 0x84, 0x0B, 0x16};
    const NDIS_WLAN_BSSID expected =
        TranslatedRecord(mac, "Biblioteca", false, -60, Ndis802_11DS, 2412000, rates);
    EXPECT_EQ(std::memcmp(&records[0], &expected, sizeof expected), 0);

    EXPECT_EQ(records[1].SsidLength, 32u);
    EXPECT_EQ(std::memcmp(records[1].Ssid, std::string(32, 'W').data(), 32), 0);
    EXPECT_EQ(records[1].Privacy, 1u);
    EXPECT_EQ(records[1].Rssi, -81);
    EXPECT_EQ(records[1].Configuration.DSConfig, 5500000u);
    EXPECT_EQ(records[1].NetworkTypeInUse, Ndis802_11OFDM5);
    EXPECT_EQ(std::memcmp(records[1].SupportedRates, locked.elements.data() + 2, 8), 0);
    EXPECT_EQ(records[2].SsidLength, 0u);
    EXPECT_EQ(records[2].MacAddress[5], 3);
    EXPECT_EQ(records[3].InfrastructureMode, Ndis802_11IBSS);
}

TEST(WlanBssList, NothingOutsideTheListIsRead)
{
    Entry liar;
    liar.ssid = "Largo";
    liar.ssidLength = 200;
    auto records = Translate(Image({liar}));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].SsidLength, 32u) << "a length beyond the field is cut to it";

    // Elements said to lie beyond the list, or to wrap around: not read.
    std::vector<uint8_t> image = Image({Entry()});
    uint32_t offset = static_cast<uint32_t>(image.size());
    std::memcpy(&image[kWlanListEntries + kWlanIeOffset], &offset, 4);
    records = Translate(image);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].SupportedRates[0], 0);
    image = Image({Entry()});
    const uint32_t huge = 0xFFFFFFF0u;
    std::memcpy(&image[kWlanListEntries + kWlanIeSize], &huge, 4);
    EXPECT_EQ(Translate(image)[0].SupportedRates[0], 0);
    // Elements that start inside the list but end one byte past it: not read.
    image = Image({Entry()});
    const uint32_t over = sizeof kRateElement + 1;
    std::memcpy(&image[kWlanListEntries + kWlanIeSize], &over, 4);
    EXPECT_EQ(Translate(image)[0].SupportedRates[0], 0);

    // A count that claims more entries than the list holds.
    image = Image({Entry(), Entry()}, 9);
    EXPECT_EQ(Translate(image).size(), 2u);
    image.resize(kWlanListEntries + kWlanEntrySize + 100);
    EXPECT_EQ(Translate(image).size(), 1u) << "a partial entry is not read";
    const uint8_t header[7] = {};
    std::vector<uint8_t> out(kBssidListBufferSize);
    EXPECT_TRUE(TranslateWlanBssList(header, sizeof header, out.data(), out.size()));
    EXPECT_EQ(out[0], 0);
}

TEST(WlanBssList, MoreEntriesThanTheBufferHoldsAreCutAt157)
{
    std::vector<Entry> many(200);
    const auto records = Translate(Image(many));
    EXPECT_EQ(records.size(), 157u);
    std::vector<uint8_t> out(3);
    EXPECT_FALSE(TranslateWlanBssList(Image(many).data(), Image(many).size(), out.data(), out.size()));
}

}  // namespace
