// One access point heard since the scan began, and its record helpers.
#include "scan/NetworkEntry.h"

#include <cstdio>
#include <cstring>

// A list holds up to a million entries: every byte here is a megabyte there.
static_assert(sizeof(void*) != 8 || sizeof(CNetworkEntry) == 152, "an entry is 152 bytes on 64-bit");

bool IsSameMac(const UCHAR a[kMacAddressLength], const UCHAR b[kMacAddressLength])
{
    return std::memcmp(a, b, kMacAddressLength) == 0;
}

bool IsEncrypted(const NDIS_WLAN_BSSID& bssid)
{
    return bssid.Privacy == 1;
}

size_t CopySsidText(const NDIS_WLAN_BSSID& bssid, char* text, size_t textSize)
{
    if (textSize == 0)
        return 0;
    size_t length = bssid.SsidLength < kMaxSsidLength ? bssid.SsidLength : kMaxSsidLength;
    if (length > textSize - 1)
        length = textSize - 1;
    std::memcpy(text, bssid.Ssid, length);
    text[length] = '\0';
    return length;
}

void FormatMacAddress(const UCHAR mac[kMacAddressLength], char* text, size_t textSize)
{
    if (textSize == 0)
        return;
    std::snprintf(text, textSize, "%02x:%02x:%02x:%02x:%02x:%02x", mac[0], mac[1], mac[2], mac[3], mac[4],
                  mac[5]);
}

CNetworkEntry::CNetworkEntry() : m_bssid(), m_bSeen(0), m_bAnnounced(0), m_pNext(nullptr), m_timeFirstSeen()
{
}

CNetworkEntry::~CNetworkEntry() = default;
