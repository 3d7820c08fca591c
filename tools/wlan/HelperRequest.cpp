// The helper's requests: resolve the nl80211 family, ask, read replies.
#include "tools/wlan/HelperRequest.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "driver/BssidRecord.h"
#include "driver/HelperAnswer.h"
#include "tools/wlan/Nl80211.h"

namespace
{

// A dump of a few hundred access points is some tens of datagrams; a bound
// keeps a confused peer from holding the helper for ever.
constexpr int kMaxDatagrams = 4096;

std::vector<uint8_t> Failure(int error)
{
    return EncodeHelperAnswer(static_cast<uint32_t>(error > 0 ? error : EPROTO), nullptr, 0);
}

// Reads datagrams into 'parse' until it decides.
template <class Parse>
ReplyResult Converse(Nl80211Channel& channel, const std::vector<uint8_t>& request, Parse parse)
{
    if (!channel.Send(request))
        return {ReplyStep::Failed, EIO};
    std::vector<uint8_t> datagram;
    for (int i = 0; i < kMaxDatagrams; ++i)
    {
        if (!channel.Receive(&datagram))
            return {ReplyStep::Failed, ETIMEDOUT};
        const ReplyResult result = parse(datagram);
        if (result.step != ReplyStep::More)
            return result;
    }
    return {ReplyStep::Failed, EPROTO};
}

}  // namespace

std::vector<uint8_t> AnswerHelperRequest(Nl80211Channel& channel, const std::string& word,
                                         const std::string& interfaceName)
{
    if (word != "scan" && word != "list" && word != "address")
        return Failure(EINVAL);
    const unsigned ifindex = channel.InterfaceIndex(interfaceName);
    if (ifindex == 0)
        return Failure(ENODEV);
    uint16_t family = 0;
    ReplyResult result = Converse(channel, BuildFamilyRequest(1), [&](const std::vector<uint8_t>& d) {
        return ParseFamilyReply(d.data(), d.size(), &family);
    });
    if (result.step != ReplyStep::Done)
        return Failure(result.error);

    if (word == "address")
    {
        uint8_t mac[6] = {};
        result = Converse(channel, BuildGetInterface(family, 2, ifindex), [&](const std::vector<uint8_t>& d) {
            return ParseInterfaceReply(d.data(), d.size(), family, mac);
        });
        return result.step == ReplyStep::Done ? EncodeHelperAnswer(0, mac, sizeof mac)
                                              : Failure(result.error);
    }
    if (word == "scan")
    {
        result = Converse(channel, BuildTriggerScan(family, 2, ifindex),
                          [](const std::vector<uint8_t>& d) { return ParseAckReply(d.data(), d.size()); });
        return result.step == ReplyStep::Done ? EncodeHelperAnswer(0, nullptr, 0) : Failure(result.error);
    }
    ScanDumpParser dump(family);
    result = Converse(channel, BuildGetScan(family, 2, ifindex),
                      [&](const std::vector<uint8_t>& d) { return dump.Feed(d.data(), d.size()); });
    if (result.step != ReplyStep::Done)
        return Failure(result.error);
    std::vector<uint8_t> list(kBssidListBufferSize);
    BssidListWriter writer(list.data(), list.size());
    for (const NDIS_WLAN_BSSID& record : dump.Records())
        writer.Add(record);
    list.resize(offsetof(NDIS_802_11_BSSID_LIST, Bssid) + writer.Count() * sizeof(NDIS_WLAN_BSSID));
    return EncodeHelperAnswer(0, list.data(), list.size());
}

bool WriteAnswerFile(const std::string& path, const std::vector<uint8_t>& answer)
{
    const std::string part = path + ".part";
    // Made new and never through a link: a .part planted beforehand (a link to
    // another file, say) is refused rather than written through.
    const int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    size_t written = 0;
    while (written < answer.size())
    {
        const ssize_t n = ::write(fd, answer.data() + written, answer.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += static_cast<size_t>(n);
    }
    const bool closed = ::close(fd) == 0;
    if (written != answer.size() || !closed || std::rename(part.c_str(), path.c_str()) != 0)
    {
        ::unlink(part.c_str());
        return false;
    }
    return true;
}
