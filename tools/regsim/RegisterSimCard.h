// Registers the simulated card among the machine's network cards, where the
// adapter dialog lists them.
#pragma once

#include "afx/AfxSetup.h"

constexpr const char kNetworkCardsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
// Far above the numbers the system gives the machine's own interfaces.
constexpr const char kSimulatedCardSubkey[] = "99";
// "Tarjeta inalámbrica simulada (Kesu)" in Windows-1252.
constexpr const char kSimulatedCardDescription[] = "Tarjeta inal\xE1mbrica simulada (Kesu)";

// Creates (or refreshes) the card's subkey with its "ServiceName" and
// "Description". The subkey is volatile: under Wine the parent key is, and
// a volatile key can't hold a lasting one, so it must be made again after
// every wineserver start. Returns ERROR_SUCCESS or the registry's error.
LONG RegisterSimulatedCard();
