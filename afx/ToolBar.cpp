// CToolBar: buttons from a toolbar resource and its bitmap strip, update-UI of the buttons, tooltips.
#include "ToolBar.h"
#include "Frame.h"
#include "ResourceHandle.h"
#include "CmdUI.h"

#include <cstring>

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
        if (bEnabled != (bOn != FALSE))  // unchanged buttons aren't repainted at every idle
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

// A toolbar resource read into sizes and button ids. Two layouts exist: the
// usual one of WORDs (version 1, width, height, count, ids) and the one the GNU
// resource compiler writes for its TOOLBAR statement (DWORDs: width, height,
// count, ids). Anything that holds neither whole is refused.
bool ParseToolBarResource(const BYTE* pData, DWORD cbData, int& cx, int& cy, std::vector<UINT>& ids)
{
    auto word = [&](size_t i) {
        WORD w;
        memcpy(&w, pData + 2 * i, 2);
        return w;
    };
    auto dword = [&](size_t i) {
        DWORD d;
        memcpy(&d, pData + 4 * i, 4);
        return d;
    };
    auto plausible = [](DWORD w, DWORD h) { return w > 0 && h > 0 && w <= 256 && h <= 256; };
    if (cbData >= 8 && word(0) == 1 && plausible(word(1), word(2)) && cbData >= 8 + 2 * size_t(word(3)))
    {
        cx = word(1);
        cy = word(2);
        ids.resize(word(3));
        for (size_t i = 0; i < ids.size(); ++i)
            ids[i] = word(4 + i);
        return true;
    }
    if (cbData >= 12 && plausible(dword(0), dword(1)) && dword(2) <= 0xFFFF &&
        cbData >= 12 + 4 * size_t(dword(2)))
    {
        cx = int(dword(0));
        cy = int(dword(1));
        ids.resize(dword(2));
        for (size_t i = 0; i < ids.size(); ++i)
            ids[i] = dword(3 + i) & 0xFFFF;
        return true;
    }
    return false;
}
}  // namespace

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
    return CreateEx(pParentWnd, 0, dwStyle,
                    CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_cxLeftBorder = rcBorders.left;
    m_cyTopBorder = rcBorders.top;
    m_cxRightBorder = rcBorders.right;
    m_cyBottomBorder = rcBorders.bottom;
    // Tooltips can only be had when the control is made; CBRS_TOOLTIPS turns them on and off.
    DWORD dwWndStyle = (dwStyle & ~DWORD(CBRS_ALL)) | WS_CHILD | dwCtrlStyle | TBSTYLE_TOOLTIPS |
                       CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (!CWnd::Create(TOOLBARCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
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
    const BYTE* pData = hGlobal ? static_cast<const BYTE*>(LockResource(hGlobal)) : nullptr;
    int cxImage = 0, cyImage = 0;
    std::vector<UINT> ids;
    if (!pData || !ParseToolBarResource(pData, cbData, cxImage, cyImage, ids))
        return FALSE;

    HINSTANCE hInstBmp = AfxFindResourceHandle(lpszRes, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HBITMAP hbm =
        static_cast<HBITMAP>(LoadImageA(hInstBmp, lpszRes, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!hbm)
        return FALSE;
    BITMAP bm = {};
    GetObjectA(hbm, sizeof(bm), &bm);
    int nImages = bm.bmWidth / cxImage;
    // The light grey of the strip shows the button face through.
    HIMAGELIST hList =
        ImageList_Create(cxImage, cyImage, ILC_COLOR24 | ILC_MASK, nImages > 0 ? nImages : 1, 1);
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
    SetSizes(CSize(cxImage + 7, cyImage + 7), CSize(cxImage, cyImage));
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
            b.iBitmap = 6;  // separator width
        }
        else
        {
            b.idCommand = int(lpIDArray[i]);
            b.iBitmap = iImage++;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
    }
    if (nIDCount > 0 &&
        !SendMessage(TB_ADDBUTTONSA, WPARAM(nIDCount), reinterpret_cast<LPARAM>(buttons.data())))
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
        if (rect.right > size.cx)
            size.cx = rect.right;
        if (rect.bottom > size.cy)
            size.cy = rect.bottom;
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
