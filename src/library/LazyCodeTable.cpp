#include "LazyCodeTable.h"

#include <memory>

#include "StdioFile.h"

namespace emb {

const CodeTable* LazyCodeTable::Table() {
    if (m_read || m_path.empty()) {
        return m_table ? &*m_table : nullptr;
    }
    m_read = true;
    const std::unique_ptr<StdioFile> file = StdioFile::Open(m_path, StdioFile::Mode::Read);
    const std::optional<std::uint64_t> size = file ? file->Size() : std::nullopt;
    std::string text(size.value_or(0), '\0');
    if (!size || file->ReadAt(0, {reinterpret_cast<std::uint8_t*>(text.data()), text.size()}) !=
                     text.size()) {
        m_problem = "cannot be read";
        return nullptr;
    }
    DictionaryRead read = ReadRimeDictionary(text);
    if (!read.dictionary) {
        m_problem = "is no Rime dictionary: " + read.problem;
        return nullptr;
    }
    m_table.emplace(std::move(*read.dictionary));
    return &*m_table;
}

std::optional<std::u16string> LazyCodeTable::CodeOf(std::u16string_view phrase) {
    const CodeTable* table = Table();
    if (table == nullptr) {
        return std::nullopt;
    }
    PhraseCode code = table->Code(phrase);
    if (code.outcome != PhraseCode::Outcome::Coded) {
        return std::nullopt;
    }
    return std::move(code.code);
}

}  // namespace emb
