// Arbitrary bytes as an answer file of the Linux wireless helper: decoded, and
// the payload (or, when the file is refused, the bytes themselves, so that
// the payload reader is reached either way) applied to each request with an
// output buffer whose size also comes from the input. Nothing outside the
// file or the buffer is touched, and a list answer respects the buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "driver/Device.h"
#include "driver/HelperAnswer.h"
#include "scan/NdisTypes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> file(data, data + size);
    std::vector<uint8_t> payload;
    uint32_t status = 0;
    const bool decoded = DecodeHelperAnswer(file.data(), file.size(), &payload, &status);
    if (decoded && (payload.size() > kHelperMaxPayload || payload.size() != size - kHelperAnswerHeader))
        std::abort();
    if (!decoded)
        payload = file;

    const size_t outSize =
        size > 0 ? kBssidListBufferSize - (data[size - 1] * 97 % kBssidListBufferSize) : 16;
    const uint32_t requests[] = {OID_802_11_BSSID_LIST_SCAN, OID_802_11_BSSID_LIST, OID_802_3_CURRENT_ADDRESS,
                                 0};
    for (uint32_t oid : requests)
    {
        std::vector<uint8_t> out(outSize);
        if (!ApplyHelperPayload(oid, payload, out.data(), static_cast<uint32_t>(out.size())) ||
            oid != OID_802_11_BSSID_LIST)
            continue;
        uint32_t count;
        std::memcpy(&count, out.data(), sizeof count);
        if (count > kMaxBssidListItems || 4 + count * sizeof(NDIS_WLAN_BSSID) > outSize)
            std::abort();
    }
    return 0;
}
