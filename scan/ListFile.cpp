// Reading and writing list files, independent of the file API underneath.
#include "scan/ListFile.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace
{

constexpr size_t kLengthSize = 4;

void PutLength(unsigned char out[kLengthSize], int32_t length)
{
    const uint32_t bits = static_cast<uint32_t>(length);
    for (size_t i = 0; i < kLengthSize; ++i)
        out[i] = static_cast<unsigned char>(bits >> (8 * i));
}

int32_t GetLength(const unsigned char in[kLengthSize])
{
    uint32_t bits = 0;
    for (size_t i = 0; i < kLengthSize; ++i)
        bits |= static_cast<uint32_t>(in[i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

IListFileAllocator& DefaultAllocator()
{
    static IListFileAllocator allocator;
    return allocator;
}

}  // namespace

CNetworkEntry* IListFileAllocator::NewEntry()
{
    return new (std::nothrow) CNetworkEntry;
}

bool IListFileAllocator::CanHoldAnnotation(size_t size)
{
    // The string that receives the text allocates the same amount again; a
    // probe that fails here is what keeps that allocation from failing.
    std::unique_ptr<char[]> probe(new (std::nothrow) char[size + 1]);
    return probe != nullptr;
}

bool StoreListFile(const CNetworkEntry* pHead, IListFileWriter& writer)
{
    for (const CNetworkEntry* pEntry = pHead; pEntry; pEntry = pEntry->m_pNext)
    {
        const std::string& text = pEntry->m_strAnnotation.str();
        // An annotation can't outgrow the signed 32-bit length field; what does
        // not fit is not written rather than written with a wrong length.
        const size_t size = text.size() > INT32_MAX ? size_t{INT32_MAX} : text.size();
        unsigned char length[kLengthSize];
        PutLength(length, static_cast<int32_t>(size));
        if (!writer.Write(&pEntry->m_bssid, sizeof pEntry->m_bssid))
            return false;
        if (!writer.Write(length, sizeof length))
            return false;
        if (size > 0 && !writer.Write(text.data(), size))
            return false;
    }
    return true;
}

ListFileLoad LoadListFile(IListFileReader& reader, IListFileAllocator* pAllocator)
{
    IListFileAllocator& allocator = pAllocator ? *pAllocator : DefaultAllocator();
    ListFileLoad load;
    CEntryListBuilder builder(load.entries);
    for (;;)
    {
        NDIS_WLAN_BSSID record;
        if (reader.Read(&record, sizeof record) < sizeof record)
            break;

        std::unique_ptr<CNetworkEntry> pEntry(allocator.NewEntry());
        if (!pEntry)
        {
            load.bOutOfMemory = true;
            break;
        }
        std::memcpy(&pEntry->m_bssid, &record, sizeof record);
        pEntry->m_bSeen = 0;
        pEntry->m_bAnnounced = 1;

        unsigned char lengthBytes[kLengthSize];
        bool bStop = false;
        if (reader.Read(lengthBytes, sizeof lengthBytes) == sizeof lengthBytes)
        {
            const int32_t length = GetLength(lengthBytes);
            if (length > 0)
            {
                // Never more than the file still holds: a file cut inside the text
                // gives the part that is there.
                uint64_t wanted = static_cast<uint64_t>(length);
                if (wanted > reader.Remaining())
                    wanted = reader.Remaining();
                const size_t size = static_cast<size_t>(wanted);
                if (size > 0)
                {
                    if (allocator.CanHoldAnnotation(size))
                    {
                        std::string text(size, '\0');
                        const size_t got = reader.Read(&text[0], size);
                        text.resize(got);
                        text.resize(std::strlen(text.c_str()));  // the annotation ends at a NUL
                        pEntry->m_strAnnotation = std::move(text);
                    }
                    else
                    {
                        load.bOutOfMemory = true;
                        bStop = true;
                    }
                }
            }
        }
        // Linked even when cut short, as the file's last entry.
        builder.Append(std::move(pEntry));
        ++load.nEntries;
        if (bStop)
            break;
    }
    return load;
}
