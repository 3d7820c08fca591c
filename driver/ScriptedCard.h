// A scripted platform and card for tests: answers given pass by pass, every
// platform call recorded in order, a clock that only sleeps move, and pauses
// the test can hold and release.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "driver/Device.h"
#include "scan/NdisTypes.h"

// What the card answers in one pass. A pass begins with each scan request;
// list and address requests before the first scan request, or after the
// script has run out, fail.
struct ScriptedCardPass
{
    bool scanOk = true;
    bool listOk = true;
    std::vector<uint8_t> list;  // the answer, copied into the caller's buffer as far as it fits
    bool addressOk = true;
    std::array<uint8_t, 6> address{{0x02, 0x00, 0x00, 0x00, 0x00, 0x01}};
};

enum class HostCall
{
    Open,
    Alloc,
    IoControl,
    Sleep,
    LocalTime,
    CloseDevice,
    Free
};

struct HostCallRecord
{
    HostCall call;
    std::string path;           // Open
    uint32_t code = 0;          // IoControl
    uint32_t oid = 0;           // IoControl: the first 4 input bytes, 0 if fewer
    uint32_t inSize = 0;        // IoControl
    uint32_t outSize = 0;       // IoControl; Alloc and Free: the size
    bool outZeroed = false;     // IoControl: the output buffer was all zero on entry
    uint32_t milliseconds = 0;  // Sleep
    int pass = -1;              // IoControl, Sleep: the pass in progress
    int slice = 0;              // Sleep: its place in the pass's pause, from 1
};

// One element with the fields tests care about; the rest plausible.
NDIS_WLAN_BSSID MakeScriptedElement(uint8_t macLastByte, const char* ssid, int32_t rssi, uint32_t privacy = 1,
                                    uint32_t length = sizeof(NDIS_WLAN_BSSID));
// A list answer claiming 'claimedItems' elements (default: as many as given).
std::vector<uint8_t> MakeScriptedList(const std::vector<NDIS_WLAN_BSSID>& elements,
                                      int64_t claimedItems = -1);
// A list of 'count' distinct access points with addresses 02:00:00:00:hi:lo.
std::vector<uint8_t> MakeScriptedListOfDistinct(uint32_t count);

class ScriptedCardHost : public IScanHost
{
public:
    ScriptedCardHost();
    ~ScriptedCardHost() override;

    // Set up before the scanner starts.
    void AddPass(ScriptedCardPass pass);
    void FailOpen(bool fail);
    // Runs on the opening thread at each open, after it is recorded and before
    // it is answered, so a test can act while the device is opening.
    void SetOpenHook(std::function<void(const std::string& path)> hook);
    void FailAlloc(bool fail);
    // Each call returns this time, then steps it one millisecond on (carrying
    // into seconds, minutes and hours), so stamps taken in order differ.
    void SetLocalTime(const SYSTEMTIME& time);
    // Each Sleep really sleeps this long instead of the asked-for time; the
    // clock still moves on by the asked-for time.
    void SetSleepMilliseconds(uint32_t ms);
    // Makes each pass's list answer in place of the pass's own list; the
    // pass's listOk and the script's length still decide whether it succeeds.
    void SetListGenerator(std::function<std::vector<uint8_t>(int pass)> generator);
    // Runs on the sleeping thread at each sleep, before any hold, with the
    // pass in progress and the sleep's place in that pass's pause (from 1).
    void SetSleepHook(std::function<void(int pass, int slice)> hook);
    // While held, each pass's pause waits at its first sleep until
    // ReleasePause lets it through; the pause's later sleeps don't wait.
    void HoldPauses(bool hold);

    // From the test's thread while the scanner runs.
    // Waits until the pause of pass 'pass' (counting from 0) has begun; false
    // if that hasn't happened within 'timeoutMs'.
    bool WaitForPause(int pass, uint32_t timeoutMs = 10000);
    void ReleasePause();

    // After the scanner has ended (or at any time, as a snapshot).
    std::vector<HostCallRecord> Calls() const;
    std::vector<HostCallRecord> IoCalls() const;
    std::vector<std::string> OpenedPaths() const;
    int OpenDevices() const;         // devices opened and not yet destroyed
    int OutstandingBuffers() const;  // buffers allocated and not yet freed

    std::unique_ptr<IDevice> OpenDevice(const char* path, RunFlagView running) override;
    void* AllocBuffer(size_t size) override;
    void FreeBuffer(void* buffer, size_t size) override;
    void Sleep(uint32_t milliseconds) override;
    // The sum of the times asked of Sleep so far.
    uint64_t TickCount() override;
    void GetLocalTime(SYSTEMTIME* time) override;

    struct State;

private:
    // Shared with the devices, which may outlive the host in a faulty scanner.
    std::shared_ptr<State> m_state;
};
