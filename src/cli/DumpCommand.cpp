#include "DumpCommand.h"

#include <ostream>

#include "ByteStore.h"
#include "EmbTool.h"
#include "InputFile.h"
#include "UserWordFormat.h"
#include "Utf8.h"

namespace embtool {

int RunDump(const std::u16string& path, std::ostream& out, std::ostream& err) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path, err);
    if (!bytes) {
        return kExitFailure;
    }
    emb::MemoryBytes source(*bytes);
    for (const emb::WordRecord& record : emb::ReadAllRecords(source)) {
        out << emb::ToUtf8(record.code) << '\t' << emb::ToUtf8(record.phrase) << '\n';
    }
    return kExitSuccess;
}

}  // namespace embtool
