#include <gtest/gtest.h>

#include <functional>

#include "TableHistory.h"
#include "TableSearch.h"
#include "Utf8.h"
#include "WordListText.h"
#include "support/TableText.h"

namespace emb {
namespace {

using namespace testing;

// The table as the user sees it: rows, numbers, selection and focus.
using State = std::pair<Rows, Selection>;
State StateOf(const MemoryWordTable& table) {
    return {table.Rows(), table.GetSelection()};
}

MemoryWordTable Table(const Records& words, Selection selection) {
    MemoryWordTable table = TableOf(words);
    table.SetSelection(selection);
    return table;
}

void Record(TableHistory& history, MemoryWordTable& table,
            const std::function<void(StepRecorder&)>& change) {
    StepRecorder step(table);
    change(step);
    history.Add(step);
}

TEST(TableSearch, FindsAPartOfACodeOrPhraseFromTheFocusOnGoingAroundOnce) {
    const MemoryWordTable table =
        TableOf({{u"jjsk", u"经济"}, {u"xicp", u"经济观察"}, {u"ABC", u"中文"}, {}});
    const std::tuple<FindRequest, int, int> cases[] = {
        {{u"经济"}, 0, 1},
        {{u"经济"}, 1, 0},                // around the end
        {{u"经济", false, false}, 1, 0},  // up
        {{u"经济", false, false}, 0, 1},  // up, around the start
        {{u"经济", true}, 0, 0},          // the whole cell: the start itself, last
        {{u"abc", true}, -1, 2},          // either case
        {{u"XI"}, 3, 1},
        {{u"观察", true}, 0, -1},
        {{u"无"}, 0, -1},
        {{u""}, 0, -1},
    };
    for (const auto& [request, start, found] : cases) {
        EXPECT_EQ(FindRow(table, request, start), found) << ToUtf8(request.text) << ' ' << start;
    }
}

TEST(TableRules, DeleteTakesTheSelectedRowsButTheBlankOneAndSelectAllTakesTheWords) {
    const Records words = {{u"a", u"一"}, {u"b", u"二"}, {u"c", u"三"}, {}};
    const Records noBlank(words.begin(), words.end() - 1);
    const std::tuple<Records, Selection, Records, Selection> deletions[] = {
        {words, {{1}, 1}, {words[0], words[2], {}}, {{1}, 1}},
        {words, {{0, 2, 3}, 0}, {words[1], {}}, {{1}, 1}},  // the blank row stays and follows
        {words, {{0, 1, 2, 3}, 3}, {{}}, {{0}, 0}},
        {words, {{3}, 3}, words, {{3}, 3}},  // nothing goes
        {words, {{}, 2}, words, {{}, 2}},
        {noBlank, {{1, 2}, 1}, {words[0]}, {{0}, 0}},
    };
    for (const auto& [before, selected, left, after] : deletions) {
        MemoryWordTable table = Table(before, selected);
        EXPECT_EQ(DeleteSelectedRows(table), left != before);
        EXPECT_EQ(StateOf(table), State(Numbered(left), after));
    }
    MemoryWordTable table = Table(words, {{1}, 2});
    SelectAllWords(table);
    EXPECT_EQ(table.GetSelection(), (Selection{{0, 1, 2}, 2}));
    // What Copy puts on the clipboard: the complete rows selected, as a word list's lines.
    table = Table({{u"a", u"一"}, {u"", u"空"}, {u"c", u"三"}, {}}, {{0, 1, 2, 3}, 0});
    const std::u16string copied = WordListLines(SelectedWords(table));
    EXPECT_EQ(copied, u"a\t一\r\nc\t三\r\n");
    EXPECT_EQ(ReadWordListLeniently(copied).words, (Records{{u"a", u"一"}, {u"c", u"三"}}));
}

// Each kind of change, as the window makes it: one step, or none when nothing changed; undo
// and redo put back the table as it was and as it became.
TEST(TableHistory, EachChangeIsOneStepTakenBackAndMadeAgainWhole) {
    const Records words = {{u"b", u"二"}, {u"a", u"一"}, {}};
    const auto edit = [](int row, int column, std::u16string text) {
        return [=](MemoryWordTable& list, StepRecorder& step) {
            const std::u16string before = list.CellText(row, column);
            list.SetCellText(row, column, text);  // the list stores the editor's text itself
            step.CellChangedBefore(row, column, before);
            ApplyCellEditRule(step, row, column);
        };
    };
    const auto import = [](Records added) {
        return [=](MemoryWordTable&, StepRecorder& step) {
            AppendNewWords(step, TidyUpRows(step), added);
            AppendBlankRow(step);
        };
    };
    using Change = std::function<void(MemoryWordTable&, StepRecorder&)>;
    const std::pair<Change, bool> changes[] = {
        {edit(0, 1, u"贰"), true},
        {edit(0, 0, u"bcdef"), true},
        {edit(0, 0, u"b"), false},    // the same text
        {edit(0, 1, u"二x"), false},  // the rule drops what was added
        {edit(2, 0, u"c"), true},     // the blank row gets a code
        {edit(2, 1, u"三"), true},    // and a phrase: a new blank row
        {[](auto&, auto& step) { DeleteSelectedRows(step); }, true},
        {[](auto& list, auto& step) {
             list.SetSelection({{2}, 2}), DeleteSelectedRows(step);
         },
         false},
        {[](auto&, auto& step) { step.DeleteAllRows(); }, true},
        {import({{u"c", u"三"}}), true},
        {import({words[0]}), false},
        {[](auto&, auto& step) { PrepareRecordsForSave(step); }, true},
        {[](auto& list, auto& step) { PrepareRecordsForSave(list), PrepareRecordsForSave(step); },
         false},  // saved again: nothing to tidy or sort
    };
    for (std::size_t c = 0; c < std::size(changes); ++c) {
        SCOPED_TRACE(c);
        const auto& [change, isStep] = changes[c];
        MemoryWordTable table = Table(words, {{0, 1}, 1});
        const State before = StateOf(table);
        TableHistory history;
        StepRecorder step(table);
        change(table, step);
        history.Add(step);
        const State after = StateOf(table);
        ASSERT_EQ(history.CanUndo(), isStep);
        history.Undo(table);
        EXPECT_EQ(StateOf(table), isStep ? before : after);
        EXPECT_EQ(history.CanRedo(), isStep);
        history.Redo(table);
        EXPECT_EQ(StateOf(table), after);
    }
}

TEST(TableHistory, KeepsTheLastHundredStepsAndDropsWhatWasUndoneOnANewStep) {
    MemoryWordTable table = Table({{u"b", u"二"}, {u"a", u"一"}, {}}, {{0}, 0});
    TableHistory history;
    const auto code = [&](std::u16string_view text) {
        Record(history, table, [&](StepRecorder& step) { step.SetCellText(0, 0, text); });
    };
    for (int n = 1; n <= 101; ++n) {
        code(FormatRowNumber(n));
    }
    for (int n = 0; n < 100; ++n) {
        history.Undo(table);
    }
    EXPECT_EQ(table.CellText(0, kCodeColumn) + (history.CanUndo() ? u"+" : u""), u"0001");
    code(u"new");
    EXPECT_FALSE(history.CanRedo());
    // Saving removes the blank row; an edit ended unchanged puts it back, with the save.
    const State saved = StateOf(table);
    Record(history, table, [](StepRecorder& step) { PrepareRecordsForSave(step); });
    Record(history, table, [](StepRecorder& step) { ApplyCellEditRule(step, 0, 0); });
    history.Undo(table);
    EXPECT_EQ(StateOf(table), saved);
    // A step of more rows than are kept, and a library chosen, let the history go.
    Record(history, table, [](StepRecorder& step) {
        for (std::size_t n = 0; n <= StepRecorder::kMaxRows; ++n) {
            step.InsertRow(0, u"x");
        }
    });
    EXPECT_FALSE(history.CanUndo());
    code(u"newer");
    history.Clear();
    EXPECT_FALSE(history.CanUndo() || history.CanRedo());
}

}  // namespace
}  // namespace emb
