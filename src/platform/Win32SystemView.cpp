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
