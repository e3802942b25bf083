#include "FsPath.h"

#include "Utf8.h"

namespace embtool {

std::filesystem::path ToFsPath(const std::u16string& path) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(path.begin(), path.end()));
#else
    // Native narrow bytes: no locale-dependent conversion, the same name StdioFile opens.
    return std::filesystem::path(emb::ToUtf8(path));
#endif
}

std::u16string FromFsPath(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::wstring text = path.wstring();
    return std::u16string(text.begin(), text.end());
#else
    return emb::FromUtf8(path.string()).value_or(std::u16string());
#endif
}

std::string DisplayPath(const std::u16string& path) {
    // Appended piece by piece: g++ 12 at -O3 warns falsely (-Wrestrict) about "'" + text.
    std::string text(1, '\'');
    text += emb::ToUtf8(path);
    text += '\'';
    return text;
}

}  // namespace embtool
