// The document's side of a scan: the run flag, the entry list, the card's own
// address and the lock that lets the user interface read them while the
// scanner thread writes.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "driver/Device.h"
#include "scan/EntryIndex.h"
#include "scan/EntryList.h"
#include "scan/NetworkEntry.h"
#include "scan/WinTypes.h"

class CScanTarget
{
public:
    CScanTarget();
    // Frees the list; the scanner must have ended by then.
    virtual ~CScanTarget();

    CScanTarget(const CScanTarget&) = delete;
    CScanTarget& operator=(const CScanTarget&) = delete;

    // The card's service name; the scanner reads it once, when it starts.
    virtual const char* GetScanAdapterName() = 0;

    // The one allocation a pass makes. Null ends the scan with the list intact.
    virtual CNetworkEntry* CreateEntry();

    // Not owned. Must be set before a scanner starts and outlive it.
    void SetScanHost(IScanHost* pHost) { m_pScanHost = pHost; }
    IScanHost* GetScanHost() const { return m_pScanHost; }

    // Called just before a scanner thread is created: the scan counts as
    // starting, and a stop requested from then on is honoured even before the
    // thread is ready.
    void PrepareScanStart();
    // Asks the scanner to end: its pause ends within a slice, the pass in
    // progress still fetches and merges, and the thread ends; the caller then
    // waits for it.
    void RequestScanStop();
    // The scanner's step from starting to running: false if a stop came first.
    bool EnterRunning();

    // Frees every entry and empties the list. Only when no scanner runs.
    void DeleteEntries();

    // The list's rows and addresses, brought up to date with m_entries. Only
    // while holding a CEntryListLock, and only until it is released.
    CEntryIndex& ListIndex();
    // Between two holds of the lock by one thread: lets a thread that waits
    // for it have it first. A mutex may hand itself straight back to the
    // thread that just released it, keeping a reader out for a whole series
    // of holds. Called without the lock held.
    void YieldListLock() const;
    // Puts in an index built aside for the list now in m_entries. With the lock held.
    void SwapListIndex(CEntryIndex& index) { m_index.Swap(index); }

    // Not 0 while a scan runs or is starting, so 0 until one is started. Read
    // without the lock; written under it so that a stop and the scanner's start
    // can't cross.
    std::atomic<int32_t> m_bScanning;
    // The list and m_ownMac belong to the lock: take a CEntryListLock to read
    // or change them.
    CEntryList m_entries;
    UCHAR m_ownMac[kMacAddressLength];

private:
    friend class CEntryListLock;

    mutable std::mutex m_listLock;
    // Threads blocked in CEntryListLock; see YieldListLock.
    mutable std::atomic<int> m_nLockWaiters;
    CEntryIndex m_index;
    bool m_bStopRequested;
    IScanHost* m_pScanHost;
};

// Holds the list lock for its lifetime. Every walk of the list, every read
// of m_ownMac outside the scanner and every change of m_entries takes one, and
// keeps it briefly: the scanner waits for it on every pass. The lock is not
// recursive, so the CScanTarget operations above are never called while
// holding one.
class CEntryListLock
{
public:
    explicit CEntryListLock(const CScanTarget& target) : m_lock(target.m_listLock, std::try_to_lock)
    {
        if (m_lock.owns_lock())
            return;
        ++target.m_nLockWaiters;
        m_lock.lock();
        --target.m_nLockWaiters;
    }

    // Takes the lock only if it is free at once; OwnsLock says whether it did.
    CEntryListLock(const CScanTarget& target, std::try_to_lock_t)
        : m_lock(target.m_listLock, std::try_to_lock)
    {
    }

    CEntryListLock(const CEntryListLock&) = delete;
    CEntryListLock& operator=(const CEntryListLock&) = delete;

    bool OwnsLock() const { return m_lock.owns_lock(); }

private:
    std::unique_lock<std::mutex> m_lock;
};
