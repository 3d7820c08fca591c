// The main frame's channel bar: the map of what the last scan heard, its View toggle, and the
// snapshot of the entry list it is drawn from.
#include "frame/MainFrame.h"

#include "afx/CmdUI.h"
#include "afx/Rect.h"
#include "app/KesuApp.h"
#include "res/resource.h"
#include "scan/KesuDoc.h"

namespace
{

constexpr DWORD kChannelBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP;
constexpr DWORD kChannelBarExtra = CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
const CRect kChannelMapFirstRect(0, 0, 200, 200);

}  // namespace

BOOL CMainFrame::CreateChannelBar()
{
    if (!m_wndChannelBar.Create(KesuApp()->GetString(LanguageText::ChannelsCaption), this, IDC_CHANNEL_BAR,
                                kChannelBarStyle))
        return FALSE;
    m_wndChannelBar.SetBarStyle(m_wndChannelBar.GetBarStyle() | kChannelBarExtra);
    return TRUE;
}

void CMainFrame::DockChannelBar()
{
    m_wndChannelBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndChannelBar, AFX_IDW_DOCKBAR_RIGHT);
    m_wndChannelBar.m_dwSizingStyle |= SCB_FIT_CHILD;

    CKesuApp* pApp = KesuApp();
    const MapTexts texts = {pApp->GetString(LanguageText::HiddenNetwork),
                            pApp->GetString(LanguageText::MapDbm), pApp->GetString(LanguageText::MapChannel),
                            pApp->GetString(LanguageText::MapNetworks),
                            pApp->GetString(LanguageText::MapWidth)};
    m_channelMap.Create(WS_CHILD | WS_VISIBLE, kChannelMapFirstRect, &m_wndChannelBar, IDC_CHANNEL_MAP, texts,
                        {pApp->GetString(LanguageText::Band24), pApp->GetString(LanguageText::Band5),
                         pApp->GetString(LanguageText::Band6)});
}

void CMainFrame::RefreshChannelMap(CKesuDoc* pDoc)
{
    // A hidden map is brought up to date when it is shown again.
    if (!m_channelMap.GetSafeHwnd() || !m_wndChannelBar.IsWindowVisible())
        return;
    {
        CEntryListLock lock(*pDoc);
        const MapSource source{pDoc, pDoc->ListIndex().Changes(), pDoc->m_pTracked};
        if (source == m_mapSource)
            return;
        m_mapSource = source;
        m_channelScratch.clear();
        MapAp ap;
        pDoc->ListIndex().ForEachHeard([&](const CNetworkEntry* pEntry) {
            if (MapApOfRecord(pEntry->m_bssid, pEntry == pDoc->m_pTracked, &ap))
                m_channelScratch.push_back(ap);
        });
    }
    m_channelMap.SetAccessPoints(m_channelScratch);
}

void CMainFrame::OnViewChannels()
{
    const bool bShow = !m_wndChannelBar.IsWindowVisible();
    m_wndChannelBar.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    RecalcLayout(TRUE);
    if (bShow)
        if (CKesuDoc* pDoc = DYNAMIC_DOWNCAST(CKesuDoc, GetActiveDocument()))
            RefreshChannelMap(pDoc);
}

void CMainFrame::OnUpdateViewChannels(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndChannelBar.IsWindowVisible() ? 1 : 0);
}
