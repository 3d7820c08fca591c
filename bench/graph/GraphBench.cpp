// Prints the time of one AppendPoint plus the paint it causes, on a visible graph.
#include "afx/Rect.h"
#include "afx/WinApp.h"
#include "graph/PowerGraph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

static double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

static void DrainMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Appends kRuns points to a graph of the given client size and reports the
// median and 90th percentile of append + synchronous paint.
static void Measure(CPowerGraph* pGraph, int cx, int cy)
{
    const int kRuns = 2000;
    pGraph->MoveWindow(0, 0, cx, cy);
    pGraph->Reset();
    pGraph->UpdateWindow();
    DrainMessages();

    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> samples;
    samples.reserve(kRuns);
    for (int i = 0; i < kRuns; ++i)
    {
        // A signal wandering through the range, sometimes beyond it.
        const double value = 32.0 + 40.0 * std::sin(i * 0.05);
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        pGraph->AppendPoint(value);
        pGraph->UpdateWindow();
        ::QueryPerformanceCounter(&end);
        samples.push_back(Milliseconds(start, end, frequency));
    }
    std::sort(samples.begin(), samples.end());
    std::printf("graph: AppendPoint + paint, %4d x %4d client: median %.3f ms, p90 %.3f ms (%d runs)\n", cx,
                cy, samples[kRuns / 2], samples[kRuns * 9 / 10], kRuns);
}

int main()
{
    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "graph bench", WS_POPUP, 0, 0, 2100, 1100, nullptr,
                       nullptr))
    {
        std::printf("graph: cannot create the host window\n");
        return 1;
    }
    CPowerGraph graph;
    // As the frame makes it: 2048 x 1024 bitmaps, then sized to its bar.
    if (!graph.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 2048, 1024), &host, 0))
    {
        std::printf("graph: cannot create the graph\n");
        return 1;
    }
    graph.SetRange(0.0, 64.0, 1);
    graph.SetYUnits("dBm");
    graph.SetXUnits("Muestras");
    host.ShowWindow(SW_SHOWNOACTIVATE);

    Measure(&graph, 300, 200);
    Measure(&graph, 1000, 400);
    Measure(&graph, 2048, 1024);
    return 0;
}
