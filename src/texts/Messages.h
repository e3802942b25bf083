#pragma once

// Every message the program shows the user, in one place: the user guide lists each of them, and
// its check reads this file. Parts filled in at run time are parameters.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "Version.h"

namespace emb {

// "1221", as the messages show counts.
inline std::u16string DecimalText(std::size_t number) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + number % 10));
        number /= 10;
    } while (number != 0);
    return text;
}

// Start-up.
inline constexpr std::u16string_view kSystemDiskMessage =
    u"读取系统盘出错，请检查你是否以管理员登陆";
inline constexpr std::u16string_view kDownloadPageAddress = u"" WORDMAINT_HOME_PAGE "/releases";
// No edition found: the download page, then how to reach the maker, on two lines.
inline std::u16string NotDetectedMessage() {
    return u"没有检测到澄岫川五笔，请到" + std::u16string(kDownloadPageAddress) +
           u"下载安装，\r\n或在留言簿提出问题和留下联系方式";
}

// Loading: a box with the library's path alone, then this one.
inline constexpr std::u16string_view kOpenErrorMessage = u"打开错误\n";

// Saving.
inline constexpr std::u16string_view kTooManyWordsMessage = u"保存失败，记录数大于1221";
inline constexpr std::u16string_view kNoLibraryChosenMessage = u"未选定库";
// restored: the file holds its previous bytes again.
inline std::u16string SaveFailedMessage(std::u16string_view path, bool restored) {
    std::u16string message = std::u16string(path) + u"失败";
    if (!restored) {
        message +=
            u"\r\n原来的词库文件也没能恢复，可能已经损坏。请不要关闭窗口，排除原因后再"
            u"保存一次；或者用备份恢复。";
    }
    return message;
}
// Another program (the input method, as a rule) has added words to the file.
inline std::u16string AddedWordsQuestion(std::u16string_view count) {
    return u"词库文件在上次载入或保存以后被别的程序改过，多了" + std::u16string(count) +
           u"个词（可能是输入法新造的词）。\r\n"
           u"是：把这些词加进表格再保存\r\n"
           u"否：不要这些词，直接保存\r\n"
           u"取消：不保存";
}
// Before a table with unsaved changes is closed or replaced; library is its entry in the box.
inline std::u16string UnsavedChangesQuestion(std::u16string_view library) {
    return std::u16string(library) + u"的修改还没有保存。要保存吗？";
}

// Import.
inline constexpr std::u16string_view kImportOpenFailedMessage = u"打开文件失败";
inline std::u16string NotImportableMessage(std::u16string_view path) {
    return std::u16string(path) + u"\n不是自造词库文件，也不是文本词表，没有导入。";
}
// A count above the file's slots, of a file that is no word list either. (A damaged backup may
// still hold words worth rescuing.)
inline std::u16string LargeCountQuestion(std::u16string_view path, std::u16string_view count) {
    return std::u16string(path) + u"\n这个文件的记录数是" + std::u16string(count) +
           u"，不像本程序保存的词库。\n仍然按词库导入吗？";
}
// At most this many skipped lines are named after a word list's import.
inline constexpr std::size_t kNamedSkippedLines = 5;
// "3、7、12", the first kNamedSkippedLines of lines, and "……" when there are more.
inline std::u16string SkippedLineNumbers(std::span<const std::size_t> lines) {
    std::u16string text;
    for (std::size_t i = 0; i < lines.size() && i < kNamedSkippedLines; ++i) {
        if (i != 0) {
            text += u"、";
        }
        text += DecimalText(lines[i]);
    }
    if (lines.size() > kNamedSkippedLines) {
        text += u"……";
    }
    return text;
}
// After a word list some of whose lines were not words, could not be decoded, held words marked
// deleted, or phrases alone whose codes were worked out; the lines of coded phrases, deleted
// words and skipped lines only when there are any (coded, deleted or skipped empty).
inline std::u16string WordListImportedMessage(
    std::u16string_view added, std::u16string_view duplicates, std::u16string_view coded,
    std::u16string_view deleted, std::u16string_view skipped, std::u16string_view lineNumbers) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) when a literal is put before
    // a string.
    std::u16string text = u"导入了";
    text.append(added).append(u"个词，").append(duplicates).append(u"个重复的词没有添加。");
    if (!coded.empty()) {
        text.append(u"\n").append(coded).append(u"个只有词组的行，编码是按五笔规则生成的。");
    }
    if (!deleted.empty()) {
        text.append(u"\n").append(deleted).append(u"个标记为已删除的词没有导入。");
    }
    if (!skipped.empty()) {
        text.append(u"\n跳过了").append(skipped).append(u"行：第").append(lineNumbers);
        text.append(
            u"行。\n这些行不是“编码 词组”或“词组 编码”，或者编码不是1到4个字母a～y、"
            u"词组不是1到40个汉字，或者文字编码和文件的其他行不同。");
    }
    return text;
}
// The same, counted.
inline std::u16string WordListImportedMessage(std::size_t added, std::size_t duplicates,
                                              std::size_t coded, std::size_t deleted,
                                              std::span<const std::size_t> skippedLines) {
    const auto some = [](std::size_t count) { return count == 0 ? u"" : DecimalText(count); };
    return WordListImportedMessage(DecimalText(added), DecimalText(duplicates), some(coded),
                                   some(deleted), some(skippedLines.size()),
                                   SkippedLineNumbers(skippedLines));
}

// Paste, of a text in which no line is a word.
inline constexpr std::u16string_view kNoWordsToPasteMessage =
    u"剪贴板里的文字没有可以粘贴的词：每一行应该是一个编码和一个词组，中间用 Tab 或空格隔开。";

// Find, when no code or phrase holds the text.
inline std::u16string NotFoundMessage(std::u16string_view text) {
    return u"找不到“" + std::u16string(text) + u"”。";
}

// Codes worked out for the selected rows: some phrases have a character the code table lacks,
// or more characters than its rules code.
inline std::u16string UncodedPhrasesMessage(std::u16string_view count) {
    return std::u16string(count) +
           u"个词组没能生成编码：编码词典里没有其中的某个字，或者没有这么长的词组的编码规则。"
           u"\n这些行的编码还是空的。";
}
// The code table beside the program is no dictionary, or can't be read.
inline std::u16string CodeTableUnreadableMessage(std::u16string_view path) {
    return std::u16string(path) + u"\n读不出编码词典，没有生成编码。";
}

// Backup.
// When the name typed had no extension and the one it was given names an existing file.
inline std::u16string ReplaceFileQuestion(std::u16string_view path) {
    return std::u16string(path) + u" 已存在。\n要替换它吗？";
}
inline std::u16string BackupFailedMessage(std::u16string_view path) {
    return std::u16string(path) + u"失败";
}

// Clear.
inline constexpr std::u16string_view kConfirmClearMessage = u"你确定要删除所有自造词吗？";

// The link, when its target can't be opened: the explanation of a shell or program-start
// error code, in the words of the system's own English message, and the whole message.
inline std::u16string OpenErrorText(int code) {
    switch (code) {
        case 0:
            return u"The operating system is out\nof memory or resources.";
        case 2:
            return u"The specified file was not found.";
        case 3:
            return u"The specified path was not found.";
        case 5:
            return u"The operating system denied\naccess to the specified file.";
        case 8:
            return u"There was not enough memory to complete the operation.";
        case 11:
            return u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case 26:
            return u"A sharing violation occurred. ";
        case 27:
            return u"The filename association is\nincomplete or invalid.";
        case 28:
            return u"The DDE transaction could not\nbe completed because the request timed out.";
        case 29:
            return u"The DDE transaction failed.";
        case 30:
            return u"The DDE transaction could not\nbe completed because other DDE "
                   u"transactions\nwere being processed.";
        case 31:
            return u"There is no application associated\nwith the given filename extension.";
        case 32:
            return u"The specified dynamic-link library was not found.";
        default:
            break;
    }
    const std::string number = std::to_string(code);
    return u"Unknown Error (" + std::u16string(number.begin(), number.end()) + u") occurred.";
}

inline std::u16string OpenErrorMessage(int code) {
    return u"Unable to open hyperlink:\n\n" + OpenErrorText(code);
}

}  // namespace emb
