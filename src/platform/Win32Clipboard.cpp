#include "Win32Clipboard.h"

#include <cstring>

namespace emb {
namespace {

// Open while it lives; another program may hold the clipboard for a moment.
class OpenClipboard {
public:
    explicit OpenClipboard(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
    ~OpenClipboard() {
        if (m_open) {
            ::CloseClipboard();
        }
    }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
    explicit operator bool() const { return m_open; }

private:
    bool m_open;
};

}  // namespace

bool HasClipboardText() {
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

std::optional<std::u16string> ClipboardText(HWND owner) {
    const OpenClipboard clipboard(owner);
    const HANDLE data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* text = data != nullptr ? static_cast<const char16_t*>(::GlobalLock(data)) : nullptr;
    if (text == nullptr) {
        return std::nullopt;
    }
    // Up to its terminating NUL, within the memory the clipboard holds.
    const std::u16string_view held(text, ::GlobalSize(data) / sizeof(char16_t));
    std::u16string result(held.substr(0, held.find(u'\0')));
    ::GlobalUnlock(data);
    return result;
}

bool SetClipboardText(HWND owner, std::u16string_view text) {
    const OpenClipboard clipboard(owner);
    if (!clipboard || !::EmptyClipboard()) {
        return false;
    }
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    auto* units = memory != nullptr ? static_cast<char16_t*>(::GlobalLock(memory)) : nullptr;
    if (units == nullptr) {
        if (memory != nullptr) {
            ::GlobalFree(memory);
        }
        return false;
    }
    std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    units[text.size()] = u'\0';
    ::GlobalUnlock(memory);
    if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        ::GlobalFree(memory);  // the clipboard took it only on success
        return false;
    }
    return true;
}

}  // namespace emb
