#include <future>
#include <map>

#include "CellEdit.h"
#include "HyperLink.h"
#include "LocateLibraries.h"
#include "Messages.h"
#include "ScreenDpi.h"
#include "Utf8.h"
#include "WindowHarness.h"

namespace uitest {
namespace {

using MainWindowTest = WindowTest;

// Whether each of the library commands' buttons is enabled.
std::string Enabled(HWND dialog) {
    std::string enabled;
    for (const int id : {IDOK, IDC_IMPORT, IDC_BACKUP, IDC_CLEAR}) {
        enabled += ::IsWindowEnabled(::GetDlgItem(dialog, id)) ? 'y' : 'n';
    }
    return enabled;
}

// Also run under an English locale (CMakeLists.txt), where the box lists the entries the other
// way round.
TEST_F(MainWindowTest, EachEntryLoadsItsOwnLibraryUnderAnyCollation) {
    installed.WriteLibrary(installed.TraditionalPath(), {{u"ft", u"繁體"}});
    Start({{u"jt", u"简体"}}, false);
    EXPECT_EQ(Enabled(Dialog()), "nnnn");  // until a library is chosen
    const bool chinese = PRIMARYLANGID(::GetUserDefaultLangID()) == LANG_CHINESE;
    EXPECT_EQ(::SendMessageW(Item(IDC_LIBRARY_COMBO), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(Wide(emb::kTraditionalEntry).c_str())),
              chinese ? 0 : 1);
    Choose(emb::kTraditionalEntry);
    EXPECT_EQ(RowsOf(List()), L"ft 繁體 0000;  0001;");
    EXPECT_EQ(Enabled(Dialog()), "yyyy");
    Choose(emb::kSimplifiedEntry);
    EXPECT_EQ(RowsOf(List()), L"jt 简体 0000;  0001;");
}

TEST_F(MainWindowTest, SaveRunsFromTheButtonTheEnterKeyAndWithAnEditOpen) {
    Start({{u"wq", u"你们"}});
    SetCellText(List(), 1, 0, L"khlg");
    SetCellText(List(), 1, 1, L"中国");
    Click(Item(IDOK));
    const Bytes both = Image({{u"khlg", u"中国"}, {u"wq", u"你们"}});
    Wait("the button saves", [&] { return SimplifiedFile() == both; });
    EXPECT_EQ(RowsOf(List()), L"khlg 中国 0000;wq 你们 0001;");
    EditCell(1, 1, L"他们", VK_ESCAPE);  // Escape keeps the text; the rules still run
    EXPECT_EQ(RowsOf(List()), L"khlg 中国 0000;wq 你们 0001;  0002;");
    installed.Write(installed.SimplifiedPath(), emb::EmptyFileImage());
    ::SetFocus(List());
    PressKey(List(), VK_RETURN);
    Wait("Enter saves", [&] { return SimplifiedFile() == both; });
    EditCell(0, 1, L"中华", 0);  // the edit ends as the button takes the focus
    Click(Item(IDOK));
    Wait("the edit is saved", [&] {
        return SimplifiedFile() == Image({{u"khlg", u"中华"}, {u"wq", u"你们"}});
    });
}

// The input method writes the words its user makes into the same file while the window is open.
TEST_F(MainWindowTest, SaveAsksAboutWordsAnotherProgramAddedAndRemakesAVanishedFile) {
    Start({{u"wq", u"你们"}});
    const Records theirs = {{u"wq", u"你们"}, {u"imeb", u"新造"}};
    const Bytes kept = Image({{u"imeb", u"新造"}, {u"wq", u"你们"}});
    const std::pair<int, Bytes> answers[] = {
        {IDCANCEL, Image(theirs)}, {IDNO, Image({{u"wq", u"你们"}})}, {IDYES, kept}};
    for (const auto& [answer, written] : answers) {
        installed.WriteLibrary(installed.SimplifiedPath(), theirs);
        Click(Item(IDOK));
        Answer(emb::AddedWordsQuestion(u"1"), answer);
        EXPECT_EQ(SimplifiedFile(), written) << answer;
    }
    fs::remove_all(fs::path(installed.SimplifiedPath()).parent_path());
    Click(Item(IDOK));
    Wait("the library is written anew", [&] { return SimplifiedFile() == kept; });
}

TEST_F(MainWindowTest, ImportOffersWordListsAndReadsOneOrSaysWhyNot) {
    Start({{u"a", u"甲"}});
    const auto file = [this](const wchar_t* name, const std::string& bytes) {
        installed.Write(installed.TempPath(name), Bytes(bytes.begin(), bytes.end()));
        return installed.TempPath(name);
    };
    std::string noise = {3, 0};
    for (std::uint32_t i = 0; i < 300; ++i) {
        noise += static_cast<char>((i * 2654435761u) >> 24);
    }
    const auto import = [&](const std::wstring& path) {
        Click(Item(IDC_IMPORT));
        HWND open = nullptr;
        Wait("the open dialog shows", [&] { return (open = FindFileDialog()) != nullptr; });
        wchar_t second[64] = {};  // in the file types box, cmb1
        ::SendDlgItemMessageW(open, 0x470, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(second));
        EXPECT_EQ(::SendDlgItemMessageW(open, 0x470, CB_GETCOUNT, 0, 0), 4);
        EXPECT_STREQ(second, L"文本词表 (*.txt)");
        ChooseFile(open, path);
        return Utf16(path);
    };
    Answer(emb::NotImportableMessage(import(file(L"noise.EMB", noise))), IDOK, 1);
    const std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 29);
    Answer(emb::LargeCountQuestion(import(file(L"picture.png", png)), u"20617"), IDNO, 2);
    EXPECT_EQ(RowsOf(List()), L"a 甲 0000;");  // tidied, and nothing added: not even a blank row
    import(file(L"词表.txt", emb::ToUtf8(u"khlg\t中国\r\n你好 wqvb\r\n\r\nA\t甲\r\n")));
    Wait("the words are imported", [&] { return ListView_GetItemCount(List()) == 4; });
    EXPECT_EQ(RowsOf(List()), L"a 甲 0000;khlg 中国 0001;wqvb 你好 0002;  0003;");
}

TEST_F(MainWindowTest, BackupAndClearAndTheirQuestions) {
    Start({{u"wq", u"你们"}});
    const std::wstring copy = installed.TempPath(L"backup.EMB");
    installed.Write(copy, {1, 2, 3});
    BackUp(copy);
    Wait("the overwrite question shows", [] { return FindMessageBox() != nullptr; });
    PressButton(FindMessageBox(), IDYES);
    Wait("the library is copied", [&] {
        return installed.Read(copy) == Image({{u"wq", u"你们"}});
    });
    for (const int answer : {IDNO, IDYES}) {
        Click(Item(IDC_CLEAR));
        Answer(emb::kConfirmClearMessage, answer, 2);
        EXPECT_EQ(RowsOf(List()), answer == IDNO ? L"wq 你们 0000;  0001;" : L"");
    }
}

// A backup as a word list, named without an extension, imports into the other library.
TEST_F(MainWindowTest, ABackupAsAWordListCarriesTheWordsToTheOtherLibrary) {
    installed.WriteLibrary(installed.TraditionalPath(), {{u"ft", u"繁体字"}});
    Start({{u"wq", u"你们"}, {u"khlg", u"中国"}});
    BackUp(installed.TempPath(L"词表"), 1);  // named without an extension
    const std::wstring list = installed.TempPath(L"词表.txt");
    const std::string text = "\xEF\xBB\xBF" + emb::ToUtf8(u"wq\t你们\r\nkhlg\t中国\r\n");
    Wait("the word list is written",
         [&] { return installed.Read(list) == Bytes(text.begin(), text.end()); });
    Choose(emb::kTraditionalEntry);
    Wait("the other library shows", [&] { return RowsOf(List()) == L"ft 繁体字 0000;  0001;"; });
    Click(Item(IDC_IMPORT));
    Wait("the open dialog shows", [] { return FindFileDialog() != nullptr; });
    ChooseFile(FindFileDialog(), list);
    Wait("the words are imported",
         [&] { return RowsOf(List()) == L"ft 繁体字 0000;wq 你们 0001;khlg 中国 0002;  0003;"; });
    Close();
}

TEST_F(MainWindowTest, TheInstructionsAndTheSystemMenusAboutEntryOpenTheirDialogs) {
    Start({}, false);
    Click(Item(IDC_INSTRUCTIONS));
    HWND help = nullptr;
    Wait("the instructions show", [&] { return (help = FindDialog(0, L"使用说明")) != nullptr; });
    const HWND text = ::GetDlgItem(help, IDC_INSTRUCTIONS_TEXT);
    EXPECT_NE(TextOf(text), L"");
    EXPECT_NE(::GetWindowLongW(text, GWL_STYLE) & ES_READONLY, 0);
    PressKey(text, VK_ESCAPE);
    Wait("the instructions are gone", [&] { return !::IsWindow(help); });
    const HMENU menu = ::GetSystemMenu(Dialog(), FALSE);
    EXPECT_EQ(::GetMenuItemID(menu, ::GetMenuItemCount(menu) - 1), UINT{IDM_ABOUTBOX});
    // The system keeps the command's low four bits for itself.
    for (const WPARAM command : {IDM_ABOUTBOX, IDM_ABOUTBOX | 0x7}) {
        ::PostMessageW(Dialog(), WM_SYSCOMMAND, command, 0);
        HWND about = nullptr;
        Wait("the about box shows",
             [&] { return (about = FindDialog(0, L"关于 澄岫川五笔自造词维护")) != nullptr; });
        EXPECT_EQ(::GetWindow(about, GW_OWNER), Dialog());
        PressButton(about, IDOK);
        Wait("the about box is gone", [&] { return !::IsWindow(about); });
    }
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
                afx::AfxMessageBox(Harness::Wide(text));
            }
        } system;
        return emb::LocateLibraries(system, m_paths);
    }
};

TEST_F(MainWindowTest, TheStartUpSaysWhenNoEditionIsFoundOrTheSystemDiskCannotBeRead) {
    Open();
    Answer(emb::NotDetectedMessage(), IDOK, 1);
    Choose(emb::kSimplifiedEntry);  // the first pair's
    EXPECT_EQ(SimplifiedFile(), emb::EmptyFileImage());
    CloseAtOnce();
    Open<NoSystemDirectoryDlg>();
    Answer(emb::kSystemDiskMessage, IDOK, 1);
    Wait("the window shows", [this] { return ::IsWindowVisible(Dialog()) != FALSE; });
    EXPECT_EQ(Enabled(Dialog()), "yyyy");
    Click(Item(IDOK));  // no library shown yet
    Answer(emb::kNoLibraryChosenMessage, IDOK, 1);
    Choose(emb::kTraditionalEntry);  // no path: no file
    Answer(u"", IDOK, 1);
    Answer(emb::kOpenErrorMessage, IDOK, 1);
    EXPECT_EQ(RowsOf(List()), L"");
}

// Escape, the close box and the system menu's Close ask before unsaved changes are lost.
TEST_F(MainWindowTest, ClosingAsksAboutUnsavedChangesOnly) {
    const std::u16string asked = emb::UnsavedChangesQuestion(emb::kSimplifiedEntry);
    Start({{u"wq", u"你们"}});
    EditCell(0, 1, L"他们");
    EditCell(0, 1, L"你们");  // changed back: no change
    CloseAtOnce();
    for (const int answer : {IDNO, IDYES}) {
        Open();
        Choose(emb::kSimplifiedEntry);
        EditCell(0, 1, L"我们");
        EditCell(0, 1, L"他们", VK_ESCAPE);  // the editor keeps this Escape; the next one closes
        PressKey(List(), VK_ESCAPE);
        Answer(asked, IDCANCEL);
        EXPECT_EQ(RowsOf(List()), L"wq 我们 0000;  0001;");
        ::PostMessageW(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Answer(asked, answer);
        EXPECT_TRUE(WindowClosed());
        EXPECT_EQ(SimplifiedFile(), Image({{u"wq", answer == IDYES ? u"我们" : u"你们"}}));
    }
}

// Logoff and shutdown ask as closing does (the system sends its question from elsewhere and waits
// for the answer); the session may end only once nothing would be lost.
TEST_F(MainWindowTest, TheEndOfTheSessionAsksAboutUnsavedChangesAsClosingDoes) {
    Start({{u"wq", u"你们"}});
    const auto endSession = [this] {
        return std::async(std::launch::async, [dialog = Dialog()] {
            return ::SendMessageW(dialog, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
        });
    };
    const auto answerTo = [this](std::future<LRESULT> question) {
        Wait("the window answers", [&] {
            return question.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        });
        return question.get();
    };
    EXPECT_EQ(answerTo(endSession()), TRUE);  // nothing unsaved: no question
    EditCell(0, 1, L"我们", 0);               // an edit still open counts
    Wait("the text is typed", [this] { return TextOf(OpenEditor(List())) == L"我们"; });
    for (const auto& [press, ends] : {std::pair{IDCANCEL, FALSE}, {IDNO, TRUE}, {IDYES, TRUE}}) {
        std::future<LRESULT> question = endSession();
        Answer(emb::UnsavedChangesQuestion(emb::kSimplifiedEntry), press);
        EXPECT_EQ(answerTo(std::move(question)), ends) << press;
        EXPECT_EQ(SimplifiedFile(), Image({{u"wq", press == IDYES ? u"我们" : u"你们"}}));
    }
    CloseAtOnce();
}

// However the box's entry changes (the arrow keys; the list dropped down with F4, an entry's
// first character typed and Enter), the table shows that library once the one left is dealt
// with; Save and Backup act on the library the table shows, whatever the box holds.
TEST_F(MainWindowTest, ChoosingAnotherLibraryAsksAboutTheUnsavedChangesOfTheOneLeft) {
    installed.WriteLibrary(installed.TraditionalPath(), {{u"ft", u"繁體"}});
    const Records words(40, {u"jt", u"简体"});
    Start(words);
    const auto asked = [](std::u16string_view entry) { return emb::UnsavedChangesQuestion(entry); };
    const auto typeEntry = [this](const wchar_t* first) {
        ::SetFocus(LibraryBox());
        PressKey(LibraryBox(), VK_F4);
        Type(LibraryBox(), first);
        PressKey(LibraryBox(), VK_RETURN);
    };
    // A table the user has changed, selected in, moved the focus in and scrolled.
    SetCellText(List(), 0, 1, L"简单");
    ListView_SetItemState(List(), 1, 0, LVIS_SELECTED);
    ListView_SetItemState(List(), 2, LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_Scroll(List(), 0, -10000);
    ListView_Scroll(List(), 0, 100);
    const auto table = [this] {
        return RowsOf(List()) + RowsOf(List(), true) +
               std::to_wstring(ListView_GetTopIndex(List()));
    };
    const std::wstring before = table();
    ASSERT_GT(ListView_GetTopIndex(List()), 0);
    typeEntry(L"繁");
    Answer(asked(emb::kSimplifiedEntry), IDCANCEL);
    EXPECT_EQ(TextOf(Item(IDC_LIBRARY_COMBO)), Wide(emb::kSimplifiedEntry));
    EXPECT_EQ(table(), before);
    PressKey(LibraryBox(), VK_UP);  // the Chinese collation lists 繁 first
    Answer(asked(emb::kSimplifiedEntry), IDNO);
    EXPECT_EQ(RowsOf(List()), L"ft 繁體 0000;  0001;");
    SetCellText(List(), 0, 1, L"繁体字");  // the library shown, chosen again: No reloads it
    ::PostMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_LIBRARY_COMBO, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Item(IDC_LIBRARY_COMBO)));
    Answer(asked(emb::kTraditionalEntry), IDNO);
    EXPECT_EQ(CellText(List(), 0, 1), L"繁體");
    SetCellText(List(), 0, 1, L"繁体字");  // Yes saves the library left, not the one chosen
    PressKey(LibraryBox(), VK_DOWN);
    Answer(asked(emb::kTraditionalEntry), IDYES);
    EXPECT_EQ(CellText(List(), 0, 1), L"简体");
    EXPECT_EQ(installed.Read(installed.TraditionalPath()), Image({{u"ft", u"繁体字"}}));
    EXPECT_EQ(SimplifiedFile(), Image(words));
    SetCellText(List(), 0, 0, L"aaaa");
    typeEntry(L"繁");
    Answer(asked(emb::kSimplifiedEntry), IDCANCEL);
    Type(LibraryBox(), L"ab");  // names no entry: changes nothing, and goes with the focus
    Records saved = words;
    saved[0].code = u"aaaa";
    Click(Item(IDOK));
    Wait("the library shown is saved", [&] { return SimplifiedFile() == Image(saved); });
    EXPECT_EQ(installed.Read(installed.TraditionalPath()), Image({{u"ft", u"繁体字"}}));
    EXPECT_EQ(TextOf(Item(IDC_LIBRARY_COMBO)), Wide(emb::kSimplifiedEntry));
    const std::wstring copy = installed.TempPath(L"backup.EMB");
    BackUp(copy);
    Wait("the library shown is copied", [&] { return installed.Read(copy) == Image(saved); });
    typeEntry(L"繁");  // nothing unsaved: loaded at once
    Wait("the library typed shows", [&] { return RowsOf(List()) == L"ft 繁体字 0000;  0001;"; });
    CloseAtOnce();
}

// The window as a program unaware of the DPI gets it (laid out at 96), then as this one does:
// what it sizes in pixels grows by the screen's scale. Also run at 144 DPI (CMakeLists.txt).
TEST_F(MainWindowTest, EverythingGrowsByTheScreensScale) {
    const std::map<int, std::vector<int>> widths = {{96, {60, 500, 50}}, {144, {90, 750, 75}}};
    RECT unscaled = {};
    for (const auto awareness :
         {DPI_AWARENESS_CONTEXT_UNAWARE, DPI_AWARENESS_CONTEXT_SYSTEM_AWARE}) {
        const DPI_AWARENESS_CONTEXT before = ::SetThreadDpiAwarenessContext(awareness);
        Start({{u"ab", u"中国"}});
        const int dpi = afx::ScreenDpi();
        const auto width = [this](int column) { return ListView_GetColumnWidth(List(), column); };
        EXPECT_EQ((std::vector{width(0), width(1), width(2)}), widths.at(dpi));
        RECT client = {};
        ::GetClientRect(Dialog(), &client);
        unscaled = unscaled.right == 0 ? client : unscaled;
        EXPECT_NEAR(client.right, unscaled.right * dpi / 96.0, 2);
        EXPECT_NEAR(client.bottom, unscaled.bottom * dpi / 96.0, 2);
        // The link's hover area is its text, in the font it is drawn with.
        const HWND link = Item(IDC_HOMEPAGE_LINK);
        const HDC dc = ::GetDC(link);
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0)));
        RECT text = {};
        ::DrawTextW(dc, TextOf(link).c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        ::ReleaseDC(link, dc);
        RECT area = {};
        ::GetClientRect(link, &area);
        EXPECT_EQ(Edges(area), Edges(text));
        EditCell(0, 1, L"", 0);
        EXPECT_EQ(Edges(EditorRect(List())), Edges(CellRect(List(), 0, 1)));
        PressKey(OpenEditor(List()), VK_ESCAPE);
        CloseAtOnce();
        ::SetThreadDpiAwarenessContext(before);
    }
}

}  // namespace
}  // namespace uitest

int main(int argc, char** argv) {
    struct : afx::CWinApp {
    } app;  // the application object the window code expects
    app.m_hInstance = ::GetModuleHandleW(nullptr);
    app.m_strAppName = L"ui_tests";
    ::InitCommonControls();
    CCellEdit::SetBeep(&uitest::Harness::CountBeep);
    CHyperLink::SetBeep(&uitest::Harness::CountBeep);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
