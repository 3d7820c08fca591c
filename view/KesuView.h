// CKesuView: the report list of access points. Rows are drawn from the
// document's list through display callbacks; the view also announces new
// access points, counts the heard ones and picks the tracked entry.
#pragma once

#include "afx/ListView.h"
#include "scan/ColumnSettings.h"
#include "scan/ListOrder.h"

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

    // Writes the list as the user sees it, in its current order, to 'path' as
    // CSV; on failure shows the standard file error. The document's modified
    // state stays as it was.
    bool ExportTo(const char* path);

protected:
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnFileExport();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The only mapping between rows and entries (m_order's): the entry at
    // 'row', or null past the end; the row of an entry, or -1. The caller
    // holds the list lock.
    CNetworkEntry* EntryAt(int row) const;
    int RowOf(const CNetworkEntry* pEntry) const;
    // Brings the order up to the list; the selection stays on its entry.
    void ReorderRows();
    // The selected row, or -1.
    int SelectedRow();
    void ShowSortArrow();
    void SaveColumnSettings();

    CListOrder m_order;
    ColumnSettings m_columns;
    bool m_bColumnsLoaded;
    // Set while the view moves the selection itself: not the user's choice.
    bool m_bMovingSelection;
    // Where SelectedRow last found the selection, asked first next time.
    int m_nSelectedRow;
};
