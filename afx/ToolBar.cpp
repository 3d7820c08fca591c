// CToolBar: buttons from a toolbar resource and its bitmap strip, update-UI of the buttons, tooltips.
#include "ToolBar.h"
#include "Frame.h"
#include "WinApp.h"

namespace
{
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        HWND hWnd = m_pOther->m_hWnd;
        BOOL bEnabled = ::SendMessageA(hWnd, TB_ISBUTTONENABLED, m_nID, 0) != 0;
        if (bEnabled != (bOn != FALSE))   // unchanged buttons aren't repainted at every idle
            ::SendMessageA(hWnd, TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override
    {
        HWND hWnd = m_pOther->m_hWnd;
        BOOL bChecked = ::SendMessageA(hWnd, TB_ISBUTTONCHECKED, m_nID, 0) != 0;
        if (bChecked != (nCheck == 1))
            ::SendMessageA(hWnd, TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck == 1, 0));
        BOOL bIndet = ::SendMessageA(hWnd, TB_ISBUTTONINDETERMINATE, m_nID, 0) != 0;
        if (bIndet != (nCheck == 2))
            ::SendMessageA(hWnd, TB_INDETERMINATE, m_nID, MAKELPARAM(nCheck == 2, 0));
    }
    void SetText(LPCSTR) override {}
};

// Layout of a toolbar resource.
struct ToolBarData
{
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};
}

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
END_MESSAGE_MAP()

CToolBar::~CToolBar()
{
    // The control doesn't own its image list; ours outlives the window, then goes.
    if (m_hWnd)
        DestroyWindow();
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                    nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_cxLeftBorder = rcBorders.left;
    m_cyTopBorder = rcBorders.top;
    m_cxRightBorder = rcBorders.right;
    m_cyBottomBorder = rcBorders.bottom;
    // Tooltips can only be had when the control is made; CBRS_TOOLTIPS turns them on and off.
    DWORD dwWndStyle = (dwStyle & ~DWORD(CBRS_ALL)) | WS_CHILD | dwCtrlStyle | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                       CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (!CWnd::Create(TOOLBARCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    InitBar(dwStyle, pParentWnd);
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetBarStyle(m_dwStyle);
    return TRUE;
}

void CToolBar::SetBarStyle(DWORD dwStyle)
{
    CControlBar::SetBarStyle(dwStyle);
    if (!m_hWnd)
        return;
    HWND hTips = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS));
    if (hTips)
        ::SendMessageA(hTips, TTM_ACTIVATE, (m_dwStyle & CBRS_TOOLTIPS) ? TRUE : FALSE, 0);
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    if (!m_hWnd)
        return FALSE;
    LPCSTR lpszRes = MAKEINTRESOURCEA(nIDResource);
    HINSTANCE hInst = AfxFindResourceHandle(lpszRes, RT_TOOLBAR);
    HRSRC hRsrc = FindResourceA(hInst, lpszRes, RT_TOOLBAR);
    if (!hRsrc)
        return FALSE;
    DWORD cbData = SizeofResource(hInst, hRsrc);
    HGLOBAL hGlobal = LoadResource(hInst, hRsrc);
    const ToolBarData* pData = hGlobal ? static_cast<const ToolBarData*>(LockResource(hGlobal)) : nullptr;
    // A resource that doesn't hold what its header promises is refused whole.
    if (!pData || cbData < sizeof(ToolBarData) || pData->wVersion != 1 || pData->wWidth == 0 || pData->wHeight == 0 ||
        pData->wWidth > 256 || pData->wHeight > 256 ||
        cbData < sizeof(ToolBarData) + sizeof(WORD) * size_t(pData->wItemCount))
        return FALSE;
    const WORD* pItems = reinterpret_cast<const WORD*>(pData + 1);
    std::vector<UINT> ids(pData->wItemCount);
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i] = pItems[i];

    HINSTANCE hInstBmp = AfxFindResourceHandle(lpszRes, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HBITMAP hbm = static_cast<HBITMAP>(LoadImageA(hInstBmp, lpszRes, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!hbm)
        return FALSE;
    BITMAP bm = {};
    GetObjectA(hbm, sizeof(bm), &bm);
    int nImages = bm.bmWidth / pData->wWidth;
    // The light grey of the strip shows the button face through.
    HIMAGELIST hList = ImageList_Create(pData->wWidth, pData->wHeight, ILC_COLOR24 | ILC_MASK, nImages > 0 ? nImages : 1, 1);
    if (!hList)
    {
        DeleteObject(hbm);
        return FALSE;
    }
    int nAdded = ImageList_AddMasked(hList, hbm, RGB(192, 192, 192));
    DeleteObject(hbm);
    if (nAdded < 0)
    {
        ImageList_Destroy(hList);
        return FALSE;
    }
    SetSizes(CSize(pData->wWidth + 7, pData->wHeight + 7), CSize(pData->wWidth, pData->wHeight));
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hList));
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
    m_hImageList = hList;
    return SetButtons(ids.data(), int(ids.size()));
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (!m_hWnd)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (!m_hWnd || nIDCount < 0 || (nIDCount > 0 && !lpIDArray))
        return FALSE;
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        TBBUTTON& b = buttons[size_t(i)];
        b = TBBUTTON();
        if (lpIDArray[i] == ID_SEPARATOR)
        {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 6;   // separator width
        }
        else
        {
            b.idCommand = int(lpIDArray[i]);
            b.iBitmap = iImage++;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
    }
    if (nIDCount > 0 && !SendMessage(TB_ADDBUTTONSA, WPARAM(nIDCount), reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
    return TRUE;
}

int CToolBar::GetCount() const
{
    return int(SendMessage(TB_BUTTONCOUNT));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON b = {};
    if (!SendMessage(TB_GETBUTTON, WPARAM(nIndex), reinterpret_cast<LPARAM>(&b)))
        return 0;
    return (b.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : UINT(b.idCommand);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return int(SendMessage(TB_COMMANDTOINDEX, nIDFind));
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!SendMessage(TB_GETITEMRECT, WPARAM(nIndex), reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON b = {};
    if (!SendMessage(TB_GETBUTTON, WPARAM(nIndex), reinterpret_cast<LPARAM>(&b)))
        return 0;
    return MAKELONG(b.fsStyle, b.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE | TBIF_STATE | TBIF_BYINDEX;
    info.fsStyle = BYTE(LOWORD(nStyle));
    info.fsState = BYTE(HIWORD(nStyle));
    SendMessage(TB_SETBUTTONINFOA, WPARAM(nIndex), reinterpret_cast<LPARAM>(&info));
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // The buttons in one row, as the control has placed them.
    CSize size(0, 0);
    int nCount = m_hWnd ? GetCount() : 0;
    for (int i = 0; i < nCount; ++i)
    {
        CRect rect;
        GetItemRect(i, &rect);
        if (rect.right > size.cx) size.cx = rect.right;
        if (rect.bottom > size.cy) size.cy = rect.bottom;
    }
    if (size.cy == 0)
        size.cy = m_sizeButton.cy;
    size.cx += m_cxLeftBorder + m_cxRightBorder;
    size.cy += m_cyTopBorder + m_cyBottomBorder;
    if (bStretch && bHorz)
        size.cx = 32767;
    else if (bStretch)
        size.cy = 32767;
    return size;
}

CSize CToolBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = GetItemID(int(state.m_nIndex));
        if (state.m_nID != ID_SEPARATOR)
            state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}
