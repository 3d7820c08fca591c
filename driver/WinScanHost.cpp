// The Windows scan host: each call is the one platform call the scanner
// names, apart from the simulated card, which is recognised by its path, and
// cards whose legacy driver doesn't answer, which are reached another way.
#include "driver/WinScanHost.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "afx/AfxSetup.h"
#include "driver/FallbackCard.h"
#include "driver/LinuxHelperCard.h"
#include "driver/NativeWifiCard.h"
#include "driver/RealCard.h"

namespace
{

uint64_t TickClock()
{
    return ::GetTickCount64();
}

// The ways after the legacy driver: the platform's Native Wi-Fi API, then,
// under Wine, the Linux helper.
std::unique_ptr<IDevice> OpenModernCard(const std::string& serviceName, RunFlagView running)
{
    if (serviceName.empty())
        return nullptr;
    std::unique_ptr<IDevice> card = OpenNativeWifiCard(serviceName.c_str());
    if (!card)
        card = OpenLinuxHelperCard(serviceName.c_str(), running);
    return card;
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

std::unique_ptr<IDevice> WinScanHost::OpenDevice(const char* path, RunFlagView running)
{
    if (IsSimulatedDevicePath(path))
    {
        return std::unique_ptr<IDevice>(new (std::nothrow) SimCard(m_simClock, m_simSeed));
    }
    if (path == nullptr)
        return nullptr;
    const std::string serviceName = std::strncmp(path, "\\\\.\\", 4) == 0 ? path + 4 : "";
    return OpenWithFallback(RealCard::Open(path),
                            [serviceName, running] { return OpenModernCard(serviceName, running); });
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

uint64_t WinScanHost::TickCount()
{
    return ::GetTickCount64();
}

void WinScanHost::GetLocalTime(SYSTEMTIME* time)
{
    ::GetLocalTime(time);
}
