#include "WordTableRules.h"

#include <gtest/gtest.h>

#include <random>

#include "LiteralRules.h"
#include "support/TableText.h"

namespace emb {
namespace {

using testing::RowsOf;
using testing::RowText;
using testing::TableOf;

TEST(RowNumbers, AreFourDigitsUntilTheyNeedFive) {
    EXPECT_EQ(FormatRowNumber(0), u"0000");
    EXPECT_EQ(FormatRowNumber(42), u"0042");
    EXPECT_EQ(FormatRowNumber(9999), u"9999");
    EXPECT_EQ(FormatRowNumber(10000), u"10000");
}

TEST(AppendBlankRow, AddsAnEmptyRowNumberedWithItsIndex) {
    MemoryWordTable table;
    AppendBlankRow(table);
    EXPECT_EQ(RowsOf(table), (std::vector<RowText>{{u"", u"", u"0000"}}));
    AppendBlankRow(table);
    EXPECT_EQ(RowsOf(table)[1], (RowText{u"", u"", u"0001"}));
}

TEST(CellEditRule, CutsCodesToFourUnits) {
    MemoryWordTable table = TableOf({{u"abcdef", u"", u"0000"}, {u"abcd", u"", u"0001"}});
    ApplyCellEditRule(table, 0, kCodeColumn);
    ApplyCellEditRule(table, 1, kCodeColumn);
    EXPECT_EQ(table.CellText(0, kCodeColumn), u"abcd");
    EXPECT_EQ(table.CellText(1, kCodeColumn), u"abcd");
    EXPECT_EQ(table.RowCount(), 2);  // the last row is not complete
}

TEST(CellEditRule, KeepsOnlyThePhrasesUnitsAboveU0080) {
    MemoryWordTable table = TableOf({{u"", u"ab 中1国\u0080\u0081,\t文", u"0000"}});
    ApplyCellEditRule(table, 0, kPhraseColumn);
    EXPECT_EQ(table.CellText(0, kPhraseColumn), u"中国\u0081文");

    table.SetCellText(0, kPhraseColumn, u"Latin only 123");
    ApplyCellEditRule(table, 0, kPhraseColumn);
    EXPECT_EQ(table.CellText(0, kPhraseColumn), u"");
}

TEST(CellEditRule, CutsPhrasesToFortyUnitsWithoutSplittingASurrogatePair) {
    const std::u16string forty(40, u'字');
    MemoryWordTable table = TableOf({{u"", forty + u"多余的字", u"0000"}});
    ApplyCellEditRule(table, 0, kPhraseColumn);
    EXPECT_EQ(table.CellText(0, kPhraseColumn), forty);

    // Units 39 and 40 are one character: keeping unit 39 alone would store half of it.
    const std::u16string thirtyNine(39, u'字');
    table.SetCellText(0, kPhraseColumn, thirtyNine + u"\U00020000字");
    ApplyCellEditRule(table, 0, kPhraseColumn);
    EXPECT_EQ(table.CellText(0, kPhraseColumn), thirtyNine);

    // A pair that ends exactly at unit 40 stays whole.
    const std::u16string pairAtEnd = std::u16string(38, u'字') + u"\U00020000";
    table.SetCellText(0, kPhraseColumn, pairAtEnd + u"字");
    ApplyCellEditRule(table, 0, kPhraseColumn);
    EXPECT_EQ(table.CellText(0, kPhraseColumn), pairAtEnd);
}

TEST(CellEditRule, CutsCodesWithoutSplittingASurrogatePair) {
    MemoryWordTable table = TableOf({{u"abc\U0001F600d", u"", u"0000"}});
    ApplyCellEditRule(table, 0, kCodeColumn);
    EXPECT_EQ(table.CellText(0, kCodeColumn), u"abc");
}

TEST(CellEditRule, AppendsABlankRowOnlyWhenTheLastRowBecomesComplete) {
    MemoryWordTable table = TableOf({{u"", u"", u"0000"}});
    table.SetCellText(0, kCodeColumn, u"wq");
    ApplyCellEditRule(table, 0, kCodeColumn);
    EXPECT_EQ(table.RowCount(), 1);

    table.SetCellText(0, kPhraseColumn, u"你们");
    ApplyCellEditRule(table, 0, kPhraseColumn);
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{{u"wq", u"你们", u"0000"}, {u"", u"", u"0001"}}));

    // A phrase filtered down to nothing leaves the row incomplete: no blank row.
    MemoryWordTable latin = TableOf({{u"ab", u"", u"0000"}});
    latin.SetCellText(0, kPhraseColumn, u"abc");
    ApplyCellEditRule(latin, 0, kPhraseColumn);
    EXPECT_EQ(latin.RowCount(), 1);
}

TEST(CellEditRule, AnyEditOfATableEndingInACompleteRowAppendsABlankRow) {
    // As after a save: only complete rows, no blank row.
    MemoryWordTable table = TableOf({{u"a", u"一", u"0000"}, {u"b", u"二", u"0001"}});
    ApplyCellEditRule(table, 0, kNumberColumn);
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(RowsOf(table)[2], (RowText{u"", u"", u"0002"}));

    MemoryWordTable empty;
    ApplyCellEditRule(empty, 0, kCodeColumn);
    ApplyCellEditRule(empty, -1, kPhraseColumn);
    EXPECT_EQ(empty.RowCount(), 0);
}

TEST(TidyUp, RemovesRunsOfIncompleteRowsAndRenumbers) {
    MemoryWordTable table = TableOf({
        {u"a", u"一", u"0000"},
        {u"", u"二", u"0001"},
        {u"c", u"", u"0002"},
        {u"", u"", u"0003"},
        {u"", u"五", u"0004"},
        {u"f", u"六", u"0005"},
        {u"f", u"六", u"0006"},  // a duplicate is still a word
        {u"", u"", u"0007"},
    });
    TidyUpRows(table);
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{
                  {u"a", u"一", u"0000"}, {u"f", u"六", u"0001"}, {u"f", u"六", u"0002"}}));

    MemoryWordTable onlyBlank = TableOf({{u"", u"", u"0000"}});
    TidyUpRows(onlyBlank);
    EXPECT_EQ(onlyBlank.RowCount(), 0);
}

TEST(TidyUp, RemovesTheSameRowsAsRemovingThemOneByOne) {
    std::mt19937 random(99);
    for (int round = 0; round < 200; ++round) {
        MemoryWordTable fast;
        for (int row = 0; row < static_cast<int>(random() % 40); ++row) {
            fast.InsertRow(row, random() % 3 == 0 ? u"" : std::u16string(1, u'a' + random() % 3));
            fast.SetCellText(row, kPhraseColumn, random() % 4 == 0 ? u"" : u"词");
            fast.SetCellText(row, kNumberColumn, u"old");
        }
        MemoryWordTable literal = fast;
        TidyUpRows(fast);
        reference::TidyUpRowsOneByOne(literal);
        ASSERT_EQ(RowsOf(fast), RowsOf(literal)) << "round " << round;
    }
}

TEST(PrepareForSave, TidiesSortsAndChecksTheWordLimit) {
    MemoryWordTable table = TableOf({{u"b", u"二", u"0000"},
                                     {u"", u"x", u"0001"},
                                     {u"a", u"一", u"0002"},
                                     {u"", u"", u"0003"}});
    EXPECT_TRUE(PrepareRowsForSave(table));
    EXPECT_EQ(RowsOf(table),
              (std::vector<RowText>{{u"a", u"一", u"0000"}, {u"b", u"二", u"0001"}}));
    EXPECT_EQ(RowsAsRecords(table), (std::vector<WordRecord>{{u"a", u"一"}, {u"b", u"二"}}));

    MemoryWordTable full;
    for (int i = 0; i < kWordLimit; ++i) {
        full.InsertRow(i, u"a");
        full.SetCellText(i, kPhraseColumn, u"字");
    }
    AppendBlankRow(full);
    EXPECT_TRUE(PrepareRowsForSave(full));
    EXPECT_EQ(full.RowCount(), 1221);

    full.InsertRow(full.RowCount(), u"zz");
    full.SetCellText(full.RowCount() - 1, kPhraseColumn, u"多");
    EXPECT_FALSE(PrepareRowsForSave(full));
    EXPECT_EQ(full.RowCount(), 1222);
    EXPECT_EQ(full.CellText(1221, kCodeColumn), u"zz");  // sorted even when refused
}

}  // namespace
}  // namespace emb
