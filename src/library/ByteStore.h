#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace emb {

// Random-access bytes that the user-word format reads from.
class ByteReader {
public:
    virtual ~ByteReader() = default;
    // Copies up to out.size() bytes from offset into out; answers how many were there.
    // Bytes past the end are simply not copied.
    virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

// Random-access bytes that the user-word format writes to.
class ByteWriter {
public:
    virtual ~ByteWriter() = default;
    // Writes all of bytes at offset; false when not every byte was written.
    virtual bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;
};

// An open file: read and written at absolute offsets, closed with its result checked.
class RandomAccessFile : public ByteReader, public ByteWriter {
public:
    // Flushes and closes; false when either failed. Closed afterwards either way.
    virtual bool Close() = 0;
};

// Bytes already in memory, read as a file is read, without a copy; they must outlive it.
class MemoryBytes final : public ByteReader {
public:
    explicit MemoryBytes(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    explicit MemoryBytes(std::vector<std::uint8_t>&&) = delete;  // would be gone at once

    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::span<const std::uint8_t> m_bytes;
};

}  // namespace emb
