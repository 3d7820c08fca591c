// The owner of an entry list and its builder.
#include "scan/EntryList.h"

#include <utility>

void FreeEntryList(CNetworkEntry* pHead)
{
    while (pHead)
        delete std::exchange(pHead, pHead->m_pNext);
}

size_t CEntryList::Size() const
{
    size_t size = 0;
    ForEach([&size](CNetworkEntry*) { ++size; });
    return size;
}

void CEntryList::Adopt(CNetworkEntry* pHead)
{
    FreeEntryList(std::exchange(m_pHead, pHead));
}

CNetworkEntry* CEntryList::Release()
{
    return std::exchange(m_pHead, nullptr);
}

void CEntryList::LinkAfter(CNetworkEntry* pTail, std::unique_ptr<CNetworkEntry> pEntry)
{
    (pTail ? pTail->m_pNext : m_pHead) = pEntry.release();
}

CEntryListBuilder::CEntryListBuilder(CEntryList& list) : m_list(list), m_pLast(nullptr)
{
    list.ForEach([this](CNetworkEntry* pEntry) { m_pLast = pEntry; });
}

CNetworkEntry* CEntryListBuilder::Append(std::unique_ptr<CNetworkEntry> pEntry)
{
    CNetworkEntry* pLinked = pEntry.get();
    m_list.LinkAfter(m_pLast, std::move(pEntry));
    m_pLast = pLinked;
    return pLinked;
}
