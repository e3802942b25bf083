#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "UserPrompt.h"

namespace emb::testing {

// Records what the user is shown, in order, and gives scripted answers.
class RecordingPrompt final : public UserPrompt {
public:
    struct Shown {
        std::u16string text;  // the message, or "<open dialog>" / "<save dialog>"
        MessageButtons buttons = MessageButtons::Ok;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    std::vector<Shown> shown;
    std::vector<FileDialogRequest> dialogs;
    std::deque<std::optional<std::u16string>> fileAnswers;  // empty: the dialog is cancelled
    MessageAnswer yesNoAnswer = MessageAnswer::No;
    std::deque<MessageAnswer> answers;  // for questions, in order; when empty: yesNoAnswer, Cancel

    MessageAnswer ShowMessage(const std::u16string& text, MessageButtons buttons) override {
        shown.push_back({text, buttons});
        if (buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::YesNo ? yesNoAnswer : MessageAnswer::Cancel;
    }

    std::optional<std::u16string> AskForFile(const FileDialogRequest& request) override {
        shown.push_back(
            {request.kind == FileDialogKind::Open ? u"<open dialog>" : u"<save dialog>"});
        dialogs.push_back(request);
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        std::optional<std::u16string> answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

}  // namespace emb::testing
