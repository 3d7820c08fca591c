// The helper's reading of nl80211 replies, on messages built to the kernel's
// attribute layout: exact records, and malformed bytes never read past
// (each datagram sits in a vector of its exact size, so the sanitizer sees
// any read beyond it).
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "tests/wlan/Nl80211Script.h"
#include "tests/driver/RecordChecks.h"
#include "tools/wlan/Nl80211.h"

namespace
{

const std::vector<uint8_t> kRates = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
const std::vector<uint8_t> kExtendedRates = {0x30, 0x48, 0x60, 0x6C};

ScriptBss Bss(uint8_t last, const std::string& ssid)
{
    ScriptBss bss;
    const uint8_t mac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, last};
    std::memcpy(bss.mac, mac, 6);
    bss.elements = SsidElement(ssid) + Element(1, kRates) + Element(50, kExtendedRates);
    return bss;
}

std::vector<NDIS_WLAN_BSSID> Parse(const std::vector<std::vector<uint8_t>>& datagrams, ReplyStep last)
{
    ScanDumpParser parser(kScriptFamily);
    for (size_t i = 0; i < datagrams.size(); ++i)
    {
        const ReplyResult result = parser.Feed(datagrams[i].data(), datagrams[i].size());
        EXPECT_EQ(result.step, i + 1 == datagrams.size() ? last : ReplyStep::More) << "datagram " << i;
    }
    return parser.Records();
}

std::string Name(const NDIS_WLAN_BSSID& r)
{
    return std::string(reinterpret_cast<const char*>(r.Ssid), std::min<size_t>(r.SsidLength, 32));
}

TEST(Nl80211ScanDump, TranslatesEachAccessPointExactly)
{
    ScriptBss open = Bss(0x01, "Cafe");
    open.signalMbm = -6500;
    ScriptBss locked = Bss(0x02, std::string(32, 'Z'));
    locked.capability = 0x0011;
    locked.megahertz = 5180;
    locked.signalMbm = -8200;
    ScriptBss hidden = Bss(0x03, "");
    hidden.capability = 0x0011;
    ScriptBss adhoc = Bss(0x04, "Fiesta");
    adhoc.capability = 0x0002;
    adhoc.megahertz = 2462;
    adhoc.elements = SsidElement("Fiesta") + Element(1, {0x82, 0x84}) + Element(6, {0x0A, 0x00});
    adhoc.hasSignalMbm = false;
    adhoc.signalUnspec = 60;
    // Two datagrams, the second ending with the dump's end.
    const auto records = Parse({ScanResultMessage(open) + ScanResultMessage(locked),
                                ScanResultMessage(hidden) + ScanResultMessage(adhoc) + DoneMessage()},
                               ReplyStep::Done);
    ASSERT_EQ(records.size(), 4u);

    const uint8_t mac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x01};
    const NDIS_WLAN_BSSID expected =
        TranslatedRecord(mac, "Cafe", false, -65, Ndis802_11OFDM24, 2412000, kRates.data());
    EXPECT_EQ(std::memcmp(&records[0], &expected, sizeof expected), 0);

    EXPECT_EQ(records[1].SsidLength, 32u);
    EXPECT_EQ(Name(records[1]), std::string(32, 'Z'));
    EXPECT_EQ(records[1].Privacy, 1u);
    EXPECT_EQ(records[1].Rssi, -82);
    EXPECT_EQ(records[1].Configuration.DSConfig, 5180000u);
    EXPECT_EQ(records[1].NetworkTypeInUse, Ndis802_11OFDM5);

    EXPECT_EQ(records[2].SsidLength, 0u) << "a hidden name";
    EXPECT_EQ(records[2].Privacy, 1u);

    EXPECT_EQ(Name(records[3]), "Fiesta");
    EXPECT_EQ(records[3].InfrastructureMode, Ndis802_11IBSS);
    EXPECT_EQ(records[3].Configuration.ATIMWindow, 10u);
    EXPECT_EQ(records[3].Configuration.DSConfig, 2462000u);
    EXPECT_EQ(records[3].NetworkTypeInUse, Ndis802_11DS) << "only 1 and 2 Mb/s";
    EXPECT_EQ(records[3].Rssi, -70) << "quality 60 of 100";
    const uint8_t adhocRates[8] = {0x82, 0x84};
    EXPECT_EQ(std::memcmp(records[3].SupportedRates, adhocRates, 8), 0);
}

TEST(Nl80211ScanDump, FallsBackToBeaconElementsAndSkipsAccessPointsWithoutAddress)
{
    ScriptBss beaconOnly = Bss(0x05, "");
    beaconOnly.hasElements = false;
    beaconOnly.beaconElements = SsidElement("Faro") + Element(1, {0x02, 0x04});
    ScriptBss noAddress = Bss(0x06, "Nadie");
    std::vector<uint8_t> message = ScanResultMessage(noAddress);
    // Turn the BSSID attribute into one of an unknown type.
    const std::vector<uint8_t> pattern = {10, 0, 1, 0};
    auto at = std::search(message.begin(), message.end(), pattern.begin(), pattern.end());
    ASSERT_NE(at, message.end());
    at[2] = 0x7F;
    const auto records = Parse({ScanResultMessage(beaconOnly) + message + DoneMessage()}, ReplyStep::Done);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Name(records[0]), "Faro");
    EXPECT_EQ(records[0].SupportedRates[1], 0x04);
}

TEST(Nl80211ScanDump, KeepsTheFirst157AndReadsToTheEnd)
{
    std::vector<std::vector<uint8_t>> datagrams;
    for (int i = 0; i < 200; ++i)
    {
        ScriptBss bss = Bss(static_cast<uint8_t>(i), "N" + std::to_string(i));
        datagrams.push_back(ScanResultMessage(bss));
    }
    datagrams.push_back(DoneMessage());
    const auto records = Parse(datagrams, ReplyStep::Done);
    ASSERT_EQ(records.size(), 157u);
    EXPECT_EQ(Name(records[156]), "N156");
}

TEST(Nl80211ScanDump, MalformedBytesAreNeverReadPast)
{
    ScriptBss bss = Bss(0x07, "Roto");
    // An element claiming more bytes than the attribute holds: the name is
    // read, the rates after it aren't there.
    bss.elements = SsidElement("Roto") + std::vector<uint8_t>{1, 40, 0x82, 0x84};
    const auto records = Parse({ScanResultMessage(bss)}, ReplyStep::More);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Name(records[0]), "Roto");
    EXPECT_EQ(records[0].SupportedRates[0], 0);

    const std::vector<uint8_t> whole = ScanResultMessage(Bss(0x08, "Corto"));
    for (size_t cut = 0; cut < whole.size(); ++cut)
    {
        // Every truncation: a message longer than the datagram is an error,
        // never a read beyond it.
        const std::vector<uint8_t> part(whole.begin(), whole.begin() + cut);
        ScanDumpParser parser(kScriptFamily);
        const ReplyResult result = parser.Feed(part.data(), part.size());
        EXPECT_NE(result.step, ReplyStep::Done);
        EXPECT_TRUE(parser.Records().empty());
    }

    // An attribute whose length runs past its message: the walk stops there.
    std::vector<uint8_t> message = ScanResultMessage(Bss(0x09, "Largo"));
    const uint16_t huge = 0x7FF0;
    std::memcpy(&message[16 + 4], &huge, 2);
    ScanDumpParser parser(kScriptFamily);
    EXPECT_EQ(parser.Feed(message.data(), message.size()).step, ReplyStep::More);
    EXPECT_TRUE(parser.Records().empty());
}

TEST(Nl80211ScanDump, DbmWinsOverQualityAndATruncatedLaterMessageIsRejected)
{
    ScriptBss both = Bss(0x0A, "Ambos");
    both.signalMbm = -4500;
    both.signalUnspec = 20;
    const auto records = Parse({ScanResultMessage(both)}, ReplyStep::More);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Rssi, -45) << "the driver's dBm, not quality 20 of 100";

    // Cut anywhere in the second message, its header too: the datagram is
    // refused, never read past nor taken as ending where the first did.
    const std::vector<uint8_t> first = ScanResultMessage(Bss(0x0B, "Primero"));
    const std::vector<uint8_t> whole = first + ScanResultMessage(Bss(0x0C, "Segundo"));
    for (size_t cut = first.size() + 1; cut < whole.size(); ++cut)
    {
        const std::vector<uint8_t> part(whole.begin(), whole.begin() + cut);
        ScanDumpParser parser(kScriptFamily);
        EXPECT_EQ(parser.Feed(part.data(), part.size()).step, ReplyStep::Failed) << cut;
    }
}

TEST(Nl80211Replies, ErrorsFamilyAndAddress)
{
    ScanDumpParser parser(kScriptFamily);
    std::vector<uint8_t> d = ErrorMessage(-ENODEV);
    ReplyResult result = parser.Feed(d.data(), d.size());
    EXPECT_EQ(result.step, ReplyStep::Failed);
    EXPECT_EQ(result.error, ENODEV);
    d = DoneMessage(-EBUSY);
    result = parser.Feed(d.data(), d.size());
    EXPECT_EQ(result.step, ReplyStep::Failed);
    EXPECT_EQ(result.error, EBUSY);

    // Codes outside the kernel's range, the lowest one included, are malformed.
    for (int32_t code : {INT32_MIN, 5})
    {
        d = ErrorMessage(code);
        EXPECT_EQ(ParseAckReply(d.data(), d.size()).error, EPROTO) << code;
    }

    d = ErrorMessage(0);
    EXPECT_EQ(ParseAckReply(d.data(), d.size()).step, ReplyStep::Done);
    d = ErrorMessage(-EPERM);
    EXPECT_EQ(ParseAckReply(d.data(), d.size()).error, EPERM);

    uint16_t family = 0;
    d = FamilyReply(0x2A);
    EXPECT_EQ(ParseFamilyReply(d.data(), d.size(), &family).step, ReplyStep::Done);
    EXPECT_EQ(family, 0x2A);

    const uint8_t mac[6] = {0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE};
    uint8_t got[6] = {};
    d = InterfaceReply(mac);
    EXPECT_EQ(ParseInterfaceReply(d.data(), d.size(), kScriptFamily, got).step, ReplyStep::Done);
    EXPECT_EQ(std::memcmp(got, mac, 6), 0);
    EXPECT_EQ(ParseInterfaceReply(d.data(), d.size(), kScriptFamily + 1, got).step, ReplyStep::More)
        << "another family's message";
}

}  // namespace
