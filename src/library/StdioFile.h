#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "ByteStore.h"

namespace emb {

// An open file as random-access bytes, over the C library's buffered streams. Paths are UTF-16:
// opened through the wide-character API on Windows, through UTF-8 elsewhere.
class StdioFile final : public RandomAccessFile {
public:
    enum class Mode {
        Read,       // "rb": an existing file, read only
        Update,     // "r+b": an existing file, read and write, never truncated
        CreateNew,  // read and write, created only when nothing exists at the path yet
    };

    // nullptr when the file can't be opened in that mode.
    static std::unique_ptr<StdioFile> Open(const std::u16string& path, Mode mode);

    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;
    ~StdioFile() override;

    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;
    bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override;

    // The file's length in bytes, or nullopt when it can't be told.
    std::optional<std::uint64_t> Size();

    bool Close() override;

private:
    explicit StdioFile(std::FILE* file) : m_file(file) {}
    bool SeekTo(std::uint64_t offset);

    std::FILE* m_file;
};

}  // namespace emb
