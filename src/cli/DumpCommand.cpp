#include "DumpCommand.h"

#include <chrono>
#include <ostream>

#include "ByteStore.h"
#include "EmbTool.h"
#include "InputFile.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordListExport.h"

namespace embtool {
namespace {

// Today's date (UTC) as a Rime dictionary's version: "2026-12-07".
std::u16string Today() {
    const std::chrono::year_month_day date{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    const auto digits = [](unsigned value, int count) {
        std::u16string text(static_cast<std::size_t>(count), u'0');
        for (int i = count - 1; i >= 0; --i, value /= 10) {
            text[static_cast<std::size_t>(i)] = static_cast<char16_t>(u'0' + value % 10);
        }
        return text;
    };
    return digits(static_cast<unsigned>(static_cast<int>(date.year())), 4) + u'-' +
           digits(static_cast<unsigned>(date.month()), 2) + u'-' +
           digits(static_cast<unsigned>(date.day()), 2);
}

}  // namespace

int RunDump(const std::u16string& path, DumpForm form, std::ostream& out, std::ostream& err) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path, err);
    if (!bytes) {
        return kExitFailure;
    }
    emb::MemoryBytes source(*bytes);
    const std::vector<emb::WordRecord> records = emb::ReadAllRecords(source);
    if (form == DumpForm::Rime) {
        const std::vector<std::uint8_t> dictionary =
            emb::RimeDictionaryFile(records, emb::RimeDictionaryName(path), Today());
        out.write(reinterpret_cast<const char*>(dictionary.data()),
                  static_cast<std::streamsize>(dictionary.size()));
        return kExitSuccess;
    }
    for (const emb::WordRecord& record : records) {
        out << emb::ToUtf8(record.code) << '\t' << emb::ToUtf8(record.phrase) << '\n';
    }
    return kExitSuccess;
}

}  // namespace embtool
