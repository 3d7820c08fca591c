// The list view: announcements, cells, tracking with its beeper and graph,
// and the selection relay.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "afx/File.h"
#include "afx/Rect.h"
#include "res/resource.h"
#include "tests/program/ProgramTestSupport.h"
#include "tests/scan/TestLists.h"

namespace
{

// A double-click with the cursor on 'row' (or below the last row with -1),
// as the list control reports it to its parent.
void DoubleClickRow(int row)
{
    CListCtrl& list = View()->GetListCtrl();
    CRect rc;
    rc.left = LVIR_BOUNDS;
    if (row >= 0)
    {
        list.SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
    }
    else
    {
        list.GetClientRect(&rc);
        rc.top = rc.bottom - 4;
    }
    POINT pt = {rc.left + 30, (rc.top + rc.bottom) / 2};
    list.ClientToScreen(&pt);
    SetCursorPos(pt.x, pt.y);
    NMITEMACTIVATE nm = {};
    nm.hdr.hwndFrom = list.m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
    nm.hdr.code = NM_DBLCLK;
    nm.iItem = row;
    Frame()->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

std::vector<WPARAM> g_selected;
HWND g_hFrame = nullptr;

LRESULT CALLBACK RecordSelections(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && pMsg->message == WM_SELECT_ENTRY && pMsg->hwnd == g_hFrame)
        g_selected.push_back(pMsg->wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(ProgramTest, AnnouncesEachNewAccessPointOnceAndMarksTheListChanged)
{
    NDIS_WLAN_BSSID open = MakeScriptedElement(0x12, "Bar", -72, 0);
    open.Configuration.DSConfig = 2462000;
    m_card.AddPass(PassHearing({MakeScriptedElement(0x11, "Casa", -45), open}));
    m_card.AddPass(PassHearing({MakeScriptedElement(0x11, "Casa", -47), MakeScriptedElement(0x13, "", -80)}));
    m_card.SetLocalTime({2004, 3, 5, 5, 9, 7, 3, 0});
    NewScan();
    FinishPass(1);
    EXPECT_FALSE(Doc()->IsModified());

    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ((std::vector<std::string>{"Nueva red Casa , Canal 6 , red cifrada",
                                        "Nueva red Bar , Canal 11 , red abierta"}),
              App().m_announced);
    EXPECT_TRUE(Doc()->IsModified());
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(2u, App().m_announced.size());

    ASSERT_EQ(2, View()->GetListCtrl().GetItemCount());
    const char* expected[] = {"Casa", "02:00:00:00:00:11",   "Encrypted", "Infraestructura", "6",
                              "-45",  "05-03-2004 09:07:03", ""};
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(expected[column], CellText(0, column)) << column;
    EXPECT_EQ("Open", CellText(1, 2));
    EXPECT_EQ(kImageHeard, CellImage(0, 0));
    EXPECT_EQ(kImageEncrypted, CellImage(0, 2));
    EXPECT_EQ(kImagePlain, CellImage(1, 2));
    EXPECT_EQ(kImagePlain, CellImage(0, 7));

    // Heard again is not new; a nameless one is announced with an empty name.
    FinishPass(2);
    Tick(ID_TIMER_REFRESH);
    ASSERT_EQ(3u, App().m_announced.size());
    EXPECT_EQ("Nueva red (red oculta) , Canal 6 , red cifrada", App().m_announced[2]);
    EXPECT_EQ(kImagePlain, CellImage(1, 0));
    EXPECT_EQ("-47", CellText(0, 5));
    EXPECT_EQ(2, Doc()->m_nHeard);
}

TEST_F(ProgramTest, CellsShowEachFieldAsTheUserReadsIt)
{
    // Modes 0, 1, 2 and one no mode has; Privacy 2 is not encryption.
    std::vector<NDIS_WLAN_BSSID> elements;
    const int32_t modes[] = {0, 1, 2, 7};
    for (int i = 0; i < 4; ++i)
    {
        elements.push_back(MakeScriptedElement(static_cast<uint8_t>(0x61 + i), "Modo", -50, 2));
        elements.back().InfrastructureMode = static_cast<NDIS_802_11_NETWORK_INFRASTRUCTURE>(modes[i]);
    }
    const UCHAR mac[kMacAddressLength] = {0x00, 0x0a, 0x1b, 0x2c, 0x3d, 0x4e};
    std::memcpy(elements[0].MacAddress, mac, sizeof mac);
    ScriptedCardPass pass = PassHearing(elements);
    std::copy(mac, mac + sizeof mac, pass.address.begin());
    m_card.AddPass(pass);
    m_card.AddPass(PassHearing({}));
    NewScan();
    FinishPass(1);
    Tick(ID_TIMER_REFRESH);

    EXPECT_EQ("00:0a:1b:2c:3d:4e", CellText(0, 1));
    EXPECT_EQ("00:0a:1b:2c:3d:4e", PaneText(2));
    EXPECT_EQ("Nueva red Modo , Canal 6 , red abierta", App().m_announced.at(0));
    const LanguageText modeTexts[] = {LanguageText::ModeAdHoc, LanguageText::ModeInfrastructure,
                                      LanguageText::ModeAutomatic};
    for (int row = 0; row < 4; ++row)
    {
        EXPECT_EQ("Open", CellText(row, 2)) << row;
        EXPECT_EQ(kImagePlain, CellImage(row, 2)) << row;
        EXPECT_EQ(row < 3 ? App().GetString(modeTexts[row]) : "", CellText(row, 3)) << row;
    }

    // Tracked but no longer heard: the magnifier stays. An annotation shows its mark.
    Doc()->m_pTracked = EntryAt(1);
    EntryAt(2)->m_strAnnotation = "junto al ascensor";
    FinishPass(2);
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(kImageTracked, CellImage(1, 0));
    EXPECT_EQ(kImagePlain, CellImage(0, 0));
    EXPECT_EQ(App().GetString(LanguageText::AnnotatedMark), CellText(2, 7));
    EXPECT_EQ(kImageAnnotated, CellImage(2, 7));
    EXPECT_EQ("", CellText(1, 7));
    EXPECT_EQ(kImagePlain, CellImage(1, 7));
    Doc()->m_pTracked = nullptr;
}

TEST_F(ProgramTest, ChannelColumnAndAnnouncementNameTheChannelNotTheFrequency)
{
    struct Heard
    {
        ULONG dsConfig;
        const char* cell;
        const char* spoken;
    } const heard[] = {
        {2412000, "1", "1"},
        {5745000, "149", "149"},
        {5955000, "1 (6 GHz)", "1 seis gigahercios"},
        {6, "6", "6"},  // a legacy driver that reports the channel itself
        {2437500, "2437500", "2437500"},
    };
    std::vector<NDIS_WLAN_BSSID> elements;
    for (const Heard& h : heard)
    {
        elements.push_back(MakeScriptedElement(static_cast<uint8_t>(0x31 + elements.size()), "Red", -50, 0));
        elements.back().Configuration.DSConfig = h.dsConfig;
    }
    m_card.AddPass(PassHearing(elements));
    NewScan();
    FinishPass(1);
    Tick(ID_TIMER_REFRESH);

    ASSERT_EQ(std::size(heard), App().m_announced.size());
    for (size_t i = 0; i < std::size(heard); ++i)
    {
        EXPECT_EQ(heard[i].cell, CellText(static_cast<int>(i), 4)) << i;
        EXPECT_EQ(std::string("Nueva red Red , Canal ") + heard[i].spoken + " , red abierta",
                  App().m_announced[i]);
        EXPECT_EQ(heard[i].dsConfig, EntryAt(static_cast<int>(i))->m_bssid.Configuration.DSConfig)
            << "the record keeps the driver's value";
    }
}

TEST_F(ProgramTest, SilentHiddenAndLoadedEntriesReadTrue)
{
    // A saved list: the file keeps the signal it was saved with, but no first-seen time.
    const std::string path = TempPath("cells.ksu");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        const NDIS_WLAN_BSSID saved = MakeScriptedElement(0x91, "Guardada", -57);
        const int32_t noNote = 0;
        file.Write(&saved, sizeof saved);
        file.Write(&noNote, sizeof noNote);
    }
    ASSERT_NE(nullptr, App().OpenDocumentFile(path.c_str()));
    CFile::Remove(path.c_str());
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ("-57", CellText(0, 5));
    EXPECT_EQ("", CellText(0, 6)) << "no time is known";

    // Heard again, beside a network without a name and one whose name is zero bytes.
    NDIS_WLAN_BSSID zeros = MakeScriptedElement(0x93, "", -75);
    zeros.SsidLength = 5;
    m_card.AddPass(
        PassHearing({MakeScriptedElement(0x92, "", -70), MakeScriptedElement(0x91, "Guardada", -45), zeros}));
    m_card.AddPass(PassHearing({MakeScriptedElement(0x92, "", -71)}));
    m_card.SetLocalTime({2004, 3, 5, 5, 9, 7, 3, 0});
    NewScan();
    FinishPass(1);
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ("05-03-2004 09:07:03", CellText(0, 6)) << "the time it was heard again";
    EXPECT_EQ("(red oculta)", CellText(1, 0));
    EXPECT_EQ("(red oculta)", CellText(2, 0));
    EXPECT_EQ((std::vector<std::string>{"Nueva red (red oculta) , Canal 6 , red cifrada",
                                        "Nueva red (red oculta) , Canal 6 , red cifrada"}),
              App().m_announced);
    EXPECT_EQ(0u, EntryAt(1)->m_bssid.SsidLength) << "the record is untouched";

    // Not heard in the last pass: no signal rather than a 0 that reads as the strongest.
    FinishPass(2);
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ("", CellText(0, 5));
    EXPECT_EQ("-71", CellText(1, 5));
    EXPECT_EQ("05-03-2004 09:07:03", CellText(0, 6));
}

TEST_F(ProgramTest, DoubleClickTracksAnEntryWhichBeepsAndFeedsTheGraph)
{
    m_card.AddPass(
        PassHearing({MakeScriptedElement(0x21, "Cerca", -50), MakeScriptedElement(0x22, "Lejos", -90)}));
    HearInFirstPass({MakeScriptedElement(0x22, "Lejos", -91)});
    CNetworkEntry* pNear = EntryAt(0);
    ASSERT_NE(nullptr, pNear);

    // The first beep is due a millisecond after the double-click.
    DoubleClickRow(0);
    EXPECT_EQ(pNear, Doc()->m_pTracked);
    ASSERT_TRUE(PumpUntil([&] { return !m_sounds.empty(); }, 2000));
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    EXPECT_EQ(std::string(folder) + "\\test.wav", m_sounds[0].path);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_sounds[0].path.c_str())) << "beside the program";
    EXPECT_EQ(0x22001u, m_sounds[0].flags);
    // Re-armed at 3280 ms: running, but quiet for a good while.
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(1u, m_sounds.size());
    EXPECT_EQ(kImageTracked, CellImage(0, 0));

    // A second double-click untracks and stops the beeper.
    DoubleClickRow(0);
    EXPECT_EQ(nullptr, Doc()->m_pTracked);
    EXPECT_FALSE(StopBeepTimer());
    Tick(ID_TIMER_REFRESH);
    LastGraphPoint();
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(-1000.0, LastGraphPoint()) << "no point appended while nothing is tracked";
    DoubleClickRow(-1);
    EXPECT_EQ(nullptr, Doc()->m_pTracked);

    DoubleClickRow(0);
    ASSERT_EQ(pNear, Doc()->m_pTracked);
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(-50.0, LastGraphPoint());

    // A pass that misses it: the graph falls to the floor, the beeper stops for good,
    // the entry stays tracked.
    FinishPass(2);
    m_sounds.clear();
    Tick(ID_TIMER_BEEP);
    EXPECT_TRUE(m_sounds.empty());
    EXPECT_FALSE(StopBeepTimer());
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(-100.0, LastGraphPoint());
    EXPECT_EQ(pNear, Doc()->m_pTracked);
}

namespace
{

// Makes nested folders under 'base' until the path is exactly 'length' characters and
// enters the last; every folder made goes into 'made', innermost last.
bool EnterFolderOfLength(const std::string& base, size_t length, std::vector<std::string>& made)
{
    std::string folder = base;
    while (folder.size() < length)
    {
        const size_t room = length - folder.size() - 1;
        // Never leave a single character: the next folder needs a separator and a name.
        const size_t name = room <= 40 ? room : (room - 40 >= 2 ? 40 : 38);
        folder += "\\" + std::string(name, 'd');
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        made.push_back(folder);
    }
    return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

}  // namespace

TEST_F(ProgramTest, BeeperPlaysFromAFolderUpToTheLongestThatLeavesRoomForTheFileName)
{
    PutList(*Doc(), ListOf({MakeScriptedElement(0x41, "Aqui", -50)}));
    CNetworkEntry* pEntry = EntryAt(0);
    pEntry->m_bSeen = 1;
    pEntry->m_bAnnounced = 1;
    Doc()->m_pTracked = pEntry;

    char saved[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, saved);
    const std::string base = std::string(saved) + "\\kesu-long-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    // "\\test.wav" and its NUL take the last 10 of MAX_PATH: 250 plays, 251 would be cut.
    const size_t longest = MAX_PATH - sizeof "\\test.wav";
    std::vector<std::string> made{base};
    for (size_t length : {longest, longest + 1})
    {
        const bool entered = EnterFolderOfLength(base, length, made);
        char current[MAX_PATH] = "";
        const DWORD currentLength = GetCurrentDirectoryA(MAX_PATH, current);
        m_sounds.clear();
        Tick(ID_TIMER_BEEP);
        SetCurrentDirectoryA(saved);
        ASSERT_TRUE(entered) << length;
        ASSERT_EQ(length, currentLength);
        if (length == longest)
        {
            ASSERT_EQ(1u, m_sounds.size());
            EXPECT_EQ(std::string(current) + "\\test.wav", m_sounds[0].path);
        }
        else
        {
            EXPECT_TRUE(m_sounds.empty());
        }
        EXPECT_TRUE(StopBeepTimer()) << "the rhythm goes on, " << length;
    }
    SetCurrentDirectoryA(saved);
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        RemoveDirectoryA(it->c_str());
}

TEST_F(ProgramTest, SelectingARowNamesItsEntryToTheFrame)
{
    HearInFirstPass({MakeScriptedElement(0x51, "Primera", -50), MakeScriptedElement(0x52, "Segunda", -60)});

    g_selected.clear();
    g_hFrame = Frame()->m_hWnd;
    HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, RecordSelections, nullptr, GetCurrentThreadId());
    CListCtrl& list = View()->GetListCtrl();
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_FALSE(g_selected.empty());
    EXPECT_EQ(reinterpret_cast<WPARAM>(EntryAt(1)), g_selected.back());
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(reinterpret_cast<WPARAM>(EntryAt(0)), g_selected.back());

    // A row the list no longer has names no entry.
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = list.m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
    nm.hdr.code = LVN_ITEMCHANGED;
    nm.iItem = 7;
    Frame()->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(0u, g_selected.back());
    UnhookWindowsHookEx(hHook);
}
