// Arbitrary bytes as a user-word file: the reader, the image rebuilt from what it read, and
// embtool info's inspection.

#include <algorithm>

#include "FileInspection.h"
#include "FuzzCheck.h"
#include "UserWordFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    emb::MemoryBytes file(bytes);
    const std::uint16_t count = emb::ReadRecordCount(file);
    FUZZ_CHECK(embtool::InspectFile(bytes).recordCount == count);
    // Counts run up to 65,535: reading every record of those would cost most of a run.
    const bool fits = count <= emb::kSlotCount;
    const std::vector<emb::WordRecord> records =
        fits ? emb::ReadAllRecords(file) : std::vector<emb::WordRecord>();
    FUZZ_CHECK(records.size() == (fits ? count : 0));
    for (std::size_t i = 0; i < records.size(); ++i) {
        FUZZ_CHECK(records[i] == emb::ReadRecord(file, i));
        FUZZ_CHECK(records[i].code.find(u'\0') == std::u16string::npos);
        FUZZ_CHECK(records[i].phrase.find(u'\0') == std::u16string::npos);
    }
    // Up to the word limit, the records written as the program writes a file and read back.
    const std::span<const emb::WordRecord> kept(records.data(),
                                                std::min(records.size(), emb::kMaxRecords));
    const emb::FileImage image = emb::BuildFileImage(kept);
    emb::MemoryBytes rebuilt(image.bytes);
    FUZZ_CHECK(image.Ok() && std::ranges::equal(emb::ReadAllRecords(rebuilt), kept));
    return 0;
}
