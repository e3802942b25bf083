#pragma once

#include <iosfwd>
#include <string>

namespace embtool {

// embtool merge LIBRARY BACKUP: the program's Import of BACKUP into the words of LIBRARY,
// then LIBRARY rewritten in place as the program's Save rewrites it.
int RunMerge(const std::u16string& libraryPath, const std::u16string& backupPath, std::ostream& out,
             std::ostream& err);

}  // namespace embtool
