// Stands in for a web browser in the hyperlink tests: writes the command line it was started
// with to the file that WORDMAINT_LINK_RECORD names, aside first, so the test never reads half.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int main() {
    const wchar_t* record = _wgetenv(L"WORDMAINT_LINK_RECORD");
    const std::wstring partial = std::wstring(record != nullptr ? record : L"") + L".partial";
    FILE* file = record != nullptr ? _wfopen(partial.c_str(), L"wb") : nullptr;
    if (file == nullptr) {
        return 1;
    }
    const wchar_t* line = ::GetCommandLineW();
    const bool wrote =
        std::fwrite(line, sizeof(wchar_t), std::wcslen(line), file) == std::wcslen(line);
    return std::fclose(file) == 0 && wrote &&
                   ::MoveFileExW(partial.c_str(), record, MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}
