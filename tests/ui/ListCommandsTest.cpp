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

TEST_F(ListCommandsTest, TheShortcutMenuShowsWhatCanApplyAndARightClickOpensNoEditor) {
    Start({{u"a", u"一"}, {u"b", u"二"}});
    const std::wstring items = L"撤销\tCtrl+Z;重做\tCtrl+Y;-;删除\tDel;-;全选\tCtrl+A;";
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    ::SetFocus(List());
    const POINT at = CellCenter(List(), 1, 1);
    ::PostMessageW(List(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    ::PostMessageW(List(), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(MenuShown(3), L"撤销\tCtrl+Z(grey);重做\tCtrl+Y(grey);-;删除\tDel;-;全选\tCtrl+A;");
    Wait("the row chosen goes", [this] { return RowsOf(List()) == L"a 一 0000;  0001;"; });
    PressKey(List(), VK_APPS);
    EXPECT_EQ(MenuShown(), L"撤销\tCtrl+Z;重做\tCtrl+Y(grey);-;删除\tDel(grey);-;全选\tCtrl+A;");
    HoldKey(VK_SHIFT, true);
    ::PostMessageW(List(), WM_SYSKEYDOWN, VK_F10, 1);
    ::PostMessageW(List(), WM_SYSKEYUP, VK_F10, 1 | (LPARAM{3} << 30));
    EXPECT_EQ(MenuShown(0), L"撤销\tCtrl+Z;重做\tCtrl+Y(grey);-;删除\tDel(grey);-;全选\tCtrl+A;");
    HoldKey(VK_SHIFT, false);
    Wait("the row comes back", [this] { return RowsOf(List()) == L"a 一 0000;b 二 0001;  0002;"; });
    const auto until =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(::GetDoubleClickTime() + 300);
    Wait("the double-click time has passed",
         [&] { return std::chrono::steady_clock::now() > until; });
    EXPECT_EQ(::FindWindowExW(List(), nullptr, L"Edit", nullptr), nullptr);
}

}  // namespace
}  // namespace uitest
