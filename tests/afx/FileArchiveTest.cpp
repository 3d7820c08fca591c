// CFile and CArchive against real files: round trips, the end of the data, and failures that must not go
// unseen.
#include "afx/Archive.h"
#include "afx/File.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class FileArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szDir[MAX_PATH];
        ASSERT_NE(0u, ::GetTempPathA(MAX_PATH, szDir));
        m_strPath = szDir;
        m_strPath += "afxdoc-" + std::to_string(::GetCurrentProcessId()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
        ::DeleteFileA(m_strPath.c_str());
    }
    void TearDown() override { ::DeleteFileA(m_strPath.c_str()); }

    void WriteRaw(const std::vector<BYTE>& bytes)
    {
        CFile file;
        ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(file.Write(bytes.data(), UINT(bytes.size())));
        ASSERT_TRUE(file.Close());
    }

    std::string m_strPath;
};

std::vector<BYTE> Pattern(size_t n)
{
    std::vector<BYTE> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = BYTE(i * 7 + i / 251);
    return bytes;
}

TEST_F(FileArchiveTest, StoredValuesAndBlocksReadBackInOrder)
{
    // Blocks smaller than, straddling and larger than the archive's buffer.
    std::vector<BYTE> small = Pattern(100);
    std::vector<BYTE> big = Pattern(10000);
    {
        CFile file;
        ASSERT_TRUE(
            file.Open(m_strPath.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(ar.IsStoring());
        ar << BYTE(0xAB) << WORD(0x1234) << LONG(-2) << DWORD(0xDEADBEEF) << 104;
        for (int i = 0; i < 50; ++i)
            ar.Write(small.data(), UINT(small.size()));
        ar.Write(big.data(), UINT(big.size()));
        ar.Close();
        EXPECT_TRUE(ar.IsOk());
        EXPECT_EQ(1u + 2 + 4 + 4 + 4 + 5000 + 10000, file.GetLength());
    }

    CFile file;
    ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeRead | CFile::shareDenyWrite));
    CArchive ar(&file, CArchive::load);
    EXPECT_TRUE(ar.IsLoading());
    BYTE by = 0;
    WORD w = 0;
    LONG l = 0;
    DWORD dw = 0;
    int n = 0;
    ar >> by >> w >> l >> dw >> n;
    EXPECT_EQ(0xAB, by);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(-2, l);
    EXPECT_EQ(0xDEADBEEFu, dw);
    EXPECT_EQ(104, n);
    for (int i = 0; i < 50; ++i)
    {
        std::vector<BYTE> got(small.size());
        ASSERT_EQ(small.size(), ar.Read(got.data(), UINT(got.size())));
        ASSERT_EQ(small, got) << "block " << i;
    }
    std::vector<BYTE> got(big.size());
    EXPECT_EQ(big.size(), ar.Read(got.data(), UINT(got.size())));
    EXPECT_EQ(big, got);
    EXPECT_TRUE(ar.IsOk());
}

TEST_F(FileArchiveTest, IntegersAreLittleEndianOnDisk)
{
    {
        CFile file;
        ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        ar << LONG(-2) << DWORD(0x01020304);
        ar.Close();
        ASSERT_TRUE(ar.IsOk());
    }
    CFile file;
    ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeRead));
    BYTE raw[9] = {};
    EXPECT_EQ(8u, file.Read(raw, sizeof(raw)));
    const BYTE expected[8] = {0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(0, memcmp(expected, raw, 8));
}

TEST_F(FileArchiveTest, ReadsComeBackShortAtTheEndWithoutAnError)
{
    std::vector<BYTE> data = Pattern(6000);
    WriteRaw(data);

    CFile file;
    ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    // A few bytes through the buffer, then a block larger than it, then past the end.
    std::vector<BYTE> got(7000);
    EXPECT_EQ(3u, ar.Read(got.data(), 3));
    EXPECT_EQ(5000u, ar.Read(got.data() + 3, 5000));
    EXPECT_EQ(997u, ar.Read(got.data() + 5003, 1200));
    got.resize(6000);
    EXPECT_EQ(data, got);
    BYTE more[4];
    EXPECT_EQ(0u, ar.Read(more, sizeof(more)));
    EXPECT_TRUE(ar.IsOk());

    // A fixed-width value cut by the end of the data is an error, not a silent zero.
    LONG l = 7;
    ar >> l;
    EXPECT_EQ(0, l);
    EXPECT_EQ(CArchive::endOfFile, ar.GetError());
}

TEST_F(FileArchiveTest, AnEmptyFileReadsNothing)
{
    WriteRaw({});
    CFile file;
    ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeRead));
    EXPECT_EQ(0u, file.GetLength());
    CArchive ar(&file, CArchive::load);
    BYTE buf[104];
    EXPECT_EQ(0u, ar.Read(buf, sizeof(buf)));
    EXPECT_TRUE(ar.IsOk());
}

TEST_F(FileArchiveTest, AFailedWriteIsRecordedAndLaterWritesAreDropped)
{
    WriteRaw(Pattern(10));
    CFile file;
    // A handle without write access: every write the archive passes on fails.
    ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::store);
    std::vector<BYTE> data = Pattern(5000);
    ar.Write(data.data(), UINT(data.size()));
    EXPECT_FALSE(ar.IsOk());
    EXPECT_EQ(CArchive::writeError, ar.GetError());
    EXPECT_NE(0u, ar.GetOsError());
    ar << 1;
    ar.Close();
    EXPECT_EQ(CArchive::writeError, ar.GetError());
    EXPECT_EQ(10u, file.GetLength());
}

TEST_F(FileArchiveTest, BufferedBytesThatCannotBeWrittenFailAtClose)
{
    WriteRaw(Pattern(10));
    CFile file;
    ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::store);
    ar << 1 << 2;  // still in the buffer: nothing has failed yet
    EXPECT_TRUE(ar.IsOk());
    ar.Close();
    EXPECT_EQ(CArchive::writeError, ar.GetError());
}

TEST_F(FileArchiveTest, OpeningFailuresSayWhy)
{
    CFile file;
    DWORD dwError = 0;
    EXPECT_FALSE(file.Open(m_strPath.c_str(), CFile::modeRead, &dwError));
    EXPECT_EQ(DWORD(ERROR_FILE_NOT_FOUND), dwError);
    EXPECT_EQ(dwError, file.GetError());
    EXPECT_FALSE(file.IsOpen());

    WriteRaw(Pattern(10));
    CFile holder;
    ASSERT_TRUE(holder.Open(m_strPath.c_str(), CFile::modeRead | CFile::shareExclusive));
    EXPECT_FALSE(file.Open(m_strPath.c_str(), CFile::modeCreate | CFile::modeWrite, &dwError));
    EXPECT_EQ(DWORD(ERROR_SHARING_VIOLATION), dwError);

    EXPECT_FALSE(file.Open("", CFile::modeRead, &dwError));
    EXPECT_NE(0u, dwError);
}

TEST_F(FileArchiveTest, TheFileKnowsItsFullPathAndName)
{
    WriteRaw(Pattern(1));
    CFile file;
    ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeRead));
    EXPECT_EQ(0, file.GetFilePath().CompareNoCase(m_strPath.c_str()));
    std::string name = m_strPath.substr(m_strPath.rfind('\\') + 1);
    EXPECT_STREQ(name.c_str(), file.GetFileName());
    EXPECT_STREQ("b.ksu", AfxGetFileName("C:\\a\\b.ksu"));
    EXPECT_STREQ("b.ksu", AfxGetFileName("b.ksu"));
}

TEST_F(FileArchiveTest, TheFirstErrorStays)
{
    WriteRaw({});
    CFile file;
    ASSERT_TRUE(file.Open(m_strPath.c_str(), CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    ar.SetError(CArchive::noMemory);
    ar.SetError(CArchive::readError, ERROR_GEN_FAILURE);
    EXPECT_EQ(CArchive::noMemory, ar.GetError());
    EXPECT_EQ(0u, ar.GetOsError());
}
}  // namespace
