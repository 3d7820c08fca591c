// CKesuView: the report list of access points. Rows are drawn from the
// document's list through display callbacks; the view also announces new
// access points, counts the heard ones and picks the tracked entry.
#pragma once

#include "afx/View.h"

class CKesuDoc;
class CNetworkEntry;

class CKesuView : public CListView
{
    DECLARE_DYNCREATE(CKesuView)

public:
    CKesuView();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;

    CKesuDoc* GetDocument() const;

protected:
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The entry at 'row', or null past the end. The caller holds the list lock.
    CNetworkEntry* EntryAt(int row) const;
};
