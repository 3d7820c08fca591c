// The frame's docking bars: where they start, the View toggles, the annotation editor and the graph's
// reset on layout.
#include <string>

#include "afx/File.h"
#include "res/resource.h"
#include "tests/graph/MemorySurface.h"
#include "tests/program/ProgramTestSupport.h"

namespace
{

CNetworkEntry* EntryAt(int row)
{
    CNetworkEntry* pEntry = Doc()->m_pHead;
    while (pEntry && row-- > 0)
        pEntry = pEntry->m_pNext;
    return pEntry;
}

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
    for (UINT id : {ID_VIEW_METER, ID_VIEW_NOTES})
    {
        CWnd& bar = id == ID_VIEW_METER ? static_cast<CWnd&>(Frame()->m_wndMeterBar) : Frame()->m_wndNotesBar;
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
    m_card.AddPass(
        PassHearing({MakeScriptedElement(0x61, "Norte", -50), MakeScriptedElement(0x62, "Sur", -60)}));
    NewScan();
    FinishPass(1);
    Tick(ID_TIMER_REFRESH);
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
    EXPECT_EQ(App().GetString(51), CellText(0, 7));
    EXPECT_EQ(kImageAnnotated, CellImage(0, 7));

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path =
        std::string(temp) + "kesu-notes-" + std::to_string(GetCurrentProcessId()) + ".ksu";
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
    m_card.AddPass(PassHearing({MakeScriptedElement(0x71, "Este", -50)}));
    NewScan();
    FinishPass(1);
    Tick(ID_TIMER_REFRESH);
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
