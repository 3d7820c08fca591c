// The legacy driver asked first, the other way only when it can't be opened
// or doesn't answer the list request.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/FallbackCard.h"

namespace
{

struct Log
{
    std::vector<std::string> calls;
    int opened = 0;
};

class FakeCard : public IDevice
{
public:
    FakeCard(Log* log, std::string name, bool listOk) : m_log(log), m_name(std::move(name)), m_listOk(listOk)
    {
    }
    ~FakeCard() override { m_log->calls.push_back(m_name + " closed"); }

    bool IoControl(uint32_t code, const void* in, uint32_t inSize, void*, uint32_t) override
    {
        uint32_t oid = 0;
        QueryOid(code, in, inSize, &oid);
        m_log->calls.push_back(m_name + " " + std::to_string(oid));
        return oid != OID_802_11_BSSID_LIST || m_listOk;
    }

private:
    Log* m_log;
    std::string m_name;
    bool m_listOk;
};

bool Ask(IDevice& card, uint32_t oid)
{
    char out[16];
    return card.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, out, sizeof out);
}

CardOpener Other(Log* log, bool opens)
{
    return [log, opens]() -> std::unique_ptr<IDevice> {
        ++log->opened;
        if (!opens)
            return nullptr;
        return std::unique_ptr<IDevice>(new FakeCard(log, "other", true));
    };
}

const std::string kScan = std::to_string(OID_802_11_BSSID_LIST_SCAN);
const std::string kList = std::to_string(OID_802_11_BSSID_LIST);
const std::string kAddress = std::to_string(OID_802_3_CURRENT_ADDRESS);

TEST(FallbackCard, ALegacyDriverThatAnswersIsTheOnlyOneAsked)
{
    Log log;
    auto card =
        OpenWithFallback(std::unique_ptr<IDevice>(new FakeCard(&log, "legacy", true)), Other(&log, true));
    ASSERT_TRUE(card);
    for (int pass = 0; pass < 2; ++pass)
    {
        EXPECT_TRUE(Ask(*card, OID_802_11_BSSID_LIST_SCAN));
        EXPECT_TRUE(Ask(*card, OID_802_11_BSSID_LIST));
        EXPECT_TRUE(Ask(*card, OID_802_3_CURRENT_ADDRESS));
    }
    EXPECT_EQ(log.opened, 0);
    EXPECT_EQ(log.calls.size(), 6u);
}

TEST(FallbackCard, AFailedListSwitchesForGood)
{
    Log log;
    auto card =
        OpenWithFallback(std::unique_ptr<IDevice>(new FakeCard(&log, "legacy", false)), Other(&log, true));
    EXPECT_TRUE(Ask(*card, OID_802_11_BSSID_LIST_SCAN));
    EXPECT_TRUE(Ask(*card, OID_802_11_BSSID_LIST)) << "answered the other way in the same request";
    EXPECT_TRUE(Ask(*card, OID_802_3_CURRENT_ADDRESS));
    EXPECT_TRUE(Ask(*card, OID_802_11_BSSID_LIST_SCAN));
    const std::vector<std::string> expected = {"legacy " + kScan, "legacy " + kList,   "legacy closed",
                                               "other " + kList,  "other " + kAddress, "other " + kScan};
    EXPECT_EQ(log.calls, expected);
    EXPECT_EQ(log.opened, 1);
}

TEST(FallbackCard, WithoutTheOtherWayTheLegacyDriverStays)
{
    Log log;
    auto card =
        OpenWithFallback(std::unique_ptr<IDevice>(new FakeCard(&log, "legacy", false)), Other(&log, false));
    EXPECT_FALSE(Ask(*card, OID_802_11_BSSID_LIST));
    EXPECT_TRUE(Ask(*card, OID_802_3_CURRENT_ADDRESS));
    EXPECT_FALSE(Ask(*card, OID_802_11_BSSID_LIST));
    EXPECT_EQ(log.opened, 2) << "tried again at the next failing list";
    EXPECT_EQ(log.calls.back(), "legacy " + kList);
}

TEST(FallbackCard, ALegacyDriverThatWontOpenLeavesTheOtherWay)
{
    Log log;
    auto card = OpenWithFallback(nullptr, Other(&log, true));
    ASSERT_TRUE(card);
    EXPECT_TRUE(Ask(*card, OID_802_11_BSSID_LIST));
    EXPECT_EQ(log.calls.front(), "other " + kList);
    EXPECT_FALSE(OpenWithFallback(nullptr, Other(&log, false))) << "then the card can't be opened";
    EXPECT_FALSE(OpenWithFallback(nullptr, nullptr));
}

}  // namespace
