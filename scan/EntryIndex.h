// CEntryIndex: what the entry list looks like from the side, kept beside it so
// that large lists cost no more to show and merge than small ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scan/MacTable.h"
#include "scan/NetworkEntry.h"

// The list itself stays the one source of order and content; the index is
// derived from it and answers exactly what a walk from the head would:
//  - the entry at a row (row i is the i-th entry from the head);
//  - the first entry in list order with a MAC address (a loaded file may hold
//    an address twice; the one nearest the head is the one a walk finds);
//  - which entries may read as heard, so a merge resets only those;
//  - what a refresh shows of the whole list (how many read as heard and
//    which, which are not yet announced, whether anything changed and in
//    which rows), kept up to date where rows are added and where the merge
//    changes them, so a refresh costs what changed rather than the list's
//    length.
// Every call happens under the owner's list lock.
class CEntryIndex
{
public:
    CEntryIndex();

    CEntryIndex(const CEntryIndex&) = delete;
    CEntryIndex& operator=(const CEntryIndex&) = delete;

    // Brings the index up to the list that starts at pHead: rebuilt when the
    // head is another than the one indexed, extended by whatever was linked
    // past the last indexed entry. Cheap when nothing changed. Entries are
    // never unlinked one by one and the list is only ever replaced whole, so
    // these two cases are all there is.
    void Sync(CNetworkEntry* pHead);
    // Indexes the list from pHead afresh (a loaded file replaced the list).
    void Rebuild(CNetworkEntry* pHead);
    // Forgets every entry (the list was freed).
    void Clear();
    void Swap(CEntryIndex& other);

    size_t Size() const { return m_rows.size(); }
    // Null past the end.
    CNetworkEntry* At(size_t row) const { return row < m_rows.size() ? m_rows[row] : nullptr; }
    CNetworkEntry* Tail() const { return m_rows.empty() ? nullptr : m_rows.back(); }
    // The entry nearest the head with this address, or null; its row, or kNoRow.
    CNetworkEntry* FindFirst(const UCHAR mac[kMacAddressLength]) const;
    static constexpr size_t kNoRow = CMacTable::kNoRow;
    size_t FindFirstRow(const UCHAR mac[kMacAddressLength]) const;
    // False when no entry has this address; true when one may have (see CMacTable::MayHold).
    bool MayHaveAddress(const UCHAR mac[kMacAddressLength]) const;
    // Ahead of looking up many addresses: see CMacTable::Prefetch.
    void PrefetchAddress(const UCHAR mac[kMacAddressLength]) const;
    // The address table's memory, made ready and freed by the caller outside
    // the lock (see CMacTable::SlotMemory): the size 'addresses' more would
    // grow it to (0 when they fit), memory of that size offered, and the
    // memory a growth left behind.
    size_t AddressTableGrowthFor(size_t addresses) const { return m_addresses.GrowthFor(addresses); }
    void OfferAddressTable(CMacTable::SlotMemory& memory) { m_addresses.Offer(memory); }
    CMacTable::SlotMemory TakeRetiredAddressTable() { return m_addresses.TakeRetired(); }

    // Takes one more entry linked at the tail.
    void Append(CNetworkEntry* pEntry);

    // A merge's first step: every entry reads as not heard with signal 0.
    // Touches only the entries a merge marked heard since, and those no merge
    // has seen yet (loaded or linked some other way), which may carry any
    // flag and signal.
    void ResetHeard();
    // Rows that no merge has reset yet, and the resetting of some of them ahead
    // of a merge, so a long loaded list needs not be reset in one hold of the lock.
    size_t UnresetRows() const { return m_rows.size() - m_nResetRows; }
    void ResetUnresetRows(size_t rows);
    // The merge heard the entry at this row: it reads as heard until the next reset.
    void MarkHeard(size_t row);

    // Indexed entries whose heard flag is set.
    size_t HeardCount() const { return m_nHeard; }
    // Calls f(entry) for every entry whose heard flag is set, in row order, at
    // the cost of what the last merge heard rather than of the whole list.
    template <typename F>
    void ForEachHeard(F f) const
    {
        if (m_nHeard == 0)
            return;
        for (size_t row : HeardRowCandidates())
            if (m_rows[row]->m_bSeen)
                f(m_rows[row]);
    }
    // The indexed entries that were not announced when they were indexed, in
    // row order, each handed out once; the caller announces those still unannounced.
    std::vector<CNetworkEntry*> TakeUnannounced();
    // Grows with every change a refresh may show: rows added or replaced, an
    // entry's heard flag or signal, a note (NoteChanged). Equal values mean
    // nothing of the kind happened in between.
    uint64_t Changes() const { return m_nChanges; }
    // The rows of the changes counted since 'changes', each row once, in no
    // particular order; rows added since are among them. False when the index
    // can't tell (the list was replaced, a note changed, or too much changed
    // to keep track of): then anything may have changed.
    bool ChangedRowsSince(uint64_t changes, std::vector<size_t>& rows) const;
    // An entry's note was changed where the index can't see it.
    void NoteChanged() { ChangedAll(); }

    // Calls f(entry) for every entry in row order.
    template <typename F>
    void ForEach(F f) const
    {
        for (CNetworkEntry* pEntry : m_rows)
            f(pEntry);
    }

private:
    // Rows that may read as heard, each once, in order: those a merge marked
    // since the last reset and those no merge has reset yet.
    std::vector<size_t> HeardRowCandidates() const;
    void Add(CNetworkEntry* pEntry);
    void ResetEntry(size_t row);
    // Counts a change of one row, or of what the index can't name.
    void Changed(size_t row);
    void ChangedAll();

    CNetworkEntry* m_pIndexedHead;
    // A deque so that growing never moves the rows while the lock is held.
    CMacTable::Rows m_rows;
    CMacTable m_addresses;
    // Rows below this one were reset by a merge; of them only m_heard may
    // read as heard. Rows, not entries: four bytes each, and in row order once sorted.
    size_t m_nResetRows;
    std::vector<uint32_t> m_heard;
    size_t m_nHeard;
    std::vector<CNetworkEntry*> m_unannounced;
    uint64_t m_nChanges;
    // The row of every change counted after m_nLogStart, in order, so that a
    // reader catching up needs not look at every row; restarted when it grows
    // long, as after a long loaded list's first merge.
    std::vector<uint32_t> m_changeLog;
    uint64_t m_nLogStart;
};
