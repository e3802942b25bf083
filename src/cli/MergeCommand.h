#pragma once

#include <iosfwd>
#include <string>

#include "PhraseCoder.h"

namespace embtool {

// embtool merge LIBRARY BACKUP: the program's Import of BACKUP into the words of LIBRARY,
// then LIBRARY rewritten in place as the program's Save rewrites it; codes works out the codes
// of a word list's lone phrases.
int RunMerge(const std::u16string& libraryPath, const std::u16string& backupPath,
             emb::PhraseCoder& codes, std::ostream& out, std::ostream& err);

}  // namespace embtool
