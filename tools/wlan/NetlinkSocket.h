// The kernel's generic netlink socket as the helper's nl80211 channel.
#pragma once

#include "tools/wlan/HelperRequest.h"

class NetlinkSocket : public Nl80211Channel
{
public:
    // Opens the socket; Ok() says whether it did.
    NetlinkSocket();
    ~NetlinkSocket() override;
    NetlinkSocket(const NetlinkSocket&) = delete;
    NetlinkSocket& operator=(const NetlinkSocket&) = delete;

    bool Ok() const { return m_fd >= 0; }
    int Error() const { return m_error; }

    unsigned InterfaceIndex(const std::string& name) override;
    bool Send(const std::vector<uint8_t>& message) override;
    bool Receive(std::vector<uint8_t>* datagram) override;

private:
    int m_fd;
    int m_error;
};
