#include "ImportedFile.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

#include "UserWordFormat.h"
#include "WordListText.h"

namespace emb {
namespace {

bool IsPrintableAscii(char16_t unit) {
    return unit >= 0x21 && unit <= 0x7E;
}

bool CodesLookTyped(const std::vector<WordRecord>& records) {
    return std::all_of(records.begin(), records.end(), [](const WordRecord& record) {
        return std::all_of(record.code.begin(), record.code.end(), IsPrintableAscii);
    });
}

}  // namespace

std::vector<std::uint8_t> ReadImportedBytes(ByteReader& file) {
    constexpr std::size_t kLimit = kMaxImportedBytes + 1;
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < kLimit) {
        const std::size_t start = bytes.size();
        bytes.resize(start + std::min(kPiece, kLimit - start));
        const std::size_t read = file.ReadAt(start, std::span<std::uint8_t>(bytes).subspan(start));
        bytes.resize(start + read);
        if (read == 0) {
            break;
        }
    }
    return bytes;
}

ImportedFile ExamineImportedFile(std::span<const std::uint8_t> bytes,
                                 const LegacyTextDecoder& legacy, PhraseCoder* coder) {
    MemoryBytes file(bytes);
    ImportedFile result;
    result.count = ReadRecordCount(file);
    if (result.count <= kSlotCount) {
        result.words = ReadAllRecords(file);
        if (CodesLookTyped(result.words)) {
            result.kind = ImportedKind::UserWords;
            return result;
        }
        result.words.clear();
    }
    if (bytes.size() <= kMaxImportedBytes) {
        if (const std::optional<DecodedText> decoded = DecodeWordListText(bytes, legacy)) {
            LenientWordList list = ReadWordListLeniently(decoded->text, coder);
            if (!list.words.empty()) {
                result.kind = ImportedKind::WordList;
                result.words = std::move(list.words);
                result.deletedWords = list.deletedWords;
                result.codedWords = list.codedWords;
                std::merge(list.skippedLines.begin(), list.skippedLines.end(),
                           decoded->undecodableLines.begin(), decoded->undecodableLines.end(),
                           std::back_inserter(result.skippedLines));
                return result;
            }
        }
    }
    result.kind = result.count > kSlotCount ? ImportedKind::LargeCount : ImportedKind::Unknown;
    return result;
}

}  // namespace emb
