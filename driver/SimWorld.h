// The simulated card's radio surroundings: a walk round a block past forty
// access points, and what a card would hear at a given moment of it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scan/NdisTypes.h"

// The walk is a loop round a 300 m by 120 m block at walking pace, so every
// access point comes into range, peaks and fades once per lap. One of them,
// "Quiosco Plaza Mayor", stands right beside the pavement with a strong
// transmitter: the one to track.
constexpr size_t kSimAccessPointCount = 40;
constexpr double kSimWalkSpeed = 1.4;         // metres per second
constexpr double kSimLoopLength = 840.0;      // metres
constexpr int32_t kSimSensitivity = -92;      // dBm; anything weaker goes unheard
constexpr int32_t kSimStrongest = -30;        // dBm; a card reports nothing above
constexpr int32_t kSimWeakest = -95;          // dBm
constexpr size_t kSimTrackedAccessPoint = 9;  // index of the kiosk

// Everything heard at 'elapsedMs' milliseconds into the walk, strongest first,
// at most 'capacity' elements written to 'out'. Returns the count written.
// A pure function of its arguments: the seed only shapes the noise.
size_t SimHear(uint32_t seed, uint64_t elapsedMs, NDIS_WLAN_BSSID* out, size_t capacity);

// The complete record of access point 'index' (< kSimAccessPointCount) with
// the given signal, as the card reports it.
void SimDescribe(size_t index, int32_t rssi, NDIS_WLAN_BSSID* out);

// The signal of access point 'index' at that moment before the card's
// sensitivity and clamping are applied; exposed so tests can follow a walk.
double SimRawSignal(uint32_t seed, size_t index, uint64_t elapsedMs);
