#include "InstructionsDialog.h"

#include "Labels.h"
#include "resource.h"

snDialog::snDialog() : afx::CDialog(IDD_INSTRUCTIONS) {
}

void snDialog::DoDataExchange(afx::CDataExchange* dx) {
    afx::DDX_Text(dx, IDC_INSTRUCTIONS_TEXT, m_strInstructions);
}

BOOL snDialog::OnInitDialog() {
    afx::CDialog::OnInitDialog();
    m_strInstructions.assign(emb::kInstructionsText.begin(), emb::kInstructionsText.end());
    UpdateData(FALSE);
    return TRUE;
}
