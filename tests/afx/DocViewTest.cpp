// A toy document, list view and frame joined by a single-document template, driven as the program drives
// them.
#include "afx/Archive.h"
#include "afx/SingleDocTemplate.h"
#include "afx/File.h"
#include "afx/Frame.h"
#include "afx/ListView.h"
#include "afx/WinApp.h"
#include "afx/Point.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace
{
const UINT kIDTemplate = 128;

// Answers the program's message boxes from a queue and keeps their texts.
class CTestApp : public CWinApp
{
public:
    int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT) override
    {
        m_messages.push_back(lpszPrompt);
        if (!m_answers.empty())
        {
            int nAnswer = m_answers.front();
            m_answers.pop_front();
            return nAnswer;
        }
        return (nType & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }

    std::vector<std::string> m_messages;
    std::deque<int> m_answers;
};

CTestApp theApp;

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    ~CTestDoc() override { ++s_nDestroyed; }

    BOOL OnNewDocument() override
    {
        ++m_nNew;
        return CDocument::OnNewDocument();
    }

    // A 4-byte length, then the text.
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ++m_nStores;
            ar << int(m_strData.size());
            ar.Write(m_strData.data(), UINT(m_strData.size()));
            if (m_bFailStore)
                ar.SetError(CArchive::writeError, ERROR_DISK_FULL);
            return;
        }
        ++m_nLoads;
        int nLength = 0;
        ar >> nLength;
        if (!ar.IsOk() || nLength < 0 || nLength > 0x10000)
        {
            ar.SetError(CArchive::badFormat);
            return;
        }
        m_strData.assign(size_t(nLength), '\0');
        if (ar.Read(&m_strData[0], UINT(nLength)) < UINT(nLength))
            ar.SetError(CArchive::endOfFile);
    }

    std::string m_strData;
    int m_nNew = 0;
    int m_nStores = 0;
    int m_nLoads = 0;
    BOOL m_bFailStore = FALSE;
    static int s_nDestroyed;
};
int CTestDoc::s_nDestroyed = 0;
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

// An owner-data report list: the rows exist only in what the view answers.
class CTestView : public CListView
{
    DECLARE_DYNCREATE(CTestView)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA;
        return CListView::PreCreateWindow(cs);
    }
    void OnInitialUpdate() override
    {
        ++m_nInitialUpdates;
        CListView::OnInitialUpdate();
        CListCtrl& list = GetListCtrl();
        list.DeleteColumn(0);
        list.InsertColumn(0, "Fila", LVCFMT_LEFT, 120);
    }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject*) override
    {
        ++m_nUpdates;
        m_pLastSender = pSender;
        m_lLastHint = lHint;
        GetListCtrl().SetItemCount(kRows);
    }

    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMLVDISPINFOA* pInfo = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
        ++m_nDispInfo;
        if ((pInfo->item.mask & LVIF_TEXT) && pInfo->item.cchTextMax > 0)
        {
            char szText[32];
            wsprintfA(szText, "fila %d", pInfo->item.iItem);
            lstrcpynA(pInfo->item.pszText, szText, pInfo->item.cchTextMax);
        }
        *pResult = 0;
    }
    void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_nDblClkItem = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem;
        ++m_nDblClks;
        *pResult = 0;
    }
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_nChangedItem = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iItem;
        *pResult = 0;
    }

    static constexpr int kRows = 5;
    int m_nInitialUpdates = 0;
    int m_nUpdates = 0;
    CView* m_pLastSender = nullptr;
    LPARAM m_lLastHint = -1;
    int m_nDispInfo = 0;
    int m_nDblClks = 0;
    int m_nDblClkItem = -2;
    int m_nChangedItem = -2;

    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CListView)

BEGIN_MESSAGE_MAP(CTestView, CListView)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string TempPath(const char* pszName)
{
    char szDir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    return std::string(szDir) + "afxdoc-" + std::to_string(::GetCurrentProcessId()) + "-" + pszName;
}

std::string ReadWhole(const std::string& path)
{
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead))
        return "<missing>";
    std::string bytes(size_t(file.GetLength()), '\0');
    file.Read(&bytes[0], UINT(bytes.size()));
    return bytes;
}

void WriteWhole(const std::string& path, const std::string& bytes)
{
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(file.Write(bytes.data(), UINT(bytes.size())));
}

std::string Record(const std::string& text)
{
    int n = int(text.size());
    return std::string(reinterpret_cast<const char*>(&n), 4) + text;
}

std::string WindowTitle(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return std::string(str);
}

class DocViewTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW));
        theApp.AddDocTemplate(new CSingleDocTemplate(kIDTemplate, RUNTIME_CLASS(CTestDoc),
                                                     RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CTestView)));
    }

    void SetUp() override
    {
        theApp.m_messages.clear();
        theApp.m_answers.clear();
        theApp.m_nCmdShow = SW_SHOW;
        m_pDoc = static_cast<CTestDoc*>(theApp.OpenDocumentFile(nullptr));
        ASSERT_NE(nullptr, m_pDoc);
        ASSERT_TRUE(m_pDoc->IsKindOf(RUNTIME_CLASS(CTestDoc)));
        POSITION pos = m_pDoc->GetFirstViewPosition();
        m_pView = static_cast<CTestView*>(m_pDoc->GetNextView(pos));
        ASSERT_NE(nullptr, m_pView);
        EXPECT_EQ(nullptr, pos);
        m_pFrame = m_pView->GetParentFrame();
        ASSERT_NE(nullptr, m_pFrame);
        PumpMessages();
    }

    void TearDown() override
    {
        for (const std::string& path : m_files)
            ::DeleteFileA(path.c_str());
        theApp.CloseAllDocuments(FALSE);
        PumpMessages();
        EXPECT_EQ(nullptr, theApp.m_pMainWnd);
        EXPECT_EQ(0, theApp.GetOpenDocumentCount());
    }

    std::string NewTempFile(const char* pszName)
    {
        m_files.push_back(TempPath(pszName));
        ::DeleteFileA(m_files.back().c_str());
        return m_files.back();
    }

    CTestDoc* m_pDoc = nullptr;
    CTestView* m_pView = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    std::vector<std::string> m_files;
};

TEST_F(DocViewTest, FileNewMakesOneDocumentFrameAndViewThenReusesThem)
{
    EXPECT_EQ(1, m_pDoc->m_nNew);
    EXPECT_EQ(1, m_pView->m_nInitialUpdates);
    EXPECT_GE(m_pView->m_nUpdates, 1);  // the initial update runs the refresh
    EXPECT_EQ(m_pFrame, theApp.m_pMainWnd);
    EXPECT_EQ(m_pDoc, m_pFrame->GetActiveDocument());
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_STREQ("Sin t\xEDtulo", m_pDoc->GetTitle());
    EXPECT_EQ("Sin t\xEDtulo - AfxDocTest", WindowTitle(m_pFrame));
    EXPECT_TRUE(theApp.m_messages.empty());

    CString str;
    CDocTemplate* pTemplate = m_pDoc->GetDocTemplate();
    ASSERT_NE(nullptr, pTemplate);
    EXPECT_TRUE(pTemplate->GetDocString(str, CDocTemplate::windowTitle));
    EXPECT_STREQ("AfxDocTest", str);
    EXPECT_FALSE(pTemplate->GetDocString(str, CDocTemplate::docName));
    EXPECT_TRUE(pTemplate->GetDocString(str, CDocTemplate::regFileTypeName));
    EXPECT_STREQ("AfxDocTest Document", str);

    // An unmodified document is renewed without a question.
    theApp.OnFileNew();
    EXPECT_EQ(2, m_pDoc->m_nNew);
    EXPECT_EQ(2, m_pView->m_nInitialUpdates);
    EXPECT_EQ(1, theApp.GetOpenDocumentCount());
    EXPECT_EQ(m_pFrame, theApp.m_pMainWnd);
    EXPECT_TRUE(theApp.m_messages.empty());
}

TEST_F(DocViewTest, TheSavePromptGuardsAModifiedDocument)
{
    m_pDoc->SetModifiedFlag();
    theApp.m_answers.assign(1, IDCANCEL);
    theApp.OnFileNew();
    ASSERT_EQ(1u, theApp.m_messages.size());
    EXPECT_EQ("\xBFGuardar los cambios en Sin t\xEDtulo?", theApp.m_messages[0]);
    EXPECT_EQ(1, m_pDoc->m_nNew);
    EXPECT_TRUE(m_pDoc->IsModified());

    theApp.m_answers.assign(1, IDNO);
    theApp.OnFileNew();
    EXPECT_EQ(2, m_pDoc->m_nNew);
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(0, m_pDoc->m_nStores);

    // "Yes" for a document with a writable file saves it there.
    std::string path = NewTempFile("prompt.dat");
    m_pDoc->m_strData = "uno";
    ASSERT_TRUE(m_pDoc->DoSave(path.c_str()));
    m_pDoc->m_strData = "dos";
    m_pDoc->SetModifiedFlag();
    theApp.m_answers.assign(1, IDYES);
    EXPECT_TRUE(m_pDoc->SaveModified());
    EXPECT_EQ(Record("dos"), ReadWhole(path));
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(DocViewTest, UpdateAllViewsReachesEveryViewButTheSender)
{
    int nBefore = m_pView->m_nUpdates;
    m_pDoc->UpdateAllViews(nullptr, 7);
    EXPECT_EQ(nBefore + 1, m_pView->m_nUpdates);
    EXPECT_EQ(7, m_pView->m_lLastHint);
    m_pDoc->UpdateAllViews(m_pView, 8);
    EXPECT_EQ(nBefore + 1, m_pView->m_nUpdates);
}

TEST_F(DocViewTest, SavedFilesOpenAgainThroughSerialize)
{
    std::string path = NewTempFile("roundtrip.dat");
    m_pDoc->m_strData = "hola";
    m_pDoc->SetModifiedFlag();
    ASSERT_TRUE(m_pDoc->OnSaveDocument(path.c_str()));
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(Record("hola"), ReadWhole(path));

    m_pDoc->m_strData.clear();
    EXPECT_EQ(m_pDoc, theApp.OpenDocumentFile(path.c_str()));
    EXPECT_EQ("hola", m_pDoc->m_strData);
    EXPECT_EQ(1, m_pDoc->m_nLoads);
    EXPECT_EQ(1, m_pDoc->m_nNew);  // opening is not making new
    EXPECT_EQ(2, m_pView->m_nInitialUpdates);
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(0, m_pDoc->GetPathName().CompareNoCase(path.c_str()));
    std::string name = path.substr(path.rfind('\\') + 1);
    EXPECT_EQ(name, std::string(m_pDoc->GetTitle()));
    EXPECT_EQ(name + " - AfxDocTest", WindowTitle(m_pFrame));

    // File Save from the menu goes through the view to the document and
    // writes to the document's own file.
    m_pDoc->m_strData = "adi\xF3s";
    m_pDoc->SetModifiedFlag();
    m_pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    EXPECT_EQ(Record("adi\xF3s"), ReadWhole(path));
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_TRUE(theApp.m_messages.empty());
}

TEST_F(DocViewTest, AnEmptyFileOpensWithoutSerialize)
{
    std::string path = NewTempFile("empty.dat");
    WriteWhole(path, "");
    m_pDoc->m_strData = "sigue";
    EXPECT_EQ(m_pDoc, theApp.OpenDocumentFile(path.c_str()));
    EXPECT_EQ(0, m_pDoc->m_nLoads);
    EXPECT_EQ("sigue", m_pDoc->m_strData);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(DocViewTest, AFileThatWontOpenLeavesTheDocumentAsItWas)
{
    std::string path = NewTempFile("missing.dat");
    m_pDoc->m_strData = "antes";
    m_pDoc->SetModifiedFlag();
    theApp.m_answers.assign({IDNO, IDOK});
    EXPECT_EQ(nullptr, theApp.OpenDocumentFile(path.c_str()));
    ASSERT_EQ(2u, theApp.m_messages.size());
    EXPECT_EQ("No se encuentra " + path + ".", theApp.m_messages[1]);
    EXPECT_EQ("antes", m_pDoc->m_strData);
    EXPECT_TRUE(m_pDoc->IsModified());  // as before the attempt
    EXPECT_EQ(1, m_pDoc->m_nNew);
    EXPECT_TRUE(m_pDoc->GetPathName().IsEmpty());
}

TEST_F(DocViewTest, AReadErrorHalfWayMakesTheDocumentNew)
{
    std::string good = NewTempFile("good.dat");
    WriteWhole(good, Record("bien"));
    ASSERT_EQ(m_pDoc, theApp.OpenDocumentFile(good.c_str()));

    std::string cut = NewTempFile("cut.dat");
    WriteWhole(cut, Record("completo").substr(0, 7));
    EXPECT_EQ(nullptr, theApp.OpenDocumentFile(cut.c_str()));
    ASSERT_EQ(1u, theApp.m_messages.size());
    EXPECT_EQ(cut + " tiene un formato inesperado.", theApp.m_messages[0]);
    // Part of the file was taken in: the document starts over as a new one.
    EXPECT_EQ(2, m_pDoc->m_nNew);
    EXPECT_TRUE(m_pDoc->GetPathName().IsEmpty());
    EXPECT_STREQ("Sin t\xEDtulo", m_pDoc->GetTitle());
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(DocViewTest, AFailedSaveIsReportedAndKeepsTheEarlierFile)
{
    std::string path = NewTempFile("keep.dat");
    m_pDoc->m_strData = "primero";
    ASSERT_TRUE(m_pDoc->DoSave(path.c_str()));

    // Serialize runs into a full disk half-way.
    m_pDoc->m_strData = "segundo";
    m_pDoc->SetModifiedFlag();
    m_pDoc->m_bFailStore = TRUE;
    EXPECT_FALSE(m_pDoc->OnSaveDocument(path.c_str()));
    ASSERT_EQ(1u, theApp.m_messages.size());
    EXPECT_EQ("Disco lleno al escribir " + path + ".", theApp.m_messages[0]);
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(Record("primero"), ReadWhole(path));

    // The file is held open by someone else.
    m_pDoc->m_bFailStore = FALSE;
    {
        CFile holder;
        ASSERT_TRUE(holder.Open(path.c_str(), CFile::modeRead | CFile::shareExclusive));
        EXPECT_FALSE(m_pDoc->OnSaveDocument(path.c_str()));
    }
    ASSERT_EQ(2u, theApp.m_messages.size());
    EXPECT_NE(std::string::npos, theApp.m_messages[1].find(path));
    EXPECT_EQ(Record("primero"), ReadWhole(path));

    // No half-written files are left beside it.
    std::string pattern = path.substr(0, path.rfind('\\') + 1) + "ksu*.tmp";
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(pattern.c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind) << fd.cFileName;
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
}

TEST_F(DocViewTest, ListNotificationsAreReflectedToTheView)
{
    CListCtrl& list = m_pView->GetListCtrl();
    EXPECT_EQ(m_pView->m_hWnd, list.m_hWnd);
    EXPECT_EQ(CTestView::kRows, list.GetItemCount());

    // Owner data: the control asks its parent, the frame, which hands the
    // question back to the view.
    int nAsked = m_pView->m_nDispInfo;
    EXPECT_EQ("fila 3", std::string(list.GetItemText(3, 0)));
    EXPECT_GT(m_pView->m_nDispInfo, nAsked);

    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(2, m_pView->m_nChangedItem);

    RECT rc = {LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(::SendMessageA(list.m_hWnd, LVM_GETITEMRECT, 1, LPARAM(&rc)));
    LPARAM lPoint = MAKELPARAM(rc.left + 10, (rc.top + rc.bottom) / 2);
    EXPECT_EQ(1, list.HitTest(CPoint(rc.left + 10, (rc.top + rc.bottom) / 2)));
    ::SendMessageA(list.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    ::SendMessageA(list.m_hWnd, WM_LBUTTONUP, 0, lPoint);
    ::SendMessageA(list.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, lPoint);
    ::SendMessageA(list.m_hWnd, WM_LBUTTONUP, 0, lPoint);
    PumpMessages();
    EXPECT_EQ(1, m_pView->m_nDblClks);
    EXPECT_EQ(1, m_pView->m_nDblClkItem);
}

TEST_F(DocViewTest, ClosingTheFrameAsksThenClosesTheDocument)
{
    int nDestroyed = CTestDoc::s_nDestroyed;
    m_pDoc->SetModifiedFlag();
    theApp.m_answers.assign(1, IDCANCEL);
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_pFrame, theApp.m_pMainWnd);
    EXPECT_EQ(nDestroyed, CTestDoc::s_nDestroyed);

    theApp.m_answers.assign(1, IDNO);
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_EQ(nDestroyed + 1, CTestDoc::s_nDestroyed);
    EXPECT_EQ(2u, theApp.m_messages.size());
}
}  // namespace
