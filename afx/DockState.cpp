// CDockState: the bar layout's records and its summary section in the per-user settings.
#include "DockState.h"
#include "ProfileSection.h"
#include "WinApp.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace
{
// Bounds for what a settings store may claim: more is damage, not a layout.
constexpr int kMaxRecords = 256;

CString SummaryName(LPCSTR lpszProfileName)
{
    char sz[512];
    snprintf(sz, sizeof(sz), "%s-Summary", lpszProfileName);
    return CString(sz);
}
}  // namespace

IMPLEMENT_DYNAMIC(CDockState, CObject)

void CDockState::Clear()
{
    m_arrBarInfo.clear();
}

BOOL CDockState::LoadState(LPCSTR lpszProfileName)
{
    Clear();
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !lpszProfileName)
        return FALSE;
    CProfileSection summary(pApp, SummaryName(lpszProfileName));
    const int nRecords = std::min(std::max(summary.Get("Bars"), 0), kMaxRecords);
    m_sizeScreen = CSize(summary.Get("ScreenCX"), summary.Get("ScreenCY"));
    for (int i = 0; i < nRecords; ++i)
    {
        std::unique_ptr<CControlBarInfo> pInfo(new (std::nothrow) CControlBarInfo);
        if (!pInfo)
            break;
        if (pInfo->LoadState(lpszProfileName, i, this))
            m_arrBarInfo.push_back(std::move(pInfo));
    }
    return nRecords > 0;
}

BOOL CDockState::SaveState(LPCSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !lpszProfileName)
        return FALSE;
    CProfileSection summary(pApp, SummaryName(lpszProfileName));
    const int nOld = std::min(std::max(summary.Get("Bars"), 0), kMaxRecords);
    const int nRecords = std::min(int(m_arrBarInfo.size()), kMaxRecords);
    BOOL bSaved = TRUE;
    for (int i = 0; i < nRecords; ++i)
        bSaved &= m_arrBarInfo[size_t(i)]->SaveState(lpszProfileName, i);
    for (int i = nRecords; i < nOld; ++i)
        pApp->WriteProfileString(CControlBarInfo::SectionName(lpszProfileName, i), nullptr, nullptr);
    summary.Put("Bars", nRecords);
    summary.Put("ScreenCX", ::GetSystemMetrics(SM_CXSCREEN));
    summary.Put("ScreenCY", ::GetSystemMetrics(SM_CYSCREEN));
    return bSaved && !summary.m_bFailed;
}
