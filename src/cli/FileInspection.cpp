#include "FileInspection.h"

#include <algorithm>

#include "UserWordFormat.h"

namespace embtool {

bool FileInspection::CountAboveLimit() const {
    return recordCount > emb::kMaxRecords;
}
bool FileInspection::Shorter() const {
    return fileSize < emb::kFileSize;
}
bool FileInspection::Longer() const {
    return fileSize > emb::kFileSize;
}

bool FileInspection::HasAnomalies() const {
    return CountAboveLimit() || recordsPastEnd > 0 || Shorter() || Longer() ||
           freeSlotNonZeroBytes > 0;
}

FileInspection InspectFile(std::span<const std::uint8_t> bytes) {
    FileInspection result;
    result.fileSize = bytes.size();
    if (bytes.size() < emb::kCountFieldSize) {
        return result;
    }
    result.recordCount = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));

    const std::size_t wholeRecords = (bytes.size() - emb::kCountFieldSize) / emb::kRecordSize;
    const std::size_t count = result.recordCount;
    if (count > wholeRecords) {
        result.recordsPastEnd = count - wholeRecords;
        const std::size_t startedRecords =
            (bytes.size() - emb::kCountFieldSize + emb::kRecordSize - 1) / emb::kRecordSize;
        result.recordsWhollyPastEnd = count - std::min(count, startedRecords);
    }

    const std::uint64_t freeStart = emb::CodeFieldOffset(count);
    const std::uint64_t freeEnd = std::min<std::uint64_t>(bytes.size(), emb::kFileSize);
    for (std::uint64_t at = freeStart; at < freeEnd; ++at) {
        if (bytes[static_cast<std::size_t>(at)] != 0) {
            if (result.freeSlotNonZeroBytes == 0) {
                result.firstFreeSlotNonZeroOffset = at;
            }
            ++result.freeSlotNonZeroBytes;
        }
    }
    return result;
}

}  // namespace embtool
