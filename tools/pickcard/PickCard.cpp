// Reaching into another process's dialog: list-view requests carry pointers,
// so their structures and text live in memory allocated in that process.
#include "tools/pickcard/PickCard.h"

#include <cstring>
#include <vector>

#include "app/LanguageTable.h"
#include "res/LanguageText.h"
#include "res/resource.h"

namespace
{

constexpr DWORD kPollMs = 5;
constexpr size_t kTextSize = 512;

// A block in another process, freed with the object.
class RemoteBlock
{
public:
    RemoteBlock(HWND hWnd, size_t size) : m_hProcess(nullptr), m_pBlock(nullptr)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(hWnd, &pid);
        m_hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_hProcess)
            m_pBlock = VirtualAllocEx(m_hProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBlock()
    {
        if (m_pBlock)
            VirtualFreeEx(m_hProcess, m_pBlock, 0, MEM_RELEASE);
        if (m_hProcess)
            CloseHandle(m_hProcess);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Ok() const { return m_pBlock != nullptr; }
    char* At(size_t offset) const { return static_cast<char*>(m_pBlock) + offset; }
    bool Put(size_t offset, const void* data, size_t size) const
    {
        return WriteProcessMemory(m_hProcess, At(offset), data, size, nullptr) != FALSE;
    }
    bool Get(size_t offset, void* data, size_t size) const
    {
        return ReadProcessMemory(m_hProcess, At(offset), data, size, nullptr) != FALSE;
    }

private:
    HANDLE m_hProcess;
    void* m_pBlock;
};

struct FindDialog
{
    const std::string* title;
    DWORD pid;
    HWND hFound;
};

// A visible window of process 'pid' (0: of any process).
bool IsShownBy(HWND hWnd, DWORD pid)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(hWnd, &owner);
    return IsWindowVisible(hWnd) && (!pid || owner == pid);
}

BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindDialog*>(lParam);
    if (!IsShownBy(hWnd, find->pid))
        return TRUE;
    char text[kTextSize];
    if (GetClassNameA(hWnd, text, sizeof text) == 0 || std::strcmp(text, "#32770") != 0)
        return TRUE;
    GetWindowTextA(hWnd, text, sizeof text);
    if (*find->title != text)
        return TRUE;
    find->hFound = hWnd;
    return FALSE;
}

struct FindFrame
{
    DWORD pid;
    HWND hFound;
};

BOOL CALLBACK MatchFrame(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindFrame*>(lParam);
    if (!IsShownBy(hWnd, find->pid) || !FindWindowExA(hWnd, nullptr, STATUSCLASSNAMEA, nullptr))
        return TRUE;
    find->hFound = hWnd;
    return FALSE;
}

// The save prompt the frame shows before closing or replacing a changed list: a message box
// owned by the frame.
BOOL CALLBACK MatchPrompt(HWND hWnd, LPARAM lParam)
{
    auto* find = reinterpret_cast<FindFrame*>(lParam);
    if (!IsWindowVisible(hWnd) || GetWindow(hWnd, GW_OWNER) != find->hFound)
        return TRUE;
    char cls[64];
    if (GetClassNameA(hWnd, cls, sizeof cls) == 0 || std::strcmp(cls, "#32770") != 0)
        return TRUE;
    if (HWND hNo = GetDlgItem(hWnd, IDNO))
        PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(hNo));
    return TRUE;
}

// One text of spanish.lng beside this program, as Kesu.exe shows it; empty
// if the file can't be read.
std::string ProgramText(LanguageText text)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    char* pSlash = std::strrchr(path, '\\');
    std::string file = pSlash ? std::string(path, pSlash + 1) : std::string();
    file += "spanish.lng";
    CLanguageTable table;
    if (!table.Open(file.c_str()))
        return std::string();
    std::string result = table.GetString(static_cast<int>(text));
    table.Close();
    return result;
}

}  // namespace

std::string AdapterDialogTitle()
{
    return ProgramText(LanguageText::AdapterTitle);
}

HWND WaitForAdapterDialog(const std::string& title, DWORD pid, DWORD timeoutMs)
{
    const ULONGLONG start = GetTickCount64();
    for (;;)
    {
        FindDialog find = {&title, pid, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&find));
        if (find.hFound)
            return find.hFound;
        if (GetTickCount64() - start >= timeoutMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

PickResult ChooseCard(HWND hDialog, const char* service)
{
    HWND hList = GetDlgItem(hDialog, IDC_ADAPTER_LIST);
    if (!hList)
        return kNoSuchCard;
    RemoteBlock block(hList, sizeof(LVITEMA) + kTextSize);
    if (!block.Ok())
        return kNoAccess;
    auto* pRemoteItem = reinterpret_cast<LVITEMA*>(block.At(0));
    char* pRemoteText = block.At(sizeof(LVITEMA));

    const int rows = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    int found = -1;
    for (int row = 0; row < rows && found < 0; ++row)
    {
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = pRemoteText;
        item.cchTextMax = static_cast<int>(kTextSize);
        if (!block.Put(0, &item, sizeof item))
            return kNoAccess;
        SendMessageA(hList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(pRemoteItem));
        char text[kTextSize] = {};
        if (!block.Get(sizeof(LVITEMA), text, sizeof text - 1))
            return kNoAccess;
        if (std::strcmp(text, service) == 0)
            found = row;
    }
    if (found < 0)
        return kNoSuchCard;

    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (!block.Put(0, &state, sizeof state))
        return kNoAccess;
    SendMessageA(hList, LVM_SETITEMSTATE, found, reinterpret_cast<LPARAM>(pRemoteItem));
    SendMessageA(hList, LVM_SETSELECTIONMARK, 0, found);
    // Posted: the dialog's owner goes on with the new document before a sent
    // message would come back.
    PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, IDOK)));
    const ULONGLONG start = GetTickCount64();
    while (IsWindow(hDialog) && IsWindowVisible(hDialog))
    {
        if (GetTickCount64() - start >= 5000)
            return kStillOpen;
        Sleep(kPollMs);
    }
    return kPicked;
}

HWND FindMainFrame(DWORD pid)
{
    FindFrame find = {pid, nullptr};
    EnumWindows(MatchFrame, reinterpret_cast<LPARAM>(&find));
    return find.hFound;
}

int StatusPaneLength(HWND hFrame, int pane)
{
    HWND hStatus = FindWindowExA(hFrame, nullptr, STATUSCLASSNAMEA, nullptr);
    if (!hStatus)
        return -1;
    return LOWORD(SendMessageA(hStatus, SB_GETTEXTLENGTHA, pane, 0));
}

int ListRowCount(HWND hFrame)
{
    HWND hList = FindWindowExA(hFrame, nullptr, WC_LISTVIEWA, nullptr);
    if (!hList)
        return -1;
    return static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListCellText(HWND hFrame, int row, int column)
{
    HWND hList = FindWindowExA(hFrame, nullptr, WC_LISTVIEWA, nullptr);
    if (!hList)
        return std::string();
    RemoteBlock block(hList, sizeof(LVITEMA) + kTextSize);
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = block.At(sizeof(LVITEMA));
    item.cchTextMax = static_cast<int>(kTextSize);
    char text[kTextSize] = {};
    if (!block.Ok() || !block.Put(0, &item, sizeof item))
        return std::string();
    SendMessageA(hList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.At(0)));
    block.Get(sizeof(LVITEMA), text, sizeof text - 1);
    return text;
}

std::string StatusPaneText(HWND hFrame, int pane)
{
    HWND hStatus = FindWindowExA(hFrame, nullptr, STATUSCLASSNAMEA, nullptr);
    if (!hStatus)
        return std::string();
    RemoteBlock block(hStatus, kTextSize);
    char text[kTextSize] = {};
    const size_t length = LOWORD(SendMessageA(hStatus, SB_GETTEXTLENGTHA, pane, 0));
    if (!block.Ok() || length >= kTextSize)
        return std::string();
    SendMessageA(hStatus, SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(block.At(0)));
    block.Get(0, text, length);
    return text;
}

bool ShowsScanning(HWND hFrame, DWORD timeoutMs)
{
    const std::string scanning = ProgramText(LanguageText::Scanning);
    const ULONGLONG start = GetTickCount64();
    while (scanning.empty() || StatusPaneText(hFrame, 1) != scanning)
    {
        if (GetTickCount64() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

void DeclineSave(HWND hFrame)
{
    FindFrame find = {0, hFrame};
    EnumWindows(MatchPrompt, reinterpret_cast<LPARAM>(&find));
}

bool CloseWithoutSaving(HWND hFrame, DWORD timeoutMs)
{
    PostMessageA(hFrame, WM_CLOSE, 0, 0);
    const ULONGLONG start = GetTickCount64();
    while (IsWindow(hFrame))
    {
        if (GetTickCount64() - start >= timeoutMs)
            return false;
        DeclineSave(hFrame);
        Sleep(20);
    }
    return true;
}

DWORD EndProcess(PROCESS_INFORMATION& pi, DWORD timeoutMs)
{
    if (WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
    {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 10000);
    }
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    pi = {};
    return code;
}
