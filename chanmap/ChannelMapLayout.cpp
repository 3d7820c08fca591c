// Channel map model: band membership, counts and hump geometry.
#include "chanmap/ChannelMapLayout.h"

#include <cstring>

#include "scan/Channel.h"
#include "scan/NetworkEntry.h"

namespace
{

constexpr MapBandRange kRanges[kMapBandCount] = {{1, 14}, {36, 177}, {1, 233}};

}  // namespace

MapBandRange MapBandChannels(MapBand band)
{
    return kRanges[static_cast<int>(band)];
}

bool MapAp::operator==(const MapAp& other) const
{
    return band == other.band && channel == other.channel && rssi == other.rssi && tracked == other.tracked &&
           colour == other.colour && std::strcmp(name, other.name) == 0;
}

bool MapApOfRecord(const NDIS_WLAN_BSSID& bssid, bool tracked, MapAp* pAp)
{
    const Channel channel = ChannelOfDsConfig(bssid.Configuration.DSConfig);
    MapBand band;
    switch (channel.band)
    {
    case ChannelBand::Ghz24:
        band = MapBand::Ghz24;
        break;
    case ChannelBand::Ghz5:
        band = MapBand::Ghz5;
        break;
    case ChannelBand::Ghz6:
        band = MapBand::Ghz6;
        break;
    default:
        return false;
    }
    const MapBandRange range = MapBandChannels(band);
    if (channel.number < range.first || channel.number > range.last)
        return false;
    pAp->band = band;
    pAp->channel = channel.number;
    pAp->rssi = bssid.Rssi;
    CopySsidText(bssid, pAp->name, sizeof pAp->name);
    pAp->tracked = tracked;
    unsigned hash = 0;
    for (UCHAR byte : bssid.MacAddress)
        hash = hash * 31 + byte;
    pAp->colour = static_cast<uint8_t>(hash);
    return true;
}

std::array<int, kMapBandCount> MapBandCounts(const std::vector<MapAp>& aps)
{
    std::array<int, kMapBandCount> counts = {};
    for (const MapAp& ap : aps)
        ++counts[static_cast<int>(ap.band)];
    return counts;
}

MapBand MapBusiestBand(const std::array<int, kMapBandCount>& counts)
{
    int best = 0;
    for (int i = 1; i < kMapBandCount; ++i)
        if (counts[i] > counts[best])
            best = i;
    return static_cast<MapBand>(best);
}

std::vector<int> MapChannelCounts(const std::vector<MapAp>& aps, MapBand band)
{
    const MapBandRange range = MapBandChannels(band);
    std::vector<int> counts(static_cast<size_t>(range.last - range.first + 1), 0);
    for (const MapAp& ap : aps)
        if (ap.band == band && ap.channel >= range.first && ap.channel <= range.last)
            ++counts[static_cast<size_t>(ap.channel - range.first)];
    return counts;
}

MapBox MapPlotBox(int cx, int cy, int top)
{
    return {kMapLeftMargin, top + kMapTopMargin, cx - kMapRightMargin, cy - kMapBottomMargin};
}

int MapChannelToX(MapBand band, double channel, const MapBox& box)
{
    const MapBandRange range = MapBandChannels(band);
    const double first = range.first - kMapAxisPad;
    const double span = range.last - range.first + 2 * kMapAxisPad;
    return box.left + static_cast<int>((channel - first) * (box.right - box.left) / span + 0.5);
}

int MapSignalToY(int32_t rssi, const MapBox& box)
{
    const int32_t held = rssi < kMapFloorDbm ? kMapFloorDbm : (rssi > kMapCeilingDbm ? kMapCeilingDbm : rssi);
    const double span = kMapCeilingDbm - kMapFloorDbm;
    return box.bottom - static_cast<int>((held - kMapFloorDbm) * (box.bottom - box.top) / span + 0.5);
}

std::array<MapPoint, kMapHumpPoints> MapHumpPoints(MapBand band, int channel, int32_t rssi, const MapBox& box)
{
    // A parabola: steep sides, a rounded top, as people know it from other maps.
    std::array<MapPoint, kMapHumpPoints> points;
    const int yTop = MapSignalToY(rssi, box);
    const int half = kMapHumpPoints / 2;
    for (int i = 0; i < kMapHumpPoints; ++i)
    {
        const double t = static_cast<double>(i - half) / half;
        points[static_cast<size_t>(i)].x = MapChannelToX(band, channel + 2.0 * t, box);
        points[static_cast<size_t>(i)].y =
            box.bottom - static_cast<int>((box.bottom - yTop) * (1.0 - t * t) + 0.5);
    }
    return points;
}
