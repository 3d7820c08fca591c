// CLanguageTable: the language file mapped read-only, texts looked up by index.
#include "app/LanguageTable.h"

#include "app/LanguageLookup.h"

CLanguageTable::CLanguageTable()
    : m_hFile(INVALID_HANDLE_VALUE), m_hMapping(nullptr), m_pView(nullptr), m_nSize(0)
{
}

CLanguageTable::~CLanguageTable()
{
    Close();
}

int CLanguageTable::Open(const char* fileName)
{
    Close();
    // Readers may share the file, writers may not: the mapped bytes and the
    // size read below stay what they were for as long as the table is open.
    HANDLE hFile = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        return 0;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(hFile, &size))
    {
        CloseHandle(hFile);
        return 0;
    }
    // An empty file can't be mapped; that fails here, as it should.
    HANDLE hMapping = CreateFileMappingA(hFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (hMapping == nullptr)
    {
        CloseHandle(hFile);
        return 0;
    }
    void* pView = MapViewOfFile(hMapping, FILE_MAP_READ, 0, 0, 0);
    if (pView == nullptr)
    {
        CloseHandle(hMapping);
        CloseHandle(hFile);
        return 0;
    }
    m_hFile = hFile;
    m_hMapping = hMapping;
    m_pView = static_cast<const BYTE*>(pView);
    m_nSize = static_cast<size_t>(size.QuadPart);
    return 1;
}

void CLanguageTable::Close()
{
    if (m_pView != nullptr)
    {
        UnmapViewOfFile(m_pView);
        m_pView = nullptr;
    }
    if (m_hMapping != nullptr)
    {
        CloseHandle(m_hMapping);
        m_hMapping = nullptr;
    }
    if (m_hFile != INVALID_HANDLE_VALUE)
    {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
    m_nSize = 0;
}

const char* CLanguageTable::GetString(int index) const
{
    return LookupLanguageString(m_pView, m_nSize, index);
}
