// A scan target whose entry allocations can be made to fail after a count.
#pragma once

#include "scan/ScanTarget.h"

class CLimitedTarget : public CScanTarget
{
public:
    explicit CLimitedTarget(const char* pszAdapter) : m_pszAdapter(pszAdapter) {}
    const char* GetScanAdapterName() override { return m_pszAdapter; }
    CNetworkEntry* CreateEntry() override
    {
        if (m_nAllowed == 0)
            return nullptr;
        if (m_nAllowed > 0)
            --m_nAllowed;
        return CScanTarget::CreateEntry();
    }
    // Entries still allowed; negative: no limit.
    int m_nAllowed = -1;

private:
    const char* m_pszAdapter;
};
