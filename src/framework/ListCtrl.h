#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "Wnd.h"

namespace afx {

// A report-view list-view control.
class CListCtrl : public CWnd {
public:
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    // The cell's whole text, however long; the empty text when the cell doesn't exist.
    std::wstring GetItemText(int row, int column) const;
    BOOL SetItemText(int row, int column, const std::wstring& text);
    // Inserts a row with its column-0 text and state; answers its index, or -1.
    int InsertItem(UINT mask, int row, const std::wstring& text, UINT state, UINT stateMask);
    BOOL DeleteItem(int row) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row)) != 0; }
    BOOL DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    UINT GetItemState(int row, UINT mask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
    }
    BOOL SetItemState(int row, UINT state, UINT mask) {
        LVITEMW item = {};
        item.state = state;
        item.stateMask = mask;
        return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(&item)) != 0;
    }
    // The next row after `start` (-1: from the first) with the LVNI_ flags, or -1.
    int GetNextItem(int start, UINT flags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags));
    }
    int GetSelectedCount() const { return static_cast<int>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    BOOL EnsureVisible(int row) {
        return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE) != 0;
    }
    int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
    int SetSelectionMark(int row) {
        return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, row));
    }
    DWORD SetExtendedStyle(DWORD styles) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles));
    }
    DWORD GetExtendedStyle() const {
        return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    }
    int InsertColumn(int column, const std::wstring& heading, int format, int width,
                     int subItem = -1);
    int GetColumnWidth(int column) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    }
    // Columns, as the header control (the child with id 0) counts them.
    int GetColumnCount() const {
        return static_cast<int>(::SendMessageW(::GetDlgItem(m_hWnd, 0), HDM_GETITEMCOUNT, 0, 0));
    }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    // Scrolls a report view so that `row` is the first row shown, as far as the rows allow.
    void ScrollToTopIndex(int row);
    // The row under a point in client coordinates, or -1.
    int HitTest(POINT point) const;
    BOOL GetItemRect(int row, RECT* rect, int code) const;
    BOOL Scroll(int dx, int dy) {
        return SendMessage(LVM_SCROLL, static_cast<WPARAM>(dx), dy) != 0;
    }
};

}  // namespace afx
