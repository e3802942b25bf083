#include "UserWordFormat.h"

#include <array>
#include <utility>

namespace emb {
namespace {

std::u16string TextOfField(std::span<const std::uint8_t> field) {
    std::u16string text;
    for (std::size_t at = 0; at + 1 < field.size(); at += kUnitSize) {
        const auto unit = static_cast<char16_t>(field[at] | (field[at + 1] << 8));
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

template <std::size_t Size>
std::u16string ReadField(ByteReader& source, std::uint64_t offset) {
    std::array<std::uint8_t, Size> field{};  // what is not read stays zero
    source.ReadAt(offset, field);
    return TextOfField(field);
}

void PutText(std::vector<std::uint8_t>& image, std::size_t offset, const std::u16string& text) {
    for (const char16_t unit : text) {
        image[offset++] = static_cast<std::uint8_t>(unit & 0xFF);
        image[offset++] = static_cast<std::uint8_t>(unit >> 8);
    }
}

}  // namespace

std::uint16_t ReadRecordCount(ByteReader& source) {
    std::array<std::uint8_t, kCountFieldSize> field{};
    if (source.ReadAt(0, field) < field.size()) {
        return 0;
    }
    return static_cast<std::uint16_t>(field[0] | (field[1] << 8));
}

WordRecord ReadRecord(ByteReader& source, std::size_t index) {
    return WordRecord{ReadField<kCodeFieldSize>(source, CodeFieldOffset(index)),
                      ReadField<kPhraseFieldSize>(source, PhraseFieldOffset(index))};
}

std::vector<WordRecord> ReadAllRecords(ByteReader& source) {
    const std::size_t count = ReadRecordCount(source);
    if (count == 0) {
        return {};
    }
    // The records' bytes in one read rather than two per record (a file's reads are slow
    // enough to matter, under Wine above all); what the source doesn't hold stays zero, as it
    // does when each field is read alone.
    const auto end = static_cast<std::size_t>(PhraseFieldOffset(count - 1)) + kPhraseFieldSize;
    std::vector<std::uint8_t> bytes(end);
    source.ReadAt(0, bytes);
    MemoryBytes image(bytes);
    std::vector<WordRecord> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        records.push_back(ReadRecord(image, i));
    }
    return records;
}

FileImage BuildFileImage(std::span<const WordRecord> records) {
    FileImage result;
    if (records.size() > kMaxRecords) {
        result.error = ImageError::TooManyRecords;
        return result;
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].code.size() > kCodeUnits) {
            result.error = ImageError::CodeTooLong;
        } else if (records[i].phrase.size() > kPhraseUnits) {
            result.error = ImageError::PhraseTooLong;
        } else {
            continue;
        }
        result.badRecord = i;
        return result;
    }

    result.bytes = EmptyFileImage();
    result.bytes[0] = static_cast<std::uint8_t>(records.size() & 0xFF);
    result.bytes[1] = static_cast<std::uint8_t>(records.size() >> 8);
    for (std::size_t i = 0; i < records.size(); ++i) {
        PutText(result.bytes, static_cast<std::size_t>(CodeFieldOffset(i)), records[i].code);
        PutText(result.bytes, static_cast<std::size_t>(PhraseFieldOffset(i)), records[i].phrase);
    }
    return result;
}

std::vector<std::uint8_t> EmptyFileImage() {
    return std::vector<std::uint8_t>(kFileSize, 0);
}

bool CreateEmptyFile(ByteWriter& target) {
    return target.WriteAt(0, EmptyFileImage());
}

}  // namespace emb
