// Maker lookups: the generator's table from a fixture in the registries' own
// CSV, the longest-prefix rule, the address bits that mean no maker, a damaged
// table, and known prefixes of each size in the table the program carries.
#include "scan/MakerTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

extern const unsigned char kFixtureMakers[];
extern const size_t kFixtureMakersSize;

namespace
{

std::string NameOf(const CMakerTable& table, std::vector<UCHAR> mac)
{
    const Maker maker = table.Lookup(mac.data());
    return maker.kind == MakerKind::Known ? maker.name : maker.kind == MakerKind::Random ? "<random>" : "";
}

TEST(MakerTable, FixtureLongestPrefixWinsAndNamesKeepTheirText)
{
    const CMakerTable table(kFixtureMakers, kFixtureMakersSize);
    EXPECT_EQ(8u, table.PrefixCount());
    // One block in all three registries: 36 bits beat 28, 28 beat 24.
    EXPECT_EQ("Small Maker S.L.", NameOf(table, {0x00, 0x1b, 0xc5, 0x00, 0x9a, 0xbc}));
    EXPECT_EQ("Next Small", NameOf(table, {0x00, 0x1b, 0xc5, 0x00, 0xaf, 0xff}));
    EXPECT_EQ("Medium Maker", NameOf(table, {0x00, 0x1b, 0xc5, 0x00, 0x8a, 0xbc}));
    EXPECT_EQ("Medium Maker", NameOf(table, {0x00, 0x1b, 0xc5, 0x0f, 0xff, 0xff}));
    EXPECT_EQ("Large Block Owner", NameOf(table, {0x00, 0x1b, 0xc5, 0x10, 0x00, 0x00}));
    // Quoting undone, spaces folded, Windows-1252 kept, the rest plain or '?'.
    EXPECT_EQ("Quotes \"and\", commas", NameOf(table, {0x00, 0xd0, 0xef, 0x01, 0x02, 0x03}));
    EXPECT_EQ("Doro AB", NameOf(table, {0x98, 0xba, 0x39, 0, 0, 0}));
    EXPECT_EQ("A\xe7ubit ? \xd8st", NameOf(table, {0x5c, 0xfa, 0xfb, 0, 0, 0}));
    // Unknown prefixes, on either side of every record and inside no block.
    EXPECT_EQ("", NameOf(table, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ("", NameOf(table, {0x00, 0x1b, 0xc4, 0xff, 0xff, 0xff}));
    EXPECT_EQ("", NameOf(table, {0xfc, 0xff, 0xff, 0xff, 0xff, 0xff}));
}

TEST(MakerTable, LocallyAdministeredIsRandomAndMulticastIsNobody)
{
    const CMakerTable table(kFixtureMakers, kFixtureMakersSize);
    // 01:00:5e is listed, but a group address names no device's maker.
    EXPECT_EQ("", NameOf(table, {0x01, 0x00, 0x5e, 0x00, 0x00, 0x01}));
    EXPECT_EQ("<random>", NameOf(table, {0x02, 0x1b, 0xc5, 0x00, 0x9a, 0xbc}));
    EXPECT_EQ("<random>", NameOf(table, {0xda, 0xa1, 0x19, 0x00, 0x00, 0x00}));
}

TEST(MakerTable, DamagedTableReadsAsEmpty)
{
    std::vector<unsigned char> blob(kFixtureMakers, kFixtureMakers + kFixtureMakersSize);
    const std::vector<UCHAR> known = {0x00, 0x1b, 0xc5, 0x00, 0x9a, 0xbc};
    for (size_t cut : {size_t{0}, size_t{15}, blob.size() - 1})
        EXPECT_EQ(0u, CMakerTable(blob.data(), cut).PrefixCount()) << cut;
    blob[0] = 0xff;  // more 24-bit prefixes than the blob can hold
    EXPECT_EQ("", NameOf(CMakerTable(blob.data(), blob.size()), known));
    blob[0] = kFixtureMakers[0];
    blob.back() = 'x';  // the last name would run off the end
    EXPECT_EQ("", NameOf(CMakerTable(blob.data(), blob.size()), known));
}

TEST(MakerTable, ProgramTableKnowsEachRegistry)
{
    const CMakerTable& table = BuiltInMakers();
    EXPECT_GT(table.PrefixCount(), 40000u);
    EXPECT_EQ("Apple, Inc.", NameOf(table, {0x60, 0x8b, 0x0e, 0x12, 0x34, 0x56}));
    EXPECT_EQ("Revl Inc.", NameOf(table, {0x74, 0x1a, 0xe0, 0x45, 0x67, 0x89}));
    EXPECT_EQ("TELEPLATFORMS", NameOf(table, {0x70, 0xb3, 0xd5, 0xf2, 0xf1, 0x23}));
    EXPECT_EQ("IEEE Registration Authority", NameOf(table, {0x74, 0x1a, 0xe0, 0xf0, 0x00, 0x00}));
}

}  // namespace
