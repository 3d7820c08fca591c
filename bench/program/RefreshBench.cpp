// kesu-refreshbench: the cost of one heartbeat of the main window (the frame's
// refresh timer: the list view's refresh and the status panes) with 100 to
// 100,000 access points in the list, in the real application. Also the
// repaint of the visible rows that the refresh asks for, at the top of the
// list and scrolled to its end, and a tracked entry's graph point with its
// paint. Then saving and loading 100,000 entries through the document, and
// the memory a loaded entry takes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/KesuApp.h"
#include "bench/DayDrive.h"
#include "bench/HeapUse.h"
#include "frame/MainFrame.h"
#include "res/resource.h"
#include "scan/KesuDoc.h"
#include "view/KesuView.h"

namespace
{

CKesuApp theApp;

using Clock = std::chrono::steady_clock;

// The start-up's adapter dialog is cancelled: with no card chosen the scan
// ends at once and the list is the benchmark's alone.
void CALLBACK CancelAdapterDialog(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    HWND hDialog = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            char cls[16];
            if (!IsWindowVisible(hWnd) || !GetClassNameA(hWnd, cls, sizeof cls) ||
                std::strcmp(cls, "#32770") != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&hDialog));
    if (!hDialog)
        return;
    KillTimer(nullptr, idEvent);
    SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// 'count' announced entries, every other one heard, as the scanner leaves them.
void FillList(CKesuDoc* pDoc, int count)
{
    pDoc->DeleteEntries();
    CEntryListBuilder builder(pDoc->m_entries);
    for (int i = 0; i < count; ++i)
    {
        CNetworkEntry* pEntry = &builder.AppendNew();
        FillDayDriveEntry(*pEntry, i);
        pEntry->m_bSeen = i % 2;
        pEntry->m_bAnnounced = 1;
        pEntry->m_timeFirstSeen = {2024, 5, 4, 16, 10, 30, static_cast<WORD>(i % 60), 0};
    }
}

template <typename Step>
double MicrosPerCall(int repeats, Step step)
{
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < repeats; ++i)
        step();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / repeats;
}

// The median and the worst of some timings.
struct Spread
{
    double median;
    double worst;
};

Spread SpreadOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

// Through the document's own save and open, as File Save and File Open do.
// bCountHeap: also what a loaded entry takes on the heap. Walking the heap
// slows down with its length under Wine, so a million entries leave it out
// (kesu-idlebench reads the resident memory instead).
void SaveAndLoad(CKesuDoc* pDoc, int count, bool bCountHeap)
{
    constexpr int kRuns = 5;
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "kesu-refreshbench.ksu";
    FillList(pDoc, count);
    std::vector<double> save;
    for (int run = 0; run < kRuns; ++run)
        save.push_back(MicrosPerCall(1, [&] { pDoc->OnSaveDocument(path.c_str()); }) / 1000);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);

    pDoc->DeleteEntries();
    const size_t before = bCountHeap ? HeapBytesInUse() : 0;
    std::vector<double> load;
    size_t after = 0;
    for (int run = 0; run < kRuns; ++run)
    {
        load.push_back(MicrosPerCall(1, [&] { pDoc->OnOpenDocument(path.c_str()); }) / 1000);
        if (bCountHeap && !after)
            after = HeapBytesInUse();
    }
    const Spread saved = SpreadOf(save);
    const Spread loaded = SpreadOf(load);
    std::printf("\n%d entries, a file of %.1f MB, median and worst of %d: save %.1f and %.1f ms, "
                "load %.1f and %.1f ms\n",
                count, data.nFileSizeLow / 1e6, kRuns, saved.median, saved.worst, loaded.median,
                loaded.worst);
    if (bCountHeap)
        std::printf("memory per loaded entry with its index: %.0f bytes\n",
                    static_cast<double>(after - before) / count);
    DeleteFileA(path.c_str());
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_WIN95_CLASSES |
                                                ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    char cmdLine[] = "";
    if (!AfxWinInit(GetModuleHandleA(nullptr), nullptr, cmdLine, SW_SHOWNORMAL))
        return 1;
    SetTimer(nullptr, 0, 10, CancelAdapterDialog);
    if (!theApp.InitInstance())
    {
        std::fprintf(stderr, "kesu-refreshbench: the application did not start\n");
        theApp.ExitInstance();
        return 1;
    }
    auto* pFrame = static_cast<CMainFrame*>(theApp.m_pMainWnd);
    auto* pView = static_cast<CKesuView*>(pFrame->GetActiveView());
    auto* pDoc = pView->GetDocument();
    pFrame->KillTimer(ID_TIMER_REFRESH);
    pDoc->StopScan();
    Pump();

    std::printf("milliseconds per refresh tick (timer 130: the list's refresh and the status panes)\n");
    std::printf("%8s %10s %14s %18s %18s %16s\n", "entries", "tick", "of it: count", "+repaint at top",
                "+repaint at end", "tracked+graph");
    for (int count : {100, 10000, 100000})
    {
        FillList(pDoc, count);
        pDoc->m_pTracked = nullptr;
        CListCtrl& list = pView->GetListCtrl();
        pFrame->SendMessage(WM_TIMER, ID_TIMER_REFRESH);
        Pump();
        const int repeats = count >= 100000 ? 20 : count >= 10000 ? 50 : 200;
        const double tick = MicrosPerCall(repeats, [&] { pFrame->SendMessage(WM_TIMER, ID_TIMER_REFRESH); });
        // The list control's share: re-sending the count, which every refresh does.
        const double itemCount =
            MicrosPerCall(repeats, [&] { list.SendMessage(LVM_SETITEMCOUNT, count, 0); });
        list.EnsureVisible(0, FALSE);
        const double paintTop = MicrosPerCall(repeats, [&] {
            pFrame->SendMessage(WM_TIMER, ID_TIMER_REFRESH);
            list.UpdateWindow();
        });
        list.EnsureVisible(count - 1, FALSE);
        const double paintEnd = MicrosPerCall(repeats, [&] {
            pFrame->SendMessage(WM_TIMER, ID_TIMER_REFRESH);
            list.UpdateWindow();
        });
        pDoc->m_pTracked = pDoc->m_entries.Head();
        const double tracked = MicrosPerCall(repeats, [&] {
            pFrame->SendMessage(WM_TIMER, ID_TIMER_REFRESH);
            pFrame->m_graph.UpdateWindow();
        });
        std::printf("%8d %10.2f %14.2f %18.2f %18.2f %16.2f\n", count, tick / 1000, itemCount / 1000,
                    paintTop / 1000, paintEnd / 1000, tracked / 1000);
        std::fflush(stdout);
    }

    pDoc->m_pTracked = nullptr;
    SaveAndLoad(pDoc, 100000, true);
    SaveAndLoad(pDoc, 1000000, false);
    pDoc->SetModifiedFlag(FALSE);
    pFrame->SendMessage(WM_CLOSE);
    Pump();
    return theApp.ExitInstance();
}
