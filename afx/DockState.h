// CDockState: the frame's bar layout as records, kept in the per-user settings.
#pragma once
#include "ControlBarInfo.h"
#include "Object.h"
#include "Size.h"

#include <memory>
#include <vector>

// The whole layout: a summary section "<profile>-Summary" and one section per record.
class CDockState : public CObject
{
    DECLARE_DYNAMIC(CDockState)
public:
    CDockState() = default;

    // Replaces the records with those saved under lpszProfileName; FALSE when nothing was saved.
    BOOL LoadState(LPCSTR lpszProfileName);
    // Replaces what was saved under lpszProfileName; FALSE when a value could not be written.
    BOOL SaveState(LPCSTR lpszProfileName);
    void Clear();

    std::vector<std::unique_ptr<CControlBarInfo>> m_arrBarInfo;
    CSize m_sizeScreen;  // the screen's size when the state was saved
};
