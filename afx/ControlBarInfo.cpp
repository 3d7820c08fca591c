// CControlBarInfo: one record of the bar layout and its section in the per-user settings.
#include "ControlBarInfo.h"
#include "ProfileSection.h"
#include "WinApp.h"

#include <algorithm>
#include <cstdio>

namespace
{
// Bounds for what a settings store may claim: more is damage, not a layout.
constexpr int kMaxEntries = 1024;
// Saved, a placeholder is its bar's id with this bit: the layouts users have saved read so.
constexpr int kPlaceHolderBit = 0x10000;

DockBarEntry DecodeEntry(int nValue)
{
    return DockBarEntry{UINT(nValue & 0xFFFF), (nValue & kPlaceHolderBit) != 0};
}

int EncodeEntry(const DockBarEntry& entry)
{
    return int(entry.nID) | (entry.bPlaceHolder ? kPlaceHolderBit : 0);
}
}  // namespace

CString CControlBarInfo::SectionName(LPCSTR lpszProfileName, int nIndex)
{
    char sz[512];
    snprintf(sz, sizeof(sz), "%s-Bar%d", lpszProfileName, nIndex);
    return CString(sz);
}

BOOL CControlBarInfo::LoadState(LPCSTR lpszProfileName, int nIndex, CDockState*)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !lpszProfileName)
        return FALSE;
    CProfileSection section(pApp, SectionName(lpszProfileName, nIndex));
    const int nBarID = section.Get("BarID");
    if (nBarID <= 0 || nBarID > 0xFFFF)
        return FALSE;  // missing, or not a window id
    m_nSection = nIndex;
    m_nBarID = UINT(nBarID);
    m_bVisible = section.Get("Visible", TRUE) != 0;
    m_bHorz = section.Get("Horz", TRUE) != 0;
    m_bFloating = section.Get("Floating") != 0;
    m_bDockBar = section.Get("Docking") != 0;
    m_pointPos = CPoint(section.Get("XPos", -1), section.Get("YPos", -1));
    m_nMRUWidth = section.Get("MRUWidth", 32767);
    m_uMRUDockID = UINT(section.Get("MRUDockID"));
    m_rectMRUDockPos = CRect(section.Get("MRUDockLeftPos"), section.Get("MRUDockTopPos"),
                             section.Get("MRUDockRightPos"), section.Get("MRUDockBottomPos"));
    m_dwMRUFloatStyle = DWORD(section.Get("MRUFloatStyle"));
    m_ptMRUFloatPos = CPoint(section.Get("MRUFloatXPos"), section.Get("MRUFloatYPos"));
    m_entries.clear();
    const int nBars = std::min(std::max(section.Get("Bars"), 0), kMaxEntries);
    for (int i = 0; i < nBars; ++i)
    {
        char szEntry[32];
        snprintf(szEntry, sizeof(szEntry), "Bar#%d", i);
        const int nValue = section.Get(szEntry);
        if (nValue >= 0 && nValue <= (kPlaceHolderBit | 0xFFFF))
            m_entries.push_back(DecodeEntry(nValue));
    }
    return TRUE;
}

BOOL CControlBarInfo::SaveState(LPCSTR lpszProfileName, int nIndex)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !lpszProfileName)
        return FALSE;
    const CString strName = SectionName(lpszProfileName, nIndex);
    pApp->WriteProfileString(strName, nullptr, nullptr);  // no value of an earlier record stays
    CProfileSection section(pApp, strName);
    section.Put("BarID", int(m_nBarID));
    section.Put("Visible", m_bVisible ? 1 : 0);
    section.Put("Horz", m_bHorz ? 1 : 0);
    section.Put("Floating", m_bFloating ? 1 : 0);
    section.Put("Docking", m_bDockBar ? 1 : 0);
    section.Put("XPos", m_pointPos.x);
    section.Put("YPos", m_pointPos.y);
    section.Put("MRUWidth", m_nMRUWidth);
    section.Put("MRUDockID", int(m_uMRUDockID));
    section.Put("MRUDockLeftPos", m_rectMRUDockPos.left);
    section.Put("MRUDockTopPos", m_rectMRUDockPos.top);
    section.Put("MRUDockRightPos", m_rectMRUDockPos.right);
    section.Put("MRUDockBottomPos", m_rectMRUDockPos.bottom);
    section.Put("MRUFloatStyle", int(m_dwMRUFloatStyle));
    section.Put("MRUFloatXPos", m_ptMRUFloatPos.x);
    section.Put("MRUFloatYPos", m_ptMRUFloatPos.y);
    const int nBars = std::min(int(m_entries.size()), kMaxEntries);
    section.Put("Bars", nBars);
    for (int i = 0; i < nBars; ++i)
    {
        char szEntry[32];
        snprintf(szEntry, sizeof(szEntry), "Bar#%d", i);
        section.Put(szEntry, EncodeEntry(m_entries[size_t(i)]));
    }
    return !section.m_bFailed;
}
