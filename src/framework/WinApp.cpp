#include "WinApp.h"

#include <cassert>

namespace afx {
namespace {

CWinApp* g_app = nullptr;

std::wstring ExecutableBaseName(HINSTANCE instance) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(instance, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) {
        name.resize(dot);
    }
    return name;
}

}  // namespace

CWinApp::CWinApp() {
    assert(g_app == nullptr && "one application object only");
    g_app = this;
}

CWinApp::~CWinApp() {
    g_app = nullptr;
}

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app != nullptr && g_app->m_hInstance != nullptr ? g_app->m_hInstance
                                                             : ::GetModuleHandleW(nullptr);
}

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return -1;
    }
    app->m_hInstance = instance;
    app->m_strAppName = ExecutableBaseName(nullptr);
    if (!app->InitInstance()) {
        return 0;
    }
    return app->Run();
}

int AfxMessageBox(const std::wstring& text, UINT type) {
    const UINT kind = type & MB_TYPEMASK;
    if ((type & MB_ICONMASK) == 0 &&
        (kind == MB_OK || kind == MB_OKCANCEL || kind == MB_YESNO || kind == MB_YESNOCANCEL)) {
        type |= MB_ICONEXCLAMATION;
    }
    HWND owner = nullptr;
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && ::IsWindow(main->m_hWnd)) {
        // The box goes on top of whatever the main window shows last, a modal dialog say.
        owner = ::GetLastActivePopup(::GetAncestor(main->m_hWnd, GA_ROOT));
    }
    const std::wstring caption =
        g_app != nullptr ? g_app->m_strAppName : ExecutableBaseName(nullptr);
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

std::wstring LoadResourceString(UINT id) {
    const wchar_t* text = nullptr;
    // With a zero length, the call hands out a pointer into the resource itself.
    const int length =
        ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return {};
    }
    return std::wstring(text, static_cast<std::size_t>(length));
}

}  // namespace afx
