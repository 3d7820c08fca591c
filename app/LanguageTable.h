// CLanguageTable: the language file mapped read-only, texts looked up by index.
#pragma once

#include <cstddef>

#include "afx/AfxSetup.h"

class CLanguageTable
{
public:
    CLanguageTable();
    // Releases whatever Close was not called for; Close is the normal release.
    virtual ~CLanguageTable();

    CLanguageTable(const CLanguageTable&) = delete;
    CLanguageTable& operator=(const CLanguageTable&) = delete;

    // Opens and maps the whole file read-only, shared for reading only: 1 on
    // success, 0 on failure (then nothing is held).
    int Open(const char* fileName);
    // Unmaps the view, closes the mapping, closes the file; each once.
    void Close();
    // String 'index' inside the mapped view, valid until Close; "***" when the
    // table is not open or the file can't answer that index safely.
    const char* GetString(int index) const;

private:
    HANDLE m_hFile;
    HANDLE m_hMapping;
    const BYTE* m_pView;
    // The file's size, so that no lookup reads past its end into the rest of
    // the view's last page.
    size_t m_nSize;
};
