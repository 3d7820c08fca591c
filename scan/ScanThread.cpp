// The scanner's thread body, independent of the platform behind IScanHost.
#include "scan/ScanThread.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "scan/Merge.h"

namespace
{

bool Query(IDevice& device, uint32_t oid, void* out, uint32_t outSize)
{
    // The object identifier travels as 4 little-endian bytes, which is the
    // in-memory form on every target this builds for.
    return device.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, out, outSize);
}

// The pause of one pass, in slices: a stop ends it within a slice instead of
// holding the document (and the window waiting on it) for the whole pause.
void PauseWhileRunning(CScanTarget& target, IScanHost& host)
{
    const uint64_t start = host.TickCount();
    while (target.m_bScanning != 0)
    {
        const uint64_t elapsed = host.TickCount() - start;
        if (elapsed >= kScanPassMilliseconds)
            return;
        const uint64_t left = kScanPassMilliseconds - elapsed;
        host.Sleep(static_cast<uint32_t>(left < kScanSliceMilliseconds ? left : kScanSliceMilliseconds));
    }
}

}  // namespace

uint32_t ScanRun(CScanTarget& target)
{
    IScanHost* pHost = target.GetScanHost();
    const char* pszAdapter = target.GetScanAdapterName();
    char szPath[4 + kMaxAdapterNameLength + 1];
    // A name too long for the path would open some other device once cut
    // short, so it counts as a device that can't be opened.
    const int nPath = std::snprintf(szPath, sizeof szPath, "\\\\.\\%s", pszAdapter ? pszAdapter : "");
    std::unique_ptr<IDevice> device;
    if (pHost && nPath > 0 && static_cast<size_t>(nPath) < sizeof szPath)
    {
        device = pHost->OpenDevice(szPath, RunFlagView(target.m_bScanning));
    }
    if (!device)
    {
        target.m_bScanning = 0;
        return 0;
    }

    void* pBuffer = pHost->AllocBuffer(kBssidListBufferSize);
    if (!pBuffer)
    {
        device.reset();
        target.m_bScanning = 0;
        return 0;
    }

    if (target.EnterRunning())
    {
        while (target.m_bScanning != 0)
        {
            Query(*device, OID_802_11_BSSID_LIST_SCAN, nullptr, 0);
            PauseWhileRunning(target, *pHost);
            std::memset(pBuffer, 0, kBssidListBufferSize);
            if (Query(*device, OID_802_11_BSSID_LIST, pBuffer, kBssidListBufferSize) &&
                !MergeBssidList(target, *pHost, pBuffer, kBssidListBufferSize))
            {
                // Out of memory: stop here rather than drop access points silently
                // pass after pass; the status bar then shows the scan as ended.
                target.m_bScanning = 0;
            }
            // Queried aside and copied under the lock, so a reader never sees half
            // an address, and a failed query leaves zeros whatever it wrote.
            UCHAR mac[kMacAddressLength] = {};
            if (!Query(*device, OID_802_3_CURRENT_ADDRESS, mac, sizeof mac))
            {
                std::memset(mac, 0, sizeof mac);
            }
            CEntryListLock lock(target);
            std::memcpy(target.m_ownMac, mac, sizeof mac);
        }
    }

    device.reset();
    pHost->FreeBuffer(pBuffer, kBssidListBufferSize);
    return 0;
}
