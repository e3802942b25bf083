// The embtool program: arguments in, UTF-8 bytes out, on every platform.

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "EmbTool.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

int wmain(int argc, wchar_t* argv[]) {
    // Binary mode: UTF-8 bytes pass unchanged and LF is not turned into CRLF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg(argv[i]);
        args.emplace_back(arg.begin(), arg.end());
    }
    // A path that fills the buffer may be cut: then there is no folder to look in.
    std::vector<wchar_t> program(32768);
    const DWORD length =
        ::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    std::wstring folder;
    if (length > 0 && length < program.size()) {
        folder = std::filesystem::path(std::wstring(program.data(), length)).parent_path();
    }
    return embtool::RunEmbTool(args, std::cout, std::cerr, {folder.begin(), folder.end()});
}

#else

#include "Utf8.h"

int main(int argc, char* argv[]) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        std::optional<std::u16string> arg = emb::FromUtf8(argv[i]);
        if (!arg) {
            std::cerr << "argument " << i << " is not valid UTF-8\n";
            return embtool::kExitFailure;
        }
        args.push_back(std::move(*arg));
    }
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error && argc > 0) {
        program = argv[0];
    }
    const std::u16string folder = emb::FromUtf8(program.parent_path().string()).value_or(u"");
    return embtool::RunEmbTool(args, std::cout, std::cerr, folder);
}

#endif
