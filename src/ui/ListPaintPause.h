#pragma once

#include <windows.h>

#include "ListCtrl.h"

// Keeps a list view's window out of painting while its rows change, then paints once what
// changed: the rows, and the frame and the header only where they changed.
//
// The control's own redrawing switch is not enough on its own. Switching it back on makes the
// control redraw its scroll bars at once (twice) and its header; a row getting the focus
// redraws them again. Under Wine each of those costs milliseconds, more than the change itself.
// While the window is marked hidden from painting, as the system's default WM_SETREDRAW
// handling marks it, all of that happens unseen and costs nothing.
class ListPaintPause {
public:
    explicit ListPaintPause(afx::CListCtrl& list) : m_list(list) {}
    ~ListPaintPause() { End(); }
    ListPaintPause(const ListPaintPause&) = delete;
    ListPaintPause& operator=(const ListPaintPause&) = delete;

    // Paints what is waiting, then takes the window out of painting. Nothing to do for a window
    // already out of it or not shown at all.
    void Begin();
    // Puts the window back into painting and paints it as it now stands.
    void End();

private:
    // What the control draws outside its rows: the frame with the scroll bars, and the header.
    struct Surroundings {
        DWORD scrollBars = 0;  // the window's WS_HSCROLL and WS_VSCROLL
        SCROLLINFO horizontal = {};
        SCROLLINFO vertical = {};
        RECT window = {};
        RECT client = {};
        RECT header = {};  // in client coordinates
    };
    Surroundings SurroundingsNow() const;
    static bool SameFrame(const Surroundings& a, const Surroundings& b);
    void RepaintHeader(const RECT& before, const RECT& now) const;
    HWND Header() const { return ::GetDlgItem(m_list.m_hWnd, 0); }

    afx::CListCtrl& m_list;
    bool m_paused = false;
    Surroundings m_before;
};
