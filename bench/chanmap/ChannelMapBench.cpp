// Prints the time of one channel map frame (new access points, off-screen drawing and the paint) with
// 1,000 access points in the band shown, on a visible window.
//   bench_chanmap [--aps N] [--frames F]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "afx/WinApp.h"
#include "afx/Rect.h"
#include "chanmap/ChannelMap.h"

namespace
{

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void DrainMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

// A scan of 'count' access points spread over the band's channels, every signal moved by 'shift'.
std::vector<MapAp> Scan(MapBand band, int count, int shift)
{
    const MapBandRange range = MapBandChannels(band);
    std::vector<MapAp> aps(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        MapAp& ap = aps[static_cast<size_t>(i)];
        ap.band = band;
        ap.channel = range.first + i % (range.last - range.first + 1);
        ap.rssi = -95 + (i * 7 + shift) % 70;
        std::snprintf(ap.name, sizeof ap.name, "Red %04d", i);
        ap.tracked = i == 0;
        ap.colour = static_cast<uint8_t>(i);
    }
    return aps;
}

void Measure(MapBand band, const char* bandName, int count, int frames, int cx, int cy)
{
    CWnd host;
    CChannelMap map;
    const MapTexts texts = {"(red oculta)", "dBm", "canal", "redes", "20 MHz por red"};
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, nullptr,
                       nullptr) ||
        !map.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, cx, cy), &host, 1, texts,
                    {"2,4 GHz", "5 GHz", "6 GHz"}))
    {
        std::printf("could not make the map\n");
        return;
    }
    map.SelectBand(band);
    DrainMessages();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int frame = 0; frame < frames; ++frame)
    {
        std::vector<MapAp> aps = Scan(band, count, frame);
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        map.SetAccessPoints(aps);
        map.UpdateWindow();
        QueryPerformanceCounter(&to);
        times.push_back(Milliseconds(from, to, frequency));
        DrainMessages();
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "%-8s %5d APs  %4d x %-4d  median %6.2f ms  p90 %6.2f ms  max %6.2f ms  (%d frames, %d drawn)\n",
        bandName, count, cx, cy, times[times.size() / 2], times[times.size() * 9 / 10], times.back(), frames,
        map.GetRenderCount());
}

}  // namespace

int main(int argc, char** argv)
{
    int count = 1000, frames = 200;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        if (std::strcmp(argv[i], "--aps") == 0)
            count = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--frames") == 0)
            frames = std::max(1, std::atoi(argv[i + 1]));
    }
    for (const auto& size : {std::make_pair(240, 320), std::make_pair(800, 500)})
    {
        Measure(MapBand::Ghz24, "2.4 GHz", count, frames, size.first, size.second);
        Measure(MapBand::Ghz5, "5 GHz", count, frames, size.first, size.second);
        Measure(MapBand::Ghz6, "6 GHz", count, frames, size.first, size.second);
    }
    return 0;
}
