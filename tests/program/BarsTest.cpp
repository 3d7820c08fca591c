// The frame's docking bars: where they start, the View toggles, the annotation editor with its Edit
// commands and F6, the graph's reset on layout and the channel map fed from the last scan.
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "afx/DockState.h"
#include "afx/ControlBarInfo.h"
#include "afx/File.h"
#include "afx/Rect.h"
#include "res/resource.h"
#include "tests/graph/MemorySurface.h"
#include "tests/program/ProgramTestSupport.h"

namespace
{

std::string EditorText()
{
    CString text;
    Frame()->m_noteEdit.GetWindowText(text);
    return static_cast<LPCSTR>(text);
}

void SelectRow(int row)
{
    View()->GetListCtrl().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void Type(const char* text)
{
    for (const char* p = text; *p; ++p)
        Frame()->m_noteEdit.SendMessage(WM_CHAR, static_cast<unsigned char>(*p), 1);
}

bool ViewItemChecked(UINT id)
{
    HMENU hView = GetSubMenu(Frame()->GetMenu(), 2);
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hView), 2);
    return (GetMenuState(hView, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The Edit menu's commands that show enabled when it opens, by name in menu order.
std::string EnabledEditCommands()
{
    HMENU hEdit = GetSubMenu(Frame()->GetMenu(), 1);
    Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hEdit), 1);
    const std::pair<UINT, const char*> commands[] = {{ID_EDIT_UNDO, "undo"},   {ID_EDIT_CUT, "cut"},
                                                     {ID_EDIT_COPY, "copy"},   {ID_EDIT_PASTE, "paste"},
                                                     {ID_EDIT_CLEAR, "clear"}, {ID_EDIT_SELECT_ALL, "all"}};
    std::string names;
    for (const auto& command : commands)
    {
        const UINT state = GetMenuState(hEdit, command.first, MF_BYCOMMAND);
        if (state != UINT(-1) && !(state & MF_GRAYED))
            names += names.empty() ? command.second : std::string(" ") + command.second;
    }
    return names;
}

bool ToolButtonEnabled(UINT id)
{
    return Frame()->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, id) != 0;
}

// Null empties the clipboard.
void SetClipboard(const char* text)
{
    ASSERT_TRUE(OpenClipboard(Frame()->m_hWnd));
    EmptyClipboard();
    if (text)
    {
        HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
        memcpy(GlobalLock(hText), text, strlen(text) + 1);
        GlobalUnlock(hText);
        SetClipboardData(CF_TEXT, hText);
    }
    CloseClipboard();
}

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(Frame()->m_hWnd))
        return "<closed>";
    if (HANDLE hText = GetClipboardData(CF_TEXT))
    {
        text = static_cast<const char*>(GlobalLock(hText));
        GlobalUnlock(hText);
    }
    CloseClipboard();
    return text;
}

void FocusOn(CWnd& wnd)
{
    wnd.GetTopLevelParent()->SetForegroundWindow();
    wnd.SetFocus();
    ASSERT_EQ(wnd.m_hWnd, GetFocus());
}

// A key as the message loop meets it: to the window with the focus, past the frame's accelerators.
void PressKey(UINT vk, BYTE modifier = 0)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    if (modifier)
        keys[modifier] = 0x80;
    SetKeyboardState(keys);
    PostMessage(GetFocus(), WM_KEYDOWN, vk, 1);
    PumpMessages();
    keys[modifier] = 0;
    SetKeyboardState(keys);
}

void FloatNotesBar()
{
    Frame()->FloatControlBar(&Frame()->m_wndNotesBar, CPoint(300, 300));
    PumpMessages();
    ASSERT_NE(Frame()->m_hWnd, Frame()->m_noteEdit.GetTopLevelParent()->m_hWnd);
    ASSERT_TRUE(Frame()->m_noteEdit.IsWindowVisible());
}

void DockNotesBar()
{
    Frame()->DockControlBar(&Frame()->m_wndNotesBar, AFX_IDW_DOCKBAR_BOTTOM);
    PumpMessages();
}

// White pixels of the graph as it would paint: the trace, never the grid.
int TracePixels()
{
    CRect rc;
    Frame()->m_graph.GetClientRect(rc);
    MemorySurface surface(rc.Width(), rc.Height());
    if (!Frame()->m_graph.Compose(&surface.dc))
        return 0;
    int count = 0;
    for (int y = 0; y < rc.Height(); ++y)
        for (int x = 0; x < rc.Width(); ++x)
            count += surface.Pixel(x, y) == RGB(255, 255, 255);
    return count;
}

// Saves 'records' as the layout 'profile' and asks the frame whether it could use it.
bool ValidLayout(const char* profile, const std::vector<CControlBarInfo>& records)
{
    CDockState state;
    for (const CControlBarInfo& record : records)
    {
        auto pInfo = std::make_unique<CControlBarInfo>(record);
        pInfo->m_bDockBar = TRUE;
        state.m_arrBarInfo.push_back(std::move(pInfo));
    }
    state.SaveState(profile);
    return Frame()->IsBarStateValid(profile) != FALSE;
}

CControlBarInfo DockBarRecord(UINT nID, BOOL bFloating, std::vector<DockBarEntry> entries)
{
    CControlBarInfo info;
    info.m_nBarID = nID;
    info.m_bFloating = bFloating;
    info.m_entries = std::move(entries);
    return info;
}

DockBarEntry BarEntry(UINT nID)
{
    return DockBarEntry{nID, false};
}

DockBarEntry PlaceEntry(UINT nID)
{
    return DockBarEntry{nID, true};
}

const DockBarEntry kRowEnd{};

}  // namespace

TEST(BarsTest, FirstStartHasTheMeterLeftTheNotesBottomAndTheEditorDisabled)
{
    const StartupRecord& startup = Startup();
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT), startup.nMeterDockId);
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM), startup.nNotesDockId);
    EXPECT_TRUE(startup.bBarsVisible);
    EXPECT_FALSE(startup.bEditorEnabled);
    EXPECT_EQ("", startup.editorText);
}

TEST_F(ProgramTest, ViewCommandsHideAndShowTheBarsWithTheirCheckMarks)
{
    for (UINT id : {ID_VIEW_METER, ID_VIEW_NOTES, ID_VIEW_CHANNELS})
    {
        CWnd& bar = id == ID_VIEW_METER   ? static_cast<CWnd&>(Frame()->m_wndMeterBar)
                    : id == ID_VIEW_NOTES ? Frame()->m_wndNotesBar
                                          : Frame()->m_wndChannelBar;
        ASSERT_TRUE(bar.IsWindowVisible()) << id;
        EXPECT_TRUE(ViewItemChecked(id));
        Frame()->SendMessage(WM_COMMAND, id);
        EXPECT_FALSE(bar.IsWindowVisible());
        EXPECT_FALSE(ViewItemChecked(id));
        Frame()->SendMessage(WM_COMMAND, id);
        EXPECT_TRUE(bar.IsWindowVisible());
        EXPECT_TRUE(ViewItemChecked(id));
    }
}

TEST_F(ProgramTest, SelectedEntrysAnnotationIsEditedAtOnceAndSavedWithTheList)
{
    HearInFirstPass({MakeScriptedElement(0x61, "Norte", -50), MakeScriptedElement(0x62, "Sur", -60)});
    EntryAt(1)->m_strAnnotation = "segundo piso";

    SelectRow(1);
    EXPECT_TRUE(Frame()->m_noteEdit.IsWindowEnabled());
    EXPECT_EQ("segundo piso", EditorText());
    SelectRow(0);
    EXPECT_EQ("", EditorText());
    Type("junto al portal");
    EXPECT_EQ("junto al portal", EntryAt(0)->m_strAnnotation) << "in the entry at once";
    EXPECT_EQ("segundo piso", EntryAt(1)->m_strAnnotation);
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(App().GetString(LanguageText::AnnotatedMark), CellText(0, 7));
    EXPECT_EQ(kImageAnnotated, CellImage(0, 7));

    const std::string path = TempPath("notes.ksu");
    m_card.HoldPauses(false);
    Doc()->StopScan();
    ASSERT_TRUE(Doc()->OnSaveDocument(path.c_str()));
    ASSERT_NE(nullptr, App().OpenDocumentFile(path.c_str()));
    CFile::Remove(path.c_str());
    ASSERT_NE(nullptr, EntryAt(0));
    EXPECT_EQ("junto al portal", EntryAt(0)->m_strAnnotation);
    EXPECT_EQ("segundo piso", EntryAt(1)->m_strAnnotation);

    // The editor let go of the replaced list's entry: nothing typed can reach it.
    Tick(ID_TIMER_REFRESH);
    EXPECT_EQ(nullptr, g_pNoteEntry);
    EXPECT_FALSE(Frame()->m_noteEdit.IsWindowEnabled());
    EXPECT_EQ("", EditorText());
    Frame()->SendMessage(WM_NOTE_CHANGED);
    EXPECT_EQ("junto al portal", EntryAt(0)->m_strAnnotation);
}

TEST_F(ProgramTest, EditorForgetsAnEntryThatLeftTheListBeforeItIsWritten)
{
    HearInFirstPass({MakeScriptedElement(0x71, "Este", -50)});
    SelectRow(0);
    ASSERT_NE(nullptr, g_pNoteEntry);
    m_card.HoldPauses(false);
    Doc()->StopScan();
    Doc()->DeleteEntries();
    // A change notice arriving before the next refresh must not write into the freed entry.
    Frame()->SendMessage(WM_NOTE_CHANGED);
    EXPECT_EQ(nullptr, g_pNoteEntry);
    EXPECT_FALSE(Frame()->m_noteEdit.IsWindowEnabled());
}

TEST_F(ProgramTest, EveryLayoutPassStartsTheGraphAfresh)
{
    Frame()->RecalcLayout();
    for (int i = 0; i < 20; ++i)
        Frame()->m_graph.AppendPoint(i % 2 ? 30.0 : -60.0);
    ASSERT_GT(TracePixels(), 0);
    CRect rc;
    Frame()->GetWindowRect(rc);
    Frame()->MoveWindow(rc.left, rc.top, rc.Width() + 40, rc.Height() + 20);
    PumpMessages();
    EXPECT_EQ(0, TracePixels());
    Frame()->MoveWindow(rc);
    PumpMessages();
}

TEST_F(ProgramTest, ATypedNoteMakesTheListUnsavedSoLeavingItAsksAndYesStoresTheNote)
{
    HearInFirstPass({MakeScriptedElement(0x81, "Norte", -50), MakeScriptedElement(0x82, "Sur", -60)});
    EntryAt(1)->m_strAnnotation = "s\xF3tano";
    m_card.HoldPauses(false);
    Doc()->StopScan();
    const std::string path = TempPath("typed.ksu");
    ASSERT_TRUE(Doc()->OnSaveDocument(path.c_str()));
    ASSERT_NE(nullptr, App().OpenDocumentFile(path.c_str()));
    Tick(ID_TIMER_REFRESH);

    // Loading and moving between rows show notes without changing any.
    SelectRow(1);
    SelectRow(0);
    SelectRow(1);
    EXPECT_EQ("s\xF3tano", EditorText());
    // A change notice that leaves the text as it was, as pasting it over itself does.
    Frame()->SendMessage(WM_NOTE_CHANGED);
    EXPECT_FALSE(Doc()->IsModified());

    Type("!");
    EXPECT_TRUE(Doc()->IsModified());
    App().m_answers = {IDCANCEL};
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    EXPECT_EQ(1u, App().m_messages.size()) << "File New asks first";
    EXPECT_EQ("!s\xF3tano", EntryAt(1)->m_strAnnotation);

    // What closing the window asks; "Sí" writes the note into the list's file.
    App().m_answers = {IDYES};
    EXPECT_TRUE(Doc()->CanCloseFrame(Frame()));
    EXPECT_EQ(2u, App().m_messages.size());
    EXPECT_FALSE(Doc()->IsModified());
    ASSERT_TRUE(Doc()->OnOpenDocument(path.c_str()));
    CFile::Remove(path.c_str());
    ASSERT_NE(nullptr, EntryAt(1));
    EXPECT_EQ("!s\xF3tano", EntryAt(1)->m_strAnnotation);
}

TEST_F(ProgramTest, ASettledLayoutAsksForNoFurtherLayoutWhetherTheBarsAreDockedOrFloating)
{
    CMainFrame* pFrame = Frame();
    // Each idle layout pass would clear the graph: a trace that survives idle time saw none.
    auto expectSettled = [&](const char* what) {
        for (int i = 0; i < 5; ++i)
            PumpMessages();
        for (int i = 0; i < 20; ++i)
            pFrame->m_graph.AppendPoint(i % 2 ? -30.0 : -60.0);
        const int nPixels = TracePixels();
        ASSERT_GT(nPixels, 0) << what;
        for (int i = 0; i < 10; ++i)
        {
            PumpMessages();
            Sleep(5);
        }
        EXPECT_EQ(nPixels, TracePixels()) << what;
    };
    expectSettled("docked");
    pFrame->FloatControlBar(&pFrame->m_wndMeterBar, CPoint(250, 150), CBRS_ALIGN_TOP);
    pFrame->FloatControlBar(&pFrame->m_wndNotesBar, CPoint(250, 420), CBRS_ALIGN_TOP);
    expectSettled("floating");
    pFrame->DockControlBar(&pFrame->m_wndMeterBar, AFX_IDW_DOCKBAR_LEFT);
    pFrame->DockControlBar(&pFrame->m_wndNotesBar, AFX_IDW_DOCKBAR_BOTTOM);
    expectSettled("docked again");
}

TEST_F(ProgramTest, ASavedLayoutIsUsableWhenItsPlacesAndFloatingFramesNameOnlyBarsOfTheFrame)
{
    const char kProfile[] = "BarStateCheck";
    const CControlBarInfo left =
        DockBarRecord(AFX_IDW_DOCKBAR_LEFT, FALSE, {PlaceEntry(IDC_METER_BAR), kRowEnd});
    const CControlBarInfo floating =
        DockBarRecord(AFX_IDW_DOCKBAR_FLOAT, TRUE, {BarEntry(IDC_METER_BAR), kRowEnd});
    EXPECT_TRUE(ValidLayout(kProfile, {}));
    // A side keeping a floated bar's place, and the floating frame's record, whose own id no frame has.
    EXPECT_TRUE(ValidLayout(kProfile, {left, floating}));
    EXPECT_FALSE(
        ValidLayout(kProfile, {DockBarRecord(AFX_IDW_DOCKBAR_LEFT, FALSE, {PlaceEntry(999), kRowEnd})}));
    EXPECT_FALSE(
        ValidLayout(kProfile, {left, DockBarRecord(AFX_IDW_DOCKBAR_FLOAT, TRUE, {BarEntry(999), kRowEnd})}));
    EXPECT_FALSE(ValidLayout(kProfile, {DockBarRecord(999, FALSE, {BarEntry(IDC_METER_BAR), kRowEnd})}));
    ClearSavedLayout(App().m_pszAppName);
}

TEST_F(ProgramTest, ClosingSavesTheLayoutEvenWhenTheSavePromptThenCancelsTheClose)
{
    CMainFrame* pFrame = Frame();
    pFrame->SaveBarState("BarState");
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_METER);
    ASSERT_FALSE(pFrame->m_wndMeterBar.IsWindowVisible());
    Doc()->SetModifiedFlag(TRUE);
    App().m_answers.push_back(IDCANCEL);
    const size_t nMessages = App().m_messages.size();
    pFrame->SendMessage(WM_CLOSE);
    ASSERT_TRUE(IsWindow(pFrame->m_hWnd));
    EXPECT_EQ(nMessages + 1, App().m_messages.size()) << "the save prompt";

    CDockState state;
    state.LoadState("BarState");
    bool bMeterSaved = false;
    for (const auto& pInfo : state.m_arrBarInfo)
    {
        if (pInfo->m_nBarID == IDC_METER_BAR)
        {
            bMeterSaved = true;
            EXPECT_FALSE(pInfo->m_bVisible) << "saved before the prompt";
        }
    }
    EXPECT_TRUE(bMeterSaved);
    Doc()->SetModifiedFlag(FALSE);
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_METER);
    ClearSavedLayout(App().m_pszAppName);
}

TEST_F(ProgramTest, EditCommandsActOnTheFocusedNoteEditorWhenItCanAndTheEntryFollows)
{
    HearInFirstPass({MakeScriptedElement(0x91, "Norte", -50), MakeScriptedElement(0x92, "Sur", -60)});
    EntryAt(0)->m_strAnnotation = "junto al portal";
    EntryAt(1)->m_strAnnotation = "s\xF3tano";
    SelectRow(0);
    Frame()->m_noteEdit.SetSel(0, 5);
    SetClipboard("norte");
    Doc()->SetModifiedFlag(FALSE);

    FocusOn(*View());
    EXPECT_EQ("", EnabledEditCommands()) << "only the focused editor is edited";
    PumpMessages();
    EXPECT_FALSE(ToolButtonEnabled(ID_EDIT_PASTE));

    FocusOn(Frame()->m_noteEdit);
    EXPECT_EQ("cut copy paste clear all", EnabledEditCommands());
    PumpMessages();
    for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_TRUE(ToolButtonEnabled(id)) << id;
    Frame()->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_EQ("junto", ClipboardText());
    EXPECT_FALSE(Doc()->IsModified());

    Frame()->SendMessage(WM_COMMAND, ID_EDIT_CUT);
    EXPECT_EQ(" al portal", EntryAt(0)->m_strAnnotation);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ("undo paste all", EnabledEditCommands());
    Doc()->SetModifiedFlag(FALSE);
    Frame()->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_EQ("junto al portal", EntryAt(0)->m_strAnnotation);
    EXPECT_TRUE(Doc()->IsModified());

    Frame()->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    Frame()->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    EXPECT_EQ("junto", EntryAt(0)->m_strAnnotation);
    Frame()->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    Frame()->SendMessage(WM_COMMAND, ID_EDIT_CLEAR);
    EXPECT_EQ("", EntryAt(0)->m_strAnnotation);
    SetClipboard(nullptr);
    EXPECT_EQ("undo", EnabledEditCommands());
    Frame()->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    EXPECT_EQ("", EntryAt(0)->m_strAnnotation) << "a disabled command does not run";

    // Another entry's note can't be undone into this one.
    SelectRow(1);
    EXPECT_EQ("all", EnabledEditCommands());
    Frame()->m_noteEdit.SetReadOnly(TRUE);
    Frame()->m_noteEdit.SetSel(0, 2);
    EXPECT_EQ("copy all", EnabledEditCommands());
    Frame()->m_noteEdit.SetReadOnly(FALSE);
    EXPECT_EQ("s\xF3tano", EntryAt(1)->m_strAnnotation);
}

TEST_F(ProgramTest, ClipboardKeysReachTheNoteEditorThroughTheFrameDockedAndFloating)
{
    HearInFirstPass({MakeScriptedElement(0xA1, "Norte", -50)});
    EntryAt(0)->m_strAnnotation = "norte";
    SelectRow(0);
    SetClipboard(nullptr);
    Doc()->SetModifiedFlag(FALSE);

    FocusOn(Frame()->m_noteEdit);
    Frame()->m_noteEdit.SetSel(0, -1);
    PressKey('C', VK_CONTROL);
    EXPECT_EQ("norte", ClipboardText());
    Frame()->m_noteEdit.SetSel(5, 5);
    PressKey('V', VK_CONTROL);
    EXPECT_EQ("nortenorte", EntryAt(0)->m_strAnnotation);
    EXPECT_TRUE(Doc()->IsModified());
    PressKey('Z', VK_CONTROL);
    EXPECT_EQ("norte", EntryAt(0)->m_strAnnotation);
    Frame()->m_noteEdit.SetSel(0, 2);
    PressKey('X', VK_CONTROL);
    EXPECT_EQ("rte", EntryAt(0)->m_strAnnotation);

    FocusOn(*View());
    PressKey('V', VK_CONTROL);
    EXPECT_EQ("rte", EntryAt(0)->m_strAnnotation) << "the list has the focus";

    FloatNotesBar();
    FocusOn(Frame()->m_noteEdit);
    PressKey(VK_INSERT, VK_SHIFT);
    EXPECT_EQ("norte", EntryAt(0)->m_strAnnotation);
    DockNotesBar();
}

TEST_F(ProgramTest, F6AndShiftF6MoveTheFocusBetweenTheListAndTheNoteEditorWhereverItsBarIs)
{
    // The emptied list lets go of the entry an earlier test selected.
    Tick(ID_TIMER_REFRESH);
    ASSERT_FALSE(Frame()->m_noteEdit.IsWindowEnabled());
    FocusOn(*View());
    PressKey(VK_F6);
    EXPECT_EQ(View()->m_hWnd, GetFocus()) << "no entry selected: the editor can't take it";

    HearInFirstPass({MakeScriptedElement(0xB1, "Norte", -50)});
    SelectRow(0);
    for (BYTE modifier : {BYTE(0), BYTE(VK_SHIFT)})
    {
        PressKey(VK_F6, modifier);
        EXPECT_EQ(Frame()->m_noteEdit.m_hWnd, GetFocus()) << int(modifier);
        PressKey(VK_F6, modifier);
        EXPECT_EQ(View()->m_hWnd, GetFocus()) << int(modifier);
    }

    Frame()->SendMessage(WM_COMMAND, ID_VIEW_NOTES);
    PressKey(VK_F6);
    EXPECT_EQ(View()->m_hWnd, GetFocus()) << "its bar is hidden";
    Frame()->SendMessage(WM_COMMAND, ID_VIEW_NOTES);

    FloatNotesBar();
    FocusOn(*View());
    PressKey(VK_F6);
    EXPECT_EQ(Frame()->m_noteEdit.m_hWnd, GetFocus());
    PressKey(VK_F6, VK_SHIFT);
    EXPECT_EQ(View()->m_hWnd, GetFocus());
    DockNotesBar();
}

TEST_F(ProgramTest, ChannelBarDocksRightAndMapsWhatTheLastScanHeardOnItsBusiestBand)
{
    CMainFrame* pFrame = Frame();
    ASSERT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_RIGHT),
              static_cast<UINT>(pFrame->m_wndChannelBar.GetParent()->GetDlgCtrlID()));
    CString caption;
    pFrame->m_wndChannelBar.GetWindowText(caption);
    EXPECT_STREQ(App().GetString(LanguageText::ChannelsCaption), caption);

    NDIS_WLAN_BSSID casa = MakeScriptedElement(0x91, "Casa", -40);
    NDIS_WLAN_BSSID oficina = MakeScriptedElement(0x92, "", -60);
    oficina.Configuration.DSConfig = 5180000;
    NDIS_WLAN_BSSID bar = MakeScriptedElement(0x93, "Bar", -70);
    bar.Configuration.DSConfig = 5745000;
    m_card.AddPass(PassHearing({casa, oficina, bar}));
    HearInFirstPass({casa});
    const CChannelMap& map = pFrame->m_channelMap;
    ASSERT_EQ(3u, map.GetAccessPoints().size());
    EXPECT_EQ(MapBand::Ghz5, map.GetBand());
    EXPECT_STREQ("", map.GetAccessPoints()[1].name) << "named as hidden when drawn";
    EXPECT_EQ(149, map.GetAccessPoints()[2].channel);

    // Only what the last pass heard, the tracked one marked; the busiest band follows.
    Doc()->m_pTracked = Doc()->m_entries.Head();
    FinishPass(2);
    Tick(ID_TIMER_REFRESH);
    ASSERT_EQ(1u, map.GetAccessPoints().size());
    EXPECT_STREQ("Casa", map.GetAccessPoints()[0].name);
    EXPECT_TRUE(map.GetAccessPoints()[0].tracked);
    EXPECT_EQ(MapBand::Ghz24, map.GetBand());
    Doc()->m_pTracked = nullptr;
}

TEST_F(ProgramTest, ALayoutSavedBeforeTheChannelBarIsUsableAndLeavesTheBarInItsPlace)
{
    const char kProfile[] = "BarStateOld";
    CMainFrame* pFrame = Frame();
    const std::vector<CControlBarInfo> old = {
        DockBarRecord(AFX_IDW_DOCKBAR_LEFT, FALSE, {BarEntry(IDC_METER_BAR), kRowEnd}),
        DockBarRecord(AFX_IDW_DOCKBAR_BOTTOM, FALSE, {BarEntry(IDC_NOTES_BAR), kRowEnd})};
    ASSERT_TRUE(ValidLayout(kProfile, old));
    EXPECT_TRUE(ValidLayout(
        "BarStateCheck", {DockBarRecord(AFX_IDW_DOCKBAR_RIGHT, FALSE, {PlaceEntry(IDC_CHANNEL_BAR), kRowEnd}),
                          DockBarRecord(AFX_IDW_DOCKBAR_FLOAT, TRUE, {BarEntry(IDC_CHANNEL_BAR), kRowEnd})}));
    pFrame->m_wndChannelBar.LoadBarSizes(kProfile);
    pFrame->LoadBarState(kProfile);
    PumpMessages();
    EXPECT_TRUE(pFrame->m_wndChannelBar.IsWindowVisible());
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_RIGHT),
              static_cast<UINT>(pFrame->m_wndChannelBar.GetParent()->GetDlgCtrlID()));
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT),
              static_cast<UINT>(pFrame->m_wndMeterBar.GetParent()->GetDlgCtrlID()));
    ClearSavedLayout(App().m_pszAppName);
}
