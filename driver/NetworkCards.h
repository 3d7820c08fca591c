// The machine's network cards as the registry lists them, looked up by the
// service name the adapter dialog hands over.
#pragma once

#include <string>
#include <vector>

// The "Description" of every NetworkCards subkey whose "ServiceName" is
// 'serviceName' (case aside), in the registry's order.
std::vector<std::string> NetworkCardDescriptions(const char* serviceName);
