#pragma once

// The windows' fixed texts that are not messages (the dialogs' captions and buttons are in the
// resource script).

#include <string_view>

namespace emb {

inline constexpr std::u16string_view kChoosePrompt = u"请选择";
inline constexpr std::u16string_view kSimplifiedEntry = u"简体自造词库";
inline constexpr std::u16string_view kTraditionalEntry = u"繁体自造词库";

inline constexpr std::u16string_view kCodeHeading = u"编码";
inline constexpr std::u16string_view kPhraseHeading = u"自造词";
inline constexpr std::u16string_view kNumberHeading = u"编号";

// The word list's shortcut menu, each entry with its key.
inline constexpr std::u16string_view kUndoItem = u"撤销\tCtrl+Z";
inline constexpr std::u16string_view kRedoItem = u"重做\tCtrl+Y";
inline constexpr std::u16string_view kDeleteRowsItem = u"删除\tDel";
inline constexpr std::u16string_view kSelectAllItem = u"全选\tCtrl+A";
inline constexpr std::u16string_view kCutItem = u"剪切\tCtrl+X";
inline constexpr std::u16string_view kCopyItem = u"复制\tCtrl+C";
inline constexpr std::u16string_view kPasteItem = u"粘贴\tCtrl+V";
inline constexpr std::u16string_view kFindItem = u"查找…\tCtrl+F";
inline constexpr std::u16string_view kCodePhrasesItem = u"生成编码";

// Filters as "description|pattern|...||", one entry after another.
inline constexpr std::u16string_view kUserWordFileFilter = u"save files (*.EMB)|*.EMB||";
// Import also reads text word lists; the user-word files stay the first entry.
inline constexpr std::u16string_view kImportFileFilter =
    u"save files (*.EMB)|*.EMB|文本词表 (*.txt)|*.txt|Rime 词典 (*.dict.yaml)|*.dict.yaml|"
    u"所有文件 (*.*)|*.*||";
// Backup writes a copy, or the words as text for other input methods, in this order.
inline constexpr std::u16string_view kBackupFileFilter =
    u"save files (*.EMB)|*.EMB|文本词表 (*.txt)|*.txt|Rime 词典 (*.dict.yaml)|*.dict.yaml||";

// The instructions dialog's ten points.
inline constexpr std::u16string_view kInstructionsText =
    u"1.选择简体或繁体库\r\n"
    u"2.添加自造词：在最后一行输入编码和词组，编码最多4个英文小写字母，词组最长40个汉字。\r\n"
    u"3.删除自造词：把编码或词组留空即可。\r\n"
    u"4.更改自造词：点击进入编辑状态，即可修改，修改完毕后按回车，或鼠标点别处。\r\n"
    u"5.导入：把以前备份的自造词导入到现在的输入法中，点击\u201C导入\u201D指向备份文件，"
    u"\u201C打开\u201D。\r\n"
    u"6.备份：把现在的自造词导出备份，方便以后恢复，点击\u201C备份\u201D。\r\n"
    u"7.清空：点击清空将删除所有自造词，如果点错，不保存退出即可。\r\n"
    u"8.保存：所有操作必需保存才有效，点击\u201C保存\u201D\r\n"
    u"9.支持winNT、win2000、winXP、win2003，不支持winme以下系统，支持澄岫川五笔所有版本\r\n"
    u"10.如没有出现空行，随便点击一下数据行，直至最未行出现空行供添加数据。\r\n"
    u"\r\n";

}  // namespace emb
