// The Windows scan host: each call is the one platform call the scanner
// names, apart from the simulated card, which is recognised by its path.
#include "driver/WinScanHost.h"

#include <new>
#include <utility>

#include "afx/AfxSetup.h"
#include "driver/RealCard.h"

namespace
{

uint64_t TickClock()
{
    return ::GetTickCount64();
}

}  // namespace

WinScanHost& WinScanHost::Shared()
{
    static WinScanHost host;
    return host;
}

WinScanHost::WinScanHost() : WinScanHost(TickClock, SimCard::kDefaultSeed) {}

WinScanHost::WinScanHost(SimClock simClock, uint32_t simSeed)
    : m_simClock(std::move(simClock)), m_simSeed(simSeed)
{
}

std::unique_ptr<IDevice> WinScanHost::OpenDevice(const char* path)
{
    if (IsSimulatedDevicePath(path))
    {
        return std::unique_ptr<IDevice>(new (std::nothrow) SimCard(m_simClock, m_simSeed));
    }
    return RealCard::Open(path);
}

void* WinScanHost::AllocBuffer(size_t size)
{
    return ::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void WinScanHost::FreeBuffer(void* buffer, size_t size)
{
    if (buffer == nullptr)
        return;
    ::VirtualFree(buffer, size, MEM_DECOMMIT);
    ::VirtualFree(buffer, 0, MEM_RELEASE);
}

void WinScanHost::Sleep(uint32_t milliseconds)
{
    ::Sleep(milliseconds);
}

void WinScanHost::GetLocalTime(SYSTEMTIME* time)
{
    ::GetLocalTime(time);
}
