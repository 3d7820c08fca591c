// CListCtrl: the list-view common control's operations on a borrowed window.
#pragma once

#include "afx/Wnd.h"
#include "afx/Point.h"

class CImageList;

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- Columns --------------------------------------------------------
    // Index of the new column, or -1. nWidth -1 and nSubItem -1 leave those unset.
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn);
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    BOOL SetColumnWidth(int nCol, int cx);
    int GetColumnWidth(int nCol) const;

    // ---- Items ----------------------------------------------------------
    // Index of the new item, or -1.
    int InsertItem(const LVITEMA* pItem);
    int InsertItem(int nItem, LPCSTR lpszItem);
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    // Copies at most nLen - 1 characters and a terminator; returns the length copied.
    int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    int GetItemCount() const;
    // Owner-data lists: the number of rows the control asks about.
    BOOL SetItemCount(int nItems);
    BOOL SetItemCountEx(int nItems, DWORD dwFlags = LVSICF_NOINVALIDATEALL);

    // ---- Finding and showing --------------------------------------------
    // The item at pt (client coordinates), or -1; *pFlags gets the LVHT_ bits.
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int nIndex);
    int GetNextItem(int nItem, int nFlags) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    BOOL RedrawItems(int nFirst, int nLast);

    // ---- Appearance -----------------------------------------------------
    // Returns the list of that kind used before. Unless the control has
    // LVS_SHAREIMAGELISTS it destroys the lists it holds when it is destroyed:
    // a raw handle is given to the control that way.
    HIMAGELIST SetImageList(HIMAGELIST hImageList, int nImageListType);
    // The CImageList keeps ownership: the control is made to share the list.
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType);
    HIMAGELIST GetImageList(int nImageListType) const;
    // Replaces all extended styles; returns the previous ones.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
};
