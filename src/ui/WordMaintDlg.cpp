#include "WordMaintDlg.h"

#include <windowsx.h>

#include "AboutDlg.h"
#include "InstructionsDialog.h"
#include "Labels.h"
#include "LibraryCommands.h"
#include "ListWordTable.h"
#include "LocateLibraries.h"
#include "Menu.h"
#include "Messages.h"
#include "PaintDC.h"
#include "ScreenDpi.h"
#include "ShutdownBlockReason.h"
#include "TableHistory.h"
#include "TableSearch.h"
#include "Version.h"
#include "WideText.h"
#include "Win32ChineseDecoder.h"
#include "Win32Clipboard.h"
#include "Win32CodeTable.h"
#include "Win32FileSystem.h"
#include "Win32SystemView.h"
#include "WinApp.h"
#include "WindowPrompt.h"
#include "WordListMessages.h"
#include "WordListText.h"
#include "WordTableRules.h"
#include "resource.h"

namespace {

constexpr int kCommandButtons[] = {IDOK, IDC_IMPORT, IDC_BACKUP, IDC_CLEAR};

// Posted when the library box is done with a list or the focus, so that its entry is settled
// after the box has finished its own handling, whichever order its notifications come in.
constexpr UINT kSettleLibraryChoice = WM_APP + 1;

// What the find dialog sends its owner.
UINT FindDialogMessage() {
    static const UINT message = ::RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

// The local date, as a Rime dictionary's version: "2026-12-07".
std::u16string Today() {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    wchar_t text[16] = {};
    ::wsprintfW(text, L"%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return emb::Utf16String(text);
}

std::u16string_view EntryText(emb::LibraryChoice library) {
    return library == emb::LibraryChoice::Simplified ? emb::kSimplifiedEntry
                                                     : emb::kTraditionalEntry;
}

}  // namespace

const afx::MessageEntry CWordMaintDlg::messageEntries[] = {
    afx::OnSysCommand<&CWordMaintDlg::OnSysCommand>(),
    afx::OnPaint<&CWordMaintDlg::OnPaint>(),
    afx::OnQueryDragIcon<&CWordMaintDlg::OnQueryDragIcon>(),
    afx::OnMessage<&CWordMaintDlg::OnQueryEndSession>(WM_QUERYENDSESSION),
    afx::OnCommand<&CWordMaintDlg::OnSelchangeLibraryCombo>(CBN_SELCHANGE, IDC_LIBRARY_COMBO),
    afx::OnCommand<&CWordMaintDlg::OnLibraryBoxDone>(CBN_SELENDOK, IDC_LIBRARY_COMBO),
    afx::OnCommand<&CWordMaintDlg::OnLibraryBoxDone>(CBN_CLOSEUP, IDC_LIBRARY_COMBO),
    afx::OnCommand<&CWordMaintDlg::OnLibraryBoxDone>(CBN_KILLFOCUS, IDC_LIBRARY_COMBO),
    afx::OnMessage<&CWordMaintDlg::OnSettleLibraryChoice>(kSettleLibraryChoice),
    afx::OnMessage<&CWordMaintDlg::OnCellEdited>(WM_CELL_EDITED),
    afx::OnCommand<&CWordMaintDlg::OnSave>(BN_CLICKED, IDOK),
    afx::OnCommand<&CWordMaintDlg::OnInstructions>(BN_CLICKED, IDC_INSTRUCTIONS),
    afx::OnCommand<&CWordMaintDlg::OnClear>(BN_CLICKED, IDC_CLEAR),
    afx::OnCommand<&CWordMaintDlg::OnBackup>(BN_CLICKED, IDC_BACKUP),
    afx::OnCommand<&CWordMaintDlg::OnImport>(BN_CLICKED, IDC_IMPORT),
    afx::OnMessage<&CWordMaintDlg::OnContextMenu>(WM_CONTEXTMENU),
    afx::OnRegisteredMessage<&CWordMaintDlg::OnFindDialog>(&FindDialogMessage),
};
const afx::MessageMap CWordMaintDlg::messageMap{&afx::CDialog::messageMap, messageEntries};

// The icon file holds an image drawn for each size the system asks for, up to 200 %: the large
// icon at its size (LoadIcon's), the small one for the caption and the taskbar at its own.
CWordMaintDlg::CWordMaintDlg(afx::CWnd* parent)
    : afx::CDialog(IDD_MAIN, parent),
      m_hIcon(::LoadIconW(afx::AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_hSmallIcon(static_cast<HICON>(::LoadImageW(
          afx::AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
          ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR))) {
}

CWordMaintDlg::~CWordMaintDlg() {
    if (m_hSmallIcon != nullptr) {
        ::DestroyIcon(m_hSmallIcon);  // not shared: loaded at a size of its own
    }
}

void CWordMaintDlg::DoDataExchange(afx::CDataExchange* dx) {
    afx::DDX_Control(dx, IDC_LIBRARY_COMBO, m_libraryCombo);
    afx::DDX_Control(dx, IDC_WORD_LIST, m_wordList);
    afx::DDX_Control(dx, IDC_HOMEPAGE_LINK, m_homepageLink);
}

BOOL CWordMaintDlg::OnInitDialog() {
    afx::CDialog::OnInitDialog();

    if (HMENU systemMenu = GetSystemMenu(FALSE); systemMenu != nullptr) {
        const std::wstring about = afx::LoadResourceString(IDS_ABOUTBOX);
        if (!about.empty()) {
            afx::CMenu menu = afx::CMenu::FromHandle(systemMenu);
            menu.AppendMenu(MF_SEPARATOR);
            menu.AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hSmallIcon != nullptr ? m_hSmallIcon : m_hIcon, FALSE);

    m_libraryCombo.SetWindowText(emb::WideString(emb::kChoosePrompt));
    m_libraryCombo.SetItemData(m_libraryCombo.AddString(emb::WideString(emb::kSimplifiedEntry)),
                               static_cast<DWORD_PTR>(emb::LibraryChoice::Simplified));
    m_libraryCombo.SetItemData(m_libraryCombo.AddString(emb::WideString(emb::kTraditionalEntry)),
                               static_cast<DWORD_PTR>(emb::LibraryChoice::Traditional));

    m_wordList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    // Widths in pixels at 96 DPI: the list grows with the screen's scale, and so do they.
    m_wordList.InsertColumn(emb::kCodeColumn, emb::WideString(emb::kCodeHeading), LVCFMT_LEFT,
                            afx::ScaleToScreen(60));
    m_wordList.InsertColumn(emb::kPhraseColumn, emb::WideString(emb::kPhraseHeading), LVCFMT_LEFT,
                            afx::ScaleToScreen(500));
    m_wordList.InsertColumn(emb::kNumberColumn, emb::WideString(emb::kNumberHeading), LVCFMT_LEFT,
                            afx::ScaleToScreen(50));
    m_wordList.SetColumnValidChars(emb::WideString(emb::kCodeLetters), emb::kCodeColumn);
    m_wordList.SetReadOnlyColumn(emb::kNumberColumn, true);
    m_codeTable = emb::LazyCodeTable(FindCodeTable());

    if (FindLibraries() == emb::LocateStatus::NoSystemDirectory) {
        return FALSE;
    }

    for (const int button : kCommandButtons) {
        EnableDlgItem(button, FALSE);
    }
    m_homepageLink.SetTarget(L"" WORDMAINT_HOME_PAGE);
    return TRUE;
}

emb::LocateStatus CWordMaintDlg::FindLibraries() {
    emb::Win32SystemView system(
        [](const std::u16string& text) { afx::AfxMessageBox(emb::WideString(text), MB_OK); });
    return emb::LocateLibraries(system, m_paths);
}

std::u16string CWordMaintDlg::FindCodeTable() {
    return emb::CodeTableBesideProgram();
}

void CWordMaintDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        afx::CDialog::OnSysCommand(id, lParam);
    }
}

void CWordMaintDlg::OnPaint() {
    if (!IsIconic()) {
        afx::CDialog::OnPaint();
        return;
    }
    afx::CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CWordMaintDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

int CWordMaintDlg::EntryOf(emb::LibraryChoice library) const {
    for (int entry = 0; entry < m_libraryCombo.GetCount(); ++entry) {
        if (LibraryAt(entry) == library) {
            return entry;
        }
    }
    return CB_ERR;
}

emb::LibraryChoice CWordMaintDlg::LibraryAt(int entry) const {
    if (entry == CB_ERR) {
        return emb::LibraryChoice::None;
    }
    return static_cast<emb::LibraryChoice>(m_libraryCombo.GetItemData(entry));
}

template <class Command>
void CWordMaintDlg::RunCommand(Command command) {
    ListWordTable table(m_wordList);
    emb::Win32FileSystem files;
    WindowPrompt prompt(*this, [&table] { table.Resume(); });
    ++m_commandsRunning;
    command(emb::LibraryContext{table, m_paths, files, prompt});
    --m_commandsRunning;
}

template <class Command>
void CWordMaintDlg::RunStep(Command command) {
    RunCommand([this, &command](const emb::LibraryContext& context) {
        emb::StepRecorder step(context.table);
        command(emb::LibraryContext{step, context.paths, context.files, context.prompt});
        m_history.Add(step);
    });
}

void CWordMaintDlg::OnSelchangeLibraryCombo() {
    ChooseLibrary(m_libraryCombo.GetCurSel());
}

void CWordMaintDlg::OnLibraryBoxDone() {
    PostMessage(kSettleLibraryChoice);
}

// An entry chosen in any way the box allows (typing with the list open, then Enter or closing
// the list, may change its entry without a selection change) is loaded as a choice is.
LRESULT CWordMaintDlg::OnSettleLibraryChoice(WPARAM, LPARAM) {
    if (m_choosingLibrary || m_libraryCombo.SendMessage(CB_GETDROPPEDSTATE) != FALSE) {
        return 0;  // settled when the choice under way, or the list, is done
    }
    const int entry = m_libraryCombo.GetCurSel();
    if (entry != CB_ERR && LibraryAt(entry) != m_shownLibrary) {
        ChooseLibrary(entry);
    }
    ShowTableLibrary();
    return 0;
}

void CWordMaintDlg::ChooseLibrary(int entry) {
    if (entry == CB_ERR || m_choosingLibrary) {
        return;
    }
    m_choosingLibrary = true;
    // The box shows the library being left while the user is asked about it; a Yes saves it,
    // and it stays shown unless the table may go.
    ShowTableLibrary();
    if (MayDiscardTable()) {
        for (const int button : kCommandButtons) {
            EnableDlgItem(button, TRUE);
        }
        m_shownLibrary = LibraryAt(entry);
        RunCommand([this](const emb::LibraryContext& context) {
            m_savedWords = emb::LoadChosenLibrary(context, m_shownLibrary);
        });
        m_history.Clear();
    }
    m_choosingLibrary = false;
    ShowTableLibrary();
}

void CWordMaintDlg::ShowTableLibrary() {
    const int entry = EntryOf(m_shownLibrary);
    const std::wstring text =
        emb::WideString(entry == CB_ERR ? emb::kChoosePrompt : EntryText(m_shownLibrary));
    if (m_libraryCombo.GetCurSel() != entry || m_libraryCombo.GetWindowText() != text) {
        m_libraryCombo.SetCurSel(entry);  // an entry's text with it
        if (entry == CB_ERR) {
            m_libraryCombo.SetWindowText(text);
        }
    }
}

LRESULT CWordMaintDlg::OnCellEdited(WPARAM row, LPARAM column) {
    ListWordTable table(m_wordList);
    emb::StepRecorder step(table);
    // The list has stored the editor's text already.
    step.CellChangedBefore(static_cast<int>(row), static_cast<int>(column),
                           emb::Utf16String(GetCellEdit()->m_strInitialText));
    emb::ApplyCellEditRule(step, static_cast<int>(row), static_cast<int>(column), &m_codeTable);
    m_history.Add(step);
    return 1;
}

void CWordMaintDlg::OnSave() {
    Save();
}

bool CWordMaintDlg::Save() {
    m_wordList.EndOpenEdit();
    bool saved = false;
    RunStep([this, &saved](const emb::LibraryContext& context) {
        saved = emb::SaveTable(context, m_shownLibrary, m_savedWords);
    });
    return saved;
}

void CWordMaintDlg::OnCancel() {
    if (MayDiscardTable()) {
        afx::CDialog::OnCancel();
    }
}

LRESULT CWordMaintDlg::OnQueryEndSession(WPARAM, LPARAM) {
    if (m_commandsRunning > 0) {
        // One of the commands' boxes or dialogs is open: the user is answering it, and is not
        // asked a second time over it.
        return !HasUnsavedChanges();
    }
    if (!HasUnsavedChanges()) {
        return TRUE;
    }
    // Where the system shows why the session waits, it names the library.
    const afx::ShutdownBlockReason reason(
        m_hWnd, emb::WideString(emb::UnsavedChangesQuestion(EntryText(m_shownLibrary))));
    return MayDiscardTable();
}

bool CWordMaintDlg::HasUnsavedChanges() {
    m_wordList.EndOpenEdit();
    return m_shownLibrary != emb::LibraryChoice::None &&
           m_savedWords.DifferFrom(ListWordTable(m_wordList));
}

bool CWordMaintDlg::MayDiscardTable() {
    if (!HasUnsavedChanges()) {
        return true;
    }
    emb::MessageAnswer answer = emb::MessageAnswer::Cancel;
    RunCommand([this, &answer](const emb::LibraryContext& context) {
        answer = context.prompt.ShowMessage(emb::UnsavedChangesQuestion(EntryText(m_shownLibrary)),
                                            emb::MessageButtons::YesNoCancel);
    });
    switch (answer) {
        case emb::MessageAnswer::Yes:
            return Save();
        case emb::MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void CWordMaintDlg::OnInstructions() {
    snDialog instructions;
    instructions.DoModal();
}

void CWordMaintDlg::OnClear() {
    RunStep([](const emb::LibraryContext& context) { emb::ClearTable(context); });
}

void CWordMaintDlg::OnBackup() {
    RunCommand([this](const emb::LibraryContext& context) {
        emb::BackupLibrary(context, m_shownLibrary, Today());
    });
}

void CWordMaintDlg::OnImport() {
    RunStep([this](const emb::LibraryContext& context) {
        emb::ImportWords(context, emb::Win32ChineseDecoder(), &m_codeTable);
    });
}

BOOL CWordMaintDlg::PreTranslateMessage(MSG* msg) {
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    if (msg->hwnd == m_wordList.m_hWnd) {
        // The menu key and Shift+F10 open the shortcut menu as they go down (not every system
        // makes a WM_CONTEXTMENU of them); as they come up, they are done.
        const bool menuKey = msg->wParam == VK_APPS && !control;
        const bool shiftF10 = msg->wParam == VK_F10 && shift && !control;
        if ((msg->message == WM_KEYDOWN && menuKey) ||
            (msg->message == WM_SYSKEYDOWN && shiftF10)) {
            OnContextMenu(reinterpret_cast<WPARAM>(m_wordList.m_hWnd), -1);
            return TRUE;
        }
        if ((msg->message == WM_KEYUP && menuKey) || (msg->message == WM_SYSKEYUP && shiftF10)) {
            return TRUE;
        }
    }
    if (msg->message == WM_KEYDOWN && msg->hwnd == m_wordList.m_hWnd) {
        UINT command = 0;
        if (msg->wParam == VK_DELETE && !control && !shift) {
            command = IDM_DELETE_ROWS;
        } else if (control && msg->wParam == 'A' && !shift) {
            command = IDM_SELECT_ALL;
        } else if (control && msg->wParam == 'Z') {
            command = shift ? IDM_REDO : IDM_UNDO;
        } else if (control && msg->wParam == 'Y' && !shift) {
            command = IDM_REDO;
        } else if (control && !shift &&
                   (msg->wParam == 'X' || msg->wParam == 'C' || msg->wParam == 'V' ||
                    msg->wParam == 'F')) {
            command = msg->wParam == 'X'   ? IDM_CUT
                      : msg->wParam == 'C' ? IDM_COPY
                      : msg->wParam == 'V' ? IDM_PASTE
                                           : IDM_FIND;
        } else if (msg->wParam == VK_F3 && !control) {
            FindNext(!shift);
            return TRUE;
        }
        if (command != 0 && RunListCommand(command)) {
            return TRUE;
        }
    }
    return afx::CDialog::PreTranslateMessage(msg);
}

bool CWordMaintDlg::RunListCommand(UINT command) {
    switch (command) {
        case IDM_UNDO:
            OnUndo();
            return true;
        case IDM_REDO:
            OnRedo();
            return true;
        case IDM_DELETE_ROWS:
            OnDeleteRows();
            return true;
        case IDM_SELECT_ALL:
            OnSelectAll();
            return true;
        case IDM_CUT:
            OnCut();
            return true;
        case IDM_COPY:
            OnCopy();
            return true;
        case IDM_PASTE:
            OnPaste();
            return true;
        case IDM_FIND:
            OnFind();
            return true;
        case IDM_CODE_PHRASES:
            OnCodePhrases();
            return true;
        default:
            return false;
    }
}

// A right click on the list (the list view has selected the row under it, alone unless it was
// selected), Shift+F10 or the menu key.
LRESULT CWordMaintDlg::OnContextMenu(WPARAM window, LPARAM at) {
    if (reinterpret_cast<HWND>(window) != m_wordList.m_hWnd) {
        return Default();
    }
    POINT point = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == -1) {  // from the keyboard: below the focused row, or at the list's corner
        RECT row = {};
        const int focused = m_wordList.GetNextItem(-1, LVNI_FOCUSED);
        if (focused == -1 || !m_wordList.GetItemRect(focused, &row, LVIR_LABEL)) {
            m_wordList.GetClientRect(&row);
            row.bottom = row.top;
        }
        point = {row.left, row.bottom};
        ::ClientToScreen(m_wordList.m_hWnd, &point);
    }
    const ListWordTable table(m_wordList);
    const std::vector<int> selected = table.GetSelection().rows;
    const bool deletable =
        !selected.empty() && !(selected.size() == 1 && emb::IsBlankLastRow(table, selected[0]));
    const bool copyable = !emb::SelectedWords(table).empty();
    const auto enabled = [](bool on) { return MF_STRING | (on ? MF_ENABLED : MF_GRAYED); };
    afx::CPopupMenu menu;
    menu.AppendMenu(enabled(m_history.CanUndo()), IDM_UNDO, emb::WideString(emb::kUndoItem));
    menu.AppendMenu(enabled(m_history.CanRedo()), IDM_REDO, emb::WideString(emb::kRedoItem));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(enabled(copyable), IDM_CUT, emb::WideString(emb::kCutItem));
    menu.AppendMenu(enabled(copyable), IDM_COPY, emb::WideString(emb::kCopyItem));
    menu.AppendMenu(enabled(emb::HasClipboardText()), IDM_PASTE, emb::WideString(emb::kPasteItem));
    menu.AppendMenu(enabled(deletable), IDM_DELETE_ROWS, emb::WideString(emb::kDeleteRowsItem));
    menu.AppendMenu(enabled(!m_codeTable.Path().empty() && emb::HasUncodedSelection(table)),
                    IDM_CODE_PHRASES, emb::WideString(emb::kCodePhrasesItem));
    menu.AppendMenu(MF_SEPARATOR);
    const int rows = table.RowCount();
    const bool words = rows > (rows > 0 && emb::IsBlankLastRow(table, rows - 1) ? 1 : 0);
    menu.AppendMenu(enabled(words), IDM_SELECT_ALL, emb::WideString(emb::kSelectAllItem));
    menu.AppendMenu(enabled(words), IDM_FIND, emb::WideString(emb::kFindItem));
    RunListCommand(menu.Track(m_hWnd, point));
    return 0;
}

void CWordMaintDlg::OnUndo() {
    ListWordTable table(m_wordList);
    m_history.Undo(table);
}

void CWordMaintDlg::OnRedo() {
    ListWordTable table(m_wordList);
    m_history.Redo(table);
}

void CWordMaintDlg::OnDeleteRows() {
    RunStep([](const emb::LibraryContext& context) { emb::DeleteSelectedRows(context.table); });
}

void CWordMaintDlg::OnSelectAll() {
    ListWordTable table(m_wordList);
    emb::SelectAllWords(table);
}

void CWordMaintDlg::OnCopy() {
    const ListWordTable table(m_wordList);
    const std::vector<emb::WordRecord> words = emb::SelectedWords(table);
    if (!words.empty()) {
        emb::SetClipboardText(m_hWnd, emb::WordListLines(words));
    }
}

void CWordMaintDlg::OnCut() {
    OnCopy();
    if (!emb::SelectedWords(ListWordTable(m_wordList)).empty()) {
        OnDeleteRows();
    }
}

void CWordMaintDlg::OnPaste() {
    if (const std::optional<std::u16string> text = emb::ClipboardText(m_hWnd)) {
        RunStep([this, &text](const emb::LibraryContext& context) {
            emb::PasteWords(context, *text, &m_codeTable);
        });
    }
}

void CWordMaintDlg::OnCodePhrases() {
    RunStep([this](const emb::LibraryContext& context) {
        emb::CodeSelectedPhrases(context, m_codeTable);
    });
}

void CWordMaintDlg::OnFind() {
    if (m_findDialog != nullptr) {
        ::SetActiveWindow(m_findDialog);
        return;
    }
    m_find.lStructSize = sizeof m_find;
    m_find.hwndOwner = m_hWnd;
    m_find.Flags |= FR_DOWN | FR_HIDEMATCHCASE;  // letters match either case
    m_find.lpstrFindWhat = m_findWhat.data();
    m_find.wFindWhatLen = static_cast<WORD>(m_findWhat.size());
    m_findDialog = ::FindTextW(&m_find);
}

void CWordMaintDlg::FindNext(bool down) {
    if (m_findWhat[0] == L'\0') {
        OnFind();
        return;
    }
    ListWordTable table(m_wordList);
    const emb::FindRequest request{emb::Utf16String(m_findWhat.data()),
                                   (m_find.Flags & FR_WHOLEWORD) != 0, down};
    const int row = emb::FindRow(table, request, table.GetSelection().focus);
    if (row == -1) {
        table.Resume();
        afx::AfxMessageBox(emb::WideString(emb::NotFoundMessage(request.text)), MB_OK);
        return;
    }
    table.SetSelection({{row}, row});
}

LRESULT CWordMaintDlg::OnFindDialog(WPARAM, LPARAM) {
    if ((m_find.Flags & FR_DIALOGTERM) != 0) {
        m_findDialog = nullptr;
    } else if ((m_find.Flags & FR_FINDNEXT) != 0) {
        FindNext((m_find.Flags & FR_DOWN) != 0);
    }
    return 0;
}

BOOL CWordMaintDlg::PreTranslateOtherWindow(MSG* msg) {
    return m_findDialog != nullptr && ::IsDialogMessageW(m_findDialog, msg);
}
