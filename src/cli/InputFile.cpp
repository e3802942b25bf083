#include "InputFile.h"

#include <ostream>
#include <system_error>

#include "FsPath.h"
#include "StdioFile.h"

namespace embtool {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::u16string& path,
                                                       std::ostream& err) {
    // A folder opens as a stream on Linux and would read as an empty file.
    std::error_code ignored;
    if (std::filesystem::is_directory(ToFsPath(path), ignored)) {
        err << "cannot read " << DisplayPath(path) << ": it is a folder\n";
        return std::nullopt;
    }
    auto file = emb::StdioFile::Open(path, emb::StdioFile::Mode::Read);
    if (!file) {
        err << "cannot open " << DisplayPath(path) << '\n';
        return std::nullopt;
    }
    const std::optional<std::uint64_t> size = file->Size();
    if (!size) {
        err << "cannot read " << DisplayPath(path) << '\n';
        return std::nullopt;
    }
    if (*size > kMaxInputSize) {
        err << "cannot read " << DisplayPath(path) << ": larger than " << kMaxInputSize
            << " bytes\n";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*size));
    if (!bytes.empty() && file->ReadAt(0, bytes) != bytes.size()) {
        err << "cannot read " << DisplayPath(path) << '\n';
        return std::nullopt;
    }
    return bytes;
}

}  // namespace embtool
