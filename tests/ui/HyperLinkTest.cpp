#include <windows.h>

#include <shellapi.h>

#include <filesystem>

#include "HyperLink.h"
#include "HyperLinkText.h"
#include "WindowHarness.h"

namespace uitest {
namespace {

using HyperLinkTest = WindowTest;

constexpr COLORREF kLinkColor = RGB(0, 0, 238);
constexpr COLORREF kVisitedColor = RGB(85, 26, 139);

// The main window with its link within the test's reach.
class LinkDlg final : public CWordMaintDlg {
public:
    CHyperLink& Link() { return m_homepageLink; }
};

// What the label's colour handler chooses, asked as the painting control asks.
COLORREF TextColor(HWND label) {
    const HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(::GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(label));
    const COLORREF color = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return color;
}

POINT CenterOnScreen(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The tooltip that has the label as its tool 1.
HWND ToolTipOf(HWND label) {
    for (HWND window : WindowsOf(nullptr)) {
        TOOLINFOW tool = {sizeof tool, 0, label, 1, {}, nullptr, nullptr, 0, nullptr};
        if (IsClass(window, TOOLTIPS_CLASSW) &&
            ::SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
            return window;
        }
    }
    return nullptr;
}

// The default value of HKEY_CLASSES_ROOT\key, made anew: the prefix is the tests' own, and no
// earlier test's value may linger. Wine 8's classes root shows nothing of HKCU's classes.
void Register(const std::wstring& key, const wchar_t* value, std::size_t bytes) {
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    ::RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value,
                      static_cast<DWORD>(bytes));
}
void Register(const std::wstring& key, const std::wstring& value) {
    Register(key, value.c_str(), (value.size() + 1) * sizeof(wchar_t));
}

TEST_F(HyperLinkTest, ThePointerOverTheLabelTakesTheCaptureTurnsItToTheHoverColourAndShowsTheTip) {
    Start({}, false);
    const HWND label = Item(IDC_HOMEPAGE_LINK);
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    Pump();
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(TextColor(label), kLinkColor);
    const POINT center = CenterOnScreen(label);
    ::SetCursorPos(center.x, center.y);
    Wait("the label takes the capture", [&] { return ::GetCapture() == label; });
    EXPECT_EQ(TextColor(label), ::GetSysColor(COLOR_HIGHLIGHT));
    ::SetCursorPos(center.x + 3, center.y + 1);  // moves within the label keep the capture
    Wait("the tooltip shows", [&] { return ::IsWindowVisible(ToolTipOf(label)); });
    EXPECT_EQ(::GetCapture(), label);
    wchar_t tip[128] = {};
    TOOLINFOW tool = {sizeof tool, 0, label, 1, {}, nullptr, tip, 0, nullptr};
    ::SendMessageW(ToolTipOf(label), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tip, L"https://github.com/chengxiuchuan-wubi/userwords");
    const POINT list = CenterOnScreen(List());
    ::SetCursorPos(list.x, list.y);
    Wait("the label lets the capture go", [] { return ::GetCapture() == nullptr; });
    EXPECT_EQ(TextColor(label), kLinkColor);
    Wait("the tooltip hides", [&] { return !::IsWindowVisible(ToolTipOf(label)); });
}

// A click opens the target through the shell, else with the browser registered for web pages;
// when neither can, it beeps, says why and leaves the link unvisited.
TEST_F(HyperLinkTest, AClickOpensTheTargetAndMarksTheLinkVisitedOrSaysWhyNot) {
    const std::wstring record = installed.TempPath(L"record.txt");
    ::SetEnvironmentVariableW(L"WORDMAINT_LINK_RECORD", record.c_str());
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring browser =
        std::filesystem::path(program).replace_filename(L"hyperlink_helper.exe").wstring();
    const auto opened = [&] {
        Wait("the browser has run", [&] { return std::filesystem::exists(record); });
        const Bytes bytes = InstalledLibraries::Read(record);
        std::filesystem::remove(record);
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    };
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    installed.InstallEdition(L"EDNQA");
    LinkDlg& shown = Open<LinkDlg>();
    const HWND label = shown.Link().m_hWnd;
    // Web pages of a type without a command: nothing but the shell can run the helper.
    Register(L".htm", L"WordMaintTest.NoCommand");
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"WordMaintTest.NoCommand");
    shown.Link().SetTarget(browser);
    Click(label);
    EXPECT_TRUE(opened().starts_with(L"\"" + browser + L"\""));
    EXPECT_EQ(TextColor(label), kVisitedColor);
    // No program of the prefix handles the protocol; all of a long address reaches the browser.
    Register(L".htm", L"WordMaintTest.Page");
    Register(L"WordMaintTest.Page\\shell\\open\\command",
             L"\"" + browser + L"\" \"%1\" -new-window");
    const std::wstring unhandled = L"wordmaint-test-nohandler://example/page";
    const std::wstring address = unhandled + L"/" + std::wstring(600, L'x');
    shown.Link().SetTarget(address);
    Click(label);
    EXPECT_TRUE(opened().ends_with(L" " + address));
    EXPECT_EQ(TextColor(label), kVisitedColor);
    shown.Link().SetTarget(unhandled);
    // Web pages of a type without a command: the shell's error. A command naming a missing
    // program: its start's error.
    Register(L".htm", L"WordMaintTest.NoCommand");
    g_beeps = 0;
    Click(label);
    Answer(emb::OpenErrorMessage(SE_ERR_NOASSOC), IDOK, 1);
    EXPECT_EQ(g_beeps, 1);
    EXPECT_EQ(TextColor(label), kLinkColor);
    Register(L".htm", L"WordMaintTest.Missing");
    Register(L"WordMaintTest.Missing\\shell\\open\\command",
             L"C:\\wordmaint-missing\\browser.exe %1");
    Click(label);
    Answer(emb::OpenErrorMessage(ERROR_FILE_NOT_FOUND), IDOK, 1);
    EXPECT_EQ(g_beeps, 2);
}

// The fallback's read of a default value, at and beyond the size of its buffer of 260 bytes.
TEST(HyperLinkClassesRoot, ReadsTheDefaultValueWithinItsBufferAndNeverPastIt) {
    const std::wstring key = L"WordMaintTest.Value";
    const std::wstring fills(129, L'f');         // and the terminator: 260 bytes
    const std::wstring unterminated(130, L'u');  // 260 bytes without a terminator
    // Windows hands out such a value as it is; Wine counts the terminator it lacks and refuses
    // it as too long. Either way nothing beyond the 130 units may be read.
    Register(key, unterminated.c_str(), 260);
    wchar_t probe[130];
    LONG size = sizeof probe;
    const bool handedOut =
        ::RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), probe, &size) == ERROR_SUCCESS;
    const struct {
        std::wstring stored;
        std::size_t bytes;
        std::wstring read;
    } cases[] = {{fills, 260, fills},
                 {unterminated, 260, handedOut ? unterminated : L""},
                 {std::wstring(130, L'o'), 262, L""}};
    for (const auto& [stored, bytes, read] : cases) {
        Register(key, stored.c_str(), bytes);
        std::wstring value = L"before";
        EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value), 0);
        EXPECT_EQ(value, read) << bytes;
    }
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    Register(key + L"\\sub", L"x");  // the key itself has no value
    std::wstring value = L"before";
    EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value), 0);
    EXPECT_EQ(value, L"");
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    value = L"before";
    EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, L"before");
}

}  // namespace
}  // namespace uitest
