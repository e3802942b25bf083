#include "CodeCommand.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "CodeTablePlace.h"
#include "EmbTool.h"
#include "FsPath.h"
#include "LazyCodeTable.h"
#include "Utf8.h"

namespace embtool {
std::u16string CodeTableIn(const std::u16string& folder) {
    std::vector<std::u16string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(ToFsPath(folder), error), end;
         !error && entry != end; entry.increment(error)) {
        if (entry->is_regular_file(error)) {
            names.push_back(FromFsPath(entry->path().filename()));
        }
    }
    const std::u16string name = emb::FirstCodeTableName(names);
    return name.empty() ? name : FromFsPath(ToFsPath(folder) / ToFsPath(name));
}

int RunCode(const std::u16string& table, const std::u16string& programFolder,
            const std::vector<std::u16string>& phrases, std::ostream& out, std::ostream& err) {
    const std::u16string path = table.empty() ? CodeTableIn(programFolder) : table;
    if (path.empty()) {
        err << "no code table: no *.dict.yaml beside embtool; name one with --table FILE\n";
        return kExitFailure;
    }
    emb::LazyCodeTable codes(path);
    if (codes.Table() == nullptr) {
        err << DisplayPath(path) << ' ' << codes.Problem() << '\n';
        return kExitFailure;
    }
    int status = kExitSuccess;
    for (const std::u16string& phrase : phrases) {
        const emb::PhraseCode code = codes.Table()->Code(phrase);
        if (code.outcome == emb::PhraseCode::Outcome::Coded) {
            out << emb::ToUtf8(phrase) << '\t' << emb::ToUtf8(code.code) << '\n';
            continue;
        }
        status = kExitFailure;
        err << "no code for " << DisplayPath(phrase) << ": ";
        switch (code.outcome) {
            case emb::PhraseCode::Outcome::MissingCharacter:
                err << DisplayPath(code.character) << " is not in the code table";
                break;
            case emb::PhraseCode::Outcome::NoRule:
                err << "the code table has no rule for a phrase this long";
                break;
            default:
                err << "the code table gives " << DisplayPath(code.code)
                    << ", and no word is a code of 1 to 4 letters a-y with a phrase of 1 to 40"
                       " UTF-16 units above U+0080";
                break;
        }
        err << '\n';
    }
    return status;
}

}  // namespace embtool
