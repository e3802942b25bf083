#pragma once

// Driving the real windows as a user does, for the window tests and the window benchmark. A
// dialog's modal loops (its own, a message box's, a file dialog's) run on a fiber of their own
// that hands back to the test at every timer tick, so a test reads top to bottom: it posts what
// a mouse and keyboard would, then waits until the windows show what follows.

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Labels.h"
#include "ListCtrl.h"
#include "UserWordFormat.h"
#include "WinApp.h"
#include "WordMaintDlg.h"
#include "WordTable.h"
#include "resource.h"

namespace uitest {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Records = std::vector<emb::WordRecord>;

struct Harness {
    static std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }
    static std::u16string Utf16(const std::wstring& text) { return {text.begin(), text.end()}; }
    static Bytes Image(const Records& words) { return emb::BuildFileImage(words).bytes; }

    // Runs the dialog modally on the window's fiber until its loop first waits.
    static void Open(afx::CDialog& dialog) {
        Finish();
        s_test = s_test != nullptr ? s_test : ::ConvertThreadToFiber(nullptr);
        s_closed = s_lost = false;
        s_window = ::CreateFiber(0, &RunModal, &dialog);
        s_timer = ::SetTimer(nullptr, 0, 15, &Tick);
        Pump();
    }
    // Lets the window's loops run until done() holds; a failure after 20 s, or at once when the
    // window has closed. Once a wait has failed, the test waits for nothing more.
    static bool Wait(const char* what, const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!s_lost && !done()) {
            if (s_closed || std::chrono::steady_clock::now() > end) {
                ADD_FAILURE() << (s_closed ? "the window closed" : "timed out") << " waiting until "
                              << what;
                s_lost = true;
            }
            Pump();
        }
        return !s_lost;
    }
    // Lets the window's loops handle what was posted so far: timer ticks come last.
    static void Pump() {
        if (!s_closed) {
            s_inWindow = true;
            ::SwitchToFiber(s_window);
            s_inWindow = false;
        }
    }
    static bool WindowClosed() { return s_closed; }
    // Ends the window's fiber, closing what a lost test left open.
    static void Finish() {
        for (int tick = 0; !s_closed && tick < 1000; ++tick) {
            for (HWND window : WindowsOf(nullptr)) {
                for (const int id : {IDCANCEL, IDNO, IDOK}) {
                    ::PostMessageW(window, WM_COMMAND, id, 0);
                }
            }
            Pump();
        }
        ::KillTimer(nullptr, s_timer);
        if (s_window != nullptr) {
            ::DeleteFiber(std::exchange(s_window, nullptr));
        }
    }

    // This thread's windows (parent nullptr), or a window's descendants.
    static std::vector<HWND> WindowsOf(HWND parent) {
        std::vector<HWND> found;
        const auto add = [](HWND window, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        };
        const auto list = reinterpret_cast<LPARAM>(&found);
        parent ? ::EnumChildWindows(parent, add, list)
               : ::EnumThreadWindows(::GetCurrentThreadId(), add, list);
        return found;
    }
    static bool IsClass(HWND window, std::wstring_view name) {
        wchar_t found[32] = {};
        return ::GetClassNameW(window, found, 32) && name == found;
    }
    static std::wstring TextOf(HWND window) {
        wchar_t text[4096] = {};
        return {text, static_cast<std::size_t>(::GetWindowTextW(window, text, 4096))};
    }
    // A visible dialog-class window of this thread with the item (a message box's text is
    // 0xFFFF, a file dialog's name box 0x47C) or the caption, or nullptr.
    static HWND FindDialog(int item, const std::wstring& caption = {}) {
        for (HWND window : WindowsOf(nullptr)) {
            if (::IsWindowVisible(window) && IsClass(window, L"#32770") &&
                (caption.empty() ? ::GetDlgItem(window, item) != nullptr
                                 : TextOf(window) == caption)) {
                return window;
            }
        }
        return nullptr;
    }
    // The find dialog's label is an 0xFFFF item too; a message box holds no edit box.
    static HWND FindMessageBox() {
        for (HWND window : WindowsOf(nullptr)) {
            if (::IsWindowVisible(window) && IsClass(window, L"#32770") &&
                ::GetDlgItem(window, 0xFFFF) != nullptr &&
                ::FindWindowExW(window, nullptr, L"Edit", nullptr) == nullptr) {
                return window;
            }
        }
        return nullptr;
    }
    static HWND FindFileDialog() { return FindDialog(0x47C); }
    // Types path into the file dialog's name box and presses its OK button.
    static void ChooseFile(HWND dialog, const std::wstring& path) {
        const auto name = ::SendDlgItemMessageW(dialog, 0x47C, CBEM_GETEDITCONTROL, 0, 0);
        ::SetWindowTextW(reinterpret_cast<HWND>(name), path.c_str());
        PressButton(dialog, IDOK);
    }

    // What a user's mouse and keyboard produce, posted. A release goes where a real one would:
    // to the window holding the capture, else to the window under the point.
    static void PressButton(HWND dialog, int id) {
        ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    }
    static void PressKey(HWND target, UINT key) {
        const auto scan = static_cast<LPARAM>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16);
        ::PostMessageW(target, WM_KEYDOWN, key, 1 | scan);
        ::PostMessageW(target, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30));
    }
    static void Type(HWND window, const std::wstring& text) {
        for (const wchar_t character : text) {
            ::PostMessageW(window, WM_CHAR, character, 1);
        }
    }
    static void PressAt(HWND window, POINT at, WPARAM keys = 0) {
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(at.x, at.y));
    }
    static void ReleaseAt(HWND window, POINT at) {
        ::ClientToScreen(window, &at);
        const HWND target = ::GetCapture() != nullptr ? ::GetCapture() : ::WindowFromPoint(at);
        ::ScreenToClient(target, &at);
        ::PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    static void Click(HWND control) {
        RECT client = {};
        ::GetClientRect(control, &client);
        PressAt(control, {client.right / 2, client.bottom / 2});
        ::PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
    }
    // Shift or Ctrl held down in this thread's keyboard state, as a finger holds it.
    static void HoldKey(UINT key, bool down) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[key] = down ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }

    static std::wstring CellText(HWND list, int row, int column) {
        wchar_t text[512] = {};
        ListView_GetItemText(list, row, column, text, 512);
        return text;
    }
    static void SetCellText(HWND list, int row, int column, const std::wstring& text) {
        ListView_SetItemText(list, row, column, const_cast<wchar_t*>(text.c_str()));
    }
    // The rows as the user sees them, "code phrase number;" each; or their states: for each row
    // "F" focused and selected, "f" focused, "S" selected or "." neither.
    static std::wstring RowsOf(HWND list, bool states = false) {
        std::wstring rows;
        std::wstring marks;
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            const UINT state = ListView_GetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED);
            rows += CellText(list, row, 0) + L' ' + CellText(list, row, 1) + L' ' +
                    CellText(list, row, 2) + L';';
            marks += L".SfF"[(state & LVIS_SELECTED ? 1 : 0) + (state & LVIS_FOCUSED ? 2 : 0)];
        }
        return states ? marks : rows;
    }
    // Where a cell of the list is now, in the list's client coordinates.
    static RECT CellRect(HWND list, int row, int column) {
        RECT cell = {};
        ListView_GetItemRect(list, row, &cell, LVIR_BOUNDS);
        for (int before = 0; before < column; ++before) {
            cell.left += ListView_GetColumnWidth(list, before);
        }
        cell.right = cell.left + ListView_GetColumnWidth(list, column);
        return cell;
    }
    static POINT CellCenter(HWND list, int row, int column) {
        const RECT cell = CellRect(list, row, column);
        return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    }
    // The list's open cell editor, or nullptr.
    static HWND OpenEditor(HWND list) {
        const HWND editor = ::FindWindowExW(list, nullptr, L"Edit", nullptr);
        return editor != nullptr && ::IsWindowVisible(editor) ? editor : nullptr;
    }
    // A rectangle's edges, to compare and print.
    static std::array<LONG, 4> Edges(RECT rect) {
        return {rect.left, rect.top, rect.right, rect.bottom};
    }
    // The open editor's place in the list's client coordinates.
    static RECT EditorRect(HWND list) {
        RECT placed = {};
        ::GetWindowRect(OpenEditor(list), &placed);
        ::MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&placed), 2);
        return placed;
    }

    // What the window shows, frame and children included, row by row.
    static std::vector<std::uint32_t> PixelsOf(HWND window) {
        RECT rect = {};
        ::GetWindowRect(window, &rect);
        const LONG width = rect.right - rect.left;
        const LONG height = rect.bottom - rect.top;
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        const HDC source = ::GetWindowDC(window);
        const HDC memory = ::CreateCompatibleDC(source);
        std::uint32_t* bits = nullptr;
        const HBITMAP bitmap = ::CreateDIBSection(source, &info, DIB_RGB_COLORS,
                                                  reinterpret_cast<void**>(&bits), nullptr, 0);
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
        ::GdiFlush();
        std::vector<std::uint32_t> pixels(bits, bits != nullptr ? bits + width * height : bits);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(window, source);
        return pixels;
    }

    // Warning sounds, counted instead of played: the cell editor's and the link's.
    static BOOL WINAPI CountBeep(UINT type) {
        EXPECT_EQ(type, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(FindMessageBox(), nullptr) << "a beep comes before any message";
        return ++s_beeps;
    }
    static inline int s_beeps = 0;

private:
    // Not GetCurrentFiber: MinGW's reads gs:[0x20], which GCC 12 at -O2 takes for an access
    // past an empty array (-Warray-bounds).
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
        if (s_inWindow) {
            ::SwitchToFiber(s_test);
        }
    }
    static void WINAPI RunModal(void* dialog) {
        static_cast<afx::CDialog*>(dialog)->DoModal();
        for (s_closed = true;;) {
            ::SwitchToFiber(s_test);
        }
    }
    static inline void* s_test = nullptr;    // the fiber that runs the test
    static inline void* s_window = nullptr;  // the fiber that runs the window's loops
    static inline bool s_inWindow = false;   // it is the one running
    static inline bool s_closed = true;
    static inline bool s_lost = false;
    static inline UINT_PTR s_timer = 0;
};

// The word table through the list with no shortcut: redrawing stays on and every inserted or
// deleted row is painted at once; rows go in selected and focused, as the program inserts them.
// The reference that the program's fast paths must match on the real control.
class LiteralListTable final : public emb::WordTable {
public:
    explicit LiteralListTable(afx::CListCtrl& list) : m_list(list) {}
    int RowCount() const override { return m_list.GetItemCount(); }
    std::u16string CellText(int row, int column) const override {
        return Harness::Utf16(m_list.GetItemText(row, column));
    }
    void SetCellText(int row, int column, std::u16string_view text) override {
        m_list.SetItemText(row, column, Harness::Wide(text));
    }
    void InsertRow(int row, std::u16string_view code) override {
        const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
        m_list.InsertItem(LVIF_TEXT | LVIF_STATE, row, Harness::Wide(code), state, state);
        m_list.UpdateWindow();
    }
    void DeleteRow(int row) override {
        m_list.DeleteItem(row);
        m_list.UpdateWindow();
    }
    void DeleteAllRows() override {
        m_list.DeleteAllItems();
        m_list.UpdateWindow();
    }

private:
    afx::CListCtrl& m_list;
};

// The input method as the program finds it: an edition's code table in the system folder and
// the first pair's library files in the profile. Starts with none of them, and a clean folder
// for other files.
class InstalledLibraries {
public:
    InstalledLibraries() {
        std::error_code ignored;
        for (const wchar_t* edition :
             {L"EDNQB", L"EDNQA", L"EDNBX", L"EDNAX", L"EDNB700", L"EDNA700"}) {
            fs::remove(Folder(CSIDL_SYSTEM) / (edition + std::wstring(L".MB")), ignored);
            fs::remove(Folder(CSIDL_SYSTEMX86) / (edition + std::wstring(L".MB")), ignored);
            fs::remove_all(m_ime / edition, ignored);
        }
        fs::remove_all(m_temp, ignored);
        fs::create_directories(m_temp);
    }
    void InstallEdition(const std::wstring& edition) {
        Write(Folder(CSIDL_SYSTEM) / (edition + L".MB"), Bytes{'M', 'B'});
    }
    std::wstring TraditionalPath() const { return m_ime / L"EDNQB\\EDNQB.EMB"; }
    std::wstring SimplifiedPath() const { return m_ime / L"EDNQA\\EDNQA.EMB"; }
    std::wstring TempPath(const std::wstring& name) const { return m_temp / name; }

    static void Write(const fs::path& path, const Bytes& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    static void WriteLibrary(const fs::path& path, const Records& words) {
        Write(path, Harness::Image(words));
    }
    static Bytes Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    static fs::path Folder(int id) {
        wchar_t folder[MAX_PATH] = {};
        ::SHGetSpecialFolderPathW(nullptr, folder, id, FALSE);
        return folder;
    }
    fs::path m_ime = Folder(CSIDL_PROFILE) / L"Application Data\\Microsoft\\IME";
    fs::path m_temp = fs::temp_directory_path() / L"ui-test-files";
};

// The main window on this machine's files. A window still open at the end is closed as a user
// closes it.
class WindowTest : public ::testing::Test, public Harness {
protected:
    void TearDown() override {
        if (!WindowClosed()) {
            Close();
        }
        Finish();
    }
    // Opens a window of its own; waits until it or a message box shows.
    template <class Shown = CWordMaintDlg>
    Shown& Open() {
        Finish();
        auto owned = std::make_unique<Shown>();
        Shown& shown = *owned;
        m_shown = std::move(owned);
        afx::AfxGetApp()->m_pMainWnd = &shown;
        Harness::Open(shown);
        Wait("the window shows",
             [this] { return ::IsWindowVisible(Dialog()) || FindMessageBox(); });
        return shown;
    }
    // Installs an edition, writes the simplified library, opens the window and chooses it.
    template <class Shown = CWordMaintDlg>
    Shown& Start(const Records& simplified, bool choose = true) {
        installed.InstallEdition(L"EDNQA");
        installed.WriteLibrary(installed.SimplifiedPath(), simplified);
        Shown& shown = Open<Shown>();
        if (choose) {
            Choose(emb::kSimplifiedEntry);
        }
        return shown;
    }
    Bytes SimplifiedFile() const { return installed.Read(installed.SimplifiedPath()); }
    HWND Dialog() const { return m_shown->m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(Dialog(), id); }
    HWND List() const { return Item(IDC_WORD_LIST); }
    HWND LibraryBox() const {
        return ::FindWindowExW(Item(IDC_LIBRARY_COMBO), nullptr, L"Edit", nullptr);
    }
    // With the arrow keys in the library box, as a keyboard user chooses.
    void Choose(std::u16string_view entry) {
        const auto wanted = ::SendMessageW(Item(IDC_LIBRARY_COMBO), CB_FINDSTRINGEXACT, -1,
                                           reinterpret_cast<LPARAM>(Wide(entry).c_str()));
        Wait("the entry is chosen", [&] {
            const auto chosen = ::SendMessageW(Item(IDC_LIBRARY_COMBO), CB_GETCURSEL, 0, 0);
            if (chosen == wanted) {
                return true;
            }
            PressKey(LibraryBox(), chosen == CB_ERR || chosen < wanted ? VK_DOWN : VK_UP);
            return false;
        });
    }
    // Waits for a message box, checks what it says and how, and presses one of its buttons.
    void Answer(std::u16string_view text, int press, int buttons = 3) {
        HWND box = nullptr;
        if (Wait("a message box shows", [&] { return (box = FindMessageBox()) != nullptr; })) {
            EXPECT_EQ(TextOf(::GetDlgItem(box, 0xFFFF)), Wide(text));
            EXPECT_EQ(TextOf(box), afx::AfxGetApp()->m_strAppName);
            int shown = 0;
            HWND icon = nullptr;
            for (HWND child : WindowsOf(box)) {
                shown += IsClass(child, L"Button") && ::IsWindowVisible(child);
                icon = (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                               IsClass(child, L"Static")
                           ? child
                           : icon;
            }
            EXPECT_EQ(shown, buttons);
            EXPECT_EQ(::SendMessageW(icon, STM_GETICON, 0, 0),
                      reinterpret_cast<LRESULT>(::LoadIconW(nullptr, IDI_EXCLAMATION)));
            PressButton(box, press);
            Wait("the message box is gone", [&] { return !::IsWindow(box); });
        }
    }
    // Backup, the path typed into its save dialog, and the type chosen there (0: the copy).
    void BackUp(const std::wstring& path, WPARAM type = 0) {
        Click(Item(IDC_BACKUP));
        HWND save = nullptr;
        Wait("the save dialog shows", [&] { return (save = FindFileDialog()) != nullptr; });
        const HWND types = ::GetDlgItem(save, 0x470);  // cmb1
        ::SendMessageW(types, CB_SETCURSEL, type, 0);  // and what a choice with the mouse says
        ::SendMessageW(save, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK),
                       reinterpret_cast<LPARAM>(types));
        ChooseFile(save, path);
    }
    // Escape; a question about unsaved changes is answered No.
    void Close(bool mayAsk = true) {
        Pump();
        PressKey(::GetFocus() != nullptr ? ::GetFocus() : Dialog(), VK_ESCAPE);
        Wait("the window closes", [&] {
            if (const HWND box = FindMessageBox()) {
                EXPECT_TRUE(mayAsk) << "closing asked: " << TextOf(::GetDlgItem(box, 0xFFFF));
                PressButton(box, IDNO);
            }
            return WindowClosed();
        });
    }
    // Escape; no question may come.
    void CloseAtOnce() { Close(false); }
    void ClickCell(int row, int column) {
        const POINT at = CellCenter(List(), row, column);
        PressAt(List(), at);
        Pump();
        ReleaseAt(List(), at);
    }
    // A click on the cell, text typed over what was there, then key (0: the editor stays open).
    void EditCell(int row, int column, const std::wstring& text, UINT key = VK_RETURN) {
        ClickCell(row, column);
        Wait("the editor opens",
             [this] { return ::GetFocus() == OpenEditor(List()) && ::GetFocus(); });
        ::SetWindowTextW(OpenEditor(List()), L"");
        Type(OpenEditor(List()), text);
        if (key != 0) {
            PressKey(OpenEditor(List()), key);
            Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
        }
    }

    InstalledLibraries installed;

private:
    std::unique_ptr<CWordMaintDlg> m_shown;
};

}  // namespace uitest
