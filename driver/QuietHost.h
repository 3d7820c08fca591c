// QuietScanHost: a platform for merges run without a card, where only the
// clock matters.
#pragma once

#include <cstdint>
#include <memory>

#include "driver/Device.h"

// No device opens and no buffer is handed out; sleeps only move its clock.
// Each local time read is another (2024, a millisecond on per read, carrying
// into minutes), so entries stamped in order tell their order.
class QuietScanHost : public IScanHost
{
public:
    std::unique_ptr<IDevice> OpenDevice(const char*, RunFlagView) override { return nullptr; }
    void* AllocBuffer(size_t) override { return nullptr; }
    void FreeBuffer(void*, size_t) override {}
    void Sleep(uint32_t milliseconds) override { m_clock += milliseconds; }
    uint64_t TickCount() override { return m_clock; }
    void GetLocalTime(SYSTEMTIME* time) override;

private:
    uint64_t m_clock = 0;
    uint32_t m_nStamps = 0;
};
