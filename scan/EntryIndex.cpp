// The entry list's row and address indexes.
#include "scan/EntryIndex.h"

#include <algorithm>
#include <utility>

namespace
{

// A few seconds of scanning; a reader further behind looks at every row.
constexpr size_t kMaxLoggedChanges = 1 << 16;

void SortOnce(std::vector<size_t>& rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
}

}  // namespace

CEntryIndex::CEntryIndex()
    : m_pIndexedHead(nullptr), m_nResetRows(0), m_nHeard(0), m_nChanges(0), m_nLogStart(0)
{
}

void CEntryIndex::Sync(CNetworkEntry* pHead)
{
    if (pHead != m_pIndexedHead)
    {
        Rebuild(pHead);
        return;
    }
    if (!pHead)
        return;
    for (CNetworkEntry* pEntry = m_rows.back()->m_pNext; pEntry; pEntry = pEntry->m_pNext)
        Add(pEntry);
}

void CEntryIndex::Rebuild(CNetworkEntry* pHead)
{
    Clear();
    for (CNetworkEntry* pEntry = pHead; pEntry; pEntry = pEntry->m_pNext)
        m_rows.push_back(pEntry);
    // Sized once, so a load never grows the table entry by entry.
    m_addresses.Reserve(m_rows.size());
    for (size_t row = 0; row < m_rows.size(); ++row)
    {
        CNetworkEntry* pEntry = m_rows[row];
        m_addresses.InsertFirst(CMacTable::KeyOf(pEntry->m_bssid.MacAddress), row, m_rows);
        m_nHeard += pEntry->m_bSeen != 0;
        if (!pEntry->m_bAnnounced)
            m_unannounced.push_back(pEntry);
    }
    m_pIndexedHead = pHead;
}

void CEntryIndex::Clear()
{
    m_pIndexedHead = nullptr;
    std::deque<CNetworkEntry*>().swap(m_rows);
    m_addresses.Clear();
    m_nResetRows = 0;
    std::vector<uint32_t>().swap(m_heard);
    m_nHeard = 0;
    std::vector<CNetworkEntry*>().swap(m_unannounced);
    ChangedAll();
}

void CEntryIndex::Swap(CEntryIndex& other)
{
    std::swap(m_pIndexedHead, other.m_pIndexedHead);
    m_rows.swap(other.m_rows);
    m_addresses.Swap(other.m_addresses);
    std::swap(m_nResetRows, other.m_nResetRows);
    m_heard.swap(other.m_heard);
    std::swap(m_nHeard, other.m_nHeard);
    m_unannounced.swap(other.m_unannounced);
    // Both now hold another list than their watchers last saw.
    m_nChanges = other.m_nChanges = std::max(m_nChanges, other.m_nChanges) + 1;
    m_changeLog.clear();
    other.m_changeLog.clear();
    m_nLogStart = other.m_nLogStart = m_nChanges;
}

CNetworkEntry* CEntryIndex::FindFirst(const UCHAR mac[kMacAddressLength]) const
{
    const size_t row = FindFirstRow(mac);
    return row == kNoRow ? nullptr : m_rows[row];
}

size_t CEntryIndex::FindFirstRow(const UCHAR mac[kMacAddressLength]) const
{
    return m_addresses.Find(CMacTable::KeyOf(mac), m_rows);
}

bool CEntryIndex::MayHaveAddress(const UCHAR mac[kMacAddressLength]) const
{
    return m_addresses.MayHold(CMacTable::KeyOf(mac));
}

void CEntryIndex::PrefetchAddress(const UCHAR mac[kMacAddressLength]) const
{
    m_addresses.Prefetch(CMacTable::KeyOf(mac));
}

void CEntryIndex::Append(CNetworkEntry* pEntry)
{
    if (m_rows.empty())
        m_pIndexedHead = pEntry;
    Add(pEntry);
}

void CEntryIndex::MarkHeard(size_t row)
{
    CNetworkEntry* pEntry = m_rows[row];
    m_nHeard += pEntry->m_bSeen == 0;
    pEntry->m_bSeen = 1;
    m_heard.push_back(static_cast<uint32_t>(row));
    Changed(row);
}

std::vector<size_t> CEntryIndex::HeardRowCandidates() const
{
    // A pass may hear an address twice, and appends rows no merge reset yet.
    std::vector<size_t> rows(m_heard.begin(), m_heard.end());
    for (size_t row = m_nResetRows; row < m_rows.size(); ++row)
        rows.push_back(row);
    SortOnce(rows);
    return rows;
}

std::vector<CNetworkEntry*> CEntryIndex::TakeUnannounced()
{
    std::vector<CNetworkEntry*> taken;
    taken.swap(m_unannounced);
    return taken;
}

void CEntryIndex::ResetHeard()
{
    for (uint32_t row : m_heard)
        ResetEntry(row);
    m_heard.clear();
    ResetUnresetRows(UnresetRows());
}

void CEntryIndex::ResetUnresetRows(size_t rows)
{
    const size_t end = m_nResetRows + (rows < UnresetRows() ? rows : UnresetRows());
    for (; m_nResetRows < end; ++m_nResetRows)
        ResetEntry(m_nResetRows);
}

void CEntryIndex::ResetEntry(size_t row)
{
    CNetworkEntry* pEntry = m_rows[row];
    if (pEntry->m_bSeen == 0 && pEntry->m_bssid.Rssi == 0)
        return;
    m_nHeard -= pEntry->m_bSeen != 0;
    pEntry->m_bSeen = 0;
    pEntry->m_bssid.Rssi = 0;
    Changed(row);
}

void CEntryIndex::Add(CNetworkEntry* pEntry)
{
    m_rows.push_back(pEntry);
    m_addresses.InsertFirst(CMacTable::KeyOf(pEntry->m_bssid.MacAddress), m_rows.size() - 1, m_rows);
    m_nHeard += pEntry->m_bSeen != 0;
    if (!pEntry->m_bAnnounced)
        m_unannounced.push_back(pEntry);
    Changed(m_rows.size() - 1);
}

void CEntryIndex::Changed(size_t row)
{
    ++m_nChanges;
    if (m_changeLog.size() < kMaxLoggedChanges && row < CMacTable::kMaxRows)
    {
        m_changeLog.push_back(static_cast<uint32_t>(row));
        return;
    }
    m_changeLog.clear();
    m_nLogStart = m_nChanges;
}

void CEntryIndex::ChangedAll()
{
    ++m_nChanges;
    m_changeLog.clear();
    m_nLogStart = m_nChanges;
}

bool CEntryIndex::ChangedRowsSince(uint64_t changes, std::vector<size_t>& rows) const
{
    rows.clear();
    if (changes < m_nLogStart || changes > m_nChanges)
        return false;
    rows.assign(m_changeLog.begin() + static_cast<ptrdiff_t>(changes - m_nLogStart), m_changeLog.end());
    SortOnce(rows);
    return true;
}
