// Building the scripted replies with the helper's own message writer.
#include "tests/wlan/Nl80211Script.h"

#include <linux/genetlink.h>
#include <linux/netlink.h>
#include <linux/nl80211.h>

#include <cstring>

#include "tools/wlan/Netlink.h"

std::vector<uint8_t> Element(uint8_t id, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> out = {id, static_cast<uint8_t>(body.size())};
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<uint8_t> SsidElement(const std::string& ssid)
{
    return Element(0, std::vector<uint8_t>(ssid.begin(), ssid.end()));
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<uint8_t> ScanResultMessage(const ScriptBss& bss, uint16_t family)
{
    NetlinkRequest message(family, NLM_F_MULTI, 2, NL80211_CMD_NEW_SCAN_RESULTS, 1);
    message.PutU32(NL80211_ATTR_GENERATION, 7);
    message.PutU32(NL80211_ATTR_IFINDEX, 3);
    const size_t nested = message.Open(NL80211_ATTR_BSS);
    message.PutBytes(NL80211_BSS_BSSID, bss.mac, 6);
    message.PutU32(NL80211_BSS_FREQUENCY, bss.megahertz);
    message.PutBytes(NL80211_BSS_BEACON_INTERVAL, &bss.beaconInterval, 2);
    message.PutBytes(NL80211_BSS_CAPABILITY, &bss.capability, 2);
    if (bss.hasElements)
        message.PutBytes(NL80211_BSS_INFORMATION_ELEMENTS, bss.elements.data(), bss.elements.size());
    if (!bss.beaconElements.empty())
        message.PutBytes(NL80211_BSS_BEACON_IES, bss.beaconElements.data(), bss.beaconElements.size());
    if (bss.hasSignalMbm)
        message.PutU32(NL80211_BSS_SIGNAL_MBM, static_cast<uint32_t>(bss.signalMbm));
    if (bss.signalUnspec >= 0)
    {
        const auto quality = static_cast<uint8_t>(bss.signalUnspec);
        message.PutBytes(NL80211_BSS_SIGNAL_UNSPEC, &quality, 1);
    }
    message.Close(nested);
    return message.Bytes();
}

namespace
{

std::vector<uint8_t> Control(uint16_t type, int32_t error)
{
    std::vector<uint8_t> out(kNetlinkHeader + 4 + (type == NLMSG_ERROR ? kNetlinkHeader : 0), 0);
    const auto length = static_cast<uint32_t>(out.size());
    std::memcpy(&out[0], &length, 4);
    std::memcpy(&out[4], &type, 2);
    std::memcpy(&out[kNetlinkHeader], &error, 4);
    return out;
}

}  // namespace

std::vector<uint8_t> DoneMessage(int32_t error)
{
    return Control(NLMSG_DONE, error);
}

std::vector<uint8_t> ErrorMessage(int32_t error)
{
    return Control(NLMSG_ERROR, error);
}

std::vector<uint8_t> FamilyReply(uint16_t family)
{
    NetlinkRequest message(GENL_ID_CTRL, 0, 1, CTRL_CMD_NEWFAMILY, 2);
    message.PutBytes(CTRL_ATTR_FAMILY_NAME, "nl80211", 8);
    message.PutBytes(CTRL_ATTR_FAMILY_ID, &family, 2);
    message.PutU32(CTRL_ATTR_VERSION, 1);
    return message.Bytes();
}

std::vector<uint8_t> InterfaceReply(const uint8_t mac[6], uint16_t family)
{
    NetlinkRequest message(family, 0, 2, NL80211_CMD_NEW_INTERFACE, 1);
    message.PutU32(NL80211_ATTR_IFINDEX, 3);
    message.PutBytes(NL80211_ATTR_IFNAME, "wlan0", 6);
    message.PutBytes(NL80211_ATTR_MAC, mac, 6);
    return message.Bytes();
}

unsigned ScriptedChannel::InterfaceIndex(const std::string& name)
{
    const auto it = interfaces.find(name);
    return it == interfaces.end() ? 0 : it->second;
}

bool ScriptedChannel::Send(const std::vector<uint8_t>& message)
{
    sent.push_back(message);
    return true;
}

bool ScriptedChannel::Receive(std::vector<uint8_t>* datagram)
{
    if (datagrams.empty())
        return false;
    *datagram = datagrams.front();
    datagrams.pop_front();
    return true;
}
