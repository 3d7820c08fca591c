// One run of the helper per request. Under Wine a Unix program's output
// never reaches a pipe and its process can't be waited on, but the files it
// writes appear: the helper renames its finished answer into place and this
// side polls for it, up to a time limit.
#include "driver/LinuxHelperCard.h"

#include <atomic>
#include <cstdio>
#include <deque>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "afx/AfxSetup.h"
#include "driver/HelperAnswer.h"
#include "driver/KernelHandle.h"
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

class LinuxHelperCard : public IDevice
{
public:
    LinuxHelperCard(std::string helper, std::string interfaceName, std::string tempFolder)
        : m_helper(std::move(helper)), m_interface(std::move(interfaceName)),
          m_tempFolder(std::move(tempFolder))
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
        char name[64];
        std::snprintf(name, sizeof name, "kesu-wlan-%lu-%u.ans",
                      static_cast<unsigned long>(::GetCurrentProcessId()), ++g_answerNumber);
        const std::string answer = m_tempFolder + name;
        const std::string unixAnswer = UnixPathOf(WideOfAnsi(answer));
        if (unixAnswer.empty())
            return false;
        ::DeleteFileA(answer.c_str());
        if (!StartUnixProgram(
                {Utf8Of(WideOfAnsi(m_helper)), word, Utf8Of(WideOfAnsi(m_interface)), unixAnswer}))
            return false;

        const ULONGLONG deadline = ::GetTickCount64() + kLinuxHelperTimeoutMs;
        std::vector<uint8_t> bytes;
        while (!ReadAnswer(answer, &bytes))
        {
            if (::GetTickCount64() >= deadline)
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

    std::string m_helper;
    std::string m_interface;
    std::string m_tempFolder;
    std::deque<std::string> m_late;
};

}  // namespace

std::unique_ptr<IDevice> OpenLinuxHelperCard(const char* serviceName)
{
    if (serviceName == nullptr || !RunningUnderWine())
        return nullptr;
    const std::vector<std::string> descriptions = NetworkCardDescriptions(serviceName);
    if (descriptions.empty() || !IsLinuxInterfaceName(descriptions.front().c_str()))
        return nullptr;
    const std::string& interfaceName = descriptions.front();
    const std::string helper = ProgramFolder() + kLinuxHelperName;
    const DWORD attributes = ::GetFileAttributesA(helper.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    char temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return nullptr;

    std::unique_ptr<LinuxHelperCard> card(new (std::nothrow) LinuxHelperCard(helper, interfaceName, temp));
    std::vector<uint8_t> address;
    if (!card || !card->Ask(OID_802_3_CURRENT_ADDRESS, &address) || address.size() != kMacAddressLength)
        return nullptr;
    return card;
}
