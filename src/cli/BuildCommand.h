#pragma once

#include <iosfwd>
#include <string>

#include "PhraseCoder.h"

namespace embtool {

// embtool build TEXT OUT: the word list in TEXT saved as the program saves its table.
int RunBuild(const std::u16string& textPath, const std::u16string& outPath, emb::PhraseCoder& codes,
             std::ostream& err);

}  // namespace embtool
