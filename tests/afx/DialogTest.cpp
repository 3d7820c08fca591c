// Modal dialogs: data exchange, the owner disabled meanwhile, other windows' timers still arriving.
#include "AfxTestSupport.h"
#include "afx/DataExchange.h"
#include "afx/Dialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const int IDC_NOTE = 1000;
const int IDC_NAME = 1001;
const int IDC_COUNT = 1002;

// A dialog template in memory: a caption, three edits and an OK button.
class CDialogTemplate
{
public:
    CDialogTemplate()
    {
        Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE);
        Dword(0);
        Word(4);  // items
        Word(10);
        Word(10);
        Word(200);
        Word(100);
        Word(0);
        Word(0);  // no menu, default class
        Text(L"Prueba");
        Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0x0081, IDC_NOTE, 5);
        Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0x0081, IDC_NAME, 25);
        Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0x0081, IDC_COUNT, 45);
        Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 0x0080, IDOK, 70);
    }
    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* psz)
    {
        do
            Word(WORD(*psz));
        while (*psz++);
    }
    void Item(DWORD dwStyle, WORD wClassAtom, int nID, int y)
    {
        if (m_words.size() % 2)
            Word(0);  // items start on a DWORD boundary
        Dword(dwStyle | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Word(5);
        Word(WORD(y));
        Word(120);
        Word(14);
        Word(WORD(nID));
        Word(0xFFFF);
        Word(wClassAtom);
        Text(L"");
        Word(0);
    }
    std::vector<WORD> m_words;
};

class CNoteCtrl : public CWnd
{
public:
    int m_nChanges = 0;
    void OnChange() { ++m_nChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNoteCtrl, CWnd)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

// The test's script runs from the dialog's own timer, one step per tick.
class CTestDlg : public CDialog
{
public:
    CNoteCtrl m_note;
    CString m_strName = "inicial";
    int m_nCount = 0;
    std::vector<void (*)(CTestDlg&)> m_steps;
    size_t m_nStep = 0;
    BOOL m_bOwnerEnabledDuring = TRUE;
    BOOL m_bNoteJoinedDuring = FALSE;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NOTE, m_note);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetTimer(1, 60);
        return TRUE;
    }
    void OnTimer(UINT_PTR)
    {
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        if (hOwner && ::IsWindowEnabled(hOwner))
            m_bOwnerEnabledDuring = FALSE;
        m_bNoteJoinedDuring = m_note.m_hWnd != nullptr && CWnd::FromHandlePermanent(m_note.m_hWnd) == &m_note;
        if (m_nStep < m_steps.size())
            m_steps[m_nStep++](*this);
        else
            EndDialog(-7);  // the script ran out without closing: fail visibly
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// Counts its timer ticks while a dialog is up.
class CTicker : public CWnd
{
public:
    int m_nTicks = 0;
    void OnTimer(UINT_PTR) { ++m_nTicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTicker, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(DialogTest, DataExchangeFillsTheControlsAndTakesTheirValuesOnOK)
{
    CTicker owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr));
    owner.SetTimer(5, 20);
    CDialogTemplate dlgTemplate;
    CTestDlg dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(dlgTemplate.Get(), &owner));
    dlg.m_steps = {
        [](CTestDlg& d) {
            CString shown;
            d.GetDlgItemText(IDC_NAME, shown);
            EXPECT_STREQ("inicial", shown);  // members went to the controls first
            d.m_note.SetWindowText("nota");
            d.SetDlgItemText(IDC_NAME, "Ostrel");
            d.SetDlgItemText(IDC_COUNT, "doce");
            d.PostMessage(WM_COMMAND, IDOK);  // refused: not a number
        },
        [](CTestDlg& d) {
            EXPECT_TRUE(::IsWindowVisible(d.m_hWnd));
            d.SetDlgItemText(IDC_COUNT, "12");
            d.PostMessage(WM_COMMAND, IDOK);
        },
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(2u, dlg.m_nStep);
    EXPECT_STREQ("Ostrel", dlg.m_strName);
    EXPECT_EQ(12, dlg.m_nCount);
    EXPECT_TRUE(dlg.m_bNoteJoinedDuring);
    EXPECT_GE(dlg.m_note.m_nChanges, 1);  // EN_CHANGE reflected to the joined control
    EXPECT_TRUE(dlg.m_bOwnerEnabledDuring);
    EXPECT_GT(owner.m_nTicks, 3);  // the owner's timer kept running
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    owner.DestroyWindow();
}

TEST(DialogTest, CancelLeavesTheMembersAlone)
{
    CDialogTemplate dlgTemplate;
    CTestDlg dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(dlgTemplate.Get()));
    dlg.m_steps = {[](CTestDlg& d) {
        d.SetDlgItemText(IDC_NAME, "otro");
        d.PostMessage(WM_CLOSE);
    }};
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("inicial", dlg.m_strName);
    EXPECT_EQ(-1, CDialog(4321).DoModal());  // no such template
}
}  // namespace
