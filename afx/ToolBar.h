// CToolBar: a toolbar over ToolbarWindow32, loaded from a toolbar resource and its bitmap strip.
#pragma once
#include "ControlBar.h"
#include "Rect.h"

#include <vector>

// Resource type of a toolbar's layout: WORD version (1), width, height, count, ids (0 = separator),
// or the DWORD width, height, count, ids that the GNU resource compiler writes.
#define RT_TOOLBAR MAKEINTRESOURCE(RT_TOOLBAR_ID)

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar() = default;
    ~CToolBar() override;

    // dwCtrlStyle: TBSTYLE_* bits; dwStyle: window style plus CBRS_* bits.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    // Buttons from the toolbar resource nIDResource, images from the bitmap with the
    // same id (its light grey 0xC0C0C0 shows as the button face). FALSE if either is missing or malformed.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);

    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);

    void SetBarStyle(DWORD dwStyle) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    DECLARE_MESSAGE_MAP()

private:
    HIMAGELIST m_hImageList = nullptr;  // owned
    CSize m_sizeImage = CSize(16, 15);
    CSize m_sizeButton = CSize(23, 22);
};
