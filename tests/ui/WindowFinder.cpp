#include "WindowFinder.h"

namespace uitest {
namespace {

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM found) {
    if (::IsWindowVisible(hwnd) && ClassOf(hwnd) == L"#32770") {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    ::EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The file dialogs keep their file name in an edit box (edt1) or in the edit of a combo box
// (cmb13), depending on the dialog's style.
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47C;

HWND FileNameBox(HWND dialog) {
    for (HWND child : Descendants(dialog)) {
        const int id = ::GetDlgCtrlID(child);
        if (id == kFileNameEdit && ClassOf(child) == L"Edit") {
            return child;
        }
        if (id == kFileNameCombo) {
            if (HWND edit = ::FindWindowExW(child, nullptr, L"Edit", nullptr)) {
                return edit;
            }
        }
    }
    return nullptr;
}

}  // namespace

std::wstring WindowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindMessageBox() {
    for (HWND dialog : ThreadDialogs()) {
        // A message box's text is the static control 0xFFFF.
        if (HWND text = ::GetDlgItem(dialog, 0xFFFF);
            text != nullptr && FileNameBox(dialog) == nullptr) {
            return dialog;
        }
    }
    return nullptr;
}

std::wstring MessageBoxText(HWND box) {
    return WindowText(::GetDlgItem(box, 0xFFFF));
}

bool ShowsExclamationIcon(HWND box) {
    const HICON exclamation = ::LoadIconW(nullptr, IDI_EXCLAMATION);
    for (HWND child : Descendants(box)) {
        if (ClassOf(child) == L"Static" &&
            (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            return reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0)) == exclamation;
        }
    }
    return false;
}

std::vector<int> ButtonIds(HWND dialog) {
    std::vector<int> ids;
    for (HWND child : Descendants(dialog)) {
        if (ClassOf(child) == L"Button" && ::IsWindowVisible(child)) {
            ids.push_back(::GetDlgCtrlID(child));
        }
    }
    return ids;
}

HWND FindFileDialog() {
    for (HWND dialog : ThreadDialogs()) {
        if (FileNameBox(dialog) != nullptr) {
            return dialog;
        }
    }
    return nullptr;
}

void ChooseFile(HWND fileDialog, const std::wstring& path) {
    ::SendMessageW(FileNameBox(fileDialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(fileDialog, IDOK);
}

HWND FindDialogWithCaption(const std::wstring& caption) {
    for (HWND dialog : ThreadDialogs()) {
        if (WindowText(dialog) == caption) {
            return dialog;
        }
    }
    return nullptr;
}

void Click(HWND control) {
    RECT client;
    ::GetClientRect(control, &client);
    const LPARAM center =
        MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, center);
    ::PostMessageW(control, WM_LBUTTONUP, 0, center);
}

void PressKey(HWND target, UINT virtualKey) {
    const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageW(target, WM_KEYDOWN, virtualKey, static_cast<LPARAM>(1 | (scan << 16)));
    ::PostMessageW(target, WM_KEYUP, virtualKey,
                   static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

void PressButton(HWND dialog, int id) {
    ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void CloseEveryDialog() {
    for (HWND dialog : ThreadDialogs()) {
        for (const int id : {IDCANCEL, IDNO, IDOK}) {
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        }
    }
}

}  // namespace uitest
