#pragma once

#include <windows.h>

#include <string>

#include "MessageMap.h"

namespace afx {

// A window handle and the typed calls the program makes on it. A CWnd that is attached to its
// window receives the window's messages through its message table.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to hwnd, or nullptr.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Takes over an existing window: its messages reach this object from now on.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    // Creates a child window of a system class whose messages, WM_CREATE among them, reach this
    // object from the start.
    BOOL CreateEx(DWORD exStyle, const wchar_t* className, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id);

    virtual const MessageMap* GetMessageMap() const { return &messageMap; }
    // First look at a message from the modal loop, before it is translated and dispatched;
    // true when it has been dealt with.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Runs PreTranslateMessage of the message's window and of each parent up to stop.
    static bool WalkPreTranslateTree(HWND stop, MSG* msg);

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void EnableDlgItem(int id, BOOL enable) { ::EnableWindow(GetDlgItem(id), enable); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    void SetFont(HFONT font, BOOL redraw = TRUE) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetWindowText() const;
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void SetFocus() { ::SetFocus(m_hWnd); }
    void SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, redraw, 0); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    HICON SetIcon(HICON icon, BOOL big);
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    HFONT GetFont() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL DestroyWindow();

    static const MessageMap messageMap;

protected:
    // Called just before the window is taken over.
    virtual void PreSubclassWindow() {}

    // Finds the table entry for a message and runs it; false when no entry handled it.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A notification this control sent to its parent, given back to the control first.
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The window's own processing of the message being handled.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The message being handled, for Default().
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    CurrentMessage m_current;
    class CurrentMessageScope;

    void Attach(HWND hwnd);
    void Detach();

private:
    bool HookWindow(HWND hwnd);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept;
    // The window's own procedure, which ours hands every message on to; null when not subclassed.
    WNDPROC m_superProc = nullptr;
};

}  // namespace afx
