// CWaitCursor: the hourglass for as long as the object lives, for work the
// user interface thread does without taking messages.
#pragma once

#include "afx/AfxSetup.h"

class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();

    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hPrevious;
};
