// CListCtrl: the list-view common control's operations on a borrowed window.
#include "afx/ListCtrl.h"

#include "afx/ImageList.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return int(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, WPARAM(nCol), LPARAM(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.fmt = nFormat;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading != nullptr ? lpszColumnHeading : "");
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    return BOOL(::SendMessageA(m_hWnd, LVM_DELETECOLUMN, WPARAM(nCol), 0));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return BOOL(::SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, WPARAM(nCol), MAKELPARAM(cx, 0)));
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return int(::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, WPARAM(nCol), 0));
}

int CListCtrl::InsertItem(const LVITEMA* pItem)
{
    return int(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, LPARAM(pItem)));
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem != nullptr ? lpszItem : "");
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem != nullptr ? lpszItem : "");
    item.iImage = nImage;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    return BOOL(::SendMessageA(m_hWnd, LVM_DELETEITEM, WPARAM(nItem), 0));
}

BOOL CListCtrl::DeleteAllItems()
{
    return BOOL(::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText != nullptr ? lpszText : "");
    return BOOL(::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, WPARAM(nItem), LPARAM(&item)));
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
    if (lpszText == nullptr || nLen <= 0)
        return 0;
    lpszText[0] = '\0';
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    ::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, WPARAM(nItem), LPARAM(&item));
    // The control may answer with a pointer of its own instead of filling ours.
    if (item.pszText != lpszText && item.pszText != nullptr)
        lstrcpynA(lpszText, item.pszText, nLen);
    lpszText[nLen - 1] = '\0';
    // Counted here: what the message returns differs between implementations.
    return lstrlenA(lpszText);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The message gives no length up front: grow until the text fits with room to spare.
    for (int nLen = 256; nLen <= 0x100000; nLen *= 4)
    {
        CString str;
        LPSTR pBuf = str.GetBuffer(nLen);
        int nCopied = GetItemText(nItem, nSubItem, pBuf, nLen + 1);
        str.ReleaseBuffer(nCopied);
        if (nCopied < nLen)
            return str;
    }
    return CString();
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return BOOL(::SendMessageA(m_hWnd, LVM_SETITEMSTATE, WPARAM(nItem), LPARAM(&item)));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return UINT(::SendMessageA(m_hWnd, LVM_GETITEMSTATE, WPARAM(nItem), LPARAM(nMask)));
}

int CListCtrl::GetItemCount() const
{
    return int(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

BOOL CListCtrl::SetItemCount(int nItems)
{
    return BOOL(::SendMessageA(m_hWnd, LVM_SETITEMCOUNT, WPARAM(nItems), 0));
}

BOOL CListCtrl::SetItemCountEx(int nItems, DWORD dwFlags)
{
    return BOOL(::SendMessageA(m_hWnd, LVM_SETITEMCOUNT, WPARAM(nItems), LPARAM(dwFlags)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int nItem = HitTest(&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return nItem;
}

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
{
    return int(::SendMessageA(m_hWnd, LVM_HITTEST, 0, LPARAM(pHitTestInfo)));
}

int CListCtrl::GetSelectionMark() const
{
    return int(::SendMessageA(m_hWnd, LVM_GETSELECTIONMARK, 0, 0));
}

int CListCtrl::SetSelectionMark(int nIndex)
{
    return int(::SendMessageA(m_hWnd, LVM_SETSELECTIONMARK, 0, LPARAM(nIndex)));
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return int(::SendMessageA(m_hWnd, LVM_GETNEXTITEM, WPARAM(nItem), MAKELPARAM(nFlags, 0)));
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return BOOL(::SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, WPARAM(nItem), LPARAM(bPartialOK)));
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    return BOOL(::SendMessageA(m_hWnd, LVM_REDRAWITEMS, WPARAM(nFirst), LPARAM(nLast)));
}

HIMAGELIST CListCtrl::SetImageList(HIMAGELIST hImageList, int nImageListType)
{
    return HIMAGELIST(::SendMessageA(m_hWnd, LVM_SETIMAGELIST, WPARAM(nImageListType), LPARAM(hImageList)));
}

HIMAGELIST CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    // The CImageList owns the list; a control that destroyed it too would
    // leave the owner with a dead handle to destroy again.
    if (pImageList != nullptr && m_hWnd != nullptr)
        ModifyStyle(0, LVS_SHAREIMAGELISTS);
    return SetImageList(pImageList != nullptr ? pImageList->GetSafeHandle() : nullptr, nImageListType);
}

HIMAGELIST CListCtrl::GetImageList(int nImageListType) const
{
    return HIMAGELIST(::SendMessageA(m_hWnd, LVM_GETIMAGELIST, WPARAM(nImageListType), 0));
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return DWORD(::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LPARAM(dwNewStyle)));
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return DWORD(::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}
