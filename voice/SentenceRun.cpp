// One sentence through a small shell wrapper. Under Wine neither the engine's
// process handle nor a pipe reaches us, but files do: the wrapper writes the
// engine's process id when it starts it and the exit status when it ends,
// each by an atomic rename so a file that exists is complete.
#include "voice/SentenceRun.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "afx/UniqueHandle.h"
#include "wine/WineBridge.h"

namespace
{

// $1 engine, $2 text file, $3 process-id file, $4 exit-status file, then the
// engine's output options. Its output goes nowhere: no terminal is ours. The
// process-id file holds the engine's id and start time (field 22 of its stat,
// read by a built-in before anything could reap it), so that the id is never
// taken for another process that got it later.
const char kWrapper[] = "exec </dev/null >/dev/null 2>&1; e=$1 t=$2 p=$3 d=$4; shift 4; "
                        "\"$e\" -v es -b 1 \"$@\" -f \"$t\" & q=$!; r=; "
                        "read -r s </proc/$q/stat && set -- ${s##*)} && [ $# -ge 20 ] && shift 19 && r=$1; "
                        "echo \"$q $r\" >\"$p.tmp\"; mv \"$p.tmp\" \"$p\"; "
                        "wait $q; echo $? >\"$d.tmp\"; mv \"$d.tmp\" \"$d\"";

// $1 process id, $2 its recorded start time: signalled only while both still match.
const char kEnder[] =
    "exec </dev/null >/dev/null 2>&1; p=$1 t=$2; read -r s </proc/$p/stat || exit; "
    "set -- ${s##*)}; [ $# -ge 20 ] && shift 19 && [ \"$1\" = \"$t\" ] && kill -TERM \"$p\"";

const DWORD kPollMs = 20;
// How long an ending engine may take to say so.
const DWORD kEndingMs = 2000;
// The engine speaks about 15 characters a second; twice that time and more is a hang.
const ULONGLONG kLimitPerCharacterMs = 150;
// The shell's statuses for an engine it could not run.
const char kNotExecutable[] = "126";
const char kNotFound[] = "127";

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteWholeFile(const KernelHandle& hFile, const std::string& data)
{
    DWORD written = 0;
    return hFile.IsValid() &&
           WriteFile(hFile.Get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
           written == data.size();
}

KernelHandle CreateTextFile(const std::wstring& path, DWORD disposition)
{
    return KernelHandle(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The text file of the first free number from 'number' on, created anew so
// that programs sharing a WAV folder never write over each other's files.
KernelHandle ClaimWavNumber(const std::wstring& folder, unsigned& number)
{
    for (int attempt = 0; attempt < 10000; ++attempt, ++number)
    {
        const std::wstring base = folder + L"\\" + SentenceName(number);
        if (GetFileAttributesW((base + L".wav").c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        KernelHandle hFile = CreateTextFile(base + L".txt", CREATE_NEW);
        if (hFile.IsValid() || GetLastError() != ERROR_FILE_EXISTS)
            return hFile;
    }
    return KernelHandle();
}

// The first line of a file of a few bytes; empty when it can't be read.
std::string ReadShortFile(const std::wstring& path)
{
    KernelHandle hFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    char buffer[64] = {};
    DWORD read = 0;
    if (!hFile.IsValid() || !ReadFile(hFile.Get(), buffer, sizeof buffer - 1, &read, nullptr))
        return std::string();
    std::string text(buffer, read);
    return text.substr(0, text.find('\n'));
}

// Waits up to 'ms' for 'path' to appear; false if it didn't.
bool AwaitFile(const std::wstring& path, DWORD ms)
{
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (!Exists(path))
    {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

bool IsNumber(const std::string& text, size_t maxDigits)
{
    return !text.empty() && text.size() <= maxDigits && text[0] != '0' &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

// Ends a running engine; the wrapper then reports its end as for any other.
void EndEngine(const std::wstring& pidPath, const std::wstring& donePath)
{
    if (AwaitFile(pidPath, kEndingMs) && EndRecordedProcess(ReadShortFile(pidPath)))
        AwaitFile(donePath, kEndingMs);
}

}  // namespace

bool EndRecordedProcess(const std::string& record)
{
    const size_t space = record.find(' ');
    if (space == std::string::npos)
        return false;
    const std::string id = record.substr(0, space);
    const std::string start = record.substr(space + 1);
    // Ids stay below 2^22; start times are clock ticks since boot.
    if (!IsNumber(id, 7) || !IsNumber(start, 20))
        return false;
    return StartUnixProgram({"/bin/sh", "-c", kEnder, "kesu-voice", id, start});
}

std::wstring SentenceName(unsigned number)
{
    wchar_t name[16];
    swprintf(name, sizeof name / sizeof name[0], L"%04u", number);
    return name;
}

SentenceResult SpeakSentence(const SpeechPlace& place, const std::string& utf8, unsigned& number,
                             HANDLE hStop)
{
    const bool toWav = !place.wavFolder.empty();
    KernelHandle hText = toWav ? ClaimWavNumber(place.wavFolder, number) : KernelHandle();
    const std::wstring name = SentenceName(number);
    const std::wstring work = place.workFolder + L"\\" + name;
    // Beside its WAV the text stays, to tell which sentence each file holds.
    const std::wstring textPath = (toWav ? place.wavFolder + L"\\" + name : work) + L".txt";
    const std::wstring pidPath = work + L".pid";
    const std::wstring donePath = work + L".done";

    SentenceResult result = SentenceResult::NotStarted;
    std::vector<std::string> command = {"/bin/sh",
                                        "-c",
                                        kWrapper,
                                        "kesu-voice",
                                        place.engine,
                                        UnixPathOf(textPath),
                                        UnixPathOf(pidPath),
                                        UnixPathOf(donePath)};
    if (toWav)
    {
        command.push_back("-w");
        command.push_back(UnixPathOf(place.wavFolder + L"\\" + name + L".wav"));
    }
    bool namesKnown = true;
    for (const std::string& argument : command)
        namesKnown = namesKnown && !argument.empty();

    if (!toWav)
        hText = CreateTextFile(textPath, CREATE_ALWAYS);
    const bool written = namesKnown && WriteWholeFile(hText, utf8);
    hText.Reset();
    if (namesKnown && !written)
        result = SentenceResult::Failed;
    else if (written && StartUnixProgram(command))
    {
        const ULONGLONG deadline = GetTickCount64() + place.limitMs + kLimitPerCharacterMs * utf8.size();
        for (;;)
        {
            if (Exists(donePath))
            {
                const std::string status = ReadShortFile(donePath);
                result = status == "0"                                     ? SentenceResult::Spoken
                         : status == kNotExecutable || status == kNotFound ? SentenceResult::NotStarted
                                                                           : SentenceResult::Failed;
                break;
            }
            const bool stop = WaitForSingleObject(hStop, kPollMs) == WAIT_OBJECT_0;
            if (stop || GetTickCount64() >= deadline)
            {
                EndEngine(pidPath, donePath);
                result = stop ? SentenceResult::Stopped : SentenceResult::Failed;
                break;
            }
        }
    }
    DeleteFileW(pidPath.c_str());
    DeleteFileW(donePath.c_str());
    if (!toWav)
        DeleteFileW(textPath.c_str());
    return result;
}
