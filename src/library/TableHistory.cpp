#include "TableHistory.h"

#include <algorithm>
#include <utility>

namespace emb {

StepRecorder::StepRecorder(WordTable& table)
    : m_table(table), m_selectionBefore(table.GetSelection()) {
}

std::vector<TableRow> StepRecorder::Read(int from, int to) const {
    std::vector<TableRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(to - from, 0)));
    for (int row = from; row < to; ++row) {
        TableRow& read = rows.emplace_back();
        for (int column = 0; column < kColumnCount; ++column) {
            read[static_cast<std::size_t>(column)] = m_table.CellText(row, column);
        }
    }
    return rows;
}

// Rows below the first one touched have neither changed nor moved; nor, until rows go in or
// out, have those after the last one touched. Either kind is read as it is when first needed.
void StepRecorder::Touch(int row, bool rowsMove) {
    if (m_tooLarge) {
        return;
    }
    const int rows = m_table.RowCount();
    if (m_first == -1) {
        m_first = row;
    } else if (row < m_first) {
        const std::vector<TableRow> above = Read(row, m_first);
        m_before.insert(m_before.begin(), above.begin(), above.end());
        m_after.insert(m_after.begin(), above.begin(), above.end());
        m_first = row;
    }
    const int kept = m_first + static_cast<int>(m_after.size());
    if (!m_toEnd) {
        const int end = rowsMove ? rows : std::min(row + 1, rows);
        if (end > kept) {
            if (static_cast<std::size_t>(end - m_first) > kMaxRows) {
                m_tooLarge = true;
                m_before.clear();
                m_after.clear();
                return;
            }
            const std::vector<TableRow> more = Read(kept, end);
            m_before.insert(m_before.end(), more.begin(), more.end());
            m_after.insert(m_after.end(), more.begin(), more.end());
        }
        m_toEnd = rowsMove;
    }
}

void StepRecorder::CellChangedBefore(int row, int column, const std::u16string& before) {
    if (m_table.CellText(row, column) == before) {
        return;
    }
    Touch(row, false);
    if (!m_tooLarge) {
        m_before[static_cast<std::size_t>(row - m_first)][static_cast<std::size_t>(column)] =
            before;
    }
}

int StepRecorder::RowCount() const {
    return m_table.RowCount();
}

std::u16string StepRecorder::CellText(int row, int column) const {
    return m_table.CellText(row, column);
}

void StepRecorder::SetCellText(int row, int column, std::u16string_view text) {
    if (row < 0 || row >= m_table.RowCount() || column < 0 || column >= kColumnCount) {
        return;
    }
    // Rows kept already are known without asking the table (a row just put in, say).
    const bool kept = !m_tooLarge && m_first != -1 && row >= m_first &&
                      row < m_first + static_cast<int>(m_after.size());
    if ((kept ? m_after[static_cast<std::size_t>(row - m_first)][static_cast<std::size_t>(column)]
              : m_table.CellText(row, column)) == text) {
        return;
    }
    Touch(row, false);
    m_table.SetCellText(row, column, text);
    if (!m_tooLarge) {
        m_after[static_cast<std::size_t>(row - m_first)][static_cast<std::size_t>(column)] = text;
    }
}

void StepRecorder::InsertRow(int row, std::u16string_view code) {
    Touch(row, true);
    m_table.InsertRow(row, code);
    if (!m_tooLarge) {
        m_after.insert(m_after.begin() + (row - m_first), TableRow{std::u16string(code), {}, {}});
    }
}

void StepRecorder::DeleteRow(int row) {
    if (row >= 0 && row < m_table.RowCount()) {
        DeleteRows({row});
    }
}

void StepRecorder::DeleteAllRows() {
    if (m_table.RowCount() > 0) {
        Touch(0, true);
        m_table.DeleteAllRows();
        m_after.clear();
    }
}

void StepRecorder::DeleteRows(const std::vector<int>& ascendingRows) {
    const int rows = m_table.RowCount();
    std::vector<int> going;
    for (const int row : ascendingRows) {
        if (row >= 0 && row < rows && (going.empty() || row > going.back())) {
            going.push_back(row);
        }
    }
    if (going.empty()) {
        return;
    }
    Touch(going.front(), true);
    m_table.DeleteRows(going);
    if (m_tooLarge) {
        return;
    }
    // In one pass: every row removed from the mirror one by one would move the rest each time.
    std::size_t next = 0;
    std::size_t kept = 0;
    for (std::size_t k = 0; k < m_after.size(); ++k) {
        if (next < going.size() && going[next] == m_first + static_cast<int>(k)) {
            ++next;
        } else {
            if (kept != k) {
                m_after[kept] = std::move(m_after[k]);
            }
            ++kept;
        }
    }
    m_after.resize(kept);
}

Selection StepRecorder::GetSelection() const {
    return m_table.GetSelection();
}

void StepRecorder::SetSelection(const Selection& selection) {
    m_table.SetSelection(selection);
}

void TableHistory::Clear() {
    m_undo.clear();
    m_redo.clear();
}

void TableHistory::Add(StepRecorder& change) {
    if (change.m_first == -1 && !change.m_tooLarge) {
        return;
    }
    if (change.m_tooLarge || change.m_after.size() > StepRecorder::kMaxRows) {
        Clear();  // what came before it can no longer be put back row for row
        return;
    }
    Step step{change.m_first, std::move(change.m_before), std::move(change.m_after),
              std::move(change.m_selectionBefore), change.GetSelection()};
    // Rows changed and changed back are no step; rows at either end that are as they were are
    // not kept.
    std::size_t same = 0;
    while (same < step.before.size() && same < step.after.size() &&
           step.before[same] == step.after[same]) {
        ++same;
    }
    step.before.erase(step.before.begin(), step.before.begin() + static_cast<long>(same));
    step.after.erase(step.after.begin(), step.after.begin() + static_cast<long>(same));
    step.first += static_cast<int>(same);
    while (!step.before.empty() && !step.after.empty() && step.before.back() == step.after.back()) {
        step.before.pop_back();
        step.after.pop_back();
    }
    if (step.before.empty() && step.after.empty()) {
        return;
    }
    // The blank row that ending an unchanged edit appends is no step of its own: it goes with
    // the step that left the table without one.
    const bool blankRowOnly = step.before.empty() && step.after.size() == 1 &&
                              step.after[0][kCodeColumn].empty() &&
                              step.after[0][kPhraseColumn].empty();
    if (blankRowOnly && m_redo.empty() && !m_undo.empty() &&
        m_undo.back().first + static_cast<int>(m_undo.back().after.size()) == step.first) {
        m_undo.back().after.push_back(std::move(step.after[0]));
        return;
    }
    m_redo.clear();
    m_undo.push_back(std::move(step));
    if (m_undo.size() > kMaxSteps) {
        m_undo.pop_front();
    }
}

void TableHistory::Replace(WordTable& table, int first, const std::vector<TableRow>& now,
                           const std::vector<TableRow>& rows) {
    const std::size_t common = std::min(now.size(), rows.size());
    for (std::size_t k = 0; k < common; ++k) {
        for (int column = 0; column < kColumnCount; ++column) {
            const auto cell = static_cast<std::size_t>(column);
            if (now[k][cell] != rows[k][cell]) {
                table.SetCellText(first + static_cast<int>(k), column, rows[k][cell]);
            }
        }
    }
    std::vector<int> going;
    for (std::size_t k = common; k < now.size(); ++k) {
        going.push_back(first + static_cast<int>(k));
    }
    table.DeleteRows(going);
    for (std::size_t k = common; k < rows.size(); ++k) {
        const int row = first + static_cast<int>(k);
        table.InsertRow(row, rows[k][kCodeColumn]);
        table.SetCellText(row, kPhraseColumn, rows[k][kPhraseColumn]);
        table.SetCellText(row, kNumberColumn, rows[k][kNumberColumn]);
    }
}

void TableHistory::Undo(WordTable& table) {
    if (m_undo.empty()) {
        return;
    }
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    Replace(table, step.first, step.after, step.before);
    table.SetSelection(step.selectionBefore);
    m_redo.push_back(std::move(step));
}

void TableHistory::Redo(WordTable& table) {
    if (m_redo.empty()) {
        return;
    }
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    Replace(table, step.first, step.before, step.after);
    table.SetSelection(step.selectionAfter);
    m_undo.push_back(std::move(step));
}

}  // namespace emb
