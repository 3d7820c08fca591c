// The main window as it opens, and its once-a-second heartbeat.
#include <climits>
#include <string>
#include <vector>

#include "afx/Rect.h"
#include "graph/GraphLayout.h"
#include "res/resource.h"
#include "tests/graph/MemorySurface.h"
#include "tests/program/ProgramTestSupport.h"
#include "tests/scan/TestLists.h"

namespace
{

std::string MenuText(HMENU hMenu, UINT position)
{
    char text[128] = {};
    GetMenuStringA(hMenu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

bool MenuItemGrayed(HMENU hMenu, UINT id)
{
    return (GetMenuState(hMenu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

bool ToolButtonEnabled(UINT id)
{
    return Frame()->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, id) != 0;
}

// The frame's graph as painting would show it, and where its plot lies.
struct GraphPicture
{
    GraphBox plot;
    std::vector<int> traceRows;  // rows of the plot showing the trace in 'column'
    int column;
};

// The newest segment spans the four columns before the plot's right edge less
// two; after two equal points it is level at the last value's row.
GraphPicture ShowGraph()
{
    CRect rc;
    Frame()->m_graph.GetClientRect(&rc);
    GraphPicture picture;
    picture.plot = GraphPlotBox(rc.right, rc.bottom);
    picture.column = picture.plot.right - 4;
    MemorySurface surface(rc.right, rc.bottom);
    if (!Frame()->m_graph.Compose(&surface.dc))
        return picture;
    for (int y = picture.plot.top + 1; y <= picture.plot.bottom; ++y)
        if (surface.Pixel(picture.column, y) == RGB(255, 255, 255))
            picture.traceRows.push_back(y);
    return picture;
}

}  // namespace

TEST(MainWindowTest, OpensAtItsSizeWithMenusBarsAndColumns)
{
    CRect rc;
    Frame()->GetWindowRect(&rc);
    EXPECT_EQ(600, rc.Width());
    EXPECT_EQ(400, rc.Height());
    MINMAXINFO mmi = {};
    Frame()->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(600, mmi.ptMinTrackSize.x);
    EXPECT_EQ(400, mmi.ptMinTrackSize.y);

    HMENU hMenu = Frame()->GetMenu();
    ASSERT_EQ(4, GetMenuItemCount(hMenu));
    EXPECT_EQ("&Archivo", MenuText(hMenu, 0));
    EXPECT_EQ("&Edici\xF3n", MenuText(hMenu, 1));
    EXPECT_EQ("&Ver", MenuText(hMenu, 2));
    EXPECT_EQ("Ayuda", MenuText(hMenu, 3));
    HMENU hFile = GetSubMenu(hMenu, 0);
    EXPECT_EQ("Nuevo", MenuText(hFile, 0));
    EXPECT_EQ("Abrir...", MenuText(hFile, 1));
    EXPECT_EQ("Guardar como...", MenuText(hFile, 3));
    EXPECT_EQ("Salir", MenuText(hFile, GetMenuItemCount(hFile) - 1));
    HMENU hEdit = GetSubMenu(hMenu, 1);
    EXPECT_EQ("Deshacer", MenuText(hEdit, 0));
    EXPECT_EQ("Pegar", MenuText(hEdit, 4));
    EXPECT_EQ("Medidor de potencia", MenuText(GetSubMenu(hMenu, 2), 2));
    EXPECT_EQ("Acerca de...", MenuText(GetSubMenu(hMenu, 3), 0));

    // Commands nobody handles show disabled, in the menu when it opens and on
    // the toolbar at idle time.
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hEdit), 1);
    for (UINT id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_TRUE(MenuItemGrayed(hEdit, id)) << id;
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), 0);
    EXPECT_FALSE(MenuItemGrayed(hFile, ID_FILE_NEW));
    EXPECT_FALSE(MenuItemGrayed(hFile, ID_FILE_SAVE));
    PumpMessages();
    for (UINT id : {ID_FILE_PRINT, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(ToolButtonEnabled(id)) << id;
    for (UINT id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_APP_ABOUT})
        EXPECT_TRUE(ToolButtonEnabled(id)) << id;
    EXPECT_EQ(Frame()->m_wndReBar.m_hWnd, ::GetParent(Frame()->m_wndToolBar.m_hWnd));

    EXPECT_EQ("Preparado", PaneText(0));
    ASSERT_EQ(4, Frame()->m_wndStatusBar.GetCount());
    const UINT paneIds[] = {0, ID_PANE_SCAN, ID_PANE_ADDRESS, ID_PANE_HEARD};
    for (int pane = 1; pane < 4; ++pane)
    {
        UINT id, style;
        int width;
        Frame()->m_wndStatusBar.GetPaneInfo(pane, id, style, width);
        EXPECT_EQ(paneIds[pane], id);
        EXPECT_EQ(150, width);
    }

    const LanguageText headers[] = {LanguageText::HeaderName,       LanguageText::HeaderAddress,
                                    LanguageText::HeaderEncryption, LanguageText::HeaderMode,
                                    LanguageText::HeaderChannel,    LanguageText::HeaderSignal,
                                    LanguageText::HeaderFirstSeen,  LanguageText::HeaderAnnotation};
    const int widths[] = {100, 100, 100, 100, 64, 64, 128, 64};
    CListCtrl& list = View()->GetListCtrl();
    for (int column = 0; column < 8; ++column)
    {
        char text[128] = {};
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_TEXT;
        lvc.pszText = text;
        lvc.cchTextMax = sizeof text;
        ASSERT_TRUE(list.SendMessage(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&lvc))) << column;
        EXPECT_STREQ(App().GetString(headers[column]), text);
        EXPECT_EQ(widths[column], list.GetColumnWidth(column));
    }
    EXPECT_EQ(std::string("Nombre de red"), App().GetString(LanguageText::HeaderName));
}

TEST(MainWindowTest, NothingRefreshedBeforeTheFirstDocumentIsShown)
{
    const StartupRecord& startup = Startup();
    ASSERT_TRUE(startup.bDialogSeen);
    EXPECT_EQ(2, startup.nTicksDuringDialog);
    for (int pane = 1; pane < 4; ++pane)
    {
        EXPECT_EQ("", startup.panesDuringDialog[pane]) << pane;
        EXPECT_EQ("", startup.panesAfterStart[pane]) << pane;
    }
}

TEST_F(ProgramTest, StatusPanesFollowTheScan)
{
    m_card.AddPass(PassHearing({MakeScriptedElement(0x31, "Uno", -40), MakeScriptedElement(0x32, "Dos", -60),
                                MakeScriptedElement(0x33, "Tres", -70)}));
    NewScan();
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ("00:00:00:00:00:00", PaneText(2));
    EXPECT_EQ("0 al alcance", PaneText(3));

    FinishPass(1);
    // The scan text blinks with the parity of every timer message counted before.
    for (int i = 0; i < 2; ++i)
    {
        const bool odd = (Frame()->m_nTicks & 1) != 0;
        Tick(ID_TIMER_REFRESH);
        EXPECT_EQ(odd ? "Escaneando" : " ", PaneText(1));
    }
    EXPECT_EQ("02:00:00:00:00:01", PaneText(2));
    EXPECT_EQ("3 al alcance", PaneText(3));
}

TEST_F(ProgramTest, StatusShowsStoppedWhenTheCardCannotBeOpened)
{
    m_card.FailOpen(true);
    Doc()->SetScanHost(&m_card);
    AnswerAdapterDialog(kScriptedService);
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    ASSERT_TRUE(AdapterDialogAnswered());
    ASSERT_TRUE(PumpUntil([] { return Doc()->m_bScanning == 0; }));
    for (int i = 0; i < 2; ++i)
    {
        Tick(ID_TIMER_REFRESH);
        EXPECT_EQ("Detenido", PaneText(1));
    }
}

TEST_F(ProgramTest, GraphPlotsTheTrackedSignalInDbmAndFallsToTheFloorWhenMissed)
{
    m_card.AddPass(PassHearing({MakeScriptedElement(0x35, "Medio", -60)}));
    m_card.AddPass(PassHearing({}));
    NewScan();
    FinishPass(1);
    Tick(ID_TIMER_REFRESH);
    ASSERT_NE(nullptr, Doc()->m_entries.Head());
    Doc()->m_pTracked = Doc()->m_entries.Head();

    // -60 dBm lies halfway between the floor (-100) and the top (-20).
    Tick(ID_TIMER_REFRESH);
    Tick(ID_TIMER_REFRESH);
    GraphPicture picture = ShowGraph();
    const int plotHeight = picture.plot.bottom - picture.plot.top;
    ASSERT_GT(plotHeight, 20);
    ASSERT_EQ(1u, picture.traceRows.size());
    EXPECT_NEAR(picture.plot.bottom - plotHeight / 2, picture.traceRows[0], 1);

    FinishPass(2);
    Tick(ID_TIMER_REFRESH);
    Tick(ID_TIMER_REFRESH);
    picture = ShowGraph();
    EXPECT_EQ(std::vector<int>{picture.plot.bottom}, picture.traceRows);
}

TEST_F(ProgramTest, BeeperRearmsAtThePeriodTheTrackedSignalGives)
{
    PutList(*Doc(), ListOf({MakeScriptedElement(0x36, "Pegado", 110)}));  // every 80 ms
    CNetworkEntry* pEntry = EntryAt(0);
    pEntry->m_bSeen = 1;
    Doc()->m_pTracked = pEntry;
    Frame()->SetTimer(ID_TIMER_BEEP, 1, nullptr);
    PumpUntil([] { return false; }, 800);
    EXPECT_GE(m_sounds.size(), 4u);

    {
        CEntryListLock lock(*Doc());
        pEntry->m_bssid.Rssi = -50;  // every 3280 ms, from the next beep on
    }
    PumpUntil([] { return false; }, 200);
    const size_t beeps = m_sounds.size();
    PumpUntil([] { return false; }, 800);
    EXPECT_EQ(beeps, m_sounds.size());
}

TEST(MainWindowTest, RefreshTimerBeatsOnceASecond)
{
    // A frame of its own, without a document: its timer messages only count.
    auto* pFrame = new CMainFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
    const DWORD start = GetTickCount();
    PumpUntil([] { return false; }, 3500);
    const DWORD elapsed = GetTickCount() - start;
    const int ticks = pFrame->m_nTicks;
    pFrame->DestroyWindow();
    EXPECT_GE(ticks, static_cast<int>(elapsed / 1000) - 1);
    EXPECT_LE(ticks, static_cast<int>(elapsed / 1000));
}

TEST(BeeperTest, PeriodShrinksWithTheSignalDownToItsMinimum)
{
    EXPECT_EQ(2880, BeepPeriodForRssi(-30));
    EXPECT_EQ(3280, BeepPeriodForRssi(-50));
    EXPECT_EQ(2280, BeepPeriodForRssi(0));
    EXPECT_EQ(1000, BeepPeriodForRssi(64));
    EXPECT_EQ(40, BeepPeriodForRssi(112));
    EXPECT_EQ(20, BeepPeriodForRssi(113));
    EXPECT_EQ(1, BeepPeriodForRssi(114));
    EXPECT_EQ(1, BeepPeriodForRssi(INT32_MAX));
    EXPECT_EQ(static_cast<int>(USER_TIMER_MAXIMUM), BeepPeriodForRssi(INT32_MIN));
}
