// Under Wine, a card that is one of the machine's Linux wireless interfaces,
// answered by the native helper shipped beside the program.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "driver/Device.h"

// The helper's file name, beside Kesu.exe.
constexpr const char kLinuxHelperName[] = "kesu-wlan";
// How long one request waits for the helper's answer: well inside a pass.
constexpr uint32_t kLinuxHelperTimeoutMs = 1500;

// The card whose NetworkCards description names the Linux interface, once
// the helper has answered its address request; null outside Wine, without
// such an interface, without the helper, or if the helper doesn't answer.
// Its answer files go to a folder of this run's own under the temporary
// folder. A request gives up waiting for its answer once 'running' reads 0.
std::unique_ptr<IDevice> OpenLinuxHelperCard(const char* serviceName, RunFlagView running);

// What OpenLinuxHelperCard finds on the machine, given directly (tests).
struct LinuxHelperSetup
{
    std::string helper;         // the helper program's Windows path
    std::string interfaceName;  // the Linux interface it is asked about
    std::string answerFolder;   // an existing folder, ending in a backslash
    uint32_t timeoutMs = kLinuxHelperTimeoutMs;
};
std::unique_ptr<IDevice> OpenLinuxHelperCardWith(const LinuxHelperSetup& setup, RunFlagView running);
