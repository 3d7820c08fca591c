// The document's side of a scan: run flag, stop request and the entry list.
#include "scan/ScanTarget.h"

#include <new>
#include <thread>
#include <utility>

CScanTarget::CScanTarget()
    : m_bScanning(0), m_ownMac(), m_nLockWaiters(0), m_bStopRequested(false), m_pScanHost(nullptr)
{
}

CScanTarget::~CScanTarget()
{
    DeleteEntries();
}

CNetworkEntry* CScanTarget::CreateEntry()
{
    return new (std::nothrow) CNetworkEntry;
}

void CScanTarget::PrepareScanStart()
{
    CEntryListLock lock(*this);
    m_bStopRequested = false;
    m_bScanning = 1;
}

void CScanTarget::RequestScanStop()
{
    CEntryListLock lock(*this);
    m_bStopRequested = true;
    m_bScanning = 0;
}

bool CScanTarget::EnterRunning()
{
    CEntryListLock lock(*this);
    if (m_bStopRequested)
        return false;
    m_bScanning = 1;
    return true;
}

void CScanTarget::DeleteEntries()
{
    // Freed after the lock, index and all: a long list must not keep readers waiting.
    CEntryList doomed;
    CEntryIndex doomedIndex;
    {
        CEntryListLock lock(*this);
        doomed = std::move(m_entries);
        m_index.Swap(doomedIndex);
    }
}

void CScanTarget::YieldListLock() const
{
    // Bounded, so that a waiter that is never scheduled can't stop the scanner.
    for (int spins = 0; m_nLockWaiters.load() > 0 && spins < 10000; ++spins)
        std::this_thread::yield();
}

CEntryIndex& CScanTarget::ListIndex()
{
    m_index.Sync(m_entries.Head());
    return m_index;
}
