// CTempMapBase: a per-thread map of temporary handle wrappers, all emptied when the thread is idle.
#pragma once

// Temporary wrappers live until the message loop is idle (CWinThread::OnIdle)
// or the thread calls AfxDeleteTempMaps itself.
void AfxDeleteTempMaps();

class CTempMapBase
{
public:
    virtual void DeleteTemp() = 0;

protected:
    CTempMapBase();
    ~CTempMapBase();
    CTempMapBase(const CTempMapBase&) = delete;
    CTempMapBase& operator=(const CTempMapBase&) = delete;
};
