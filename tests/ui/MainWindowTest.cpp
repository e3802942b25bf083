#include <filesystem>

#include "LocateLibraries.h"
#include "Messages.h"
#include "Utf8.h"
#include "WindowHarness.h"

namespace uitest {
namespace {

namespace fs = std::filesystem;
using MainWindowTest = WindowTest;

constexpr int kCommands[] = {IDOK, IDC_IMPORT, IDC_BACKUP, IDC_CLEAR};

// The rows' texts: "code phrase number", a row after another.
std::wstring Shown(HWND list) {
    std::wstring shown;
    for (const ListRow& row : RowsOf(list)) {
        shown += row.code + L' ' + row.phrase + L' ' + row.number + L';';
    }
    return shown;
}

HWND ComboEdit(HWND combo) {
    return ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
}

// Also run under an English locale (CMakeLists.txt), where the box lists the entries the other
// way round.
TEST_F(MainWindowTest, EachEntryLoadsItsOwnLibraryUnderAnyCollation) {
    installed.WriteLibrary(installed.TraditionalPath(), {{u"ft", u"繁體"}});
    Start({{u"jt", u"简体"}}, false);
    for (const int id : kCommands) {
        EXPECT_FALSE(::IsWindowEnabled(Item(id))) << "before a library is chosen: " << id;
    }
    const bool chinese = PRIMARYLANGID(::GetUserDefaultLangID()) == LANG_CHINESE;
    EXPECT_EQ(::SendMessageW(Item(IDC_LIBRARY_COMBO), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(Wide(emb::kTraditionalEntry).c_str())),
              chinese ? 0 : 1);
    Choose(emb::kTraditionalEntry);
    EXPECT_EQ(Shown(List()), L"ft 繁體 0000;  0001;");
    for (const int id : kCommands) {
        EXPECT_TRUE(::IsWindowEnabled(Item(id))) << id;
    }
    Choose(emb::kSimplifiedEntry);
    SetCellText(List(), 0, 1, L"简单");
    Click(Item(IDOK));
    Wait("the library shown is saved", [&] {
        return installed.Read(installed.SimplifiedPath()) == Image({{u"jt", u"简单"}});
    });
    EXPECT_EQ(installed.Read(installed.TraditionalPath()), Image({{u"ft", u"繁體"}}));
}

TEST_F(MainWindowTest, SaveRunsFromTheButtonTheEnterKeyAndWithAnEditOpen) {
    Start({{u"wq", u"你们"}});
    SetCellText(List(), 1, 0, L"khlg");
    SetCellText(List(), 1, 1, L"中国");
    Click(Item(IDOK));
    const Bytes both = Image({{u"khlg", u"中国"}, {u"wq", u"你们"}});
    Wait("the button saves", [&] { return installed.Read(installed.SimplifiedPath()) == both; });
    EXPECT_EQ(Shown(List()), L"khlg 中国 0000;wq 你们 0001;");
    installed.Write(installed.SimplifiedPath(), emb::EmptyFileImage());
    ::SetFocus(List());
    PressKey(List(), VK_RETURN);
    Wait("Enter saves", [&] { return installed.Read(installed.SimplifiedPath()) == both; });
    // The edit ends as the button takes the focus.
    EditCell(0, 1, L"中华", 0);
    Click(Item(IDOK));
    Wait("the edit is saved", [&] {
        return installed.Read(installed.SimplifiedPath()) ==
               Image({{u"khlg", u"中华"}, {u"wq", u"你们"}});
    });
}

// The input method writes the words its user makes into the same file while the window is open.
TEST_F(MainWindowTest, SaveAsksAboutWordsAnotherProgramAddedAndRemakesAVanishedFile) {
    Start({{u"wq", u"你们"}});
    const std::wstring path = installed.SimplifiedPath();
    const Records theirs = {{u"wq", u"你们"}, {u"imeb", u"新造"}};
    const Bytes kept = Image({{u"imeb", u"新造"}, {u"wq", u"你们"}});
    const struct {
        int answer;
        Bytes written;
    } answers[] = {{IDCANCEL, Image(theirs)}, {IDNO, Image({{u"wq", u"你们"}})}, {IDYES, kept}};
    for (const auto& [answer, written] : answers) {
        installed.WriteLibrary(path, theirs);
        Click(Item(IDOK));
        Answer(emb::AddedWordsQuestion(u"1"), answer);
        EXPECT_EQ(installed.Read(path), written) << answer;
    }
    fs::remove_all(fs::path(path).parent_path());
    Click(Item(IDOK));
    Wait("the library is written anew", [&] { return installed.Read(path) == kept; });
    // Typing into the library box leaves no entry chosen.
    Type(ComboEdit(Item(IDC_LIBRARY_COMBO)), L"ab");
    SetCellText(List(), 0, 1, L"我们");
    Wait("no entry is chosen",
         [&] { return ::SendMessageW(Item(IDC_LIBRARY_COMBO), CB_GETCURSEL, 0, 0) == CB_ERR; });
    Click(Item(IDOK));
    Answer(emb::kNoLibraryChosenMessage, IDOK, 1);
    EXPECT_EQ(installed.Read(path), kept);
}

TEST_F(MainWindowTest, ImportOffersWordListsAndReadsOneOrSaysWhyNot) {
    Start({{u"a", u"甲"}});
    const std::wstring list = installed.TempPath(L"词表.txt");
    const std::string text = emb::ToUtf8(u"khlg\t中国\r\n你好 wqvb\r\n\r\nA\t甲\r\n");
    installed.Write(list, Bytes(text.begin(), text.end()));
    const std::wstring noise = installed.TempPath(L"noise.EMB");
    Bytes bytes = {0x03, 0x00};
    for (std::uint32_t i = 0; i < 300; ++i) {
        bytes.push_back(static_cast<std::uint8_t>((i * 2654435761u) >> 24));
    }
    installed.Write(noise, bytes);
    const std::wstring picture = installed.TempPath(L"picture.png");
    const std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 29);
    installed.Write(picture, Bytes(png.begin(), png.end()));
    const auto import = [&](const std::wstring& path) {
        Click(Item(IDC_IMPORT));
        HWND open = nullptr;
        Wait("the open dialog shows", [&] { return (open = FindFileDialog()) != nullptr; });
        const HWND types = ::GetDlgItem(open, 0x470);  // cmb1
        wchar_t second[64] = {};
        ::SendMessageW(types, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(second));
        EXPECT_EQ(::SendMessageW(types, CB_GETCOUNT, 0, 0), 2);
        EXPECT_STREQ(second, L"文本词表 (*.txt)");
        ChooseFile(open, path);
    };
    import(noise);
    Answer(emb::NotImportableMessage(Utf16(noise)), IDOK, 1);
    import(picture);
    Answer(emb::LargeCountQuestion(Utf16(picture), u"20617"), IDNO, 2);
    EXPECT_EQ(Shown(List()), L"a 甲 0000;");  // tidied, and nothing added: not even a blank row
    import(list);
    Wait("the words are imported", [&] { return RowsOf(List()).size() == 4; });
    EXPECT_EQ(Shown(List()), L"a 甲 0000;khlg 中国 0001;wqvb 你好 0002;  0003;");
}

TEST_F(MainWindowTest, BackupAndClearAskFirst) {
    Start({{u"wq", u"你们"}});
    const std::wstring copy = installed.TempPath(L"backup.EMB");
    installed.Write(copy, {1, 2, 3});
    Click(Item(IDC_BACKUP));
    Wait("the save dialog shows", [] { return FindFileDialog() != nullptr; });
    ChooseFile(FindFileDialog(), copy);
    Wait("the overwrite question shows", [] { return FindMessageBox() != nullptr; });
    PressButton(FindMessageBox(), IDYES);
    Wait("the library is copied", [&] {
        return installed.Read(copy) == Image({{u"wq", u"你们"}});
    });
    Click(Item(IDC_CLEAR));
    Answer(emb::kConfirmClearMessage, IDNO, 2);
    EXPECT_EQ(RowsOf(List()).size(), 2u);
    Click(Item(IDC_CLEAR));
    Answer(emb::kConfirmClearMessage, IDYES, 2);
    EXPECT_TRUE(RowsOf(List()).empty());
}

TEST_F(MainWindowTest, TheInstructionsAndTheSystemMenusAboutEntryOpenTheirDialogs) {
    Start({}, false);
    Click(Item(IDC_INSTRUCTIONS));
    HWND help = nullptr;
    Wait("the instructions show", [&] { return (help = FindDialog(L"使用说明")) != nullptr; });
    const HWND text = ::GetDlgItem(help, IDC_INSTRUCTIONS_TEXT);
    EXPECT_NE(TextOf(text), L"");
    EXPECT_NE(::GetWindowLongW(text, GWL_STYLE) & ES_READONLY, 0);
    PressKey(text, VK_ESCAPE);
    Wait("the instructions are gone", [&] { return !::IsWindow(help); });
    const HMENU menu = ::GetSystemMenu(Dialog(), FALSE);
    EXPECT_EQ(::GetMenuItemID(menu, ::GetMenuItemCount(menu) - 1), UINT{IDM_ABOUTBOX});
    // The system keeps the command's low four bits for itself.
    for (const WPARAM command : {WPARAM{IDM_ABOUTBOX}, WPARAM{IDM_ABOUTBOX | 0x7}}) {
        ::PostMessageW(Dialog(), WM_SYSCOMMAND, command, 0);
        HWND about = nullptr;
        Wait("the about box shows",
             [&] { return (about = FindDialog(L"关于 澄岫川五笔自造词维护")) != nullptr; });
        EXPECT_EQ(::GetWindow(about, GW_OWNER), Dialog());
        PressButton(about, IDOK);
        Wait("the about box is gone", [&] { return !::IsWindow(about); });
    }
}

TEST_F(MainWindowTest, WithoutAnEditionTheFirstPairIsUsedAfterSayingSo) {
    Open();
    Answer(emb::NotDetectedMessage(), IDOK, 1);
    Choose(emb::kSimplifiedEntry);
    EXPECT_EQ(installed.Read(installed.SimplifiedPath()), emb::EmptyFileImage());
}

// A system whose Windows directory can't be read.
class NoSystemDirectoryDlg final : public CWordMaintDlg {
    emb::LocateStatus FindLibraries() override {
        struct Unreadable final : emb::SystemView {
            std::u16string WindowsDirectory() override { return {}; }
            std::u16string ProfileFolder() override { return {}; }
            std::optional<std::uint32_t> FindFirstAttributes(const std::u16string&) override {
                return {};
            }
            void CreateFolder(const std::u16string&) override {}
            void ShowMessage(const std::u16string& text) override {
                afx::AfxMessageBox(Wide(text));
            }
        } system;
        return emb::LocateLibraries(system, m_paths);
    }
};

TEST_F(MainWindowTest, AnUnreadableSystemDiskLeavesTheCommandsEnabledAndThePathsEmpty) {
    Open<NoSystemDirectoryDlg>();
    Answer(emb::kSystemDiskMessage, IDOK, 1);
    Wait("the window shows", [this] { return ::IsWindowVisible(Dialog()) != FALSE; });
    for (const int id : kCommands) {
        EXPECT_TRUE(::IsWindowEnabled(Item(id))) << id;
    }
    Choose(emb::kTraditionalEntry);
    Answer(u"", IDOK, 1);
    Answer(emb::kOpenErrorMessage, IDOK, 1);
    EXPECT_TRUE(RowsOf(List()).empty());
}

// Escape, the close box and the system menu's Close ask before unsaved changes are lost.
TEST_F(MainWindowTest, ClosingAsksAboutUnsavedChangesOnly) {
    const std::u16string asked = emb::UnsavedChangesQuestion(emb::kSimplifiedEntry);
    Start({{u"wq", u"你们"}});
    EditCell(0, 1, L"他们");
    EditCell(0, 1, L"你们");  // changed back: no change
    CloseAtOnce();
    Open();
    Choose(emb::kSimplifiedEntry);
    EditCell(0, 1, L"我们");
    EditCell(0, 1, L"他们", VK_ESCAPE);  // the editor keeps this Escape; the next one closes
    PressKey(List(), VK_ESCAPE);
    Answer(asked, IDCANCEL);
    EXPECT_EQ(Shown(List()), L"wq 我们 0000;  0001;");
    ::PostMessageW(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Answer(asked, IDNO);
    EXPECT_TRUE(WindowClosed());
    EXPECT_EQ(installed.Read(installed.SimplifiedPath()), Image({{u"wq", u"你们"}}));
    Open();
    Choose(emb::kSimplifiedEntry);
    EditCell(0, 1, L"我们");
    PressKey(List(), VK_ESCAPE);
    Answer(asked, IDYES);
    EXPECT_TRUE(WindowClosed());
    EXPECT_EQ(installed.Read(installed.SimplifiedPath()), Image({{u"wq", u"我们"}}));
}

TEST_F(MainWindowTest, ChoosingAnotherLibraryAsksAboutTheUnsavedChangesOfTheOneLeft) {
    installed.WriteLibrary(installed.TraditionalPath(), {{u"ft", u"繁體"}});
    const Records words(40, {u"jt", u"简体"});
    Start(words);
    const HWND combo = Item(IDC_LIBRARY_COMBO);
    const auto asked = [](std::u16string_view entry) { return emb::UnsavedChangesQuestion(entry); };
    // A table the user has changed, selected in, moved the focus in and scrolled.
    SetCellText(List(), 0, 1, L"简单");
    ListView_SetItemState(List(), 1, 0, LVIS_SELECTED);
    ListView_SetItemState(List(), 2, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_Scroll(List(), 0, -10000);
    ListView_Scroll(List(), 0, 100);
    const auto table = [this] {
        return std::make_pair(RowsOf(List()), ListView_GetTopIndex(List()));
    };
    const auto before = table();
    ASSERT_GT(before.second, 0);
    PressKey(ComboEdit(combo), VK_UP);  // the Chinese collation lists 繁 first
    Answer(asked(emb::kSimplifiedEntry), IDCANCEL);
    EXPECT_EQ(TextOf(combo), Wide(emb::kSimplifiedEntry));
    EXPECT_EQ(table(), before);
    PressKey(ComboEdit(combo), VK_UP);
    Answer(asked(emb::kSimplifiedEntry), IDNO);
    EXPECT_EQ(Shown(List()), L"ft 繁體 0000;  0001;");
    EXPECT_EQ(installed.Read(installed.SimplifiedPath()), Image(words));
    // The library shown, chosen again: No reloads it as the file has it.
    SetCellText(List(), 0, 1, L"繁体字");
    ::PostMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_LIBRARY_COMBO, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    Answer(asked(emb::kTraditionalEntry), IDNO);
    EXPECT_EQ(CellText(List(), 0, 1), L"繁體");
    // Yes saves the library left, not the one chosen.
    SetCellText(List(), 0, 1, L"繁体字");
    PressKey(ComboEdit(combo), VK_DOWN);
    Answer(asked(emb::kTraditionalEntry), IDYES);
    EXPECT_EQ(CellText(List(), 0, 1), L"简体");
    EXPECT_EQ(installed.Read(installed.TraditionalPath()), Image({{u"ft", u"繁体字"}}));
    EXPECT_EQ(installed.Read(installed.SimplifiedPath()), Image(words));
    CloseAtOnce();
}

}  // namespace
}  // namespace uitest
