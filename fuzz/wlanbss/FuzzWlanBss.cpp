// Arbitrary bytes as a Native Wi-Fi list, translated into the list answer:
// nothing outside the input is read, and the answer respects the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "driver/WlanBssList.h"
#include "scan/NdisTypes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> list(data, data + size);
    // The answer buffer's size comes from the input too, so short buffers are reached.
    const size_t outSize = size > 0 ? kBssidListBufferSize - (data[0] * 97 % kBssidListBufferSize) : 16;
    std::vector<uint8_t> out(outSize);
    if (!TranslateWlanBssList(list.data(), list.size(), out.data(), out.size()))
    {
        if (outSize >= 4)
            std::abort();
        return 0;
    }
    uint32_t count;
    std::memcpy(&count, out.data(), sizeof count);
    if (count > kMaxBssidListItems || 4 + count * sizeof(NDIS_WLAN_BSSID) > outSize)
        std::abort();
    return 0;
}
