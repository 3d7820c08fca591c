// The document's side of a scan: run flag, stop request and the entry list.
#include "scan/ScanTarget.h"

#include <new>

CScanTarget::CScanTarget()
    : m_bScanning(0), m_pHead(nullptr), m_ownMac(), m_bStopRequested(false), m_pScanHost(nullptr)
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
    CNetworkEntry* pEntry;
    {
        CEntryListLock lock(*this);
        pEntry = m_pHead;
        m_pHead = nullptr;
        m_index.Clear();
    }
    while (pEntry)
    {
        CNetworkEntry* pNext = pEntry->m_pNext;
        delete pEntry;
        pEntry = pNext;
    }
}

CEntryIndex& CScanTarget::ListIndex()
{
    m_index.Sync(m_pHead);
    return m_index;
}
