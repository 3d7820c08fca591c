// The three requests through WlanScan, WlanGetNetworkBssList and the
// adapter addresses of the card's GUID.
#include <winsock2.h>

#include "afx/AfxSetup.h"

#include <iphlpapi.h>

#include "driver/NativeWifiCard.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "afx/UniqueHandle.h"
#include "driver/GuidText.h"
#include "driver/WlanBssList.h"
#include "scan/NdisTypes.h"

namespace
{

// The client version of Windows Vista and later.
constexpr DWORD kClientVersion = 2;
// The list's BSS type that takes infrastructure and ad hoc networks alike.
constexpr int kAnyBssType = 3;

// The API's functions, declared here: the SDK's header brings the driver
// interface's own definitions, which scan/NdisTypes.h stands in for.
struct WlanApi
{
    DWORD(WINAPI* open)(DWORD version, PVOID reserved, PDWORD negotiated, PHANDLE client) = nullptr;
    DWORD(WINAPI* close)(HANDLE client, PVOID reserved) = nullptr;
    DWORD(WINAPI* enumerate)(HANDLE client, PVOID reserved, void** interfaces) = nullptr;
    DWORD(WINAPI* scan)
    (HANDLE client, const GUID* card, const void* ssid, const void* ies, PVOID reserved) = nullptr;
    DWORD(WINAPI* bssList)
    (HANDLE client, const GUID* card, const void* ssid, int bssType, BOOL secure, PVOID reserved,
     void** list) = nullptr;
    VOID(WINAPI* free)(PVOID memory) = nullptr;

    bool Load(HMODULE module)
    {
        return Find(module, "WlanOpenHandle", &open) && Find(module, "WlanCloseHandle", &close) &&
               Find(module, "WlanEnumInterfaces", &enumerate) && Find(module, "WlanScan", &scan) &&
               Find(module, "WlanGetNetworkBssList", &bssList) && Find(module, "WlanFreeMemory", &free);
    }

    template <class F>
    static bool Find(HMODULE module, const char* name, F* function)
    {
        *function = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
        return *function != nullptr;
    }
};

// Loaded from the system folder like the API: not a library the program imports.
struct AdapterAddressApi
{
    LoadedModule module;
    decltype(&::GetAdaptersAddresses) get = nullptr;

    AdapterAddressApi() : module(LoadSystemLibrary("iphlpapi.dll"))
    {
        if (module.IsValid())
            WlanApi::Find(module.Get(), "GetAdaptersAddresses", &get);
    }
};

// The adapter's hardware address, from the adapter addresses of its GUID.
bool AdapterAddress(const AdapterAddressApi& api, const std::string& serviceName,
                    UCHAR mac[kMacAddressLength])
{
    if (api.get == nullptr)
        return false;
    const ULONG flags = GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                        GAA_FLAG_SKIP_DNS_SERVER | GAA_FLAG_SKIP_FRIENDLY_NAME;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG rc = ERROR_BUFFER_OVERFLOW;
    // The list may grow between the sizing call and the next: try a few times.
    for (int attempt = 0; attempt < 3 && rc == ERROR_BUFFER_OVERFLOW; ++attempt)
    {
        buffer.assign(size, 0);
        rc =
            api.get(AF_UNSPEC, flags, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (rc != NO_ERROR)
        return false;
    for (auto* a = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); a != nullptr; a = a->Next)
    {
        if (a->AdapterName != nullptr && ::lstrcmpiA(a->AdapterName, serviceName.c_str()) == 0 &&
            a->PhysicalAddressLength == kMacAddressLength)
        {
            std::memcpy(mac, a->PhysicalAddress, kMacAddressLength);
            return true;
        }
    }
    return false;
}

class NativeWifiCard : public IDevice
{
public:
    NativeWifiCard(LoadedModule module, const WlanApi& api, HANDLE client, const GUID& guid, std::string name)
        : m_module(std::move(module)), m_api(api), m_client(client), m_guid(guid),
          m_serviceName(std::move(name))
    {
    }

    ~NativeWifiCard() override { m_api.close(m_client, nullptr); }

    NativeWifiCard(const NativeWifiCard&) = delete;
    NativeWifiCard& operator=(const NativeWifiCard&) = delete;

    bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) override
    {
        uint32_t oid = 0;
        if (!QueryOid(code, in, inSize, &oid) || (outSize != 0 && out == nullptr))
            return false;
        switch (oid)
        {
        case OID_802_11_BSSID_LIST_SCAN:
            return m_api.scan(m_client, &m_guid, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        case OID_802_11_BSSID_LIST: {
            void* list = nullptr;
            if (m_api.bssList(m_client, &m_guid, nullptr, kAnyBssType, FALSE, nullptr, &list) !=
                    ERROR_SUCCESS ||
                list == nullptr)
            {
                return false;
            }
            const auto* bytes = static_cast<const uint8_t*>(list);
            uint32_t totalSize;
            std::memcpy(&totalSize, bytes + kWlanListTotalSize, sizeof totalSize);
            const bool ok = TranslateWlanBssList(bytes, totalSize, out, outSize);
            m_api.free(list);
            return ok;
        }
        case OID_802_3_CURRENT_ADDRESS:
            return outSize >= kMacAddressLength &&
                   AdapterAddress(m_addresses, m_serviceName, static_cast<UCHAR*>(out));
        default:
            return false;
        }
    }

private:
    LoadedModule m_module;
    WlanApi m_api;
    AdapterAddressApi m_addresses;
    HANDLE m_client;
    GUID m_guid;
    std::string m_serviceName;
};

bool HasInterface(const WlanApi& api, HANDLE client, const GUID& guid)
{
    void* interfaces = nullptr;
    if (api.enumerate(client, nullptr, &interfaces) != ERROR_SUCCESS || interfaces == nullptr)
        return false;
    const auto* bytes = static_cast<const uint8_t*>(interfaces);
    uint32_t count;
    std::memcpy(&count, bytes + kWlanInterfacesCount, sizeof count);
    bool found = false;
    for (uint32_t i = 0; i < count && !found; ++i)
        found = std::memcmp(bytes + kWlanInterfaces + i * kWlanInterfaceSize, &guid, sizeof guid) == 0;
    api.free(interfaces);
    return found;
}

}  // namespace

std::unique_ptr<IDevice> OpenNativeWifiCard(const char* serviceName)
{
    GUID guid;
    static_assert(sizeof guid == 16, "GUID is 16 bytes");
    uint8_t bytes[16];
    if (!ParseGuidText(serviceName, bytes))
        return nullptr;
    std::memcpy(&guid, bytes, sizeof guid);

    LoadedModule module = LoadSystemLibrary("wlanapi.dll");
    WlanApi api;
    if (!module.IsValid() || !api.Load(module.Get()))
        return nullptr;
    DWORD negotiated = 0;
    HANDLE client = nullptr;
    if (api.open(kClientVersion, nullptr, &negotiated, &client) != ERROR_SUCCESS || client == nullptr)
        return nullptr;
    if (!HasInterface(api, client, guid))
    {
        api.close(client, nullptr);
        return nullptr;
    }
    auto* card = new (std::nothrow) NativeWifiCard(std::move(module), api, client, guid, serviceName);
    if (card == nullptr)
        api.close(client, nullptr);
    return std::unique_ptr<IDevice>(card);
}
