#include <gtest/gtest.h>

#include "CliTestSupport.h"
#include "EmbTool.h"
#include "Version.h"

namespace embtool::test {
namespace {

std::string Usage() {
    return std::string(UsageText());
}

// The usage text follows a one-line description of the mistake.
void ExpectUsageError(const std::vector<std::u16string>& args, const std::string& problem) {
    const RunResult result = RunTool(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, problem + "\n" + Usage());
}

TEST(UsageTest, HelpPrintsTheUsageToStandardOutput) {
    const RunResult result = RunTool({u"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, Usage());
    EXPECT_EQ(result.err, "");
    EXPECT_NE(Usage().find("usage: embtool dump FILE"), std::string::npos);
    EXPECT_NE(Usage().find("exit status is 0 whenever FILE could be read"), std::string::npos);
    EXPECT_NE(Usage().find("embtool merge LIBRARY BACKUP"), std::string::npos);
    EXPECT_NE(Usage().find("embtool diff A B"), std::string::npos);
    EXPECT_NE(Usage().find("embtool --version\n"), std::string::npos);
}

// The header's narrow literals are the UTF-8 bytes the line must carry on every platform.
TEST(UsageTest, VersionPrintsTheProductNameAndVersionOnOneLine) {
    const RunResult result = RunTool({u"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              std::string("embtool (") + WORDMAINT_PRODUCT_NAME + ") " + WORDMAINT_VERSION + "\n");
    EXPECT_EQ(result.err, "");
}

TEST(UsageTest, RefusesMissingUnknownAndMiscountedArguments) {
    ExpectUsageError({}, "no command given");
    ExpectUsageError({u"list", u"a.emb"}, "unknown command 'list'");
    ExpectUsageError({u"转储"}, "unknown command '" + U8(u"转储") + "'");
    ExpectUsageError({u"--help", u"dump"}, "--help takes no arguments");
    ExpectUsageError({u"--version", u"dump"}, "--version takes no arguments");
    ExpectUsageError({u"--version", u"--help"}, "--version takes no arguments");
    ExpectUsageError({u"--help", u"--version"}, "--help takes no arguments");
    ExpectUsageError({u"dump"}, "wrong number of arguments for dump");
    ExpectUsageError({u"dump", u"a.emb", u"b.emb"}, "wrong number of arguments for dump");
    ExpectUsageError({u"info"}, "wrong number of arguments for info");
    ExpectUsageError({u"info", u"a.emb", u"b.emb"}, "wrong number of arguments for info");
    ExpectUsageError({u"build", u"a.txt"}, "wrong number of arguments for build");
    ExpectUsageError({u"build", u"a.txt", u"b.emb", u"c.emb"},
                     "wrong number of arguments for build");
    ExpectUsageError({u"merge", u"a.emb"}, "wrong number of arguments for merge");
    ExpectUsageError({u"merge", u"a.emb", u"b.emb", u"c.emb"},
                     "wrong number of arguments for merge");
    ExpectUsageError({u"diff"}, "wrong number of arguments for diff");
    ExpectUsageError({u"diff", u"a.emb", u"b.emb", u"c.emb"}, "wrong number of arguments for diff");
    ExpectUsageError({u"DUMP", u"a.emb"}, "unknown command 'DUMP'");
}

}  // namespace
}  // namespace embtool::test
