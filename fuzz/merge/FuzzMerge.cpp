// Arbitrary bytes as the card's answers to the list request, merged pass
// after pass, with the list checked against what the answers say after each.
//
// Input: a sequence of passes, each a byte that limits how many entries the
// pass may allocate (0xFF: no limit), the answer's size (2 bytes, little
// endian), a chunk length L (2 bytes) and L bytes repeated to fill the
// answer, so that answers holding more elements than the cap stay cheap to
// reach.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "driver/QuietHost.h"
#include "scan/Merge.h"
#include "tests/scan/LimitedTarget.h"

namespace
{

constexpr int kMaxPasses = 6;

using MacKey = uint64_t;

MacKey KeyOf(const UCHAR* mac)
{
    MacKey key = 0;
    std::memcpy(&key, mac, kMacAddressLength);
    return key;
}

void Check(bool bHolds)
{
    if (!bHolds)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CLimitedTarget target{"Fuzz"};
    QuietScanHost host;
    size_t previousCount = 0;
    // A few passes are enough to refresh, append and repeat; more only make
    // each run slower as the list grows.
    for (int pass = 0; pass < kMaxPasses && size >= 5; ++pass)
    {
        target.m_nAllowed = data[0] == 0xFF ? -1 : data[0];
        // Exactly the answer's bytes, so any read past them is caught.
        std::vector<uint8_t> answer(data[1] | (size_t{data[2]} << 8));
        size_t chunk = data[3] | (size_t{data[4]} << 8);
        data += 5;
        size -= 5;
        if (chunk > size)
            chunk = size;
        for (size_t at = 0; chunk && at < answer.size(); at += chunk)
        {
            std::memcpy(answer.data() + at, data, std::min(chunk, answer.size() - at));
        }
        data += chunk;
        size -= chunk;

        const bool bComplete = MergeBssidList(target, host, answer.data(), answer.size());

        // What the answer says: the last signal of each address among the
        // elements taken, and the first record of each.
        uint32_t count = 0;
        if (answer.size() >= 4)
            std::memcpy(&count, answer.data(), 4);
        if (count > kMaxBssidListItems)
            count = kMaxBssidListItems;
        if (answer.size() >= 4 && count > (answer.size() - 4) / sizeof(NDIS_WLAN_BSSID))
        {
            count = static_cast<uint32_t>((answer.size() - 4) / sizeof(NDIS_WLAN_BSSID));
        }
        std::map<MacKey, LONG> heard;
        std::map<MacKey, NDIS_WLAN_BSSID> firstRecord;
        for (uint32_t i = 0; i < count; ++i)
        {
            NDIS_WLAN_BSSID element;
            std::memcpy(&element, answer.data() + 4 + i * sizeof element, sizeof element);
            heard[KeyOf(element.MacAddress)] = element.Rssi;
            firstRecord.emplace(KeyOf(element.MacAddress), element);
        }

        // The list is acyclic (bounded walk), holds no address twice, and each
        // entry reflects the answer.
        std::set<MacKey> seen;
        size_t entries = 0;
        size_t missing = 0;
        target.m_entries.ForEach([&](const CNetworkEntry* p) {
            Check(++entries <= previousCount + kMaxBssidListItems);
            const MacKey key = KeyOf(p->m_bssid.MacAddress);
            Check(seen.insert(key).second);
            auto it = heard.find(key);
            if (it == heard.end())
            {
                Check(p->m_bSeen == 0 && p->m_bssid.Rssi == 0);
                return;
            }
            Check(p->m_bSeen == 1 && p->m_bssid.Rssi == it->second);
            if (entries > previousCount)
            {
                NDIS_WLAN_BSSID expected = firstRecord[key];
                expected.Rssi = it->second;
                Check(std::memcmp(&expected, &p->m_bssid, sizeof expected) == 0);
                Check(p->m_bAnnounced == 0 && p->m_timeFirstSeen.wYear == 2024);
            }
        });
        for (const auto& h : heard)
            missing += seen.count(h.first) == 0;
        // An address goes unlisted only when its entry could not be allocated.
        Check(bComplete ? missing == 0 : missing > 0);
        previousCount = entries;
    }
    return 0;
}
