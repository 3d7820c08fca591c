// The simulated card's request handling, checked the way a driver checks
// its callers' buffers.
#include "driver/SimCard.h"

#include <cctype>
#include <cstring>
#include <utility>

#include "driver/SimWorld.h"
#include "scan/NdisTypes.h"

const UCHAR SimCard::kOwnAddress[6] = {0x02, 0x4B, 0x45, 0x53, 0x55, 0x01};

bool IsSimulatedDevicePath(const char* path)
{
    if (path == nullptr || std::strncmp(path, "\\\\.\\", 4) != 0)
        return false;
    const char* name = path + 4;
    const size_t length = sizeof(kSimulatedServiceName) - 1;
    if (std::strlen(name) != length)
        return false;
    for (size_t i = 0; i < length; ++i)
    {
        const auto a = static_cast<unsigned char>(name[i]);
        const auto b = static_cast<unsigned char>(kSimulatedServiceName[i]);
        if (std::tolower(a) != std::tolower(b))
            return false;
    }
    return true;
}

SimCard::SimCard(SimClock clock, uint32_t seed)
    : m_clock(std::move(clock)), m_openedAt(m_clock()), m_seed(seed)
{
}

bool SimCard::IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize)
{
    if (code != IOCTL_NDIS_QUERY_GLOBAL_STATS || in == nullptr || inSize != sizeof(uint32_t))
    {
        return false;
    }
    uint32_t oid;
    std::memcpy(&oid, in, sizeof(oid));
    if (outSize != 0 && out == nullptr)
        return false;

    switch (oid)
    {
    case OID_802_11_BSSID_LIST_SCAN:
        // The walk is heard continuously; there is no scan to start.
        return true;

    case OID_802_3_CURRENT_ADDRESS:
        if (outSize < sizeof(kOwnAddress))
            return false;
        std::memcpy(out, kOwnAddress, sizeof(kOwnAddress));
        return true;

    case OID_802_11_BSSID_LIST: {
        const size_t header = offsetof(NDIS_802_11_BSSID_LIST, Bssid);
        if (outSize < header)
            return false;
        NDIS_WLAN_BSSID heard[kSimAccessPointCount];
        const size_t fits = (outSize - header) / sizeof(NDIS_WLAN_BSSID);
        const uint64_t elapsed = m_clock() - m_openedAt;
        const auto count = static_cast<ULONG>(SimHear(m_seed, elapsed, heard, fits));
        auto* bytes = static_cast<unsigned char*>(out);
        std::memcpy(bytes, &count, sizeof(count));
        std::memcpy(bytes + header, heard, count * sizeof(NDIS_WLAN_BSSID));
        return true;
    }

    default:
        return false;
    }
}
