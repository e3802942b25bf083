#pragma once

// Driving the real windows as a user does, for the window tests and the window benchmark. A
// dialog's modal loops (its own, a message box's, a file dialog's) run on a fiber of their own
// that hands back to the test at every timer tick, so a test reads top to bottom: it posts what
// a mouse and keyboard would, then waits until the windows show what follows.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
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

using Bytes = std::vector<std::uint8_t>;
using Records = std::vector<emb::WordRecord>;

inline std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}
inline std::u16string Utf16(const std::wstring& text) {
    return {text.begin(), text.end()};
}
inline Bytes Image(const Records& words) {
    return emb::BuildFileImage(words).bytes;
}

// Runs the dialog modally on the window's fiber until its loop first waits.
void Open(afx::CDialog& dialog);
// Lets the window's loops run until done() holds; a failure after 20 s, or at once when the
// window has closed. Waits nothing more once one wait has failed.
bool Wait(const char* what, const std::function<bool()>& done);
// Lets the window's loops handle everything posted so far.
void Pump();
bool WindowClosed();
// After the window has closed; else closes every dialog, as a failure.
void Finish();

// The windows of this thread (parent nullptr), or a window's descendants.
std::vector<HWND> WindowsOf(HWND parent);
bool IsClass(HWND window, std::wstring_view name);
std::wstring TextOf(HWND window);
// The message box, open or save dialog, or dialog with the caption, of this thread; or nullptr.
HWND FindMessageBox();
HWND FindFileDialog();
HWND FindDialog(const std::wstring& caption);
// Types path into a file dialog's name box and presses its OK button.
void ChooseFile(HWND fileDialog, const std::wstring& path);

// What a user's mouse and keyboard produce, posted.
void Click(HWND control);
void PressKey(HWND target, UINT key);
void PressButton(HWND dialog, int id);
void Type(HWND window, const std::wstring& text);
// The left button at point (client coordinates), with MK_SHIFT or MK_CONTROL in keys; the
// release goes where a real one would: to the capture, else to the window under the point.
void PressAt(HWND window, POINT point, WPARAM keys = 0);
void ReleaseAt(HWND window, POINT point, WPARAM keys = 0);
// Shift or Ctrl held down in this thread's keyboard state, as a finger holds it.
void HoldKey(UINT key, bool down);

// One row of the real list view as the user sees it.
struct ListRow {
    std::wstring code;
    std::wstring phrase;
    std::wstring number;
    bool selected = true;
    bool focused = false;
    friend bool operator==(const ListRow&, const ListRow&) = default;
    friend std::ostream& operator<<(std::ostream& os, const ListRow& row);
};
std::vector<ListRow> RowsOf(HWND list);
std::wstring CellText(HWND list, int row, int column);
void SetCellText(HWND list, int row, int column, const std::wstring& text);
RECT CellRect(HWND list, int row, int column);
POINT CellCenter(HWND list, int row, int column);
// The list's open cell editor, or nullptr.
HWND OpenEditor(HWND list);

// What the window shows, frame and children included, row by row.
std::vector<std::uint32_t> PixelsOf(HWND window);

// Warning sounds, counted instead of played: the cell editor's and the link's.
extern int g_beeps;
BOOL WINAPI CountBeep(UINT type);

// The word table through the list with no shortcut: redrawing stays on and every inserted or
// deleted row is painted at once; rows go in selected and focused, as the program inserts them.
// The reference that the program's fast paths must match on the real control.
class LiteralListTable final : public emb::WordTable {
public:
    explicit LiteralListTable(afx::CListCtrl& list) : m_list(list) {}
    int RowCount() const override { return m_list.GetItemCount(); }
    std::u16string CellText(int row, int column) const override;
    void SetCellText(int row, int column, std::u16string_view text) override;
    void InsertRow(int row, std::u16string_view code) override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;

private:
    afx::CListCtrl& m_list;
};

// The input method as the program finds it: an edition's code table in the system folder and
// the first pair's library files in the profile. Starts with none of them, and a clean folder
// for other files.
class InstalledLibraries {
public:
    InstalledLibraries();
    void InstallEdition(const std::wstring& edition);
    std::wstring TraditionalPath() const { return m_ime + L"EDNQB\\EDNQB.EMB"; }
    std::wstring SimplifiedPath() const { return m_ime + L"EDNQA\\EDNQA.EMB"; }
    std::wstring TempPath(const std::wstring& name) const { return m_temp + name; }

    static void Write(const std::wstring& path, const Bytes& bytes);
    static void WriteLibrary(const std::wstring& path, const Records& words);
    static Bytes Read(const std::wstring& path);

private:
    std::wstring m_system;
    std::wstring m_ime;
    std::wstring m_temp;
};

// The main window on this machine's files. A window still open at the end is closed as a user
// closes it.
class WindowTest : public ::testing::Test {
protected:
    void TearDown() override;
    // Opens a window of its own; waits until it or a message box shows.
    template <class Dialog = CWordMaintDlg>
    Dialog& Open() {
        Finish();
        auto owned = std::make_unique<Dialog>();
        Dialog& shown = *owned;
        m_shown = std::move(owned);
        Show();
        return shown;
    }
    // Installs an edition, writes the simplified library, opens the window and chooses it.
    void Start(const Records& simplified, bool choose = true);
    HWND Dialog() const { return m_shown->m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(Dialog(), id); }
    HWND List() const { return Item(IDC_WORD_LIST); }
    // With the arrow keys in the library box, as a keyboard user chooses.
    void Choose(std::u16string_view entry);
    // Waits for a message box, checks what it says and how, and presses one of its buttons.
    void Answer(std::u16string_view text, int press, int buttons = 3);
    // Escape; a question about unsaved changes is answered No.
    void Close();
    // Escape; no question may come.
    void CloseAtOnce();
    void ClickCell(int row, int column);
    // A click on the cell, text typed over what was there, then key (0: the editor stays open).
    void EditCell(int row, int column, const std::wstring& text, UINT key = VK_RETURN);

    InstalledLibraries installed;

private:
    void Show();
    void CloseAnswering(bool mayAsk);
    std::unique_ptr<CWordMaintDlg> m_shown;
};

}  // namespace uitest
