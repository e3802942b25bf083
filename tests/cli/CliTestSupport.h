#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "WordRecord.h"

namespace embtool::test {

using Bytes = std::vector<std::uint8_t>;

// A new empty folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // The full UTF-16 path of name inside the folder.
    std::u16string Path(std::u16string_view name) const;
    // The names of everything in the folder, sorted.
    std::vector<std::u16string> Names() const;

private:
    std::filesystem::path m_path;
};

void WriteFile(const std::u16string& path, const Bytes& bytes);
void WriteFile(const std::u16string& path, std::string_view bytes);
std::optional<Bytes> ReadFile(const std::u16string& path);

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};
RunResult RunTool(const std::vector<std::u16string>& args);

std::string U8(std::u16string_view text);

// Little-endian UTF-16 units written into bytes at offset; bytes grows as needed.
void PutUnits(Bytes& bytes, std::size_t offset, std::u16string_view units);
void PutCount(Bytes& bytes, std::uint16_t count);

// The text that dump prints for records.
std::string DumpText(const std::vector<emb::WordRecord>& records);

}  // namespace embtool::test
