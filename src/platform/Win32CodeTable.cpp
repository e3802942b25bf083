#include "Win32CodeTable.h"

#include <windows.h>

#include <vector>

#include "CodeTablePlace.h"
#include "WideText.h"

namespace emb {

std::u16string CodeTableBesideProgram() {
    std::vector<wchar_t> program(32768);
    const DWORD length =
        GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    if (length == 0 || length >= program.size()) {
        return {};  // a path that fills the buffer may be cut
    }
    std::u16string folder = TextBeforeNul(program.data(), length);
    folder.erase(folder.find_last_of(u'\\') + 1);
    // Every name, matched here rather than by the search: a pattern would match short 8.3 names
    // too.
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW(AsWide(folder + u"*"), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return {};
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(TextBeforeNul(found.cFileName, MAX_PATH));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    const std::u16string name = FirstCodeTableName(names);
    return name.empty() ? name : folder + name;
}

}  // namespace emb
