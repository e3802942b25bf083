// The list's fast paths against the same steps done literally on the real control: for random
// tables (many equal codes, empty cells, duplicates, any selection, focus, selection anchor and
// scrolling; some with every row or all but a few incomplete, as a library with a damaged count
// field loads), each
// operation must leave the same rows, order, numbers, states and selection anchor, and the same
// scrolling or a view that shows the focused row. What the fast path shows when it returns must
// be what a full repaint would show.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <random>

#include "LibraryCommands.h"
#include "ListWordTable.h"
#include "LiteralListTable.h"
#include "LiteralRules.h"
#include "MainWindowFixture.h"
#include "UserWordFormat.h"
#include "WindowPixels.h"
#include "WordTableRules.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeGbkDecoder.h"
#include "fakes/RecordingPrompt.h"

namespace uitest {
namespace {

using emb::WordRecord;

const emb::LibraryPaths kPaths{u"C:\\t\\EDNQB", u"C:\\t\\EDNQB\\EDNQB.EMB", u"C:\\t\\EDNQA",
                               u"C:\\t\\EDNQA\\EDNQA.EMB"};
const std::u16string kBackup = u"C:\\t\\backup.EMB";

// The main window with its word list within the test's reach.
class ListDlg final : public CWordMaintDlg {
public:
    afx::CListCtrl& WordList() { return m_wordList; }
};

// A table as the list holds it before an operation.
struct StartRow {
    std::wstring code;
    std::wstring phrase;
    std::wstring number;
    bool selected = false;
};
inline constexpr int kAnchorOfTheFocus = -2;  // the anchor the control sets with the focus

struct Start {
    std::vector<StartRow> rows;
    int focused = -1;
    int anchor = kAnchorOfTheFocus;   // the selection mark, when the user has moved it since
    std::vector<WordRecord> records;  // what a file to load or import holds
    int scrolledRows = 0;             // how far the user has scrolled down before
    bool waitingPaint = false;        // something lay over the list and its paint is due
};

// What the user can tell apart: every row with its states, the selection mark and the scroll.
struct Seen {
    std::vector<ListRow> rows;
    int selectionMark = -1;
    int topIndex = 0;
    bool focusedRowInSight = false;  // the focused row shows whole
    friend bool operator==(const Seen&, const Seen&) = default;
};

Seen SeenIn(HWND list) {
    bool inSight = false;
    const auto focused =
        ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
    RECT row = {LVIR_BOUNDS, 0, 0, 0};
    RECT client = {};
    RECT header = {};
    if (focused >= 0 && ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(focused),
                                       reinterpret_cast<LPARAM>(&row)) != 0) {
        ::GetClientRect(list, &client);
        ::GetWindowRect(::GetDlgItem(list, 0), &header);
        inSight = row.top >= header.bottom - header.top && row.bottom <= client.bottom;
    }
    return {RowsOf(list), static_cast<int>(::SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0)),
            static_cast<int>(::SendMessageW(list, LVM_GETTOPINDEX, 0, 0)), inSight};
}

// Which rows a random table's words may leave incomplete. When most rows go, the tidy-up takes
// another path. In the long table more rows stay than the list shows at once (23), so where it
// ends up scrolled shows.
enum class Shape { AnyRows, EveryRowIncomplete, AllButAFewIncomplete, LongMostRowsIncomplete };
// Where the focus or the selection anchor lies: anywhere (the anchor now and then where the
// control put it with the focus), on no row, on a row that goes or on one that stays.
enum class Place { Anywhere, Nowhere, OnARowThatGoes, OnARowThatStays };
struct TableKind {
    Shape shape = Shape::AnyRows;
    Place focus = Place::Anywhere;
    Place anchor = Place::Anywhere;
};

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    Start Make(const TableKind& kind) {
        const Shape shape = kind.shape;
        Start start;
        const bool longTable = shape == Shape::LongMostRowsIncomplete;
        const int rows = shape == Shape::AnyRows ? Below(45)
                         : longTable             ? 80 + Below(20)
                                                 : 8 + Below(28);
        std::vector<bool> complete(static_cast<std::size_t>(rows), false);
        std::vector<int> completeRows;
        const int stay = shape == Shape::AllButAFewIncomplete ? 1 + Below(3)
                         : longTable                          ? 24 + Below(3)
                                                              : 0;
        while (static_cast<int>(completeRows.size()) < stay) {
            if (const int row = Below(rows); !complete[static_cast<std::size_t>(row)]) {
                completeRows.push_back(row);
                complete[static_cast<std::size_t>(row)] = true;
            }
        }
        for (int row = 0; row < rows; ++row) {
            WordRecord word = Word();
            if (shape != Shape::AnyRows) {
                word = complete[static_cast<std::size_t>(row)] ? CompleteWord() : IncompleteWord();
            }
            // Mostly right numbers; now and then a stale one, which a renumbering must fix.
            std::u16string number =
                Below(6) == 0 ? emb::FormatRowNumber(Below(99)) : emb::FormatRowNumber(row);
            start.rows.push_back({Wide(word.code), Wide(word.phrase), Wide(number), Below(3) != 0});
        }
        start.focused = Below(4) == 0 ? -1 : Below(rows + 1) - 1;
        start.scrolledRows = Below(3) == 0 && !longTable ? 0 : Below(rows + 1);
        start.waitingPaint = Below(3) == 0;
        const int records = Below(30);
        for (int i = 0; i < records; ++i) {
            start.records.push_back(Word());
        }
        if (Below(2) == 0) {
            start.anchor = Below(rows + 1) - 1;
        }
        const auto rowIn = [&](Place place, int anywhere) {
            if (place == Place::OnARowThatStays && !completeRows.empty()) {
                return completeRows[static_cast<std::size_t>(
                    Below(static_cast<int>(completeRows.size())))];
            }
            for (int row = Below(rows); place == Place::OnARowThatGoes; row = Below(rows)) {
                if (!complete[static_cast<std::size_t>(row)]) {
                    return row;
                }
            }
            return place == Place::Anywhere ? anywhere : -1;
        };
        start.focused = rowIn(kind.focus, start.focused);
        start.anchor = rowIn(kind.anchor, start.anchor);
        return start;
    }

private:
    int Below(int n) {
        return n <= 0 ? 0 : static_cast<int>(m_random() % static_cast<unsigned>(n));
    }
    WordRecord Word() {
        static const std::u16string kCodes[] = {u"", u"a", u"a", u"ab", u"b", u"ba", u"abc", u"y"};
        static const std::u16string kPhrases[] = {u"", u"一", u"二", u"一二", u"工"};
        return {kCodes[Below(8)], kPhrases[Below(5)]};
    }
    WordRecord CompleteWord() {
        for (;;) {
            if (WordRecord word = Word(); !word.code.empty() && !word.phrase.empty()) {
                return word;
            }
        }
    }
    WordRecord IncompleteWord() {
        WordRecord word = Word();
        const int empty = Below(3);  // the code, the phrase or both
        if (empty != 1) {
            word.code.clear();
        }
        if (empty != 0) {
            word.phrase.clear();
        }
        return word;
    }
    static std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }

    std::mt19937 m_random;
};

// Puts the start into the list message by message, states included.
void Fill(afx::CListCtrl& list, const Start& start) {
    list.DeleteAllItems();
    for (std::size_t i = 0; i < start.rows.size(); ++i) {
        const StartRow& row = start.rows[i];
        const int index = static_cast<int>(i);
        list.InsertItem(LVIF_TEXT | LVIF_STATE, index, row.code, row.selected ? LVIS_SELECTED : 0u,
                        LVIS_SELECTED | LVIS_FOCUSED);
        list.SetItemText(index, emb::kPhraseColumn, row.phrase);
        list.SetItemText(index, emb::kNumberColumn, row.number);
    }
    if (start.focused >= 0) {
        list.SetItemState(start.focused, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    if (start.anchor != kAnchorOfTheFocus) {
        list.SetSelectionMark(start.anchor);
    }
    list.UpdateWindow();
    // From the top, so the focused row may end up out of sight.
    if (start.rows.size() > 0) {
        RECT row = {};
        list.GetItemRect(0, &row, LVIR_BOUNDS);
        list.Scroll(0, -(row.bottom - row.top) * static_cast<int>(start.rows.size()));
        list.Scroll(0, (row.bottom - row.top) * start.scrolledRows);
    }
    list.UpdateWindow();
}

// As when a window over the list has just gone: stale pixels on the list, frame and header
// included, which only the paint now due puts right.
void LeavePaintDue(HWND list) {
    HDC window = ::GetWindowDC(list);
    RECT stale = {0, 0, 200, 120};
    ::FillRect(window, &stale, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::ReleaseDC(list, window);
    ::RedrawWindow(list, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

class FastPathsTest : public MainWindowFixture {
protected:
    using Operation = std::function<void(emb::WordTable&, const Start&)>;

    enum class Starts { AnyRows, AlsoMostRowsGoing };

    // Runs fast through the program's table and literal through the literal one, each from the
    // same start in the real list, for many random starts.
    void ExpectSameAsLiteral(const char* what, const Operation& fast, const Operation& literal,
                             Starts starts = Starts::AnyRows) {
        script.Then([this, what, fast, literal, starts] {
            Generator generator(20261207);
            std::vector<TableKind> kinds(25);
            if (starts == Starts::AlsoMostRowsGoing) {
                // Every place of focus and anchor where most rows go; the long tables scroll.
                constexpr Place kPlaces[] = {Place::Nowhere, Place::OnARowThatGoes,
                                             Place::OnARowThatStays};
                for (const Place focus : kPlaces) {
                    for (const Place anchor : kPlaces) {
                        kinds.push_back({Shape::AllButAFewIncomplete, focus, anchor});
                        if (focus != Place::OnARowThatStays && anchor != Place::OnARowThatStays) {
                            kinds.push_back({Shape::EveryRowIncomplete, focus, anchor});
                        }
                    }
                }
                kinds.push_back({Shape::LongMostRowsIncomplete, Place::Nowhere, Place::Anywhere});
                kinds.push_back(
                    {Shape::LongMostRowsIncomplete, Place::OnARowThatStays, Place::Anywhere});
            }
            for (std::size_t round = 0; round < kinds.size(); ++round) {
                const Start start = generator.Make(kinds[round]);
                Fill(m_dialog.WordList(), start);
                if (start.waitingPaint) {
                    LeavePaintDue(List());
                }
                {
                    ListWordTable table(m_dialog.WordList());
                    fast(table, start);
                }
                const Seen fastSeen = SeenIn(List());
                ASSERT_TRUE(::IsWindowVisible(List())) << what << ", round " << round;
                // Paints already due are the message loop's to do, not the operation's.
                ::UpdateWindow(List());
                const WindowImage shown = ImageOf(List());
                RepaintWholly(List());
                ASSERT_EQ(DifferenceBetween(shown, ImageOf(List())), "")
                    << what << ", round " << round << ": the list shows what a repaint would not";
                Fill(m_dialog.WordList(), start);
                {
                    LiteralListTable table(m_dialog.WordList());
                    literal(table, start);
                }
                const Seen literalSeen = SeenIn(List());
                ASSERT_EQ(fastSeen.rows, literalSeen.rows) << what << ", round " << round;
                ASSERT_EQ(fastSeen.selectionMark, literalSeen.selectionMark)
                    << what << ", round " << round;
                // Where the list ends up scrolled is the control's doing, not the table's: the
                // literal steps scroll to the focused row each time the control moves the
                // focus, from wherever the list stands then, while the fast path changes the
                // rows first and then scrolls once. So the scrolling may differ, but only to a
                // view that shows the focused row whole (when the rows added bring in the scroll
                // bars, for instance, the literal steps leave the new focused row half hidden).
                ASSERT_TRUE(fastSeen.topIndex == literalSeen.topIndex || fastSeen.focusedRowInSight)
                    << what << ", round " << round << ": scrolled to row " << fastSeen.topIndex
                    << " instead of " << literalSeen.topIndex << ", the focused row out of sight";
                if (fastSeen.topIndex == literalSeen.topIndex) {
                    ASSERT_EQ(fastSeen.focusedRowInSight, literalSeen.focusedRowInSight);
                }
            }
        });
    }

    void RunWithTheWindow() {
        installed.InstallEdition(L"EDNQA");
        WaitForWindow();
        Close();
        Run(m_dialog);
    }

    static void Import(emb::WordTable& table, const Start& start) {
        emb::testing::FakeFileSystem files;
        emb::testing::RecordingPrompt prompt;
        files.files[kBackup] = emb::BuildFileImage(start.records).bytes;
        prompt.fileAnswers.push_back(kBackup);
        emb::ImportWords({table, kPaths, files, prompt}, emb::testing::FakeGbkDecoder());
    }

    ListDlg m_dialog;
};

TEST_F(FastPathsTest, SortLeavesWhatThePartitionStepsThroughTheCellsLeave) {
    ExpectSameAsLiteral(
        "sort",
        [](emb::WordTable& table, const Start&) {
            emb::SortRowsByCode(table, 0, table.RowCount() - 1);
        },
        [](emb::WordTable& table, const Start&) {
            emb::reference::SortRowsByCodeThroughCells(table, 0, table.RowCount() - 1);
        });
    RunWithTheWindow();
}

TEST_F(FastPathsTest, TidyUpLeavesWhatRemovingRowsOneByOneLeaves) {
    ExpectSameAsLiteral(
        "tidy-up", [](emb::WordTable& table, const Start&) { emb::TidyUpRows(table); },
        [](emb::WordTable& table, const Start&) { emb::reference::TidyUpRowsOneByOne(table); },
        Starts::AlsoMostRowsGoing);
    RunWithTheWindow();
}

TEST_F(FastPathsTest, ImportLeavesWhatTheRowByRowDuplicateScanLeaves) {
    ExpectSameAsLiteral(
        "import", &FastPathsTest::Import,
        [](emb::WordTable& table, const Start& start) {
            emb::reference::ImportRecordsScanningRows(table, start.records);
        },
        Starts::AlsoMostRowsGoing);
    RunWithTheWindow();
}

TEST_F(FastPathsTest, LoadLeavesWhatInsertingRowByRowLeaves) {
    ExpectSameAsLiteral(
        "load",
        [](emb::WordTable& table, const Start& start) {
            emb::testing::FakeFileSystem files;
            emb::testing::RecordingPrompt prompt;
            files.files[kPaths.simplifiedPath] = emb::BuildFileImage(start.records).bytes;
            emb::LoadChosenLibrary({table, kPaths, files, prompt}, emb::LibraryChoice::Simplified);
        },
        [](emb::WordTable& table, const Start& start) {
            emb::reference::LoadRecordsRowByRow(table, start.records);
        });
    RunWithTheWindow();
}

TEST_F(FastPathsTest, ClearLeavesWhatEmptyingTheListLeaves) {
    ExpectSameAsLiteral(
        "clear",
        [](emb::WordTable& table, const Start&) {
            emb::testing::FakeFileSystem files;
            emb::testing::RecordingPrompt prompt;
            prompt.yesNoAnswer = emb::MessageAnswer::Yes;
            emb::ClearTable({table, kPaths, files, prompt});
        },
        [](emb::WordTable& table, const Start&) { table.DeleteAllRows(); });
    RunWithTheWindow();
}

// Save's preparation: the tidy-up, then the sort of what is left.
TEST_F(FastPathsTest, SavesPreparationLeavesWhatTheLiteralStepsLeave) {
    ExpectSameAsLiteral(
        "save's preparation",
        [](emb::WordTable& table, const Start&) { emb::PrepareRowsForSave(table); },
        [](emb::WordTable& table, const Start&) {
            emb::reference::TidyUpRowsOneByOne(table);
            emb::reference::SortRowsByCodeThroughCells(table, 0, table.RowCount() - 1);
        },
        Starts::AlsoMostRowsGoing);
    RunWithTheWindow();
}

}  // namespace
}  // namespace uitest
