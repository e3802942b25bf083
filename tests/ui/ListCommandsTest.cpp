#include <cstring>
#include <cwchar>

#include "Messages.h"
#include "WindowHarness.h"

namespace uitest {
namespace {

using ListCommandsTest = WindowTest;

// The shortcut menu as it shows: each entry's text, "-" for a separator, "(grey)" after one
// that can't apply now. Then the entry at choose is chosen with the keys, or the menu closed.
std::wstring MenuShown(int choose = -1) {
    HWND popup = nullptr;
    Harness::Wait("the menu shows", [&] {
        return (popup = ::FindWindowW(L"#32768", nullptr)) != nullptr && ::IsWindowVisible(popup);
    });
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(popup, 0x01E1, 0, 0));  // MN_GETHMENU
    std::wstring shown;
    for (int item = 0; item < ::GetMenuItemCount(menu); ++item) {
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(item), text, 64, MF_BYPOSITION);
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION);
        shown += state & MF_SEPARATOR ? L"-;"
                                      : text + std::wstring(state & MF_GRAYED ? L"(grey);" : L";");
    }
    if (choose < 0) {
        ::EndMenu();
    } else {  // down to the entry, past the separators, and Enter
        for (int item = 0; item <= choose; ++item) {
            if (!(::GetMenuState(menu, static_cast<UINT>(item), MF_BYPOSITION) & MF_SEPARATOR)) {
                Harness::PressKey(popup, VK_DOWN);
            }
        }
        Harness::PressKey(popup, VK_RETURN);
    }
    Harness::Wait("the menu closes",
                  [] { return !::IsWindowVisible(::FindWindowW(L"#32768", nullptr)); });
    return shown;
}

TEST_F(ListCommandsTest, TheKeysSelectDeleteUndoAndRedoInTheListAndEditInTheEditor) {
    Start({{u"a", u"一"}, {u"b", u"二"}, {u"c", u"三"}, {u"d", u"十四"}});
    const auto press = [this](UINT key, std::initializer_list<UINT> held = {}) {
        for (const UINT down : held) {
            HoldKey(down, true);
        }
        PressKey(List(), key);
        Pump();
        for (const UINT down : held) {
            HoldKey(down, false);
        }
    };
    const std::wstring words = L"a 一 0000;b 二 0001;c 三 0002;d 十四 0003;  0004;";
    ::SetFocus(List());
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(List(), 1, LVIS_FOCUSED, LVIS_FOCUSED);
    press('A', {VK_CONTROL});
    EXPECT_EQ(RowsOf(List(), true), L"SFSS.");  // the blank row stays out, the focus in place
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    for (const int row : {1, 2, 4}) {
        ListView_SetItemState(List(), row, LVIS_SELECTED, LVIS_SELECTED);
    }
    const std::wstring chosen = RowsOf(List(), true);
    press(VK_DELETE);
    EXPECT_EQ(RowsOf(List()) + RowsOf(List(), true), L"a 一 0000;d 十四 0001;  0002;.F.");
    press('Z', {VK_CONTROL});
    EXPECT_EQ(RowsOf(List()) + RowsOf(List(), true), words + chosen);
    press('Y', {VK_CONTROL});
    EXPECT_EQ(RowsOf(List()) + RowsOf(List(), true), L"a 一 0000;d 十四 0001;  0002;.F.");
    press('Z', {VK_CONTROL});
    press('Z', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(RowsOf(List()), L"a 一 0000;d 十四 0001;  0002;");
    // In an open editor the keys are the editor's own.
    EditCell(1, 1, L"", 0);
    ::SetWindowTextW(OpenEditor(List()), L"十四");
    PressKey(OpenEditor(List()), VK_HOME);
    PressKey(OpenEditor(List()), VK_DELETE);
    PressKey(OpenEditor(List()), VK_RETURN);
    Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
    EXPECT_EQ(RowsOf(List()), L"a 一 0000;d 四 0001;  0002;");
    press('Z', {VK_CONTROL});
    EXPECT_EQ(CellText(List(), 1, 1), L"十四");
}

// The clipboard's text, after it is given text when put is not null.
std::wstring Clipboard(const wchar_t* put = nullptr) {
    std::wstring text;
    if (::OpenClipboard(nullptr)) {
        if (put != nullptr) {
            const std::size_t bytes = (std::wcslen(put) + 1) * sizeof(wchar_t);
            const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
            std::memcpy(::GlobalLock(memory), put, bytes);
            ::GlobalUnlock(memory);
            ::EmptyClipboard();
            ::SetClipboardData(CF_UNICODETEXT, memory);
        }
        if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(::GlobalLock(data));
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
    }
    return text;
}

TEST_F(ListCommandsTest, TheShortcutMenuShowsWhatCanApplyAndARightClickOpensNoEditor) {
    Start({{u"a", u"一"}, {u"b", u"二"}});
    Clipboard(L"");
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    ::SetFocus(List());
    const POINT at = CellCenter(List(), 1, 1);
    ::PostMessageW(List(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    ::PostMessageW(List(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(MenuShown(3),
              L"撤销\tCtrl+Z(grey);重做\tCtrl+Y(grey);-;剪切\tCtrl+X;复制\tCtrl+C;"
              L"粘贴\tCtrl+V;删除\tDel;生成编码(grey);-;全选\tCtrl+A;查找…\tCtrl+F;");
    Wait("the row chosen goes", [this] { return RowsOf(List()) == L"a 一 0000;  0001;"; });
    PressKey(List(), VK_APPS);
    EXPECT_EQ(MenuShown(),
              L"撤销\tCtrl+Z;重做\tCtrl+Y(grey);-;剪切\tCtrl+X(grey);复制\tCtrl+C(grey);"
              L"粘贴\tCtrl+V;删除\tDel(grey);生成编码(grey);-;全选\tCtrl+A;查找…\tCtrl+F;");
    HoldKey(VK_SHIFT, true);
    ::PostMessageW(List(), WM_SYSKEYDOWN, VK_F10, 1);
    ::PostMessageW(List(), WM_SYSKEYUP, VK_F10, 1 | (LPARAM{3} << 30));
    MenuShown(5);  // 粘贴: the row cut comes back
    HoldKey(VK_SHIFT, false);
    Wait("the row comes back", [this] { return RowsOf(List()) == L"a 一 0000;b 二 0001;  0002;"; });
    const auto until =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(::GetDoubleClickTime() + 300);
    Wait("the double-click time has passed",
         [&] { return std::chrono::steady_clock::now() > until; });
    EXPECT_EQ(::FindWindowExW(List(), nullptr, L"Edit", nullptr), nullptr);
}

TEST_F(ListCommandsTest, WordsGoThroughTheClipboardAndTheFindDialogFindsThem) {
    Start({{u"jjsk", u"经济"}, {u"xicp", u"经济观察"}, {u"a", u"一"}});
    const auto press = [this](UINT key, bool control = true) {
        HoldKey(VK_CONTROL, control);
        PressKey(List(), key);
        Pump();
        HoldKey(VK_CONTROL, false);
    };
    ::SetFocus(List());
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    for (const int row : {0, 2, 3}) {
        ListView_SetItemState(List(), row, LVIS_SELECTED, LVIS_SELECTED);
    }
    press('C');
    EXPECT_EQ(Clipboard(), L"jjsk\t经济\r\na\t一\r\n");
    press('X');
    EXPECT_EQ(RowsOf(List()), L"xicp 经济观察 0000;  0001;");
    press('Z');
    Clipboard(L"wqvb\t你好\r\njjsk 经济\r\nab1 某");
    press('V');
    Answer(emb::WordListImportedMessage(1, 1, 0, 0, std::vector<std::size_t>{3}), IDOK, 1);
    EXPECT_EQ(RowsOf(List()),
              L"jjsk 经济 0000;xicp 经济观察 0001;a 一 0002;wqvb 你好 0003;  0004;");
    // Find: from the focused row (the blank row) on, around the end; F3 and Shift+F3.
    press('F');
    HWND find = nullptr;
    Wait("the find dialog shows", [&] { return (find = FindDialog(0x480)) != nullptr; });
    const auto findNext = [&](const wchar_t* text) {
        ::SetDlgItemTextW(find, 0x480, text);
        PressButton(find, IDOK);
    };
    findNext(L"经济");
    Wait("the first one is found", [this] { return RowsOf(List(), true) == L"F...."; });
    press(VK_F3, false);
    EXPECT_EQ(RowsOf(List(), true), L".F...");
    HoldKey(VK_SHIFT, true);
    press(VK_F3, false);
    HoldKey(VK_SHIFT, false);
    EXPECT_EQ(RowsOf(List(), true), L"F....");
    findNext(L"没有");
    Answer(emb::NotFoundMessage(u"没有"), IDOK, 1);
    PressKey(::GetDlgItem(find, 0x480), VK_ESCAPE);
    Wait("the find dialog closes", [&] { return !::IsWindow(find); });
    // A code pasted into the code's editor keeps only what the code may hold.
    EditCell(2, 0, L"", 0);
    Clipboard(L"AB12");
    ::PostMessageW(OpenEditor(List()), WM_PASTE, 0, 0);
    PressKey(OpenEditor(List()), VK_RETURN);
    Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
    EXPECT_EQ(CellText(List(), 2, 0), L"ab");
}

// The main window with a code table of a few characters, written where the test names.
class CodedDlg : public CWordMaintDlg {
public:
    static void WriteTable(const std::wstring& path) {
        const std::string text = "---\n...\n经\txcag\n济\tiyjh\n察\tpwfi\n";
        InstalledLibraries::Write(path, Bytes(text.begin(), text.end()));
        s_table = Harness::Utf16(path);
    }

protected:
    std::u16string FindCodeTable() override { return s_table; }

private:
    static inline std::u16string s_table;
};

void PressWithControl(HWND window, UINT key) {
    Harness::HoldKey(VK_CONTROL, true);
    Harness::PressKey(window, key);
    Harness::Pump();
    Harness::HoldKey(VK_CONTROL, false);
}

TEST_F(ListCommandsTest, APhraseEditedWhereTheCodeIsEmptyGetsItsCodeInTheSameStep) {
    CodedDlg::WriteTable(installed.TempPath(L"wubi.dict.yaml"));
    Start<CodedDlg>({{u"ab", u"中国"}});
    EditCell(1, 1, L"经济");
    EXPECT_EQ(RowsOf(List()), L"ab 中国 0000;xciy 经济 0001;  0002;");
    EditCell(0, 1, L"济察");  // a code typed stays
    EXPECT_EQ(RowsOf(List()), L"ab 济察 0000;xciy 经济 0001;  0002;");
    PressWithControl(List(), 'Z');
    PressWithControl(List(), 'Z');
    EXPECT_EQ(RowsOf(List()), L"ab 中国 0000;  0001;");
}

TEST_F(ListCommandsTest, CodingTheSelectedRowsCodesThoseWithoutACodeAndSaysHowManyCouldNot) {
    CodedDlg::WriteTable(installed.TempPath(L"wubi.dict.yaml"));
    Start<CodedDlg>({{u"", u"经济"}, {u"", u"经济中"}, {u"ab", u"济察"}, {u"", u"济察"}});
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    for (const int row : {0, 1, 2}) {
        ListView_SetItemState(List(), row, LVIS_SELECTED, LVIS_SELECTED);
    }
    ::SetFocus(List());
    PressKey(List(), VK_APPS);
    MenuShown(7);
    Answer(emb::UncodedPhrasesMessage(u"1"), IDOK, 1);
    EXPECT_EQ(RowsOf(List()), L"xciy 经济 0000; 经济中 0001;ab 济察 0002; 济察 0003;  0004;");
    PressWithControl(List(), 'Z');
    EXPECT_EQ(RowsOf(List()), L" 经济 0000; 经济中 0001;ab 济察 0002; 济察 0003;  0004;");
}

}  // namespace
}  // namespace uitest
