// One helper run from request to answer file, over a scripted channel: what
// is asked of nl80211 and what is answered.
#include <gtest/gtest.h>

#include <linux/netlink.h>
#include <linux/nl80211.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "driver/Device.h"
#include "driver/HelperAnswer.h"
#include "tests/wlan/Nl80211Script.h"
#include "tools/wlan/Netlink.h"

namespace
{

ScriptedChannel Channel()
{
    ScriptedChannel channel;
    channel.interfaces["wlan0"] = 3;
    channel.datagrams.push_back(FamilyReply());
    return channel;
}

// Status and payload of an encoded answer.
uint32_t Decode(const std::vector<uint8_t>& answer, std::vector<uint8_t>* payload)
{
    uint32_t status = 0;
    DecodeHelperAnswer(answer.data(), answer.size(), payload, &status);
    return status;
}

bool HasAttribute(const std::vector<uint8_t>& message, uint16_t type, uint32_t value)
{
    bool found = false;
    ForEachAttribute(message.data() + kNetlinkHeader + kGenlHeader,
                     message.size() - kNetlinkHeader - kGenlHeader,
                     [&](uint16_t t, const uint8_t* body, size_t length) {
                         found |= t == type && length == 4 && Read32(body) == value;
                     });
    return found;
}

TEST(HelperRequest, ListAnswersTheRecordsOfTheDump)
{
    ScriptedChannel channel = Channel();
    ScriptBss bss;
    bss.mac[5] = 0x42;
    bss.elements = SsidElement("Casa");
    channel.datagrams.push_back(ScanResultMessage(bss) + DoneMessage());
    std::vector<uint8_t> payload;
    ASSERT_EQ(Decode(AnswerHelperRequest(channel, "list", "wlan0"), &payload), 0u);
    ASSERT_EQ(payload.size(), 4u + 104u);
    EXPECT_EQ(Read32(payload.data()), 1u);
    EXPECT_EQ(payload[4 + 9], 0x42);
    EXPECT_EQ(std::memcmp(&payload[4 + 16], "Casa", 4), 0);

    ASSERT_EQ(channel.sent.size(), 2u);
    const std::vector<uint8_t>& dump = channel.sent[1];
    EXPECT_EQ(Read16(&dump[4]), kScriptFamily);
    EXPECT_EQ(Read16(&dump[6]), NLM_F_REQUEST | NLM_F_DUMP);
    EXPECT_EQ(dump[kNetlinkHeader], NL80211_CMD_GET_SCAN);
    EXPECT_TRUE(HasAttribute(dump, NL80211_ATTR_IFINDEX, 3));
}

TEST(HelperRequest, ScanAndAddress)
{
    ScriptedChannel channel = Channel();
    channel.datagrams.push_back(ErrorMessage(0));
    std::vector<uint8_t> payload;
    EXPECT_EQ(Decode(AnswerHelperRequest(channel, "scan", "wlan0"), &payload), 0u);
    const std::vector<uint8_t>& trigger = channel.sent[1];
    EXPECT_EQ(trigger[kNetlinkHeader], NL80211_CMD_TRIGGER_SCAN);
    EXPECT_EQ(Read16(&trigger[6]), NLM_F_REQUEST | NLM_F_ACK);

    // Without the right to scan the system's own results are still read:
    // the scan fails alone.
    channel = Channel();
    channel.datagrams.push_back(ErrorMessage(-EPERM));
    EXPECT_EQ(Decode(AnswerHelperRequest(channel, "scan", "wlan0"), &payload), static_cast<uint32_t>(EPERM));

    channel = Channel();
    const uint8_t mac[6] = {0x02, 1, 2, 3, 4, 5};
    channel.datagrams.push_back(InterfaceReply(mac));
    ASSERT_EQ(Decode(AnswerHelperRequest(channel, "address", "wlan0"), &payload), 0u);
    EXPECT_EQ(payload, std::vector<uint8_t>(mac, mac + 6));
}

TEST(HelperRequest, FailuresAreAnswersWithTheirErrorNumber)
{
    ScriptedChannel channel = Channel();
    std::vector<uint8_t> payload;
    EXPECT_EQ(Decode(AnswerHelperRequest(channel, "list", "eth9"), &payload), static_cast<uint32_t>(ENODEV));
    EXPECT_TRUE(channel.sent.empty());
    channel = Channel();
    channel.datagrams.push_back(ErrorMessage(-EOPNOTSUPP));
    EXPECT_EQ(Decode(AnswerHelperRequest(channel, "address", "wlan0"), &payload),
              static_cast<uint32_t>(EOPNOTSUPP))
        << "not a wireless interface";
    channel = Channel();
    EXPECT_EQ(Decode(AnswerHelperRequest(channel, "list", "wlan0"), &payload),
              static_cast<uint32_t>(ETIMEDOUT));
    EXPECT_EQ(Decode(AnswerHelperRequest(channel, "erase", "wlan0"), &payload),
              static_cast<uint32_t>(EINVAL));
}

TEST(HelperRequest, AnswerFileAppearsWhole)
{
    char folder[] = "/tmp/kesu-wlan-test-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/a.ans";
    const std::vector<uint8_t> answer = EncodeHelperAnswer(0, reinterpret_cast<const uint8_t*>("abcdef"), 6);
    ASSERT_TRUE(WriteAnswerFile(path, answer));
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(read, answer);
    EXPECT_NE(access((path + ".part").c_str(), F_OK), 0) << "nothing left beside it";
    EXPECT_FALSE(WriteAnswerFile(std::string(folder) + "/missing/a.ans", answer));
    std::remove(path.c_str());
    rmdir(folder);
}

TEST(HelperRequest, PlantedPartFileIsRefusedAndLeftAlone)
{
    char folder[] = "/tmp/kesu-wlan-test-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/answer";
    const std::string victim = std::string(folder) + "/victim";
    const std::vector<uint8_t> answer = EncodeHelperAnswer(0, reinterpret_cast<const uint8_t*>("abcdef"), 6);
    {
        std::ofstream(victim) << "keep";
    }
    auto victimText = [&] {
        std::ifstream in(victim);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    // A link to another file, a dangling link, and a file already there.
    ASSERT_EQ(symlink(victim.c_str(), (path + ".part").c_str()), 0);
    EXPECT_FALSE(WriteAnswerFile(path, answer));
    EXPECT_EQ(victimText(), "keep") << "written through the planted link";
    std::remove((path + ".part").c_str());
    const std::string nowhere = std::string(folder) + "/nowhere";
    ASSERT_EQ(symlink(nowhere.c_str(), (path + ".part").c_str()), 0);
    EXPECT_FALSE(WriteAnswerFile(path, answer));
    EXPECT_NE(access(nowhere.c_str(), F_OK), 0) << "created through the dangling link";
    std::remove((path + ".part").c_str());
    std::rename(victim.c_str(), (path + ".part").c_str());
    EXPECT_FALSE(WriteAnswerFile(path, answer));
    EXPECT_NE(access(path.c_str(), F_OK), 0) << "another's file renamed into place as the answer";
    std::remove((path + ".part").c_str());
    rmdir(folder);
}

}  // namespace
