#pragma once

#include <optional>
#include <string>

#include "CodeTable.h"
#include "PhraseCoder.h"

namespace emb {

// The code table of a dictionary file, read when a code is first asked for: a dictionary of
// some megabytes must not slow the program's start.
class LazyCodeTable final : public PhraseCoder {
public:
    // No file: nothing is coded.
    LazyCodeTable() = default;
    explicit LazyCodeTable(std::u16string path) : m_path(std::move(path)) {}

    const std::u16string& Path() const { return m_path; }
    // The table, read on the first call; nullptr when there is no file or it holds no
    // dictionary, Problem() then saying why.
    const CodeTable* Table();
    const std::string& Problem() const { return m_problem; }

    std::optional<std::u16string> CodeOf(std::u16string_view phrase) override;

private:
    std::u16string m_path;
    bool m_read = false;
    std::optional<CodeTable> m_table;
    std::string m_problem;  // in English
};

}  // namespace emb
