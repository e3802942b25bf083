#pragma once

#include "DataExchange.h"
#include "Wnd.h"

namespace afx {

// A dialog from a template, run modally by a message loop of its own so that the windows of
// the dialog get the first look at each message (PreTranslateMessage).
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_pParentWnd(parent) {}

    // Shows the dialog and returns when it has ended, with the result it ended with (-1 when it
    // could not be created).
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    BOOL PreTranslateMessage(MSG* msg) override;

    static const MessageMap messageMap;
    const MessageMap* GetMessageMap() const override { return &messageMap; }

protected:
    static const MessageEntry messageEntries[];

    virtual void DoDataExchange(CDataExchange*) {}
    // A message of a window that is not the dialog's own (a modeless dialog it keeps, such as
    // the system's find dialog) before the modal loop dispatches it; true when dealt with.
    virtual BOOL PreTranslateOtherWindow(MSG*) { return FALSE; }
    virtual void OnOK();
    virtual void OnCancel();
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();

    // A dialog's default processing is the dialog manager's: answering "not handled".
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    void HandleOk() { OnOK(); }
    void HandleCancel() { OnCancel(); }
    HWND OwnerWindow() const;

    UINT m_templateId;
    CWnd* m_pParentWnd;
    bool m_inModalLoop = false;
    INT_PTR m_modalResult = -1;
    bool m_defaultRequested = false;
};

}  // namespace afx
