// Channel numbers as people name them, from the centre frequency a driver
// reports in Configuration.DSConfig (kHz).
#pragma once

#include <cstddef>
#include <cstdint>

enum class ChannelBand
{
    Unknown,  // not a centre frequency we know: the driver's value stands as it is
    Ghz24,
    Ghz49,  // the 4.9 GHz public-safety channels, numbered from 4 GHz
    Ghz5,
    Ghz6,
};

struct Channel
{
    ChannelBand band;
    int number;  // the channel in its band; the raw DSConfig when the band is Unknown
};

// Only exact centre frequencies on a band's 5 MHz grid count: anything else
// (a legacy driver that already reports a channel number, 0, garbage) is
// Unknown, so it is shown as the driver gave it.
Channel ChannelOfDsConfig(uint32_t dsConfigKhz);

// The list cell: "6", "36", "1 (6 GHz)", or the raw value as "%d".
void FormatChannelCell(uint32_t dsConfigKhz, char* text, size_t size);
