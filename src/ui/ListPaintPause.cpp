#include "ListPaintPause.h"

#include <commctrl.h>

#include <algorithm>

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != FALSE;
}

bool SameScrollInfo(const SCROLLINFO& a, const SCROLLINFO& b) {
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

SCROLLINFO ScrollInfoOf(HWND hwnd, int bar) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (::GetScrollInfo(hwnd, bar, &info) == FALSE) {
        info = {};
    }
    return info;
}

}  // namespace

void ListPaintPause::Begin() {
    if (m_paused || (m_list.GetStyle() & WS_VISIBLE) == 0) {
        return;
    }
    // Whatever waits to be painted is painted now: the system's default handling drops it.
    m_list.UpdateWindow();
    m_before = SurroundingsNow();
    ::DefWindowProcW(m_list.m_hWnd, WM_SETREDRAW, FALSE, 0);
    m_paused = true;
}

void ListPaintPause::End() {
    if (!m_paused) {
        return;
    }
    m_paused = false;
    ::DefWindowProcW(m_list.m_hWnd, WM_SETREDRAW, TRUE, 0);
    // Being shown again leaves the frame marked for painting (under Wine), which redraws the
    // scroll bars for nothing; what did change is marked below.
    ::RedrawWindow(m_list.m_hWnd, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
    const Surroundings now = SurroundingsNow();

    // The rows, and any child over them; not the header's place, or the list would paint over
    // a header that has not changed.
    RECT rows = now.client;
    rows.top = std::max(rows.top, now.header.bottom);
    ::RedrawWindow(m_list.m_hWnd, &rows, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);

    if (!SameFrame(m_before, now)) {
        // The frame alone: the window's rectangle less its client area, in client coordinates.
        RECT window = now.window;
        ::MapWindowPoints(nullptr, m_list.m_hWnd, reinterpret_cast<POINT*>(&window), 2);
        HRGN frame = ::CreateRectRgnIndirect(&window);
        HRGN client = ::CreateRectRgnIndirect(&now.client);
        ::CombineRgn(frame, frame, client, RGN_DIFF);
        ::RedrawWindow(m_list.m_hWnd, nullptr, frame, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
        ::DeleteObject(client);
        ::DeleteObject(frame);
    }
    if (!SameRect(m_before.header, now.header)) {
        RepaintHeader(m_before.header, now.header);
    }
    m_list.UpdateWindow();
}

// A header that only grew or shrank at its right end (the scroll bar came or went) changed only
// right of its last column, where it draws an empty heading to its end; else all of it changed.
void ListPaintPause::RepaintHeader(const RECT& before, const RECT& now) const {
    const HWND header = Header();
    RECT changed = {0, 0, now.right - now.left, now.bottom - now.top};
    if (before.left == now.left && before.top == now.top && before.bottom == now.bottom) {
        LONG columnsEnd = 0;
        if (const int columns = Header_GetItemCount(header); columns > 0) {
            RECT last = {};
            Header_GetItemRect(header, Header_OrderToIndex(header, columns - 1), &last);
            columnsEnd = last.right;
        }
        changed.left = std::min({columnsEnd, before.right - before.left, now.right - now.left});
    }
    ::RedrawWindow(header, &changed, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

ListPaintPause::Surroundings ListPaintPause::SurroundingsNow() const {
    Surroundings seen;
    const HWND list = m_list.m_hWnd;
    seen.scrollBars = m_list.GetStyle() & (WS_HSCROLL | WS_VSCROLL);
    seen.horizontal = ScrollInfoOf(list, SB_HORZ);
    seen.vertical = ScrollInfoOf(list, SB_VERT);
    m_list.GetWindowRect(&seen.window);
    m_list.GetClientRect(&seen.client);
    // The header's own style: while the list is out of painting, no child of it counts as visible.
    if (const HWND header = Header();
        header != nullptr && (::GetWindowLongW(header, GWL_STYLE) & WS_VISIBLE) != 0) {
        ::GetWindowRect(header, &seen.header);
        ::MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&seen.header), 2);
    }
    return seen;
}

bool ListPaintPause::SameFrame(const Surroundings& a, const Surroundings& b) {
    return a.scrollBars == b.scrollBars && SameScrollInfo(a.horizontal, b.horizontal) &&
           SameScrollInfo(a.vertical, b.vertical) && SameRect(a.window, b.window) &&
           SameRect(a.client, b.client);
}
