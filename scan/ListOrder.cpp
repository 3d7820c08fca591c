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

bool CListOrder::KeysChanged(const CEntryIndex& index) const
{
    if (!IsDynamicColumn(m_sort.column))
        return false;
    size_t row = 0;
    bool bChanged = false;
    index.ForEach([&](CNetworkEntry* pEntry) {
        bChanged = bChanged || DynamicKey(*pEntry, m_sort.column) != m_keys[row];
        ++row;
    });
    return bChanged;
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
    if (!m_bSortChanged && m_bSorted && index.Size() == m_rows.size() && index.At(0) == m_pSortedHead &&
        (index.Changes() == m_nCheckedChanges || !KeysChanged(index)))
    {
        m_nCheckedChanges = index.Changes();
        return false;
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
    const bool bText = IsTextColumn(column);
    const bool bDown = m_sort.direction == SortDirection::Down;
    std::sort(items.begin(), items.end(), [&](const SortItem& a, const SortItem& b) {
        if (a.bEmpty != b.bEmpty)
            return b.bEmpty;
        int order = 0;
        if (!a.bEmpty)
        {
            if (bText)
                order = CompareText(a.text, a.length, b.text, b.length);
            else
                order = a.number < b.number ? -1 : a.number > b.number ? 1 : 0;
        }
        if (order != 0)
            return bDown ? order > 0 : order < 0;
        return a.found < b.found;
    });
    m_rows.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        m_rows[i] = items[i].pEntry;
    m_pSortedHead = index.At(0);
    m_bSorted = true;
}

CNetworkEntry* CListOrder::EntryAt(const CEntryIndex& index, size_t row) const
{
    if (!m_bSorted)
        return index.At(row);
    return InStep(index) && row < m_rows.size() ? m_rows[row] : nullptr;
}

long CListOrder::RowOf(const CEntryIndex& index, const CNetworkEntry* pEntry) const
{
    if (!pEntry)
        return -1;
    if (!m_bSorted)
    {
        for (size_t row = 0; row < index.Size(); ++row)
            if (index.At(row) == pEntry)
                return static_cast<long>(row);
        return -1;
    }
    if (!InStep(index))
        return -1;
    const auto found = std::find(m_rows.begin(), m_rows.end(), pEntry);
    return found == m_rows.end() ? -1 : static_cast<long>(found - m_rows.begin());
}
