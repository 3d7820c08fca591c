// CLanguageTable on real files: mapping, sharing, release and bad files.
#include "app/LanguageTable.h"

#include <gtest/gtest.h>

#include <string>

#include "LanguageImage.h"

namespace
{

class TempFile
{
public:
    explicit TempFile(const std::vector<unsigned char>& bytes)
    {
        char folder[MAX_PATH];
        char name[MAX_PATH];
        if (GetTempPathA(MAX_PATH, folder) != 0 && GetTempFileNameA(folder, "lng", 0, name) != 0)
        {
            path_ = name;
            Write(bytes);
        }
    }
    ~TempFile() { DeleteFileA(path_.c_str()); }
    const char* Path() const { return path_.c_str(); }

    // What the table's sharing mode must refuse while it holds the file; the
    // prober itself shares everything, so only the table's mode can refuse it.
    bool CanOpenForWriting() const
    {
        HANDLE h = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
        {
            return false;
        }
        CloseHandle(h);
        return true;
    }

    bool Write(const std::vector<unsigned char>& bytes) const
    {
        HANDLE h = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
        {
            return false;
        }
        DWORD written = 0;
        BOOL ok =
            bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
        return ok && written == bytes.size();
    }

private:
    std::string path_;
};

std::vector<unsigned char> Sample()
{
    return MakeLanguageImage({12, 17, 17}, std::string("Modo\0\0", 6));
}

TEST(LanguageTable, OpenMapsTheFileAndCloseReleasesIt)
{
    TempFile file(Sample());
    CLanguageTable table;
    EXPECT_STREQ(table.GetString(0), "***");
    ASSERT_EQ(table.Open(file.Path()), 1);
    EXPECT_STREQ(table.GetString(0), "Modo");
    EXPECT_STREQ(table.GetString(1), "");
    EXPECT_EQ(table.GetString(1), table.GetString(2));
    EXPECT_STREQ(table.GetString(3), "***");

    // Shared for reading only: other readers get in, writers don't.
    HANDLE reader = CreateFileA(file.Path(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    EXPECT_FALSE(file.CanOpenForWriting());
    EXPECT_STREQ(table.GetString(0), "Modo");

    table.Close();
    EXPECT_STREQ(table.GetString(0), "***");
    EXPECT_TRUE(file.CanOpenForWriting());
    EXPECT_TRUE(file.Write(Sample()));
    table.Close();  // a second Close releases nothing twice
    ASSERT_EQ(table.Open(file.Path()), 1);
    EXPECT_STREQ(table.GetString(0), "Modo");
}

TEST(LanguageTable, FailedOpenHoldsNothing)
{
    CLanguageTable table;
    EXPECT_EQ(table.Open("no such folder\\spanish.lng"), 0);
    EXPECT_STREQ(table.GetString(0), "***");

    // An empty file opens but can't be mapped: the file must not stay open.
    TempFile empty({});
    EXPECT_EQ(table.Open(empty.Path()), 0);
    EXPECT_STREQ(table.GetString(0), "***");
    EXPECT_TRUE(empty.CanOpenForWriting());
    table.Close();
}

TEST(LanguageTable, ReopeningOrDestroyingReleasesTheFile)
{
    TempFile first(Sample());
    TempFile second(Sample());
    {
        CLanguageTable table;
        ASSERT_EQ(table.Open(first.Path()), 1);
        ASSERT_EQ(table.Open(second.Path()), 1);
        EXPECT_TRUE(first.CanOpenForWriting());
        EXPECT_FALSE(second.CanOpenForWriting());
    }
    EXPECT_TRUE(second.CanOpenForWriting());
}

TEST(LanguageTable, LookupsStopAtTheEndOfTheFileNotOfThePage)
{
    // The mapped page continues with zeros past the last byte; a string that
    // only ends there is not inside the file.
    TempFile file(MakeLanguageImage({8, 9}, "ab"));
    CLanguageTable table;
    ASSERT_EQ(table.Open(file.Path()), 1);
    EXPECT_STREQ(table.GetString(0), "***");
    EXPECT_STREQ(table.GetString(1), "***");
    EXPECT_STREQ(table.GetString(2), "***");
    table.Close();
}

TEST(LanguageTable, ReadsTheBuiltSpanishFile)
{
    CLanguageTable table;
    ASSERT_EQ(table.Open(SpanishLngPath().c_str()), 1) << SpanishLngPath();
    EXPECT_STREQ(table.GetString(41), "Se\xF1"
                                      "al");
    // Far past the last text, so texts added later keep this a number the file lacks.
    EXPECT_STREQ(table.GetString(5000), "***");
    table.Close();
}

}  // namespace
