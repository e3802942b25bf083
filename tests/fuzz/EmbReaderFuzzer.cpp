// Arbitrary bytes as a user-word file: the reader, a rebuilt image and info's inspection.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <vector>

#include "ByteStore.h"
#include "FileInspection.h"
#include "FuzzCheck.h"
#include "InfoCommand.h"
#include "UserWordFormat.h"

namespace {

// Counts run up to 65,535; reading every record of such a count costs most of a run. Past the
// slots of a file, records are read up to here and at the last index only.
constexpr std::size_t kRecordsReadInFull = emb::kSlotCount + 2;

// The field as the format defines it, decoded without the reader: missing bytes are zero,
// the text ends at the first zero unit or at the end of the field.
std::u16string FieldText(const std::vector<std::uint8_t>& bytes, std::uint64_t offset,
                         std::size_t units) {
    const auto byteAt = [&bytes](std::uint64_t at) -> unsigned {
        return at < bytes.size() ? bytes[static_cast<std::size_t>(at)] : 0u;
    };
    std::u16string text;
    for (std::size_t k = 0; k < units; ++k) {
        const auto unit =
            static_cast<char16_t>(byteAt(offset + 2 * k) | (byteAt(offset + 2 * k + 1) << 8));
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

void CheckRecords(const std::vector<std::uint8_t>& bytes,
                  const std::vector<emb::WordRecord>& records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        const emb::WordRecord& record = records[i];
        FUZZ_CHECK(record.code.size() <= emb::kCodeUnits);
        FUZZ_CHECK(record.phrase.size() <= emb::kPhraseUnits);
        FUZZ_CHECK(record.code.find(u'\0') == std::u16string::npos);
        FUZZ_CHECK(record.phrase.find(u'\0') == std::u16string::npos);
        if (emb::CodeFieldOffset(i) < bytes.size()) {
            FUZZ_CHECK(record.code == FieldText(bytes, emb::CodeFieldOffset(i), emb::kCodeUnits));
            FUZZ_CHECK(record.phrase ==
                       FieldText(bytes, emb::PhraseFieldOffset(i), emb::kPhraseUnits));
        } else {
            FUZZ_CHECK(record.code.empty() && record.phrase.empty());
        }
    }
}

// Up to the word limit of the records read, written as the program writes a file and read
// back: the same records, in a file with nothing to report.
void CheckRebuild(const std::vector<emb::WordRecord>& records) {
    const std::size_t kept = std::min(records.size(), emb::kMaxRecords);
    const std::span<const emb::WordRecord> first(records.data(), kept);
    const emb::FileImage image = emb::BuildFileImage(first);
    FUZZ_CHECK(image.Ok());
    FUZZ_CHECK(image.bytes.size() == emb::kFileSize);

    emb::MemoryBytes rebuilt(image.bytes);
    FUZZ_CHECK(emb::ReadRecordCount(rebuilt) == kept);
    const std::vector<emb::WordRecord> reread = emb::ReadAllRecords(rebuilt);
    FUZZ_CHECK(std::equal(reread.begin(), reread.end(), first.begin(), first.end()));

    const embtool::FileInspection inspection = embtool::InspectFile(image.bytes);
    FUZZ_CHECK(!inspection.HasAnomalies());
    FUZZ_CHECK(inspection.recordCount == kept);

    if (kept < records.size()) {
        const emb::FileImage tooMany = emb::BuildFileImage(records);
        FUZZ_CHECK(!tooMany.Ok() && tooMany.bytes.empty());
    }
}

// records holds the first records of the count, up to all of them.
void CheckInspection(const std::vector<std::uint8_t>& bytes, std::size_t count,
                     const std::vector<emb::WordRecord>& records) {
    const embtool::FileInspection inspection = embtool::InspectFile(bytes);
    FUZZ_CHECK(inspection.fileSize == bytes.size());
    FUZZ_CHECK(inspection.recordCount == count);
    FUZZ_CHECK(inspection.recordsWhollyPastEnd <= inspection.recordsPastEnd);
    FUZZ_CHECK(inspection.recordsPastEnd <= count);
    FUZZ_CHECK(inspection.recordsPastEnd - inspection.recordsWhollyPastEnd <= 1);

    // The records inside the file end within it; the first one past the end does not.
    const std::size_t inside = count - inspection.recordsPastEnd;
    FUZZ_CHECK(inside == 0 || emb::CodeFieldOffset(inside) <= bytes.size());
    if (inspection.recordsPastEnd > 0) {
        FUZZ_CHECK(emb::CodeFieldOffset(inside + 1) > bytes.size());
    }
    // What lies wholly past the end reads empty.
    for (std::size_t i = count - inspection.recordsWhollyPastEnd; i < records.size(); ++i) {
        FUZZ_CHECK(records[i].code.empty() && records[i].phrase.empty());
    }

    if (inspection.freeSlotNonZeroBytes > 0) {
        const std::uint64_t first = inspection.firstFreeSlotNonZeroOffset;
        FUZZ_CHECK(first >= emb::CodeFieldOffset(count));
        FUZZ_CHECK(first < std::min<std::uint64_t>(bytes.size(), emb::kFileSize));
        FUZZ_CHECK(bytes[static_cast<std::size_t>(first)] != 0);
        FUZZ_CHECK(inspection.freeSlotNonZeroBytes <= emb::kFileSize - first);
    }

    std::ostringstream report;
    embtool::PrintInspection(inspection, report);
    FUZZ_CHECK(report.str().find("record count: " + std::to_string(count) + "\n") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    emb::MemoryBytes source(bytes);

    const std::uint16_t count = emb::ReadRecordCount(source);
    FUZZ_CHECK(size < 2 ? count == 0 : count == (data[0] | (data[1] << 8)));
    std::vector<emb::WordRecord> records;
    if (count <= kRecordsReadInFull) {
        records = emb::ReadAllRecords(source);
        FUZZ_CHECK(records.size() == count);
        // The bulk read gives what reading each record at its own offset gives.
        for (std::size_t i = 0; i < records.size(); ++i) {
            FUZZ_CHECK(records[i] == emb::ReadRecord(source, i));
        }
    } else {
        for (std::size_t i = 0; i < kRecordsReadInFull; ++i) {
            records.push_back(emb::ReadRecord(source, i));
        }
        const std::size_t lastIndex = count - 1u;
        const emb::WordRecord last = emb::ReadRecord(source, lastIndex);
        FUZZ_CHECK(last.code == FieldText(bytes, emb::CodeFieldOffset(lastIndex), emb::kCodeUnits));
        FUZZ_CHECK(last.phrase ==
                   FieldText(bytes, emb::PhraseFieldOffset(lastIndex), emb::kPhraseUnits));
    }
    FUZZ_CHECK(source.Bytes() == bytes);  // reading never changes the source

    CheckRecords(bytes, records);
    CheckRebuild(records);
    CheckInspection(bytes, count, records);
    return 0;
}
