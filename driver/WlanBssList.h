// The list that the platform's Native Wi-Fi API returns for an interface,
// read from its bytes (the 64-bit layout), and its translation into the
// answer of the legacy list request.
#pragma once

#include <cstddef>
#include <cstdint>

// Byte offsets of the published structures. The list: total size, count,
// then the entries from offset 8; each entry's information elements lie at
// its own offset plus kWlanIeOffset's value, usually after all entries.
constexpr size_t kWlanListTotalSize = 0;
constexpr size_t kWlanListCount = 4;
constexpr size_t kWlanListEntries = 8;
constexpr size_t kWlanEntrySize = 360;
constexpr size_t kWlanSsidLength = 0;
constexpr size_t kWlanSsid = 4;
constexpr size_t kWlanBssid = 40;
constexpr size_t kWlanBssType = 48;
constexpr size_t kWlanRssi = 56;
constexpr size_t kWlanBeaconPeriod = 66;
constexpr size_t kWlanCapability = 88;
constexpr size_t kWlanCenterFrequency = 92;
constexpr size_t kWlanIeOffset = 352;
constexpr size_t kWlanIeSize = 356;

// The interface list: count, current index, then entries of the interface's
// GUID, its 256-character description and its state.
constexpr size_t kWlanInterfacesCount = 0;
constexpr size_t kWlanInterfaces = 8;
constexpr size_t kWlanInterfaceSize = 532;

// The entry's BSS type values.
constexpr uint32_t kWlanInfrastructure = 1;
constexpr uint32_t kWlanIndependent = 2;

// Writes the list request's answer for the 'size' bytes of a Native Wi-Fi
// list into 'out'. Entries that don't lie wholly within 'size' are not read,
// nor elements outside it; false only if 'out' can't hold the count.
bool TranslateWlanBssList(const uint8_t* list, size_t size, void* out, size_t outSize);
