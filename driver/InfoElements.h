// The information elements that access points send in their beacons: a walk
// over the element bytes that never reads past them, and the few elements the
// driver layer takes values from.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint8_t kElementSsid = 0;
constexpr uint8_t kElementSupportedRates = 1;
constexpr uint8_t kElementIbssParameters = 6;
constexpr uint8_t kElementExtendedRates = 50;

// The body of the first complete element with 'id'; false if there is none.
// An element whose stated length runs past the end ends the walk there.
bool FindInfoElement(const uint8_t* elements, size_t size, uint8_t id, const uint8_t** body, size_t* length);

// The first eight rates the access point offers, supported rates first, then
// extended rates, each byte as sent (500 kb/s units, 0x80 marking a basic
// rate); unused bytes zero. Returns how many were found (at most 8).
size_t RatesFromInfoElements(const uint8_t* elements, size_t size, uint8_t rates[8]);
