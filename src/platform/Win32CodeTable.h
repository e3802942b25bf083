#pragma once

#include <string>

namespace emb {

// The full path of the code table in the folder of this program's executable (the first
// *.dict.yaml there), or empty when there is none.
std::u16string CodeTableBesideProgram();

}  // namespace emb
