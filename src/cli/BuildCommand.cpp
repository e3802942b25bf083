#include "BuildCommand.h"

#include <ostream>

#include "EmbTool.h"
#include "FsPath.h"
#include "InputFile.h"
#include "MemoryWordTable.h"
#include "Messages.h"
#include "ReplaceFile.h"
#include "UserWordFormat.h"
#include "Utf8.h"
#include "WordListText.h"
#include "WordTableRules.h"

namespace embtool {

int RunBuild(const std::u16string& textPath, const std::u16string& outPath, emb::PhraseCoder& codes,
             std::ostream& err) {
    const std::optional<std::vector<std::uint8_t>> text = ReadWholeFile(textPath, err);
    if (!text) {
        return kExitFailure;
    }
    const emb::WordList list = emb::ParseWordList(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), &codes);
    if (list.error) {
        err << "line " << list.error->line << " of " << DisplayPath(textPath) << ": "
            << emb::DescribeLineProblem(list.error->problem) << '\n';
        return kExitFailure;
    }

    // The rows as the program's table holds them, so Save's own rules apply unchanged.
    emb::MemoryWordTable table;
    for (const emb::WordRecord& word : list.words) {
        const int row = table.RowCount();
        table.InsertRow(row, word.code);
        table.SetCellText(row, emb::kPhraseColumn, word.phrase);
        table.SetCellText(row, emb::kNumberColumn, emb::FormatRowNumber(row));
    }
    if (!emb::PrepareRowsForSave(table)) {
        err << emb::ToUtf8(emb::kTooManyWordsMessage) << '\n';
        return kExitFailure;
    }

    const std::vector<emb::WordRecord> records = emb::RowsAsRecords(table);
    const emb::FileImage image = emb::BuildFileImage(records);
    if (!image.Ok()) {
        // The parser has already refused every text too long for its field.
        err << "cannot build " << DisplayPath(outPath) << ": record " << image.badRecord
            << " does not fit the file\n";
        return kExitFailure;
    }
    const ReplaceResult replaced = ReplaceFileContents(outPath, image.bytes);
    if (!replaced.ok) {
        err << replaced.message << '\n';
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace embtool
