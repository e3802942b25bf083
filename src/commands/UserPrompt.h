#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Labels.h"

namespace emb {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

enum class FileDialogKind { Open, Save };

inline constexpr std::uint32_t kOverwritePromptFlag = 0x2;  // OFN_OVERWRITEPROMPT

// A file dialog the commands show: user-word files, and text word lists too where Import asks.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::u16string_view filter = kUserWordFileFilter;
    std::u16string_view defaultExtension = u"EMB";
    std::uint32_t flags = kOverwritePromptFlag;
};

// How the commands ask and tell the user: message boxes and the open and save dialogs.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;

    virtual MessageAnswer ShowMessage(const std::u16string& text, MessageButtons buttons) = 0;
    // The full path the user chose, or nullopt when the dialog was cancelled.
    virtual std::optional<std::u16string> AskForFile(const FileDialogRequest& request) = 0;
};

}  // namespace emb
