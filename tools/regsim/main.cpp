// kesu-regsim: makes the simulated card selectable in the adapter dialog.
// Run after each wineserver start; running it again changes nothing.
#include <cstdio>

#include "tools/regsim/RegisterSimCard.h"

int main()
{
    const LONG rc = RegisterSimulatedCard();
    if (rc == ERROR_SUCCESS)
        return 0;
    char text[256] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(rc), 0, text, sizeof(text), nullptr);
    std::fprintf(stderr, "kesu-regsim: can't register the simulated card under HKLM\\%s\\%s: error %ld %s\n",
                 kNetworkCardsKey, kSimulatedCardSubkey, static_cast<long>(rc), text);
    return 1;
}
