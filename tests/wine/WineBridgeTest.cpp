// The bridge under Wine: names that cross to the Unix side and back, and a
// Unix program receiving exactly the arguments it was given.
#include "afx/AfxSetup.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "wine/WineBridge.h"

namespace
{

// The arguments the platform's own splitting finds in a command line.
std::vector<std::wstring> Split(const std::wstring& commandLine)
{
    int count = 0;
    LPWSTR* pArgs = CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<std::wstring> args(pArgs, pArgs + (pArgs ? count : 0));
    LocalFree(pArgs);
    return args;
}

// A folder with a name beyond ASCII below the temporary folder, removed again.
class UnixSide : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
        m_folder =
            std::wstring(temp) + L"kesu wine \u00f1and\u00fa " + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(m_folder), ignored);
    }

    std::wstring m_folder;
};

}  // namespace

TEST(QuoteArgument, SurvivesTheCommandLineSplitting)
{
    const std::vector<std::wstring> arguments = {L"",
                                                 L"plain",
                                                 L"with space",
                                                 L"say \"hi\"",
                                                 L"C:\\folder\\",
                                                 L"a\\\\\"b",
                                                 L"\\\\server\\share\\",
                                                 L"\u00f1"};
    std::wstring commandLine = L"program.exe";
    for (const std::wstring& argument : arguments)
        commandLine += L" " + QuoteArgument(argument);
    const std::vector<std::wstring> split = Split(commandLine);
    ASSERT_EQ(split.size(), arguments.size() + 1);
    for (size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(split[i + 1], arguments[i]) << i;
}

TEST(Utf8, RoundTripsBeyondTheAnsiCodePage)
{
    const std::wstring text = L"Caf\u00e9 \u65e5\u672c \U0001F4F6";
    EXPECT_EQ(Utf8Of(text), "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\xB6");
    EXPECT_EQ(WideOfUtf8(Utf8Of(text)), text);
    EXPECT_EQ(Utf8Of(L""), "");
    EXPECT_EQ(WideOfAnsi("plain"), L"plain");
}

TEST_F(UnixSide, NamesCrossBothWays)
{
    ASSERT_TRUE(RunningUnderWine());
    const std::wstring file = m_folder + L"\\answer.txt";
    const std::string unixName = UnixPathOf(file);
    ASSERT_FALSE(unixName.empty());
    EXPECT_EQ(unixName.front(), '/');
    EXPECT_NE(unixName.find("\xC3\xB1"
                            "and\xC3\xBA"),
              std::string::npos)
        << "UTF-8 on the Unix side";
    // Back to a name of the same file (Wine may choose another drive for it).
    const std::wstring back = WindowsPathOf(unixName);
    ASSERT_FALSE(back.empty());
    std::ofstream(std::filesystem::path(file)) << "x";
    EXPECT_NE(GetFileAttributesW(back.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(UnixPathOf(L"").empty());
    EXPECT_TRUE(WindowsPathOf("").empty());
}

TEST_F(UnixSide, UnixProgramGetsItsArgumentsUnchanged)
{
    EXPECT_FALSE(StartUnixProgram({}));
    EXPECT_FALSE(StartUnixProgram({""}));

    const std::wstring file = m_folder + L"\\said.txt";
    const std::string said = "a \"quoted\" word\\ and \xC3\xB1 $HOME";
    ASSERT_TRUE(StartUnixProgram({"/bin/sh", "-c", "printf %s \"$1\" >\"$2.tmp\" && mv \"$2.tmp\" \"$2\"",
                                  "sh", said, UnixPathOf(file)}));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in{std::filesystem::path(file), std::ios::binary};
    const std::string got{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(got, said);
}
