// The network list view.
#include "view/KesuView.h"

#include <cstdio>
#include <string>
#include <vector>

#include "afx/ListCtrl.h"
#include "app/KesuApp.h"
#include "res/resource.h"
#include "scan/Channel.h"
#include "scan/KesuDoc.h"

namespace
{

constexpr int kColumnCount = 8;
constexpr int kColumnWidths[kColumnCount] = {100, 100, 100, 100, 64, 64, 128, 64};
constexpr int kSentenceSize = 1024;
// Spoken after a 6 GHz channel's number.
constexpr int kTextSixGigahertz = 56;
// Shown and spoken for a network that sends no name.
constexpr int kTextHiddenNetwork = 57;

// Language index of each column's header.
int HeaderIndex(int column)
{
    return column < 7 ? 36 + column : 45;
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
    return ssid[0] != '\0' ? ssid : KesuApp()->GetString(kTextHiddenNetwork);
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
                  channel.number, pApp->GetString(kTextSixGigahertz));
    char sentence[kSentenceSize];
    int n = std::snprintf(sentence, sizeof sentence, "%s %s , %s %s , %s ", pApp->GetString(52), name,
                          pApp->GetString(40), channelWords, pApp->GetString(53));
    if (n < 0)
        n = 0;
    if (n < kSentenceSize)
        std::snprintf(sentence + n, sizeof sentence - n, "%s", pApp->GetString(IsEncrypted(bssid) ? 54 : 55));
    return sentence;
}

}  // namespace

IMPLEMENT_DYNCREATE(CKesuView, CListView)

BEGIN_MESSAGE_MAP(CKesuView, CListView)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, OnGetDispInfo)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblClk)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

CKesuView::CKesuView() = default;

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

    for (int i = 0; i < 10; ++i)
        list.SendMessage(LVM_DELETECOLUMN, 0);
    for (int column = 0; column < kColumnCount; ++column)
    {
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_FMT | LVCF_TEXT;
        lvc.fmt = LVCFMT_LEFT;
        lvc.pszText = const_cast<char*>(pApp->GetString(HeaderIndex(column)));
        list.SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&lvc));
    }
    for (int column = 0; column < kColumnCount; ++column)
        list.SendMessage(LVM_SETCOLUMNWIDTH, column, kColumnWidths[column]);

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
    int count = 0;
    int heard = 0;
    std::vector<std::string> announcements;
    {
        // One walk under the lock sees one whole pass of the scanner.
        CEntryListLock lock(*pDoc);
        // Through the rows rather than the links: the loads don't wait on each
        // other, which is what keeps a long list's walk cheap.
        pDoc->ListIndex().ForEach([&](CNetworkEntry* pEntry) {
            if (!pEntry->m_bAnnounced)
            {
                announcements.push_back(ComposeAnnouncement(pEntry->m_bssid));
                pEntry->m_bAnnounced = 1;
            }
            heard += pEntry->m_bSeen != 0;
            ++count;
        });
    }
    // Announced outside the lock so the scanner never waits on the speech engine.
    for (const std::string& sentence : announcements)
    {
        pDoc->SetModifiedFlag(TRUE);
        KesuApp()->Announce(sentence.c_str());
    }
    GetListCtrl().SendMessage(LVM_SETITEMCOUNT, count, 0);
    pDoc->m_nHeard = heard;
}

CNetworkEntry* CKesuView::EntryAt(int row) const
{
    CKesuDoc* pDoc = GetDocument();
    if (!pDoc || row < 0)
        return nullptr;
    return pDoc->ListIndex().At(static_cast<size_t>(row));
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
            WriteText(item, "%s", pApp->GetString(48 + static_cast<int>(bssid.InfrastructureMode)));
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
            WriteText(item, "%s", pApp->GetString(51));
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
    if (row == -1)
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
