// The list's fast paths against the same steps done literally on the real control: for random
// tables (many equal codes, empty cells, duplicates, any selection, focus, selection anchor and
// scrolling; some with every row or all but a few incomplete, as a library with a damaged count
// field loads), each operation must leave the same rows, order, numbers, states and selection
// anchor, and the same scrolling or a view that shows the focused row. What the fast path shows
// when it returns must be what a full repaint would show.

#include <random>

#include "LibraryCommands.h"
#include "ListWordTable.h"
#include "LiteralRules.h"
#include "Win32FileSystem.h"
#include "Win32TextDecoder.h"
#include "WindowHarness.h"
#include "WordTableRules.h"

namespace uitest {
namespace {

using emb::WordRecord;
using emb::WordTable;

// The main window with its word list within the test's reach.
class ListDlg final : public CWordMaintDlg {
public:
    afx::CListCtrl& WordList() { return m_wordList; }
};

struct StartRow {
    std::wstring code;
    std::wstring phrase;
    std::wstring number;
    bool selected = false;
};
constexpr int kAnchorOfTheFocus = -2;  // the anchor the control sets with the focus

// A table as the list holds it before an operation.
struct Before {
    std::vector<StartRow> rows;
    int focused = -1;
    int anchor = kAnchorOfTheFocus;  // the selection mark, when the user has moved it since
    Records records;                 // what a file to load or import holds
    int scrolledRows = 0;            // how far the user has scrolled down before
    bool waitingPaint = false;       // something lay over the list and its paint is due
};

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
    Before Make(const TableKind& kind) {
        Before start;
        const bool anyRows = kind.shape == Shape::AnyRows;
        const bool longTable = kind.shape == Shape::LongMostRowsIncomplete;
        const int rows = anyRows ? Below(45) : longTable ? 80 + Below(20) : 8 + Below(28);
        std::vector<bool> complete(static_cast<std::size_t>(rows), false);
        std::vector<int> stay;
        const std::size_t stays = kind.shape == Shape::AllButAFewIncomplete ? 1 + Below(3)
                                  : longTable                               ? 24 + Below(3)
                                                                            : 0;
        while (stay.size() < stays) {
            if (const int row = Below(rows); !complete[static_cast<std::size_t>(row)]) {
                stay.push_back(row);
                complete[static_cast<std::size_t>(row)] = true;
            }
        }
        for (int row = 0; row < rows; ++row) {
            WordRecord word = Word();
            if (!anyRows) {
                word = Word(complete[static_cast<std::size_t>(row)]);
            }
            // Mostly right numbers; now and then a stale one, which a renumbering must fix.
            const std::u16string number = emb::FormatRowNumber(Below(6) == 0 ? Below(99) : row);
            start.rows.push_back({Wide(word.code), Wide(word.phrase), Wide(number), Below(3) != 0});
        }
        start.focused = Below(4) == 0 ? -1 : Below(rows + 1) - 1;
        start.scrolledRows = Below(3) == 0 && !longTable ? 0 : Below(rows + 1);
        start.waitingPaint = Below(3) == 0;
        start.records.resize(static_cast<std::size_t>(Below(30)));
        for (WordRecord& record : start.records) {
            record = Word();
        }
        if (Below(2) == 0) {
            start.anchor = Below(rows + 1) - 1;
        }
        const auto rowIn = [&](Place place, int anywhere) {
            if (place == Place::OnARowThatStays && !stay.empty()) {
                return stay[static_cast<std::size_t>(Below(static_cast<int>(stay.size())))];
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
    // A complete word, or one whose code, phrase or both are empty.
    WordRecord Word(bool complete) {
        WordRecord word = Word();
        if (complete) {
            return word.code.empty() || word.phrase.empty() ? Word(true) : word;
        }
        const int empty = Below(3);
        word.code = empty != 1 ? u"" : word.code;
        word.phrase = empty != 0 ? u"" : word.phrase;
        return word;
    }

    std::mt19937 m_random{20261207};
};

// Puts the start into the list message by message, states included.
void Fill(afx::CListCtrl& list, const Before& start) {
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
    if (!start.rows.empty()) {
        RECT row = {};
        list.GetItemRect(0, &row, LVIR_BOUNDS);
        list.Scroll(0, -(row.bottom - row.top) * static_cast<int>(start.rows.size()));
        list.Scroll(0, (row.bottom - row.top) * start.scrolledRows);
    }
    list.UpdateWindow();
}

// What the user can tell apart: every row with its states, the selection mark and the scroll.
struct Seen {
    std::vector<ListRow> rows;
    int selectionMark = -1;
    int topIndex = 0;
    bool focusedRowInSight = false;  // the focused row shows whole
};

Seen SeenIn(HWND list) {
    const auto focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    RECT row = {};
    RECT client = {};
    RECT header = {};
    ::GetClientRect(list, &client);
    ::GetWindowRect(::GetDlgItem(list, 0), &header);
    const bool inSight = focused >= 0 && ListView_GetItemRect(list, focused, &row, LVIR_BOUNDS) &&
                         row.top >= header.bottom - header.top && row.bottom <= client.bottom;
    return {RowsOf(list), ListView_GetSelectionMark(list), ListView_GetTopIndex(list), inSight};
}

// A file for Load and Import, and the answers they are given.
struct Context final : emb::UserPrompt {
    emb::MessageAnswer ShowMessage(const std::u16string&, emb::MessageButtons) override {
        return emb::MessageAnswer::Yes;
    }
    std::optional<std::u16string> AskForFile(const emb::FileDialogRequest&) override {
        return paths.simplifiedPath;
    }
    emb::LibraryContext With(WordTable& table, const Records& records) {
        InstalledLibraries::WriteLibrary(Wide(paths.simplifiedPath), records);
        return {table, paths, files, *this};
    }
    emb::LibraryPaths paths;
    emb::Win32FileSystem files;
};

using FastPathsTest = WindowTest;
using Operation = std::function<void(WordTable&, Context&, const Records&)>;

TEST_F(FastPathsTest, EachOperationLeavesWhatItsLiteralStepsLeave) {
    const struct {
        const char* what;
        bool mostRowsGoing;  // also the shapes where most rows go
        Operation fast;
        Operation literal;
    } operations[] = {
        {"load", false,
         [](WordTable& table, Context& context, const Records& records) {
             emb::LoadChosenLibrary(context.With(table, records), emb::LibraryChoice::Simplified);
         },
         [](WordTable& table, Context&, const Records& records) {
             emb::reference::LoadRecordsRowByRow(table, records);
         }},
        {"import", true,
         [](WordTable& table, Context& context, const Records& records) {
             emb::ImportWords(context.With(table, records), emb::Win32GbkDecoder());
         },
         [](WordTable& table, Context&, const Records& records) {
             emb::reference::ImportRecordsScanningRows(table, records);
         }},
        {"tidy-up", true,
         [](WordTable& table, Context&, const Records&) { emb::TidyUpRows(table); },
         [](WordTable& table, Context&, const Records&) {
             emb::reference::TidyUpRowsOneByOne(table);
         }},
        {"sort", false,
         [](WordTable& table, Context&, const Records&) {
             emb::SortRowsByCode(table, 0, table.RowCount() - 1);
         },
         [](WordTable& table, Context&, const Records&) {
             emb::reference::SortRowsByCodeThroughCells(table, 0, table.RowCount() - 1);
         }},
        {"clear", false,
         [](WordTable& table, Context& context, const Records& records) {
             emb::ClearTable(context.With(table, records));
         },
         [](WordTable& table, Context&, const Records&) { table.DeleteAllRows(); }},
        {"save's preparation", true,
         [](WordTable& table, Context&, const Records&) { emb::PrepareRowsForSave(table); },
         [](WordTable& table, Context&, const Records&) {
             emb::reference::TidyUpRowsOneByOne(table);
             emb::reference::SortRowsByCodeThroughCells(table, 0, table.RowCount() - 1);
         }},
    };
    installed.InstallEdition(L"EDNQA");
    ListDlg& shown = Open<ListDlg>();
    Context context;
    context.paths.simplifiedPath = Utf16(installed.TempPath(L"table.EMB"));
    afx::CListCtrl& list = shown.WordList();
    for (const auto& operation : operations) {
        std::vector<TableKind> kinds(25);
        if (operation.mostRowsGoing) {
            // Every place of focus and anchor where most rows go; the long tables scroll.
            for (const Place focus :
                 {Place::Nowhere, Place::OnARowThatGoes, Place::OnARowThatStays}) {
                for (const Place anchor :
                     {Place::Nowhere, Place::OnARowThatGoes, Place::OnARowThatStays}) {
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
        Generator generator;
        for (std::size_t round = 0; round < kinds.size(); ++round) {
            SCOPED_TRACE(std::string(operation.what) + ", round " + std::to_string(round));
            const Before start = generator.Make(kinds[round]);
            Fill(list, start);
            if (start.waitingPaint) {
                // As when a window over the list has just gone: stale pixels, frame and header
                // included, which only the paint now due puts right.
                const HDC window = ::GetWindowDC(list.m_hWnd);
                const RECT stale = {0, 0, 200, 120};
                ::FillRect(window, &stale, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
                ::ReleaseDC(list.m_hWnd, window);
                ::RedrawWindow(list.m_hWnd, nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            }
            {
                ListWordTable table(list);
                operation.fast(table, context, start.records);
            }
            const Seen fast = SeenIn(list.m_hWnd);
            ASSERT_TRUE(::IsWindowVisible(list.m_hWnd));
            // Paints already due are the message loop's to do, not the operation's.
            list.UpdateWindow();
            const std::vector<std::uint32_t> pixels = PixelsOf(list.m_hWnd);
            ::RedrawWindow(
                list.m_hWnd, nullptr, nullptr,
                RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            ASSERT_TRUE(!pixels.empty() && pixels == PixelsOf(list.m_hWnd))
                << "the list shows what a repaint would not";
            Fill(list, start);
            {
                LiteralListTable table(list);
                operation.literal(table, context, start.records);
            }
            const Seen literal = SeenIn(list.m_hWnd);
            ASSERT_EQ(fast.rows, literal.rows);
            ASSERT_EQ(fast.selectionMark, literal.selectionMark);
            // Where the list ends up scrolled is the control's doing, not the table's: the
            // literal steps scroll to the focused row each time the control moves the focus,
            // from wherever the list stands then, while the fast path changes the rows first and
            // then scrolls once. So the scrolling may differ, but only to a view that shows the
            // focused row whole (when the rows added bring in the scroll bars, for instance, the
            // literal steps leave the new focused row half hidden).
            ASSERT_TRUE(fast.topIndex == literal.topIndex || fast.focusedRowInSight)
                << "scrolled to row " << fast.topIndex << " instead of " << literal.topIndex
                << ", the focused row out of sight";
            if (fast.topIndex == literal.topIndex) {
                ASSERT_EQ(fast.focusedRowInSight, literal.focusedRowInSight);
            }
        }
    }
}

}  // namespace
}  // namespace uitest
