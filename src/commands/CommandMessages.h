#pragma once

#include <string_view>

namespace emb {

inline constexpr std::u16string_view kOpenErrorMessage = u"打开错误\n";
// Appended to a path that could not be written.
inline constexpr std::u16string_view kFailedSuffix = u"失败";
inline constexpr std::u16string_view kImportOpenFailedMessage = u"打开文件失败";
inline constexpr std::u16string_view kNoLibraryChosenMessage = u"未选定库";
inline constexpr std::u16string_view kConfirmClearMessage = u"你确定要删除所有自造词吗？";

}  // namespace emb
