#pragma once

#include "ListCtrl.h"
#include "ListPaintPause.h"
#include "WordTable.h"

// The word table whose rows live in the list control. Row changes suspend the list's redrawing
// and take its window out of painting until Resume (or the end of the adapter's life), so a bulk
// change is painted once.
//
// While rows go in or out, the focused row is kept here rather than in the control. The control
// scrolls to each row that gets the focus, and with its redrawing off it does so against a
// scroll range it no longer updates; kept here, the focus goes back once, with the redrawing on,
// and the list scrolls as far as it has to from where the changed rows leave it. (Under Wine each
// row going in or out beside a focused row also cost milliseconds while the list was shown.) The
// rows end with the same states as if each change had reached the control directly.
class ListWordTable final : public emb::WordTable {
public:
    explicit ListWordTable(afx::CListCtrl& list) : m_list(list), m_paintPause(list) {}
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
    // Removes the rows one by one, the focused row last, when only the rows that stay lie about
    // it: the control then moves the focus once, by its own rule, to the row it would have
    // reached moving it on with each removal (under Wine each move of the focus costs a scroll).
    // When more than two thirds go, the list is emptied and the rest put back instead.
    void DeleteRows(const std::vector<int>& ascendingRows) override;
    emb::Selection GetSelection() const override;
    // The focused row is scrolled into view once the rows are shown again.
    void SetSelection(const emb::Selection& selection) override;

    // Gives the focus back to its row and redraws the list now if changes are waiting.
    void Resume();

private:
    static constexpr int kNoRow = -1;

    void Suspend();
    // The control's redrawing back on and the focus back, with the window still out of painting.
    void ResumeRows();
    // Takes the focus from the control's focused row into m_focusedRow, and gives it back.
    void HoldFocus();
    void ReturnFocus();
    void HoldFocusWhileRowsChange();
    void DeleteOneByOne(const std::vector<int>& rows);
    void PutBackOnly(const std::vector<int>& goingRows);

    afx::CListCtrl& m_list;
    ListPaintPause m_paintPause;
    bool m_suspended = false;        // the control's own redrawing is off
    bool m_holdingFocus = false;     // rows have gone in or out since the last Suspend
    int m_focusedRow = kNoRow;       // while holding: the row the control would show focused
    bool m_insertedFocused = false;  // a row has gone in focused since the last Suspend
    bool m_focusMoved = false;       // m_focusedRow is a new row, not the one held
    int m_topToRestore = kNoRow;     // the list was emptied and refilled: where it stood
    int m_rowToShow = kNoRow;        // the focus was set: the row to scroll into view
};
