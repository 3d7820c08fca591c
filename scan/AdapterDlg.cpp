// The adapter dialog: rows from the registry's list of network cards.
#include "scan/AdapterDlg.h"

#include <cstdio>

#include "afx/DataExchange.h"
#include "app/KesuApp.h"
#include "res/resource.h"

const char* g_pszNetworkCardsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";

namespace
{

constexpr DWORD kRegistryTextSize = 512;

// Reads a string value into 'buffer' (kRegistryTextSize bytes), terminated
// even when the stored value is not. A 511-character name with its stored
// terminator fills the buffer exactly and is kept whole.
bool ReadText(HKEY hKey, const char* name, char* buffer)
{
    DWORD type = 0;
    DWORD size = kRegistryTextSize;
    if (RegQueryValueExA(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    buffer[size < kRegistryTextSize ? size : kRegistryTextSize - 1] = '\0';
    return true;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAdapterDlg, CDialog)
END_MESSAGE_MAP()

CAdapterDlg::CAdapterDlg(CWnd* pParent) : CDialog(IDD_ADAPTER, pParent) {}

void CAdapterDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADAPTER_LIST, m_list);
}

BOOL CAdapterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CKesuApp* pApp = KesuApp();

    // The lists belong to the application and outlive this dialog; a list
    // control destroys the lists it was given unless told they are shared.
    m_list.ModifyStyle(0, LVS_SHAREIMAGELISTS);
    CImageList* pLarge = pApp->GetLargeImageList();
    CImageList* pSmall = pApp->GetSmallImageList();
    m_list.SetImageList(pLarge, LVSIL_NORMAL);
    m_list.SetImageList(pSmall, LVSIL_SMALL);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    SetWindowText(pApp->GetString(LanguageText::AdapterTitle));
    m_list.InsertColumn(0, pApp->GetString(LanguageText::AdapterService), LVCFMT_LEFT);
    m_list.InsertColumn(1, pApp->GetString(LanguageText::AdapterDescription), LVCFMT_LEFT);
    m_list.SetColumnWidth(0, 260);
    m_list.SetColumnWidth(1, 280);

    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_pszNetworkCardsKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return TRUE;
    for (DWORD index = 0;; ++index)
    {
        char name[kRegistryTextSize];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(hKey, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        char path[2 * kRegistryTextSize];
        std::snprintf(path, sizeof path, "%s\\%s", g_pszNetworkCardsKey, name);
        AddAdapter(static_cast<int>(index), path);
    }
    RegCloseKey(hKey);
    return TRUE;
}

void CAdapterDlg::AddAdapter(int index, const char* path)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    char text[kRegistryTextSize];
    if (ReadText(hKey, "ServiceName", text))
    {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = index;
        item.pszText = text;
        item.iImage = kImageNetworkCard;
        const int row = m_list.InsertItem(&item);
        if (row >= 0 && ReadText(hKey, "Description", text))
            m_list.SetItemText(row, 1, text);
    }
    RegCloseKey(hKey);
}

void CAdapterDlg::OnOK()
{
    const int row = static_cast<int>(m_list.SendMessage(LVM_GETSELECTIONMARK));
    if (row == -1)
        return;
    char name[kAdapterNameSize];
    m_list.GetItemText(row, 0, name, kAdapterNameSize);
    KesuApp()->SetAdapterName(name);
    CDialog::OnOK();
}
