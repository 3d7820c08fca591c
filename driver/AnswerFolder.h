// The folder that one run of the program gives the Linux helper for its
// answer files: made new, so nothing is planted in it beforehand, held by a
// lock file while the run lasts and removed with its contents at the end.
#pragma once

#include <string>

#include "afx/UniqueHandle.h"

// Answer folders under a parent folder are named this, then a number.
constexpr const char kAnswerFolderPrefix[] = "kesu-wlan-";

class AnswerFolder
{
public:
    AnswerFolder() = default;
    // Removes the folder and every file in it.
    ~AnswerFolder();

    AnswerFolder(AnswerFolder&& other) noexcept;
    AnswerFolder& operator=(AnswerFolder&& other) noexcept;
    AnswerFolder(const AnswerFolder&) = delete;
    AnswerFolder& operator=(const AnswerFolder&) = delete;

    // A new folder under 'parent' (a path ending in a backslash); not valid
    // if none could be made.
    static AnswerFolder Create(const std::string& parent);

    bool IsValid() const { return m_lock.IsValid(); }
    // Ends in a backslash.
    const std::string& Path() const { return m_path; }

private:
    void Remove();

    std::string m_path;
    KernelHandle m_lock;
};

// Removes the answer folders under 'parent' whose runs ended without
// removing them (a crash): those whose lock file no run holds open. Folders
// without a lock file are not the program's and are left alone.
void SweepStaleAnswerFolders(const std::string& parent);
