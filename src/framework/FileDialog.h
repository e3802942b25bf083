#pragma once

#include <string>

#include "Wnd.h"

namespace afx {

// The system's open or save dialog for one file.
class CFileDialog {
public:
    // filter: "description|pattern|...||", as the program writes it.
    CFileDialog(bool openFileDialog, std::wstring defaultExtension, std::wstring fileName,
                DWORD flags, const std::wstring& filter, CWnd* parent);

    // IDOK when the user chose a file, IDCANCEL otherwise.
    INT_PTR DoModal();
    std::wstring GetPathName() const { return m_path; }
    // The filter entry chosen, from 1.
    std::size_t GetFilterIndex() const { return m_filterIndex; }

private:
    bool m_open;
    std::wstring m_defaultExtension;
    std::wstring m_path;
    std::size_t m_filterIndex = 1;
    DWORD m_flags;
    std::wstring m_filter;  // NUL-separated, as the system wants it
    CWnd* m_parent;
};

}  // namespace afx
