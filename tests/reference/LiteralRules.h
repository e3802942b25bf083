#pragma once

// The word table's rules done step by step through the cells, the way the list control would
// see them without any shortcut: the reference that the fast paths must match, row for row.

#include <vector>

#include "WordRecord.h"
#include "WordTable.h"

namespace emb::reference {

// The partition steps, reading and exchanging cells, recursing left then right.
void SortRowsByCodeThroughCells(WordTable& table, int low, int high);

// Visits the rows from the first, removing each incomplete one as it is found, then renumbers.
void TidyUpRowsOneByOne(WordTable& table);

// Load's rows: the table emptied, then each record inserted and its cells written, then the
// blank row.
void LoadRecordsRowByRow(WordTable& table, const std::vector<WordRecord>& records);

// Import's records after the tidy-up: each record is compared with every row before it is
// added, then the blank row follows.
void ImportRecordsScanningRows(WordTable& table, const std::vector<WordRecord>& records);

}  // namespace emb::reference
