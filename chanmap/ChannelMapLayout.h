// Window-free model of the channel map: the access points of the last scan per
// band, the busiest band, counts per channel and the pixel geometry of a hump.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "scan/NdisTypes.h"

enum class MapBand : int
{
    Ghz24,
    Ghz5,
    Ghz6,
};
constexpr int kMapBandCount = 3;

struct MapBandRange
{
    int first;
    int last;
};

// Channel numbers each band's axis shows: 1-14, 36-177, 1-233.
MapBandRange MapBandChannels(MapBand band);

// One access point heard in the last scan, as the map draws it.
struct MapAp
{
    MapBand band;
    int channel;
    int32_t rssi;
    char name[kMaxSsidLength + 1];  // empty for a hidden network
    bool tracked;
    uint8_t colour;  // index into the painter's palette, stable per address

    bool operator==(const MapAp& other) const;
    bool operator!=(const MapAp& other) const { return !(*this == other); }
};

// The map's entry for a record, or false when its channel lies in no band the map shows
// (4.9 GHz, a value that is no known centre frequency, a channel off the band's axis).
bool MapApOfRecord(const NDIS_WLAN_BSSID& bssid, bool tracked, MapAp* pAp);

// Access points per band; the busiest band, the lower one on a tie.
std::array<int, kMapBandCount> MapBandCounts(const std::vector<MapAp>& aps);
MapBand MapBusiestBand(const std::array<int, kMapBandCount>& counts);

// Access points per channel of 'band': element i counts channel first + i.
std::vector<int> MapChannelCounts(const std::vector<MapAp>& aps, MapBand band);

// The plot inside a client of cx x cy pixels whose first 'top' rows hold the band buttons;
// right and bottom are the last column and row of the plot.
struct MapBox
{
    int left;
    int top;
    int right;
    int bottom;
};
enum : int
{
    kMapLeftMargin = 42,  // the dBm labels and the heads of the rows under the axis
    kMapTopMargin = 16,   // the name over a hump at the ceiling
    kMapRightMargin = 8,
    kMapBottomMargin = 46,  // channel numbers, then counts in up to two rows, under the axis
    kMapRowHeight = 14,
};
MapBox MapPlotBox(int cx, int cy, int top);

// The signal scale, the graph's: the floor on the axis, the ceiling at the plot's top.
constexpr int kMapFloorDbm = -100;
constexpr int kMapCeilingDbm = -20;

// The axis runs 2 channels (10 MHz) beyond the band's ends so edge humps show whole.
constexpr int kMapAxisPad = 2;
int MapChannelToX(MapBand band, double channel, const MapBox& box);
// Signals outside the scale are held at its ends.
int MapSignalToY(int32_t rssi, const MapBox& box);

// A hump 20 MHz (4 channels) wide: its ends on the axis, its top at the signal.
struct MapPoint
{
    int x;
    int y;
};
constexpr int kMapHumpPoints = 9;
std::array<MapPoint, kMapHumpPoints> MapHumpPoints(MapBand band, int channel, int32_t rssi,
                                                   const MapBox& box);
