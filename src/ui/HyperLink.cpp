#include "HyperLink.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <string_view>

#include "HyperLinkText.h"
#include "Messages.h"
#include "WideText.h"
#include "WinApp.h"

namespace {

constexpr UINT_PTR kToolId = 1;
// The pointing hand among the resources of the system's help program.
constexpr WORD kHandCursorId = 106;
// What RegQueryValueW may write, the terminator included.
constexpr LONG kDefaultValueBytes = 260;

static_assert(emb::kStaticCenter == SS_CENTER && emb::kStaticRight == SS_RIGHT &&
              emb::kStaticCenterImage == SS_CENTERIMAGE);

// WinExec takes its command line in the ANSI code page.
std::string ToAnsi(const std::wstring& text) {
    const int units = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), units, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

}  // namespace

CHyperLink::BeepFunction CHyperLink::s_beep = &::MessageBeep;

const afx::MessageEntry CHyperLink::messageEntries[] = {
    afx::OnReflectedCommand<&CHyperLink::OnLinkClicked>(STN_CLICKED),
    afx::OnReflectedCtlColor<&CHyperLink::OnCtlColor>(WM_CTLCOLORSTATIC),
    afx::OnSetCursor<&CHyperLink::OnSetCursor>(),
    afx::OnMouseMove<&CHyperLink::OnMouseMove>(),
    afx::OnMessage<&CHyperLink::OnCaptureChanged>(WM_CAPTURECHANGED),
};
const afx::MessageMap CHyperLink::messageMap{&afx::CStatic::messageMap, messageEntries};

CHyperLink::CHyperLink()
    : m_crLinkColor(RGB(0, 0, 238)),
      m_crVisitedColor(RGB(85, 26, 139)),
      m_crHoverColor(::GetSysColor(COLOR_HIGHLIGHT)),
      m_bOverControl(false),
      m_bVisited(false),
      m_bUnderline(true),
      m_bAdjustToFit(true),
      m_hLinkFont(nullptr),
      m_hLinkCursor(nullptr) {
}

CHyperLink::~CHyperLink() {
    if (m_hLinkFont != nullptr) {
        ::DeleteObject(m_hLinkFont);
    }
    m_toolTip.DestroyWindow();
    if (m_hLinkCursor != nullptr) {
        ::DestroyIcon(m_hLinkCursor);  // made by CopyIcon
    }
}

void CHyperLink::SetTarget(const std::wstring& address) {
    m_strTarget = address;
    if (HasWindow()) {
        FitToText();
        m_toolTip.UpdateTipText(address, this, kToolId);
    }
}

void CHyperLink::PreSubclassWindow() {
    // Without SS_NOTIFY a static control reports no clicks and lets the mouse through.
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | SS_NOTIFY));

    const std::wstring caption = GetWindowText();
    if (m_strTarget.empty()) {
        m_strTarget = caption;
    }
    if (caption.empty()) {
        SetWindowText(m_strTarget);
    }

    HFONT current = GetFont();
    if (current == nullptr) {
        // A control that was given no font draws with the system font.
        current = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    }
    LOGFONTW font = {};
    ::GetObjectW(current, sizeof(font), &font);
    font.lfUnderline = m_bUnderline ? TRUE : FALSE;
    m_hLinkFont = ::CreateFontIndirectW(&font);
    SetFont(m_hLinkFont, TRUE);

    FitToText();
    LoadHandCursor();

    RECT client;
    GetClientRect(&client);
    m_toolTip.Create(this, 0);
    m_toolTip.AddTool(this, m_strTarget, client, kToolId);

    afx::CStatic::PreSubclassWindow();
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg) {
    m_toolTip.RelayEvent(msg);
    return afx::CStatic::PreTranslateMessage(msg);
}

HBRUSH CHyperLink::OnCtlColor(HDC dc) {
    if (m_bOverControl) {
        ::SetTextColor(dc, m_crHoverColor);
    } else if (m_bVisited) {
        ::SetTextColor(dc, m_crVisitedColor);
    } else {
        ::SetTextColor(dc, m_crLinkColor);
    }
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CHyperLink::OnSetCursor(HWND, UINT, UINT) {
    if (m_hLinkCursor == nullptr) {
        return FALSE;
    }
    ::SetCursor(m_hLinkCursor);
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT, POINT point) {
    Default();
    if (m_bOverControl) {
        RECT client;
        GetClientRect(&client);
        if (::PtInRect(&client, point)) {
            return;
        }
        m_bOverControl = false;
        ::ReleaseCapture();
        RedrawNow();
        return;
    }
    m_bOverControl = true;
    RedrawNow();
    // With the capture held, the move that takes the pointer off the label still comes here.
    ::SetCapture(m_hWnd);
}

// Another window took the capture (a menu, a message box): the move that takes the pointer
// off the label would not come here, so the hover ends now.
LRESULT CHyperLink::OnCaptureChanged(WPARAM, LPARAM) {
    if (m_bOverControl) {
        m_bOverControl = false;
        RedrawNow();
    }
    return Default();
}

void CHyperLink::OnLinkClicked() {
    const int result = OpenTarget(m_strTarget, SW_SHOW);
    m_bVisited = result > 32;
    if (!m_bVisited) {
        s_beep(MB_ICONEXCLAMATION);
        ShowOpenError(result);
    } else if (HasWindow()) {
        Invalidate(TRUE);
    }
}

int CHyperLink::OpenTarget(const std::wstring& address, int showCommand) {
    const auto result = static_cast<int>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, showCommand)));
    if (result > 32) {
        return result;
    }

    // Else the browser that is registered for web pages.
    std::wstring documentType;
    if (ReadClassesRootDefault(L".htm", documentType) != ERROR_SUCCESS) {
        return result;
    }
    std::wstring command;
    if (ReadClassesRootDefault(documentType + L"\\shell\\open\\command", command) !=
        ERROR_SUCCESS) {
        return result;
    }
    const std::wstring line = emb::WideString(
        emb::ComposeBrowserCommand(emb::Utf16String(command), emb::Utf16String(address)));
    return static_cast<int>(::WinExec(ToAnsi(line).c_str(), static_cast<UINT>(showCommand)));
}

int CHyperLink::ReadClassesRootDefault(const std::wstring& key, std::wstring& value) {
    HKEY opened = nullptr;
    const LONG result =
        ::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (result != ERROR_SUCCESS) {
        return static_cast<int>(result);
    }
    wchar_t buffer[kDefaultValueBytes / sizeof(wchar_t)] = {};
    LONG size = kDefaultValueBytes;  // in bytes
    if (::RegQueryValueW(opened, nullptr, buffer, &size) == ERROR_SUCCESS) {
        // A value that fills the buffer comes without a terminator: read no further than the
        // size the call answered.
        const std::size_t units =
            std::min(static_cast<std::size_t>(size) / sizeof(wchar_t), std::size(buffer));
        const std::wstring_view stored(buffer, units);
        value = std::wstring(stored.substr(0, stored.find(L'\0')));
    } else {
        value.clear();
    }
    ::RegCloseKey(opened);
    return 0;
}

void CHyperLink::ShowOpenError(int code) {
    afx::AfxMessageBox(emb::WideString(emb::OpenErrorMessage(code)), MB_ICONEXCLAMATION | MB_OK);
}

void CHyperLink::FitToText() {
    if (!HasWindow() || !m_bAdjustToFit) {
        return;
    }
    RECT window;
    GetWindowRect(&window);
    ::MapWindowPoints(nullptr, GetParent(), reinterpret_cast<POINT*>(&window), 2);

    const std::wstring caption = GetWindowText();
    SIZE extent = {};
    if (const HDC dc = ::GetDC(m_hWnd); dc != nullptr) {
        const HGDIOBJ previous = m_hLinkFont != nullptr ? ::SelectObject(dc, m_hLinkFont) : nullptr;
        ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        if (previous != nullptr) {
            ::SelectObject(dc, previous);
        }
        ::ReleaseDC(m_hWnd, dc);
    }

    const emb::LabelRect fitted = emb::FitLabelToText(
        {window.left, window.top, window.right, window.bottom}, GetStyle(), {extent.cx, extent.cy});
    ::SetWindowPos(m_hWnd, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                   fitted.bottom - fitted.top, SWP_NOZORDER);
}

void CHyperLink::LoadHandCursor() {
    if (m_hLinkCursor != nullptr) {
        return;
    }
    wchar_t directory[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    const std::wstring path = std::wstring(directory, length) + L"\\winhlp32.exe";
    const HMODULE module = ::LoadLibraryW(path.c_str());
    if (module == nullptr) {
        return;
    }
    if (const HCURSOR cursor = ::LoadCursorW(module, MAKEINTRESOURCEW(kHandCursorId));
        cursor != nullptr) {
        // A copy of our own: the module's cursor goes with the module.
        m_hLinkCursor = static_cast<HCURSOR>(::CopyIcon(cursor));
    }
    ::FreeLibrary(module);
}

void CHyperLink::RedrawNow() {
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
