// Stands in for a web browser in the hyperlink label's tests: records the command line it was
// started with in the file that WORDMAINT_LINK_RECORD names. Copied in place of the system's
// help program, it also lends the label its hand cursor (resource 106).
#include <windows.h>

#include <cwchar>
#include <string>

int main() {
    wchar_t record[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"WORDMAINT_LINK_RECORD", record, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 1;
    }
    // Written aside and renamed, so the test never reads half a record.
    const std::wstring partial = std::wstring(record) + L".partial";
    const HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const wchar_t* line = ::GetCommandLineW();
    DWORD written = 0;
    const auto bytes = static_cast<DWORD>(std::wcslen(line) * sizeof(wchar_t));
    const BOOL wrote = ::WriteFile(file, line, bytes, &written, nullptr);
    ::CloseHandle(file);
    if (!wrote || written != bytes ||
        !::MoveFileExW(partial.c_str(), record, MOVEFILE_REPLACE_EXISTING)) {
        return 1;
    }
    return 0;
}
