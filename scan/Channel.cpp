// Channel numbering of the 2.4, 4.9, 5 and 6 GHz bands.
#include "scan/Channel.h"

#include <cstdio>

namespace
{

struct BandGrid
{
    ChannelBand band;
    uint32_t firstMhz;
    uint32_t lastMhz;
    uint32_t baseMhz;  // the frequency of channel 0 on this grid
};

// Checked in order; the ranges do not overlap.
constexpr BandGrid kGrids[] = {
    {ChannelBand::Ghz24, 2412, 2472, 2407},
    {ChannelBand::Ghz49, 4910, 4990, 4000},
    {ChannelBand::Ghz5, 5005, 5920, 5000},
    {ChannelBand::Ghz6, 5955, 7115, 5950},
};

}  // namespace

Channel ChannelOfDsConfig(uint32_t dsConfigKhz)
{
    const Channel unknown{ChannelBand::Unknown, static_cast<int>(dsConfigKhz)};
    if (dsConfigKhz % 1000 != 0)
        return unknown;
    const uint32_t mhz = dsConfigKhz / 1000;
    // Channel 14 (Japan, 802.11b only) and 6 GHz channel 2 sit off their grids.
    if (mhz == 2484)
        return {ChannelBand::Ghz24, 14};
    if (mhz == 5935)
        return {ChannelBand::Ghz6, 2};
    for (const BandGrid& grid : kGrids)
    {
        if (mhz >= grid.firstMhz && mhz <= grid.lastMhz)
        {
            if ((mhz - grid.baseMhz) % 5 != 0)
                return unknown;
            return {grid.band, static_cast<int>((mhz - grid.baseMhz) / 5)};
        }
    }
    return unknown;
}

void FormatChannelCell(uint32_t dsConfigKhz, char* text, size_t size)
{
    if (text == nullptr || size == 0)
        return;
    const Channel channel = ChannelOfDsConfig(dsConfigKhz);
    std::snprintf(text, size, channel.band == ChannelBand::Ghz6 ? "%d (6 GHz)" : "%d", channel.number);
}
