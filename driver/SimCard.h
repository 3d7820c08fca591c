// The simulated card: a device that answers the scanner's requests from the
// simulated walk, with time running from the moment it was opened.
#pragma once

#include <cstdint>
#include <functional>

#include "driver/Device.h"

// Milliseconds from some fixed origin; only differences are used.
using SimClock = std::function<uint64_t()>;

// True for "\\.\KesuSim" in any letter case, as the platform compares device
// names.
bool IsSimulatedDevicePath(const char* path);

class SimCard : public IDevice
{
public:
    static constexpr uint32_t kDefaultSeed = 0x4B657375;
    // Locally administered, so it can't be mistaken for a real card's.
    static const UCHAR kOwnAddress[6];

    // Reads the clock once now and again at every request: each answer is a
    // function of the seed and the milliseconds since construction only.
    explicit SimCard(SimClock clock, uint32_t seed = kDefaultSeed);

    bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) override;

private:
    SimClock m_clock;
    uint64_t m_openedAt;
    uint32_t m_seed;
};
