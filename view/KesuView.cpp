// The network list view.
#include "view/KesuView.h"

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "afx/Archive.h"
#include "afx/ListCtrl.h"
#include "afx/Point.h"
#include "app/KesuApp.h"
#include "res/resource.h"
#include "scan/Channel.h"
#include "scan/KesuDoc.h"
#include "scan/MakerTable.h"
#include "view/ListExport.h"

namespace
{

constexpr int kSentenceSize = 1024;

// The per-user settings' section of the list's columns.
constexpr char kColumnsSection[] = "ListColumns";

// Each column's header, by sub-item number.
constexpr LanguageText kColumnHeaders[] = {
    LanguageText::HeaderName,      LanguageText::HeaderAddress,    LanguageText::HeaderEncryption,
    LanguageText::HeaderMode,      LanguageText::HeaderChannel,    LanguageText::HeaderSignal,
    LanguageText::HeaderFirstSeen, LanguageText::HeaderAnnotation, LanguageText::HeaderMaker};
static_assert(std::size(kColumnHeaders) == kListColumnCount, "a header for every column");

// By InfrastructureMode 0, 1, 2.
constexpr LanguageText kModeTexts[] = {LanguageText::ModeAdHoc, LanguageText::ModeInfrastructure,
                                       LanguageText::ModeAutomatic};

ListTexts CurrentListTexts()
{
    CKesuApp* pApp = KesuApp();
    return {{pApp->GetString(kModeTexts[0]), pApp->GetString(kModeTexts[1]), pApp->GetString(kModeTexts[2])},
            pApp->GetString(LanguageText::RandomAddress)};
}

CWnd* MainWindow()
{
    return AfxGetThread()->GetMainWnd();
}

// snprintf into the control's buffer, cut to its size.
template <typename... Args>
void WriteText(LVITEMA& item, const char* format, Args... args)
{
    if (!item.pszText || item.cchTextMax <= 0)
        return;
    std::snprintf(item.pszText, static_cast<size_t>(item.cchTextMax), format, args...);
}

// The network's name, or the text for a hidden one: no name, or a name of zero bytes.
const char* NameText(const NDIS_WLAN_BSSID& bssid, char (&ssid)[kMaxSsidLength + 1])
{
    CopySsidText(bssid, ssid, sizeof ssid);
    return ssid[0] != '\0' ? ssid : KesuApp()->GetString(LanguageText::HiddenNetwork);
}

std::string ComposeAnnouncement(const NDIS_WLAN_BSSID& bssid)
{
    CKesuApp* pApp = KesuApp();
    char ssid[kMaxSsidLength + 1];
    const char* name = NameText(bssid, ssid);
    // A 6 GHz channel repeats a 2.4 GHz number, so its band is said after it.
    const Channel channel = ChannelOfDsConfig(bssid.Configuration.DSConfig);
    char channelWords[kSentenceSize];
    std::snprintf(channelWords, sizeof channelWords, channel.band == ChannelBand::Ghz6 ? "%d %s" : "%d",
                  channel.number, pApp->GetString(LanguageText::SixGigahertz));
    char sentence[kSentenceSize];
    int n = std::snprintf(sentence, sizeof sentence, "%s %s , %s %s , %s ",
                          pApp->GetString(LanguageText::NewNetwork), name,
                          pApp->GetString(LanguageText::HeaderChannel), channelWords,
                          pApp->GetString(LanguageText::SpokenNetwork));
    if (n < 0)
        n = 0;
    if (n < kSentenceSize)
        std::snprintf(
            sentence + n, sizeof sentence - n, "%s",
            pApp->GetString(IsEncrypted(bssid) ? LanguageText::SpokenEncrypted : LanguageText::SpokenOpen));
    return sentence;
}

}  // namespace

IMPLEMENT_DYNCREATE(CKesuView, CListView)

BEGIN_MESSAGE_MAP(CKesuView, CListView)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_COMMAND(ID_FILE_EXPORT, OnFileExport)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKesuView::CKesuView()
    : m_columns(DefaultColumnSettings()), m_bColumnsLoaded(false), m_bMovingSelection(false),
      m_nSelectedRow(-1)
{
}

CKesuDoc* CKesuView::GetDocument() const
{
    return static_cast<CKesuDoc*>(m_pDocument);
}

BOOL CKesuView::PreCreateWindow(CREATESTRUCT& cs)
{
    // Shared image lists: the application owns them and the adapter dialog
    // shows them too, so the control must not destroy them with itself.
    cs.style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA | LVS_SHAREIMAGELISTS;
    return CListView::PreCreateWindow(cs);
}

void CKesuView::OnDraw(CDC*) {}

void CKesuView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    CListCtrl& list = GetListCtrl();
    CKesuApp* pApp = KesuApp();

    // Widths the user gave this window stay for the next document; the first
    // document takes them from the settings.
    if (!m_bColumnsLoaded)
    {
        CWinApp* pWinApp = AfxGetApp();
        ParseColumnWidths(pWinApp->GetProfileString(kColumnsSection, "Widths"), m_columns.widths);
        ParseListSort(pWinApp->GetProfileString(kColumnsSection, "Sort"), m_columns.sort);
        m_order.SetSort(m_columns.sort);
        m_bColumnsLoaded = true;
    }
    else if (list.SendMessage(LVM_GETCOLUMNWIDTH, kColumnMaker) > 0)
    {
        for (int column = 0; column < kListColumnCount; ++column)
            m_columns.widths[column] = static_cast<int>(list.SendMessage(LVM_GETCOLUMNWIDTH, column));
    }
    for (int i = 0; i < 10; ++i)
        list.SendMessage(LVM_DELETECOLUMN, 0);
    for (int column = 0; column < kListColumnCount; ++column)
    {
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_FMT | LVCF_TEXT;
        lvc.fmt = LVCFMT_LEFT;
        lvc.pszText = const_cast<char*>(pApp->GetString(kColumnHeaders[column]));
        list.SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&lvc));
    }
    for (int column = 0; column < kListColumnCount; ++column)
        list.SendMessage(LVM_SETCOLUMNWIDTH, column, m_columns.widths[column]);
    list.SendMessage(LVM_SETCOLUMNORDERARRAY, kListColumnCount, reinterpret_cast<LPARAM>(kShownColumnOrder));
    ShowSortArrow();

    CImageList* pSmall = pApp->GetSmallImageList();
    CImageList* pLarge = pApp->GetLargeImageList();
    list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(pSmall ? pSmall->GetSafeHandle() : nullptr));
    list.SendMessage(LVM_SETIMAGELIST, LVSIL_NORMAL,
                     reinterpret_cast<LPARAM>(pLarge ? pLarge->GetSafeHandle() : nullptr));
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES);
}

void CKesuView::OnUpdate(CView*, LPARAM, CObject*)
{
    CKesuDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    size_t count = 0;
    size_t heard = 0;
    std::vector<std::string> announcements;
    {
        // What the index kept up to date as rows came and the merge heard
        // them, so a refresh costs what changed, not the list's length.
        CEntryListLock lock(*pDoc);
        CEntryIndex& index = pDoc->ListIndex();
        for (CNetworkEntry* pEntry : index.TakeUnannounced())
        {
            if (pEntry->m_bAnnounced)
                continue;
            announcements.push_back(ComposeAnnouncement(pEntry->m_bssid));
            pEntry->m_bAnnounced = 1;
        }
        heard = index.HeardCount();
        count = index.Size();
    }
    // Announced outside the lock so the scanner never waits on the speech engine.
    for (const std::string& sentence : announcements)
    {
        pDoc->SetModifiedFlag(TRUE);
        KesuApp()->Announce(sentence.c_str());
    }
    ReorderRows();
    GetListCtrl().SendMessage(LVM_SETITEMCOUNT, count, 0);
    pDoc->m_nHeard = static_cast<int32_t>(heard);
}

CNetworkEntry* CKesuView::EntryAt(int row) const
{
    CKesuDoc* pDoc = GetDocument();
    if (!pDoc || row < 0)
        return nullptr;
    return m_order.EntryAt(pDoc->ListIndex(), static_cast<size_t>(row));
}

int CKesuView::RowOf(const CNetworkEntry* pEntry) const
{
    CKesuDoc* pDoc = GetDocument();
    return pDoc ? static_cast<int>(m_order.RowOf(pDoc->ListIndex(), pEntry)) : -1;
}

void CKesuView::ReorderRows()
{
    CKesuDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    CListCtrl& list = GetListCtrl();
    const int selected = SelectedRow();
    const int focused =
        static_cast<int>(list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    int newSelected = -1;
    int newFocused = -1;
    {
        CEntryListLock lock(*pDoc);
        const CNetworkEntry* pSelected = EntryAt(selected);
        const CNetworkEntry* pFocused = EntryAt(focused);
        if (!m_order.Refresh(pDoc->ListIndex(), BuiltInMakers(), CurrentListTexts()))
            return;
        newSelected = RowOf(pSelected);
        newFocused = RowOf(pFocused);
    }
    if (newSelected == selected && newFocused == focused)
        return;
    m_bMovingSelection = true;
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    list.SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (newFocused >= 0)
    {
        state.stateMask = state.state = LVIS_FOCUSED;
        list.SendMessage(LVM_SETITEMSTATE, newFocused, reinterpret_cast<LPARAM>(&state));
    }
    if (newSelected >= 0)
    {
        state.stateMask = state.state = LVIS_SELECTED;
        list.SendMessage(LVM_SETITEMSTATE, newSelected, reinterpret_cast<LPARAM>(&state));
    }
    m_bMovingSelection = false;
}

int CKesuView::SelectedRow()
{
    // A list control may look for the selection row by row, which at every
    // refresh of a long list is a walk down to it. One row at most is
    // selected, so the row found last time is asked first.
    CListCtrl& list = GetListCtrl();
    if (list.SendMessage(LVM_GETSELECTEDCOUNT) == 0)
        return -1;
    if (m_nSelectedRow < 0 ||
        !(list.SendMessage(LVM_GETITEMSTATE, m_nSelectedRow, LVIS_SELECTED) & LVIS_SELECTED))
        m_nSelectedRow =
            static_cast<int>(list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return m_nSelectedRow;
}

void CKesuView::ShowSortArrow()
{
    HWND hHeader = reinterpret_cast<HWND>(GetListCtrl().SendMessage(LVM_GETHEADER));
    if (!hHeader)
        return;
    const ListSort& sort = m_order.Sort();
    for (int column = 0; column < kListColumnCount; ++column)
    {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        if (!::SendMessageA(hHeader, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item)))
            continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == sort.column && sort.direction != SortDirection::None)
            item.fmt |= sort.direction == SortDirection::Up ? HDF_SORTUP : HDF_SORTDOWN;
        ::SendMessageA(hHeader, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
    }
}

void CKesuView::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    if (column < 0 || column >= kListColumnCount)
        return;
    m_order.SetSort(NextSort(m_order.Sort(), column));
    ShowSortArrow();
    ReorderRows();
    GetListCtrl().Invalidate(FALSE);
    SaveColumnSettings();
}

void CKesuView::SaveColumnSettings()
{
    CListCtrl& list = GetListCtrl();
    if (list.m_hWnd && list.SendMessage(LVM_GETCOLUMNWIDTH, kColumnMaker) > 0)
    {
        for (int column = 0; column < kListColumnCount; ++column)
            m_columns.widths[column] = static_cast<int>(list.SendMessage(LVM_GETCOLUMNWIDTH, column));
    }
    m_columns.sort = m_order.Sort();
    CWinApp* pWinApp = AfxGetApp();
    pWinApp->WriteProfileString(kColumnsSection, "Widths", FormatColumnWidths(m_columns.widths).c_str());
    pWinApp->WriteProfileString(kColumnsSection, "Sort", FormatListSort(m_columns.sort).c_str());
}

void CKesuView::OnDestroy()
{
    if (m_bColumnsLoaded)
        SaveColumnSettings();
    CListView::OnDestroy();
}

bool CKesuView::ExportTo(const char* path)
{
    CKesuDoc* pDoc = GetDocument();
    if (!pDoc)
        return false;
    ReorderRows();
    CKesuApp* pApp = KesuApp();
    const ExportTexts texts = {
        {pApp->GetString(LanguageText::HeaderName), pApp->GetString(LanguageText::HeaderAddress),
         pApp->GetString(LanguageText::HeaderMaker), pApp->GetString(LanguageText::HeaderEncryption),
         pApp->GetString(LanguageText::HeaderMode), pApp->GetString(LanguageText::HeaderChannel),
         pApp->GetString(LanguageText::ExportFrequency), pApp->GetString(LanguageText::ExportSignal),
         pApp->GetString(LanguageText::HeaderFirstSeen), pApp->GetString(LanguageText::HeaderAnnotation)},
        CurrentListTexts(),
        pApp->GetString(LanguageText::HiddenNetwork)};
    std::string bytes;
    {
        CEntryListLock lock(*pDoc);
        const int rows = GetListCtrl().GetItemCount();
        std::vector<const CNetworkEntry*> entries;
        entries.reserve(static_cast<size_t>(rows));
        for (int row = 0; row < rows; ++row)
            if (const CNetworkEntry* pEntry = EntryAt(row))
                entries.push_back(pEntry);
        bytes = ListAsCsv(entries, texts, BuiltInMakers());
    }
    const DWORD error = WriteFileReplacing(path, bytes);
    if (error)
    {
        AfxMessageBox(AfxGetSaveLoadErrorText(path, CArchive::writeError, error, TRUE),
                      MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void CKesuView::OnFileExport()
{
    // "Name (*.csv)" NUL "*.csv" NUL NUL, the type's name from the language file.
    std::string filter = KesuApp()->GetString(LanguageText::CsvFileType);
    filter += '\0';
    filter += "*.csv";
    filter += '\0';
    filter += '\0';
    char file[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    CWnd* pMain = MainWindow();
    ofn.hwndOwner = pMain ? pMain->m_hWnd : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = "csv";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT |
                OFN_PATHMUSTEXIST;
    if (GetSaveFileNameA(&ofn))
        ExportTo(file);
}

void CKesuView::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    CKesuDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    CKesuApp* pApp = KesuApp();

    CEntryListLock lock(*pDoc);
    const CNetworkEntry* pEntry = EntryAt(item.iItem);
    if (!pEntry)
        return;
    const NDIS_WLAN_BSSID& bssid = pEntry->m_bssid;
    const bool bAnnotated = !pEntry->m_strAnnotation.empty();

    if (item.mask & LVIF_IMAGE)
    {
        switch (item.iSubItem)
        {
        case 0:
            item.iImage = pEntry == pDoc->m_pTracked ? kImageTracked
                          : pEntry->m_bSeen          ? kImageHeard
                                                     : kImagePlain;
            break;
        case 2:
            item.iImage = IsEncrypted(bssid) ? kImageEncrypted : kImagePlain;
            break;
        case 7:
            item.iImage = bAnnotated ? kImageAnnotated : kImagePlain;
            break;
        default:
            // The control asks every column for an image (sub-item images are
            // on) and hands in 0, the application icon: columns without a marker
            // get the blank one instead.
            item.iImage = kImagePlain;
            break;
        }
    }
    if (!(item.mask & LVIF_TEXT))
        return;
    switch (item.iSubItem)
    {
    case 0: {
        char ssid[kMaxSsidLength + 1];
        WriteText(item, "%s", NameText(bssid, ssid));
        break;
    }
    case 1:
        if (item.pszText && item.cchTextMax > 0)
            FormatMacAddress(bssid.MacAddress, item.pszText, static_cast<size_t>(item.cchTextMax));
        break;
    case 2:
        WriteText(item, "%s", IsEncrypted(bssid) ? "Encrypted" : "Open");
        break;
    case 3:
        if (bssid.InfrastructureMode >= 0 && bssid.InfrastructureMode <= 2)
            WriteText(item, "%s", pApp->GetString(kModeTexts[bssid.InfrastructureMode]));
        break;
    case 4:
        if (item.pszText && item.cchTextMax > 0)
            FormatChannelCell(bssid.Configuration.DSConfig, item.pszText,
                              static_cast<size_t>(item.cchTextMax));
        break;
    case 5:
        // Not heard in the last pass: 0 would read as the strongest signal there is.
        if (bssid.Rssi != 0)
            WriteText(item, "%d", static_cast<int>(bssid.Rssi));
        break;
    case 6: {
        if (!pEntry->HasFirstSeenTime())
            break;
        const SYSTEMTIME& t = pEntry->m_timeFirstSeen;
        WriteText(item, "%02d-%02d-%04d %02d:%02d:%02d", t.wDay, t.wMonth, t.wYear, t.wHour, t.wMinute,
                  t.wSecond);
        break;
    }
    case 7:
        if (bAnnotated)
            WriteText(item, "%s", pApp->GetString(LanguageText::AnnotatedMark));
        break;
    case kColumnMaker:
        if (const char* maker = MakerText(BuiltInMakers(), bssid.MacAddress, CurrentListTexts()))
            WriteText(item, "%s", maker);
        break;
    default:
        break;
    }
}

void CKesuView::OnDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CKesuDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    POINT point;
    GetCursorPos(&point);
    CListCtrl& list = GetListCtrl();
    list.ScreenToClient(&point);
    const int row = list.HitTest(CPoint(point.x, point.y), nullptr);
    if (row == -1)
        return;

    CNetworkEntry* pEntry;
    {
        CEntryListLock lock(*pDoc);
        pEntry = EntryAt(row);
    }
    if (!pEntry)
        return;
    CWnd* pMain = MainWindow();
    if (pEntry == pDoc->m_pTracked)
    {
        pDoc->m_pTracked = nullptr;
        if (pMain)
            pMain->KillTimer(ID_TIMER_BEEP);
    }
    else
    {
        pDoc->m_pTracked = pEntry;
        if (pMain)
            pMain->SetTimer(ID_TIMER_BEEP, 1, nullptr);
    }
}

void CKesuView::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const int row = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iItem;
    if (row == -1 || m_bMovingSelection)
        return;
    CNetworkEntry* pEntry = nullptr;
    if (CKesuDoc* pDoc = GetDocument())
    {
        CEntryListLock lock(*pDoc);
        pEntry = EntryAt(row);
    }
    if (CWnd* pMain = MainWindow())
        pMain->SendMessage(WM_SELECT_ENTRY, reinterpret_cast<WPARAM>(pEntry), 0);
}
