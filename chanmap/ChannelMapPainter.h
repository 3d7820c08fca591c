// Drawing of the channel map into any device context: the signal scale, the band's channel axis,
// one hump per access point with its name on top, and the access points per channel under the axis.
#pragma once

#include <vector>

#include "afx/AfxSetup.h"
#include "afx/Dc.h"
#include "chanmap/ChannelMapLayout.h"

// The graph's colours: its background, its grid for scale and labels, its trace for the tracked one.
constexpr COLORREF kMapBackground = RGB(0, 0, 0);
constexpr COLORREF kMapGrid = RGB(0, 255, 255);
constexpr COLORREF kMapTracked = RGB(255, 255, 255);
constexpr COLORREF kMapCounts = RGB(255, 255, 0);
constexpr int kMapPaletteSize = 8;
COLORREF MapPaletteColour(uint8_t colour);
constexpr int kMapTrackedPenWidth = 3;

// Language texts the map shows; none may be null.
struct MapTexts
{
    const char* hidden;    // a network that sends no name
    const char* dbm;       // unit of the scale
    const char* channel;   // heads the channel numbers
    const char* networks;  // heads the counts
    const char* width;     // the assumed width of every hump
};

// Paints the whole cx x cy client: the first 'top' rows in the system's button face (the band
// buttons lie there), the map below them.
void PaintChannelMap(CDC& dc, int cx, int cy, int top, MapBand band, const std::vector<MapAp>& aps,
                     const MapTexts& texts);
