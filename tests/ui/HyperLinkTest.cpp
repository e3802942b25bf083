#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "HyperLink.h"
#include "MainWindowFixture.h"

namespace uitest {
namespace {

constexpr COLORREF kLinkColor = RGB(0, 0, 238);
constexpr COLORREF kVisitedColor = RGB(85, 26, 139);
constexpr wchar_t kHomePage[] = L"https://github.com/chengxiuchuan-wubi/userwords";
constexpr wchar_t kHomePageCaption[] =
    L"澄岫川五笔 https://github.com/chengxiuchuan-wubi/userwords";
// No program of the prefix handles this protocol: the shell answers SE_ERR_NOASSOC (31).
constexpr wchar_t kUnhandledAddress[] = L"wordmaint-test-nohandler://example/page";
constexpr wchar_t kRecordVariable[] = L"WORDMAINT_LINK_RECORD";
constexpr int kTestLabelId = 2001;

const std::vector<int> kOk = {IDOK};

int g_beeps = 0;
BOOL WINAPI RecordBeep(UINT type) {
    EXPECT_EQ(type, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(FindMessageBox(), nullptr) << "the beep comes before the message";
    ++g_beeps;
    return TRUE;
}

// What the label's colour handler chooses, asked through its parent as the painting control
// asks.
struct Colors {
    COLORREF text;
    int backgroundMode;
    HBRUSH brush;
};

Colors AskColors(HWND label) {
    const HDC dc = ::CreateCompatibleDC(nullptr);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SetBkMode(dc, OPAQUE);
    const auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(::GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(label)));
    const Colors colors{::GetTextColor(dc), ::GetBkMode(dc), brush};
    ::DeleteDC(dc);
    return colors;
}

COLORREF TextColor(HWND label) {
    return AskColors(label).text;
}

BOOL CALLBACK CollectToolTip(HWND hwnd, LPARAM found) {
    if (ClassOf(hwnd) == TOOLTIPS_CLASSW) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    }
    return TRUE;
}

TOOLINFOW ToolOf(HWND window, wchar_t* text) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window;
    tool.uId = 1;
    tool.lpszText = text;
    return tool;
}

// The tooltip of this thread that has tool 1 of window, or nullptr.
HWND ToolTipOf(HWND window) {
    std::vector<HWND> tips;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectToolTip, reinterpret_cast<LPARAM>(&tips));
    for (HWND tip : tips) {
        TOOLINFOW tool = ToolOf(window, nullptr);
        if (::SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0) {
            return tip;
        }
    }
    return nullptr;
}

// The text that tool 1 of window shows; "(no tool)" when it has none.
std::wstring ToolTipText(HWND window) {
    const HWND tip = ToolTipOf(window);
    if (tip == nullptr) {
        return L"(no tool)";
    }
    std::wstring text(1024, L'\0');
    TOOLINFOW tool = ToolOf(window, text.data());
    ::SendMessageW(tip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return text.c_str();
}

RECT RectInParent(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE CaptionExtent(HWND label) {
    const std::wstring caption = WindowText(label);
    const HDC dc = ::GetDC(label);
    const HGDIOBJ previous =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    ::SelectObject(dc, previous);
    ::ReleaseDC(label, dc);
    return extent;
}

LOGFONTW FontOf(HWND window) {
    LOGFONTW font = {};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font),
                 &font);
    return font;
}

POINT CenterOnScreen(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::wstring FolderOfThisProgram() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program = path;
    return program.substr(0, program.find_last_of(L'\\') + 1);
}

std::wstring HelperPath() {
    return FolderOfThisProgram() + L"hyperlink_helper.exe";
}

std::wstring WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::GetWindowsDirectoryW(folder, MAX_PATH);
    return folder;
}

bool KeyExists(const std::wstring& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

// A key under HKEY_CLASSES_ROOT with a default value for the length of a test. Wine 8's classes
// root shows nothing of HKCU\Software\Classes, so the key is written to the classes root itself
// and the prefix is left as it was: the keys this made are deleted, a value it replaced is put
// back.
class ClassesRootKey {
public:
    ClassesRootKey(const std::wstring& name, const std::wstring& value)
        : ClassesRootKey(name, value.c_str(),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) {}
    // bytes of data, which need not end in a terminator
    ClassesRootKey(const std::wstring& name, const wchar_t* data, DWORD bytes) : m_name(name) {
        for (std::size_t end = 0; end != std::wstring::npos;) {
            end = name.find(L'\\', end + 1);
            const std::wstring prefix = name.substr(0, end);
            if (!KeyExists(prefix)) {
                m_firstCreated = prefix;
                break;
            }
        }
        HKEY key = nullptr;
        EXPECT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, name.c_str(), 0, nullptr, 0,
                                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << "writing HKCR\\" << std::string(name.begin(), name.end());
        if (m_firstCreated.empty()) {
            DWORD type = 0;
            DWORD size = 0;
            if (::RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
                m_oldValue.emplace(size);
                m_oldType = type;
                ::RegQueryValueExW(key, nullptr, nullptr, &type, m_oldValue->data(), &size);
            }
        }
        ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), bytes);
        ::RegCloseKey(key);
    }
    ~ClassesRootKey() {
        if (!m_firstCreated.empty()) {
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, m_firstCreated.c_str());
            return;
        }
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, m_name.c_str(), 0, KEY_SET_VALUE, &key) !=
            ERROR_SUCCESS) {
            return;
        }
        if (m_oldValue) {
            ::RegSetValueExW(key, nullptr, 0, m_oldType, m_oldValue->data(),
                             static_cast<DWORD>(m_oldValue->size()));
        } else {
            ::RegDeleteValueW(key, nullptr);
        }
        ::RegCloseKey(key);
    }
    ClassesRootKey(const ClassesRootKey&) = delete;
    ClassesRootKey& operator=(const ClassesRootKey&) = delete;

private:
    std::wstring m_name;
    std::wstring m_firstCreated;
    std::optional<std::vector<BYTE>> m_oldValue;
    DWORD m_oldType = REG_SZ;
};

// The browser registered for web pages: documents of type typeName, opened with command.
struct RegisteredBrowser {
    RegisteredBrowser(const std::wstring& typeName, const std::wstring& command)
        : documentType(L".htm", typeName) {
        if (!command.empty()) {
            openCommand.emplace(typeName + L"\\shell\\open\\command", command);
        }
    }
    ClassesRootKey documentType;
    std::optional<ClassesRootKey> openCommand;
};

// Wine loads its own build of a system program that is asked for by path, whatever file lies
// there, unless its DllOverrides say "native" for the name. Windows has no such key.
class NativeLoadOrder {
public:
    explicit NativeLoadOrder(std::wstring program) : m_program(std::move(program)) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key, nullptr);
        wchar_t old[64] = {};
        DWORD size = sizeof(old) - sizeof(wchar_t);
        if (::RegQueryValueExW(m_key, m_program.c_str(), nullptr, nullptr,
                               reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS) {
            m_old = old;
        }
        const std::wstring native = L"native";
        ::RegSetValueExW(m_key, m_program.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(native.c_str()),
                         static_cast<DWORD>((native.size() + 1) * sizeof(wchar_t)));
    }
    ~NativeLoadOrder() {
        if (m_old) {
            ::RegSetValueExW(m_key, m_program.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(m_old->c_str()),
                             static_cast<DWORD>((m_old->size() + 1) * sizeof(wchar_t)));
        } else {
            ::RegDeleteValueW(m_key, m_program.c_str());
        }
        ::RegCloseKey(m_key);
    }
    NativeLoadOrder(const NativeLoadOrder&) = delete;
    NativeLoadOrder& operator=(const NativeLoadOrder&) = delete;

private:
    std::wstring m_program;
    HKEY m_key = nullptr;
    std::optional<std::wstring> m_old;
};

// The main window, with labels of the test's own added to it where a test needs them.
class HyperLinkTest : public MainWindowFixture {
protected:
    void SetUp() override {
        g_beeps = 0;
        CHyperLink::SetBeep(&RecordBeep);
        installed.InstallEdition(L"EDNQA");
        m_record = installed.TempPath(L"browser-record.txt");
        ::SetEnvironmentVariableW(kRecordVariable, m_record.c_str());
    }
    void TearDown() override {
        CHyperLink::SetBeep(&::MessageBeep);
        ::SetEnvironmentVariableW(kRecordVariable, nullptr);
    }

    HWND HomePageLabel() const { return Item(IDC_HOMEPAGE_LINK); }

    // A static control in the main window's font at the window's foot, taken over by link.
    HWND AddLabel(CHyperLink& link, const std::wstring& caption, DWORD style = SS_LEFT) {
        RECT client;
        ::GetClientRect(Dialog(), &client);
        const HWND label =
            ::CreateWindowExW(0, L"Static", caption.c_str(), WS_CHILD | WS_VISIBLE | style,
                              client.right - 230, client.bottom - 20, 220, 16, Dialog(),
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTestLabelId)),
                              ::GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(label, nullptr);
        ::SendMessageW(label, WM_SETFONT, ::SendMessageW(Dialog(), WM_GETFONT, 0, 0), FALSE);
        EXPECT_TRUE(link.SubclassWindow(label));
        return label;
    }

    // Moves the real pointer to the screen's far corner, away from the window.
    void ParkPointer() {
        script.Then([this] {
            const POINT corner{::GetSystemMetrics(SM_CXSCREEN) - 1,
                               ::GetSystemMetrics(SM_CYSCREEN) - 1};
            ::SetCursorPos(corner.x, corner.y);
            const HWND under = ::WindowFromPoint(corner);
            ASSERT_FALSE(under == Dialog() || ::IsChild(Dialog(), under))
                << "the window covers the screen's corner";
        });
    }

    // A click whose open fails: one beep, then the message with explanation, answered with OK.
    void ExpectFailedOpen(HWND* label, const std::wstring& explanation, int beepsBefore) {
        script.Then([label] { Click(*label); });
        AnswerMessageBox(L"Unable to open hyperlink:\n\n" + explanation, kOk, IDOK);
        script.Then([label, beepsBefore] {
            EXPECT_EQ(g_beeps, beepsBefore + 1);
            EXPECT_EQ(TextColor(*label), kLinkColor);  // not visited
        });
    }

    std::wstring ReadRecord() const {
        const Bytes bytes = InstalledLibraries::Read(m_record);
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()),
                            bytes.size() / sizeof(wchar_t));
    }

    CWordMaintDlg dialog;
    std::wstring m_record;
};

TEST_F(HyperLinkTest, TheMainWindowsLabelShowsTheMakerAndLinksToTheHomePage) {
    WaitForWindow();
    script.Then([this] {
        const HWND label = HomePageLabel();
        EXPECT_EQ(WindowText(label), kHomePageCaption);
        EXPECT_EQ(ToolTipText(label), kHomePage);
        EXPECT_EQ(::GetWindowLongW(label, GWL_STYLE) & SS_NOTIFY, SS_NOTIFY);

        // The dialog's font, underlined.
        const LOGFONTW font = FontOf(label);
        const LOGFONTW dialogFont = FontOf(Dialog());
        EXPECT_TRUE(font.lfUnderline);
        EXPECT_FALSE(dialogFont.lfUnderline);
        EXPECT_STREQ(font.lfFaceName, dialogFont.lfFaceName);
        EXPECT_EQ(font.lfHeight, dialogFont.lfHeight);

        // Fitted to its text from the template's top-left corner.
        RECT placed = {10, 248, 310, 256};
        ::MapDialogRect(Dialog(), &placed);
        const RECT fitted = RectInParent(label);
        const SIZE text = CaptionExtent(label);
        EXPECT_EQ(fitted.left, placed.left);
        EXPECT_EQ(fitted.top, placed.top);
        EXPECT_EQ(fitted.right - fitted.left, text.cx);
        EXPECT_EQ(fitted.bottom - fitted.top, text.cy);
        EXPECT_LT(text.cx, placed.right - placed.left);

        const Colors colors = AskColors(label);
        EXPECT_EQ(colors.text, kLinkColor);
        EXPECT_EQ(colors.backgroundMode, TRANSPARENT);
        EXPECT_EQ(colors.brush, ::GetStockObject(NULL_BRUSH));
    });
    Close();
    EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(HyperLinkTest, AnEmptyCaptionShowsTheTargetAndAnEmptyTargetIsTheCaption) {
    CHyperLink withoutCaption;
    CHyperLink withoutTarget;
    withoutCaption.SetTarget(kUnhandledAddress);  // before the window exists: only kept
    WaitForWindow();
    script.Then([&] {
        const HWND first = AddLabel(withoutCaption, L"");
        EXPECT_EQ(WindowText(first), kUnhandledAddress);
        EXPECT_EQ(ToolTipText(first), kUnhandledAddress);
        EXPECT_EQ(RectInParent(first).right - RectInParent(first).left, CaptionExtent(first).cx);

        const HWND second = AddLabel(withoutTarget, L"澄岫川 wordmaint-test:caption");
        EXPECT_EQ(WindowText(second), L"澄岫川 wordmaint-test:caption");
        EXPECT_EQ(ToolTipText(second), L"澄岫川 wordmaint-test:caption");
    });
    Close();
    Run(dialog);
}

TEST_F(HyperLinkTest, SetTargetChangesTheTooltipButNotTheCaption) {
    WaitForWindow();
    script.Then([this] {
        // The window's own label: the template caption, then the home page set at start-up.
        EXPECT_EQ(WindowText(HomePageLabel()), kHomePageCaption);
        EXPECT_EQ(ToolTipText(HomePageLabel()), kHomePage);
    });
    CHyperLink link;
    auto label = std::make_shared<HWND>();
    script.Then([this, &link, label] {
        *label = AddLabel(link, L"澄岫川五笔");
        const RECT before = RectInParent(*label);
        EXPECT_EQ(ToolTipText(*label), L"澄岫川五笔");
        link.SetTarget(L"wordmaint-test://example/other");
        EXPECT_EQ(WindowText(*label), L"澄岫川五笔");
        EXPECT_EQ(ToolTipText(*label), L"wordmaint-test://example/other");
        const RECT after = RectInParent(*label);
        EXPECT_EQ(after.right - after.left, before.right - before.left);
    });
    Close();
    Run(dialog);
}

TEST_F(HyperLinkTest, CentredLabelsAreFittedAroundTheirCentre) {
    CHyperLink link;
    WaitForWindow();
    script.Then([&] {
        RECT client;
        ::GetClientRect(Dialog(), &client);
        const RECT unfitted = {client.right - 230, client.bottom - 20, client.right - 10,
                               client.bottom - 4};
        const HWND label = AddLabel(link, L"澄岫川", SS_CENTER | SS_CENTERIMAGE);
        const RECT fitted = RectInParent(label);
        const SIZE text = CaptionExtent(label);
        EXPECT_EQ(fitted.left - unfitted.left, (220 - text.cx) / 2);
        EXPECT_EQ(unfitted.right - fitted.right, (220 - text.cx) / 2);
        EXPECT_EQ(fitted.top - unfitted.top, (16 - text.cy) / 2);
        EXPECT_EQ(unfitted.bottom - fitted.bottom, (16 - text.cy) / 2);
    });
    Close();
    Run(dialog);
}

TEST_F(HyperLinkTest, ThePointerOverTheLabelTakesTheCaptureTurnsItToTheHoverColourAndShowsTheTip) {
    const COLORREF hover = ::GetSysColor(COLOR_HIGHLIGHT);
    WaitForWindow();
    ParkPointer();
    script.Then([this] {
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_EQ(TextColor(HomePageLabel()), kLinkColor);
        const POINT center = CenterOnScreen(HomePageLabel());
        ::SetCursorPos(center.x, center.y);
    });
    script.WaitUntil("the label takes the capture",
                     [this] { return ::GetCapture() == HomePageLabel(); });
    script.Then([this, hover] {
        EXPECT_EQ(TextColor(HomePageLabel()), hover);
        // Moves within the label keep the capture.
        const POINT center = CenterOnScreen(HomePageLabel());
        ::SetCursorPos(center.x + 3, center.y + 1);
    });
    script.WaitUntil("the tooltip shows", [this] {
        const HWND tip = ToolTipOf(HomePageLabel());
        return tip != nullptr && ::IsWindowVisible(tip);
    });
    script.Then([this, hover] {
        EXPECT_EQ(::GetCapture(), HomePageLabel());
        EXPECT_EQ(TextColor(HomePageLabel()), hover);
        EXPECT_EQ(ToolTipText(HomePageLabel()), kHomePage);
        // Off the label, onto the list above it.
        const POINT list = CenterOnScreen(List());
        ::SetCursorPos(list.x, list.y);
    });
    script.WaitUntil("the label releases the capture", [] { return ::GetCapture() == nullptr; });
    script.Then([this] { EXPECT_EQ(TextColor(HomePageLabel()), kLinkColor); });
    script.WaitUntil("the tooltip hides",
                     [this] { return !::IsWindowVisible(ToolTipOf(HomePageLabel())); });
    Close();
    Run(dialog);
}

TEST_F(HyperLinkTest, AClickOpensTheTargetWithTheRegisteredBrowserAndMarksTheLinkVisited) {
    // Longer than any fixed buffer of the command line, so all of it must reach the browser.
    const std::wstring address = kUnhandledAddress + (L"/" + std::wstring(600, L'x'));
    const std::wstring browser = L"\"" + HelperPath() + L"\"";
    const RegisteredBrowser registered(L"WordMaintTest.Page", browser + L" \"%1\" -new-window");
    CHyperLink link;
    link.SetTarget(address);
    auto label = std::make_shared<HWND>();
    WaitForWindow();
    ParkPointer();
    script.Then([this, &link, label] {
        *label = AddLabel(link, L"澄岫川");
        EXPECT_EQ(TextColor(*label), kLinkColor);
        Click(*label);
    });
    script.WaitUntil("the browser has run",
                     [this] { return InstalledLibraries::Exists(m_record); });
    script.Then([this, label, &address, &browser] {
        // The shell found no handler; the registered command line ran, cut at its placeholder.
        EXPECT_EQ(ReadRecord(), browser + L"  " + address);
        EXPECT_EQ(g_beeps, 0);
        EXPECT_EQ(FindMessageBox(), nullptr);
        EXPECT_EQ(TextColor(*label), kVisitedColor);
    });
    Close();
    Run(dialog);
}

TEST_F(HyperLinkTest, AClickThatNoRouteOpensBeepsExplainsAndClearsTheVisitedFlag) {
    std::optional<RegisteredBrowser> registered;
    registered.emplace(L"WordMaintTest.Page", L"\"" + HelperPath() + L"\" %1");
    CHyperLink link;
    link.SetTarget(kUnhandledAddress);
    auto label = std::make_shared<HWND>();
    WaitForWindow();
    ParkPointer();
    script.Then([this, &link, label] {
        *label = AddLabel(link, L"澄岫川");
        Click(*label);
    });
    script.WaitUntil("the browser has run",
                     [this] { return InstalledLibraries::Exists(m_record); });
    script.Then([label, &registered] {
        EXPECT_EQ(TextColor(*label), kVisitedColor);
        // Web pages have a type without a command: the fallback ends and the shell's code shows.
        registered.reset();
        registered.emplace(L"WordMaintTest.NoCommand", L"");
    });
    ExpectFailedOpen(label.get(),
                     L"There is no application associated\nwith the given filename extension.", 0);
    script.Then([&registered] {
        // A command line naming a missing program: the code of its run shows.
        registered.reset();
        registered.emplace(L"WordMaintTest.Missing", L"C:\\wordmaint-missing\\browser.exe %1");
    });
    ExpectFailedOpen(label.get(), L"The specified file was not found.", 1);
    Close();
    Run(dialog);
}

TEST_F(HyperLinkTest, TheHandCursorComesFromTheHelpProgram) {
    const std::wstring helpProgram = WindowsFolder() + L"\\winhlp32.exe";
    if (InstalledLibraries::Exists(helpProgram)) {
        GTEST_SKIP() << "this system has a help program of its own";
    }
    CHyperLink withoutHand;
    CHyperLink withHand;
    WaitForWindow();
    script.Then([&] {
        // Without the help program the label leaves the cursor alone.
        const HWND plain = AddLabel(withoutHand, L"澄岫川");
        const HCURSOR cross = ::LoadCursorW(nullptr, IDC_CROSS);
        ::SetCursor(cross);
        EXPECT_FALSE(::SendMessageW(plain, WM_SETCURSOR, reinterpret_cast<WPARAM>(plain),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), cross);
        ::DestroyWindow(plain);

        ASSERT_TRUE(::CopyFileW(HelperPath().c_str(), helpProgram.c_str(), TRUE));
        const NativeLoadOrder fileFirst(L"winhlp32.exe");
        const HWND label = AddLabel(withHand, L"澄岫川");
        // Loaded once, at the take-over: the file may go at once.
        EXPECT_TRUE(::DeleteFileW(helpProgram.c_str()));
        EXPECT_TRUE(::SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        ICONINFO shown = {};
        ASSERT_TRUE(::GetIconInfo(::GetCursor(), &shown));
        EXPECT_FALSE(shown.fIcon);
        EXPECT_EQ(shown.xHotspot, 5u);
        EXPECT_EQ(shown.yHotspot, 0u);
        BITMAP mask = {};
        ::GetObjectW(shown.hbmMask, sizeof(mask), &mask);
        EXPECT_EQ(mask.bmWidth, 32);
        ::DeleteObject(shown.hbmMask);
        if (shown.hbmColor != nullptr) {
            ::DeleteObject(shown.hbmColor);
        }
    });
    Close();
    Run(dialog);
    ::DeleteFileW(helpProgram.c_str());
}

// The registry values that the fallback reads, at and beyond the size of its buffer of 260
// bytes.
TEST(HyperLinkClassesRoot, ReadsTheDefaultValueWithinItsBufferAndNeverPastIt) {
    const std::wstring key = L"WordMaintTest.Value";
    std::wstring value = L"before";

    const std::wstring fills(129, L'f');  // 129 units and the terminator: 260 bytes
    {
        const ClassesRootKey stored(key, fills);
        EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value), 0);
        EXPECT_EQ(value, fills);
    }
    const std::wstring unterminated(130, L'u');  // 260 bytes without a terminator
    {
        const ClassesRootKey stored(key, unterminated.c_str(), 260);
        // Windows hands such a value out as it is; Wine counts the terminator it lacks and
        // refuses it as too long. Either way nothing beyond the 130 units may be read.
        wchar_t probe[130];
        LONG size = sizeof(probe);
        const bool handedOut =
            ::RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), probe, &size) == ERROR_SUCCESS;
        EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value), 0);
        EXPECT_EQ(value, handedOut ? unterminated : L"");
    }
    {
        const ClassesRootKey stored(key, std::wstring(130, L'o'));  // 262 bytes: too long
        value = L"before";
        EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value), 0);
        EXPECT_EQ(value, L"");
    }
    {
        const ClassesRootKey stored(key + L"\\sub", L"x");  // the key itself has no value
        value = L"before";
        EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value), 0);
        EXPECT_EQ(value, L"");
    }
    value = L"before";
    EXPECT_EQ(CHyperLink::ReadClassesRootDefault(key, value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, L"before");
}

}  // namespace
}  // namespace uitest
