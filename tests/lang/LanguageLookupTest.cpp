// The bounds-checked lookup over language file images, well-formed and not.
#include "app/LanguageLookup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "LanguageImage.h"

namespace
{

const char* Lookup(const std::vector<unsigned char>& image, int index)
{
    return LookupLanguageString(image.data(), image.size(), index);
}

TEST(LanguageLookup, SharedStringAnswersEverySlot)
{
    const uint32_t text = 56 * 4;
    auto image = MakeLanguageImage(std::vector<uint32_t>(56, text), std::string("Hola\0", 5));
    for (int index = 0; index < 56; ++index)
    {
        EXPECT_EQ(Lookup(image, index), reinterpret_cast<const char*>(image.data() + text)) << index;
    }
    EXPECT_STREQ(Lookup(image, 55), "Hola");
}

TEST(LanguageLookup, EmptyStringIsATextNotMissing)
{
    auto image = MakeLanguageImage({8, 9}, std::string("\0x\0", 3));
    EXPECT_NE(Lookup(image, 0), kLanguageMissing);
    EXPECT_STREQ(Lookup(image, 0), "");
    EXPECT_STREQ(Lookup(image, 1), "x");
}

TEST(LanguageLookup, OffsetsAreLittleEndianAndNeedNoAlignment)
{
    // An offset above 255 exercises every byte; the odd start misaligns the slots.
    std::string strings(0x203 - 8, 'a');
    strings += std::string("Canal\0", 6);
    auto image = MakeLanguageImage({0x203, 8}, strings);
    image.insert(image.begin(), 0xEE);
    const unsigned char* base = image.data() + 1;
    const size_t size = image.size() - 1;
    EXPECT_STREQ(LookupLanguageString(base, size, 0), "Canal");
    EXPECT_EQ(LookupLanguageString(base, size, 1), reinterpret_cast<const char*>(base + 8));
}

TEST(LanguageLookup, SlotsOutsideTheImageAreMissing)
{
    auto image = MakeLanguageImage({8, 8}, std::string("ok\0", 3));
    EXPECT_EQ(Lookup(image, 2), kLanguageMissing);  // first bytes of the text, not a slot
    EXPECT_EQ(Lookup(image, 3), kLanguageMissing);  // beyond the image
    EXPECT_EQ(Lookup(image, 1 << 30), kLanguageMissing);
    EXPECT_EQ(Lookup(image, 0x7FFFFFFF), kLanguageMissing);
    EXPECT_EQ(Lookup(image, -1), kLanguageMissing);

    // A slot cut short by the end of the file holds no offset.
    std::vector<unsigned char> truncated = {4, 0, 0, 0, 0, 0, 0};
    EXPECT_STREQ(Lookup(truncated, 0), "");
    EXPECT_EQ(Lookup(truncated, 1), kLanguageMissing);

    EXPECT_EQ(LookupLanguageString(nullptr, 0, 0), kLanguageMissing);
    EXPECT_EQ(LookupLanguageString(image.data(), 3, 0), kLanguageMissing);
}

TEST(LanguageLookup, OffsetsOutsideTheImageAreMissing)
{
    const uint32_t size = 4 * 4 + 2;
    auto image = MakeLanguageImage({size - 1, size, size + 1, 0xFFFFFFFFu}, std::string("z\0", 2));
    EXPECT_STREQ(Lookup(image, 0), "");  // the last byte is the file's final NUL
    EXPECT_EQ(Lookup(image, 1), kLanguageMissing);
    EXPECT_EQ(Lookup(image, 2), kLanguageMissing);
    EXPECT_EQ(Lookup(image, 3), kLanguageMissing);
}

TEST(LanguageLookup, StringRunningToTheEndIsMissing)
{
    auto image = MakeLanguageImage({8, 10}, "okno");
    EXPECT_EQ(Lookup(image, 0), kLanguageMissing);
    EXPECT_EQ(Lookup(image, 1), kLanguageMissing);
    // The slot table itself is bytes like any other: an offset into it finds the
    // next zero byte there.
    auto intoTable = MakeLanguageImage({4, 0x41}, "");
    EXPECT_STREQ(Lookup(intoTable, 0), "A");
}

}  // namespace
