// The adapter dialog over a registry tree made by the test.
#include <string>

#include "res/resource.h"
#include "scan/AdapterDlg.h"
#include "tests/program/ProgramTestSupport.h"

namespace
{

std::string ItemText(HWND hList, int row, int column)
{
    char text[600] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(hList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

class AdapterDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_key = "SOFTWARE\\KesuTest\\" + std::to_string(GetCurrentProcessId()) + "\\DialogCards";
        // Subkey 0 has no service name; 2 has no description.
        AddCard("0", nullptr, "Sin servicio");
        AddCard("1", "Alpha", "Tarjeta A");
        AddCard("2", m_longName.c_str(), nullptr);
        m_pszSavedKey = g_pszNetworkCardsKey;
        g_pszNetworkCardsKey = m_key.c_str();
        m_savedName = App().GetAdapterName();
        App().SetAdapterName("Anterior");
    }
    void TearDown() override
    {
        g_pszNetworkCardsKey = m_pszSavedKey;
        App().SetAdapterName(m_savedName.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_key.c_str());
    }

    void AddCard(const char* subkey, const char* service, const char* description)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, (m_key + "\\" + subkey).c_str(), 0,
                                                 nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr));
        for (auto value :
             {std::make_pair("ServiceName", service), std::make_pair("Description", description)})
        {
            if (value.second)
                RegSetValueExA(hKey, value.first, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.second),
                               static_cast<DWORD>(strlen(value.second) + 1));
        }
        RegCloseKey(hKey);
    }

    std::string m_key;
    std::string m_longName = std::string(511, 'n');
    const char* m_pszSavedKey = nullptr;
    std::string m_savedName;
};

}  // namespace

TEST_F(AdapterDlgTest, ListsCardsWithAServiceNameAndKeepsTheNameOnCancel)
{
    bool bStayedOpen = false;
    AnswerAdapterDialog(nullptr, [&](HWND hDialog) {
        HWND hList = GetDlgItem(hDialog, IDC_ADAPTER_LIST);
        ASSERT_EQ(2, SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ("Alpha", ItemText(hList, 0, 0));
        EXPECT_EQ("Tarjeta A", ItemText(hList, 0, 1));
        EXPECT_EQ(m_longName, ItemText(hList, 1, 0));
        EXPECT_EQ("", ItemText(hList, 1, 1));
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = 1;
        SendMessageA(hList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(kImageNetworkCard, item.iImage);
        char title[128] = {};
        GetWindowTextA(hDialog, title, sizeof title);
        EXPECT_STREQ(App().GetString(LanguageText::AdapterTitle), title);
        const LanguageText headers[] = {LanguageText::AdapterService, LanguageText::AdapterDescription};
        const int widths[] = {260, 280};
        for (int column = 0; column < 2; ++column)
        {
            char text[128] = {};
            LVCOLUMNA lvc = {};
            lvc.mask = LVCF_TEXT | LVCF_WIDTH;
            lvc.pszText = text;
            lvc.cchTextMax = sizeof text;
            SendMessageA(hList, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&lvc));
            EXPECT_STREQ(App().GetString(headers[column]), text) << column;
            EXPECT_EQ(widths[column], lvc.cx) << column;
        }
        EXPECT_EQ(static_cast<LRESULT>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
                  SendMessageA(hList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));

        // OK with nothing selected leaves the dialog open.
        SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        bStayedOpen = IsWindowVisible(hDialog) != FALSE;
    });
    CAdapterDlg dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(AdapterDialogAnswered());
    EXPECT_TRUE(bStayedOpen);
    EXPECT_STREQ("Anterior", App().GetAdapterName());
}

TEST_F(AdapterDlgTest, OkStoresTheChosenServiceNameWhole)
{
    AnswerAdapterDialog(m_longName.c_str());
    CAdapterDlg dlg;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(m_longName, App().GetAdapterName());
}

TEST_F(AdapterDlgTest, WithoutTheKeyTheListIsEmpty)
{
    g_pszNetworkCardsKey = "SOFTWARE\\KesuTest\\Missing";
    int rows = -1;
    AnswerAdapterDialog(nullptr, [&](HWND hDialog) {
        rows = static_cast<int>(SendMessageA(GetDlgItem(hDialog, IDC_ADAPTER_LIST), LVM_GETITEMCOUNT, 0, 0));
    });
    CAdapterDlg dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0, rows);
}
