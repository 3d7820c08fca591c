// The registration itself, kept out of main so tests can run it.
#include "tools/regsim/RegisterSimCard.h"

#include <cstdio>
#include <cstring>

#include "driver/Device.h"

namespace
{

LONG SetString(HKEY key, const char* name, const char* value)
{
    return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                            static_cast<DWORD>(std::strlen(value) + 1));
}

}  // namespace

LONG RegisterSimulatedCard()
{
    char path[512];
    std::snprintf(path, sizeof(path), "%s\\%s", kNetworkCardsKey, kSimulatedCardSubkey);
    HKEY key = nullptr;
    LONG rc = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_SET_VALUE,
                                nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = SetString(key, "ServiceName", kSimulatedServiceName);
    if (rc == ERROR_SUCCESS)
        rc = SetString(key, "Description", kSimulatedCardDescription);
    ::RegCloseKey(key);
    return rc;
}
