// CControlBarInfo: one bar's (or dock bar's) place in the frame's saved layout, and its section in the
// per-user settings.
#pragma once
#include "Point.h"
#include "Rect.h"
#include "String.h"

#include <vector>

class CControlBar;
class CDockState;

// One entry of a dock bar's record: a row end, a docked bar, or the place a hidden bar keeps.
struct DockBarEntry
{
    UINT nID = 0;
    bool bPlaceHolder = false;
    bool IsRowEnd() const { return nID == 0 && !bPlaceHolder; }
};

// One bar's (or one dock bar's) place. Sections "<profile>-Bar<index>".
class CControlBarInfo
{
public:
    CControlBarInfo() = default;

    // FALSE when the record's section is missing (the record then stays as it was).
    BOOL LoadState(LPCSTR lpszProfileName, int nIndex, CDockState* pDockState);
    BOOL SaveState(LPCSTR lpszProfileName, int nIndex);
    // The settings section of record nIndex under lpszProfileName.
    static CString SectionName(LPCSTR lpszProfileName, int nIndex);

    UINT m_nBarID = 0;
    BOOL m_bVisible = FALSE;
    BOOL m_bFloating = FALSE;  // a floating bar, or a floating frame's dock bar
    BOOL m_bHorz = FALSE;
    BOOL m_bDockBar = FALSE;
    // A bar's place in its dock bar (client coordinates); for a floating frame's dock bar, the screen
    // position of the frame's client area (a new frame is placed so that its client starts there).
    CPoint m_pointPos;
    int m_nMRUWidth = 32767;
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    // Dock bars only: their entries in order.
    std::vector<DockBarEntry> m_entries;
    CControlBar* m_pBar = nullptr;  // the bar the record was taken from or is being applied to
    // The section the record was loaded from, -1 if none. A damaged record before it is dropped, so the
    // record's place in CDockState::m_arrBarInfo is no section number.
    int m_nSection = -1;
};
