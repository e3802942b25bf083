#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace embtool {

// The first code table (*.dict.yaml) in folder, the folder embtool is in; empty for none.
std::u16string CodeTableIn(const std::u16string& folder);

// embtool code [--table FILE] PHRASE...: phrase<TAB>code<LF> for each phrase the table codes,
// one line on err for each it can't. table: FILE, or empty for the table beside embtool.
int RunCode(const std::u16string& table, const std::u16string& programFolder,
            const std::vector<std::u16string>& phrases, std::ostream& out, std::ostream& err);

}  // namespace embtool
