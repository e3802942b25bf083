#pragma once

#include <string>

#include "Static.h"
#include "ToolTipCtrl.h"

// A static text control made into a web link: underlined text in link colours, a hand cursor
// and a tooltip with the address while the pointer is over it, and a click that opens the
// address in the web browser.
class CHyperLink : public afx::CStatic {
public:
    using BeepFunction = BOOL(WINAPI*)(UINT);

    CHyperLink();
    ~CHyperLink() override;

    // The address a click opens; the caption stays as it is.
    void SetTarget(const std::wstring& address);

    BOOL PreTranslateMessage(MSG* msg) override;

    // Opens address in the browser: through the shell, else through the command line that is
    // registered for web pages. Above 32 means success, anything else is an error code.
    static int OpenTarget(const std::wstring& address, int showCommand);
    // The default value of the key under HKEY_CLASSES_ROOT, empty when it can't be read. Answers
    // 0, or the error of opening the key, which leaves value as it was.
    static int ReadClassesRootDefault(const std::wstring& key, std::wstring& value);

    // The warning sound of a failed open; tests listen here.
    static void SetBeep(BeepFunction beep) { s_beep = beep; }

    static const afx::MessageEntry messageEntries[];
    static const afx::MessageMap messageMap;
    const afx::MessageMap* GetMessageMap() const override { return &messageMap; }

protected:
    void PreSubclassWindow() override;

    void OnLinkClicked();
    HBRUSH OnCtlColor(HDC dc);
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
    void OnMouseMove(UINT keyFlags, POINT point);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);

    void ShowOpenError(int code);
    void FitToText();
    void LoadHandCursor();

    COLORREF m_crLinkColor;
    COLORREF m_crVisitedColor;
    COLORREF m_crHoverColor;
    bool m_bOverControl;
    bool m_bVisited;
    bool m_bUnderline;
    bool m_bAdjustToFit;
    std::wstring m_strTarget;
    HFONT m_hLinkFont;
    HCURSOR m_hLinkCursor;
    afx::CToolTipCtrl m_toolTip;

private:
    bool HasWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }
    void RedrawNow();

    static BeepFunction s_beep;
};
