#pragma once

#include <iosfwd>
#include <string>

namespace embtool {

enum class DumpForm { Lines, Rime };

// embtool dump FILE: code<TAB>phrase<LF> for records 0 to count-1, as the reader reads them.
// embtool dump --rime FILE: FILE's words as a Rime dictionary named after FILE.
int RunDump(const std::u16string& path, DumpForm form, std::ostream& out, std::ostream& err);

}  // namespace embtool
