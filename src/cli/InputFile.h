#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace embtool {

// Larger inputs are refused: a user-word file is 127,090 bytes and a full word list a few
// hundred kilobytes.
inline constexpr std::uint64_t kMaxInputSize = 64u * 1024u * 1024u;

// Every byte of the file at path, or nullopt after one line on err naming the file.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::u16string& path,
                                                       std::ostream& err);

}  // namespace embtool
