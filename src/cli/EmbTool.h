#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace embtool {

enum ExitCode : int {
    kExitSuccess = 0,
    kExitUsage = 1,      // usage text on stderr
    kExitDifferent = 1,  // diff only: the files hold different words
    kExitFailure = 2,    // bad input or an I/O error: one line on stderr
};

// Runs the command line args (without the program name). Output and messages are UTF-8.
// programFolder: the folder embtool is in, where it looks for its code table.
int RunEmbTool(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err,
               const std::u16string& programFolder = {});

}  // namespace embtool
