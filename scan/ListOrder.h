// CListOrder: the order in which the list view shows the entries, by any of
// its columns or in the order they were found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scan/EntryIndex.h"
#include "scan/MakerTable.h"

// The list view's columns, by sub-item number.
enum ListColumn
{
    kColumnName,
    kColumnAddress,
    kColumnSecurity,
    kColumnMode,
    kColumnChannel,
    kColumnSignal,
    kColumnFirstSeen,
    kColumnAnnotation,
    kColumnMaker,
    kListColumnCount
};

enum class SortDirection
{
    None,  // the order of discovery, as the list file keeps it
    Up,
    Down,
};

struct ListSort
{
    int column = kColumnName;
    SortDirection direction = SortDirection::None;
};

// A header click: ascending, then descending, then the order of discovery;
// a click on another column starts it ascending.
ListSort NextSort(ListSort current, int clickedColumn);

// The texts some cells show, which a sort by those cells compares.
struct ListTexts
{
    const char* modes[3];  // InfrastructureMode 0, 1, 2
    const char* randomAddress;
};

// The maker cell's text: the name, the random-address text, or null for none.
const char* MakerText(const CMakerTable& makers, const UCHAR mac[kMacAddressLength], const ListTexts& texts);

class CListOrder
{
public:
    CListOrder();

    const ListSort& Sort() const { return m_sort; }
    // Takes effect at the next Refresh.
    void SetSort(ListSort sort);

    // Brings the order up to the list, re-sorting only when entries came or
    // went, the list was replaced, the sort changed, or a key the sort uses
    // changed (signal, first-seen time, annotation). The keys are compared
    // only when the index counted a change since the last Refresh, so a note
    // changed behind its back needs CEntryIndex::NoteChanged. True when rows
    // may now show other entries than before. Under the list lock.
    bool Refresh(const CEntryIndex& index, const CMakerTable& makers, const ListTexts& texts);

    // The one mapping between rows and entries, as of the last Refresh. Both
    // answer none (null, -1) when the list was replaced or freed since, so no
    // freed entry is ever handed out. Under the list lock.
    CNetworkEntry* EntryAt(const CEntryIndex& index, size_t row) const;
    long RowOf(const CEntryIndex& index, const CNetworkEntry* pEntry) const;

private:
    bool InStep(const CEntryIndex& index) const;
    bool KeysChanged(const CEntryIndex& index) const;
    void Resort(const CEntryIndex& index, const CMakerTable& makers, const ListTexts& texts);

    ListSort m_sort;
    bool m_bSortChanged;
    // m_rows holds the order of the last Refresh; else row i is the i-th entry.
    bool m_bSorted;
    std::vector<CNetworkEntry*> m_rows;
    CNetworkEntry* m_pSortedHead;
    // The changing key of each entry in the order of discovery when sorted by
    // one, as it was at the last sort.
    std::vector<int64_t> m_keys;
    // The index's change count when the keys were last found unchanged: while
    // it stays, the keys need no second look.
    uint64_t m_nCheckedChanges;
};
