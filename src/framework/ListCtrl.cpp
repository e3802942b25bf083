#include "ListCtrl.h"

namespace afx {

std::wstring CListCtrl::GetItemText(int row, int column) const {
    // A row past the end needs no check of its own: the control copies nothing and answers 0.
    if (row < 0 || column < 0) {
        return {};
    }
    // The control copies at most the buffer's size less one: grow until the text fits.
    std::wstring text(64, L'\0');
    for (;;) {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<std::size_t>(SendMessage(
            LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

BOOL CListCtrl::SetItemText(int row, int column, const std::wstring& text) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(&item)) != 0;
}

int CListCtrl::InsertItem(UINT mask, int row, const std::wstring& text, UINT state,
                          UINT stateMask) {
    LVITEMW item = {};
    item.mask = mask;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.state = state;
    item.stateMask = stateMask;
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::InsertColumn(int column, const std::wstring& heading, int format, int width,
                            int subItem) {
    LVCOLUMNW info = {};
    info.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    info.fmt = format;
    info.cx = width;
    info.pszText = const_cast<wchar_t*>(heading.c_str());
    if (subItem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(&info)));
}

void CListCtrl::ScrollToTopIndex(int row) {
    const int top = GetTopIndex();
    RECT bounds = {};
    if (row == top || GetItemCount() == 0 || !GetItemRect(0, &bounds, LVIR_BOUNDS)) {
        return;
    }
    Scroll(0, (row - top) * (bounds.bottom - bounds.top));
}

int CListCtrl::HitTest(POINT point) const {
    LVHITTESTINFO info = {};
    info.pt = point;
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CListCtrl::GetItemRect(int row, RECT* rect, int code) const {
    rect->left = code;
    return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(rect)) !=
           0;
}

}  // namespace afx
