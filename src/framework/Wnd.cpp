#include "Wnd.h"

#include <commctrl.h>

#include <unordered_map>

namespace afx {
namespace {

// Each window's CWnd, so a child's object is found in one step. A map of our own rather than
// a window property: under Wine every property read is a call to the server, and a list view
// sends its parent several notifications per inserted row. The program's windows all live on
// its one user-interface thread.
std::unordered_map<HWND, CWnd*>& Objects() {
    static std::unordered_map<HWND, CWnd*> objects;
    return objects;
}

// The procedure each subclassed window had before ours. Kept apart from the objects: a window
// whose object has gone still needs its own procedure until it is destroyed.
std::unordered_map<HWND, WNDPROC>& SuperProcs() {
    static std::unordered_map<HWND, WNDPROC> procs;
    return procs;
}

bool IsCtlColor(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

bool Matches(const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (entry.kind) {
        case EntryKind::Message:
            return entry.message == message;
        case EntryKind::Registered:
            return message >= 0xC000 && entry.registered() == message;
        case EntryKind::Command:
            return message == WM_COMMAND && HIWORD(wParam) == entry.code &&
                   LOWORD(wParam) == entry.id;
        case EntryKind::Notify: {
            if (message != WM_NOTIFY) {
                return false;
            }
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            return header->code == entry.code && header->idFrom == entry.id;
        }
        case EntryKind::ReflectedCommand:
        case EntryKind::ReflectedNotify:
        case EntryKind::ReflectedCtlColor:
            break;
    }
    return false;
}

bool MatchesReflected(const MessageEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (entry.kind) {
        case EntryKind::ReflectedCommand:
            return message == WM_COMMAND && HIWORD(wParam) == entry.code;
        case EntryKind::ReflectedNotify:
            return message == WM_NOTIFY &&
                   reinterpret_cast<const NMHDR*>(lParam)->code == entry.code;
        case EntryKind::ReflectedCtlColor:
            return message == entry.message;
        case EntryKind::Message:
        case EntryKind::Registered:
        case EntryKind::Command:
        case EntryKind::Notify:
            break;
    }
    return false;
}

}  // namespace

// Keeps the message being handled for Default(), also across nested messages.
class CWnd::CurrentMessageScope {
public:
    CurrentMessageScope(CurrentMessage& current, CurrentMessage handled)
        : m_current(current), m_saved(current) {
        current = handled;
    }
    ~CurrentMessageScope() { m_current = m_saved; }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

private:
    CurrentMessage& m_current;
    CurrentMessage m_saved;
};

const MessageMap CWnd::messageMap{nullptr, {}};

CWnd::~CWnd() {
    Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    const auto found = Objects().find(hwnd);
    return found != Objects().end() ? found->second : nullptr;
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    Objects()[hwnd] = this;
}

void CWnd::Detach() {
    if (m_hWnd == nullptr) {
        return;
    }
    if (m_superProc != nullptr) {
        // Put the window's own procedure back unless someone has subclassed it after us; then
        // ours stays in the chain and passes everything straight on.
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) ==
            &CWnd::SubclassProc) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
            SuperProcs().erase(m_hWnd);
        }
        m_superProc = nullptr;
    }
    Objects().erase(m_hWnd);
    m_hWnd = nullptr;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd != nullptr || hwnd == nullptr || FromHandlePermanent(hwnd) != nullptr) {
        return false;
    }
    m_hWnd = hwnd;
    PreSubclassWindow();
    return HookWindow(hwnd);
}

// Subclassed by replacing the window procedure rather than with comctl32's SetWindowSubclass:
// under Wine that one reads a window property (a call to the server) on every message, which
// made filling the word list ten times slower.
bool CWnd::HookWindow(HWND hwnd) {
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    if (previous == nullptr) {
        m_hWnd = nullptr;
        return false;
    }
    m_superProc = previous;
    SuperProcs()[hwnd] = previous;
    Attach(hwnd);
    return true;
}

namespace {

// The object whose window CreateEx is creating, and the hook that hands it the window.
CWnd* g_creating = nullptr;
HHOOK g_creationHook = nullptr;

}  // namespace

LRESULT CALLBACK CWnd::CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    // The new window is taken over before it sees its first message.
    if (code == HCBT_CREATEWND && g_creating != nullptr) {
        CWnd* creating = g_creating;
        g_creating = nullptr;
        creating->HookWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(g_creationHook, code, wParam, lParam);
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    g_creating = this;
    g_creationHook =
        ::SetWindowsHookExW(WH_CBT, &CWnd::CreationHook, nullptr, ::GetCurrentThreadId());
    const HWND created = ::CreateWindowExW(
        exStyle, className, L"", style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
        rect.bottom - rect.top, parent->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
        ::GetModuleHandleW(nullptr), nullptr);
    ::UnhookWindowsHookEx(g_creationHook);
    g_creationHook = nullptr;
    g_creating = nullptr;
    return created != nullptr;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
    CWnd* self = FromHandlePermanent(hwnd);
    WNDPROC superProc = self != nullptr ? self->m_superProc : nullptr;
    if (superProc == nullptr) {
        const auto super = SuperProcs().find(hwnd);
        if (super == SuperProcs().end()) {
            return ::DefWindowProcW(hwnd, message, wParam, lParam);  // cannot happen: we set it
        }
        superProc = super->second;
    }
    LRESULT result = 0;
    const bool handled = self != nullptr && self->OnWndMsg(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        if (self != nullptr) {
            self->Detach();
        }
        // The window's own procedure sees its last message as if we had never been there.
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc));
        SuperProcs().erase(hwnd);
        return ::CallWindowProcW(superProc, hwnd, message, wParam, lParam);
    }
    return handled ? result : ::CallWindowProcW(superProc, hwnd, message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const CurrentMessageScope scope(m_current, {message, wParam, lParam});

    // A control's own notifications go to the control first.
    HWND child = nullptr;
    if (message == WM_COMMAND || IsCtlColor(message)) {
        child = reinterpret_cast<HWND>(lParam);
    } else if (message == WM_NOTIFY) {
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    }
    // A control may also name itself as the source, as the cell editor's report does.
    if (child != nullptr && (child == m_hWnd || ::GetParent(child) == m_hWnd)) {
        if (CWnd* control = FromHandlePermanent(child);
            control != nullptr && control->OnChildNotify(message, wParam, lParam, result)) {
            return true;
        }
    }

    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (Matches(entry, message, wParam, lParam)) {
                result = entry.thunk(*this, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const CurrentMessageScope scope(m_current, {message, wParam, lParam});
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (MatchesReflected(entry, message, wParam, lParam)) {
                result = entry.thunk(*this, wParam, lParam);
                // A control that gives no brush leaves the colours to its parent.
                return entry.kind != EntryKind::ReflectedCtlColor || result != 0;
            }
        }
    }
    return false;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc != nullptr) {
        return ::CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

bool CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = FromHandlePermanent(hwnd);
            wnd != nullptr && wnd->PreTranslateMessage(msg)) {
            return true;
        }
        if (hwnd == stop) {
            break;
        }
    }
    return false;
}

std::wstring CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    return text;
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

}  // namespace afx
