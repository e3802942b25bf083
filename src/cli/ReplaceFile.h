#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace embtool {

struct ReplaceResult {
    bool ok = false;
    std::string message;  // one line naming the file when not ok
};

// Writes bytes to a new file beside path and renames it over path only once every byte is
// written, flushed and closed. On failure path is as it was and the new file is gone.
ReplaceResult ReplaceFileContents(const std::u16string& path, std::span<const std::uint8_t> bytes);

}  // namespace embtool
