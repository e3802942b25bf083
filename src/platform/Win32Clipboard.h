#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace emb {

bool HasClipboardText();
// The clipboard's Unicode text, or nullopt when it holds none or can't be opened.
std::optional<std::u16string> ClipboardText(HWND owner);
// Puts text on the clipboard as its only content; false when it couldn't.
bool SetClipboardText(HWND owner, std::u16string_view text);

}  // namespace emb
