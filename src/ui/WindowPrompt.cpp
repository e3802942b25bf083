#include "WindowPrompt.h"

#include "FileDialog.h"
#include "WideText.h"
#include "WinApp.h"

using emb::WideString;

emb::MessageAnswer WindowPrompt::ShowMessage(const std::u16string& text,
                                             emb::MessageButtons buttons) {
    m_beforeShowing();
    switch (buttons) {
        case emb::MessageButtons::YesNo:
            return afx::AfxMessageBox(WideString(text), MB_YESNO) == IDYES ? emb::MessageAnswer::Yes
                                                                           : emb::MessageAnswer::No;
        case emb::MessageButtons::YesNoCancel:
            switch (afx::AfxMessageBox(WideString(text), MB_YESNOCANCEL)) {
                case IDYES:
                    return emb::MessageAnswer::Yes;
                case IDNO:
                    return emb::MessageAnswer::No;
                default:
                    return emb::MessageAnswer::Cancel;
            }
        case emb::MessageButtons::Ok:
            break;
    }
    afx::AfxMessageBox(WideString(text), MB_OK);
    return emb::MessageAnswer::Ok;
}

std::optional<emb::ChosenFile> WindowPrompt::AskForFile(const emb::FileDialogRequest& request) {
    m_beforeShowing();
    afx::CFileDialog dialog(request.kind == emb::FileDialogKind::Open,
                            WideString(request.defaultExtension), L"", request.flags,
                            WideString(request.filter), &m_owner);
    if (dialog.DoModal() != IDOK) {
        return std::nullopt;
    }
    return emb::ChosenFile{emb::Utf16String(dialog.GetPathName()), dialog.GetFilterIndex() - 1};
}
