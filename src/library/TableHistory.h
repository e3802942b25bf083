#pragma once

// The table's undo history. Each change the user makes is one step, taken back and made again
// as a whole, with the selection and focus it had before and after. A step keeps only the rows
// it touched: from the first row it changed to the last, or to the table's end once rows went
// in or out, as they were and as they became.

#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "WordTable.h"

namespace emb {

using TableRow = std::array<std::u16string, kColumnCount>;

// The table as a change under way sees it: every call goes through to the table, and the rows
// a change touches are read before it touches them. Cells set to the text they hold already
// are left alone.
class StepRecorder final : public WordTable {
public:
    // A change of more rows than this, before or after, keeps nothing, and the history is let
    // go (a damaged file's 65,535 empty records are not worth the time it takes to read them).
    static constexpr std::size_t kMaxRows = 5000;

    explicit StepRecorder(WordTable& table);

    // The cell holds a text that was stored before the recorder saw it (the list stores an
    // edited cell itself); before is what it held.
    void CellChangedBefore(int row, int column, const std::u16string& before);

    int RowCount() const override;
    std::u16string CellText(int row, int column) const override;
    void SetCellText(int row, int column, std::u16string_view text) override;
    void InsertRow(int row, std::u16string_view code) override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;
    void DeleteRows(const std::vector<int>& ascendingRows) override;
    Selection GetSelection() const override;
    void SetSelection(const Selection& selection) override;

private:
    friend class TableHistory;

    // Keeps rows [row, row + 1), or to the table's end when rows are about to go in or out, as
    // they are now, unless kept already.
    void Touch(int row, bool rowsMove);
    // The table's rows [from, to) as they are now.
    std::vector<TableRow> Read(int from, int to) const;

    WordTable& m_table;
    Selection m_selectionBefore;
    int m_first = -1;                // the first row touched; -1: none yet
    std::vector<TableRow> m_before;  // from m_first on, as they were
    std::vector<TableRow> m_after;   // the same rows as they are now, changed as the table is
    bool m_toEnd = false;            // m_before reaches the table's end: rows went in or out
    bool m_tooLarge = false;
};

class TableHistory {
public:
    // The steps kept; the oldest go first.
    static constexpr std::size_t kMaxSteps = 100;

    // A library chosen: nothing to take back.
    void Clear();
    // Ends a change: a step when the table's rows are not as they were.
    void Add(StepRecorder& change);

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // The table as it was before the last step, or as it became after the step last taken
    // back; its selection and focus with it.
    void Undo(WordTable& table);
    void Redo(WordTable& table);

private:
    struct Step {
        int first = 0;
        std::vector<TableRow> before;
        std::vector<TableRow> after;
        Selection selectionBefore;
        Selection selectionAfter;
    };
    // Replaces the table's rows [first, first + now.size()), which hold now, with rows.
    static void Replace(WordTable& table, int first, const std::vector<TableRow>& now,
                        const std::vector<TableRow>& rows);

    std::deque<Step> m_undo;
    std::vector<Step> m_redo;
};

}  // namespace emb
