// A card reached through the platform's Native Wi-Fi API, for the drivers
// that don't answer the legacy requests. The API's library is loaded at run
// time, so the program still starts where it is missing.
#pragma once

#include <memory>

#include "driver/Device.h"

// The Native Wi-Fi interface whose GUID is 'serviceName'; null if the
// library, its service or such an interface isn't there.
std::unique_ptr<IDevice> OpenNativeWifiCard(const char* serviceName);
