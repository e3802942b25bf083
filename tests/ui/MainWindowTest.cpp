#include <windows.h>

#include <commctrl.h>

#include "Labels.h"
#include "ListDriving.h"
#include "LocateLibraries.h"
#include "MainWindowFixture.h"
#include "Messages.h"
#include "UserWordFormat.h"

namespace uitest {
namespace {

using Records = std::vector<emb::WordRecord>;

const std::vector<int> kOk = {IDOK};
const std::vector<int> kYesNo = {IDYES, IDNO};

class MainWindowTest : public MainWindowFixture {
protected:
    // A click on the cell, text typed into its editor over what was there, then key (0: none,
    // the editor stays open).
    void EditCell(int row, int column, const std::wstring& text, UINT key) {
        auto at = std::make_shared<POINT>();
        script
            .Then([this, row, column, at] {
                *at = CellCenter(List(), row, column);
                PressAt(List(), *at);
            })
            .Then([this, at] { ReleaseAt(List(), *at); })
            .WaitUntil("the editor opens",
                       [this] {
                           const HWND editor = OpenEditor(List());
                           return editor != nullptr && ::GetFocus() == editor;
                       })
            .Then([this, text, key] {
                const HWND editor = OpenEditor(List());
                ::SetWindowTextW(editor, L"");
                Type(editor, text);
                if (key != 0) {
                    PressKey(editor, key);
                }
            });
        if (key != 0) {
            script.WaitUntil("the editor closes", [this] { return OpenEditor(List()) == nullptr; });
        }
    }
};

std::wstring ColumnHeading(HWND list, int column, int* width) {
    wchar_t text[64] = {};
    LVCOLUMNW info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    info.pszText = text;
    info.cchTextMax = 64;
    ::SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                   reinterpret_cast<LPARAM>(&info));
    *width = info.cx;
    EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    return text;
}

TEST_F(MainWindowTest, StartsWithNothingChosenAndTheCommandsDisabled) {
    installed.InstallEdition(L"EDNQA");
    CWordMaintDlg dialog;
    WaitForWindow();
    script.Then([this] {
        EXPECT_EQ(WindowText(Dialog()), L"澄岫川五笔自造词维护1.4");
        for (const int id : {IDOK, IDC_IMPORT, IDC_BACKUP, IDC_CLEAR}) {
            EXPECT_FALSE(::IsWindowEnabled(Item(id))) << id;
        }
        EXPECT_TRUE(::IsWindowEnabled(Item(IDC_INSTRUCTIONS)));

        const HWND combo = Item(IDC_LIBRARY_COMBO);
        EXPECT_EQ(WindowText(combo), L"请选择");
        EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
        ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
        wchar_t first[32] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
        EXPECT_STREQ(first, kTraditionalEntry);  // the Chinese collation puts 繁 before 简

        int width = 0;
        EXPECT_EQ(ColumnHeading(List(), 0, &width), L"编码");
        EXPECT_EQ(width, 60);
        EXPECT_EQ(ColumnHeading(List(), 1, &width), L"自造词");
        EXPECT_EQ(width, 500);
        EXPECT_EQ(ColumnHeading(List(), 2, &width), L"编号");
        EXPECT_EQ(width, 50);
        EXPECT_EQ(::SendMessageW(List(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
                  LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        EXPECT_TRUE(RowsOf(List()).empty());

        const HMENU menu = ::GetSystemMenu(Dialog(), FALSE);
        const int count = ::GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_EQ(::GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR,
                  static_cast<UINT>(MF_SEPARATOR));
        EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
        wchar_t entry[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(count - 1), entry, 64, MF_BYPOSITION);
        EXPECT_STREQ(entry, L"关于 澄岫川五笔自造词维护(&A)...");
    });
    Close();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(MainWindowTest, ChoosingALibraryShowsItsWordsSelectedWithTheBlankRowFocused) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.SimplifiedPath(),
                           {{u"khlg", u"中国"}, {u"wq", u"你们"}, {u"a", u"工"}});
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kTraditionalEntry);  // missing: created empty
    script.Then([this] {
        EXPECT_EQ(installed.Read(installed.TraditionalPath()), emb::EmptyFileImage());
        EXPECT_EQ(RowsOf(List()), (std::vector<ListRow>{{L"", L"", L"0000", true, true}}));
        for (const int id : {IDOK, IDC_IMPORT, IDC_BACKUP, IDC_CLEAR}) {
            EXPECT_TRUE(::IsWindowEnabled(Item(id))) << id;
        }
    });
    ChooseLibrary(kSimplifiedEntry);
    script.Then([this] {
        EXPECT_EQ(RowsOf(List()), (std::vector<ListRow>{{L"khlg", L"中国", L"0000", true, false},
                                                        {L"wq", L"你们", L"0001", true, false},
                                                        {L"a", L"工", L"0002", true, false},
                                                        {L"", L"", L"0003", true, true}}));
    });
    Close();
    Run(dialog);
}

// Also run under an English locale, where the combo box sorts the two entries the other way.
TEST_F(MainWindowTest, EachEntryLoadsItsOwnLibraryUnderAnyCollation) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.TraditionalPath(), {{u"ft", u"繁體"}});
    installed.WriteLibrary(installed.SimplifiedPath(), {{u"jt", u"简体"}});
    CWordMaintDlg dialog;
    WaitForWindow();
    script.Then([this] {
        const auto index =
            ::SendMessageW(Item(IDC_LIBRARY_COMBO), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(kTraditionalEntry));
        const bool chinese = PRIMARYLANGID(LANGIDFROMLCID(::GetUserDefaultLCID())) == LANG_CHINESE;
        EXPECT_EQ(index, chinese ? 0 : 1);
    });
    ChooseLibrary(kTraditionalEntry);
    script.Then([this] { EXPECT_EQ(CellText(List(), 0, 1), L"繁體"); });
    ChooseLibrary(kSimplifiedEntry);
    script.Then([this] { EXPECT_EQ(CellText(List(), 0, 1), L"简体"); });
    ClickButton(IDOK);
    script.WaitUntil("the simplified library is saved",
                     [this] { return RowsOf(List()).size() == 1; });
    script.Then([this] {
        EXPECT_EQ(installed.Read(installed.TraditionalPath()),
                  emb::BuildFileImage(Records{{u"ft", u"繁體"}}).bytes);
    });
    Close();
    Run(dialog);
}

TEST_F(MainWindowTest, SaveWritesTheTableThroughTheButtonAndTheEnterKey) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.SimplifiedPath(), {{u"wq", u"你们"}});
    const emb::FileImage expected =
        emb::BuildFileImage(Records{{u"khlg", u"中国"}, {u"wq", u"你们"}});
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kSimplifiedEntry);
    script.Then([this] {
        SetCellText(List(), 1, 0, L"khlg");
        SetCellText(List(), 1, 1, L"中国");
    });
    ClickButton(IDOK);
    script.WaitUntil("the file is saved", [this, &expected] {
        return installed.Read(installed.SimplifiedPath()) == expected.bytes;
    });
    script.Then([this] {
        EXPECT_EQ(RowsOf(List()).size(), 2u);  // tidied and sorted, no blank row
        EXPECT_EQ(CellText(List(), 0, 0), L"khlg");
        installed.Write(installed.SimplifiedPath(), emb::EmptyFileImage());
        ::SetFocus(List());
        PressKey(List(), VK_RETURN);
    });
    script.WaitUntil("the file is saved again", [this, &expected] {
        return installed.Read(installed.SimplifiedPath()) == expected.bytes;
    });
    script.Then([this] { EXPECT_TRUE(::IsWindowVisible(Dialog())); });
    Close();
    Run(dialog);
}

TEST_F(MainWindowTest, ImportReadsTheFileChosenInTheOpenDialog) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.TraditionalPath(), {{u"a", u"甲"}});
    const std::wstring backup = installed.TempPath(L"旧备份.EMB");
    installed.WriteLibrary(backup, {{u"a", u"甲"}, {u"b", u"乙"}});
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kTraditionalEntry);
    ClickButton(IDC_IMPORT);
    script.WaitUntil("the open dialog shows", [] { return FindFileDialog() != nullptr; })
        .Then([backup] { ChooseFile(FindFileDialog(), backup); })
        .WaitUntil("the words are imported", [this] { return RowsOf(List()).size() == 3; })
        .Then([this] {
            const std::vector<ListRow> rows = RowsOf(List());
            EXPECT_EQ(rows[0].code + rows[0].phrase + rows[0].number, L"a甲0000");
            EXPECT_EQ(rows[1].code + rows[1].phrase + rows[1].number, L"b乙0001");
            EXPECT_EQ(rows[2].code + rows[2].phrase + rows[2].number, L"0002");
        });
    Close();
    Run(dialog);
}

Bytes Utf8Of(const std::wstring& text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    return Bytes(bytes.begin(), bytes.end());
}

// The entries of the open dialog's file type box (cmb1).
std::vector<std::wstring> FileTypes(HWND fileDialog) {
    const HWND types = ::GetDlgItem(fileDialog, 0x470);
    std::vector<std::wstring> entries;
    const auto count = static_cast<int>(::SendMessageW(types, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring entry(
            static_cast<std::size_t>(::SendMessageW(types, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        entry.resize(static_cast<std::size_t>(
            ::SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        entries.push_back(entry);
    }
    return entries;
}

// Imports the file at path through the open dialog.
void ImportThroughTheDialog(UiScript& script, const std::wstring& path) {
    script.WaitUntil("the open dialog shows", [] { return FindFileDialog() != nullptr; })
        .Then([path] { ChooseFile(FindFileDialog(), path); });
}

TEST_F(MainWindowTest, ImportOffersWordListsAndAddsExactlyTheWordsOfOne) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.TraditionalPath(), {{u"a", u"甲"}});
    const std::wstring list = installed.TempPath(L"词表.txt");
    installed.Write(list, Utf8Of(L"khlg\t中国\r\n你好 wqvb\r\n\r\nA\t甲\r\n"));
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kTraditionalEntry);
    ClickButton(IDC_IMPORT);
    script.WaitUntil("the open dialog shows", [] { return FindFileDialog() != nullptr; }).Then([] {
        EXPECT_EQ(FileTypes(FindFileDialog()),
                  (std::vector<std::wstring>{L"save files (*.EMB)", L"文本词表 (*.txt)"}));
    });
    ImportThroughTheDialog(script, list);
    script.WaitUntil("the words are imported", [this] { return RowsOf(List()).size() == 4; })
        .Then([this] {
            const std::vector<ListRow> rows = RowsOf(List());
            EXPECT_EQ(rows[0].code + rows[0].phrase + rows[0].number, L"a甲0000");
            EXPECT_EQ(rows[1].code + rows[1].phrase + rows[1].number, L"khlg中国0001");
            EXPECT_EQ(rows[2].code + rows[2].phrase + rows[2].number, L"wqvb你好0002");
            EXPECT_EQ(rows[3].code + rows[3].phrase + rows[3].number, L"0003");
            EXPECT_EQ(FindMessageBox(), nullptr);
        });
    Close();
    Run(dialog);
}

TEST_F(MainWindowTest, ImportRefusesRandomBytesAndAsksBeforeReadingAPicture) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.TraditionalPath(), {{u"a", u"甲"}});
    const std::wstring noise = installed.TempPath(L"noise.EMB");
    Bytes bytes = {0x03, 0x00};
    for (std::uint32_t i = 0; i < 300; ++i) {
        bytes.push_back(static_cast<std::uint8_t>((i * 2654435761u) >> 24));
    }
    installed.Write(noise, bytes);
    const std::wstring picture = installed.TempPath(L"picture.png");
    const std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 29);
    installed.Write(picture, Bytes(png.begin(), png.end()));
    const auto onlyTheLibrarysWord = [this] {
        const std::vector<ListRow> rows = RowsOf(List());
        ASSERT_EQ(rows.size(), 1u);  // tidied, and nothing added: not even the blank row
        EXPECT_EQ(rows[0].code + rows[0].phrase + rows[0].number, L"a甲0000");
    };
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kTraditionalEntry);
    ClickButton(IDC_IMPORT);
    ImportThroughTheDialog(script, noise);
    AnswerMessageBox(noise + L"\n不是自造词库文件，也不是文本词表，没有导入。", kOk, IDOK);
    script.Then(onlyTheLibrarysWord);
    ClickButton(IDC_IMPORT);
    ImportThroughTheDialog(script, picture);
    AnswerMessageBox(
        picture + L"\n这个文件的记录数是20617，不像本程序保存的词库。\n仍然按词库导入吗？", kYesNo,
        IDNO);
    script.Then(onlyTheLibrarysWord);
    Close();
    Run(dialog);
}

TEST_F(MainWindowTest, BackupCopiesTheLibraryAfterTheOverwritePrompt) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.SimplifiedPath(), {{u"wq", u"你们"}});
    const std::wstring destination = installed.TempPath(L"backup.EMB");
    installed.Write(destination, {1, 2, 3});
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kSimplifiedEntry);
    ClickButton(IDC_BACKUP);
    script.WaitUntil("the save dialog shows", [] { return FindFileDialog() != nullptr; })
        .Then([destination] { ChooseFile(FindFileDialog(), destination); })
        .WaitUntil("the overwrite question shows", [] { return FindMessageBox() != nullptr; })
        .Then([] { PressButton(FindMessageBox(), IDYES); })
        .WaitUntil("the library is copied", [this, destination] {
            return FindFileDialog() == nullptr &&
                   installed.Read(destination) == installed.Read(installed.SimplifiedPath());
        });
    Close();
    Run(dialog);
}

TEST_F(MainWindowTest, ClearAsksFirst) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.SimplifiedPath(), {{u"wq", u"你们"}});
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kSimplifiedEntry);
    ClickButton(IDC_CLEAR);
    AnswerMessageBox(L"你确定要删除所有自造词吗？", kYesNo, IDNO);
    script.Then([this] { EXPECT_EQ(RowsOf(List()).size(), 2u); });
    ClickButton(IDC_CLEAR);
    AnswerMessageBox(L"你确定要删除所有自造词吗？", kYesNo, IDYES);
    script.Then([this] {
        EXPECT_TRUE(RowsOf(List()).empty());
        EXPECT_EQ(installed.Read(installed.SimplifiedPath()),
                  emb::BuildFileImage(Records{{u"wq", u"你们"}}).bytes);
    });
    Close();
    Run(dialog);
}

TEST_F(MainWindowTest, WithoutAnEditionTheFirstPairIsUsedAfterSayingSo) {
    CWordMaintDlg dialog;
    const std::u16string message = emb::NotDetectedMessage();
    AnswerMessageBox(std::wstring(message.begin(), message.end()), kOk, IDOK);
    WaitForWindow();
    ChooseLibrary(kSimplifiedEntry);
    script.Then([this] {
        EXPECT_TRUE(installed.Exists(installed.SimplifiedPath()));
        EXPECT_EQ(RowsOf(List()).size(), 1u);
    });
    Close();
    Run(dialog);
}

// A system whose Windows directory can't be read.
class NoSystemDirectoryDlg final : public CWordMaintDlg {
    emb::LocateStatus FindLibraries() override {
        class Unreadable final : public emb::SystemView {
            std::u16string WindowsDirectory() override { return u"C:\\"; }
            std::u16string ProfileFolder() override { return u"C:\\users\\nobody"; }
            std::optional<std::uint32_t> FindFirstAttributes(const std::u16string&) override {
                return std::nullopt;
            }
            void CreateFolder(const std::u16string&) override {}
            void ShowMessage(const std::u16string& text) override {
                afx::AfxMessageBox(std::wstring(text.begin(), text.end()), MB_OK);
            }
        } system;
        return emb::LocateLibraries(system, m_paths);
    }
};

TEST_F(MainWindowTest, AnUnreadableSystemDiskLeavesTheCommandsEnabledAndThePathsEmpty) {
    NoSystemDirectoryDlg dialog;
    AnswerMessageBox(L"读取系统盘出错，请检查你是否以管理员登陆", kOk, IDOK);
    WaitForWindow();
    script.Then([this] {
        for (const int id : {IDOK, IDC_IMPORT, IDC_BACKUP, IDC_CLEAR}) {
            EXPECT_TRUE(::IsWindowEnabled(Item(id))) << id;
        }
        EXPECT_EQ(::SendMessageW(Item(IDC_LIBRARY_COMBO), CB_GETCOUNT, 0, 0), 2);
    });
    ChooseLibrary(kTraditionalEntry);
    AnswerMessageBox(L"", kOk, IDOK);
    AnswerMessageBox(L"打开错误\n", kOk, IDOK);
    script.Then([this] { EXPECT_TRUE(RowsOf(List()).empty()); });
    Close();
    Run(dialog);
}

const std::wstring kSimplifiedUnsaved = L"简体自造词库的修改还没有保存。要保存吗？";
const std::wstring kTraditionalUnsaved = L"繁体自造词库的修改还没有保存。要保存吗？";

// Escape, the close box and the system menu's Close ask before unsaved changes are lost.
TEST_F(MainWindowTest, ClosingAsksAboutUnsavedChangesOnly) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.SimplifiedPath(), {{u"wq", u"你们"}});
    const Bytes before = installed.Read(installed.SimplifiedPath());
    {
        CWordMaintDlg dialog;
        WaitForWindow();
        ChooseLibrary(kSimplifiedEntry);
        EditCell(0, 1, L"我们", VK_RETURN);
        EditCell(0, 1, L"他们", VK_ESCAPE);  // the editor keeps this Escape; the next one closes
        script.Then([this] { PressKey(List(), VK_ESCAPE); });
        AnswerMessageBox(kSimplifiedUnsaved, kYesNoCancel, IDCANCEL);
        script.Then([this] {
            EXPECT_EQ(CellText(List(), 0, 1), L"我们");
            EXPECT_EQ(RowsOf(List()).size(), 2u);
            ::PostMessageW(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        AnswerMessageBox(kSimplifiedUnsaved, kYesNoCancel, IDNO, true);
        EXPECT_EQ(Run(dialog), IDCANCEL);
        EXPECT_EQ(installed.Read(installed.SimplifiedPath()), before);
    }
    {
        CWordMaintDlg dialog;
        WaitForWindow();
        ChooseLibrary(kSimplifiedEntry);
        EditCell(0, 1, L"我们", VK_RETURN);
        script.Then([this] { PressKey(List(), VK_ESCAPE); });
        AnswerMessageBox(kSimplifiedUnsaved, kYesNoCancel, IDYES, true);
        EXPECT_EQ(Run(dialog), IDCANCEL);
        EXPECT_EQ(installed.Read(installed.SimplifiedPath()),
                  emb::BuildFileImage(Records{{u"wq", u"我们"}}).bytes);
    }
    {
        CWordMaintDlg dialog;  // changed and changed back is no change
        WaitForWindow();
        ChooseLibrary(kSimplifiedEntry);
        EditCell(0, 1, L"他们", VK_RETURN);
        EditCell(0, 1, L"我们", VK_RETURN);
        CloseAtOnce();
        EXPECT_EQ(Run(dialog), IDCANCEL);
    }
}

TEST_F(MainWindowTest, ChoosingAnotherLibraryAsksAboutTheUnsavedChangesOfTheOneLeft) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.TraditionalPath(), {{u"ft", u"繁體"}});
    installed.WriteLibrary(installed.SimplifiedPath(), {{u"jt", u"简体"}});
    const Bytes simplified = installed.Read(installed.SimplifiedPath());
    auto shown = std::make_shared<std::pair<std::vector<ListRow>, LRESULT>>();
    const auto comboShows = [this](const wchar_t* entry) {
        const HWND combo = Item(IDC_LIBRARY_COMBO);
        return ::SendMessageW(combo, CB_GETCURSEL, 0, 0) ==
               ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(entry));
    };
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kSimplifiedEntry);
    script.Then([this, shown] {
        SetCellText(List(), 0, 1, L"简单");
        *shown = {RowsOf(List()), ::SendMessageW(List(), LVM_GETTOPINDEX, 0, 0)};
    });
    PressInLibraryBox(VK_UP);  // the Chinese collation lists 繁 first
    AnswerMessageBox(kSimplifiedUnsaved, kYesNoCancel, IDCANCEL);
    script.Then([this, shown, comboShows] {
        EXPECT_TRUE(comboShows(kSimplifiedEntry));
        EXPECT_EQ(RowsOf(List()), shown->first);
        EXPECT_EQ(::SendMessageW(List(), LVM_GETTOPINDEX, 0, 0), shown->second);
    });
    PressInLibraryBox(VK_UP);
    AnswerMessageBox(kSimplifiedUnsaved, kYesNoCancel, IDNO);
    script.Then([this, comboShows, simplified] {
        EXPECT_TRUE(comboShows(kTraditionalEntry));
        EXPECT_EQ(CellText(List(), 0, 1), L"繁體");
        EXPECT_EQ(installed.Read(installed.SimplifiedPath()), simplified);
        // The library already shown, chosen again: No reloads it as the file has it.
        SetCellText(List(), 0, 1, L"繁体字");
        ::PostMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_LIBRARY_COMBO, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_LIBRARY_COMBO)));
    });
    AnswerMessageBox(kTraditionalUnsaved, kYesNoCancel, IDNO);
    script.Then([this] {
        EXPECT_EQ(CellText(List(), 0, 1), L"繁體");
        SetCellText(List(), 0, 1, L"繁体字");
    });
    PressInLibraryBox(VK_DOWN);
    AnswerMessageBox(kTraditionalUnsaved, kYesNoCancel, IDYES);
    script.Then([this, comboShows] {
        EXPECT_TRUE(comboShows(kSimplifiedEntry));
        EXPECT_EQ(CellText(List(), 0, 1), L"简体");
        EXPECT_EQ(installed.Read(installed.TraditionalPath()),
                  emb::BuildFileImage(Records{{u"ft", u"繁体字"}}).bytes);
    });
    CloseAtOnce();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

// The input method writes the words its user makes into the same file while the window is open.
TEST_F(MainWindowTest, SaveAsksAboutWordsAnotherProgramAddedAndTakesAnOpenEdit) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.SimplifiedPath(), {{u"wq", u"你们"}});
    const Records theirs = {{u"wq", u"你们"}, {u"imeb", u"新造"}};
    const std::u16string question = emb::AddedWordsQuestion(u"1");
    const std::wstring asked(question.begin(), question.end());
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kSimplifiedEntry);
    script.Then([this, theirs] { installed.WriteLibrary(installed.SimplifiedPath(), theirs); });
    ClickButton(IDOK);
    AnswerMessageBox(asked, kYesNoCancel, IDCANCEL);
    script.Then([this, theirs] {
        EXPECT_EQ(installed.Read(installed.SimplifiedPath()), emb::BuildFileImage(theirs).bytes);
    });
    ClickButton(IDOK);
    AnswerMessageBox(asked, kYesNoCancel, IDNO);
    script.Then([this, theirs] {
        EXPECT_EQ(installed.Read(installed.SimplifiedPath()),
                  emb::BuildFileImage(Records{{u"wq", u"你们"}}).bytes);
        installed.WriteLibrary(installed.SimplifiedPath(), theirs);
    });
    // Save pressed while an edit is open: the edit ends as the button takes the focus.
    EditCell(0, 1, L"我们", 0);
    ClickButton(IDOK);
    AnswerMessageBox(asked, kYesNoCancel, IDYES);
    script.Then([this] {
        EXPECT_EQ(installed.Read(installed.SimplifiedPath()),
                  emb::BuildFileImage(Records{{u"imeb", u"新造"}, {u"wq", u"我们"}}).bytes);
    });
    CloseAtOnce();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(MainWindowTest, SaveRemakesAVanishedLibraryAndSaysSoWhenNoLibraryIsChosen) {
    installed.InstallEdition(L"EDNQA");
    installed.WriteLibrary(installed.SimplifiedPath(), {{u"wq", u"你们"}});
    const Bytes saved = installed.Read(installed.SimplifiedPath());
    CWordMaintDlg dialog;
    WaitForWindow();
    ChooseLibrary(kSimplifiedEntry);
    script.Then([this] {
        ASSERT_TRUE(::DeleteFileW(installed.SimplifiedPath().c_str()));
        ASSERT_TRUE(::RemoveDirectoryW((installed.ImeFolder() + L"EDNQA").c_str()));
    });
    ClickButton(IDOK);
    script.WaitUntil("the library is written anew", [this, saved] {
        return installed.Exists(installed.SimplifiedPath()) &&
               installed.Read(installed.SimplifiedPath()) == saved;
    });
    // Typing into the library box leaves no entry chosen.
    script.Then([this] {
        Type(::FindWindowExW(Item(IDC_LIBRARY_COMBO), nullptr, L"Edit", nullptr), L"ab");
        SetCellText(List(), 0, 1, L"我们");
    });
    script.WaitUntil("no entry is chosen", [this] {
        return ::SendMessageW(Item(IDC_LIBRARY_COMBO), CB_GETCURSEL, 0, 0) == CB_ERR;
    });
    ClickButton(IDOK);
    AnswerMessageBox(L"未选定库", kOk, IDOK);
    script.Then([this, saved] {
        EXPECT_EQ(installed.Read(installed.SimplifiedPath()), saved);
        PressKey(List(), VK_ESCAPE);
    });
    AnswerMessageBox(kSimplifiedUnsaved, kYesNoCancel, IDCANCEL);
    script.Then([this] { EXPECT_TRUE(::IsWindowVisible(Dialog())); });
    Close();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(MainWindowTest, TheSystemMenuOpensTheAboutBox) {
    installed.InstallEdition(L"EDNQA");
    CWordMaintDlg dialog;
    WaitForWindow();
    for (const WPARAM command : {WPARAM{IDM_ABOUTBOX}, WPARAM{IDM_ABOUTBOX | 0x7}}) {
        script.Then([this, command] { ::PostMessageW(Dialog(), WM_SYSCOMMAND, command, 0); })
            .WaitUntil(
                "the about box shows",
                [] { return FindDialogWithCaption(L"关于 澄岫川五笔自造词维护") != nullptr; })
            .Then([] {
                const HWND about = FindDialogWithCaption(L"关于 澄岫川五笔自造词维护");
                EXPECT_EQ(::GetWindow(about, GW_OWNER), afx::AfxGetMainWnd()->m_hWnd);
                PressButton(about, IDOK);
            })
            .WaitUntil("the about box is gone", [] {
                return FindDialogWithCaption(L"关于 澄岫川五笔自造词维护") == nullptr;
            });
    }
    Close();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(MainWindowTest, TheInstructionsShowTheHelpTextReadOnly) {
    installed.InstallEdition(L"EDNQA");
    CWordMaintDlg dialog;
    WaitForWindow();
    ClickButton(IDC_INSTRUCTIONS);
    script
        .WaitUntil("the instructions show",
                   [] { return FindDialogWithCaption(L"使用说明") != nullptr; })
        .Then([] {
            const HWND instructions = FindDialogWithCaption(L"使用说明");
            const HWND text = ::GetDlgItem(instructions, IDC_INSTRUCTIONS_TEXT);
            const std::wstring shown = WindowText(text);
            EXPECT_EQ(shown,
                      std::wstring(emb::kInstructionsText.begin(), emb::kInstructionsText.end()));
            EXPECT_EQ(shown.size(), 353u);
            EXPECT_EQ(shown.substr(shown.size() - 4), L"\r\n\r\n");
            EXPECT_NE(::GetWindowLongW(text, GWL_STYLE) & ES_READONLY, 0);
            PressKey(text, VK_ESCAPE);
        })
        .WaitUntil("the instructions are gone",
                   [] { return FindDialogWithCaption(L"使用说明") == nullptr; });
    Close();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

}  // namespace
}  // namespace uitest
