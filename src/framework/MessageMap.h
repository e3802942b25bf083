#pragma once

// Per-class static message tables: one entry a line, read top to bottom, each naming the
// member function that handles it. What no entry of a class handles goes to its base class's
// table, and then to the window's default processing. A class declares
//     static const afx::MessageEntry messageEntries[];
//     static const afx::MessageMap messageMap;
//     const afx::MessageMap* GetMessageMap() const override { return &messageMap; }
// and defines both in its source file, the map naming its base class's map.

#include <windows.h>

#include <span>

namespace afx {

class CWnd;

using MessageThunk = LRESULT (*)(CWnd& target, WPARAM wParam, LPARAM lParam);

enum class EntryKind {
    Message,            // any message, by its number
    Command,            // WM_COMMAND by notification code and control id
    Notify,             // WM_NOTIFY by notification code and control id
    ReflectedCommand,   // a WM_COMMAND that the control itself sent, handled by the control
    ReflectedNotify,    // likewise for WM_NOTIFY
    ReflectedCtlColor,  // likewise for WM_CTLCOLOR*; a null brush means not handled
    Registered,         // a message whose number the system gives at run time
};

struct MessageEntry {
    EntryKind kind;
    UINT message;
    UINT code;
    UINT id;
    MessageThunk thunk;
    UINT (*registered)() = nullptr;  // Registered: the message's number
};

struct MessageMap {
    const MessageMap* base;
    std::span<const MessageEntry> entries;
};

namespace detail {

template <class Member>
struct MemberOf;
template <class T, class R, class... Args>
struct MemberOf<R (T::*)(Args...)> {
    using Class = T;
};

template <auto Handler>
using ClassOf = typename MemberOf<decltype(Handler)>::Class;

template <auto Handler>
ClassOf<Handler>& Target(CWnd& wnd) {
    return static_cast<ClassOf<Handler>&>(wnd);
}

}  // namespace detail

// LRESULT Handler(WPARAM, LPARAM)
template <auto Handler>
constexpr MessageEntry OnMessage(UINT message) {
    return {EntryKind::Message, message, 0, 0, [](CWnd& wnd, WPARAM w, LPARAM l) -> LRESULT {
                return (detail::Target<Handler>(wnd).*Handler)(w, l);
            }};
}

// LRESULT Handler(WPARAM, LPARAM), for a message of RegisterWindowMessage that number() gives
template <auto Handler>
constexpr MessageEntry OnRegisteredMessage(UINT (*number)()) {
    return {EntryKind::Registered,
            0,
            0,
            0,
            [](CWnd& wnd, WPARAM w, LPARAM l) -> LRESULT {
                return (detail::Target<Handler>(wnd).*Handler)(w, l);
            },
            number};
}

// void Handler()
template <auto Handler>
constexpr MessageEntry OnCommand(UINT code, UINT id) {
    return {EntryKind::Command, WM_COMMAND, code, id, [](CWnd& wnd, WPARAM, LPARAM) -> LRESULT {
                (detail::Target<Handler>(wnd).*Handler)();
                return 0;
            }};
}

// void Handler(NMHDR*, LRESULT*)
template <auto Handler>
constexpr MessageEntry OnNotify(UINT code, UINT id) {
    return {EntryKind::Notify, WM_NOTIFY, code, id, [](CWnd& wnd, WPARAM, LPARAM l) -> LRESULT {
                LRESULT result = 0;
                (detail::Target<Handler>(wnd).*Handler)(reinterpret_cast<NMHDR*>(l), &result);
                return result;
            }};
}

// void Handler()
template <auto Handler>
constexpr MessageEntry OnReflectedCommand(UINT code) {
    return {EntryKind::ReflectedCommand, WM_COMMAND, code, 0,
            [](CWnd& wnd, WPARAM, LPARAM) -> LRESULT {
                (detail::Target<Handler>(wnd).*Handler)();
                return 0;
            }};
}

// void Handler(NMHDR*, LRESULT*)
template <auto Handler>
constexpr MessageEntry OnReflectedNotify(UINT code) {
    return {EntryKind::ReflectedNotify, WM_NOTIFY, code, 0,
            [](CWnd& wnd, WPARAM, LPARAM l) -> LRESULT {
                LRESULT result = 0;
                (detail::Target<Handler>(wnd).*Handler)(reinterpret_cast<NMHDR*>(l), &result);
                return result;
            }};
}

// HBRUSH Handler(HDC)
template <auto Handler>
constexpr MessageEntry OnReflectedCtlColor(UINT message) {
    return {EntryKind::ReflectedCtlColor, message, 0, 0,
            [](CWnd& wnd, WPARAM w, LPARAM) -> LRESULT {
                return reinterpret_cast<LRESULT>(
                    (detail::Target<Handler>(wnd).*Handler)(reinterpret_cast<HDC>(w)));
            }};
}

// void Handler(UINT id, LPARAM)
template <auto Handler>
constexpr MessageEntry OnSysCommand() {
    return {EntryKind::Message, WM_SYSCOMMAND, 0, 0, [](CWnd& wnd, WPARAM w, LPARAM l) -> LRESULT {
                (detail::Target<Handler>(wnd).*Handler)(static_cast<UINT>(w), l);
                return 0;
            }};
}

// void Handler()
template <auto Handler>
constexpr MessageEntry OnPaint() {
    return {EntryKind::Message, WM_PAINT, 0, 0, [](CWnd& wnd, WPARAM, LPARAM) -> LRESULT {
                (detail::Target<Handler>(wnd).*Handler)();
                return 0;
            }};
}

// HCURSOR Handler()
template <auto Handler>
constexpr MessageEntry OnQueryDragIcon() {
    return {EntryKind::Message, WM_QUERYDRAGICON, 0, 0, [](CWnd& wnd, WPARAM, LPARAM) -> LRESULT {
                return reinterpret_cast<LRESULT>((detail::Target<Handler>(wnd).*Handler)());
            }};
}

// void Handler(UINT keyFlags, POINT point)
template <auto Handler>
constexpr MessageEntry OnLButtonDown() {
    return {EntryKind::Message, WM_LBUTTONDOWN, 0, 0, [](CWnd& wnd, WPARAM w, LPARAM l) -> LRESULT {
                const POINT point{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
                (detail::Target<Handler>(wnd).*Handler)(static_cast<UINT>(w), point);
                return 0;
            }};
}

// void Handler(UINT keyFlags, POINT point)
template <auto Handler>
constexpr MessageEntry OnMouseMove() {
    return {EntryKind::Message, WM_MOUSEMOVE, 0, 0, [](CWnd& wnd, WPARAM w, LPARAM l) -> LRESULT {
                const POINT point{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
                (detail::Target<Handler>(wnd).*Handler)(static_cast<UINT>(w), point);
                return 0;
            }};
}

// BOOL Handler(HWND window, UINT hitTest, UINT message), TRUE when the cursor is set
template <auto Handler>
constexpr MessageEntry OnSetCursor() {
    return {EntryKind::Message, WM_SETCURSOR, 0, 0, [](CWnd& wnd, WPARAM w, LPARAM l) -> LRESULT {
                return (detail::Target<Handler>(wnd).*Handler)(reinterpret_cast<HWND>(w), LOWORD(l),
                                                               HIWORD(l));
            }};
}

// void Handler(UINT code, UINT position, HWND scrollBar), for WM_HSCROLL or WM_VSCROLL
template <auto Handler>
constexpr MessageEntry OnScroll(UINT message) {
    return {EntryKind::Message, message, 0, 0, [](CWnd& wnd, WPARAM w, LPARAM l) -> LRESULT {
                (detail::Target<Handler>(wnd).*Handler)(LOWORD(w), HIWORD(w),
                                                        reinterpret_cast<HWND>(l));
                return 0;
            }};
}

// void Handler(HWND newFocus)
template <auto Handler>
constexpr MessageEntry OnKillFocus() {
    return {EntryKind::Message, WM_KILLFOCUS, 0, 0, [](CWnd& wnd, WPARAM w, LPARAM) -> LRESULT {
                (detail::Target<Handler>(wnd).*Handler)(reinterpret_cast<HWND>(w));
                return 0;
            }};
}

// void Handler(UINT character, UINT repeatCount, UINT flags)
template <auto Handler>
constexpr MessageEntry OnChar() {
    return {EntryKind::Message, WM_CHAR, 0, 0, [](CWnd& wnd, WPARAM w, LPARAM l) -> LRESULT {
                (detail::Target<Handler>(wnd).*Handler)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
                return 0;
            }};
}

// int Handler(CREATESTRUCTW*), answering -1 to fail the creation
template <auto Handler>
constexpr MessageEntry OnCreate() {
    return {EntryKind::Message, WM_CREATE, 0, 0, [](CWnd& wnd, WPARAM, LPARAM l) -> LRESULT {
                return (detail::Target<Handler>(wnd).*Handler)(reinterpret_cast<CREATESTRUCTW*>(l));
            }};
}

}  // namespace afx
