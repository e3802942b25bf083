#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace emb {

// Works out the code of a phrase typed without one.
class PhraseCoder {
public:
    virtual ~PhraseCoder() = default;

    // The phrase's code, such that code and phrase make a word the user could type
    // (IsTypableWord); nothing when it can't be worked out.
    virtual std::optional<std::u16string> CodeOf(std::u16string_view phrase) = 0;
};

}  // namespace emb
