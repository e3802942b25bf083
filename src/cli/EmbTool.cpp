#include "EmbTool.h"

#include <exception>
#include <ostream>
#include <string_view>

#include "BuildCommand.h"
#include "CodeCommand.h"
#include "DiffCommand.h"
#include "DumpCommand.h"
#include "InfoCommand.h"
#include "LazyCodeTable.h"
#include "MergeCommand.h"
#include "Utf8.h"
#include "Version.h"

namespace embtool {
namespace {

constexpr std::string_view kUsage =
    "usage: embtool dump [--rime] FILE\n"
    "       embtool build TEXT OUT\n"
    "       embtool info FILE\n"
    "       embtool merge LIBRARY BACKUP\n"
    "       embtool diff A B\n"
    "       embtool code [--table FILE] PHRASE...\n"
    "       embtool --help\n"
    "       embtool --version\n"
    "\n"
    "  dump   prints each record of the user-word file FILE as code<TAB>phrase<LF> in UTF-8,\n"
    "         records 0 to count-1 in file order; with --rime, as a Rime dictionary instead\n"
    "         (a header named after FILE and dated today, then phrase<TAB>code<LF> lines) of\n"
    "         the records that have a code and a phrase\n"
    "  build  writes OUT as a complete user-word file from TEXT, UTF-8 lines of code<TAB>phrase\n"
    "         (code at most 12, phrase at most 40 UTF-16 units); lines with an empty code or\n"
    "         phrase are dropped and the words sorted by code, as the program saves them; OUT\n"
    "         is replaced only once the new file is complete; a line without a tab is a phrase\n"
    "         coded as code does it with the table beside embtool, else an error\n"
    "  info   prints the record count, the file size and each anomaly of FILE; anomalies are\n"
    "         reported, not errors: the exit status is 0 whenever FILE could be read\n"
    "  merge  adds to the user-word file LIBRARY, as the program's Import does, each record of\n"
    "         the user-word file BACKUP that is not a duplicate (the same code and phrase, unit\n"
    "         for unit) of a complete word of LIBRARY or of a record added before it, then\n"
    "         rewrites LIBRARY in place as the program's Save does: records with an empty code\n"
    "         or phrase dropped, the words sorted by code, at most 1221 of them, the file read\n"
    "         back and restored on failure, bytes past the first 127090 kept; prints the words\n"
    "         added (each of them is in LIBRARY now), the duplicates skipped and the incomplete\n"
    "         records dropped, which add up to BACKUP's record count; LIBRARY stays unchanged\n"
    "         when it would hold more than 1221 words. BACKUP may also be a word list, as the\n"
    "         program's Import reads it but in UTF-8 or UTF-16 only (the program reads\n"
    "         GB18030 too): each line a code of 1 to 4 letters a-y, lowercased, and one or\n"
    "         more phrases of 1 to 40 UTF-16 units above U+0080, separated by tabs or spaces,\n"
    "         in either order, weights and counts after them ignored; headers and comments of\n"
    "         Rime dictionaries and snapshots and of table files are passed over, and words a\n"
    "         snapshot marks deleted are counted; a phrase alone is a word when the table beside\n"
    "         embtool codes it (counted); the other lines are skipped, counted and the first\n"
    "         five named.\n"
    "         A BACKUP that is neither, or whose count is above 1222, is not merged\n"
    "  diff   prints each word only in the user-word file A as -code<TAB>phrase and each word\n"
    "         only in B as +code<TAB>phrase, in UTF-8, all in one list ordered by code, then\n"
    "         phrase (UTF-16 units); records with an empty code or phrase are not words, and\n"
    "         order and repeated words are ignored; the exit status is 0 when A and B hold the\n"
    "         same words, 1 when they differ\n"
    "  code   prints PHRASE<TAB>code for each PHRASE: its Wubi code worked out from a Rime\n"
    "         dictionary, FILE or else the first *.dict.yaml beside embtool (a character's\n"
    "         code is its longest there, a phrase's code follows the dictionary's encoder\n"
    "         rules, or the standard Wubi rules when it has none); for a phrase it can't\n"
    "         code, one line on stderr names the character that has no code, and the exit\n"
    "         status is 2\n"
    "  --version  prints the product name and version\n"
    "\n"
    "exit status: 0 success, 1 usage error or (diff) different words, 2 bad input or I/O error\n";

// UTF-16 first, like every other text embtool prints, so the product name reaches stdout as
// UTF-8 whatever the compiler's narrow character set.
constexpr std::u16string_view kVersionLine =
    u"embtool (" WORDMAINT_PRODUCT_NAME ") " WORDMAINT_VERSION;

using Args = std::vector<std::u16string>;

struct Command {
    std::u16string_view name;
    std::size_t operands;
    int (*run)(const Args& args, const std::u16string& programFolder, std::ostream& out,
               std::ostream& err);
};

constexpr Command kCommands[] = {
    {u"dump", 1,
     [](const Args& args, const std::u16string&, std::ostream& out, std::ostream& err) {
         return RunDump(args[1], DumpForm::Lines, out, err);
     }},
    {u"build", 2,
     [](const Args& args, const std::u16string& programFolder, std::ostream&, std::ostream& err) {
         emb::LazyCodeTable codes(CodeTableIn(programFolder));
         return RunBuild(args[1], args[2], codes, err);
     }},
    {u"info", 1,
     [](const Args& args, const std::u16string&, std::ostream& out, std::ostream& err) {
         return RunInfo(args[1], out, err);
     }},
    {u"merge", 2,
     [](const Args& args, const std::u16string& programFolder, std::ostream& out,
        std::ostream& err) {
         emb::LazyCodeTable codes(CodeTableIn(programFolder));
         return RunMerge(args[1], args[2], codes, out, err);
     }},
    {u"diff", 2,
     [](const Args& args, const std::u16string&, std::ostream& out, std::ostream& err) {
         return RunDiff(args[1], args[2], out, err);
     }},
};

int UsageError(std::ostream& err, std::string_view problem) {
    err << problem << '\n' << kUsage;
    return kExitUsage;
}

int Code(const Args& args, const std::u16string& programFolder, std::ostream& out,
         std::ostream& err) {
    const bool table = args.size() > 1 && args[1] == u"--table";
    const std::size_t first = table ? 3 : 1;
    if (args.size() <= first) {
        return UsageError(err, "wrong number of arguments for code");
    }
    return RunCode(table ? args[2] : u"", programFolder, Args(args.begin() + first, args.end()),
                   out, err);
}

int Dispatch(const Args& args, const std::u16string& programFolder, std::ostream& out,
             std::ostream& err) {
    if (args.empty()) {
        return UsageError(err, "no command given");
    }
    const std::u16string& name = args[0];
    if (name == u"--help") {
        if (args.size() != 1) {
            return UsageError(err, "--help takes no arguments");
        }
        out << kUsage;
        return kExitSuccess;
    }
    if (name == u"--version") {
        if (args.size() != 1) {
            return UsageError(err, "--version takes no arguments");
        }
        out << emb::ToUtf8(kVersionLine) << '\n';
        return kExitSuccess;
    }
    if (name == u"dump" && args.size() >= 2 && args[1] == u"--rime") {
        if (args.size() != 3) {
            return UsageError(err, "wrong number of arguments for dump");
        }
        return RunDump(args[2], DumpForm::Rime, out, err);
    }
    if (name == u"code") {
        return Code(args, programFolder, out, err);
    }
    for (const Command& command : kCommands) {
        if (name == command.name) {
            if (args.size() - 1 != command.operands) {
                return UsageError(err, "wrong number of arguments for " + emb::ToUtf8(name));
            }
            return command.run(args, programFolder, out, err);
        }
    }
    return UsageError(err, "unknown command '" + emb::ToUtf8(name) + "'");
}

}  // namespace

int RunEmbTool(const std::vector<std::u16string>& args, std::ostream& out, std::ostream& err,
               const std::u16string& programFolder) {
    int status = kExitFailure;
    try {
        status = Dispatch(args, programFolder, out, err);
    } catch (const std::exception& error) {
        // Out of memory for a huge input, mostly: still one line and a failure status.
        err << "internal error: " << error.what() << '\n';
        return kExitFailure;
    }
    if (!out.flush()) {
        err << "cannot write the output\n";
        return kExitFailure;
    }
    return status;
}

}  // namespace embtool
