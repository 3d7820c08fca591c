// The channel map's model: which records it shows in which band, the counts, and a hump's geometry.
#include <gtest/gtest.h>

#include <cstring>

#include "chanmap/ChannelMapLayout.h"

namespace
{

NDIS_WLAN_BSSID Record(uint32_t khz, const char* name, int32_t rssi, UCHAR lastMacByte = 1)
{
    NDIS_WLAN_BSSID bssid = {};
    bssid.Length = sizeof bssid;
    bssid.MacAddress[5] = lastMacByte;
    bssid.SsidLength = static_cast<ULONG>(std::strlen(name));
    std::memcpy(bssid.Ssid, name, bssid.SsidLength);
    bssid.Rssi = rssi;
    bssid.Configuration.DSConfig = khz;
    return bssid;
}

MapAp On(MapBand band, int channel)
{
    MapAp ap = {};
    ap.band = band;
    ap.channel = channel;
    ap.rssi = -50;
    return ap;
}

}  // namespace

TEST(ChannelMapModel, RecordsOfTheThreeBandsAreShownAndOthersAreNot)
{
    MapAp ap = {};
    ASSERT_TRUE(MapApOfRecord(Record(2437000, "Casa", -40), true, &ap));
    EXPECT_EQ(MapBand::Ghz24, ap.band);
    EXPECT_EQ(6, ap.channel);
    EXPECT_EQ(-40, ap.rssi);
    EXPECT_STREQ("Casa", ap.name);
    EXPECT_TRUE(ap.tracked);
    ASSERT_TRUE(MapApOfRecord(Record(2484000, "", -70), false, &ap));
    EXPECT_EQ(14, ap.channel);
    EXPECT_STREQ("", ap.name) << "hidden: the painter names it";
    ASSERT_TRUE(MapApOfRecord(Record(5745000, "Oficina", -60), false, &ap));
    EXPECT_EQ(MapBand::Ghz5, ap.band);
    EXPECT_EQ(149, ap.channel);
    ASSERT_TRUE(MapApOfRecord(Record(6135000, "Nueva", -60), false, &ap));
    EXPECT_EQ(MapBand::Ghz6, ap.band);
    EXPECT_EQ(37, ap.channel);
    // 4.9 GHz, a legacy channel number, a frequency off the grid: on no axis of the map.
    for (uint32_t khz : {4940000u, 6u, 2413000u, 0u})
        EXPECT_FALSE(MapApOfRecord(Record(khz, "x", -50), false, &ap)) << khz;

    // The colour follows the address, so a hump keeps it from scan to scan.
    MapAp a = {}, b = {}, c = {};
    MapApOfRecord(Record(2412000, "a", -50, 7), false, &a);
    MapApOfRecord(Record(2462000, "b", -80, 7), false, &b);
    MapApOfRecord(Record(2412000, "a", -50, 8), false, &c);
    EXPECT_EQ(a.colour, b.colour);
    EXPECT_NE(a.colour, c.colour);
}

TEST(ChannelMapModel, BusiestBandComesFirstAndCountsArePerChannel)
{
    const std::vector<MapAp> aps = {On(MapBand::Ghz24, 1),  On(MapBand::Ghz5, 36),  On(MapBand::Ghz5, 36),
                                    On(MapBand::Ghz5, 177), On(MapBand::Ghz24, 14), On(MapBand::Ghz6, 233)};
    const auto counts = MapBandCounts(aps);
    EXPECT_EQ(2, counts[0]);
    EXPECT_EQ(3, counts[1]);
    EXPECT_EQ(1, counts[2]);
    EXPECT_EQ(MapBand::Ghz5, MapBusiestBand(counts));
    EXPECT_EQ(MapBand::Ghz24, MapBusiestBand({2, 2, 2})) << "a tie goes to the lower band";
    EXPECT_EQ(MapBand::Ghz6, MapBusiestBand({0, 1, 4}));

    const std::vector<int> five = MapChannelCounts(aps, MapBand::Ghz5);
    ASSERT_EQ(177u - 36u + 1u, five.size());
    EXPECT_EQ(2, five.front());
    EXPECT_EQ(1, five.back());
    int total = 0;
    for (int n : five)
        total += n;
    EXPECT_EQ(3, total);
    const std::vector<int> two = MapChannelCounts(aps, MapBand::Ghz24);
    ASSERT_EQ(14u, two.size());
    EXPECT_EQ(1, two[0]);
    EXPECT_EQ(1, two[13]);
}

TEST(ChannelMapModel, HumpIsTwentyMegahertzWideOnTheAxisWithItsTopAtTheSignal)
{
    const MapBox box = MapPlotBox(300, 220, 24);
    EXPECT_EQ(kMapLeftMargin, box.left);
    EXPECT_EQ(24 + kMapTopMargin, box.top);
    EXPECT_EQ(300 - kMapRightMargin, box.right);
    EXPECT_EQ(220 - kMapBottomMargin, box.bottom);
    EXPECT_EQ(box.top, MapSignalToY(kMapCeilingDbm, box));
    EXPECT_EQ(box.bottom, MapSignalToY(kMapFloorDbm, box));
    EXPECT_EQ(box.top, MapSignalToY(10, box)) << "held at the ceiling";
    EXPECT_EQ(box.bottom, MapSignalToY(-130, box)) << "held at the floor";
    // The axis runs two channels past each end of the band.
    for (MapBand band : {MapBand::Ghz24, MapBand::Ghz5, MapBand::Ghz6})
    {
        const MapBandRange range = MapBandChannels(band);
        EXPECT_EQ(box.left, MapChannelToX(band, range.first - 2, box));
        EXPECT_EQ(box.right, MapChannelToX(band, range.last + 2, box));
    }

    const auto hump = MapHumpPoints(MapBand::Ghz24, 6, -40, box);
    EXPECT_EQ(MapChannelToX(MapBand::Ghz24, 4, box), hump.front().x);
    EXPECT_EQ(MapChannelToX(MapBand::Ghz24, 8, box), hump.back().x);
    EXPECT_EQ(box.bottom, hump.front().y);
    EXPECT_EQ(box.bottom, hump.back().y);
    EXPECT_EQ(MapChannelToX(MapBand::Ghz24, 6, box), hump[kMapHumpPoints / 2].x);
    EXPECT_EQ(MapSignalToY(-40, box), hump[kMapHumpPoints / 2].y);
    for (int i = 1; i <= kMapHumpPoints / 2; ++i)
    {
        EXPECT_LE(hump[static_cast<size_t>(i)].y, hump[static_cast<size_t>(i - 1)].y) << "rises to the top";
        EXPECT_EQ(hump[static_cast<size_t>(i)].y, hump[static_cast<size_t>(kMapHumpPoints - 1 - i)].y);
    }
}
