// A stand-in for kesu-wlan: the real helper's request handling and answer
// file, over a scripted channel that hears the canned networks on the
// interface kesutest0. Started by Kesu.exe under Wine as the real one is.
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/wlan/CannedNetworks.h"
#include "tests/wlan/Nl80211Script.h"

int main(int argc, char** argv)
{
    if (argc != 4)
        return 64;
    const std::string word = argv[1];
    ScriptedChannel channel;
    channel.interfaces[kStandInInterface] = 7;
    channel.datagrams.push_back(FamilyReply());
    if (word == "address")
    {
        channel.datagrams.push_back(InterfaceReply(kStandInHelperAddress));
    }
    else if (word == "scan")
    {
        channel.datagrams.push_back(ErrorMessage(0));
    }
    else
    {
        std::vector<uint8_t> datagram;
        for (const CannedNetwork& n : kCannedNetworks)
        {
            ScriptBss bss;
            std::memcpy(bss.mac, n.mac, 6);
            bss.megahertz = n.frequencyKhz / 1000;
            bss.capability = static_cast<uint16_t>((n.adhoc ? 0x0002 : 0x0001) | (n.privacy ? 0x0010 : 0));
            bss.signalMbm = n.rssi * 100;
            bss.elements = SsidElement(n.ssid) + Element(1, {0x82, 0x84, 0x8B, 0x96});
            datagram = datagram + ScanResultMessage(bss);
        }
        channel.datagrams.push_back(datagram + DoneMessage());
    }
    return WriteAnswerFile(argv[3], AnswerHelperRequest(channel, word, argv[2])) ? 0 : 1;
}
