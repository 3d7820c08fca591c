// The channel map drawn for real: small known scenes read back pixel by pixel, and the control's
// band buttons and redraws.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "afx/WinApp.h"
#include "afx/Rect.h"
#include "chanmap/ChannelMap.h"
#include "chanmap/ChannelMapPainter.h"
#include "tests/graph/MemorySurface.h"

namespace
{

constexpr int kCx = 300, kCy = 240;
const MapTexts kTexts = {"(red oculta)", "dBm", "canal", "redes", "20 MHz por red"};
const MapBox kBox = MapPlotBox(kCx, kCy, 0);

MapAp Ap(MapBand band, int channel, int32_t rssi, const char* name, uint8_t colour, bool tracked = false)
{
    MapAp ap = {};
    ap.band = band;
    ap.channel = channel;
    ap.rssi = rssi;
    std::strncpy(ap.name, name, sizeof ap.name - 1);
    ap.colour = colour;
    ap.tracked = tracked;
    return ap;
}

struct Scene
{
    MemorySurface surface{kCx, kCy};
    MapBand band;

    Scene(MapBand shown, const std::vector<MapAp>& aps) : band(shown)
    {
        PaintChannelMap(surface.dc, kCx, kCy, 0, band, aps, kTexts);
    }
    COLORREF Peak(int channel, int32_t rssi, int dy = 0) const
    {
        return surface.Pixel(MapChannelToX(band, channel, kBox), MapSignalToY(rssi, kBox) + dy);
    }
    // Pixels of 'colour' in the count rows under a channel.
    int CountPixels(int channel, COLORREF colour = kMapCounts) const
    {
        const int x = MapChannelToX(band, channel, kBox);
        int n = 0;
        for (int y = kBox.bottom + 3 + kMapRowHeight; y < kCy; ++y)
            for (int dx = -5; dx <= 5; ++dx)
                n += surface.Pixel(x + dx, y) == colour;
        return n;
    }
    // Pixels of 'colour' anywhere on the plot.
    int PlotPixels(COLORREF colour) const
    {
        int n = 0;
        for (int y = kBox.top; y <= kBox.bottom; ++y)
            for (int x = kBox.left; x <= kBox.right; ++x)
                n += surface.Pixel(x, y) == colour;
        return n;
    }
};

}  // namespace

TEST(ChannelMapPaint, OneAccessPointOnChannelSixAtMinusForty)
{
    const COLORREF red = MapPaletteColour(0);
    Scene scene(MapBand::Ghz24, {Ap(MapBand::Ghz24, 6, -40, "Casa", 0)});
    EXPECT_EQ(red, scene.Peak(6, -40));
    EXPECT_EQ(kMapBackground, scene.Peak(6, -40, -1)) << "nothing above its top but the name";
    EXPECT_EQ(kMapBackground, scene.Peak(6, -40, 2)) << "an outline, one pixel";
    // Its foot on the axis 10 MHz below its channel, nothing a channel further out.
    EXPECT_EQ(red, scene.surface.Pixel(MapChannelToX(MapBand::Ghz24, 4, kBox), kBox.bottom));
    EXPECT_EQ(kMapBackground, scene.surface.Pixel(MapChannelToX(MapBand::Ghz24, 3, kBox), kBox.bottom - 2));
    // Its name over it, its count under channel 6 only.
    int nameRed = 0;
    for (int y = kBox.top - kMapTopMargin; y < MapSignalToY(-40, kBox) - 1; ++y)
        for (int x = MapChannelToX(MapBand::Ghz24, 5, kBox); x < MapChannelToX(MapBand::Ghz24, 7, kBox); ++x)
            nameRed += scene.surface.Pixel(x, y) == red;
    EXPECT_GT(nameRed, 10);
    EXPECT_GT(scene.CountPixels(6), 0);
    EXPECT_EQ(0, scene.CountPixels(1));
    EXPECT_EQ(0, scene.CountPixels(11));
    EXPECT_EQ(kMapGrid, scene.surface.Pixel(kBox.left - 1, kBox.top + 5)) << "the scale";
}

TEST(ChannelMapPaint, ThreeOverlappingOnOneSixElevenAndTheTrackedOneThickerInTheGraphsColour)
{
    Scene scene(MapBand::Ghz24,
                {Ap(MapBand::Ghz24, 1, -70, "Uno", 1), Ap(MapBand::Ghz24, 6, -50, "Seis", 2),
                 Ap(MapBand::Ghz24, 11, -30, "Once", 3, true), Ap(MapBand::Ghz24, 6, -80, "", 4)});
    EXPECT_EQ(MapPaletteColour(1), scene.Peak(1, -70));
    EXPECT_EQ(MapPaletteColour(2), scene.Peak(6, -50));
    EXPECT_EQ(MapPaletteColour(4), scene.Peak(6, -80));
    EXPECT_EQ(kMapTracked, scene.Peak(11, -30));
    // Three pixels thick where the others are one.
    EXPECT_EQ(kMapTracked, scene.Peak(11, -30, 1));
    EXPECT_EQ(kMapTracked, scene.Peak(11, -30, -1));
    EXPECT_EQ(kMapBackground, scene.Peak(6, -50, 2));
    // Two on channel 6 count "2", wider than the "1" under channel 1.
    EXPECT_GT(scene.CountPixels(1), 0);
    EXPECT_GT(scene.CountPixels(11), 0);
    EXPECT_GT(scene.CountPixels(6), scene.CountPixels(1));
    EXPECT_EQ(0, scene.CountPixels(3));
}

TEST(ChannelMapPaint, FiveAndSixGigahertzScenesShowOnlyTheirBand)
{
    const std::vector<MapAp> aps = {
        Ap(MapBand::Ghz5, 36, -60, "Oficina", 5), Ap(MapBand::Ghz5, 149, -45, "Bar", 6),
        Ap(MapBand::Ghz6, 37, -55, "Nueva", 7), Ap(MapBand::Ghz24, 6, -40, "Casa", 0)};
    Scene five(MapBand::Ghz5, aps);
    EXPECT_EQ(MapPaletteColour(5), five.Peak(36, -60));
    EXPECT_EQ(MapPaletteColour(6), five.Peak(149, -45));
    EXPECT_EQ(0, five.PlotPixels(MapPaletteColour(7)));
    EXPECT_EQ(0, five.PlotPixels(MapPaletteColour(0)));
    EXPECT_GT(five.CountPixels(36), 0);
    EXPECT_GT(five.CountPixels(149), 0);
    EXPECT_EQ(0, five.CountPixels(100));

    Scene six(MapBand::Ghz6, aps);
    EXPECT_EQ(MapPaletteColour(7), six.Peak(37, -55));
    EXPECT_EQ(0, six.PlotPixels(MapPaletteColour(5)));
    EXPECT_GT(six.CountPixels(37), 0);
}

class ChannelMapControl : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, AfxRegisterWndClass(0), "map host", WS_POPUP | WS_VISIBLE, 0, 0, kCx,
                                    kCy, nullptr, nullptr));
        ASSERT_TRUE(m_map.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, kCx, kCy), &m_host, 1, kTexts,
                                 {"2,4 GHz", "5 GHz", "6 GHz"}));
    }
    void Paint()
    {
        m_map.UpdateWindow();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    bool Set(std::vector<MapAp> aps)
    {
        const bool changed = m_map.SetAccessPoints(aps);
        Paint();
        return changed;
    }
    std::string ButtonText(MapBand band)
    {
        CString text;
        m_map.BandButton(band).GetWindowText(text);
        return static_cast<LPCSTR>(text);
    }
    bool Pressed(MapBand band)
    {
        return m_map.BandButton(band).SendMessage(BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    CWnd m_host;
    CChannelMap m_map;
};

TEST_F(ChannelMapControl, BusiestBandFirstUntilTheUserPicksOneAndRedrawnOnlyOnChange)
{
    const std::vector<MapAp> scan = {Ap(MapBand::Ghz24, 6, -40, "Casa", 0),
                                     Ap(MapBand::Ghz5, 36, -60, "A", 1), Ap(MapBand::Ghz5, 40, -60, "B", 2)};
    ASSERT_TRUE(Set(scan));
    EXPECT_EQ(MapBand::Ghz5, m_map.GetBand());
    EXPECT_TRUE(Pressed(MapBand::Ghz5));
    EXPECT_FALSE(Pressed(MapBand::Ghz24));
    EXPECT_EQ("2,4 GHz (1)", ButtonText(MapBand::Ghz24));
    EXPECT_EQ("5 GHz (2)", ButtonText(MapBand::Ghz5));
    EXPECT_EQ("6 GHz (0)", ButtonText(MapBand::Ghz6));

    // The same scene again costs no drawing, even when the window is asked to paint.
    const int nRenders = m_map.GetRenderCount();
    EXPECT_FALSE(Set(scan));
    m_map.InvalidateRect(nullptr, FALSE);
    Paint();
    EXPECT_EQ(nRenders, m_map.GetRenderCount());
    std::vector<MapAp> weaker = scan;
    weaker[1].rssi = -61;
    EXPECT_TRUE(Set(weaker));
    EXPECT_EQ(nRenders + 1, m_map.GetRenderCount());

    // A click on 2,4 GHz shows that band, and it stays shown when 5 GHz is still the busiest.
    m_map.BandButton(MapBand::Ghz24).SendMessage(BM_CLICK, 0, 0);
    Paint();
    EXPECT_EQ(MapBand::Ghz24, m_map.GetBand());
    EXPECT_TRUE(Pressed(MapBand::Ghz24));
    EXPECT_FALSE(Pressed(MapBand::Ghz5));
    Set(scan);
    EXPECT_EQ(MapBand::Ghz24, m_map.GetBand());
    MemorySurface shown(kCx, kCy);
    ASSERT_TRUE(m_map.Compose(&shown.dc));
    const MapBox box = MapPlotBox(kCx, kCy, CChannelMap::kButtonRowHeight);
    EXPECT_EQ(MapPaletteColour(0),
              shown.Pixel(MapChannelToX(MapBand::Ghz24, 6, box), MapSignalToY(-40, box)));
}
