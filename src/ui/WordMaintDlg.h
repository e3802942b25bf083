#pragma once

#include "ComboBox.h"
#include "Dialog.h"
#include "EditableListCtrl.h"
#include "HyperLink.h"
#include "LibraryPaths.h"
#include "LocateLibraries.h"
#include "SavedWords.h"

// The main window: the library combo box, the word table and the library commands.
class CWordMaintDlg : public afx::CDialog {
public:
    explicit CWordMaintDlg(afx::CWnd* parent = nullptr);

    static const afx::MessageEntry messageEntries[];
    static const afx::MessageMap messageMap;
    const afx::MessageMap* GetMessageMap() const override { return &messageMap; }

protected:
    void DoDataExchange(afx::CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Escape, the close box, Alt+F4 and the system menu's Close: unsaved changes are asked about.
    void OnCancel() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSelchangeLibraryCombo();
    LRESULT OnCellEdited(WPARAM row, LPARAM column);
    void OnSave();
    void OnInstructions();
    void OnClear();
    void OnBackup();
    void OnImport();

    // Works out where the libraries lie; a test may put a system of its own in place.
    virtual emb::LocateStatus FindLibraries();

    HICON m_hIcon;
    afx::CComboBox m_libraryCombo;
    CEditableListCtrl m_wordList;
    emb::LibraryPaths m_paths;
    CHyperLink m_homepageLink;

private:
    // The library of the chosen combo box entry, whatever its sorted position.
    emb::LibraryChoice ChosenLibrary() const;
    template <class Command>
    void RunCommand(Command command);
    // Saves as the button does; answers whether the file was written.
    bool Save();
    // Whether the table may be closed or replaced: it has no unsaved changes, or the user has
    // saved them or let them go.
    bool MayDiscardTable();
    // An edit still open counts: it ends as losing the focus ends it.
    void FinishCellEdit();

    int m_shownLibrary = CB_ERR;   // the combo box entry whose library the table shows
    emb::SavedWords m_savedWords;  // that library file's words at its last load or save
};
