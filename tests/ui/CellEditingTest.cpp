#include <windows.h>

#include <commctrl.h>

#include <chrono>

#include "CellEdit.h"
#include "ListDriving.h"
#include "MainWindowFixture.h"
#include "UserWordFormat.h"
#include "WindowFinder.h"

namespace uitest {
namespace {

using Records = std::vector<emb::WordRecord>;

int g_beeps = 0;
BOOL WINAPI RecordBeep(UINT type) {
    EXPECT_EQ(type, static_cast<UINT>(MB_ICONEXCLAMATION));
    ++g_beeps;
    return TRUE;
}

// The main window with a loaded library, edited with the mouse and keyboard.
class CellEditingTest : public MainWindowFixture {
protected:
    void SetUp() override {
        g_beeps = 0;
        CCellEdit::SetBeep(&RecordBeep);
        installed.InstallEdition(L"EDNQA");
    }
    void TearDown() override { CCellEdit::SetBeep(&::MessageBeep); }

    void LoadWords(const Records& words) {
        installed.WriteLibrary(installed.SimplifiedPath(), words);
        WaitForWindow();
        ChooseLibrary(kSimplifiedEntry);
    }
    void ClickCell(int row, int column, WPARAM keyFlags = 0) {
        auto point = std::make_shared<POINT>();
        script.Then([this, row, column, keyFlags, point] {
            *point = CellCenter(List(), row, column);
            PressAt(List(), *point, keyFlags);
        });
        ClickEnd(point, keyFlags);
    }
    void ClickPoint(std::function<POINT()> where, WPARAM keyFlags = 0) {
        auto point = std::make_shared<POINT>();
        script.Then([this, where, keyFlags, point] {
            *point = where();
            PressAt(List(), *point, keyFlags);
        });
        ClickEnd(point, keyFlags);
    }
    void ClickEnd(std::shared_ptr<POINT> point, WPARAM keyFlags) {
        script.Then([this, point, keyFlags] { ReleaseAt(List(), *point, keyFlags); });
    }
    void WaitForEditor() {
        script.WaitUntil("an editor opens", [this] {
            return OpenEditor(List()) != nullptr && ::GetFocus() == OpenEditor(List());
        });
    }
    void WaitForNoEditor() {
        script.WaitUntil("the editor is gone", [this] { return OpenEditor(List()) == nullptr; });
    }
    void TypeInEditor(const std::wstring& text) {
        script.Then([this, text] { Type(OpenEditor(List()), text); });
    }
    void PressInEditor(UINT key) {
        script.Then([this, key] { PressKey(OpenEditor(List()), key); });
    }
    // Opens the cell's editor, types text and ends with key.
    void EditCell(int row, int column, const std::wstring& text, UINT key = VK_RETURN) {
        ClickCell(row, column);
        WaitForEditor();
        script.Then([this, text] { ::SetWindowTextW(OpenEditor(List()), L""); });
        TypeInEditor(text);
        PressInEditor(key);
        WaitForNoEditor();
    }
    void Expect(std::function<void()> check) { script.Then(std::move(check)); }

    CWordMaintDlg dialog;
};

TEST_F(CellEditingTest, AClickOnACodeOpensTheEditorOverTheCellWithTheTextSelected) {
    LoadWords({{u"khlg", u"中国"}, {u"wq", u"你们"}});
    ClickCell(1, 0);
    WaitForEditor();
    Expect([this] {
        const HWND editor = OpenEditor(List());
        EXPECT_EQ(WindowText(editor), L"wq");
        EXPECT_EQ(Selection(editor), std::make_pair(0, 2));
        RECT placed;
        ::GetWindowRect(editor, &placed);
        ::MapWindowPoints(nullptr, List(), reinterpret_cast<POINT*>(&placed), 2);
        const RECT cell = CellRect(List(), 1, 0);
        EXPECT_EQ(placed.left, cell.left);
        EXPECT_EQ(placed.right, cell.right);
        EXPECT_EQ(placed.top, cell.top);
        EXPECT_EQ(placed.bottom, cell.bottom);
        EXPECT_EQ(::SendMessageW(editor, WM_GETFONT, 0, 0),
                  ::SendMessageW(List(), WM_GETFONT, 0, 0));
        // The click selected and focused its row.
        const std::vector<ListRow> rows = RowsOf(List());
        EXPECT_TRUE(rows[1].selected && rows[1].focused);
        EXPECT_FALSE(rows[2].focused);
    });
    PressInEditor(VK_ESCAPE);
    WaitForNoEditor();
    Close();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(CellEditingTest, TheNumberColumnAndClicksOnNoCellOpenNothing) {
    LoadWords({{u"khlg", u"中国"}, {u"wq", u"你们"}});
    ClickCell(0, 2);
    script.WaitUntil("row 0 alone is selected", [this] {
        const std::vector<ListRow> rows = RowsOf(List());
        return rows[0].selected && rows[0].focused && !rows[1].selected;
    });
    auto before = std::make_shared<std::vector<ListRow>>();
    Expect([this, before] {
        EXPECT_EQ(OpenEditor(List()), nullptr);
        *before = RowsOf(List());
    });
    ClickPoint([this] {  // below the last row
        const RECT last = CellRect(List(), 2, 2);
        return POINT{last.left + 5, last.bottom + 20};
    });
    ClickPoint([this] {  // right of the last column
        const RECT last = CellRect(List(), 2, 2);
        return POINT{last.right + 5, last.top + 2};
    });
    Expect([this, before] {
        EXPECT_EQ(OpenEditor(List()), nullptr);
        EXPECT_EQ(RowsOf(List()), *before);
    });
    Close();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(CellEditingTest, TheBorderBetweenCodeAndPhraseBelongsToTheCode) {
    LoadWords({{u"khlg", u"中国"}});
    ClickPoint([this] {
        const RECT code = CellRect(List(), 0, 0);
        return POINT{code.right, (code.top + code.bottom) / 2};
    });
    WaitForEditor();
    Expect([this] { EXPECT_EQ(WindowText(OpenEditor(List())), L"khlg"); });
    PressInEditor(VK_ESCAPE);
    WaitForNoEditor();
    Close();
    Run(dialog);
}

TEST_F(CellEditingTest, ClicksWithShiftOrCtrlOnlySelect) {
    LoadWords({{u"a", u"一"}, {u"b", u"二"}, {u"c", u"三"}});
    ClickCell(0, 1);
    WaitForEditor();
    PressInEditor(VK_ESCAPE);
    WaitForNoEditor();
    script.Then([] { HoldKey(VK_SHIFT, true); });
    ClickCell(2, 1, MK_SHIFT);
    script.WaitUntil("the selection is extended", [this] { return RowsOf(List())[2].focused; });
    script.Then([this] {
        HoldKey(VK_SHIFT, false);
        EXPECT_EQ(OpenEditor(List()), nullptr);
        const std::vector<ListRow> rows = RowsOf(List());
        EXPECT_TRUE(rows[0].selected && rows[1].selected && rows[2].selected);
        HoldKey(VK_CONTROL, true);
    });
    ClickCell(3, 0, MK_CONTROL);
    script.WaitUntil("the blank row is added to the selection",
                     [this] { return RowsOf(List())[3].focused; });
    script.Then([this] {
        HoldKey(VK_CONTROL, false);
        EXPECT_EQ(OpenEditor(List()), nullptr);
        EXPECT_TRUE(RowsOf(List())[0].selected);
    });
    Close();
    Run(dialog);
}

TEST_F(CellEditingTest, TheCodeEditorTakesOnlyTheLettersAToY) {
    LoadWords({{u"ab", u"中国"}});
    ClickCell(0, 0);
    WaitForEditor();
    script.Then([this] {
        const HWND editor = OpenEditor(List());
        ::SendMessageW(editor, EM_SETSEL, 2, 2);
        Type(editor, L"Az5 中c\b");
    });
    script.WaitUntil("the typing is processed", [] { return g_beeps == 5; });
    Expect([this] { EXPECT_EQ(WindowText(OpenEditor(List())), L"ab"); });
    TypeInEditor(L"yx");
    PressInEditor(VK_RETURN);
    WaitForNoEditor();
    Expect([this] {
        EXPECT_EQ(g_beeps, 5);
        EXPECT_EQ(CellText(List(), 0, 0), L"abyx");
        EXPECT_TRUE(::IsWindowVisible(Dialog()));
        // Enter ended the edit; it did not press Save.
        EXPECT_EQ(installed.Read(installed.SimplifiedPath()),
                  emb::BuildFileImage(Records{{u"ab", u"中国"}}).bytes);
        EXPECT_EQ(RowsOf(List()).size(), 2u);
    });
    Close();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(CellEditingTest, APastedCodeIsCutToFourLetters) {
    LoadWords({{u"ab", u"中国"}});
    ClickCell(0, 0);
    WaitForEditor();
    script.Then([this] {
        PutOnClipboard(Dialog(), L"QWERTYU");
        Type(OpenEditor(List()), L"\x16");
    });
    script.WaitUntil("the paste arrives",
                     [this] { return WindowText(OpenEditor(List())) == L"QWERTYU"; });
    PressInEditor(VK_RETURN);
    WaitForNoEditor();
    Expect([this] {
        EXPECT_EQ(CellText(List(), 0, 0), L"QWER");
        EXPECT_EQ(g_beeps, 0);
    });
    Close();
    Run(dialog);
}

TEST_F(CellEditingTest, APhraseKeepsOnlyItsChineseCharactersAndAtMostForty) {
    LoadWords({{u"ab", u"中国"}, {u"cd", u"人民"}});
    EditCell(0, 1, L"ab中c国 1");
    Expect([this] { EXPECT_EQ(CellText(List(), 0, 1), L"中国"); });
    EditCell(1, 1, std::wstring(45, L'字'));
    Expect([this] {
        EXPECT_EQ(CellText(List(), 1, 1), std::wstring(40, L'字'));
        EXPECT_EQ(g_beeps, 0);
    });
    Close();
    Run(dialog);
}

TEST_F(CellEditingTest, FillingTheBlankRowAddsTheNextBlankRow) {
    LoadWords({{u"ab", u"中国"}});
    EditCell(1, 0, L"wq");
    Expect([this] { EXPECT_EQ(RowsOf(List()).size(), 2u); });
    EditCell(1, 1, L"你们");
    Expect([this] {
        const std::vector<ListRow> rows = RowsOf(List());
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[1].code + rows[1].phrase + rows[1].number, L"wq你们0001");
        EXPECT_EQ(rows[2].code + rows[2].phrase + rows[2].number, L"0002");
    });
    Close();
    Run(dialog);
}

TEST_F(CellEditingTest, EscapeKeepsTheTextButStillRunsTheRulesAndKeepsTheDialogOpen) {
    LoadWords({{u"ab", u"中国"}});
    ClickButton(IDOK);  // after a save there is no blank row
    script.WaitUntil("the blank row is gone", [this] { return RowsOf(List()).size() == 1; });
    ClickCell(0, 1);
    WaitForEditor();
    TypeInEditor(L"人民");
    PressInEditor(VK_ESCAPE);
    WaitForNoEditor();
    Expect([this] {
        const std::vector<ListRow> rows = RowsOf(List());
        ASSERT_EQ(rows.size(), 2u);  // the rule ran: the last row was complete
        EXPECT_EQ(rows[0].phrase, L"中国");
        EXPECT_TRUE(::IsWindowVisible(Dialog()));
    });
    Close();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(CellEditingTest, TabOrAClickOnAnotherControlEndsTheEditWithTheTypedText) {
    LoadWords({{u"ab", u"中国"}, {u"cd", u"人民"}});
    EditCell(0, 0, L"xy", VK_TAB);
    Expect([this] { EXPECT_EQ(CellText(List(), 0, 0), L"xy"); });
    ClickCell(1, 0);
    WaitForEditor();
    script.Then([this] {
        ::SetWindowTextW(OpenEditor(List()), L"");
        Type(OpenEditor(List()), L"uv");
    });
    script.Then([this] { Click(Item(IDC_INSTRUCTIONS)); });
    script
        .WaitUntil("the instructions show",
                   [] { return FindDialogWithCaption(L"使用说明") != nullptr; })
        .Then([] { PressKey(FindDialogWithCaption(L"使用说明"), VK_ESCAPE); })
        .WaitUntil("the instructions are gone",
                   [] { return FindDialogWithCaption(L"使用说明") == nullptr; });
    Expect([this] {
        EXPECT_EQ(OpenEditor(List()), nullptr);
        EXPECT_EQ(CellText(List(), 1, 0), L"uv");
    });
    Close();
    Run(dialog);
}

TEST_F(CellEditingTest, AClickOnAnotherCellWhileEditingOpensItsEditorAtOnce) {
    LoadWords({{u"ab", u"中国"}, {u"cd", u"人民"}});
    ClickCell(0, 0);
    WaitForEditor();
    script.Then([this] {
        ::SetWindowTextW(OpenEditor(List()), L"");
        Type(OpenEditor(List()), L"gh");
    });
    ClickCell(1, 1);
    script.WaitUntil("the second editor opens", [this] {
        const HWND editor = OpenEditor(List());
        return editor != nullptr && ::GetFocus() == editor && WindowText(editor) == L"人民";
    });
    Expect([this] {
        EXPECT_EQ(CellText(List(), 0, 0), L"gh");
        // One editor window, over the second cell.
        EXPECT_EQ(::FindWindowExW(List(), OpenEditor(List()), L"Edit", nullptr), nullptr);
        RECT placed;
        ::GetWindowRect(OpenEditor(List()), &placed);
        ::MapWindowPoints(nullptr, List(), reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(placed.left, CellRect(List(), 1, 1).left);
        EXPECT_EQ(placed.top, CellRect(List(), 1, 1).top);
    });
    PressInEditor(VK_RETURN);
    WaitForNoEditor();
    Close();
    Run(dialog);
}

TEST_F(CellEditingTest, APartlyHiddenPhraseColumnIsScrolledIntoViewBeforeTheEditorOpens) {
    LoadWords({{u"ab", u"中国"}});
    auto client = std::make_shared<RECT>();
    script.Then([this, client] {
        // A wide code column pushes the phrase column past the right edge.
        ::GetClientRect(List(), client.get());
        ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 0, 300);
        const RECT phrase = CellRect(List(), 0, 1);
        ASSERT_LT(phrase.left, client->right);
        ASSERT_GT(phrase.right, client->right);
    });
    ClickCell(0, 1);
    WaitForEditor();
    Expect([this, client] {
        RECT placed;
        ::GetWindowRect(OpenEditor(List()), &placed);
        ::MapWindowPoints(nullptr, List(), reinterpret_cast<POINT*>(&placed), 2);
        // Scrolled just far enough to show the column's right edge.
        EXPECT_EQ(placed.right, client->right);
        EXPECT_EQ(placed.right - placed.left, 500);
        EXPECT_EQ(placed.left, CellRect(List(), 0, 1).left);
    });
    PressInEditor(VK_ESCAPE);
    WaitForNoEditor();
    script.Then([this] {
        ::SendMessageW(List(), LVM_SETCOLUMNWIDTH, 1, 700);
        ::SendMessageW(List(), LVM_SCROLL, static_cast<WPARAM>(-2000), 0);
        ::SendMessageW(List(), LVM_SCROLL, 400, 0);
        ASSERT_LT(CellRect(List(), 0, 1).left, 0);  // the column's left edge is out of view
    });
    ClickPoint([this] {
        const RECT phrase = CellRect(List(), 0, 1);
        return POINT{phrase.left + 250, (phrase.top + phrase.bottom) / 2};
    });
    WaitForEditor();
    Expect([this] {
        RECT placed;
        ::GetWindowRect(OpenEditor(List()), &placed);
        ::MapWindowPoints(nullptr, List(), reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(CellRect(List(), 0, 1).left, 0);  // the column now starts at the left edge
        EXPECT_EQ(placed.left, 0);
        EXPECT_EQ(placed.right, 700);
    });
    PressInEditor(VK_ESCAPE);
    WaitForNoEditor();
    Close();
    Run(dialog);
}

TEST_F(CellEditingTest, AScrollBarEndsAnOpenEdit) {
    LoadWords({{u"ab", u"中国"}});
    ClickCell(0, 1);
    WaitForEditor();
    script.Then([this] {
        ::SetWindowTextW(OpenEditor(List()), L"");
        Type(OpenEditor(List()), L"滚动");
    });
    script.Then([this] { ::PostMessageW(List(), WM_HSCROLL, SB_LINERIGHT, 0); });
    WaitForNoEditor();
    Expect([this] { EXPECT_EQ(CellText(List(), 0, 1), L"滚动"); });
    ClickCell(0, 0);
    WaitForEditor();
    script.Then([this] { ::PostMessageW(List(), WM_VSCROLL, SB_LINEDOWN, 0); });
    WaitForNoEditor();
    Close();
    Run(dialog);
}

// Edit windows made in the list while a gesture is under way: the program's editor and any other.
HWND g_watchedList = nullptr;
int g_editsMade = 0;
LRESULT CALLBACK CountEditsMade(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_watchedList != nullptr &&
        reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent == g_watchedList &&
        ClassOf(reinterpret_cast<HWND>(wParam)) == L"Edit") {
        ++g_editsMade;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The list view's own label editing would open, after the double-click time, on a click on a
// row that was already selected; only the program's own editor may ever edit a cell.
TEST_F(CellEditingTest, TheListsOwnLabelEditorNeverOpens) {
    struct Gesture {
        const char* what;
        int row;
        int column;
        UINT key;              // held down during the click: VK_SHIFT, VK_CONTROL or 0
        const wchar_t* typed;  // typed into the editor the click opens, then Enter
    };
    const Gesture gestures[] = {
        {"a click on a selected row's number", 0, 2, 0, nullptr},
        {"a click on the focused row's number", 0, 2, 0, nullptr},
        {"a Shift-click on row 2", 2, 2, VK_SHIFT, nullptr},
        {"a Shift-click on selected row 1", 1, 1, VK_SHIFT, nullptr},
        {"a Ctrl-click on selected row 0", 0, 0, VK_CONTROL, nullptr},
        {"a click on the blank row's number", 3, 2, 0, nullptr},
        {"a quick click, typing and Enter on the focused row's code", 3, 0, 0, L"abcd"},
        {"a quick click, typing and Enter on a selected row's phrase", 3, 1, 0, L"字"},
    };
    LoadWords({{u"a", u"一"}, {u"b", u"二"}, {u"c", u"三"}});
    HHOOK hook = nullptr;
    script.Then([this, &hook] {
        g_watchedList = List();
        hook = ::SetWindowsHookExW(WH_CBT, &CountEditsMade, nullptr, ::GetCurrentThreadId());
    });
    auto settled = std::make_shared<std::vector<ListRow>>();
    auto until = std::make_shared<std::chrono::steady_clock::time_point>();
    for (const Gesture& gesture : gestures) {
        const WPARAM keys = gesture.key == VK_SHIFT     ? MK_SHIFT
                            : gesture.key == VK_CONTROL ? MK_CONTROL
                                                        : 0;
        script.Then([this, gesture, keys] {
            g_editsMade = 0;
            if (gesture.key != 0) {
                HoldKey(gesture.key, true);
            }
            // Press and release queued together, as from a quick hand: the release reaches the
            // list even when the press opens an editor over the cell.
            const POINT point = CellCenter(List(), gesture.row, gesture.column);
            PressAt(List(), point, keys);
            ::PostMessageW(List(), WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
        });
        if (gesture.typed != nullptr) {
            WaitForEditor();
            TypeInEditor(gesture.typed);
            PressInEditor(VK_RETURN);
            WaitForNoEditor();
        }
        script.Then([this, gesture, settled, until] {
            if (gesture.key != 0) {
                HoldKey(gesture.key, false);
            }
            *settled = RowsOf(List());
            *until = std::chrono::steady_clock::now() +
                     std::chrono::milliseconds(::GetDoubleClickTime() + 300);
        });
        script.WaitUntil("the double-click time has passed",
                         [until] { return std::chrono::steady_clock::now() > *until; });
        Expect([this, gesture, settled] {
            SCOPED_TRACE(gesture.what);
            EXPECT_EQ(::FindWindowExW(List(), nullptr, L"Edit", nullptr), nullptr);
            EXPECT_EQ(::GetFocus(), List());
            EXPECT_EQ(RowsOf(List()), *settled);
            EXPECT_EQ(g_editsMade, gesture.typed != nullptr ? 1 : 0);  // not even a hidden one
        });
    }
    Expect([this] {
        const std::vector<ListRow> rows = RowsOf(List());
        ASSERT_EQ(rows.size(), 5u);
        EXPECT_EQ(rows[3].code + rows[3].phrase + rows[3].number, L"abcd字0003");
    });
    Close();
    Run(dialog);
    ::UnhookWindowsHookEx(hook);
    g_watchedList = nullptr;
}

TEST_F(CellEditingTest, AddChangeDeleteAndSaveWritesExactlyTheseWords) {
    LoadWords({{u"khlg", u"中国"}, {u"wq", u"你们"}});
    EditCell(2, 0, L"ttt");   // add: code of the blank row
    EditCell(2, 1, L"天天");  // and its phrase: a new blank row appears
    EditCell(3, 1, L"大家");  // add in the new blank row, phrase first
    EditCell(3, 0, L"dd");
    EditCell(0, 1, L"中华");  // change
    EditCell(1, 1, L"");      // delete by emptying the phrase
    ClickButton(IDOK);
    script.WaitUntil("the file is saved", [this] {
        return installed.Read(installed.SimplifiedPath()) ==
               emb::BuildFileImage(Records{{u"dd", u"大家"}, {u"khlg", u"中华"}, {u"ttt", u"天天"}})
                   .bytes;
    });
    Expect([this] {
        const std::vector<ListRow> rows = RowsOf(List());
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0].code + rows[0].number, L"dd0000");
        EXPECT_EQ(rows[2].code + rows[2].number, L"ttt0002");
    });
    Close();
    Run(dialog);
}

}  // namespace
}  // namespace uitest
