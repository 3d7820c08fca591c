// The list view's order: keys taken once per sort, compared without touching
// the entries again.
#include "scan/ListOrder.h"

#include <algorithm>
#include <cstring>

namespace
{

struct SortItem
{
    CNetworkEntry* pEntry;
    uint32_t found;  // place in the order of discovery: ties keep it
    bool bEmpty;     // an empty cell: last in either direction
    int64_t number;
    const char* text;
    size_t length;
};

bool IsDynamicColumn(int column)
{
    return column == kColumnSignal || column == kColumnFirstSeen || column == kColumnAnnotation;
}

int64_t PackedTime(const SYSTEMTIME& t)
{
    return ((((static_cast<int64_t>(t.wYear) * 13 + t.wMonth) * 32 + t.wDay) * 24 + t.wHour) * 60 +
            t.wMinute) *
               61 +
           t.wSecond;
}

// The key of a column that can change after the entry was found.
int64_t DynamicKey(const CNetworkEntry& entry, int column)
{
    switch (column)
    {
    case kColumnSignal:
        return entry.m_bssid.Rssi;
    case kColumnFirstSeen:
        return entry.HasFirstSeenTime() ? PackedTime(entry.m_timeFirstSeen) : 0;
    default:
        return entry.m_strAnnotation.empty();
    }
}

int CompareText(const char* a, size_t aLength, const char* b, size_t bLength)
{
    const size_t n = std::min(aLength, bLength);
    for (size_t i = 0; i < n; ++i)
    {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'a' && ca <= 'z')
            ca = static_cast<unsigned char>(ca - 'a' + 'A');
        if (cb >= 'a' && cb <= 'z')
            cb = static_cast<unsigned char>(cb - 'a' + 'A');
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return aLength == bLength ? 0 : aLength < bLength ? -1 : 1;
}

void SetText(SortItem& item, const char* text, size_t length)
{
    item.text = text;
    item.length = length;
    item.bEmpty = !text || length == 0;
}

SortItem KeyOf(CNetworkEntry* pEntry, uint32_t found, int column, const CMakerTable& makers,
               const ListTexts& texts)
{
    SortItem item = {pEntry, found, false, 0, nullptr, 0};
    const NDIS_WLAN_BSSID& bssid = pEntry->m_bssid;
    switch (column)
    {
    case kColumnName: {
        // The record's own bytes: they never change once the entry is linked.
        const char* ssid = reinterpret_cast<const char*>(bssid.Ssid);
        const size_t limit = std::min<size_t>(bssid.SsidLength, kMaxSsidLength);
        SetText(item, ssid, static_cast<size_t>(std::find(ssid, ssid + limit, '\0') - ssid));
        break;
    }
    case kColumnAddress:
        for (size_t i = 0; i < kMacAddressLength; ++i)
            item.number = item.number << 8 | bssid.MacAddress[i];
        break;
    case kColumnSecurity:
        // By the cell's words: "Encrypted" before "Open".
        item.number = IsEncrypted(bssid) ? 0 : 1;
        break;
    case kColumnMode: {
        const int mode = static_cast<int>(bssid.InfrastructureMode);
        const char* text = mode >= 0 && mode <= 2 ? texts.modes[mode] : nullptr;
        SetText(item, text, text ? std::strlen(text) : 0);
        break;
    }
    case kColumnChannel:
        item.number = bssid.Configuration.DSConfig;
        break;
    case kColumnMaker: {
        const char* text = MakerText(makers, bssid.MacAddress, texts);
        SetText(item, text, text ? std::strlen(text) : 0);
        break;
    }
    default:
        item.number = DynamicKey(*pEntry, column);
        // No signal and no first-seen time are empty cells.
        item.bEmpty = column != kColumnAnnotation && item.number == 0;
        break;
    }
    return item;
}

bool IsTextColumn(int column)
{
    return column == kColumnName || column == kColumnMode || column == kColumnMaker;
}

// The one order every sort keeps: empty cells last, then the keys in the
// sort's direction, then the order of discovery, so no two entries tie.
bool Before(const ListSort& sort, const SortItem& a, const SortItem& b)
{
    if (a.bEmpty != b.bEmpty)
        return b.bEmpty;
    int order = 0;
    if (!a.bEmpty)
    {
        if (IsTextColumn(sort.column))
            order = CompareText(a.text, a.length, b.text, b.length);
        else
            order = a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
    }
    if (order != 0)
        return sort.direction == SortDirection::Down ? order > 0 : order < 0;
    return a.found < b.found;
}

}  // namespace

ListSort NextSort(ListSort current, int clickedColumn)
{
    if (clickedColumn != current.column || current.direction == SortDirection::None)
        return {clickedColumn, SortDirection::Up};
    if (current.direction == SortDirection::Up)
        return {clickedColumn, SortDirection::Down};
    return {clickedColumn, SortDirection::None};
}

const char* MakerText(const CMakerTable& makers, const UCHAR mac[kMacAddressLength], const ListTexts& texts)
{
    const Maker maker = makers.Lookup(mac);
    switch (maker.kind)
    {
    case MakerKind::Known:
        return maker.name;
    case MakerKind::Random:
        return texts.randomAddress;
    default:
        return nullptr;
    }
}

CListOrder::CListOrder()
    : m_bSortChanged(false), m_bSorted(false), m_pSortedHead(nullptr), m_nCheckedChanges(0)
{
}

void CListOrder::SetSort(ListSort sort)
{
    if (sort.column < 0 || sort.column >= kListColumnCount)
        sort = ListSort();
    if (sort.direction == SortDirection::None)
        sort.column = ListSort().column;
    m_bSortChanged = m_bSortChanged || sort.column != m_sort.column || sort.direction != m_sort.direction;
    m_sort = sort;
}

bool CListOrder::InStep(const CEntryIndex& index) const
{
    // Entries are only ever appended, or the list replaced or freed whole, so
    // the same head means every sorted entry is still alive.
    return index.Size() >= m_rows.size() && index.At(0) == m_pSortedHead;
}

bool CListOrder::Refresh(const CEntryIndex& index, const CMakerTable& makers, const ListTexts& texts)
{
    if (m_sort.direction == SortDirection::None)
    {
        const bool bWasSorted = m_bSorted;
        m_bSorted = false;
        m_rows.clear();
        m_keys.clear();
        m_pSortedHead = nullptr;
        m_bSortChanged = false;
        return bWasSorted;
    }
    if (!m_bSortChanged && m_bSorted && InStep(index))
    {
        if (index.Changes() == m_nCheckedChanges)
            return false;
        const bool bLogged = index.ChangedRowsSince(m_nCheckedChanges, m_changedRows);
        const bool bMoved = Update(index, bLogged ? &m_changedRows : nullptr, makers, texts);
        m_nCheckedChanges = index.Changes();
        return bMoved;
    }
    Resort(index, makers, texts);
    m_nCheckedChanges = index.Changes();
    m_bSortChanged = false;
    return true;
}

void CListOrder::Resort(const CEntryIndex& index, const CMakerTable& makers, const ListTexts& texts)
{
    const int column = m_sort.column;
    std::vector<SortItem> items;
    items.reserve(index.Size());
    m_keys.clear();
    index.ForEach([&](CNetworkEntry* pEntry) {
        items.push_back(KeyOf(pEntry, static_cast<uint32_t>(items.size()), column, makers, texts));
        if (IsDynamicColumn(column))
            m_keys.push_back(DynamicKey(*pEntry, column));
    });
    std::sort(items.begin(), items.end(),
              [this](const SortItem& a, const SortItem& b) { return Before(m_sort, a, b); });
    m_rows.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        m_rows[i] = items[i].found;
    m_pSortedHead = index.At(0);
    m_bSorted = true;
}

bool CListOrder::Update(const CEntryIndex& index, const std::vector<size_t>* pChanged,
                        const CMakerTable& makers, const ListTexts& texts)
{
    // The entries whose key changed, and those added, leave their places;
    // the others keep theirs and their order, so only the ones that left
    // are sorted and put back where they now belong.
    const int column = m_sort.column;
    const size_t sortedRows = m_rows.size();
    std::vector<bool> leaving(sortedRows);
    std::vector<SortItem> moved;
    if (IsDynamicColumn(column))
    {
        const size_t candidates = pChanged ? pChanged->size() : sortedRows;
        for (size_t i = 0; i < candidates; ++i)
        {
            const size_t row = pChanged ? (*pChanged)[i] : i;
            if (row >= sortedRows)
                continue;
            const int64_t key = DynamicKey(*index.At(row), column);
            if (key == m_keys[row])
                continue;
            m_keys[row] = key;
            leaving[row] = true;
            moved.push_back(KeyOf(index.At(row), static_cast<uint32_t>(row), column, makers, texts));
        }
    }
    for (size_t row = sortedRows; row < index.Size(); ++row)
    {
        CNetworkEntry* pEntry = index.At(row);
        moved.push_back(KeyOf(pEntry, static_cast<uint32_t>(row), column, makers, texts));
        if (IsDynamicColumn(column))
            m_keys.push_back(DynamicKey(*pEntry, column));
    }
    if (moved.empty())
        return false;
    const auto before = [this](const SortItem& a, const SortItem& b) { return Before(m_sort, a, b); };
    std::sort(moved.begin(), moved.end(), before);
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [&](uint32_t row) { return leaving[row]; }),
                 m_rows.end());
    std::vector<uint32_t> rows;
    rows.reserve(index.Size());
    auto stay = m_rows.begin();
    for (const SortItem& item : moved)
    {
        const auto place = std::partition_point(stay, m_rows.end(), [&](uint32_t row) {
            return before(KeyOf(index.At(row), row, column, makers, texts), item);
        });
        rows.insert(rows.end(), stay, place);
        rows.push_back(item.found);
        stay = place;
    }
    rows.insert(rows.end(), stay, m_rows.end());
    m_rows.swap(rows);
    return true;
}

CNetworkEntry* CListOrder::EntryAt(const CEntryIndex& index, size_t row) const
{
    if (!m_bSorted)
        return index.At(row);
    return InStep(index) && row < m_rows.size() ? index.At(m_rows[row]) : nullptr;
}

long CListOrder::RowOf(const CEntryIndex& index, const CNetworkEntry* pEntry) const
{
    if (!pEntry || (m_bSorted && !InStep(index)))
        return -1;
    // The entry's place in the order of discovery: by its address, unless an
    // entry before it has the same address (a loaded file may repeat one).
    size_t found = index.FindFirstRow(pEntry->m_bssid.MacAddress);
    if (found == CEntryIndex::kNoRow || index.At(found) != pEntry)
    {
        found = 0;
        while (found < index.Size() && index.At(found) != pEntry)
            ++found;
        if (found == index.Size())
            return -1;
    }
    if (!m_bSorted)
        return static_cast<long>(found);
    const auto shown = std::find(m_rows.begin(), m_rows.end(), static_cast<uint32_t>(found));
    return shown == m_rows.end() ? -1 : static_cast<long>(shown - m_rows.begin());
}
