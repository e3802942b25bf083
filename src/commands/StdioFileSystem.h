#pragma once

#include "FileSystem.h"

namespace emb {

// The file layer over the C library's streams, with UTF-16 paths on every platform.
class StdioFileSystem : public FileSystem {
public:
    std::unique_ptr<RandomAccessFile> OpenForUpdate(const std::u16string& path) override;
    std::unique_ptr<RandomAccessFile> OpenForReading(const std::u16string& path) override;
    std::unique_ptr<RandomAccessFile> CreateNew(const std::u16string& path) override;
    bool CopyReplacing(const std::u16string& from, const std::u16string& to) override;
    bool WriteReplacing(const std::u16string& path, std::span<const std::uint8_t> bytes) override;
    void CreateFolder(const std::u16string& path) override;
};

}  // namespace emb
