#include <windows.h>

#include <shellapi.h>

#include "HyperLink.h"
#include "Messages.h"
#include "Utf8.h"
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

// The real pointer onto the window, right of its centre by dx; nullptr: the screen's corner.
void PointAt(HWND window, int dx = 0) {
    RECT rect = {0, 0, 2 * ::GetSystemMetrics(SM_CXSCREEN) - 2,
                 2 * ::GetSystemMetrics(SM_CYSCREEN) - 2};
    ::GetWindowRect(window, &rect);
    ::SetCursorPos((rect.left + rect.right) / 2 + dx, (rect.top + rect.bottom) / 2);
}

// The text of the tooltip that has the label as its tool 1, or nullptr when it hides.
std::wstring ShownTip(HWND label) {
    wchar_t text[128] = {};
    TOOLINFOW tool = {sizeof tool, 0, label, 1, {}, nullptr, text, 0, nullptr};
    for (HWND tip : Harness::WindowsOf(nullptr)) {
        if (Harness::IsClass(tip, TOOLTIPS_CLASSW) && ::IsWindowVisible(tip) &&
            ::SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
            ::SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        }
    }
    return text;
}

// The default value of HKEY_CLASSES_ROOT\key, made anew (bytes 0: the value and its terminator):
// the prefix is the tests' own, and no earlier test's value may linger.
void Register(const std::wstring& key, const std::wstring& value, std::size_t bytes = 0) {
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    ::RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                      static_cast<DWORD>(bytes ? bytes : 2 * value.size() + 2));
}

TEST_F(HyperLinkTest, ThePointerOverTheLabelTakesTheCaptureTurnsItToTheHoverColourAndShowsTheTip) {
    Start({}, false);
    const HWND label = Item(IDC_HOMEPAGE_LINK);
    PointAt(nullptr);
    Pump();
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(TextColor(label), kLinkColor);
    PointAt(label);
    Wait("the label takes the capture", [&] { return ::GetCapture() == label; });
    EXPECT_EQ(TextColor(label), ::GetSysColor(COLOR_HIGHLIGHT));
    PointAt(label, 3);  // moves within the label keep the capture
    Wait("the tooltip shows", [&] { return ShownTip(label) != L""; });
    EXPECT_EQ(::GetCapture(), label);
    EXPECT_EQ(ShownTip(label), L"https://github.com/chengxiuchuan-wubi/userwords");
    PointAt(List());
    Wait("the label lets the capture go", [] { return ::GetCapture() == nullptr; });
    EXPECT_EQ(TextColor(label), kLinkColor);
    Wait("the tooltip hides", [&] { return ShownTip(label) == L""; });
    PointAt(label);
    Wait("the label takes the capture again", [&] { return ::GetCapture() == label; });
    ::SetCapture(List());  // another window takes it: the hover ends with it
    EXPECT_EQ(TextColor(label), kLinkColor);
    ::ReleaseCapture();
}

// A click opens the target through the shell, else with the browser registered for web pages;
// when neither can, it beeps, says why and leaves the link unvisited.
TEST_F(HyperLinkTest, AClickOpensTheTargetAndMarksTheLinkVisitedOrSaysWhyNot) {
    // The command processor stands in for a browser: what it is given goes to a file.
    const std::wstring record = installed.TempPath(L"record.txt");
    const auto opened = [&] {
        std::string text;
        Wait("the target is opened", [&] {
            const Bytes bytes = InstalledLibraries::Read(record);
            return text.assign(bytes.begin(), bytes.end()).ends_with("\r\n");
        });
        fs::remove(record);
        return text;
    };
    PointAt(nullptr);
    CHyperLink& link = Start<LinkDlg>({}, false).Link();
    const auto fails = [&](int error) {
        s_beeps = 0;
        link.SetTarget(L"wordmaint-test-nohandler://example/page");
        Click(link.m_hWnd);
        Answer(emb::OpenErrorMessage(error), IDOK, 1);
        EXPECT_EQ(s_beeps, 1);
        EXPECT_EQ(TextColor(link.m_hWnd), kLinkColor);
    };
    // Web pages of a type without a command: only the shell can run the batch file, and an
    // address no program handles gets the shell's error.
    Register(L".htm", L"WordMaintTest.NoCommand");
    const std::string batch = "@echo shell>" + emb::ToUtf8(Utf16(record));
    installed.Write(installed.TempPath(L"page.cmd"), Bytes(batch.begin(), batch.end()));
    link.SetTarget(installed.TempPath(L"page.cmd"));
    Click(link.m_hWnd);
    EXPECT_EQ(opened(), "shell\r\n");
    EXPECT_EQ(TextColor(link.m_hWnd), kVisitedColor);
    fails(SE_ERR_NOASSOC);
    // The registered browser gets all of a long address.
    Register(L".htm", L"WordMaintTest.Page");
    Register(L"WordMaintTest.Page\\shell\\open\\command",
             L"cmd.exe /c >\"" + record + L"\" echo \"%1\" -new-window");
    const std::wstring address =
        L"wordmaint-test-nohandler://example/page/" + std::wstring(600, L'x');
    link.SetTarget(address);
    Click(link.m_hWnd);
    EXPECT_TRUE(opened().ends_with(" " + emb::ToUtf8(Utf16(address)) + "\r\n"));
    EXPECT_EQ(TextColor(link.m_hWnd), kVisitedColor);
    // A registered command naming a missing program: the error of its start.
    Register(L"WordMaintTest.Page\\shell\\open\\command", L"C:\\wordmaint-missing\\browser.exe %1");
    fails(ERROR_FILE_NOT_FOUND);
}

// The fallback's read of a default value, at and beyond the size of its buffer of 260 bytes.
TEST(HyperLinkClassesRoot, ReadsTheDefaultValueWithinItsBufferAndNeverPastIt) {
    const std::wstring key = L"WordMaintTest.Value";
    const std::wstring unterminated(130, L'u');  // 260 bytes
    // Windows hands out such a value as it is; Wine counts the terminator it lacks and refuses
    // it as too long. Either way nothing beyond the 130 units may be read.
    Register(key, unterminated, 260);
    wchar_t probe[130];
    LONG size = sizeof probe;
    const bool handedOut =
        ::RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), probe, &size) == ERROR_SUCCESS;
    const std::tuple<std::wstring, std::size_t, std::wstring> cases[] = {
        {std::wstring(129, L'f'), 0, std::wstring(129, L'f')},  // with the terminator: 260 bytes
        {unterminated, 260, handedOut ? unterminated : L""},
        {std::wstring(130, L'o'), 0, L""},  // 262 bytes
    };
    std::wstring value;
    for (const auto& [stored, bytes, read] : cases) {
        Register(key, stored, bytes);
        EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value = L"before"), 0);
        EXPECT_EQ(value, read) << bytes;
    }
    ::RegDeleteKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr);  // a key without a value
    EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value = L"before"), 0);
    EXPECT_EQ(value, L"");
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value = L"before"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, L"before");
}

}  // namespace
}  // namespace uitest
