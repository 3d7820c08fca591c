// The spanish.lng that the build generates: layout, encoding and coverage.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "LanguageImage.h"
#include "app/LanguageLookup.h"

namespace
{

const int kSlots = 78;
const int kUsed[] = {30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 45, 46, 47, 48, 49, 50, 51,
                     52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 70, 71, 72, 73, 74, 75, 76, 77};

class SpanishLng : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::ifstream file(SpanishLngPath(), std::ios::binary);
        ASSERT_TRUE(file) << SpanishLngPath();
        image_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        ASSERT_GE(image_.size(), size_t{kSlots * 4});
    }
    uint32_t Offset(int index) const
    {
        const unsigned char* slot = image_.data() + 4 * index;
        return slot[0] | slot[1] << 8 | slot[2] << 16 | static_cast<uint32_t>(slot[3]) << 24;
    }
    const char* Text(int index) const { return LookupLanguageString(image_.data(), image_.size(), index); }
    std::vector<unsigned char> image_;
};

TEST_F(SpanishLng, EverySlotPointsAtATerminatedStringPastTheTable)
{
    for (int index = 0; index < kSlots; ++index)
    {
        const uint32_t offset = Offset(index);
        EXPECT_GE(offset, uint32_t{kSlots * 4}) << index;
        ASSERT_LT(offset, image_.size()) << index;
        EXPECT_NE(Text(index), kLanguageMissing) << index;
    }
    EXPECT_EQ(image_.back(), 0);  // no stray bytes after the last string
}

TEST_F(SpanishLng, EveryUsedIndexHasAText)
{
    for (int index : kUsed)
    {
        EXPECT_STRNE(Text(index), "") << index;
    }
}

TEST_F(SpanishLng, TextsAreWindows1252)
{
    EXPECT_STREQ(Text(40), "Canal");
    EXPECT_STREQ(Text(41), "Se\xF1"
                           "al");
    EXPECT_STREQ(Text(37), "Direcci\xF3n MAC");
    for (size_t at = kSlots * 4; at < image_.size(); ++at)
    {
        const unsigned char c = image_[at];
        // Code points Windows-1252 leaves undefined, and the lead bytes UTF-8 would
        // leave behind for Spanish letters.
        EXPECT_TRUE(c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) << at;
        EXPECT_TRUE(c != 0xC2 && c != 0xC3) << at;
    }
}

}  // namespace
