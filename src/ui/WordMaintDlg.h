#pragma once

#include <windows.h>

#include <commdlg.h>

#include <array>

#include "ComboBox.h"
#include "Dialog.h"
#include "EditableListCtrl.h"
#include "HyperLink.h"
#include "LazyCodeTable.h"
#include "LibraryPaths.h"
#include "LocateLibraries.h"
#include "SavedWords.h"
#include "TableHistory.h"

// The main window: the library combo box, the word table and the library commands.
class CWordMaintDlg : public afx::CDialog {
public:
    explicit CWordMaintDlg(afx::CWnd* parent = nullptr);
    ~CWordMaintDlg() override;

    static const afx::MessageEntry messageEntries[];
    static const afx::MessageMap messageMap;
    const afx::MessageMap* GetMessageMap() const override { return &messageMap; }
    // The word list's keys: Delete, Ctrl+A, Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, Ctrl+X, Ctrl+C,
    // Ctrl+V, Ctrl+F, F3 and Shift+F3.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange(afx::CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Escape, the close box, Alt+F4 and the system menu's Close: unsaved changes are asked about.
    void OnCancel() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    // Logoff and shutdown: unsaved changes are asked about as closing asks.
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    void OnSelchangeLibraryCombo();
    // The box's list closed, or the box lost the focus: its entry is settled once the box is done.
    void OnLibraryBoxDone();
    LRESULT OnSettleLibraryChoice(WPARAM, LPARAM);
    LRESULT OnCellEdited(WPARAM row, LPARAM column);
    void OnSave();
    void OnInstructions();
    void OnClear();
    void OnBackup();
    void OnImport();
    LRESULT OnContextMenu(WPARAM window, LPARAM at);
    void OnUndo();
    void OnRedo();
    void OnDeleteRows();
    void OnSelectAll();
    void OnCut();
    void OnCopy();
    void OnPaste();
    // The selected rows with a phrase and no code get the phrase's code.
    void OnCodePhrases();
    // Opens the find dialog, or brings it forward.
    void OnFind();
    // The next row that holds the text last looked for, down or up; the find dialog when
    // nothing has been looked for yet.
    void FindNext(bool down);
    // What the find dialog sends: a search, or that it closes.
    LRESULT OnFindDialog(WPARAM, LPARAM);
    // Tab, Enter and Escape in the find dialog.
    BOOL PreTranslateOtherWindow(MSG* msg) override;

    // Works out where the libraries lie; a test may put a system of its own in place.
    virtual emb::LocateStatus FindLibraries();
    // The code table's path (the first *.dict.yaml beside the program), or empty for none; a
    // test may name another.
    virtual std::u16string FindCodeTable();

    HICON m_hIcon;
    HICON m_hSmallIcon;
    afx::CComboBox m_libraryCombo;
    CEditableListCtrl m_wordList;
    emb::LibraryPaths m_paths;
    CHyperLink m_homepageLink;

private:
    // The combo box entry of a library, or CB_ERR; the library of an entry.
    int EntryOf(emb::LibraryChoice library) const;
    emb::LibraryChoice LibraryAt(int entry) const;
    // Loads the library of the entry, once the user has saved or let go the changes of the one
    // shown. An entry of CB_ERR (text typed that names none) changes nothing.
    void ChooseLibrary(int entry);
    // The box shows the library of the table again: its entry, or the prompt for none.
    void ShowTableLibrary();
    template <class Command>
    void RunCommand(Command command);
    // A command that changes the table: one step of the history.
    template <class Command>
    void RunStep(Command command);
    // Runs the word list's command; false for another command.
    bool RunListCommand(UINT command);
    // Saves as the button does; answers whether the file was written.
    bool Save();
    // Whether the table holds other words than the file it shows did at its last load or save.
    bool HasUnsavedChanges();
    // Whether the table may be closed or replaced: it has no unsaved changes, or the user has
    // saved them or let them go.
    bool MayDiscardTable();

    // The library whose words the table shows; Save, Backup and the unsaved-changes question
    // act on it, whatever the box's edit field or list holds meanwhile.
    emb::LibraryChoice m_shownLibrary = emb::LibraryChoice::None;
    emb::SavedWords m_savedWords;    // that library file's words at its last load or save
    emb::TableHistory m_history;     // the table's changes since then
    emb::LazyCodeTable m_codeTable;  // read when a phrase is first coded
    // The find dialog's settings and text, kept while it is open and for F3 after it.
    FINDREPLACEW m_find = {};
    std::array<wchar_t, 256> m_findWhat = {};
    HWND m_findDialog = nullptr;
    bool m_choosingLibrary = false;
    int m_commandsRunning = 0;  // commands whose boxes or dialogs are open, nested
};
