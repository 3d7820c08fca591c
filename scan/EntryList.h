// CEntryList: the sole owner of a list of entries linked through m_pNext, and
// the builder that links new ones at its end.
#pragma once

#include <cstddef>
#include <memory>

#include "scan/NetworkEntry.h"

// Deletes every entry from pHead on.
void FreeEntryList(CNetworkEntry* pHead);

// One pointer wide and nothing per entry beyond the link, so a list of a
// million entries costs what the entries cost. Moves but never copies; what
// it holds when destroyed or replaced is freed.
class CEntryList
{
public:
    CEntryList() = default;
    // Takes the list that starts at pHead.
    explicit CEntryList(CNetworkEntry* pHead) : m_pHead(pHead) {}
    ~CEntryList() { FreeEntryList(m_pHead); }

    CEntryList(const CEntryList&) = delete;
    CEntryList& operator=(const CEntryList&) = delete;
    CEntryList(CEntryList&& other) noexcept : m_pHead(other.Release()) {}
    CEntryList& operator=(CEntryList&& other) noexcept
    {
        if (this != &other)
            Adopt(other.Release());
        return *this;
    }

    CNetworkEntry* Head() const { return m_pHead; }
    bool IsEmpty() const { return m_pHead == nullptr; }
    // Walks the list: callers that know the length keep it themselves.
    size_t Size() const;

    // Frees the list held and takes the one that starts at pHead.
    void Adopt(CNetworkEntry* pHead);
    // Hands the list to the caller, who frees it from then on.
    CNetworkEntry* Release();
    // Links pEntry at the end; pTail must be the last entry (null when empty),
    // which whoever keeps the list's rows already knows.
    void LinkAfter(CNetworkEntry* pTail, std::unique_ptr<CNetworkEntry> pEntry);

    // Calls f(entry) for every entry, head first.
    template <typename F>
    void ForEach(F f) const
    {
        for (CNetworkEntry* pEntry = m_pHead; pEntry; pEntry = pEntry->m_pNext)
            f(pEntry);
    }

private:
    CNetworkEntry* m_pHead = nullptr;
};

// Links entries at the end of a list in constant time each. The list must
// outlive the builder and gain no entries by other means meanwhile.
class CEntryListBuilder
{
public:
    // Starts at the list's current end.
    explicit CEntryListBuilder(CEntryList& list);

    CEntryListBuilder(const CEntryListBuilder&) = delete;
    CEntryListBuilder& operator=(const CEntryListBuilder&) = delete;

    // Links pEntry at the end and returns it.
    CNetworkEntry* Append(std::unique_ptr<CNetworkEntry> pEntry);
    // Links a new blank entry at the end, for lists built where running out
    // of memory may end the program (tests, benchmarks).
    CNetworkEntry& AppendNew() { return *Append(std::make_unique<CNetworkEntry>()); }
    CNetworkEntry* Last() const { return m_pLast; }

private:
    CEntryList& m_list;
    CNetworkEntry* m_pLast;
};
