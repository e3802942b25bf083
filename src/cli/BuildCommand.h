#pragma once

#include <iosfwd>
#include <string>

namespace embtool {

// embtool build TEXT OUT: the word list in TEXT saved as the program saves its table.
int RunBuild(const std::u16string& textPath, const std::u16string& outPath, std::ostream& err);

}  // namespace embtool
