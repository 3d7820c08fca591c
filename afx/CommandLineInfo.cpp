// CCommandLineInfo: one argument of the command line at a time.
#include "CommandLineInfo.h"

void CCommandLineInfo::ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL)
{
    if (bFlag)
    {
        if (lstrcmpiA(lpszParam, "p") == 0)
            m_nShellCommand = FilePrint;
        else if (lstrcmpiA(lpszParam, "pt") == 0)
            m_nShellCommand = FilePrintTo;
        else if (lstrcmpiA(lpszParam, "dde") == 0)
            m_nShellCommand = FileDDE;
        else if (lstrcmpiA(lpszParam, "Unregister") == 0 || lstrcmpiA(lpszParam, "Unregserver") == 0)
            m_nShellCommand = AppUnregister;
        else if (lstrcmpiA(lpszParam, "Embedding") == 0)
            m_bRunEmbedded = TRUE;
        else if (lstrcmpiA(lpszParam, "Automation") == 0)
            m_bRunAutomated = TRUE;
        return;
    }
    if (m_strFileName.IsEmpty())
    {
        m_strFileName = lpszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}
