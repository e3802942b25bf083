#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "LiteralRules.h"
#include "MemoryWordTable.h"
#include "WordTableRules.h"

namespace emb {
namespace {

using Pair = std::pair<std::u16string, std::u16string>;

MemoryWordTable TableOf(const std::vector<Pair>& rows) {
    MemoryWordTable table;
    for (const auto& [code, phrase] : rows) {
        const int at = table.RowCount();
        table.InsertRow(at, code);
        table.SetCellText(at, kPhraseColumn, phrase);
        table.SetCellText(at, kNumberColumn, FormatRowNumber(at));
    }
    return table;
}

std::vector<Pair> PairsOf(const WordTable& table) {
    std::vector<Pair> rows;
    for (int row = 0; row < table.RowCount(); ++row) {
        rows.emplace_back(table.CellText(row, kCodeColumn), table.CellText(row, kPhraseColumn));
    }
    return rows;
}

std::vector<Pair> Sorted(const std::vector<Pair>& rows) {
    MemoryWordTable table = TableOf(rows);
    SortRowsByCode(table, 0, table.RowCount() - 1);
    return PairsOf(table);
}

TEST(SortRowsByCode, APrefixSortsBeforeItsExtensions) {
    EXPECT_EQ(Sorted({{u"b", u"1"}, {u"ab", u"2"}, {u"aa", u"3"}, {u"a", u"4"}}),
              (std::vector<Pair>{{u"a", u"4"}, {u"aa", u"3"}, {u"ab", u"2"}, {u"b", u"1"}}));
}

TEST(SortRowsByCode, CodesCompareByUnitValue) {
    // Upper case sorts before lower case, and a unit above U+7FFF after both.
    EXPECT_EQ(
        Sorted({{u"\u4E00", u"1"}, {u"a", u"2"}, {u"B", u"3"}, {u"\uFFFF", u"4"}}),
        (std::vector<Pair>{{u"B", u"3"}, {u"a", u"2"}, {u"\u4E00", u"1"}, {u"\uFFFF", u"4"}}));
}

TEST(SortRowsByCode, EqualCodesComeOutInThePartitionsOrder) {
    const std::vector<Pair> twoEqual = {{u"a", u"X"}, {u"a", u"Y"}};
    const std::vector<Pair> once = Sorted(twoEqual);
    EXPECT_EQ(once, (std::vector<Pair>{{u"a", u"Y"}, {u"a", u"X"}}));
    EXPECT_EQ(Sorted(once), twoEqual);

    EXPECT_EQ(Sorted({{u"a", u"X"}, {u"a", u"Y"}, {u"a", u"Z"}}),
              (std::vector<Pair>{{u"a", u"Z"}, {u"a", u"Y"}, {u"a", u"X"}}));
    EXPECT_EQ(Sorted({{u"b", u"1"}, {u"a", u"2"}, {u"c", u"3"}, {u"a", u"4"}}),
              (std::vector<Pair>{{u"a", u"4"}, {u"a", u"2"}, {u"b", u"1"}, {u"c", u"3"}}));
}

TEST(SortRowsByCode, EmptyAndSingleRowTablesAreLeftAlone) {
    MemoryWordTable empty;
    SortRowsByCode(empty, 0, -1);
    EXPECT_EQ(empty.RowCount(), 0);
    EXPECT_EQ(Sorted({{u"x", u"1"}}), (std::vector<Pair>{{u"x", u"1"}}));
}

TEST(SortRowsByCode, LeavesRowNumbersAndRowsOutsideTheRangeInPlace) {
    MemoryWordTable table = TableOf({{u"d", u"1"}, {u"c", u"2"}, {u"b", u"3"}, {u"a", u"4"}});
    SortRowsByCode(table, 1, 2);
    EXPECT_EQ(PairsOf(table),
              (std::vector<Pair>{{u"d", u"1"}, {u"b", u"3"}, {u"c", u"2"}, {u"a", u"4"}}));
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(table.CellText(row, kNumberColumn), FormatRowNumber(row));
    }
}

TEST(SortRowsByCode, MatchesThePartitionStepsThroughTheCellsOnRandomTables) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        // Few distinct codes, so equal codes and their order are exercised hard.
        const int rows = static_cast<int>(random() % 60);
        const int distinct = 1 + static_cast<int>(random() % 6);
        std::vector<Pair> input;
        for (int row = 0; row < rows; ++row) {
            std::u16string code(1 + random() % 2, u'a');
            code[0] = static_cast<char16_t>(u'a' + random() % static_cast<unsigned>(distinct));
            input.emplace_back(code, FormatRowNumber(row));
        }
        MemoryWordTable reference = TableOf(input);
        reference::SortRowsByCodeThroughCells(reference, 0, reference.RowCount() - 1);
        ASSERT_EQ(Sorted(input), PairsOf(reference)) << "round " << round;
    }
}

TEST(SortRowsByCode, HandlesLargeOrderedAndUniformTables) {
    std::vector<Pair> ascending;
    std::vector<Pair> uniform;
    for (int row = 0; row < 50000; ++row) {
        std::u16string code = FormatRowNumber(row + 100000);  // equal widths sort numerically
        ascending.emplace_back(code, u"词");
        uniform.emplace_back(u"same", FormatRowNumber(row));
    }
    EXPECT_EQ(Sorted(ascending), ascending);
    std::vector<Pair> descending(ascending.rbegin(), ascending.rend());
    EXPECT_EQ(Sorted(descending), ascending);

    const std::vector<Pair> sortedUniform = Sorted(uniform);
    ASSERT_EQ(sortedUniform.size(), uniform.size());
    for (const Pair& row : sortedUniform) {
        EXPECT_EQ(row.first, u"same");
    }
}

}  // namespace
}  // namespace emb
