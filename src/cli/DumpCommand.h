#pragma once

#include <iosfwd>
#include <string>

namespace embtool {

// embtool dump FILE: code<TAB>phrase<LF> for records 0 to count-1, as the reader reads them.
int RunDump(const std::u16string& path, std::ostream& out, std::ostream& err);

}  // namespace embtool
