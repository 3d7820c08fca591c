// A generic netlink socket with a receive time limit, so a silent kernel
// can't keep the helper past the driver layer's wait.
#include "tools/wlan/NetlinkSocket.h"

#include <linux/netlink.h>
#include <net/if.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>

namespace
{

constexpr size_t kDatagramSize = 64 * 1024;

}  // namespace

NetlinkSocket::NetlinkSocket()
    : m_fd(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_GENERIC)), m_error(0)
{
    if (m_fd < 0)
    {
        m_error = errno;
        return;
    }
    timeval limit = {1, 0};
    ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    sockaddr_nl local = {};
    local.nl_family = AF_NETLINK;
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
    {
        m_error = errno;
        ::close(m_fd);
        m_fd = -1;
    }
}

NetlinkSocket::~NetlinkSocket()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

unsigned NetlinkSocket::InterfaceIndex(const std::string& name)
{
    return ::if_nametoindex(name.c_str());
}

bool NetlinkSocket::Send(const std::vector<uint8_t>& message)
{
    sockaddr_nl kernel = {};
    kernel.nl_family = AF_NETLINK;
    ssize_t sent;
    do
    {
        sent = ::sendto(m_fd, message.data(), message.size(), 0, reinterpret_cast<sockaddr*>(&kernel),
                        sizeof kernel);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(message.size());
}

bool NetlinkSocket::Receive(std::vector<uint8_t>* datagram)
{
    datagram->resize(kDatagramSize);
    ssize_t received;
    do
    {
        received = ::recv(m_fd, datagram->data(), datagram->size(), MSG_TRUNC);
    } while (received < 0 && errno == EINTR);
    // A datagram longer than the buffer would be parsed cut short: refuse it.
    if (received <= 0 || static_cast<size_t>(received) > datagram->size())
        return false;
    datagram->resize(static_cast<size_t>(received));
    return true;
}
