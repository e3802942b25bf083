// The embtool program: arguments in, UTF-8 bytes out, on every platform.

#include <iostream>
#include <string>
#include <vector>

#include "EmbTool.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

int wmain(int argc, wchar_t* argv[]) {
    // Binary mode: UTF-8 bytes pass unchanged and LF is not turned into CRLF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg(argv[i]);
        args.emplace_back(arg.begin(), arg.end());
    }
    return embtool::RunEmbTool(args, std::cout, std::cerr);
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
    return embtool::RunEmbTool(args, std::cout, std::cerr);
}

#endif
