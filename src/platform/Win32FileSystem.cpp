#include "Win32FileSystem.h"

#include <windows.h>

#include "WideText.h"

namespace emb {

bool Win32FileSystem::CopyReplacing(const std::u16string& from, const std::u16string& to) {
    return CopyFileW(AsWide(from), AsWide(to), FALSE) != FALSE;
}

void Win32FileSystem::CreateFolder(const std::u16string& path) {
    CreateDirectoryW(AsWide(path), nullptr);
}

}  // namespace emb
