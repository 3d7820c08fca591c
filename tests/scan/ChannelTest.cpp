// Channel numbers from the centre frequencies drivers report, and the values left as they are.
#include <gtest/gtest.h>

#include <string>

#include "scan/Channel.h"

namespace
{

std::string Cell(uint32_t dsConfig)
{
    char text[32];
    FormatChannelCell(dsConfig, text, sizeof text);
    return text;
}

}  // namespace

TEST(Channel, KnownCentreFrequenciesGiveTheChannelPeopleName)
{
    struct Case
    {
        uint32_t khz;
        ChannelBand band;
        int number;
        const char* cell;
    } const cases[] = {
        {2412000, ChannelBand::Ghz24, 1, "1"},          {2437000, ChannelBand::Ghz24, 6, "6"},
        {2472000, ChannelBand::Ghz24, 13, "13"},        {2484000, ChannelBand::Ghz24, 14, "14"},
        {4940000, ChannelBand::Ghz49, 188, "188"},      {5180000, ChannelBand::Ghz5, 36, "36"},
        {5745000, ChannelBand::Ghz5, 149, "149"},       {5885000, ChannelBand::Ghz5, 177, "177"},
        {5935000, ChannelBand::Ghz6, 2, "2 (6 GHz)"},   {5955000, ChannelBand::Ghz6, 1, "1 (6 GHz)"},
        {6115000, ChannelBand::Ghz6, 33, "33 (6 GHz)"}, {7115000, ChannelBand::Ghz6, 233, "233 (6 GHz)"},
    };
    for (const Case& c : cases)
    {
        const Channel channel = ChannelOfDsConfig(c.khz);
        EXPECT_EQ(c.band, channel.band) << c.khz;
        EXPECT_EQ(c.number, channel.number) << c.khz;
        EXPECT_EQ(c.cell, Cell(c.khz)) << c.khz;
    }
}

TEST(Channel, AnythingElseIsShownAsTheDriverGaveIt)
{
    // A legacy driver's channel number, zero, off-grid and out-of-band values, and one
    // above INT_MAX, which reads as it always did.
    const uint32_t values[] = {6, 0, 2413000, 2437500, 2477000, 2500000, 5000000, 7120000, 3000000000u};
    for (uint32_t khz : values)
    {
        EXPECT_EQ(ChannelBand::Unknown, ChannelOfDsConfig(khz).band) << khz;
        EXPECT_EQ(std::to_string(static_cast<int>(khz)), Cell(khz)) << khz;
    }
    char tiny[3];
    FormatChannelCell(5955000, tiny, sizeof tiny);
    EXPECT_STREQ("1 ", tiny) << "cut to the buffer";
}
