#include "FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "WinApp.h"

namespace afx {

CFileDialog::CFileDialog(bool openFileDialog, std::wstring defaultExtension, std::wstring fileName,
                         DWORD flags, const std::wstring& filter, CWnd* parent)
    : m_open(openFileDialog),
      m_defaultExtension(std::move(defaultExtension)),
      m_path(std::move(fileName)),
      m_flags(flags),
      m_filter(filter),
      m_parent(parent) {
    for (wchar_t& unit : m_filter) {
        if (unit == L'|') {
            unit = L'\0';
        }
    }
}

INT_PTR CFileDialog::DoModal() {
    // Room for the longest path the system can name.
    std::vector<wchar_t> path(32768, L'\0');
    m_path.copy(path.data(), std::min(m_path.size(), path.size() - 1));

    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    CWnd* owner = m_parent != nullptr ? m_parent : AfxGetMainWnd();
    request.hwndOwner = owner != nullptr ? owner->m_hWnd : nullptr;
    request.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = path.data();
    request.nMaxFile = static_cast<DWORD>(path.size());
    request.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    request.Flags = m_flags | OFN_EXPLORER | OFN_ENABLESIZING;

    const BOOL chosen = m_open ? ::GetOpenFileNameW(&request) : ::GetSaveFileNameW(&request);
    if (!chosen) {
        return IDCANCEL;
    }
    m_path = path.data();
    m_filterIndex = std::max<std::size_t>(request.nFilterIndex, 1);
    return IDOK;
}

}  // namespace afx
