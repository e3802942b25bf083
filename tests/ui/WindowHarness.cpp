#include "WindowHarness.h"

#include <shlobj.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Utf8.h"
#include "WinApp.h"

namespace uitest {
namespace {

namespace fs = std::filesystem;

void* g_test = nullptr;    // the fiber that runs the test
void* g_window = nullptr;  // the fiber that runs the window's loops
bool g_closed = true;
bool g_lost = false;
UINT_PTR g_timer = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    if (::GetCurrentFiber() == g_window) {
        ::SwitchToFiber(g_test);
    }
}

void WINAPI RunModal(void* dialog) {
    static_cast<afx::CDialog*>(dialog)->DoModal();
    g_closed = true;
    for (;;) {
        ::SwitchToFiber(g_test);
    }
}

// The first visible dialog-class window of this thread that matches.
HWND FindDialogWhere(const std::function<bool(HWND)>& matches) {
    for (HWND hwnd : WindowsOf(nullptr)) {
        if (::IsWindowVisible(hwnd) && IsClass(hwnd, L"#32770") && matches(hwnd)) {
            return hwnd;
        }
    }
    return nullptr;
}

// The file dialogs keep the file name in an edit box (edt1) or a combo box's edit (cmb13).
HWND FileNameBox(HWND dialog) {
    for (HWND child : WindowsOf(dialog)) {
        if ((::GetDlgCtrlID(child) == 0x480 || ::GetDlgCtrlID(child) == 0x47C) &&
            IsClass(child, L"Edit")) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

void Open(afx::CDialog& dialog) {
    Finish();
    if (g_test == nullptr) {
        g_test = ::ConvertThreadToFiber(nullptr);
    }
    g_closed = false;
    g_lost = false;
    g_window = ::CreateFiber(0, &RunModal, &dialog);
    g_timer = ::SetTimer(nullptr, 0, 15, &Tick);
    ::SwitchToFiber(g_window);
}

bool Wait(const char* what, const std::function<bool()>& done) {
    const auto start = std::chrono::steady_clock::now();
    while (!g_lost && !done()) {
        if (g_closed || std::chrono::steady_clock::now() - start > std::chrono::seconds(20)) {
            ADD_FAILURE() << (g_closed ? "the window closed" : "timed out") << " waiting until "
                          << what;
            g_lost = true;
            return false;
        }
        ::SwitchToFiber(g_window);
    }
    return !g_lost;
}

void Pump() {
    if (!g_closed) {
        ::SwitchToFiber(g_window);
    }
}

bool WindowClosed() {
    return g_closed;
}

void Finish() {
    if (g_window == nullptr) {
        return;
    }
    if (!g_closed) {
        ADD_FAILURE() << "the window is still open";
        for (int tick = 0; tick < 1000 && !g_closed; ++tick) {
            for (HWND hwnd : WindowsOf(nullptr)) {
                for (const int id : {IDCANCEL, IDNO, IDOK}) {
                    ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
                }
            }
            ::SwitchToFiber(g_window);
        }
    }
    ::KillTimer(nullptr, g_timer);
    ::DeleteFiber(g_window);
    g_window = nullptr;
}

std::vector<HWND> WindowsOf(HWND parent) {
    std::vector<HWND> found;
    const auto add = [](HWND hwnd, LPARAM found) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
        return TRUE;
    };
    if (parent == nullptr) {
        ::EnumThreadWindows(::GetCurrentThreadId(), add, reinterpret_cast<LPARAM>(&found));
    } else {
        ::EnumChildWindows(parent, add, reinterpret_cast<LPARAM>(&found));
    }
    return found;
}

bool IsClass(HWND window, std::wstring_view name) {
    wchar_t found[32] = {};
    ::GetClassNameW(window, found, 32);
    return name == found;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND FindMessageBox() {
    // A message box's text is the static control 0xFFFF.
    return FindDialogWhere([](HWND hwnd) {
        return ::GetDlgItem(hwnd, 0xFFFF) != nullptr && FileNameBox(hwnd) == nullptr;
    });
}

HWND FindFileDialog() {
    return FindDialogWhere([](HWND hwnd) { return FileNameBox(hwnd) != nullptr; });
}

HWND FindDialog(const std::wstring& caption) {
    return FindDialogWhere([&](HWND hwnd) { return TextOf(hwnd) == caption; });
}

void ChooseFile(HWND fileDialog, const std::wstring& path) {
    ::SendMessageW(FileNameBox(fileDialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(fileDialog, IDOK);
}

void Click(HWND control) {
    RECT client;
    ::GetClientRect(control, &client);
    PressAt(control, {client.right / 2, client.bottom / 2});
    ::PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
}

void PressKey(HWND target, UINT key) {
    const auto scan = static_cast<LPARAM>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16);
    ::PostMessageW(target, WM_KEYDOWN, key, 1 | scan);
    ::PostMessageW(target, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30));
}

void PressButton(HWND dialog, int id) {
    ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Type(HWND window, const std::wstring& text) {
    for (const wchar_t character : text) {
        ::PostMessageW(window, WM_CHAR, character, 1);
    }
}

void PressAt(HWND window, POINT point, WPARAM keys) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(point.x, point.y));
}

void ReleaseAt(HWND window, POINT point, WPARAM keys) {
    ::ClientToScreen(window, &point);
    HWND target = ::GetCapture() != nullptr ? ::GetCapture() : ::WindowFromPoint(point);
    ::ScreenToClient(target, &point);
    ::PostMessageW(target, WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
}

void HoldKey(UINT key, bool down) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

std::ostream& operator<<(std::ostream& os, const ListRow& row) {
    const auto utf8 = [](const std::wstring& text) {
        return emb::ToUtf8(std::u16string(text.begin(), text.end()));
    };
    return os << '{' << utf8(row.code) << " | " << utf8(row.phrase) << " | " << utf8(row.number)
              << (row.selected ? " selected" : "") << (row.focused ? " focused" : "") << '}';
}

std::vector<ListRow> RowsOf(HWND list) {
    std::vector<ListRow> rows;
    const auto count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        const auto state = static_cast<UINT>(::SendMessageW(
            list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED | LVIS_FOCUSED));
        rows.push_back({CellText(list, row, 0), CellText(list, row, 1), CellText(list, row, 2),
                        (state & LVIS_SELECTED) != 0, (state & LVIS_FOCUSED) != 0});
    }
    return rows;
}

std::wstring CellText(HWND list, int row, int column) {
    wchar_t buffer[512] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void SetCellText(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
}

RECT CellRect(HWND list, int row, int column) {
    RECT cell = {LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&cell));
    const auto width = [list](int of) {
        return static_cast<int>(
            ::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(of), 0));
    };
    for (int before = 0; before < column; ++before) {
        cell.left += width(before);
    }
    cell.right = cell.left + width(column);
    return cell;
}

POINT CellCenter(HWND list, int row, int column) {
    const RECT cell = CellRect(list, row, column);
    return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

HWND OpenEditor(HWND list) {
    const HWND editor = ::FindWindowExW(list, nullptr, L"Edit", nullptr);
    return editor != nullptr && ::IsWindowVisible(editor) ? editor : nullptr;
}

std::vector<std::uint32_t> PixelsOf(HWND window) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader,
                      rect.right - rect.left,
                      rect.top - rect.bottom,
                      1,
                      32,
                      BI_RGB,
                      0,
                      0,
                      0,
                      0,
                      0};
    const HDC source = ::GetWindowDC(window);
    const HDC memory = ::CreateCompatibleDC(source);
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<std::uint32_t> pixels;
    if (bitmap != nullptr) {
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, source, 0, 0,
                 SRCCOPY);
        ::GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels.assign(first, first + (rect.right - rect.left) * (rect.bottom - rect.top));
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(window, source);
    return pixels;
}

int g_beeps = 0;

BOOL WINAPI CountBeep(UINT type) {
    EXPECT_EQ(type, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(FindMessageBox(), nullptr) << "a beep comes before any message";
    ++g_beeps;
    return TRUE;
}

std::u16string LiteralListTable::CellText(int row, int column) const {
    const std::wstring text = m_list.GetItemText(row, column);
    return {text.begin(), text.end()};
}

void LiteralListTable::SetCellText(int row, int column, std::u16string_view text) {
    m_list.SetItemText(row, column, std::wstring(text.begin(), text.end()));
}

void LiteralListTable::InsertRow(int row, std::u16string_view code) {
    constexpr UINT kState = LVIS_SELECTED | LVIS_FOCUSED;
    m_list.InsertItem(LVIF_TEXT | LVIF_STATE, row, std::wstring(code.begin(), code.end()), kState,
                      kState);
    m_list.UpdateWindow();
}

void LiteralListTable::DeleteRow(int row) {
    m_list.DeleteItem(row);
    m_list.UpdateWindow();
}

void LiteralListTable::DeleteAllRows() {
    m_list.DeleteAllItems();
    m_list.UpdateWindow();
}

InstalledLibraries::InstalledLibraries() {
    wchar_t folder[MAX_PATH] = {};
    ::GetSystemDirectoryW(folder, MAX_PATH);
    m_system = folder;
    ::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PROFILE, FALSE);
    m_ime = std::wstring(folder) + L"\\Application Data\\Microsoft\\IME\\";
    ::GetTempPathW(MAX_PATH, folder);
    m_temp = std::wstring(folder) + L"ui-test-files\\";
    ::GetWindowsDirectoryW(folder, MAX_PATH);
    std::error_code ignored;
    for (const wchar_t* edition :
         {L"EDNQB", L"EDNQA", L"EDNBX", L"EDNAX", L"EDNB700", L"EDNA700"}) {
        for (const std::wstring& system : {m_system, std::wstring(folder) + L"\\SysWOW64"}) {
            fs::remove(system + L"\\" + edition + L".MB", ignored);
        }
        fs::remove_all(m_ime + edition, ignored);
    }
    fs::remove_all(m_temp, ignored);
    fs::create_directories(m_temp);
}

void InstalledLibraries::InstallEdition(const std::wstring& edition) {
    Write(m_system + L"\\" + edition + L".MB", Bytes{'M', 'B'});
}

void InstalledLibraries::Write(const std::wstring& path, const Bytes& bytes) {
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    std::ofstream(fs::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void InstalledLibraries::WriteLibrary(const std::wstring& path, const Records& words) {
    Write(path, Image(words));
}

Bytes InstalledLibraries::Read(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WindowTest::TearDown() {
    if (!WindowClosed()) {
        Close();
    }
    Finish();
}

void WindowTest::Show() {
    afx::AfxGetApp()->m_pMainWnd = m_shown.get();
    uitest::Open(*m_shown);
    Wait("the window shows", [this] { return ::IsWindowVisible(Dialog()) || FindMessageBox(); });
}

void WindowTest::Start(const Records& simplified, bool choose) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.SimplifiedPath(), simplified);
    Open();
    if (choose) {
        Choose(emb::kSimplifiedEntry);
    }
}

void WindowTest::Choose(std::u16string_view entry) {
    const std::wstring wanted = Wide(entry);
    Wait("the entry is chosen", [&] {
        const HWND combo = Item(IDC_LIBRARY_COMBO);
        const auto index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(wanted.c_str()));
        const auto current = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (current == index) {
            return true;
        }
        PressKey(::FindWindowExW(combo, nullptr, L"Edit", nullptr),
                 current == CB_ERR || current < index ? VK_DOWN : VK_UP);
        return false;
    });
}

void WindowTest::Answer(std::u16string_view text, int press, int buttons) {
    HWND box = nullptr;
    if (Wait("a message box shows", [&] { return (box = FindMessageBox()) != nullptr; })) {
        EXPECT_EQ(TextOf(::GetDlgItem(box, 0xFFFF)), Wide(text));
        EXPECT_EQ(TextOf(box), afx::AfxGetApp()->m_strAppName);
        int shown = 0;
        HWND icon = nullptr;
        for (HWND child : WindowsOf(box)) {
            shown += IsClass(child, L"Button") && ::IsWindowVisible(child);
            if (IsClass(child, L"Static") &&
                (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                icon = child;
            }
        }
        EXPECT_EQ(shown, buttons);
        EXPECT_EQ(::SendMessageW(icon, STM_GETICON, 0, 0),
                  reinterpret_cast<LRESULT>(::LoadIconW(nullptr, IDI_EXCLAMATION)));
        PressButton(box, press);
        Wait("the message box is gone", [&] { return !::IsWindow(box); });
    }
}

void WindowTest::Close() {
    CloseAnswering(true);
}

void WindowTest::CloseAtOnce() {
    CloseAnswering(false);
}

void WindowTest::CloseAnswering(bool mayAsk) {
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

void WindowTest::ClickCell(int row, int column) {
    const POINT at = CellCenter(List(), row, column);
    PressAt(List(), at);
    Pump();
    ReleaseAt(List(), at);
}

void WindowTest::EditCell(int row, int column, const std::wstring& text, UINT key) {
    ClickCell(row, column);
    Wait("the editor opens",
         [this] { return OpenEditor(List()) != nullptr && ::GetFocus() == OpenEditor(List()); });
    ::SetWindowTextW(OpenEditor(List()), L"");
    Type(OpenEditor(List()), text);
    if (key != 0) {
        PressKey(OpenEditor(List()), key);
        Wait("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
    }
}

}  // namespace uitest
