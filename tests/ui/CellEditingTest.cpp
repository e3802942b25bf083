#include <chrono>

#include "WindowHarness.h"

namespace uitest {
namespace {

using CellEditingTest = WindowTest;

// The editor's place in the list's client coordinates.
RECT EditorRect(HWND list) {
    RECT placed = {};
    ::GetWindowRect(OpenEditor(list), &placed);
    ::MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&placed), 2);
    return placed;
}

TEST_F(CellEditingTest, TheCodeEditorTakesOnlyTheLettersAToYAndEnterEndsTheEdit) {
    Start({{u"ab", u"中国"}});
    g_beeps = 0;
    EditCell(0, 0, L"ab", 0);
    Type(OpenEditor(List()), L"Az5 中c\byx");
    Wait("the typing is taken", [this] { return TextOf(OpenEditor(List())) == L"abyx"; });
    EXPECT_EQ(g_beeps, 5);
    PressKey(OpenEditor(List()), VK_RETURN);
    Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
    EXPECT_EQ(CellText(List(), 0, 0), L"abyx");
    // Enter ended the edit; it did not press Save.
    EXPECT_EQ(installed.Read(installed.SimplifiedPath()), Image({{u"ab", u"中国"}}));
    // The rules of an edited cell run after each edit.
    EditCell(0, 1, L"ab中c国 1");
    EXPECT_EQ(CellText(List(), 0, 1), L"中国");
    EXPECT_EQ(g_beeps, 5);
}

TEST_F(CellEditingTest, LosingTheFocusOrScrollingEndsTheEditWithTheTypedText) {
    Start({{u"ab", u"中国"}, {u"cd", u"人民"}});
    EditCell(0, 0, L"xy", VK_TAB);
    EXPECT_EQ(CellText(List(), 0, 0), L"xy");
    for (const UINT scroll : {WM_HSCROLL, WM_VSCROLL}) {
        EditCell(0, 1, scroll == WM_HSCROLL ? L"横" : L"竖", 0);
        ::PostMessageW(List(), scroll, SB_LINEDOWN, 0);
        Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
        EXPECT_EQ(CellText(List(), 0, 1), scroll == WM_HSCROLL ? L"横" : L"竖");
    }
    EditCell(1, 0, L"uv", 0);
    Click(Item(IDC_INSTRUCTIONS));
    HWND help = nullptr;
    Wait("the instructions show", [&] { return (help = FindDialog(L"使用说明")) != nullptr; });
    EXPECT_EQ(CellText(List(), 1, 0), L"uv");
    PressKey(help, VK_ESCAPE);
    Wait("the instructions are gone", [&] { return !::IsWindow(help); });
    // One click on another cell ends the edit and opens that cell's editor at once.
    EditCell(0, 0, L"gh", 0);
    ClickCell(1, 1);
    Wait("the second editor opens", [this] {
        return OpenEditor(List()) != nullptr && ::GetFocus() == OpenEditor(List()) &&
               TextOf(OpenEditor(List())) == L"人民";
    });
    EXPECT_EQ(CellText(List(), 0, 0), L"gh");
    EXPECT_EQ(::FindWindowExW(List(), OpenEditor(List()), L"Edit", nullptr), nullptr);
    EXPECT_EQ(EditorRect(List()).left, CellRect(List(), 1, 1).left);
    EXPECT_EQ(EditorRect(List()).top, CellRect(List(), 1, 1).top);
    PressKey(OpenEditor(List()), VK_RETURN);
}

TEST_F(CellEditingTest, APartlyHiddenColumnIsScrolledIntoViewBeforeTheEditorOpens) {
    Start({{u"ab", u"中国"}});
    RECT client = {};
    ::GetClientRect(List(), &client);
    // A wide code column pushes the phrase column past the right edge.
    ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 0, 300);
    ASSERT_GT(CellRect(List(), 0, 1).right, client.right);
    EditCell(0, 1, L"", 0);
    EXPECT_EQ(EditorRect(List()).right, client.right);  // scrolled just far enough
    EXPECT_EQ(EditorRect(List()).left, CellRect(List(), 0, 1).left);
    PressKey(OpenEditor(List()), VK_ESCAPE);
    Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
    ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 1, 700);
    ::SendMessageW(List(), LVM_SCROLL, 700, 0);
    ASSERT_LT(CellRect(List(), 0, 1).left, 0);
    EditCell(0, 1, L"", 0);
    EXPECT_EQ(CellRect(List(), 0, 1).left, 0);  // the column now starts at the left edge
    EXPECT_EQ(EditorRect(List()).left, 0);
    EXPECT_EQ(EditorRect(List()).right, 700);
    PressKey(OpenEditor(List()), VK_ESCAPE);
}

// Edit windows made in the list while a gesture is under way: the program's editor and any other.
HWND g_watchedList = nullptr;
int g_editsMade = 0;
LRESULT CALLBACK CountEditsMade(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && IsClass(reinterpret_cast<HWND>(wParam), L"Edit") &&
        reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent == g_watchedList) {
        ++g_editsMade;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Clicks with Shift or Ctrl, on the number column or on no cell only select. The list view's
// own label editor would open, after the double-click time, on a click on a row that was
// already selected; only the program's own editor may ever edit a cell.
TEST_F(CellEditingTest, ClicksThatOnlySelectOpenNoEditorAndTheListsOwnNeverOpens) {
    const struct {
        const char* what;
        int row;
        int column;
        POINT offset;          // from the cell's centre
        UINT key;              // held down: VK_SHIFT, VK_CONTROL or 0
        const wchar_t* typed;  // into the editor the click opens, then Enter
        const char* states;    // each row's: S selected, F also focused, f focused only
    } gestures[] = {
        {"a click on a selected row's number", 0, 2, {}, 0, nullptr, "F..."},
        {"a click on the focused row's number", 0, 2, {}, 0, nullptr, "F..."},
        {"a Shift-click on row 2", 2, 2, {}, VK_SHIFT, nullptr, "SSF."},
        {"a Shift-click on selected row 1's phrase", 1, 1, {}, VK_SHIFT, nullptr, "SF.."},
        {"a Ctrl-click on selected row 0's code", 0, 0, {}, VK_CONTROL, nullptr, "fS.."},
        {"a click on the blank row's number", 3, 2, {}, 0, nullptr, "...F"},
        {"a click below the last row", 3, 2, {0, 40}, 0, nullptr, "...F"},
        {"a click right of the last column", 3, 2, {60, 0}, 0, nullptr, "...F"},
        {"a quick click on the border of code and phrase, typing and Enter",
         3,
         0,
         {30, 0},
         0,
         L"abcd",
         nullptr},
        {"a quick click on a selected row's phrase, typing and Enter", 3, 1, {}, 0, L"字", nullptr},
    };
    Start({{u"a", u"一"}, {u"b", u"二"}, {u"c", u"三"}});
    g_watchedList = List();
    const HHOOK hook =
        ::SetWindowsHookExW(WH_CBT, &CountEditsMade, nullptr, ::GetCurrentThreadId());
    for (const auto& gesture : gestures) {
        SCOPED_TRACE(gesture.what);
        g_editsMade = 0;
        HoldKey(gesture.key, gesture.key != 0);
        const WPARAM keys = gesture.key == VK_SHIFT ? MK_SHIFT : gesture.key ? MK_CONTROL : 0;
        POINT at = CellCenter(List(), gesture.row, gesture.column);
        at = {at.x + gesture.offset.x, at.y + gesture.offset.y};
        // Press and release queued together, as from a quick hand: the release reaches the list
        // even when the press opens an editor over the cell.
        PressAt(List(), at, keys);
        ::PostMessageW(List(), WM_LBUTTONUP, keys, MAKELPARAM(at.x, at.y));
        if (gesture.typed != nullptr) {
            Wait("the editor opens", [this] { return OpenEditor(List()) != nullptr; });
            Type(OpenEditor(List()), gesture.typed);
            PressKey(OpenEditor(List()), VK_RETURN);
        }
        Pump();
        HoldKey(gesture.key, false);
        const std::vector<ListRow> settled = RowsOf(List());
        const auto until = std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(::GetDoubleClickTime() + 300);
        Wait("the double-click time has passed",
             [&] { return std::chrono::steady_clock::now() > until; });
        EXPECT_EQ(::FindWindowExW(List(), nullptr, L"Edit", nullptr), nullptr);
        EXPECT_EQ(::GetFocus(), List());
        EXPECT_EQ(RowsOf(List()), settled);
        EXPECT_EQ(g_editsMade, gesture.typed != nullptr ? 1 : 0);  // not even a hidden one
        std::string states;
        for (const ListRow& row : settled) {
            states += row.focused ? (row.selected ? 'F' : 'f') : (row.selected ? 'S' : '.');
        }
        if (gesture.states != nullptr) {
            EXPECT_EQ(states, gesture.states);
        } else {
            EXPECT_EQ(CellText(List(), gesture.row, gesture.column), gesture.typed);
        }
    }
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(RowsOf(List()).size(), 5u);  // the rules ran: the blank row was filled
}

}  // namespace
}  // namespace uitest
