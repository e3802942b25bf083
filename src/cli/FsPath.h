#pragma once

#include <filesystem>
#include <string>

namespace embtool {

// The path the library's StdioFile opens for path: UTF-16 as is on Windows, UTF-8 elsewhere.
std::filesystem::path ToFsPath(const std::u16string& path);

// The UTF-16 text of a path the file system gave; empty for a name that is no UTF-8 elsewhere.
std::u16string FromFsPath(const std::filesystem::path& path);

// The path as UTF-8 for messages.
std::string DisplayPath(const std::u16string& path);

}  // namespace embtool
