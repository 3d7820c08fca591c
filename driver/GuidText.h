// A card's service name read as the GUID it names, as the platform keeps
// GUIDs in memory.
#pragma once

#include <cstdint>

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in either letter case into the 16
// bytes of a GUID (first three fields little-endian); false for anything else.
bool ParseGuidText(const char* text, uint8_t guid[16]);
