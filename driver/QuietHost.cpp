// A platform for merges run without a card.
#include "driver/QuietHost.h"

void QuietScanHost::GetLocalTime(SYSTEMTIME* time)
{
    *time = SYSTEMTIME{};
    time->wYear = 2024;
    time->wMinute = static_cast<WORD>(m_nStamps / 1000 % 60);
    time->wMilliseconds = static_cast<WORD>(m_nStamps % 1000);
    ++m_nStamps;
}
