// One access point heard since the scan began: the driver's record as it was
// first heard, plus what this program adds to it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scan/AnnotationText.h"
#include "scan/NdisTypes.h"
#include "scan/WinTypes.h"

// Two records denote the same access point exactly when their MAC addresses
// match; no other field takes part.
bool IsSameMac(const UCHAR a[kMacAddressLength], const UCHAR b[kMacAddressLength]);

// Privacy 1 is encrypted; every other value is open.
bool IsEncrypted(const NDIS_WLAN_BSSID& bssid);

// Copies the network name into 'text' and terminates it, cut to fit
// 'textSize' (a buffer of kMaxSsidLength + 1 always holds the whole name).
// A SsidLength above 32 is taken as 32. Returns the count of bytes copied.
size_t CopySsidText(const NDIS_WLAN_BSSID& bssid, char* text, size_t textSize);

// Writes a MAC address as six lower-case hexadecimal pairs joined by colons
// (00:0a:1b:2c:3d:4e), cut to fit 'textSize'.
void FormatMacAddress(const UCHAR mac[kMacAddressLength], char* text, size_t textSize);

class CNetworkEntry
{
public:
    CNetworkEntry();
    virtual ~CNetworkEntry();

    CNetworkEntry(const CNetworkEntry&) = delete;
    CNetworkEntry& operator=(const CNetworkEntry&) = delete;

    // Only Rssi changes after creation, so a saved list holds the record as the
    // driver first gave it.
    NDIS_WLAN_BSSID m_bssid;
    int32_t m_bSeen;
    int32_t m_bAnnounced;
    CNetworkEntry* m_pNext;  // not owned: the CEntryList holding the list frees it whole
    // All zero while unknown: the list file keeps no time, so a loaded entry
    // has none until it is heard again.
    SYSTEMTIME m_timeFirstSeen;
    CAnnotationText m_strAnnotation;  // ANSI code page

    bool HasFirstSeenTime() const { return m_timeFirstSeen.wYear != 0; }
};
