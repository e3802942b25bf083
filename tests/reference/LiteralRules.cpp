#include "LiteralRules.h"

#include "WordTableRules.h"

namespace emb::reference {

void SortRowsByCodeThroughCells(WordTable& table, int low, int high) {
    const std::u16string pivot = table.CellText((low + high) / 2, kCodeColumn);
    int i = low;
    int j = high;
    do {
        while (table.CellText(i, kCodeColumn) < pivot) {
            ++i;
        }
        while (table.CellText(j, kCodeColumn) > pivot) {
            --j;
        }
        if (i <= j) {
            for (const int column : {kCodeColumn, kPhraseColumn}) {
                const std::u16string atI = table.CellText(i, column);
                table.SetCellText(i, column, table.CellText(j, column));
                table.SetCellText(j, column, atI);
            }
            ++i;
            --j;
        }
    } while (i <= j);
    if (low < j) {
        SortRowsByCodeThroughCells(table, low, j);
    }
    if (i < high) {
        SortRowsByCodeThroughCells(table, i, high);
    }
}

void TidyUpRowsOneByOne(WordTable& table) {
    int row = 0;
    while (row < table.RowCount()) {
        if (IsCompleteRow(table, row)) {
            ++row;
        } else {
            table.DeleteRow(row);  // the next row moves up into this place
        }
    }
    for (row = 0; row < table.RowCount(); ++row) {
        table.SetCellText(row, kNumberColumn, FormatRowNumber(row));
    }
}

void LoadRecordsRowByRow(WordTable& table, const std::vector<WordRecord>& records) {
    table.DeleteAllRows();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int row = static_cast<int>(i);
        table.InsertRow(row, records[i].code);
        table.SetCellText(row, kPhraseColumn, records[i].phrase);
        table.SetCellText(row, kNumberColumn, FormatRowNumber(row));
    }
    AppendBlankRow(table);
}

void ImportRecordsScanningRows(WordTable& table, const std::vector<WordRecord>& records) {
    TidyUpRowsOneByOne(table);
    for (const WordRecord& record : records) {
        const int n = table.RowCount();
        bool duplicate = false;
        for (int row = 0; row < n && !duplicate; ++row) {
            duplicate = table.CellText(row, kPhraseColumn) == record.phrase &&
                        table.CellText(row, kCodeColumn) == record.code;
        }
        if (!duplicate) {
            table.InsertRow(n, record.code);
            table.SetCellText(n, kPhraseColumn, record.phrase);
            table.SetCellText(n, kNumberColumn, FormatRowNumber(n));
        }
    }
    AppendBlankRow(table);
}

}  // namespace emb::reference
