#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "UserPrompt.h"

namespace emb::testing {

// Records what the user is shown, in order, and gives scripted answers.
class RecordingPrompt final : public UserPrompt {
public:
    struct Shown {
        std::u16string text;  // the message, or "open " / "save " and the file dialog's filter
        MessageButtons buttons = MessageButtons::Ok;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    std::vector<Shown> shown;
    std::deque<std::optional<std::u16string>> fileAnswers;  // none left: the dialog is cancelled
    std::size_t fileType = 0;                               // the filter entry of every answer
    MessageAnswer yesNoAnswer = MessageAnswer::No;          // to every question
    std::function<void()> whileAsking;  // runs once, while the first question is open

    MessageAnswer ShowMessage(const std::u16string& text, MessageButtons buttons) override {
        shown.push_back({text, buttons});
        if (buttons != MessageButtons::Ok && whileAsking) {
            std::exchange(whileAsking, nullptr)();
        }
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : yesNoAnswer;
    }
    std::optional<ChosenFile> AskForFile(const FileDialogRequest& request) override {
        const bool open = request.kind == FileDialogKind::Open;
        shown.push_back({(open ? u"open " : u"save ") + std::u16string(request.filter)});
        std::optional<std::u16string> path;
        if (!fileAnswers.empty()) {
            path = fileAnswers.front();
            fileAnswers.pop_front();
        }
        return path ? std::optional(ChosenFile{*path, fileType}) : std::nullopt;
    }
};

}  // namespace emb::testing
