#pragma once

#include <cstddef>
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
    std::u16string_view defaultExtension = u"EMB";  // empty: none is added
    std::uint32_t flags = kOverwritePromptFlag;
};

// A file the user chose, and which of the dialog's filter entries was chosen with it (from 0).
struct ChosenFile {
    std::u16string path;
    std::size_t type = 0;
};

// How the commands ask and tell the user: message boxes and the open and save dialogs.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;

    virtual MessageAnswer ShowMessage(const std::u16string& text, MessageButtons buttons) = 0;
    // The file the user chose, its full path, or nullopt when the dialog was cancelled.
    virtual std::optional<ChosenFile> AskForFile(const FileDialogRequest& request) = 0;
};

}  // namespace emb
