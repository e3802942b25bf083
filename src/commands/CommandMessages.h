#pragma once

#include <string>
#include <string_view>

namespace emb {

inline constexpr std::u16string_view kOpenErrorMessage = u"打开错误\n";
// Appended to a path that could not be written.
inline constexpr std::u16string_view kFailedSuffix = u"失败";
inline constexpr std::u16string_view kImportOpenFailedMessage = u"打开文件失败";
inline constexpr std::u16string_view kNoLibraryChosenMessage = u"未选定库";
inline constexpr std::u16string_view kConfirmClearMessage = u"你确定要删除所有自造词吗？";

// A failed save whose previous bytes could not be put back either.
inline constexpr std::u16string_view kNotRestoredLine =
    u"\r\n原来的词库文件也没能恢复，可能已经损坏。请不要关闭窗口，排除原因后再保存一次；"
    u"或者用备份恢复。";

// Asked before a table with unsaved changes is closed or replaced; library is its entry in the
// library box.
inline std::u16string UnsavedChangesQuestion(std::u16string_view library) {
    return std::u16string(library) + u"的修改还没有保存。要保存吗？";
}

// Asked by Save when another program (the input method, as a rule) has added words to the file.
inline std::u16string AddedWordsQuestion(std::size_t count) {
    std::u16string number;
    for (const char digit : std::to_string(count)) {
        number.push_back(static_cast<char16_t>(digit));
    }
    return u"词库文件在上次载入或保存以后被别的程序改过，多了" + number +
           u"个词（可能是输入法新造的词）。\r\n"
           u"是：把这些词加进表格再保存\r\n"
           u"否：不要这些词，直接保存\r\n"
           u"取消：不保存";
}

}  // namespace emb
