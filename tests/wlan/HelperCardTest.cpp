// The Linux helper card under Wine, without Kesu.exe: a request whose answer
// never comes is given up once the scan's run flag clears, and the answer
// folders of runs that ended without removing theirs are swept.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>

#include "afx/AfxSetup.h"
#include "driver/AnswerFolder.h"
#include "driver/LinuxHelperCard.h"
#include "scan/NdisTypes.h"
#include "tests/wlan/CannedNetworks.h"

namespace
{

std::string BinFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

std::string TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool AnyFileLike(const std::string& pattern)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

void MakeFile(const std::string& path)
{
    CloseHandle(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(HelperCard, ListRequestIsAbandonedWhenTheRunFlagClears)
{
    AnswerFolder folder = AnswerFolder::Create(TempFolder());
    ASSERT_TRUE(folder.IsValid());
    LinuxHelperSetup setup;
    setup.helper = BinFolder() + "standin-listless\\kesu-wlan";
    setup.interfaceName = kStandInInterface;
    setup.answerFolder = folder.Path();
    setup.timeoutMs = 120000;  // only the flag can end the wait in time
    std::atomic<int32_t> running{1};
    std::unique_ptr<IDevice> card = OpenLinuxHelperCardWith(setup, RunFlagView(running));
    ASSERT_TRUE(card) << "the address request is answered";

    std::future<bool> listed = std::async(std::launch::async, [&] {
        const uint32_t oid = OID_802_11_BSSID_LIST;
        uint8_t list[kBssidListBufferSize] = {};
        return card->IoControl(IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, list, sizeof list);
    });
    const ULONGLONG start = GetTickCount64();
    while (!AnyFileLike(folder.Path() + "*.asked") && GetTickCount64() - start < 30000)
        Sleep(10);
    ASSERT_TRUE(AnyFileLike(folder.Path() + "*.asked")) << "the helper was never asked for the list";
    running = 0;
    const bool ended = listed.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    EXPECT_TRUE(ended) << "still waiting for the answer after the stop";
    EXPECT_FALSE(listed.get());
}

TEST(HelperCard, FoldersOfEndedRunsAreSweptAndOthersLeftAlone)
{
    const std::string parent = TempFolder() + "kesu-sweep-" + std::to_string(GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(CreateDirectoryA(parent.c_str(), nullptr));
    // A crashed run's folder: its lock file is there, but nobody holds it.
    const std::string stale = parent + kAnswerFolderPrefix + "1-1\\";
    ASSERT_TRUE(CreateDirectoryA(stale.c_str(), nullptr));
    for (const char* name : {"run.lock", "3.ans", "4.ans.part"})
        MakeFile(stale + name);
    // A folder of that name that no run made.
    const std::string foreign = parent + kAnswerFolderPrefix + "notes\\";
    ASSERT_TRUE(CreateDirectoryA(foreign.c_str(), nullptr));
    MakeFile(foreign + "keep.txt");
    std::string livePath;
    {
        AnswerFolder live = AnswerFolder::Create(parent);
        ASSERT_TRUE(live.IsValid());
        livePath = live.Path();
        MakeFile(livePath + "5.ans");

        SweepStaleAnswerFolders(parent);
        EXPECT_FALSE(Exists(stale)) << "the crashed run's folder";
        EXPECT_TRUE(Exists(livePath + "5.ans")) << "a running one's answer";
        EXPECT_TRUE(Exists(foreign + "keep.txt"));
    }
    EXPECT_FALSE(Exists(livePath)) << "a run's folder goes with it, answers and all";
    DeleteFileA((foreign + "keep.txt").c_str());
    RemoveDirectoryA(foreign.c_str());
    EXPECT_TRUE(RemoveDirectoryA(parent.c_str()));
}

}  // namespace
