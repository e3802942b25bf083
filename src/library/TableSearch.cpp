#include "TableSearch.h"

#include <algorithm>

#include "WordTableRules.h"

namespace emb {
namespace {

std::u16string Folded(std::u16string text) {
    std::transform(text.begin(), text.end(), text.begin(), LowercaseAscii);
    return text;
}

}  // namespace

int FindRow(const WordTable& table, const FindRequest& request, int start) {
    const int rows = table.RowCount();
    const std::u16string wanted = Folded(request.text);
    if (rows == 0 || wanted.empty()) {
        return -1;
    }
    const int step = request.down ? 1 : -1;
    int row = start < 0 || start >= rows ? (request.down ? rows - 1 : 0) : start;
    for (int visited = 0; visited < rows; ++visited) {
        row = (row + step + rows) % rows;
        for (const int column : {kCodeColumn, kPhraseColumn}) {
            const std::u16string cell = Folded(table.CellText(row, column));
            if (request.wholeCell ? cell == wanted : cell.find(wanted) != std::u16string::npos) {
                return row;
            }
        }
    }
    return -1;
}

}  // namespace emb
