#include "Win32SystemView.h"

#include <shlobj.h>
#include <windows.h>

#include "WideText.h"

namespace emb {

std::u16string Win32SystemView::WindowsDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    // A longer answer is the size it would need, and the buffer holds nothing.
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return TextBeforeNul(buffer, MAX_PATH);
}

std::u16string Win32SystemView::ProfileFolder() {
    // The call writes up to MAX_PATH units, whatever the path's length.
    wchar_t buffer[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_PROFILE, FALSE);
    return TextBeforeNul(buffer, MAX_PATH);
}

std::u16string Win32SystemView::OtherSystemDirectory() {
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
        // This 32-bit process is redirected from system32 to the 32-bit folder; the alias
        // reaches the real one (from Vista on; where it is missing, nothing is found there).
        const std::u16string windows = WindowsDirectory();
        return windows.empty() ? std::u16string() : windows + u"\\Sysnative";
    }
    // Fails on 32-bit Windows, which has no such folder.
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetSystemWow64DirectoryW(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return TextBeforeNul(buffer, MAX_PATH);
}

std::optional<std::uint32_t> Win32SystemView::FindFirstAttributes(const std::u16string& path) {
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW(AsWide(path), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    FindClose(search);
    return found.dwFileAttributes;
}

void Win32SystemView::CreateFolder(const std::u16string& path) {
    CreateDirectoryW(AsWide(path), nullptr);
}

}  // namespace emb
