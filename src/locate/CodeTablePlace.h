#pragma once

#include <string>
#include <vector>

namespace emb {

// The code table beside the program: of the names of a folder's files, the first in UTF-16
// order that ends in ".dict.yaml" (in any case, as Windows matches names), so that a user of
// another Wubi edition can put that edition's Rime dictionary there instead; empty for none.
std::u16string FirstCodeTableName(const std::vector<std::u16string>& names);

}  // namespace emb
