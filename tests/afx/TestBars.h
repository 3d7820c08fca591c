// Bars and frames the framework tests lay out: fixed sizes, and a record of what the framework asked.
#pragma once
#include "afx/Frame.h"
#include "afx/Rect.h"

#include <string>
#include <vector>

// Rectangles as text, so that a failed comparison shows the numbers.
inline std::string Str(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) +
           "," + std::to_string(r.bottom) + ")";
}
inline std::string Str(int l, int t, int r, int b)
{
    return Str(CRect(l, t, r, b));
}

// A bar of a fixed length along its side and a fixed thickness across it.
class CPlainBar : public CControlBar
{
public:
    explicit CPlainBar(int nLength = 40, int nThickness = 30) : m_nLength(nLength), m_nThickness(nThickness)
    {
    }
    BOOL Create(CWnd* pParent, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT)
    {
        m_dwStyle = dwStyle & CBRS_ALL;
        return CWnd::Create(nullptr, nullptr, dwStyle & ~DWORD(CBRS_ALL), CRect(0, 0, 0, 0), pParent, nID);
    }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        int nLength = bStretch ? 32767 : m_nLength;
        return bHorz ? CSize(nLength, m_nThickness) : CSize(m_nThickness, nLength);
    }
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        m_modes.push_back(dwMode);
        m_lengths.push_back(nLength);
        return CControlBar::CalcDynamicLayout(nLength, dwMode);
    }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override
    {
        ++m_nUpdates;
        m_pUpdateTarget = pTarget;
    }

    int m_nLength;
    int m_nThickness;
    std::vector<DWORD> m_modes;
    std::vector<int> m_lengths;
    int m_nUpdates = 0;
    CFrameWnd* m_pUpdateTarget = nullptr;
};

// A frame that counts its layouts and remembers the notify flag of the last one.
class CCountingFrame : public CFrameWnd
{
public:
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        ++m_nLayouts;
        m_bLastNotify = bNotify;
        CFrameWnd::RecalcLayout(bNotify);
    }
    int m_nLayouts = 0;
    BOOL m_bLastNotify = FALSE;
};

// A top-level frame window made on the heap (it deletes itself with its window).
template <class TFrame = CCountingFrame>
TFrame* MakeFrame(DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect rect = CRect(40, 40, 440, 340))
{
    TFrame* pFrame = new TFrame;
    if (!pFrame->Create(nullptr, "frame", dwStyle, rect))
        return nullptr;
    return pFrame;
}
