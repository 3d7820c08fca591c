// nl80211 replies built byte for byte to the kernel's attribute layout, and
// a channel that answers the helper from a script of them: for the parsing
// tests, the fuzz seeds and the stand-in helper.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "tools/wlan/HelperRequest.h"

constexpr uint16_t kScriptFamily = 0x1C;

// Information elements: id, length, body.
std::vector<uint8_t> Element(uint8_t id, const std::vector<uint8_t>& body);
std::vector<uint8_t> SsidElement(const std::string& ssid);
std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b);

struct ScriptBss
{
    uint8_t mac[6] = {};
    uint32_t megahertz = 2412;
    uint16_t capability = 0x0001;
    bool hasSignalMbm = true;
    int32_t signalMbm = -5000;
    int signalUnspec = -1;  // 0 to 100, or -1 for none
    uint16_t beaconInterval = 100;
    std::vector<uint8_t> elements;
    bool hasElements = true;
    std::vector<uint8_t> beaconElements;  // sent only when not empty
};

std::vector<uint8_t> ScanResultMessage(const ScriptBss& bss, uint16_t family = kScriptFamily);
std::vector<uint8_t> DoneMessage(int32_t error = 0);
std::vector<uint8_t> ErrorMessage(int32_t error);  // negative errno, or 0 for an acknowledgement
std::vector<uint8_t> FamilyReply(uint16_t family = kScriptFamily);
std::vector<uint8_t> InterfaceReply(const uint8_t mac[6], uint16_t family = kScriptFamily);

// Answers each request with the datagrams queued for it, in order.
class ScriptedChannel : public Nl80211Channel
{
public:
    std::map<std::string, unsigned> interfaces;
    std::deque<std::vector<uint8_t>> datagrams;
    std::vector<std::vector<uint8_t>> sent;

    unsigned InterfaceIndex(const std::string& name) override;
    bool Send(const std::vector<uint8_t>& message) override;
    bool Receive(std::vector<uint8_t>* datagram) override;
};
