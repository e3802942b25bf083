#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "ByteStore.h"

namespace emb {

// The files the commands open and copy. Each open answers nullptr when it fails.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // An existing file, for reading and writing; never truncated.
    virtual std::unique_ptr<RandomAccessFile> OpenForUpdate(const std::u16string& path) = 0;
    // An existing file, for reading only.
    virtual std::unique_ptr<RandomAccessFile> OpenForReading(const std::u16string& path) = 0;
    // A new empty file, only when nothing exists at the path yet.
    virtual std::unique_ptr<RandomAccessFile> CreateNew(const std::u16string& path) = 0;
    // Copies from to to, replacing an existing to; false when the copy failed.
    virtual bool CopyReplacing(const std::u16string& from, const std::u16string& to) = 0;
    // Writes bytes as the whole of the file at path, replacing an existing one only once every
    // byte is written: on failure the file is as it was and no partial file is left.
    virtual bool WriteReplacing(const std::u16string& path,
                                std::span<const std::uint8_t> bytes) = 0;
    // Creates one folder level; whether it worked shows when a file is created in it.
    virtual void CreateFolder(const std::u16string& path) = 0;
};

}  // namespace emb
