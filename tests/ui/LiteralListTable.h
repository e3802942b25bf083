#pragma once

#include "ListCtrl.h"
#include "WordTable.h"

namespace uitest {

// The word table through the list with no shortcut: redrawing stays on and every inserted or
// deleted row is painted at once; rows are inserted selected and focused as the program inserts
// them. The reference that the program's fast paths must match on the real control.
class LiteralListTable final : public emb::WordTable {
public:
    explicit LiteralListTable(afx::CListCtrl& list) : m_list(list) {}

    int RowCount() const override;
    std::u16string CellText(int row, int column) const override;
    void SetCellText(int row, int column, std::u16string_view text) override;
    void InsertRow(int row, std::u16string_view code) override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;

private:
    bool Contains(int row) const { return row >= 0 && row < RowCount(); }

    afx::CListCtrl& m_list;
};

}  // namespace uitest
