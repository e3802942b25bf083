#pragma once

// The user-word file (extension EMB): a 16-bit little-endian record count followed by fixed
// 104-byte record slots, each a 12-unit code field and a 40-unit phrase field of UTF-16LE.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ByteStore.h"
#include "WordRecord.h"

namespace emb {

inline constexpr std::size_t kUnitSize = 2;  // bytes per UTF-16 code unit
inline constexpr std::size_t kCountFieldSize = 2;
inline constexpr std::size_t kCodeUnits = 12;
inline constexpr std::size_t kPhraseUnits = 40;
inline constexpr std::size_t kCodeFieldSize = kCodeUnits * kUnitSize;
inline constexpr std::size_t kPhraseFieldSize = kPhraseUnits * kUnitSize;
inline constexpr std::size_t kRecordSize = kCodeFieldSize + kPhraseFieldSize;
inline constexpr std::size_t kSlotCount = 1222;
inline constexpr std::size_t kFileSize = kCountFieldSize + kSlotCount * kRecordSize;
// One slot always stays free, so a full file still ends with a zero slot.
inline constexpr std::size_t kMaxRecords = kSlotCount - 1;

static_assert(kRecordSize == 104);
static_assert(kFileSize == 127090);
static_assert(kMaxRecords == 1221);

constexpr std::uint64_t CodeFieldOffset(std::size_t index) {
    return kCountFieldSize + static_cast<std::uint64_t>(index) * kRecordSize;
}
constexpr std::uint64_t PhraseFieldOffset(std::size_t index) {
    return CodeFieldOffset(index) + kCodeFieldSize;
}

// The count at offset 0; a source shorter than the count field holds no records.
std::uint16_t ReadRecordCount(ByteReader& source);

// Record index read from its absolute field offsets; bytes past the end read as zero.
WordRecord ReadRecord(ByteReader& source, std::size_t index);

// The count, then records 0 to count - 1 in file order.
std::vector<WordRecord> ReadAllRecords(ByteReader& source);

enum class ImageError { None, TooManyRecords, CodeTooLong, PhraseTooLong };

struct FileImage {
    std::vector<std::uint8_t> bytes;  // kFileSize bytes when error is None, else empty
    ImageError error = ImageError::None;
    std::size_t badRecord = 0;  // the first record that does not fit its field

    bool Ok() const { return error == ImageError::None; }
};

// The whole file for up to kMaxRecords records. A text too long for its field is refused
// rather than written into the next field.
FileImage BuildFileImage(std::span<const WordRecord> records);

// kFileSize zero bytes: a library with no records.
std::vector<std::uint8_t> EmptyFileImage();

// Writes the empty image from offset 0; false when a write failed.
bool CreateEmptyFile(ByteWriter& target);

}  // namespace emb
