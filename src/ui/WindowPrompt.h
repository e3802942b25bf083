#pragma once

#include <functional>

#include "UserPrompt.h"
#include "Wnd.h"

// Asks the user through the program's message boxes and the system's file dialogs, owned by
// the main window. beforeShowing runs before anything is shown, so the window is up to date
// beneath it.
class WindowPrompt final : public emb::UserPrompt {
public:
    WindowPrompt(afx::CWnd& owner, std::function<void()> beforeShowing)
        : m_owner(owner), m_beforeShowing(std::move(beforeShowing)) {}

    emb::MessageAnswer ShowMessage(const std::u16string& text,
                                   emb::MessageButtons buttons) override;
    std::optional<emb::ChosenFile> AskForFile(const emb::FileDialogRequest& request) override;

private:
    afx::CWnd& m_owner;
    std::function<void()> m_beforeShowing;
};
