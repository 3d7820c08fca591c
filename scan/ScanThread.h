// The scanner: one worker thread per document that polls the card's driver
// and merges what it hears into the document's list until told to stop.
#pragma once

#include <cstdint>

#include "scan/ScanTarget.h"
#include "scan/WinTypes.h"

// The pause between asking the card to scan and fetching its list.
constexpr uint32_t kScanPassMilliseconds = 4000;
// The longest sleep within that pause: how late a stop may be seen.
constexpr uint32_t kScanSliceMilliseconds = 50;
// The longest adapter service name the device path has room for.
constexpr size_t kMaxAdapterNameLength = 512;

// The thread body, on whatever thread calls it; returns 0 in every case.
// Needs the target's scan host; call target.PrepareScanStart() before
// creating the thread, and target.RequestScanStop() then wait to end it.
uint32_t ScanRun(CScanTarget& target);

#ifdef _WIN32
// The thread procedure for CreateThread. Its argument is the document as a
// CScanTarget*: pass static_cast<CScanTarget*>(pDoc), not the document's own
// address, which differs when CScanTarget is not its first base.
DWORD WINAPI ScanThreadProc(LPVOID pParam);
#endif
