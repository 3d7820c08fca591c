// The simulated card as the scanner meets it: through IDevice requests only,
// with a fake clock standing in for the time since the device was opened.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "driver/SimCard.h"
#include "driver/SimWorld.h"
#include "tests/driver/RecordChecks.h"

namespace
{

constexpr uint32_t kPassMs = 4000;

struct FakeClock
{
    uint64_t now = 123456789;  // any origin: only the time since opening counts
    SimClock Clock()
    {
        return [this] { return now; };
    }
};

bool Query(IDevice& card, uint32_t oid, void* out, uint32_t outSize)
{
    return card.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, out, outSize);
}

// One list request into a scanner-sized buffer.
std::vector<uint8_t> ListNow(IDevice& card)
{
    std::vector<uint8_t> buffer(kBssidListBufferSize, 0);
    EXPECT_TRUE(Query(card, OID_802_11_BSSID_LIST, buffer.data(), kBssidListBufferSize));
    return buffer;
}

ULONG CountOf(const std::vector<uint8_t>& list)
{
    ULONG n;
    std::memcpy(&n, list.data(), sizeof n);
    return n;
}

NDIS_WLAN_BSSID ElementOf(const std::vector<uint8_t>& list, ULONG i)
{
    NDIS_WLAN_BSSID e;
    std::memcpy(&e, list.data() + 4 + i * sizeof e, sizeof e);
    return e;
}

uint64_t MacKey(const NDIS_WLAN_BSSID& e)
{
    uint64_t key = 0;
    for (UCHAR b : e.MacAddress)
        key = key << 8 | b;
    return key;
}

TEST(SimCard, FirstTwoPassesHearAHandfulOfSaneAccessPoints)
{
    FakeClock clock;
    SimCard card(clock.Clock());
    for (int pass = 0; pass < 2; ++pass)
    {
        EXPECT_TRUE(Query(card, OID_802_11_BSSID_LIST_SCAN, nullptr, 0));
        clock.now += kPassMs;
        const std::vector<uint8_t> list = ListNow(card);
        const ULONG n = CountOf(list);
        EXPECT_GE(n, 4u);
        EXPECT_LE(n, kSimAccessPointCount);
        std::set<uint64_t> macs;
        for (ULONG i = 0; i < n; ++i)
        {
            const NDIS_WLAN_BSSID e = ElementOf(list, i);
            ExpectSaneRecord(e);
            EXPECT_TRUE(macs.insert(MacKey(e)).second) << "address repeated in one answer";
            if (i > 0)
            {
                EXPECT_LE(e.Rssi, ElementOf(list, i - 1).Rssi) << "strongest first";
            }
        }
        // Nothing but zeros after the last element.
        for (size_t b = 4 + n * sizeof(NDIS_WLAN_BSSID); b < list.size(); ++b)
            ASSERT_EQ(list[b], 0);

        UCHAR mac[6] = {};
        ASSERT_TRUE(Query(card, OID_802_3_CURRENT_ADDRESS, mac, sizeof mac));
        EXPECT_EQ(std::memcmp(mac, SimCard::kOwnAddress, 6), 0);
        EXPECT_EQ(mac[0] & 0x03, 0x02) << "locally administered, unicast";
    }
}

// Everything the walk promises shows up within two laps of the block.
TEST(SimCard, WalkRoundTheBlockShowsEveryKindOfNetworkAndATrackableOne)
{
    FakeClock clock;
    SimCard card(clock.Clock());
    std::set<uint64_t> heardEver;
    std::set<uint64_t> heardFirst;
    std::set<uint64_t> heardLast;
    bool encrypted = false, open = false, hidden = false, adHoc = false, fullName = false;
    bool spanishLetters = false;
    std::vector<LONG> kiosk;  // the tracked access point's signal each pass, 0 when unheard
    const uint64_t passes = static_cast<uint64_t>(2 * kSimLoopLength / kSimWalkSpeed * 1000 / kPassMs);
    for (uint64_t pass = 0; pass < passes; ++pass)
    {
        clock.now += kPassMs;
        const std::vector<uint8_t> list = ListNow(card);
        std::set<uint64_t> heard;
        LONG kioskRssi = 0;
        for (ULONG i = 0; i < CountOf(list); ++i)
        {
            const NDIS_WLAN_BSSID e = ElementOf(list, i);
            ExpectSaneRecord(e);
            heard.insert(MacKey(e));
            encrypted |= e.Privacy == 1;
            open |= e.Privacy != 1;
            hidden |= e.SsidLength == 0;
            adHoc |= e.InfrastructureMode == Ndis802_11IBSS;
            fullName |= e.SsidLength == 32;
            for (ULONG c = 0; c < e.SsidLength; ++c)
                spanishLetters |= e.Ssid[c] == 0xF1;  // ñ
            if (e.SsidLength == 19 && std::memcmp(e.Ssid, "Quiosco Plaza Mayor", 19) == 0)
            {
                kioskRssi = e.Rssi;
            }
        }
        if (pass == 0)
            heardFirst = heard;
        if (pass == passes / 4)
            heardLast = heard;
        heardEver.insert(heard.begin(), heard.end());
        kiosk.push_back(kioskRssi);
    }
    EXPECT_EQ(heardEver.size(), kSimAccessPointCount);
    EXPECT_TRUE(encrypted && open && hidden && adHoc && fullName && spanishLetters);

    // Access points come and go: half a lap on, the first ones are out of
    // range and others have come into it.
    for (uint64_t mac : heardFirst)
        EXPECT_EQ(heardLast.count(mac), 0u);
    EXPECT_GE(heardLast.size(), 4u);

    // The kiosk comes up strong, fades away, and comes back on the next lap.
    size_t peak = 0;
    for (size_t i = 0; i < kiosk.size(); ++i)
    {
        if (kiosk[i] != 0 && (kiosk[peak] == 0 || kiosk[i] > kiosk[peak]))
            peak = i;
    }
    ASSERT_NE(kiosk[peak], 0);
    EXPECT_GE(kiosk[peak], -50);
    size_t gone = peak;
    while (gone < kiosk.size() && kiosk[gone] != 0)
        ++gone;
    ASSERT_LT(gone, kiosk.size()) << "the kiosk never fades";
    bool back = false;
    for (size_t i = gone; i < kiosk.size(); ++i)
        back |= kiosk[i] >= -60;
    EXPECT_TRUE(back) << "the walk doesn't come back to the kiosk";
}

TEST(SimCard, AnswersDependOnlyOnSeedAndTimeSinceOpening)
{
    FakeClock early;
    FakeClock late;
    late.now = early.now + 987654;
    SimCard a(early.Clock());
    SimCard b(late.Clock());
    SimCard other(early.Clock(), SimCard::kDefaultSeed + 1);
    bool seedMatters = false;
    for (int pass = 0; pass < 30; ++pass)
    {
        early.now += kPassMs;
        late.now += kPassMs;
        const std::vector<uint8_t> listA = ListNow(a);
        EXPECT_EQ(listA, ListNow(b)) << "pass " << pass;
        EXPECT_EQ(listA, ListNow(a)) << "asking again at the same moment";
        seedMatters |= listA != ListNow(other);
    }
    EXPECT_TRUE(seedMatters);
}

TEST(SimCard, RefusesWhatADriverWouldRefuse)
{
    FakeClock clock;
    SimCard card(clock.Clock());
    clock.now += kPassMs;
    uint8_t out[kBssidListBufferSize] = {};
    uint32_t oid = OID_802_11_BSSID_LIST;

    EXPECT_FALSE(card.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS + 4, &oid, 4, out, sizeof out));
    EXPECT_FALSE(card.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, nullptr, 4, out, sizeof out));
    EXPECT_FALSE(card.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 3, out, sizeof out));
    uint8_t longInput[8] = {};
    std::memcpy(longInput, &oid, 4);
    EXPECT_FALSE(card.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, longInput, 8, out, sizeof out));
    EXPECT_FALSE(Query(card, 0x0D010101, out, sizeof out)) << "an identifier it doesn't know";
    EXPECT_FALSE(Query(card, OID_802_11_BSSID_LIST, out, 3));
    EXPECT_FALSE(Query(card, OID_802_11_BSSID_LIST, nullptr, sizeof out));
    EXPECT_FALSE(Query(card, OID_802_3_CURRENT_ADDRESS, out, 5));
    EXPECT_FALSE(Query(card, OID_802_3_CURRENT_ADDRESS, nullptr, 6));
    for (uint8_t b : out)
        ASSERT_EQ(b, 0) << "a refused request wrote into the buffer";
}

TEST(SimCard, ListIntoASmallBufferHoldsWhatFitsAndWritesNoFurther)
{
    FakeClock clock;
    SimCard card(clock.Clock());
    clock.now += kPassMs;
    const uint32_t room = 4 + 2 * sizeof(NDIS_WLAN_BSSID);
    std::vector<uint8_t> buffer(room + 64, 0xAB);
    ASSERT_TRUE(Query(card, OID_802_11_BSSID_LIST, buffer.data(), room));
    ULONG n;
    std::memcpy(&n, buffer.data(), 4);
    EXPECT_EQ(n, 2u);
    for (size_t b = room; b < buffer.size(); ++b)
        ASSERT_EQ(buffer[b], 0xAB);

    // Only the count fits: an empty list, not a failure.
    uint8_t header[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    ASSERT_TRUE(Query(card, OID_802_11_BSSID_LIST, header, sizeof header));
    EXPECT_EQ(header[0] | header[1] | header[2] | header[3], 0);
}

TEST(SimCard, RecognisesItsDevicePathAsThePlatformComparesNames)
{
    EXPECT_TRUE(IsSimulatedDevicePath("\\\\.\\KesuSim"));
    EXPECT_TRUE(IsSimulatedDevicePath("\\\\.\\KESUSIM"));
    EXPECT_FALSE(IsSimulatedDevicePath("\\\\.\\KesuSim2"));
    EXPECT_FALSE(IsSimulatedDevicePath("\\\\.\\KesuSi"));
    EXPECT_FALSE(IsSimulatedDevicePath("KesuSim"));
    EXPECT_FALSE(IsSimulatedDevicePath("\\\\?\\KesuSim"));
    EXPECT_FALSE(IsSimulatedDevicePath("\\\\.\\"));
    EXPECT_FALSE(IsSimulatedDevicePath(nullptr));
}

}  // namespace
