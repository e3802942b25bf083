#pragma once

#include <array>
#include <string_view>

namespace emb {

// The three edition pairs of the input method; pair 1 is also the one used when none is found.
enum class EditionPair { First = 1, Second = 2, Third = 3 };

struct Edition {
    std::u16string_view name;  // base name of its code-table file in the system directory
    EditionPair pair;
};

// In the order they are looked for.
inline constexpr std::array<Edition, 6> kEditions = {{
    {u"EDNQB", EditionPair::First},
    {u"EDNQA", EditionPair::First},
    {u"EDNBX", EditionPair::Second},
    {u"EDNAX", EditionPair::Second},
    {u"EDNB700", EditionPair::Third},
    {u"EDNA700", EditionPair::Third},
}};

// Folder and file names of a pair's libraries, relative to the IME folder.
struct PairNames {
    std::u16string_view traditionalFolder;
    std::u16string_view traditionalFile;
    std::u16string_view simplifiedFolder;
    std::u16string_view simplifiedFile;
};

constexpr PairNames NamesOf(EditionPair pair) {
    switch (pair) {
        case EditionPair::Second:
            return {u"EDNBX", u"EDNBX\\EDNBX.EMB", u"EDNAX", u"EDNAX\\EDNAX.EMB"};
        case EditionPair::Third:
            return {u"EDNB700", u"EDNB700\\EDNB700.EMB", u"EDNA700", u"EDNA700\\EDNA700.EMB"};
        case EditionPair::First:
            break;
    }
    return {u"EDNQB", u"EDNQB\\EDNQB.EMB", u"EDNQA", u"EDNQA\\EDNQA.EMB"};
}

}  // namespace emb
