// List file records: round trip, cut files, crafted lengths, allocation failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "scan/ListFile.h"
#include "tests/scan/TestLists.h"

namespace
{

class MemoryReader : public IListFileReader
{
public:
    explicit MemoryReader(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}
    size_t Read(void* buffer, size_t size) override
    {
        const size_t n = std::min(size, m_bytes.size() - m_pos);
        if (n)
            std::memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    uint64_t Remaining() const override { return m_bytes.size() - m_pos; }

private:
    std::vector<unsigned char> m_bytes;
    size_t m_pos = 0;
};

class MemoryWriter : public IListFileWriter
{
public:
    bool Write(const void* buffer, size_t size) override
    {
        if (m_failAfter >= 0 && static_cast<long>(bytes.size() + size) > m_failAfter)
            return false;
        const auto* p = static_cast<const unsigned char*>(buffer);
        bytes.insert(bytes.end(), p, p + size);
        return true;
    }
    std::vector<unsigned char> bytes;
    long m_failAfter = -1;
};

NDIS_WLAN_BSSID Record(unsigned char macTail, const char* ssid, LONG rssi)
{
    NDIS_WLAN_BSSID r;
    std::memset(&r, 0, sizeof r);
    r.Length = sizeof r;
    const unsigned char mac[6] = {0x00, 0x0a, 0x1b, 0x2c, 0x3d, macTail};
    std::memcpy(r.MacAddress, mac, 6);
    r.SsidLength = static_cast<ULONG>(std::strlen(ssid));
    std::memcpy(r.Ssid, ssid, r.SsidLength);
    r.Privacy = 1;
    r.Rssi = rssi;
    r.Configuration.DSConfig = 2437000;
    r.InfrastructureMode = Ndis802_11Infrastructure;
    return r;
}

void AppendRecord(std::vector<unsigned char>& out, const NDIS_WLAN_BSSID& r, int32_t length,
                  const std::string& text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(&r);
    out.insert(out.end(), p, p + sizeof r);
    const uint32_t bits = static_cast<uint32_t>(length);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(bits >> (8 * i)));
    out.insert(out.end(), text.begin(), text.end());
}

ListFileLoad Load(std::vector<unsigned char> bytes, IListFileAllocator* pAllocator = nullptr)
{
    MemoryReader reader(std::move(bytes));
    return LoadListFile(reader, pAllocator);
}

TEST(ListFile, RoundTripKeepsRecordsOrderAndAnnotations)
{
    CEntryList list;
    CEntryListBuilder builder(list);
    CNetworkEntry& a = builder.AppendNew();
    CNetworkEntry& b = builder.AppendNew();
    CNetworkEntry& c = builder.AppendNew();
    a.m_bssid = Record(1, "Casa", -40);
    b.m_bssid = Record(2, "", 0);
    c.m_bssid = Record(3, "Biblioteca Muñoz", -77);
    a.m_strAnnotation = "junto a la ventana";
    c.m_strAnnotation = std::string(3000, 'x');
    a.m_bSeen = 1;
    a.m_timeFirstSeen.wYear = 2026;

    MemoryWriter writer;
    ASSERT_TRUE(StoreListFile(&a, writer));
    EXPECT_EQ(writer.bytes.size(), 3 * 108u + a.m_strAnnotation.size() + c.m_strAnnotation.size());

    ListFileLoad load = Load(writer.bytes);
    EXPECT_FALSE(load.bOutOfMemory);
    auto loaded = EntriesOf(load.entries);
    ASSERT_EQ(loaded.size(), 3u);
    const CNetworkEntry* originals[] = {&a, &b, &c};
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(0, std::memcmp(&loaded[i]->m_bssid, &originals[i]->m_bssid, 104)) << i;
        EXPECT_EQ(loaded[i]->m_strAnnotation, originals[i]->m_strAnnotation) << i;
        // Loaded entries are quiet, already announced and have no first-seen time.
        EXPECT_EQ(loaded[i]->m_bSeen, 0);
        EXPECT_EQ(loaded[i]->m_bAnnounced, 1);
        SYSTEMTIME zero{};
        EXPECT_EQ(0, std::memcmp(&loaded[i]->m_timeFirstSeen, &zero, sizeof zero));
    }
    EXPECT_EQ(loaded[0]->m_bssid.Rssi, -40);
}

TEST(ListFile, EmptyListIsZeroBytesAndShortFilesLoadNothing)
{
    MemoryWriter writer;
    ASSERT_TRUE(StoreListFile(nullptr, writer));
    EXPECT_TRUE(writer.bytes.empty());

    for (size_t size : {size_t{0}, size_t{1}, size_t{103}})
    {
        ListFileLoad load = Load(std::vector<unsigned char>(size, 0x41));
        EXPECT_TRUE(load.entries.IsEmpty()) << size;
        EXPECT_EQ(load.nEntries, 0u) << size;
    }
}

TEST(ListFile, LengthFieldEdgeCases)
{
    std::vector<unsigned char> bytes;
    AppendRecord(bytes, Record(1, "cero", -50), 0, "");
    EXPECT_EQ(bytes.size(), 108u);
    // A negative length reads nothing: the next record starts right after it.
    AppendRecord(bytes, Record(2, "negativo", -51), -5, "");
    AppendRecord(bytes, Record(3, "tercero", -52), 4, "nota");
    // A NUL inside the text ends the annotation; the bytes after it are skipped.
    AppendRecord(bytes, Record(4, "nul", -53), 5, std::string("ab\0cd", 5));

    const ListFileLoad load = Load(bytes);
    auto loaded = EntriesOf(load.entries);
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_EQ(loaded[0]->m_strAnnotation, "");
    EXPECT_EQ(loaded[1]->m_strAnnotation, "");
    EXPECT_EQ(loaded[2]->m_bssid.MacAddress[5], 3);
    EXPECT_EQ(loaded[2]->m_strAnnotation, "nota");
    EXPECT_EQ(loaded[3]->m_strAnnotation, "ab");
}

TEST(ListFile, FileCutInsideARecordKeepsThatEntryAndEnds)
{
    std::vector<unsigned char> full;
    AppendRecord(full, Record(1, "uno", -60), 10, "0123456789");

    {  // cut inside the length: the entry is linked with an empty annotation
        const ListFileLoad load = Load({full.begin(), full.begin() + 106});
        auto loaded = EntriesOf(load.entries);
        ASSERT_EQ(loaded.size(), 1u);
        EXPECT_EQ(loaded[0]->m_strAnnotation, "");
    }
    {  // cut inside the text: the part that was read
        const ListFileLoad load = Load({full.begin(), full.begin() + 112});
        auto loaded = EntriesOf(load.entries);
        ASSERT_EQ(loaded.size(), 1u);
        EXPECT_EQ(loaded[0]->m_strAnnotation, "0123");
    }
}

class CountingAllocator : public IListFileAllocator
{
public:
    CNetworkEntry* NewEntry() override
    {
        if (entriesLeft == 0)
            return nullptr;
        --entriesLeft;
        return IListFileAllocator::NewEntry();
    }
    bool CanHoldAnnotation(size_t size) override
    {
        largestRequest = std::max(largestRequest, size);
        return size <= annotationLimit;
    }
    int entriesLeft = 1000;
    size_t annotationLimit = SIZE_MAX;
    size_t largestRequest = 0;
};

TEST(ListFile, CraftedLengthNeverReservesMoreThanTheFileHolds)
{
    std::vector<unsigned char> bytes;
    AppendRecord(bytes, Record(1, "grande", -60), INT32_MAX, "solo esto");
    CountingAllocator allocator;
    const ListFileLoad load = Load(bytes, &allocator);
    auto loaded = EntriesOf(load.entries);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0]->m_strAnnotation, "solo esto");
    EXPECT_EQ(allocator.largestRequest, 9u);
}

TEST(ListFile, AllocationFailureEndsTheLoadWithWhatWasRead)
{
    std::vector<unsigned char> bytes;
    for (unsigned char i = 1; i <= 4; ++i)
        AppendRecord(bytes, Record(i, "red", -60), 3, "abc");

    {  // no memory for the third entry
        CountingAllocator allocator;
        allocator.entriesLeft = 2;
        ListFileLoad load = Load(bytes, &allocator);
        EXPECT_TRUE(load.bOutOfMemory);
        EXPECT_EQ(EntriesOf(load.entries).size(), 2u);
    }
    {  // no memory for any annotation: the first entry is kept without one
        CountingAllocator allocator;
        allocator.annotationLimit = 0;
        ListFileLoad load = Load(bytes, &allocator);
        EXPECT_TRUE(load.bOutOfMemory);
        auto loaded = EntriesOf(load.entries);
        ASSERT_EQ(loaded.size(), 1u);
        EXPECT_EQ(loaded[0]->m_strAnnotation, "");
    }
}

TEST(ListFile, WriteFailureIsReported)
{
    CNetworkEntry a;
    a.m_strAnnotation = "texto";
    MemoryWriter writer;
    writer.m_failAfter = 106;
    EXPECT_FALSE(StoreListFile(&a, writer));
}

}  // namespace
