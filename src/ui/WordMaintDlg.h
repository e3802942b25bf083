#pragma once

#include "ComboBox.h"
#include "Dialog.h"
#include "EditableListCtrl.h"
#include "HyperLink.h"
#include "LibraryPaths.h"
#include "LocateLibraries.h"

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
};
