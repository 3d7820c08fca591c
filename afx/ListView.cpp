// CListView: a view that is a list-view control.
#include "afx/ListView.h"

IMPLEMENT_DYNCREATE(CListView, CCtrlView)

CListView::CListView() : CCtrlView(WC_LISTVIEWA, AFX_WS_DEFAULT_VIEW) {}

CListView::~CListView()
{
    // The wrapper only borrowed our window.
    m_listCtrl.m_hWnd = nullptr;
}

CListCtrl& CListView::GetListCtrl() const
{
    m_listCtrl.m_hWnd = m_hWnd;
    return m_listCtrl;
}
