#include "CodeTablePlace.h"

#include <algorithm>

namespace emb {

std::u16string FirstCodeTableName(const std::vector<std::u16string>& names) {
    constexpr std::u16string_view kEnding = u".dict.yaml";
    const auto isTable = [kEnding](const std::u16string& name) {
        return name.size() > kEnding.size() &&
               std::equal(kEnding.begin(), kEnding.end(), name.end() - kEnding.size(), name.end(),
                          [](char16_t ending, char16_t unit) {
                              return ending == (unit >= u'A' && unit <= u'Z' ? unit + 0x20 : unit);
                          });
    };
    std::u16string first;
    for (const std::u16string& name : names) {
        if (isTable(name) && (first.empty() || name < first)) {
            first = name;
        }
    }
    return first;
}

}  // namespace emb
