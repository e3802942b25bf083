#include "WindowHarness.h"

namespace uitest {
namespace {

using CellEditingTest = WindowTest;

TEST_F(CellEditingTest, TheCodeEditorTakesOnlyTheLettersAToYAndEnterEndsTheEdit) {
    Start({{u"ab", u"中国"}});
    s_beeps = 0;
    EditCell(0, 0, L"abAz5 中c\byx", VK_RETURN);
    EXPECT_EQ(s_beeps, 5);
    EXPECT_EQ(CellText(List(), 0, 0), L"abyx");
    EXPECT_EQ(SimplifiedFile(), Image({{u"ab", u"中国"}}));  // Enter did not press Save
    EditCell(0, 1, L"ab中c国 1");  // the rules of an edited cell run after the edit
    EXPECT_EQ(CellText(List(), 0, 1), L"中国");
    EXPECT_EQ(s_beeps, 5);
}

TEST_F(CellEditingTest, LosingTheFocusOrScrollingEndsTheEditWithTheTypedText) {
    Start({{u"ab", u"中国"}, {u"cd", u"人民"}});
    EditCell(0, 0, L"xy", VK_TAB);
    EXPECT_EQ(CellText(List(), 0, 0), L"xy");
    const std::tuple<UINT, WPARAM, const wchar_t*> scrolls[] = {
        {WM_HSCROLL, SB_LINEDOWN, L"横"},
        {WM_VSCROLL, SB_LINEDOWN, L"竖"},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), L"轮"},
    };
    for (const auto& [scroll, how, typed] : scrolls) {
        EditCell(0, 1, typed, 0);
        ::PostMessageW(List(), scroll, how, 0);
        Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
        EXPECT_EQ(CellText(List(), 0, 1), typed);
    }
    EditCell(1, 0, L"uv", 0);
    Click(Item(IDC_INSTRUCTIONS));
    HWND help = nullptr;
    Wait("the instructions show", [&] { return (help = FindDialog(0, L"使用说明")) != nullptr; });
    EXPECT_EQ(CellText(List(), 1, 0), L"uv");
    PressKey(help, VK_ESCAPE);
    Wait("the instructions are gone", [&] { return !::IsWindow(help); });
    // One click on another cell ends the edit and opens that cell's own editor at once.
    EditCell(0, 0, L"gh", 0);
    ClickCell(1, 1);
    Wait("the next editor opens",
         [this] { return TextOf(::GetFocus()) == L"人民" && ::GetFocus() == OpenEditor(List()); });
    EXPECT_EQ(CellText(List(), 0, 0), L"gh");
    EXPECT_EQ(::FindWindowExW(List(), OpenEditor(List()), L"Edit", nullptr), nullptr);
    EXPECT_EQ(Edges(EditorRect(List())), Edges(CellRect(List(), 1, 1)));
    // So also when the edit it ends completes the blank row, which appends a new one.
    EditCell(2, 0, L"ef");
    EditCell(2, 1, L"新词", 0);
    ClickCell(0, 0);
    Wait("row 0's editor opens",
         [this] { return TextOf(::GetFocus()) == L"gh" && ::GetFocus() == OpenEditor(List()); });
    EXPECT_EQ(RowsOf(List()), L"gh 轮 0000;uv 人民 0001;ef 新词 0002;  0003;");
    PressKey(OpenEditor(List()), VK_RETURN);
}

TEST_F(CellEditingTest, APartlyHiddenColumnIsScrolledIntoViewBeforeTheEditorOpens) {
    Start({{u"ab", u"中国"}});
    RECT client = {};
    ::GetClientRect(List(), &client);
    ListView_SetColumnWidth(List(), 0, 300);  // the phrase column now ends past the right edge
    ASSERT_GT(CellRect(List(), 0, 1).right, client.right);
    EditCell(0, 1, L"", 0);
    EXPECT_EQ(EditorRect(List()).right, client.right);  // scrolled just far enough
    EXPECT_EQ(EditorRect(List()).left, CellRect(List(), 0, 1).left);
    PressKey(OpenEditor(List()), VK_ESCAPE);
    Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
    ListView_SetColumnWidth(List(), 1, 700);  // and begins past the left edge
    ListView_Scroll(List(), 700, 0);
    ASSERT_LT(CellRect(List(), 0, 1).left, 0);
    EditCell(0, 1, L"", 0);
    EXPECT_EQ(EditorRect(List()).left, 0);
    EXPECT_EQ(EditorRect(List()).right, 700);
    EXPECT_EQ(CellRect(List(), 0, 1).left, 0);
    PressKey(OpenEditor(List()), VK_ESCAPE);
}

// Edit windows made in the list while a gesture is under way: the program's editor and any other.
int g_editsMade = 0;
LRESULT CALLBACK CountEditsMade(int code, WPARAM window, LPARAM create) {
    if (code == HCBT_CREATEWND) {
        const HWND parent = reinterpret_cast<CBT_CREATEWNDW*>(create)->lpcs->hwndParent;
        g_editsMade += Harness::IsClass(reinterpret_cast<HWND>(window), L"Edit") &&
                       Harness::IsClass(parent, WC_LISTVIEWW);
    }
    return ::CallNextHookEx(nullptr, code, window, create);
}

// Clicks with Shift or Ctrl, on the number column or on no cell only select. The list view's
// own label editor would open, after the double-click time, on a click on a row that was
// already selected; only the program's own editor may ever edit a cell.
TEST_F(CellEditingTest, ClicksThatOnlySelectOpenNoEditorAndTheListsOwnNeverOpens) {
    const struct {
        const char* what;
        int row;
        int column;
        POINT offset;           // from the cell's centre
        WPARAM keys;            // held down: MK_SHIFT or MK_CONTROL
        const wchar_t* typed;   // into the editor the click opens, then Enter
        const wchar_t* states;  // then, as RowsOf shows them
    } gestures[] = {
        {"a click on a selected row's number", 0, 2, {}, 0, nullptr, L"F..."},
        {"a click on the focused row's number", 0, 2, {}, 0, nullptr, L"F..."},
        {"a Shift-click on row 2", 2, 2, {}, MK_SHIFT, nullptr, L"SSF."},
        {"a Shift-click on selected row 1's phrase", 1, 1, {}, MK_SHIFT, nullptr, L"SF.."},
        {"a Ctrl-click on selected row 0's code", 0, 0, {}, MK_CONTROL, nullptr, L"fS.."},
        {"a click on the blank row's number", 3, 2, {}, 0, nullptr, L"...F"},
        {"a click below the last row", 3, 2, {0, 40}, 0, nullptr, L"...F"},
        {"a click right of the last column", 3, 2, {60, 0}, 0, nullptr, L"...F"},
        {"a click on the border of code and phrase, typing and Enter",
         3,
         0,
         {30, 0},
         0,
         L"abcd",
         nullptr},
        {"a click on a selected row's phrase, typing and Enter", 3, 1, {}, 0, L"字", nullptr},
    };
    Start({{u"a", u"一"}, {u"b", u"二"}, {u"c", u"三"}});
    const HHOOK hook =
        ::SetWindowsHookExW(WH_CBT, &CountEditsMade, nullptr, ::GetCurrentThreadId());
    for (const auto& gesture : gestures) {
        SCOPED_TRACE(gesture.what);
        g_editsMade = 0;
        HoldKey(gesture.keys == MK_SHIFT ? VK_SHIFT : VK_CONTROL, gesture.keys != 0);
        const POINT center = CellCenter(List(), gesture.row, gesture.column);
        const POINT at = {center.x + gesture.offset.x, center.y + gesture.offset.y};
        // Press and release queued together, as from a quick hand: the release reaches the list
        // even when the press opens an editor over the cell.
        PressAt(List(), at, gesture.keys);
        ::PostMessageW(List(), WM_LBUTTONUP, gesture.keys, MAKELPARAM(at.x, at.y));
        Pump();
        if (gesture.typed != nullptr) {
            Wait("the editor opens", [this] { return OpenEditor(List()) != nullptr; });
            Type(OpenEditor(List()), gesture.typed);
            PressKey(OpenEditor(List()), VK_RETURN);
        }
        Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
        HoldKey(gesture.keys == MK_SHIFT ? VK_SHIFT : VK_CONTROL, false);
        const std::wstring settled = RowsOf(List()) + RowsOf(List(), true);
        const auto until = std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(::GetDoubleClickTime() + 300);
        Wait("the double-click time has passed",
             [&] { return std::chrono::steady_clock::now() > until; });
        EXPECT_EQ(::FindWindowExW(List(), nullptr, L"Edit", nullptr), nullptr);
        EXPECT_EQ(::GetFocus(), List());
        EXPECT_EQ(RowsOf(List()) + RowsOf(List(), true), settled);
        EXPECT_EQ(g_editsMade, gesture.typed != nullptr ? 1 : 0);  // not even a hidden one
        if (gesture.states != nullptr) {
            EXPECT_EQ(RowsOf(List(), true), gesture.states);
        }
    }
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(RowsOf(List()), L"a 一 0000;b 二 0001;c 三 0002;abcd 字 0003;  0004;");
}

}  // namespace
}  // namespace uitest
