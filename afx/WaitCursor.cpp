// CWaitCursor: the hourglass while the user interface thread is busy.
#include "afx/WaitCursor.h"

CWaitCursor::CWaitCursor() : m_hPrevious(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}

CWaitCursor::~CWaitCursor()
{
    // Until the mouse moves, when the window under it chooses again.
    ::SetCursor(m_hPrevious);
}
