// The scripted card's own promises that scanner tests lean on: answers cut
// to the caller's buffer, passes that follow the scan requests, and an
// honest record of what was asked.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <vector>

#include "driver/ScriptedCard.h"

namespace
{

const std::atomic<int32_t> kRunning{1};

bool Query(IDevice& card, uint32_t oid, void* out, uint32_t outSize)
{
    return card.IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, out, outSize);
}

TEST(ScriptedCard, OverlongListIsCutToTheCallersBuffer)
{
    ScriptedCardHost host;
    ScriptedCardPass pass;
    pass.list = MakeScriptedListOfDistinct(200);
    ASSERT_EQ(pass.list.size(), 4 + 200 * sizeof(NDIS_WLAN_BSSID));
    host.AddPass(pass);
    std::unique_ptr<IDevice> card = host.OpenDevice("\\\\.\\Test", RunFlagView(kRunning));
    ASSERT_TRUE(card);

    std::vector<uint8_t> buffer(kBssidListBufferSize + 256, 0);
    ASSERT_TRUE(Query(*card, OID_802_11_BSSID_LIST_SCAN, nullptr, 0));
    ASSERT_TRUE(Query(*card, OID_802_11_BSSID_LIST, buffer.data(), kBssidListBufferSize));
    EXPECT_EQ(std::memcmp(buffer.data(), pass.list.data(), kBssidListBufferSize), 0);
    for (size_t b = kBssidListBufferSize; b < buffer.size(); ++b)
        ASSERT_EQ(buffer[b], 0);
    ULONG claimed;
    std::memcpy(&claimed, buffer.data(), 4);
    EXPECT_EQ(claimed, 200u);
}

TEST(ScriptedCard, EachScanRequestStartsTheNextScriptedPass)
{
    ScriptedCardHost host;
    ScriptedCardPass first;
    first.list =
        MakeScriptedList({MakeScriptedElement(1, "uno", -60), MakeScriptedElement(1, "uno bis", -70, 0, 52)});
    first.address = {{0x02, 0x11, 0x22, 0x33, 0x44, 0x55}};
    ScriptedCardPass second;
    second.scanOk = false;
    second.listOk = false;
    second.addressOk = false;
    host.AddPass(first);
    host.AddPass(second);
    std::unique_ptr<IDevice> card = host.OpenDevice("\\\\.\\Test", RunFlagView(kRunning));
    uint8_t list[4 + 2 * sizeof(NDIS_WLAN_BSSID)] = {};
    UCHAR mac[6] = {};

    EXPECT_FALSE(Query(*card, OID_802_11_BSSID_LIST, list, sizeof list)) << "no pass before a scan";
    EXPECT_TRUE(Query(*card, OID_802_11_BSSID_LIST_SCAN, nullptr, 0));
    ASSERT_TRUE(Query(*card, OID_802_11_BSSID_LIST, list, sizeof list));
    EXPECT_EQ(std::memcmp(list, first.list.data(), sizeof list), 0);
    ASSERT_TRUE(Query(*card, OID_802_3_CURRENT_ADDRESS, mac, sizeof mac));
    EXPECT_EQ(mac[5], 0x55);

    EXPECT_FALSE(Query(*card, OID_802_11_BSSID_LIST_SCAN, nullptr, 0));
    EXPECT_FALSE(Query(*card, OID_802_11_BSSID_LIST, list, sizeof list));
    EXPECT_FALSE(Query(*card, OID_802_3_CURRENT_ADDRESS, mac, sizeof mac));
    EXPECT_FALSE(Query(*card, OID_802_11_BSSID_LIST_SCAN, nullptr, 0)) << "past the script";
    EXPECT_FALSE(card->IoControl(0x00170006, nullptr, 0, nullptr, 0));

    const std::vector<HostCallRecord> io = host.IoCalls();
    ASSERT_EQ(io.size(), 9u);
    EXPECT_EQ(io[0].pass, -1);
    EXPECT_EQ(io[1].oid, OID_802_11_BSSID_LIST_SCAN);
    EXPECT_EQ(io[1].pass, 0);
    EXPECT_EQ(io[2].oid, OID_802_11_BSSID_LIST);
    EXPECT_EQ(io[2].inSize, 4u);
    EXPECT_EQ(io[2].outSize, sizeof list);
    EXPECT_TRUE(io[2].outZeroed);
    EXPECT_FALSE(io[5].outZeroed) << "the list of pass 0 was still in the buffer";
    EXPECT_EQ(io[7].pass, 2);
    EXPECT_EQ(io[8].code, 0x00170006u);
}

TEST(ScriptedCard, KeepsAccountOfDevicesAndBuffers)
{
    ScriptedCardHost host;
    host.FailOpen(true);
    EXPECT_FALSE(host.OpenDevice("\\\\.\\", RunFlagView(kRunning)));
    host.FailOpen(false);
    std::unique_ptr<IDevice> card = host.OpenDevice("\\\\.\\KesuSim", RunFlagView(kRunning));
    EXPECT_EQ(host.OpenDevices(), 1);
    EXPECT_EQ(host.OpenedPaths(), (std::vector<std::string>{"\\\\.\\", "\\\\.\\KesuSim"}));

    host.FailAlloc(true);
    EXPECT_EQ(host.AllocBuffer(kBssidListBufferSize), nullptr);
    host.FailAlloc(false);
    auto* buffer = static_cast<uint8_t*>(host.AllocBuffer(kBssidListBufferSize));
    ASSERT_NE(buffer, nullptr);
    EXPECT_NE(buffer[0], 0) << "a fresh buffer isn't zero, so forgetting to clear it shows";
    EXPECT_EQ(host.OutstandingBuffers(), 1);
    host.FreeBuffer(buffer, kBssidListBufferSize);
    card.reset();
    EXPECT_EQ(host.OutstandingBuffers(), 0);
    EXPECT_EQ(host.OpenDevices(), 0);
    EXPECT_EQ(host.Calls().back().call, HostCall::CloseDevice);
}

TEST(ScriptedCard, LocalTimeStepsOnAndCarries)
{
    ScriptedCardHost host;
    host.SetLocalTime(SYSTEMTIME{2024, 12, 2, 31, 23, 59, 59, 999});
    SYSTEMTIME a, b;
    host.GetLocalTime(&a);
    host.GetLocalTime(&b);
    EXPECT_EQ(a.wHour, 23);
    EXPECT_EQ(a.wMilliseconds, 999);
    EXPECT_EQ(b.wHour, 0);
    EXPECT_EQ(b.wMinute, 0);
    EXPECT_EQ(b.wSecond, 0);
    EXPECT_EQ(b.wMilliseconds, 0);
}

}  // namespace
