#include <gtest/gtest.h>

#include "ByteStore.h"
#include "MemoryWordTable.h"

namespace emb {
namespace {

TEST(MemoryBytes, ReadsStopAtTheEndAndWritesGrowTheBuffer) {
    MemoryBytes bytes(std::vector<std::uint8_t>{1, 2, 3});
    std::uint8_t out[4] = {9, 9, 9, 9};
    EXPECT_EQ(bytes.ReadAt(1, out), 2u);
    EXPECT_EQ(out[0], 2);
    EXPECT_EQ(out[1], 3);
    EXPECT_EQ(out[2], 9);
    EXPECT_EQ(bytes.ReadAt(3, out), 0u);
    EXPECT_EQ(bytes.ReadAt(1000, out), 0u);

    const std::uint8_t more[2] = {7, 8};
    EXPECT_TRUE(bytes.WriteAt(5, more));
    EXPECT_EQ(bytes.Bytes(), (std::vector<std::uint8_t>{1, 2, 3, 0, 0, 7, 8}));
}

TEST(MemoryWordTable, CellsOutsideTheTableReadEmptyAndIgnoreWrites) {
    MemoryWordTable table;
    EXPECT_EQ(table.CellText(-1, 0), u"");
    EXPECT_EQ(table.CellText(0, 0), u"");
    table.SetCellText(0, 0, u"x");
    EXPECT_EQ(table.RowCount(), 0);

    table.InsertRow(0, u"b");
    table.InsertRow(0, u"a");
    table.SetCellText(1, kPhraseColumn, u"二");
    table.SetCellText(1, 3, u"no such column");
    EXPECT_EQ(table.CellText(0, kCodeColumn), u"a");
    EXPECT_EQ(table.CellText(1, kPhraseColumn), u"二");
    EXPECT_EQ(table.CellText(1, 3), u"");
    EXPECT_EQ(table.CellText(2, kCodeColumn), u"");

    table.InsertRow(2, u"c");
    table.InsertRow(3, u"d");
    table.DeleteRows({0, 2});
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.CellText(0, kCodeColumn), u"b");
    EXPECT_EQ(table.CellText(1, kCodeColumn), u"d");
    table.InsertRow(0, u"a");

    table.DeleteRow(5);
    table.DeleteRow(0);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.CellText(0, kCodeColumn), u"b");
    table.DeleteAllRows();
    EXPECT_EQ(table.RowCount(), 0);
}

}  // namespace
}  // namespace emb
