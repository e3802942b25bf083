#pragma once

// What Import tells the user about the file chosen, beyond a file that can't be opened. Each
// message is put together here from the parts filled in at run time.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace emb {

// At most this many skipped lines are named after a word list's import.
inline constexpr std::size_t kNamedSkippedLines = 5;

inline std::u16string DecimalText(std::size_t number) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + number % 10));
        number /= 10;
    } while (number != 0);
    return text;
}

// "3、7、12", the first kNamedSkippedLines of lines, and "……" when there are more.
inline std::u16string SkippedLineNumbers(std::span<const std::size_t> lines) {
    std::u16string text;
    for (std::size_t i = 0; i < lines.size() && i < kNamedSkippedLines; ++i) {
        text += (i == 0 ? u"" : u"、") + DecimalText(lines[i]);
    }
    if (lines.size() > kNamedSkippedLines) {
        text += u"……";
    }
    return text;
}

// Neither a user-word file nor a word list: nothing is imported.
inline std::u16string NotImportableMessage(std::u16string_view path) {
    return std::u16string(path) + u"\n不是自造词库文件，也不是文本词表，没有导入。";
}

// A count above the file's slots, of a file that is no word list either: import it as a
// user-word file all the same? (A damaged backup may still hold words worth rescuing.)
inline std::u16string LargeCountQuestion(std::u16string_view path, std::u16string_view count) {
    return std::u16string(path) + u"\n这个文件的记录数是" + std::u16string(count) +
           u"，不像本程序保存的词库。\n仍然按词库导入吗？";
}

// After a word list some of whose lines were not words.
inline std::u16string WordListSkippedMessage(std::u16string_view added,
                                             std::u16string_view duplicates,
                                             std::u16string_view skipped,
                                             std::u16string_view lineNumbers) {
    return u"导入了" + std::u16string(added) + u"个词，" + std::u16string(duplicates) +
           u"个重复的词没有添加。\n跳过了" + std::u16string(skipped) + u"行：第" +
           std::u16string(lineNumbers) +
           u"行。\n这些行不是“编码 词组”或“词组 编码”，或者编码不是1到4个字母a～y、"
           u"词组不是1到40个汉字。";
}

}  // namespace emb
