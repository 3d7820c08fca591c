// The libraries the built Kesu.exe imports, read from its header: only the
// platform's known libraries, which are never looked for beside the program
// (the common controls come through the manifest). Any other would be loaded
// from a downloads folder if one of that name lay beside Kesu.exe.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "afx/AfxSetup.h"

namespace
{

// A small reader of the file as the loader would map it.
class PeFile
{
public:
    explicit PeFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        m_bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    template <class T>
    bool Read(size_t at, T* value) const
    {
        if (at > m_bytes.size() || m_bytes.size() - at < sizeof(T))
            return false;
        std::memcpy(value, m_bytes.data() + at, sizeof(T));
        return true;
    }

    // The file offset of a relative virtual address, or 0.
    size_t OffsetOf(DWORD rva) const
    {
        for (const IMAGE_SECTION_HEADER& section : m_sections)
        {
            if (rva >= section.VirtualAddress && rva - section.VirtualAddress < section.SizeOfRawData)
                return section.PointerToRawData + (rva - section.VirtualAddress);
        }
        return 0;
    }

    std::string StringAt(DWORD rva) const
    {
        const size_t at = OffsetOf(rva);
        std::string text;
        for (size_t i = at; at != 0 && i < m_bytes.size() && m_bytes[i] != 0; ++i)
            text += static_cast<char>(std::toupper(static_cast<unsigned char>(m_bytes[i])));
        return text;
    }

    // The imported libraries' names in capitals; empty when the header can't be read.
    std::vector<std::string> Imports()
    {
        IMAGE_DOS_HEADER dos;
        IMAGE_NT_HEADERS64 nt;
        if (!Read(0, &dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || !Read(dos.e_lfanew, &nt) ||
            nt.Signature != IMAGE_NT_SIGNATURE || nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
            return {};
        const size_t sections =
            dos.e_lfanew + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
        m_sections.resize(nt.FileHeader.NumberOfSections);
        for (size_t i = 0; i < m_sections.size(); ++i)
        {
            if (!Read(sections + i * sizeof(IMAGE_SECTION_HEADER), &m_sections[i]))
                return {};
        }
        std::vector<std::string> names;
        const DWORD table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        IMAGE_IMPORT_DESCRIPTOR entry;
        for (size_t at = OffsetOf(table); at != 0 && Read(at, &entry) && entry.Name != 0; at += sizeof entry)
            names.push_back(StringAt(entry.Name));
        return names;
    }

private:
    std::vector<char> m_bytes;
    std::vector<IMAGE_SECTION_HEADER> m_sections;
};

TEST(KesuExeImports, OnlyLibrariesThePlatformNeverLooksForBesideTheProgram)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string kesu(path);
    kesu = kesu.substr(0, kesu.rfind('\\') + 1) + "Kesu.exe";
    const std::vector<std::string> imports = PeFile(kesu).Imports();
    ASSERT_TRUE(std::find(imports.begin(), imports.end(), "KERNEL32.DLL") != imports.end()) << kesu;

    const std::set<std::string> safe = {"ADVAPI32.DLL", "COMDLG32.DLL", "GDI32.DLL",    "KERNEL32.DLL",
                                        "MSVCRT.DLL",   "OLE32.DLL",    "OLEAUT32.DLL", "SHELL32.DLL",
                                        "USER32.DLL",   "COMCTL32.DLL"};
    for (const std::string& name : imports)
        EXPECT_TRUE(safe.count(name)) << name << " would be looked for beside Kesu.exe first";
}

}  // namespace
