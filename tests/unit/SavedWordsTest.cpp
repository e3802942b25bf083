#include <gtest/gtest.h>

#include "SavedWords.h"
#include "WordTableRules.h"
#include "support/TableText.h"

namespace emb {
namespace {

using testing::RowText;
using testing::TableOf;
using Records = std::vector<WordRecord>;

const Records kFile = {{u"b", u"乙"}, {u"a", u"甲"}, {u"a", u"甲"}, {u"", u"空"}};

TEST(SavedWords, TheTableDiffersOnlyWhenSaveWouldWriteOtherWords) {
    struct Case {
        const char* table;
        std::initializer_list<RowText> rows;
        bool differs;
    };
    const Case cases[] = {
        {"as loaded", {{u"b", u"乙", u"0"}, {u"a", u"甲", u"1"}, {u"a", u"甲", u"2"}, {}}, false},
        {"reordered, incomplete rows left",
         {{u"a", u"甲", u"0"}, {u"", u"删", u"1"}, {u"a", u"甲", u"2"}, {u"b", u"乙", u"3"}},
         false},
        {"a phrase changed", {{u"b", u"乙", u"0"}, {u"a", u"甲", u"1"}, {u"a", u"申", u"2"}}, true},
        {"a word deleted", {{u"b", u"乙", u"0"}, {u"a", u"甲", u"1"}, {u"", u"甲", u"2"}}, true},
        {"a duplicate more",
         {{u"b", u"乙", u"0"}, {u"a", u"甲", u"1"}, {u"a", u"甲", u"2"}, {u"b", u"乙", u"3"}},
         true},
        {"cleared", {}, true},
    };
    const SavedWords saved(kFile);
    for (const Case& c : cases) {
        EXPECT_EQ(saved.DifferFrom(TableOf(c.rows)), c.differs) << c.table;
    }
}

TEST(SavedWords, MoreWordsThanAFileHoldsAlwaysDiffer) {
    Records words;
    MemoryWordTable table;
    for (int i = 0; i <= kWordLimit; ++i) {
        words.push_back({u"a", u"甲"});
        table.InsertRow(i, u"a");
        table.SetCellText(i, kPhraseColumn, u"甲");
    }
    EXPECT_TRUE(SavedWords(words).DifferFrom(table));
    table.DeleteRow(0);
    words.pop_back();
    EXPECT_FALSE(SavedWords(words).DifferFrom(table));
}

TEST(SavedWords, AddedWordsAreTheFilesCompleteRecordsNotAccountedFor) {
    struct Case {
        const char* file;
        Records now;
        Records added;
    };
    const Case cases[] = {
        {"unchanged, reordered", {{u"a", u"甲"}, {u"b", u"乙"}, {u"a", u"甲"}}, {}},
        {"words removed", {{u"a", u"甲"}}, {}},
        {"words added, in file order",
         {{u"z", u"新"}, {u"a", u"甲"}, {u"b", u"乙"}, {u"a", u"甲"}, {u"c", u"丙"}},
         {{u"z", u"新"}, {u"c", u"丙"}}},
        {"one more of a word", {{u"a", u"甲"}, {u"a", u"甲"}, {u"a", u"甲"}}, {{u"a", u"甲"}}},
        {"incomplete records", {{u"d", u""}, {u"", u"丁"}}, {}},
    };
    const SavedWords saved(kFile);
    for (const Case& c : cases) {
        EXPECT_EQ(saved.AddedIn(c.now), c.added) << c.file;
    }
}

}  // namespace
}  // namespace emb
