#include "WordMaintDlg.h"

#include "AboutDlg.h"
#include "InstructionsDialog.h"
#include "Labels.h"
#include "LibraryCommands.h"
#include "ListWordTable.h"
#include "LocateLibraries.h"
#include "Menu.h"
#include "Messages.h"
#include "PaintDC.h"
#include "WideText.h"
#include "Win32FileSystem.h"
#include "Win32SystemView.h"
#include "Win32TextDecoder.h"
#include "WinApp.h"
#include "WindowPrompt.h"
#include "WordListMessages.h"
#include "WordTableRules.h"
#include "resource.h"

namespace {

// Where the label at the window's foot leads: the maker's home page.
constexpr wchar_t kHomePage[] = L"https://github.com/chengxiuchuan-wubi/userwords";

constexpr int kCommandButtons[] = {IDOK, IDC_IMPORT, IDC_BACKUP, IDC_CLEAR};

}  // namespace

const afx::MessageEntry CWordMaintDlg::messageEntries[] = {
    afx::OnSysCommand<&CWordMaintDlg::OnSysCommand>(),
    afx::OnPaint<&CWordMaintDlg::OnPaint>(),
    afx::OnQueryDragIcon<&CWordMaintDlg::OnQueryDragIcon>(),
    afx::OnCommand<&CWordMaintDlg::OnSelchangeLibraryCombo>(CBN_SELCHANGE, IDC_LIBRARY_COMBO),
    afx::OnMessage<&CWordMaintDlg::OnCellEdited>(WM_CELL_EDITED),
    afx::OnCommand<&CWordMaintDlg::OnSave>(BN_CLICKED, IDOK),
    afx::OnCommand<&CWordMaintDlg::OnInstructions>(BN_CLICKED, IDC_INSTRUCTIONS),
    afx::OnCommand<&CWordMaintDlg::OnClear>(BN_CLICKED, IDC_CLEAR),
    afx::OnCommand<&CWordMaintDlg::OnBackup>(BN_CLICKED, IDC_BACKUP),
    afx::OnCommand<&CWordMaintDlg::OnImport>(BN_CLICKED, IDC_IMPORT),
};
const afx::MessageMap CWordMaintDlg::messageMap{&afx::CDialog::messageMap, messageEntries};

CWordMaintDlg::CWordMaintDlg(afx::CWnd* parent)
    : afx::CDialog(IDD_MAIN, parent),
      m_hIcon(::LoadIconW(afx::AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {
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
    SetIcon(m_hIcon, FALSE);

    m_libraryCombo.SetWindowText(emb::WideString(emb::kChoosePrompt));
    m_libraryCombo.SetItemData(m_libraryCombo.AddString(emb::WideString(emb::kSimplifiedEntry)),
                               static_cast<DWORD_PTR>(emb::LibraryChoice::Simplified));
    m_libraryCombo.SetItemData(m_libraryCombo.AddString(emb::WideString(emb::kTraditionalEntry)),
                               static_cast<DWORD_PTR>(emb::LibraryChoice::Traditional));

    m_wordList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_wordList.InsertColumn(emb::kCodeColumn, emb::WideString(emb::kCodeHeading), LVCFMT_LEFT, 60);
    m_wordList.InsertColumn(emb::kPhraseColumn, emb::WideString(emb::kPhraseHeading), LVCFMT_LEFT,
                            500);
    m_wordList.InsertColumn(emb::kNumberColumn, emb::WideString(emb::kNumberHeading), LVCFMT_LEFT,
                            50);
    m_wordList.SetColumnValidChars(L"abcdefghijklmnopqrstuvwxy", emb::kCodeColumn);
    m_wordList.SetReadOnlyColumn(emb::kNumberColumn, true);

    if (FindLibraries() == emb::LocateStatus::NoSystemDirectory) {
        return FALSE;
    }

    for (const int button : kCommandButtons) {
        EnableDlgItem(button, FALSE);
    }
    m_homepageLink.SetTarget(kHomePage);
    return TRUE;
}

emb::LocateStatus CWordMaintDlg::FindLibraries() {
    emb::Win32SystemView system(
        [](const std::u16string& text) { afx::AfxMessageBox(emb::WideString(text), MB_OK); });
    return emb::LocateLibraries(system, m_paths);
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

emb::LibraryChoice CWordMaintDlg::ChosenLibrary() const {
    const int index = m_libraryCombo.GetCurSel();
    if (index == CB_ERR) {
        return emb::LibraryChoice::None;
    }
    return static_cast<emb::LibraryChoice>(m_libraryCombo.GetItemData(index));
}

template <class Command>
void CWordMaintDlg::RunCommand(Command command) {
    ListWordTable table(m_wordList);
    emb::Win32FileSystem files;
    WindowPrompt prompt(*this, [&table] { table.Resume(); });
    command(emb::LibraryContext{table, m_paths, files, prompt});
}

void CWordMaintDlg::OnSelchangeLibraryCombo() {
    const int chosen = m_libraryCombo.GetCurSel();
    if (m_shownLibrary != CB_ERR) {
        // The box shows the library being left while the user is asked about it; a Yes saves
        // it there, and it stays there unless the table may go.
        m_libraryCombo.SetCurSel(m_shownLibrary);
        if (!MayDiscardTable()) {
            return;
        }
        m_libraryCombo.SetCurSel(chosen);
    }
    for (const int button : kCommandButtons) {
        EnableDlgItem(button, TRUE);
    }
    RunCommand([this](const emb::LibraryContext& context) {
        m_savedWords = emb::LoadChosenLibrary(context, ChosenLibrary());
    });
    m_shownLibrary = chosen;
}

LRESULT CWordMaintDlg::OnCellEdited(WPARAM row, LPARAM column) {
    ListWordTable table(m_wordList);
    emb::ApplyCellEditRule(table, static_cast<int>(row), static_cast<int>(column));
    return 1;
}

void CWordMaintDlg::OnSave() {
    Save();
}

bool CWordMaintDlg::Save() {
    FinishCellEdit();
    bool saved = false;
    RunCommand([this, &saved](const emb::LibraryContext& context) {
        saved = emb::SaveTable(context, ChosenLibrary(), m_savedWords);
    });
    return saved;
}

void CWordMaintDlg::OnCancel() {
    if (MayDiscardTable()) {
        afx::CDialog::OnCancel();
    }
}

bool CWordMaintDlg::MayDiscardTable() {
    FinishCellEdit();
    if (m_shownLibrary == CB_ERR) {
        return true;  // no library file to lose changes to
    }
    emb::MessageAnswer answer = emb::MessageAnswer::No;
    RunCommand([this, &answer](const emb::LibraryContext& context) {
        if (m_savedWords.DifferFrom(context.table)) {
            const std::u16string library =
                emb::Utf16String(m_libraryCombo.GetLBText(m_shownLibrary));
            answer = context.prompt.ShowMessage(emb::UnsavedChangesQuestion(library),
                                                emb::MessageButtons::YesNoCancel);
        }
    });
    switch (answer) {
        case emb::MessageAnswer::Yes:
            // The question named the shown library: it is saved there even when the box's
            // text has been typed over since.
            m_libraryCombo.SetCurSel(m_shownLibrary);
            return Save();
        case emb::MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

void CWordMaintDlg::FinishCellEdit() {
    const CCellEdit* editor = GetCellEdit();
    if (editor->m_hWnd != nullptr && ::GetFocus() == editor->m_hWnd) {
        m_wordList.SetFocus();
    }
}

void CWordMaintDlg::OnInstructions() {
    snDialog instructions;
    instructions.DoModal();
}

void CWordMaintDlg::OnClear() {
    RunCommand([](const emb::LibraryContext& context) { emb::ClearTable(context); });
}

void CWordMaintDlg::OnBackup() {
    RunCommand([this](const emb::LibraryContext& context) {
        emb::BackupLibrary(context, ChosenLibrary());
    });
}

void CWordMaintDlg::OnImport() {
    RunCommand([](const emb::LibraryContext& context) {
        emb::ImportWords(context, emb::Win32GbkDecoder());
    });
}
