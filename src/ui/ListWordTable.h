#pragma once

#include "ListCtrl.h"
#include "WordTable.h"

// The word table whose rows live in the list control. Row changes suspend the list's redrawing
// until Resume (or the end of the adapter's life), so a bulk change is painted once.
class ListWordTable final : public emb::WordTable {
public:
    explicit ListWordTable(afx::CListCtrl& list) : m_list(list) {}
    ~ListWordTable() override { Resume(); }
    ListWordTable(const ListWordTable&) = delete;
    ListWordTable& operator=(const ListWordTable&) = delete;

    int RowCount() const override;
    std::u16string CellText(int row, int column) const override;
    void SetCellText(int row, int column, std::u16string_view text) override;
    // Inserted rows are selected and focused, as the user sees them after a load.
    void InsertRow(int row, std::u16string_view code) override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;

    // Redraws the list now if changes are waiting to be painted.
    void Resume();

private:
    bool Contains(int row) const { return row >= 0 && row < RowCount(); }
    void Suspend();

    afx::CListCtrl& m_list;
    bool m_suspended = false;
};
