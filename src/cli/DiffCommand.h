#pragma once

#include <iosfwd>
#include <string>

namespace embtool {

// embtool diff A B: -code<TAB>phrase for each word only in A, +code<TAB>phrase for each word
// only in B, in order of code, then phrase. Status 0 when A and B hold the same words, 1 when
// they differ.
int RunDiff(const std::u16string& pathA, const std::u16string& pathB, std::ostream& out,
            std::ostream& err);

}  // namespace embtool
