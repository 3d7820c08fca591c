// The seam between the scanner and a network card: what the scanner asks of
// the platform (open a device, a buffer, sleep, a clock, the local time) and
// the one request it makes of an open device. The Windows host reaches real
// cards and the simulated card through it; tests give a scripted one.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "scan/WinTypes.h"

constexpr uint32_t IOCTL_NDIS_QUERY_GLOBAL_STATS = 0x00170002;
constexpr uint32_t OID_802_11_BSSID_LIST_SCAN = 0x0D01011A;
constexpr uint32_t OID_802_11_BSSID_LIST = 0x0D010217;
constexpr uint32_t OID_802_3_CURRENT_ADDRESS = 0x01010102;

// The service name that selects the simulated card.
constexpr const char kSimulatedServiceName[] = "KesuSim";

// An open driver handle. Destroying it closes the device.
class IDevice
{
public:
    virtual ~IDevice() = default;
    // DeviceIoControl with no overlapped structure: true on success. The count
    // of bytes returned is not reported because the scanner never uses it.
    virtual bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) = 0;
};

// The object identifier of a well-formed query, as cards other than the
// legacy driver decode their requests; false for anything else.
inline bool QueryOid(uint32_t code, const void* in, uint32_t inSize, uint32_t* oid)
{
    if (code != IOCTL_NDIS_QUERY_GLOBAL_STATS || in == nullptr || inSize != sizeof(uint32_t))
        return false;
    std::memcpy(oid, in, sizeof(uint32_t));
    return true;
}

// The scan's run flag as a card may see it: read-only, so the flag stays the
// one stop signal. A card whose request can wait long (an answer from another
// process) gives the wait up once the flag reads 0; quick cards ignore it.
class RunFlagView
{
public:
    explicit RunFlagView(const std::atomic<int32_t>& flag) : m_flag(&flag) {}
    bool Running() const { return m_flag->load() != 0; }

private:
    const std::atomic<int32_t>* m_flag;
};

// Everything the scanner thread takes from its surroundings.
class IScanHost
{
public:
    virtual ~IScanHost() = default;
    // CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, ...,
    // OPEN_EXISTING); null when the device can't be opened. 'running' must
    // outlive the device.
    virtual std::unique_ptr<IDevice> OpenDevice(const char* path, RunFlagView running) = 0;
    // VirtualAlloc / VirtualFree of the list buffer; AllocBuffer may return null.
    virtual void* AllocBuffer(size_t size) = 0;
    virtual void FreeBuffer(void* buffer, size_t size) = 0;
    // One slice of the pause between asking for a scan and fetching its list.
    virtual void Sleep(uint32_t milliseconds) = 0;
    // GetTickCount64: milliseconds that only go forward. The pause is measured
    // on it, so slices that oversleep don't lengthen the pass.
    virtual uint64_t TickCount() = 0;
    virtual void GetLocalTime(SYSTEMTIME* time) = 0;
};
