#include "InstalledLibraries.h"

#include <shlobj.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "UserWordFormat.h"

namespace uitest {
namespace {

namespace fs = std::filesystem;

const wchar_t* const kEditions[] = {L"EDNQB", L"EDNQA", L"EDNBX", L"EDNAX", L"EDNB700", L"EDNA700"};

}  // namespace

InstalledLibraries::InstalledLibraries() {
    wchar_t buffer[MAX_PATH] = {};
    ::GetSystemDirectoryW(buffer, MAX_PATH);
    m_system = buffer;
    ::GetWindowsDirectoryW(buffer, MAX_PATH);
    m_wow64System = std::wstring(buffer) + L"\\SysWOW64";
    wchar_t profile[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, profile, CSIDL_PROFILE, FALSE);
    m_ime = std::wstring(profile) + L"\\Application Data\\Microsoft\\IME\\";
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    m_temp = std::wstring(temp) + L"ui-test-files";
    RemoveAll();
    fs::create_directories(m_temp);
}

InstalledLibraries::~InstalledLibraries() {
    RemoveAll();
}

void InstalledLibraries::RemoveAll() {
    std::error_code ignored;
    for (const wchar_t* edition : kEditions) {
        fs::remove(m_system + L"\\" + edition + L".MB", ignored);
        fs::remove(m_wow64System + L"\\" + edition + L".MB", ignored);
        fs::remove_all(m_ime + edition, ignored);
    }
    fs::remove_all(m_temp, ignored);
}

void InstalledLibraries::InstallEdition(const std::wstring& edition) {
    Write(m_system + L"\\" + edition + L".MB", Bytes{'M', 'B'});
}

std::wstring InstalledLibraries::TempPath(const std::wstring& name) const {
    return m_temp + L"\\" + name;
}

void InstalledLibraries::Write(const std::wstring& path, const Bytes& bytes) {
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void InstalledLibraries::WriteLibrary(const std::wstring& path,
                                      const std::vector<emb::WordRecord>& words) {
    Write(path, emb::BuildFileImage(words).bytes);
}

Bytes InstalledLibraries::Read(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool InstalledLibraries::Exists(const std::wstring& path) {
    return fs::exists(fs::path(path));
}

}  // namespace uitest
