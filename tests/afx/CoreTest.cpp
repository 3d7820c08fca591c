// CString, run-time classes, handle owners, the settings functions and the recent-file list.
#include "AfxTestSupport.h"
#include "AfxTestIds.h"
#include "afx/ComPtr.h"
#include "afx/Menu.h"
#include "afx/UniqueHandle.h"
#include "afx/CmdUI.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

// ---- CString ---------------------------------------------------------------------

TEST(CStringTest, FormatsLikePrintfAndGrowsPastAnyFixedBuffer)
{
    CString s;
    s.Format("%02x:%02x %d %s", 0x0a, 0xff, -50, "Kesu");
    EXPECT_STREQ("0a:ff -50 Kesu", s);

    std::string big(5000, 'x');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(5002, s.GetLength());
    EXPECT_EQ(']', s[5001]);

    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, BufferAccessTakesLengthFromTheTerminatorOrTheCaller)
{
    CString s("abc");
    LPSTR p = s.GetBuffer(10);
    strcpy(p, "hello");
    s.ReleaseBuffer();
    EXPECT_STREQ("hello", s);
    EXPECT_EQ(5, s.GetLength());

    p = s.GetBuffer(3);  // never shrinks what is there
    EXPECT_STREQ("hello", p);
    s.ReleaseBuffer(2);
    EXPECT_STREQ("he", s);

    int n = GetWindowsDirectoryA(s.GetBuffer(MAX_PATH), MAX_PATH);
    s.ReleaseBuffer();
    EXPECT_EQ(n, s.GetLength());
}

TEST(CStringTest, PiecesAndSearchesStayInsideTheString)
{
    CString s("Kesu\nNuevo");
    EXPECT_EQ(4, s.Find('\n'));
    EXPECT_STREQ("Kesu", s.Left(s.Find('\n')));
    EXPECT_STREQ("Nuevo", s.Mid(s.Find('\n') + 1));
    EXPECT_STREQ("evo", s.Right(3));
    EXPECT_EQ(-1, s.Find('z'));
    EXPECT_EQ(-1, s.Find('K', 99));
    EXPECT_EQ(7, s.Find("evo"));
    EXPECT_EQ(7, s.ReverseFind('e'));
    // Counts beyond the ends give what there is, never more.
    EXPECT_STREQ("Kesu\nNuevo", s.Left(100));
    EXPECT_STREQ("", s.Left(-1));
    EXPECT_STREQ("", s.Mid(100));
    EXPECT_STREQ("Kesu\nNuevo", s.Right(100));
    EXPECT_STREQ("", s.Mid(2, 0));

    CString a("ab"), b;
    b = a + "cd" + 'e';
    EXPECT_TRUE(b == "abcde");
    EXPECT_TRUE(b != a);
    EXPECT_EQ(0, CString("KESU").CompareNoCase("kesu"));
}

TEST(CStringTest, LoadsStringResourcesOfAnyLength)
{
    CString s;
    EXPECT_TRUE(s.LoadString(AFX_IDS_IDLEMESSAGE));
    EXPECT_STREQ("Preparado", s);
    EXPECT_TRUE(s.LoadString(IDS_TEST_LONG));
    EXPECT_EQ(280, s.GetLength());
    EXPECT_FALSE(s.LoadString(4321));
    EXPECT_TRUE(s.IsEmpty());
}

// ---- Run-time classes ---------------------------------------------------------------

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape
{
    DECLARE_DYNCREATE(CCircle)
public:
    int m_nRadius = 7;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

TEST(RuntimeClassTest, KindTestsFollowTheBaseChainAndCreationNeedsDynCreate)
{
    CObject* pObject = RUNTIME_CLASS(CCircle)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_STREQ("CCircle", pObject->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(7, DYNAMIC_DOWNCAST(CCircle, pObject)->m_nRadius);
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CWnd, pObject));
    delete pObject;

    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CShape, static_cast<CObject*>(nullptr)));
}

// ---- Handle owners ---------------------------------------------------------------

static bool IsOpen(HANDLE handle)
{
    DWORD flags = 0;
    return ::GetHandleInformation(handle, &flags) != FALSE;
}

// A handle closes once, when its last owner lets go: a move hands it on, a
// move onto a holder closes what that holder had.
TEST(UniqueHandleTest, ClosesWhenTheLastOwnerLetsGoAndNeverOnAMove)
{
    HANDLE first = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    KernelHandle holder(first);
    KernelHandle taker(std::move(holder));
    EXPECT_FALSE(holder.IsValid());
    EXPECT_TRUE(IsOpen(first));

    KernelHandle next(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE second = next.Get();
    taker = std::move(next);
    EXPECT_FALSE(IsOpen(first));
    EXPECT_TRUE(IsOpen(second));
    taker.Reset();
    EXPECT_FALSE(IsOpen(second));

    EXPECT_FALSE(KernelHandle(INVALID_HANDLE_VALUE).IsValid());
    EXPECT_FALSE(LoadSystemLibrary("kesu-no-such-library.dll").IsValid());
}

// An object that counts the releases of the one reference it starts with.
class CountedUnknown : public IUnknown
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(1 - ++m_nReleases); }
    int m_nReleases = 0;
};

// A reference is released once, by its last owner: a move hands it on, a
// move onto a holder releases what that holder had.
TEST(ComPtrTest, ReleasesOnceByTheLastOwnerAndNeverOnAMove)
{
    CountedUnknown first, second;
    {
        ComPtr<IUnknown> holder(&first);
        ComPtr<IUnknown> taker(std::move(holder));
        EXPECT_FALSE(holder);
        EXPECT_EQ(0, first.m_nReleases);
        taker = ComPtr<IUnknown>(&second);
        EXPECT_EQ(1, first.m_nReleases);
        ComPtr<IUnknown>& same = taker;
        taker = std::move(same);
        EXPECT_EQ(&second, taker.Get());
        EXPECT_EQ(0, second.m_nReleases);
    }
    EXPECT_EQ(1, first.m_nReleases);
    EXPECT_EQ(1, second.m_nReleases);
}

// ---- Settings ------------------------------------------------------------------------

// Each test gets its own key, removed again afterwards.
class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedKey = TestApp().m_pszRegistryKey;
        m_savedProfile = TestApp().m_pszProfileName;
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KesuAfxTestKey");
        TestApp().SetRegistryKey("KesuAfxTestKey");
    }
    void TearDown() override
    {
        delete TestApp().m_pRecentFileList;
        TestApp().m_pRecentFileList = nullptr;
        TestApp().m_pszRegistryKey = m_savedKey;
        TestApp().m_pszProfileName = m_savedProfile;
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KesuAfxTestKey");
    }
    static bool KeyExists(LPCSTR lpszPath)
    {
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, lpszPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }

    LPCSTR m_savedKey = nullptr;
    LPCSTR m_savedProfile = nullptr;
};

TEST_F(ProfileTest, ValuesLiveUnderSoftwareKeyAppSection)
{
    CWinApp& app = TestApp();
    EXPECT_TRUE(app.WriteProfileInt("BarState", "Count", -3));
    EXPECT_TRUE(app.WriteProfileString("BarState", "Name", "barra"));
    BYTE data[5] = {1, 0, 255, 7, 9};
    EXPECT_TRUE(app.WriteProfileBinary("Sizes", "sizeHorzCX", data, sizeof(data)));
    EXPECT_TRUE(KeyExists("Software\\KesuAfxTestKey\\KesuAfxTest\\BarState"));

    EXPECT_EQ(UINT(-3), app.GetProfileInt("BarState", "Count", 0));
    EXPECT_STREQ("barra", app.GetProfileString("BarState", "Name"));
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(app.GetProfileBinary("Sizes", "sizeHorzCX", &pData, &nBytes));
    ASSERT_EQ(5u, nBytes);
    EXPECT_EQ(0, memcmp(data, pData, 5));
    delete[] pData;

    // Missing values, a value of another type, a missing section: the defaults, nothing created.
    EXPECT_EQ(42u, app.GetProfileInt("BarState", "Name", 42));
    EXPECT_STREQ("def", app.GetProfileString("BarState", "Count", "def"));
    EXPECT_EQ(5u, app.GetProfileInt("Nowhere", "x", 5));
    EXPECT_FALSE(app.GetProfileBinary("Nowhere", "x", &pData, &nBytes));
    EXPECT_EQ(nullptr, pData);
    EXPECT_FALSE(KeyExists("Software\\KesuAfxTestKey\\KesuAfxTest\\Nowhere"));

    // A null value deletes the entry; a null entry the whole section.
    EXPECT_TRUE(app.WriteProfileString("BarState", "Name", nullptr));
    EXPECT_STREQ("gone", app.GetProfileString("BarState", "Name", "gone"));
    EXPECT_TRUE(app.WriteProfileString("BarState", nullptr, nullptr));
    EXPECT_FALSE(KeyExists("Software\\KesuAfxTestKey\\KesuAfxTest\\BarState"));
    EXPECT_TRUE(KeyExists("Software\\KesuAfxTestKey\\KesuAfxTest\\Sizes"));
}

TEST_F(ProfileTest, RecentFilesMoveToTheFrontAndSurviveARestart)
{
    CWinApp& app = TestApp();
    app.LoadStdProfileSettings(4);
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    for (LPCSTR p : {"C:\\a.kes", "C:\\b.kes", "C:\\c.kes", "C:\\d.kes", "C:\\e.kes", "c:\\C.KES"})
        app.AddToRecentFileList(p);
    CRecentFileList& list = *app.m_pRecentFileList;
    ASSERT_EQ(4, list.GetSize());
    // The re-added C.KES (any case) moved to the front; a.kes fell off the end.
    EXPECT_STREQ("c:\\C.KES", list[0]);
    EXPECT_STREQ("C:\\e.kes", list[1]);
    EXPECT_STREQ("C:\\d.kes", list[2]);
    EXPECT_STREQ("C:\\b.kes", list[3]);

    app.ExitInstance();  // saves the list
    EXPECT_STREQ("C:\\e.kes", app.GetProfileString("Recent File List", "File2"));

    list.Remove(0);
    app.LoadStdProfileSettings(4);  // a later run reads what was saved
    EXPECT_STREQ("c:\\C.KES", (*app.m_pRecentFileList)[0]);
    EXPECT_STREQ("C:\\b.kes", (*app.m_pRecentFileList)[3]);

    // A shorter list written later leaves no stale entries behind.
    app.m_pRecentFileList->Remove(3);
    app.m_pRecentFileList->WriteList();
    EXPECT_STREQ("", app.GetProfileString("Recent File List", "File4", ""));
}

TEST_F(ProfileTest, RecentFilesReplaceTheMenuPlaceholderAndItComesBackGreyed)
{
    CWinApp& app = TestApp();
    app.LoadStdProfileSettings(4);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_FILE_OPEN, "Abrir...");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "Fichero reciente");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_APP_EXIT, "Salir");

    auto update = [&]() {
        CCmdUI state;
        state.m_pMenu = &menu;
        state.m_nIndex = 2;
        state.m_nID = ID_FILE_MRU_FILE1;
        state.m_nIndexMax = menu.GetMenuItemCount();
        ASSERT_TRUE(state.DoUpdate(&app, TRUE));
    };

    update();
    CString text;
    menu.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_STREQ("Fichero reciente", text);
    EXPECT_TRUE(menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);

    app.AddToRecentFileList("C:\\x\\uno.kes");
    app.AddToRecentFileList("C:\\x\\R&D.kes");
    update();
    ASSERT_EQ(6u, menu.GetMenuItemCount());
    EXPECT_EQ(UINT(ID_FILE_MRU_FILE1), menu.GetMenuItemID(2));
    EXPECT_EQ(UINT(ID_FILE_MRU_FILE2), menu.GetMenuItemID(3));
    menu.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_STREQ("&1 C:\\x\\R&&D.kes", text);
    menu.GetMenuString(3, text, MF_BYPOSITION);
    EXPECT_STREQ("&2 C:\\x\\uno.kes", text);
    EXPECT_FALSE(menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(UINT(ID_APP_EXIT), menu.GetMenuItemID(5));

    app.m_pRecentFileList->Remove(0);
    app.m_pRecentFileList->Remove(0);
    update();
    ASSERT_EQ(5u, menu.GetMenuItemCount());
    menu.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_STREQ("Fichero reciente", text);
    EXPECT_TRUE(menu.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
}
