// One run of the helper per request. Under Wine a Unix program's output
// never reaches a pipe and its process can't be waited on, but the files it
// writes appear: the helper renames its finished answer into place and this
// side polls for it, up to a time limit or until the scan is told to stop.
#include "driver/LinuxHelperCard.h"

#include <atomic>
#include <cstdio>
#include <deque>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "afx/AfxSetup.h"
#include "afx/UniqueHandle.h"
#include "driver/AnswerFolder.h"
#include "driver/HelperAnswer.h"
#include "driver/NetworkCards.h"
#include "scan/NdisTypes.h"
#include "wine/WineBridge.h"

namespace
{

constexpr DWORD kPollMs = 10;
// Answers that came too late are deleted when they turn up; a helper that
// never answers must not make this list grow without end.
constexpr size_t kMaxLateAnswers = 32;

std::atomic<unsigned> g_answerNumber{0};

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The whole answer file, once the helper has renamed it into place.
bool ReadAnswer(const std::string& path, std::vector<uint8_t>* bytes)
{
    KernelHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        size.QuadPart > static_cast<LONGLONG>(kHelperAnswerHeader + kHelperMaxPayload))
    {
        bytes->clear();
        return true;
    }
    bytes->assign(static_cast<size_t>(size.QuadPart), 0);
    DWORD read = 0;
    if (!bytes->empty() &&
        (!::ReadFile(file.Get(), bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr) ||
         read != bytes->size()))
    {
        bytes->clear();
    }
    return true;
}

// This run's answer folder under 'temp', made at the first helper card after
// sweeping what crashed runs left, and removed at exit; empty if it can't be
// made (tried again at the next card).
std::string RunAnswerFolder(const std::string& temp)
{
    static std::mutex lock;
    static AnswerFolder folder;
    std::lock_guard<std::mutex> guard(lock);
    if (!folder.IsValid())
    {
        SweepStaleAnswerFolders(temp);
        folder = AnswerFolder::Create(temp);
    }
    return folder.Path();
}

class LinuxHelperCard : public IDevice
{
public:
    LinuxHelperCard(const LinuxHelperSetup& setup, RunFlagView running) : m_setup(setup), m_running(running)
    {
    }

    ~LinuxHelperCard() override
    {
        for (const std::string& late : m_late)
            ::DeleteFileA(late.c_str());
    }

    bool IoControl(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize) override
    {
        uint32_t oid = 0;
        if (!QueryOid(code, in, inSize, &oid) || (outSize != 0 && out == nullptr))
            return false;
        std::vector<uint8_t> payload;
        return Ask(oid, &payload) && ApplyHelperPayload(oid, payload, out, outSize);
    }

    bool Ask(uint32_t oid, std::vector<uint8_t>* payload)
    {
        const char* word = HelperRequestWord(oid);
        if (word == nullptr)
            return false;
        SweepLateAnswers();
        // After a stop nothing new is asked: the request would only be abandoned.
        if (!m_running.Running())
            return false;
        char name[32];
        std::snprintf(name, sizeof name, "%u.ans", ++g_answerNumber);
        const std::string answer = m_setup.answerFolder + name;
        const std::string unixAnswer = UnixPathOf(WideOfAnsi(answer));
        if (unixAnswer.empty())
            return false;
        if (!StartUnixProgram({Utf8Of(WideOfAnsi(m_setup.helper)), word,
                               Utf8Of(WideOfAnsi(m_setup.interfaceName)), unixAnswer}))
            return false;

        const ULONGLONG deadline = ::GetTickCount64() + m_setup.timeoutMs;
        std::vector<uint8_t> bytes;
        while (!ReadAnswer(answer, &bytes))
        {
            // A stop abandons the request; its answer is deleted when it turns up.
            if (!m_running.Running() || ::GetTickCount64() >= deadline)
            {
                if (m_late.size() >= kMaxLateAnswers)
                    m_late.pop_front();
                m_late.push_back(answer);
                return false;
            }
            ::Sleep(kPollMs);
        }
        ::DeleteFileA(answer.c_str());
        uint32_t status = 0;
        return DecodeHelperAnswer(bytes.data(), bytes.size(), payload, &status);
    }

private:
    void SweepLateAnswers()
    {
        for (auto it = m_late.begin(); it != m_late.end();)
            it = ::DeleteFileA(it->c_str()) ? m_late.erase(it) : it + 1;
    }

    LinuxHelperSetup m_setup;
    RunFlagView m_running;
    std::deque<std::string> m_late;
};

}  // namespace

std::unique_ptr<IDevice> OpenLinuxHelperCardWith(const LinuxHelperSetup& setup, RunFlagView running)
{
    std::unique_ptr<LinuxHelperCard> card(new (std::nothrow) LinuxHelperCard(setup, running));
    std::vector<uint8_t> address;
    if (!card || !card->Ask(OID_802_3_CURRENT_ADDRESS, &address) || address.size() != kMacAddressLength)
        return nullptr;
    return card;
}

std::unique_ptr<IDevice> OpenLinuxHelperCard(const char* serviceName, RunFlagView running)
{
    if (serviceName == nullptr || !RunningUnderWine())
        return nullptr;
    const std::vector<std::string> descriptions = NetworkCardDescriptions(serviceName);
    if (descriptions.empty() || !IsLinuxInterfaceName(descriptions.front().c_str()))
        return nullptr;
    LinuxHelperSetup setup;
    setup.interfaceName = descriptions.front();
    setup.helper = ProgramFolder() + kLinuxHelperName;
    const DWORD attributes = ::GetFileAttributesA(setup.helper.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    char temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return nullptr;
    setup.answerFolder = RunAnswerFolder(temp);
    if (setup.answerFolder.empty())
        return nullptr;
    return OpenLinuxHelperCardWith(setup, running);
}
