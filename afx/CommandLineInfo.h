// CCommandLineInfo: what the program's command line asks for.
#pragma once
#include "String.h"

class CCommandLineInfo
{
public:
    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand = FileNew;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;

    virtual ~CCommandLineInfo() = default;
    // One argument: bFlag when it started with '/' or '-' (given without it).
    virtual void ParseParam(LPCSTR lpszParam, BOOL bFlag, BOOL bLast);
};
