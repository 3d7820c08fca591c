// The scripted platform and card: one lock over all of its state, since the
// scanner thread calls in while the test thread steers and inspects.
#include "driver/ScriptedCard.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>
#include <thread>
#include <utility>

struct ScriptedCardHost::State
{
    mutable std::mutex lock;
    std::condition_variable changed;
    std::vector<ScriptedCardPass> passes;
    int pass = -1;
    std::vector<HostCallRecord> calls;
    bool failOpen = false;
    std::function<void(const std::string&)> openHook;
    std::function<std::vector<uint8_t>(int)> listGenerator;
    bool failAlloc = false;
    SYSTEMTIME localTime{2024, 5, 3, 16, 10, 30, 0, 0};
    uint32_t sleepMs = 0;
    uint64_t clock = 0;
    std::function<void(int, int)> sleepHook;
    bool holdPauses = false;
    int releases = 0;
    int pausePass = -2;  // the pass whose pause began last; -1 is before any scan request
    int slice = 0;
    int openDevices = 0;
    std::map<void*, size_t> buffers;
};

namespace
{

class ScriptedDevice : public IDevice
{
public:
    explicit ScriptedDevice(std::shared_ptr<ScriptedCardHost::State> state) : m_state(std::move(state)) {}

    ~ScriptedDevice() override
    {
        std::lock_guard<std::mutex> guard(m_state->lock);
        --m_state->openDevices;
        HostCallRecord record{HostCall::CloseDevice, {}};
        m_state->calls.push_back(record);
    }

    bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) override
    {
        std::unique_lock<std::mutex> lock(m_state->lock);
        ScriptedCardHost::State& s = *m_state;
        HostCallRecord record{HostCall::IoControl, {}};
        record.code = code;
        record.inSize = inSize;
        record.outSize = outSize;
        if (in != nullptr && inSize >= sizeof(uint32_t))
            std::memcpy(&record.oid, in, sizeof(uint32_t));
        record.outZeroed = true;
        const auto* bytes = static_cast<const unsigned char*>(out);
        for (uint32_t i = 0; bytes != nullptr && i < outSize; ++i)
        {
            if (bytes[i] != 0)
            {
                record.outZeroed = false;
                break;
            }
        }
        if (record.oid == OID_802_11_BSSID_LIST_SCAN)
            ++s.pass;
        record.pass = s.pass;
        s.calls.push_back(record);

        if (code != IOCTL_NDIS_QUERY_GLOBAL_STATS || in == nullptr || inSize < sizeof(uint32_t))
        {
            return false;
        }
        if (s.pass < 0 || s.pass >= static_cast<int>(s.passes.size()))
            return false;
        const ScriptedCardPass& pass = s.passes[s.pass];
        switch (record.oid)
        {
        case OID_802_11_BSSID_LIST_SCAN:
            return pass.scanOk;
        case OID_802_11_BSSID_LIST: {
            if (!pass.listOk || out == nullptr)
                return false;
            std::vector<uint8_t> generated;
            const std::vector<uint8_t>* list = &pass.list;
            if (s.listGenerator)
            {
                // Outside the lock: the generator is the test's code.
                const std::function<std::vector<uint8_t>(int)> generator = s.listGenerator;
                const int number = s.pass;
                lock.unlock();
                generated = generator(number);
                list = &generated;
            }
            const size_t n = list->size() < outSize ? list->size() : outSize;
            if (n != 0)
                std::memcpy(out, list->data(), n);
            return true;
        }
        case OID_802_3_CURRENT_ADDRESS:
            if (!pass.addressOk || out == nullptr || outSize < pass.address.size())
                return false;
            std::memcpy(out, pass.address.data(), pass.address.size());
            return true;
        default:
            return false;
        }
    }

private:
    std::shared_ptr<ScriptedCardHost::State> m_state;
};

void StepOneMillisecond(SYSTEMTIME* t)
{
    if (++t->wMilliseconds < 1000)
        return;
    t->wMilliseconds = 0;
    if (++t->wSecond < 60)
        return;
    t->wSecond = 0;
    if (++t->wMinute < 60)
        return;
    t->wMinute = 0;
    t->wHour = static_cast<WORD>((t->wHour + 1) % 24);
}

}  // namespace

NDIS_WLAN_BSSID MakeScriptedElement(uint8_t macLastByte, const char* ssid, int32_t rssi, uint32_t privacy,
                                    uint32_t length)
{
    static const UCHAR kRates[8] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
    NDIS_WLAN_BSSID e;
    std::memset(&e, 0, sizeof(e));
    e.Length = length;
    e.MacAddress[0] = 0x02;
    e.MacAddress[5] = macLastByte;
    const size_t n = ssid != nullptr ? strnlen(ssid, kMaxSsidLength) : 0;
    std::memcpy(e.Ssid, ssid, n);
    e.SsidLength = static_cast<ULONG>(n);
    e.Privacy = privacy;
    e.Rssi = rssi;
    e.NetworkTypeInUse = Ndis802_11OFDM24;
    e.Configuration.Length = sizeof(NDIS_802_11_CONFIGURATION);
    e.Configuration.BeaconPeriod = 100;
    e.Configuration.DSConfig = 2437000;
    e.Configuration.FHConfig.Length = sizeof(NDIS_802_11_CONFIGURATION_FH);
    e.InfrastructureMode = Ndis802_11Infrastructure;
    std::memcpy(e.SupportedRates, kRates, sizeof(kRates));
    return e;
}

std::vector<uint8_t> MakeScriptedList(const std::vector<NDIS_WLAN_BSSID>& elements, int64_t claimedItems)
{
    const size_t header = offsetof(NDIS_802_11_BSSID_LIST, Bssid);
    std::vector<uint8_t> bytes(header + elements.size() * sizeof(NDIS_WLAN_BSSID));
    const auto count =
        static_cast<ULONG>(claimedItems < 0 ? static_cast<int64_t>(elements.size()) : claimedItems);
    std::memcpy(bytes.data(), &count, sizeof(count));
    if (!elements.empty())
    {
        std::memcpy(bytes.data() + header, elements.data(), elements.size() * sizeof(NDIS_WLAN_BSSID));
    }
    return bytes;
}

std::vector<uint8_t> MakeScriptedListOfDistinct(uint32_t count)
{
    std::vector<NDIS_WLAN_BSSID> elements;
    elements.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
    {
        char name[16];
        std::snprintf(name, sizeof(name), "AP%u", i);
        NDIS_WLAN_BSSID e = MakeScriptedElement(0, name, -40 - static_cast<int32_t>(i % 50));
        e.MacAddress[4] = static_cast<UCHAR>(i >> 8);
        e.MacAddress[5] = static_cast<UCHAR>(i);
        elements.push_back(e);
    }
    return MakeScriptedList(elements);
}

ScriptedCardHost::ScriptedCardHost() : m_state(std::make_shared<State>()) {}

ScriptedCardHost::~ScriptedCardHost()
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    for (auto& buffer : m_state->buffers)
        delete[] static_cast<unsigned char*>(buffer.first);
}

void ScriptedCardHost::AddPass(ScriptedCardPass pass)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->passes.push_back(std::move(pass));
}

void ScriptedCardHost::FailOpen(bool fail)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->failOpen = fail;
}

void ScriptedCardHost::SetOpenHook(std::function<void(const std::string&)> hook)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->openHook = std::move(hook);
}

void ScriptedCardHost::FailAlloc(bool fail)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->failAlloc = fail;
}

void ScriptedCardHost::SetLocalTime(const SYSTEMTIME& time)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->localTime = time;
}

void ScriptedCardHost::SetSleepMilliseconds(uint32_t ms)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->sleepMs = ms;
}

void ScriptedCardHost::SetListGenerator(std::function<std::vector<uint8_t>(int)> generator)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->listGenerator = std::move(generator);
}

void ScriptedCardHost::SetSleepHook(std::function<void(int, int)> hook)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->sleepHook = std::move(hook);
}

void ScriptedCardHost::HoldPauses(bool hold)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    m_state->holdPauses = hold;
    m_state->changed.notify_all();
}

bool ScriptedCardHost::WaitForPause(int pass, uint32_t timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_state->lock);
    return m_state->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                     [&] { return m_state->pausePass >= pass; });
}

void ScriptedCardHost::ReleasePause()
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    ++m_state->releases;
    m_state->changed.notify_all();
}

std::vector<HostCallRecord> ScriptedCardHost::Calls() const
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    return m_state->calls;
}

std::vector<HostCallRecord> ScriptedCardHost::IoCalls() const
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    std::vector<HostCallRecord> io;
    for (const HostCallRecord& r : m_state->calls)
    {
        if (r.call == HostCall::IoControl)
            io.push_back(r);
    }
    return io;
}

std::vector<std::string> ScriptedCardHost::OpenedPaths() const
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    std::vector<std::string> paths;
    for (const HostCallRecord& r : m_state->calls)
    {
        if (r.call == HostCall::Open)
            paths.push_back(r.path);
    }
    return paths;
}

int ScriptedCardHost::OpenDevices() const
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    return m_state->openDevices;
}

int ScriptedCardHost::OutstandingBuffers() const
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    return static_cast<int>(m_state->buffers.size());
}

std::unique_ptr<IDevice> ScriptedCardHost::OpenDevice(const char* path, RunFlagView)
{
    std::function<void(const std::string&)> hook;
    HostCallRecord record{HostCall::Open, path != nullptr ? path : ""};
    {
        std::lock_guard<std::mutex> guard(m_state->lock);
        m_state->calls.push_back(record);
        hook = m_state->openHook;
    }
    if (hook)
        hook(record.path);
    std::lock_guard<std::mutex> guard(m_state->lock);
    if (m_state->failOpen)
        return nullptr;
    ++m_state->openDevices;
    return std::make_unique<ScriptedDevice>(m_state);
}

void* ScriptedCardHost::AllocBuffer(size_t size)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    HostCallRecord record{HostCall::Alloc, {}};
    record.outSize = static_cast<uint32_t>(size);
    m_state->calls.push_back(record);
    if (m_state->failAlloc)
        return nullptr;
    auto* buffer = new (std::nothrow) unsigned char[size];
    if (buffer == nullptr)
        return nullptr;
    // Not zero, unlike fresh pages: a scanner that forgets to clear the buffer
    // before a list request shows up in the record's outZeroed.
    std::memset(buffer, 0xCD, size);
    m_state->buffers[buffer] = size;
    return buffer;
}

void ScriptedCardHost::FreeBuffer(void* buffer, size_t size)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    HostCallRecord record{HostCall::Free, {}};
    record.outSize = static_cast<uint32_t>(size);
    m_state->calls.push_back(record);
    auto it = m_state->buffers.find(buffer);
    if (it == m_state->buffers.end())
        return;
    delete[] static_cast<unsigned char*>(buffer);
    m_state->buffers.erase(it);
}

void ScriptedCardHost::Sleep(uint32_t milliseconds)
{
    std::function<void(int, int)> hook;
    uint32_t realMs;
    int pass;
    int slice;
    {
        std::lock_guard<std::mutex> guard(m_state->lock);
        State& s = *m_state;
        if (s.pausePass != s.pass)
        {
            s.pausePass = s.pass;
            s.slice = 0;
        }
        pass = s.pass;
        slice = ++s.slice;
        HostCallRecord record{HostCall::Sleep, {}};
        record.milliseconds = milliseconds;
        record.pass = pass;
        record.slice = slice;
        s.calls.push_back(record);
        s.clock += milliseconds;
        hook = s.sleepHook;
        realMs = s.sleepMs;
        s.changed.notify_all();
    }
    if (hook)
        hook(pass, slice);
    if (realMs != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(realMs));
    if (slice != 1)
        return;
    std::unique_lock<std::mutex> lock(m_state->lock);
    m_state->changed.wait(lock, [&] { return !m_state->holdPauses || m_state->releases > 0; });
    if (m_state->holdPauses)
        --m_state->releases;
}

uint64_t ScriptedCardHost::TickCount()
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    return m_state->clock;
}

void ScriptedCardHost::GetLocalTime(SYSTEMTIME* time)
{
    std::lock_guard<std::mutex> guard(m_state->lock);
    HostCallRecord record{HostCall::LocalTime, {}};
    m_state->calls.push_back(record);
    *time = m_state->localTime;
    StepOneMillisecond(&m_state->localTime);
}
