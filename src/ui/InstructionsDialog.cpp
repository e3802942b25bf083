#include "InstructionsDialog.h"

#include "resource.h"

const wchar_t kInstructionsText[] =
    L"1.选择简体或繁体库\r\n"
    L"2.添加自造词：在最后一行输入编码和词组，编码最多4个英文小写字母，词组最长40个汉字。\r\n"
    L"3.删除自造词：把编码或词组留空即可。\r\n"
    L"4.更改自造词：点击进入编辑状态，即可修改，修改完毕后按回车，或鼠标点别处。\r\n"
    L"5.导入：把以前备份的自造词导入到现在的输入法中，点击\u201C导入\u201D指向备份文件，"
    L"\u201C打开\u201D。\r\n"
    L"6.备份：把现在的自造词导出备份，方便以后恢复，点击\u201C备份\u201D。\r\n"
    L"7.清空：点击清空将删除所有自造词，如果点错，不保存退出即可。\r\n"
    L"8.保存：所有操作必需保存才有效，点击\u201C保存\u201D\r\n"
    L"9.支持winNT、win2000、winXP、win2003，不支持winme以下系统，支持澄岫川五笔所有版本\r\n"
    L"10.如没有出现空行，随便点击一下数据行，直至最未行出现空行供添加数据。\r\n"
    L"\r\n";

snDialog::snDialog() : afx::CDialog(IDD_INSTRUCTIONS) {
}

void snDialog::DoDataExchange(afx::CDataExchange* dx) {
    afx::DDX_Text(dx, IDC_INSTRUCTIONS_TEXT, m_strInstructions);
}

BOOL snDialog::OnInitDialog() {
    afx::CDialog::OnInitDialog();
    m_strInstructions = kInstructionsText;
    UpdateData(FALSE);
    return TRUE;
}
