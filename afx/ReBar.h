// CReBar: a rebar over ReBarWindow32 that holds other bars as its bands.
#pragma once
#include "ControlBar.h"
#include "Size.h"

class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar() = default;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                        UINT nID = AFX_IDW_REBAR);
    // pBar becomes a band; its natural size is the band's minimum. pBitmap: background or null.
    BOOL AddBar(CWnd* pBar, LPCSTR pszText = nullptr, HBITMAP hbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    UINT GetBandCount() const;
    int GetVisibleBandCount() const;
    // Index of the band holding pBar, or -1.
    int FindBand(const CWnd* pBar) const;
    void ShowBand(const CWnd* pBar, BOOL bShow);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    void OnShowChildBar(CControlBar* pBar, BOOL bShow) override;

    void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
