// kesu-floorlist: the cheapest a program can show a list file's rows in the
// same list control as Kesu (owner data, report view, its nine columns in
// their order and default widths, grid lines, sub-item images, the same icons
// and cell texts) with the same
// invalidation once a second. Its idle CPU is the floor the idle benchmark
// measures Kesu.exe against.
//   kesu-floorlist FILE WIDTH HEIGHT    (the list's client size in pixels)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "res/resource.h"
#include "scan/Channel.h"
#include "scan/ColumnSettings.h"
#include "scan/ListFile.h"

namespace
{

constexpr const char* kHeaders[] = {"Nombre de red", "Direccion MAC", "Cifrado",   "Modo",      "Canal",
                                    "Senal",         "Primera vez",   "Anotacion", "Fabricante"};
const ListTexts kTexts = {{"Ad hoc", "Infraestructura", "Automatico"}, "direccion aleatoria"};
enum
{
    kPlain = 1,
    kHeard = 2,
    kEncrypted = 3,
    kAnnotated = 4
};

std::vector<CNetworkEntry*> g_rows;
HWND g_hList;

class FileReader : public IListFileReader
{
public:
    explicit FileReader(FILE* f) : m_file(f)
    {
        std::fseek(f, 0, SEEK_END);
        m_left = static_cast<uint64_t>(std::ftell(f));
        std::fseek(f, 0, SEEK_SET);
    }
    size_t Read(void* buffer, size_t size) override
    {
        const size_t got = std::fread(buffer, 1, size, m_file);
        m_left -= got;
        return got;
    }
    uint64_t Remaining() const override { return m_left; }

private:
    FILE* m_file;
    uint64_t m_left;
};

void FillCell(LVITEMA& item)
{
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= g_rows.size())
        return;
    const CNetworkEntry& e = *g_rows[static_cast<size_t>(item.iItem)];
    const NDIS_WLAN_BSSID& b = e.m_bssid;
    if (item.mask & LVIF_IMAGE)
    {
        item.iImage = item.iSubItem == 0                   ? (e.m_bSeen ? kHeard : kPlain)
                      : item.iSubItem == 2                 ? (IsEncrypted(b) ? kEncrypted : kPlain)
                      : item.iSubItem == kColumnAnnotation ? (e.m_strAnnotation.empty() ? kPlain : kAnnotated)
                                                           : kPlain;
    }
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return;
    char* text = item.pszText;
    const size_t size = static_cast<size_t>(item.cchTextMax);
    text[0] = '\0';
    switch (item.iSubItem)
    {
    case kColumnName:
        CopySsidText(b, text, size);
        break;
    case kColumnAddress:
        FormatMacAddress(b.MacAddress, text, size);
        break;
    case kColumnSecurity:
        std::snprintf(text, size, "%s", IsEncrypted(b) ? "Encrypted" : "Open");
        break;
    case kColumnMode:
        if (b.InfrastructureMode >= 0 && b.InfrastructureMode <= 2)
            std::snprintf(text, size, "%s", kTexts.modes[b.InfrastructureMode]);
        break;
    case kColumnChannel:
        FormatChannelCell(b.Configuration.DSConfig, text, size);
        break;
    case kColumnSignal:
        if (b.Rssi != 0)
            std::snprintf(text, size, "%d", static_cast<int>(b.Rssi));
        break;
    case kColumnFirstSeen: {
        if (!e.HasFirstSeenTime())
            break;
        const SYSTEMTIME& t = e.m_timeFirstSeen;
        std::snprintf(text, size, "%02d-%02d-%04d %02d:%02d:%02d", t.wDay, t.wMonth, t.wYear, t.wHour,
                      t.wMinute, t.wSecond);
        break;
    }
    case kColumnAnnotation:
        if (!e.m_strAnnotation.empty())
            std::snprintf(text, size, "%s", "Anotado");
        break;
    case kColumnMaker:
        if (const char* maker = MakerText(BuiltInMakers(), b.MacAddress, kTexts))
            std::snprintf(text, size, "%s", maker);
        break;
    default:
        break;
    }
}

HIMAGELIST SmallIcons()
{
    HIMAGELIST hList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 10, 10);
    ImageList_SetBkColor(hList, CLR_NONE);
    for (UINT id :
         {IDR_MAINFRAME, IDI_BLANK, IDI_HEARD, IDI_ENCRYPTED, IDI_ANNOTATED, IDI_TRACKED, IDI_NETWORK_CARD})
        ImageList_ReplaceIcon(hList, -1, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    return hList;
}

LRESULT CALLBACK FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_NOTIFY: {
        auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
        if (pHeader->hwndFrom == g_hList && pHeader->code == LVN_GETDISPINFOA)
            FillCell(reinterpret_cast<NMLVDISPINFOA*>(lParam)->item);
        return 0;
    }
    case WM_TIMER:
        if (wParam == ID_TIMER_REFRESH)
            SendMessageA(g_hList, LVM_SETITEMCOUNT, g_rows.size(), 0);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const int argc = __argc;
    char** argv = __argv;
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: kesu-floorlist FILE WIDTH HEIGHT\n");
        return 64;
    }
    FILE* f = std::fopen(argv[1], "rb");
    if (!f)
        return 1;
    FileReader reader(f);
    ListFileLoad load = LoadListFile(reader);
    std::fclose(f);
    load.entries.ForEach([](CNetworkEntry* p) { g_rows.push_back(p); });

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "KesuFloorList";
    RegisterClassA(&wc);

    RECT rc = {0, 0, std::atoi(argv[2]), std::atoi(argv[3])};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    HWND hFrame =
        CreateWindowA("KesuFloorList", "Kesu floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                      rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
    RECT client;
    GetClientRect(hFrame, &client);
    g_hList =
        CreateWindowA(WC_LISTVIEWA, "",
                      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                      0, 0, client.right, client.bottom, hFrame, nullptr, wc.hInstance, nullptr);
    const ColumnSettings columns = DefaultColumnSettings();
    for (int column = 0; column < kListColumnCount; ++column)
    {
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
        lvc.fmt = LVCFMT_LEFT;
        lvc.cx = columns.widths[column];
        lvc.pszText = const_cast<char*>(kHeaders[column]);
        SendMessageA(g_hList, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&lvc));
    }
    SendMessageA(g_hList, LVM_SETCOLUMNORDERARRAY, kListColumnCount,
                 reinterpret_cast<LPARAM>(kShownColumnOrder));
    SendMessageA(g_hList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(SmallIcons()));
    SendMessageA(g_hList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES);
    SendMessageA(g_hList, LVM_SETITEMCOUNT, g_rows.size(), 0);
    SetTimer(hFrame, ID_TIMER_REFRESH, 1000, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
