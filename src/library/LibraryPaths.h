#pragma once

#include <string>

namespace emb {

// The two libraries the program edits, as chosen in the library combo box.
enum class LibraryChoice { None, Traditional, Simplified };

// Where the edition pair found at start-up keeps its two user-word files. Folders have no
// trailing backslash. Empty until the location has been worked out.
struct LibraryPaths {
    std::u16string traditionalFolder;
    std::u16string traditionalPath;
    std::u16string simplifiedFolder;
    std::u16string simplifiedPath;

    friend bool operator==(const LibraryPaths&, const LibraryPaths&) = default;
};

}  // namespace emb
