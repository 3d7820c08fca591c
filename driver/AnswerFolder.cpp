// Answer folders: a run proves it is alive by holding its lock file open
// without delete sharing, so a lock file that can be deleted marks a folder
// whose run has ended.
#include "driver/AnswerFolder.h"

#include <cstdio>
#include <utility>

#include "afx/AfxSetup.h"

namespace
{

constexpr char kLockName[] = "run.lock";
constexpr int kNameAttempts = 16;

// Every file directly in 'folder' (ending in a backslash), then the folder.
// Subfolders are never the program's, so they keep the folder in place.
void RemoveFolderAndFiles(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileA((folder + found.cFileName).c_str());
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

AnswerFolder::~AnswerFolder()
{
    Remove();
}

AnswerFolder::AnswerFolder(AnswerFolder&& other) noexcept
    : m_path(std::move(other.m_path)), m_lock(std::move(other.m_lock))
{
    other.m_path.clear();
}

AnswerFolder& AnswerFolder::operator=(AnswerFolder&& other) noexcept
{
    if (this != &other)
    {
        Remove();
        m_path = std::move(other.m_path);
        m_lock = std::move(other.m_lock);
        other.m_path.clear();
    }
    return *this;
}

AnswerFolder AnswerFolder::Create(const std::string& parent)
{
    AnswerFolder folder;
    for (int attempt = 0; attempt < kNameAttempts && !folder.IsValid(); ++attempt)
    {
        char name[64];
        std::snprintf(name, sizeof name, "%s%lu-%llu\\", kAnswerFolderPrefix,
                      static_cast<unsigned long>(::GetCurrentProcessId()),
                      static_cast<unsigned long long>(::GetTickCount64()) + attempt);
        const std::string path = parent + name;
        // Made new: an existing folder of that name may be someone else's.
        if (!::CreateDirectoryA(path.c_str(), nullptr))
            continue;
        // Another run's sweep may take the folder before its lock exists;
        // then the lock can't be made and another name is tried.
        KernelHandle lock(::CreateFileA((path + kLockName).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!lock.IsValid())
        {
            ::RemoveDirectoryA(path.c_str());
            continue;
        }
        folder.m_path = path;
        folder.m_lock = std::move(lock);
    }
    return folder;
}

void AnswerFolder::Remove()
{
    if (m_path.empty())
        return;
    m_lock.Reset();
    RemoveFolderAndFiles(m_path);
    m_path.clear();
}

void SweepStaleAnswerFolders(const std::string& parent)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((parent + kAnswerFolderPrefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
    {
        // A link may lead anywhere: only real folders are emptied.
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) !=
            FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::string folder = parent + found.cFileName + "\\";
        if (::DeleteFileA((folder + kLockName).c_str()))
            RemoveFolderAndFiles(folder);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}
