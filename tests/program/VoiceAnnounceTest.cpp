// The program's announcements through the voice start-up created: under the
// test bed that is the project's own, which scripts/wine-run points at a WAV
// folder. Each announcement must become one file of speech, in list order.
#include "tests/program/ProgramTestSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "res/resource.h"
#include "wine/WineBridge.h"

namespace
{

std::string Contents(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Sentence files of the folder written since 'since', by number, their texts
// as written. Earlier runs in the same bed leave theirs there.
std::vector<std::pair<std::wstring, std::string>> Sentences(const std::wstring& folder, const FILETIME& since)
{
    std::vector<std::pair<std::wstring, std::string>> sentences;
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((folder + L"\\*.txt").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return sentences;
    do
    {
        if (CompareFileTime(&found.ftLastWriteTime, &since) < 0)
            continue;
        std::wstring base = folder + L"\\" + found.cFileName;
        base.resize(base.size() - 4);
        sentences.emplace_back(base, Contents(base + L".txt"));
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
    std::sort(sentences.begin(), sentences.end());
    return sentences;
}

// Seconds of sound in a WAV file the engine has finished (its header then
// gives the true sizes); 0 while it is still being written.
double FinishedSeconds(const std::wstring& wavPath)
{
    const std::string wav = Contents(wavPath);
    uint32_t riffSize = 0, bytesPerSecond = 0;
    if (wav.size() <= 44 || wav.compare(0, 4, "RIFF") != 0)
        return 0;
    std::memcpy(&riffSize, wav.data() + 4, 4);
    std::memcpy(&bytesPerSecond, wav.data() + 28, 4);
    if (riffSize != wav.size() - 8 || bytesPerSecond == 0)
        return 0;
    return static_cast<double>(wav.size() - 44) / bytesPerSecond;
}

}  // namespace

TEST_F(ProgramTest, EachAnnouncementIsSpokenIntoOneWavInListOrder)
{
    FILETIME start;
    GetSystemTimeAsFileTime(&start);
    const char* pFolder = std::getenv("KESU_VOICE_WAV");
    ASSERT_NE(nullptr, pFolder) << "run under scripts/wine-run";
    ASSERT_NE(nullptr, App().m_pVoice.Get()) << "no voice registered in the test bed";
    const std::wstring folder =
        pFolder[0] == '/' ? WindowsPathOf(pFolder) : std::wstring(pFolder, pFolder + std::strlen(pFolder));

    m_card.AddPass(
        PassHearing({MakeScriptedElement(0x41, "Voz Uno", -45), MakeScriptedElement(0x42, "Voz Dos", -60),
                     MakeScriptedElement(0x43, "Voz Tres", -70)}));
    NewScan();
    FinishPass(1);
    App().m_announced.clear();
    Tick(ID_TIMER_REFRESH);
    ASSERT_EQ(3u, App().m_announced.size());

    // Ours among whatever else the bed's programs said there, numbered in the order announced.
    std::vector<std::pair<std::wstring, std::string>> ours;
    auto spoken = [&] {
        ours.clear();
        for (const auto& sentence : Sentences(folder, start))
            if (sentence.second.find("Voz ") != std::string::npos)
                ours.push_back(sentence);
        return ours.size() == 3 && FinishedSeconds(ours.back().first + L".wav") > 0;
    };
    ASSERT_TRUE(PumpUntil(spoken, 15000));
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(App().m_announced[i], ours[i].second);
        const double seconds = FinishedSeconds(ours[i].first + L".wav");
        EXPECT_GT(seconds, 0.04 * ours[i].second.size()) << ours[i].second;
        EXPECT_LT(seconds, 0.25 * ours[i].second.size()) << ours[i].second;
    }
}
