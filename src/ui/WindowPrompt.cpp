#include "WindowPrompt.h"

#include "FileDialog.h"
#include "WinApp.h"

namespace {

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

emb::MessageAnswer WindowPrompt::ShowMessage(const std::u16string& text,
                                             emb::MessageButtons buttons) {
    m_beforeShowing();
    switch (buttons) {
        case emb::MessageButtons::YesNo:
            return afx::AfxMessageBox(Wide(text), MB_YESNO) == IDYES ? emb::MessageAnswer::Yes
                                                                     : emb::MessageAnswer::No;
        case emb::MessageButtons::YesNoCancel:
            switch (afx::AfxMessageBox(Wide(text), MB_YESNOCANCEL)) {
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
    afx::AfxMessageBox(Wide(text), MB_OK);
    return emb::MessageAnswer::Ok;
}

std::optional<std::u16string> WindowPrompt::AskForFile(const emb::FileDialogRequest& request) {
    m_beforeShowing();
    afx::CFileDialog dialog(request.kind == emb::FileDialogKind::Open,
                            Wide(request.defaultExtension), L"", request.flags,
                            Wide(request.filter), &m_owner);
    if (dialog.DoModal() != IDOK) {
        return std::nullopt;
    }
    const std::wstring path = dialog.GetPathName();
    return std::u16string(path.begin(), path.end());
}
