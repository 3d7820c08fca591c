// The scanner's platform on Windows: real cards through their drivers, the
// simulated card by its service name, virtual memory, sleep, tick count and
// local time.
#pragma once

#include <cstdint>

#include "driver/Device.h"
#include "driver/SimCard.h"

class WinScanHost : public IScanHost
{
public:
    // The program's host, with the system's tick count as the simulated
    // card's clock.
    static WinScanHost& Shared();

    WinScanHost();
    // For tests: the simulated card's clock and seed.
    WinScanHost(SimClock simClock, uint32_t simSeed);

    std::unique_ptr<IDevice> OpenDevice(const char* path, RunFlagView running) override;
    void* AllocBuffer(size_t size) override;
    void FreeBuffer(void* buffer, size_t size) override;
    void Sleep(uint32_t milliseconds) override;
    uint64_t TickCount() override;
    void GetLocalTime(SYSTEMTIME* time) override;

private:
    SimClock m_simClock;
    uint32_t m_simSeed;
};
