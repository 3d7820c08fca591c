// CListView: a view that is a list-view control.
#pragma once

#include "afx/CtrlView.h"
#include "afx/ListCtrl.h"

// A view that is a list-view control ("SysListView32").
class CListView : public CCtrlView
{
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
    ~CListView() override;

    // The control under its own wrapper: the view's window, borrowed.
    CListCtrl& GetListCtrl() const;

private:
    mutable CListCtrl m_listCtrl;
};
