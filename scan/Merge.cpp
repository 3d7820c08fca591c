// Folding one driver answer to the list request into the entry list.
#include "scan/Merge.h"

#include <cstdint>
#include <cstring>

bool MergeBssidList(CScanTarget& target, IScanHost& host, const void* buffer, size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
    const size_t headerSize = offsetof(NDIS_802_11_BSSID_LIST, Bssid);
    uint32_t count = 0;
    if (size >= headerSize)
    {
        std::memcpy(&count, bytes, sizeof count);
        if (count > kMaxBssidListItems)
            count = kMaxBssidListItems;
        const size_t fit = (size - headerSize) / sizeof(NDIS_WLAN_BSSID);
        if (count > fit)
            count = static_cast<uint32_t>(fit);
    }

    bool bComplete = true;
    CEntryListLock lock(target);
    for (CNetworkEntry* pEntry = target.m_pHead; pEntry; pEntry = pEntry->m_pNext)
    {
        pEntry->m_bSeen = 0;
        pEntry->m_bssid.Rssi = 0;
    }
    for (uint32_t i = 0; i < count; ++i)
    {
        // Copied out: the buffer makes no promise of alignment.
        NDIS_WLAN_BSSID element;
        std::memcpy(&element, bytes + headerSize + i * sizeof(NDIS_WLAN_BSSID), sizeof element);

        // Ends on the matching entry, or on the empty link past the tail (the
        // head itself when the list is empty), where a new entry belongs.
        CNetworkEntry** ppLink = &target.m_pHead;
        while (*ppLink && !IsSameMac((*ppLink)->m_bssid.MacAddress, element.MacAddress))
        {
            ppLink = &(*ppLink)->m_pNext;
        }
        if (*ppLink)
        {
            (*ppLink)->m_bSeen = 1;
            (*ppLink)->m_bssid.Rssi = element.Rssi;
            continue;
        }
        CNetworkEntry* pNew = target.CreateEntry();
        if (!pNew)
        {
            bComplete = false;
            continue;
        }
        pNew->m_bssid = element;
        pNew->m_bSeen = 1;
        host.GetLocalTime(&pNew->m_timeFirstSeen);
        *ppLink = pNew;
    }
    return bComplete;
}
