#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "InstalledLibraries.h"
#include "ListView.h"
#include "UiScript.h"
#include "WinApp.h"
#include "WindowFinder.h"
#include "WordMaintDlg.h"
#include "resource.h"

namespace uitest {

inline constexpr wchar_t kTraditionalEntry[] = L"繁体自造词库";
inline constexpr wchar_t kSimplifiedEntry[] = L"简体自造词库";
inline const std::vector<int> kYesNoCancel = {IDYES, IDNO, IDCANCEL};
// The last step of a script that ends with the window.
inline constexpr char kUntilClosed[] = "the window closes";

// The main window on this machine's files, driven by a script while its modal loop runs.
class MainWindowFixture : public ::testing::Test {
protected:
    // Runs dialog modally with the script; answers what DoModal answered.
    INT_PTR Run(CWordMaintDlg& dialog) {
        m_dialog = &dialog;
        afx::AfxGetApp()->m_pMainWnd = &dialog;
        script.Start();
        const INT_PTR result = dialog.DoModal();
        afx::AfxGetApp()->m_pMainWnd = nullptr;
        EXPECT_TRUE(script.Finished() || script.Waiting() == kUntilClosed)
            << "the window ended before the script did: " << script.Waiting();
        script.Clear();
        return result;
    }

    HWND Dialog() const { return m_dialog->m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(Dialog(), id); }
    HWND List() const { return Item(IDC_WORD_LIST); }

    // Steps that every test needs.
    void WaitForWindow() {
        script.WaitUntil("the main window shows", [this] {
            return Dialog() != nullptr && ::IsWindowVisible(Dialog()) &&
                   FindMessageBox() == nullptr;
        });
    }
    // Chooses an entry the way a keyboard user does: arrow keys in the combo box.
    void ChooseLibrary(const std::wstring& entry) {
        script.WaitUntil("the entry is chosen", [this, entry] {
            const HWND combo = Item(IDC_LIBRARY_COMBO);
            const auto wanted =
                static_cast<int>(::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(entry.c_str())));
            const auto current = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
            if (current == wanted) {
                return true;
            }
            const HWND edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
            PressKey(edit, current == CB_ERR || current < wanted ? VK_DOWN : VK_UP);
            return false;
        });
    }
    void ClickButton(int id) {
        script.Then([this, id] { Click(Item(id)); });
    }
    // Waits for a message box, checks what it says and how, and presses one of its buttons;
    // closes: the answer ends the window.
    void AnswerMessageBox(const std::wstring& text, std::vector<int> buttons, int press,
                          bool closes = false) {
        auto box = std::make_shared<HWND>(nullptr);
        script.WaitUntil("a message box shows", [] { return FindMessageBox() != nullptr; })
            .Then([box, text, buttons, press] {
                *box = FindMessageBox();
                EXPECT_EQ(MessageBoxText(*box), text);
                EXPECT_EQ(WindowText(*box), afx::AfxGetApp()->m_strAppName);
                EXPECT_TRUE(ShowsExclamationIcon(*box));
                EXPECT_EQ(ButtonIds(*box), buttons);
                PressButton(*box, press);
            })
            .WaitUntil(closes ? kUntilClosed : "the message box is gone",
                       [box, closes] { return !closes && !::IsWindow(*box); });
    }
    // Escape, as a user closes the window; unsaved changes are let go (No) if asked about.
    void Close() { CloseAnswering(IDNO); }
    // Escape; the window must close at once, without a question.
    void CloseAtOnce() { CloseAnswering(0); }
    // One press of a key in the library box, as a keyboard user changes the library.
    void PressInLibraryBox(UINT key) {
        script.Then([this, key] {
            PressKey(::FindWindowExW(Item(IDC_LIBRARY_COMBO), nullptr, L"Edit", nullptr), key);
        });
    }

    InstalledLibraries installed;
    UiScript script;

private:
    void CloseAnswering(int answer) {
        script
            .Then([this] {
                const HWND focus = ::GetFocus();
                PressKey(focus != nullptr ? focus : Dialog(), VK_ESCAPE);
            })
            .WaitUntil(kUntilClosed, [answer] {
                if (const HWND box = FindMessageBox()) {
                    EXPECT_NE(answer, 0) << "closing asked: " << MessageBoxText(box);
                    PressButton(box, IDNO);
                }
                return false;
            });
    }

    CWordMaintDlg* m_dialog = nullptr;
};

}  // namespace uitest
