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

    // Brings the order up to the list. Entries added and entries whose key
    // changed (signal, first-seen time, annotation) move to their places and
    // the others keep theirs; all are sorted afresh only when the list was
    // replaced or the sort changed. The keys looked at are those of the rows
    // the index names as changed since the last Refresh, so a note changed
    // behind its back needs CEntryIndex::NoteChanged. True when rows may now
    // show other entries than before. Under the list lock.
    bool Refresh(const CEntryIndex& index, const CMakerTable& makers, const ListTexts& texts);

    // The one mapping between rows and entries, as of the last Refresh. Both
    // answer none (null, -1) when the list was replaced or freed since, so no
    // freed entry is ever handed out; RowOf takes an entry of the list as it
    // is now. Under the list lock.
    CNetworkEntry* EntryAt(const CEntryIndex& index, size_t row) const;
    long RowOf(const CEntryIndex& index, const CNetworkEntry* pEntry) const;

private:
    bool InStep(const CEntryIndex& index) const;
    void Resort(const CEntryIndex& index, const CMakerTable& makers, const ListTexts& texts);
    // Brings a sorted order up to entries added and keys changed since, at
    // the cost of what changed. 'pChanged' names the rows whose keys may have
    // changed, or is null when any may have. True when the order changed.
    bool Update(const CEntryIndex& index, const std::vector<size_t>* pChanged, const CMakerTable& makers,
                const ListTexts& texts);

    ListSort m_sort;
    bool m_bSortChanged;
    // m_rows holds the order of the last Refresh, as rows of the index (four
    // bytes each); else row i is the i-th entry.
    bool m_bSorted;
    std::vector<uint32_t> m_rows;
    CNetworkEntry* m_pSortedHead;
    // The changing key of each entry in the order of discovery when sorted by
    // one, as it was at the last sort.
    std::vector<int64_t> m_keys;
    // The index's change count at the last Refresh: the rows changed since
    // are all the keys that need a second look.
    uint64_t m_nCheckedChanges;
    std::vector<size_t> m_changedRows;  // kept only to reuse its memory
};
