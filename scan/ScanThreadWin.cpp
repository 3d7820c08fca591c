// The scanner as a Windows thread procedure.
#include "scan/ScanThread.h"

DWORD WINAPI ScanThreadProc(LPVOID pParam)
{
    return ScanRun(*static_cast<CScanTarget*>(pParam));
}
