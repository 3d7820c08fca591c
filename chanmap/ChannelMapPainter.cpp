// The channel map's drawing: scale, axis and labels, humps and names, counts.
#include "chanmap/ChannelMapPainter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "afx/Pen.h"
#include "afx/Font.h"

namespace
{

constexpr COLORREF kPalette[kMapPaletteSize] = {
    RGB(255, 80, 80),  RGB(80, 220, 80),  RGB(90, 140, 255),  RGB(255, 160, 40),
    RGB(230, 90, 230), RGB(170, 200, 60), RGB(255, 120, 160), RGB(150, 120, 255),
};
constexpr int kLabelGap = 4;

// The channels a band's axis may name, thinned later where they would touch.
std::vector<int> AxisChannels(MapBand band)
{
    std::vector<int> channels;
    const MapBandRange range = MapBandChannels(band);
    switch (band)
    {
    case MapBand::Ghz24:
        for (int c = range.first; c <= range.last; ++c)
            channels.push_back(c);
        break;
    case MapBand::Ghz5:
        for (int c : {36, 52, 64, 100, 116, 132, 144, 149, 165, 177})
            channels.push_back(c);
        break;
    case MapBand::Ghz6:
        for (int c = range.first; c <= range.last; c += 32)
            channels.push_back(c);
        break;
    }
    return channels;
}

int TextWidth(const CDC& dc, const char* text)
{
    return dc.GetTextExtent(text, static_cast<int>(std::strlen(text))).cx;
}

void DrawScale(CDC& dc, const MapBox& box, const MapTexts& texts)
{
    CPen penGrid(PS_SOLID, 0, kMapGrid);
    HGDIOBJ hOldPen = dc.SelectObject(&penGrid);
    dc.MoveTo(box.left - 1, box.top);
    dc.LineTo(box.left - 1, box.bottom + 1);
    dc.LineTo(box.right + 1, box.bottom + 1);
    dc.SelectGdiObject(hOldPen);
    for (int dbm = kMapFloorDbm + 20; dbm < kMapCeilingDbm; dbm += 20)
    {
        const int y = MapSignalToY(dbm, box);
        for (int x = box.left; x < box.right; x += 4)
            dc.SetPixel(x, y, kMapGrid);
    }
    dc.SetTextColor(kMapGrid);
    char label[16];
    for (int dbm : {kMapCeilingDbm, (kMapCeilingDbm + kMapFloorDbm) / 2, kMapFloorDbm})
    {
        std::snprintf(label, sizeof label, "%d", dbm);
        dc.SetTextAlign(dbm == kMapFloorDbm ? TA_RIGHT | TA_BASELINE : TA_RIGHT | TA_TOP);
        dc.TextOut(box.left - kLabelGap, MapSignalToY(dbm, box), label);
    }
    dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    dc.TextOut(box.left - kLabelGap, box.top - 1, texts.dbm);
    dc.TextOut(box.right, box.top - 1, texts.width);
}

void DrawAxisLabels(CDC& dc, MapBand band, const MapBox& box, const MapTexts& texts)
{
    const int y = box.bottom + 3;
    dc.SetTextColor(kMapGrid);
    dc.SetTextAlign(TA_RIGHT | TA_TOP);
    dc.TextOut(box.left - kLabelGap, y, texts.channel);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    int lastRight = box.left - kMapLeftMargin;
    char label[16];
    for (int channel : AxisChannels(band))
    {
        std::snprintf(label, sizeof label, "%d", channel);
        const int x = MapChannelToX(band, channel, box);
        const int half = TextWidth(dc, label) / 2;
        if (x - half <= lastRight + kLabelGap)
            continue;
        dc.TextOut(x, y, label);
        lastRight = x + half;
    }
}

// Counts that would touch their left neighbour drop to a second row, so every count shows.
void DrawCounts(CDC& dc, MapBand band, const std::vector<MapAp>& aps, const MapBox& box,
                const MapTexts& texts)
{
    const int y = box.bottom + 3 + kMapRowHeight;
    dc.SetTextColor(kMapCounts);
    dc.SetTextAlign(TA_RIGHT | TA_TOP);
    dc.TextOut(box.left - kLabelGap, y, texts.networks);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    const std::vector<int> counts = MapChannelCounts(aps, band);
    const int first = MapBandChannels(band).first;
    int lastRight[2] = {box.left - kMapLeftMargin, box.left - kMapLeftMargin};
    // Digits share one width in the face used, so a count is measured without asking the font each time.
    const int digitWidth = TextWidth(dc, "0");
    char label[16];
    for (size_t i = 0; i < counts.size(); ++i)
    {
        if (counts[i] == 0)
            continue;
        const int length = std::snprintf(label, sizeof label, "%d", counts[i]);
        const int x = MapChannelToX(band, first + static_cast<int>(i), box);
        const int half = length * digitWidth / 2;
        const int row = x - half > lastRight[0] + 1 ? 0 : 1;
        dc.TextOut(x, y + row * kMapRowHeight, label);
        lastRight[row] = x + half;
    }
}

// All humps of one pen in one call: a thousand access points cost a few calls, not a thousand.
void DrawHumps(CDC& dc, CPen& pen, const std::vector<MapAp>& aps, MapBand band, bool tracked, uint8_t colour,
               const MapBox& box)
{
    std::vector<POINT> points;
    std::vector<DWORD> counts;
    for (const MapAp& ap : aps)
    {
        if (ap.band != band || ap.tracked != tracked || (!tracked && ap.colour % kMapPaletteSize != colour))
            continue;
        for (const MapPoint& point : MapHumpPoints(ap.band, ap.channel, ap.rssi, box))
            points.push_back({point.x, point.y});
        counts.push_back(kMapHumpPoints);
    }
    if (counts.empty())
        return;
    HGDIOBJ hOldPen = dc.SelectObject(&pen);
    dc.PolyPolyline(points.data(), counts.data(), static_cast<int>(counts.size()));
    dc.SelectGdiObject(hOldPen);
}

bool Overlaps(const std::vector<RECT>& taken, const RECT& rc)
{
    for (const RECT& other : taken)
        if (rc.left < other.right && other.left < rc.right && rc.top < other.bottom && other.top < rc.bottom)
            return true;
    return false;
}

// Names over their humps: the tracked one first, then the strongest; a name that would cover one
// already written is left out, so a crowded band stays readable and costs a few dozen texts.
void DrawNames(CDC& dc, MapBand band, const std::vector<MapAp>& aps, const MapBox& box, const MapTexts& texts)
{
    std::vector<const MapAp*> order;
    for (const MapAp& ap : aps)
        if (ap.band == band)
            order.push_back(&ap);
    std::stable_sort(order.begin(), order.end(), [](const MapAp* a, const MapAp* b) {
        return a->tracked != b->tracked ? a->tracked : a->rssi > b->rssi;
    });
    const int height = dc.GetTextExtent("Ag", 2).cy;
    std::vector<RECT> taken;
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    for (const MapAp* pAp : order)
    {
        int x = MapChannelToX(band, pAp->channel, box);
        const int y = MapSignalToY(pAp->rssi, box) - (pAp->tracked ? kMapTrackedPenWidth : 1);
        const RECT anchor = {x, y - height / 2, x + 1, y - height / 2 + 1};
        if (Overlaps(taken, anchor))
            continue;
        const char* name = pAp->name[0] ? pAp->name : texts.hidden;
        const int half = TextWidth(dc, name) / 2 + 1;
        // Kept off the scale's labels and inside the map at the band's ends.
        x = std::max(box.left + half, std::min(x, box.right + kMapRightMargin - half));
        const RECT rc = {x - half, y - height, x + half, y};
        if (Overlaps(taken, rc))
            continue;
        taken.push_back(rc);
        dc.SetTextColor(pAp->tracked ? kMapTracked : MapPaletteColour(pAp->colour));
        dc.TextOut(x, y, name);
    }
}

}  // namespace

COLORREF MapPaletteColour(uint8_t colour)
{
    return kPalette[colour % kMapPaletteSize];
}

void PaintChannelMap(CDC& dc, int cx, int cy, int top, MapBand band, const std::vector<MapAp>& aps,
                     const MapTexts& texts)
{
    dc.FillSolidRect(0, 0, cx, top, GetSysColor(COLOR_BTNFACE));
    dc.FillSolidRect(0, top, cx, cy - top, kMapBackground);
    const MapBox box = MapPlotBox(cx, cy, top);
    if (box.right - box.left < 8 || box.bottom - box.top < 8)
        return;

    CFont font;
    font.CreateFont(14, 0, 0, 0, 300, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
    HGDIOBJ hOldFont = dc.SelectObject(&font);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);

    DrawScale(dc, box, texts);
    DrawAxisLabels(dc, band, box, texts);

    for (int i = 0; i < kMapPaletteSize; ++i)
    {
        CPen pen(PS_SOLID, 0, kPalette[i]);
        DrawHumps(dc, pen, aps, band, false, static_cast<uint8_t>(i), box);
    }
    // The tracked one last, so nothing hides it.
    CPen penTracked(PS_SOLID, kMapTrackedPenWidth, kMapTracked);
    DrawHumps(dc, penTracked, aps, band, true, 0, box);

    DrawNames(dc, band, aps, box, texts);
    DrawCounts(dc, band, aps, box, texts);
    dc.SetBkMode(nOldMode);
    dc.SelectGdiObject(hOldFont);
}
