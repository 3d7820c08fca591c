// Under Wine, a card that is one of the machine's Linux wireless interfaces,
// answered by the native helper shipped beside the program.
#pragma once

#include <cstdint>
#include <memory>

#include "driver/Device.h"

// The helper's file name, beside Kesu.exe.
constexpr const char kLinuxHelperName[] = "kesu-wlan";
// How long one request waits for the helper's answer: well inside a pass.
constexpr uint32_t kLinuxHelperTimeoutMs = 1500;

// The card whose NetworkCards description names the Linux interface, once
// the helper has answered its address request; null outside Wine, without
// such an interface, without the helper, or if the helper doesn't answer.
std::unique_ptr<IDevice> OpenLinuxHelperCard(const char* serviceName);
