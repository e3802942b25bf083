#include "InfoCommand.h"

#include <ostream>
#include <string>

#include "EmbTool.h"
#include "InputFile.h"
#include "UserWordFormat.h"

namespace embtool {

namespace {

std::string ByteCount(std::uint64_t count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

}  // namespace

void PrintInspection(const FileInspection& inspection, std::ostream& out) {
    out << "record count: " << inspection.recordCount << '\n';
    out << "file size: " << ByteCount(inspection.fileSize) << '\n';
    if (!inspection.HasAnomalies()) {
        out << "anomalies: none\n";
        return;
    }
    if (inspection.CountAboveLimit()) {
        out << "anomaly: record count above the limit of " << emb::kMaxRecords << '\n';
    }
    if (inspection.recordsPastEnd > 0) {
        out << "anomaly: counted records past the end of the file: " << inspection.recordsPastEnd
            << " (" << inspection.recordsWhollyPastEnd << " wholly, "
            << inspection.recordsPastEnd - inspection.recordsWhollyPastEnd << " partly)\n";
    }
    if (inspection.Shorter()) {
        out << "anomaly: file shorter than " << emb::kFileSize << " bytes by "
            << ByteCount(emb::kFileSize - inspection.fileSize) << '\n';
    }
    if (inspection.Longer()) {
        out << "anomaly: file longer than " << emb::kFileSize << " bytes by "
            << ByteCount(inspection.fileSize - emb::kFileSize) << '\n';
    }
    if (inspection.freeSlotNonZeroBytes > 0) {
        out << "anomaly: non-zero bytes in free slots: " << inspection.freeSlotNonZeroBytes
            << ", the first at offset " << inspection.firstFreeSlotNonZeroOffset << '\n';
    }
}

int RunInfo(const std::u16string& path, std::ostream& out, std::ostream& err) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path, err);
    if (!bytes) {
        return kExitFailure;
    }
    PrintInspection(InspectFile(*bytes), out);
    return kExitSuccess;
}

}  // namespace embtool
