#pragma once

#include <string>

#include "Dialog.h"

// The ten points of help text, read-only.
class snDialog : public afx::CDialog {
public:
    snDialog();

    std::wstring m_strInstructions;

protected:
    void DoDataExchange(afx::CDataExchange* dx) override;
    BOOL OnInitDialog() override;
};
