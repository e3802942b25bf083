#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "WordRecord.h"

namespace uitest {

using Bytes = std::vector<std::uint8_t>;

// The input method as the program finds it on this machine: code-table files in the system
// folder and the two user-word files in the profile. Starts with none of them and removes what
// it made.
class InstalledLibraries {
public:
    InstalledLibraries();
    ~InstalledLibraries();
    InstalledLibraries(const InstalledLibraries&) = delete;
    InstalledLibraries& operator=(const InstalledLibraries&) = delete;

    void InstallEdition(const std::wstring& edition);
    // The first pair's library files.
    std::wstring TraditionalPath() const { return m_ime + L"EDNQB\\EDNQB.EMB"; }
    std::wstring SimplifiedPath() const { return m_ime + L"EDNQA\\EDNQA.EMB"; }
    std::wstring ImeFolder() const { return m_ime; }
    std::wstring TempPath(const std::wstring& name) const;

    static void Write(const std::wstring& path, const Bytes& bytes);
    static void WriteLibrary(const std::wstring& path, const std::vector<emb::WordRecord>& words);
    static Bytes Read(const std::wstring& path);
    static bool Exists(const std::wstring& path);

private:
    void RemoveAll();

    std::wstring m_system;
    std::wstring m_wow64System;  // a table there counts as installed too
    std::wstring m_ime;
    std::wstring m_temp;
};

}  // namespace uitest
