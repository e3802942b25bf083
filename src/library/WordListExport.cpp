#include "WordListExport.h"

#include <algorithm>

#include "Utf8.h"
#include "WordTableRules.h"

namespace emb {
namespace {

bool MakesALine(const WordRecord& word) {
    const auto control = [](char16_t unit) { return unit < 0x20; };
    return !word.code.empty() && !word.phrase.empty() &&
           std::none_of(word.code.begin(), word.code.end(), control) &&
           std::none_of(word.phrase.begin(), word.phrase.end(), control);
}

void Append(std::vector<std::uint8_t>& bytes, std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// A YAML scalar in double quotes, which no name can break.
std::string Quoted(std::u16string_view text) {
    std::string quoted = "\"";
    for (const char c : ToUtf8(text)) {
        quoted += c == '"' || c == '\\' ? std::string{'\\', c} : std::string{c};
    }
    return quoted + '"';
}

}  // namespace

std::vector<std::uint8_t> TextWordListFile(std::span<const WordRecord> words) {
    std::vector<std::uint8_t> bytes = {0xEF, 0xBB, 0xBF};
    for (const WordRecord& word : words) {
        if (MakesALine(word)) {
            Append(bytes, ToUtf8(word.code + u'\t' + word.phrase + u"\r\n"));
        }
    }
    return bytes;
}

std::vector<std::uint8_t> RimeDictionaryFile(std::span<const WordRecord> words,
                                             std::u16string_view name,
                                             std::u16string_view version) {
    std::vector<std::uint8_t> bytes;
    Append(bytes, "# Rime dictionary\n# encoding: utf-8\n\n---\nname: " + Quoted(name) +
                      "\nversion: " + Quoted(version) +
                      "\nsort: original\ncolumns: [text, code]\n...\n\n");
    for (const WordRecord& word : words) {
        if (MakesALine(word)) {
            Append(bytes, ToUtf8(word.phrase + u'\t' + word.code + u'\n'));
        }
    }
    return bytes;
}

std::u16string RimeDictionaryName(std::u16string_view path) {
    std::u16string_view name = path.substr(path.find_last_of(u"\\/") + 1);
    constexpr std::u16string_view kSuffix = u".dict.yaml";
    const auto sameUnit = [](char16_t a, char16_t b) {
        return LowercaseAscii(a) == LowercaseAscii(b);
    };
    if (name.size() > kSuffix.size() &&
        std::equal(kSuffix.begin(), kSuffix.end(), name.end() - kSuffix.size(), sameUnit)) {
        return std::u16string(name.substr(0, name.size() - kSuffix.size()));
    }
    return std::u16string(name.substr(0, name.rfind(u'.')));
}

}  // namespace emb
