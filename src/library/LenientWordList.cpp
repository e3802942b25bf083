// The lenient reader of word lists: the forms other input methods export their words in.

#include <algorithm>
#include <optional>

#include "TextLines.h"
#include "WordListText.h"
#include "WordTableRules.h"

namespace emb {
namespace {

bool IsSeparator(char16_t unit) {
    return unit == u' ' || unit == u'\t';
}

bool IsAsciiLetter(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

bool IsAsciiLetters(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), IsAsciiLetter);
}

bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsSeparator(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSeparator(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameLetters(std::u16string_view text, std::u16string_view lowercase) {
    return std::equal(text.begin(), text.end(), lowercase.begin(), lowercase.end(),
                      [](char16_t unit, char16_t lower) { return LowercaseAscii(unit) == lower; });
}

// The fields of a line between runs of separators.
std::vector<std::u16string_view> FieldsOf(std::u16string_view line, bool tabsOnly) {
    std::vector<std::u16string_view> fields;
    while (!line.empty()) {
        const std::size_t end = tabsOnly ? line.find(u'\t') : line.find_first_of(u" \t");
        const std::u16string_view field = Trimmed(line.substr(0, end));
        if (!field.empty() || tabsOnly) {
            fields.push_back(field);
        }
        line.remove_prefix(end == line.npos ? line.size() : end + 1);
    }
    return fields;
}

// A weight ("120", "0.5", "-3", "10%") or a Rime snapshot's count ("c=3", "d=2.98", "t=25").
bool IsCountColumn(std::u16string_view field) {
    if (field.size() > 2 && field[1] == u'=' &&
        std::u16string_view(u"cdt").find(field[0]) != std::u16string_view::npos) {
        return true;
    }
    if (field.starts_with(u'-')) {
        field.remove_prefix(1);
    }
    if (field.ends_with(u'%')) {
        field.remove_suffix(1);
    }
    return !field.empty() && IsDigit(field.front()) &&
           std::all_of(field.begin(), field.end(),
                       [](char16_t unit) { return IsDigit(unit) || unit == u'.'; });
}

// "Name=五笔" or "ce2=p11+p12+p21+p22": a table header's setting, never a word.
bool IsSetting(std::u16string_view line) {
    const std::u16string_view key = Trimmed(line.substr(0, line.find(u'=')));
    return key.size() < line.size() && !key.empty() && IsAsciiLetter(key.front()) &&
           std::all_of(key.begin(), key.end(), [](char16_t unit) {
               return IsAsciiLetter(unit) || IsDigit(unit) || unit == u'_' || unit == u' ';
           });
}

std::optional<std::u16string_view> SectionName(std::u16string_view line) {
    if (line.size() < 2 || line.front() != u'[' || line.back() != u']') {
        return std::nullopt;
    }
    return line.substr(1, line.size() - 2);
}

std::u16string Lowercased(std::u16string_view code) {
    std::u16string lower(code);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowercaseAscii);
    return lower;
}

// The columns of a Rime dictionary's header: "columns: [text, code]", or "columns:" and then
// "  - text" lines.
class RimeHeader {
public:
    void Take(std::u16string_view line) {
        if (m_inList && line.starts_with(u'-')) {
            m_columns.emplace_back(Unquoted(line.substr(1)));
            return;
        }
        m_inList = false;
        if (!line.starts_with(u"columns:")) {
            return;
        }
        std::u16string_view list = Trimmed(line.substr(8));
        m_columns.clear();
        m_inList = list.empty();
        if (list.starts_with(u'[') && list.ends_with(u']')) {
            for (std::u16string_view item : FieldsOf(list.substr(1, list.size() - 2), false)) {
                m_columns.emplace_back(Unquoted(item.substr(0, item.find(u','))));
            }
        }
    }

    // Which column holds the text and which the code; text, code, weight without a list.
    std::size_t Column(std::u16string_view name, std::size_t otherwise) const {
        if (m_columns.empty()) {
            return otherwise;
        }
        const auto at = std::find(m_columns.begin(), m_columns.end(), name);
        return at == m_columns.end() ? std::u16string_view::npos
                                     : static_cast<std::size_t>(at - m_columns.begin());
    }

private:
    static std::u16string Unquoted(std::u16string_view item) {
        item = Trimmed(item);
        if (item.size() >= 2 && (item.front() == u'"' || item.front() == u'\'') &&
            item.back() == item.front()) {
            item = item.substr(1, item.size() - 2);
        }
        return std::u16string(item);
    }

    std::vector<std::u16string> m_columns;
    bool m_inList = false;
};

class LenientReader {
public:
    LenientReader(std::size_t dataLine, PhraseCoder* coder)
        : m_dataLine(dataLine), m_coder(coder) {}

    void Take(std::size_t number, std::u16string_view line) {
        const std::u16string_view text = Trimmed(line);
        if (text.empty() || PassedOver(number, text)) {
            return;
        }
        m_started = true;
        std::vector<std::u16string_view> fields = FieldsOf(m_rime ? line : text, m_rime);
        bool deleted = false;
        std::vector<WordRecord> words =
            m_rime ? RimeWords(fields) : TableWords(std::move(fields), deleted);
        if (words.size() == 1 && words[0].code.empty() && !words[0].phrase.empty() &&
            m_coder != nullptr) {
            words[0].code = m_coder->CodeOf(words[0].phrase).value_or(u"");
            m_list.codedWords += words[0].code.empty() ? 0 : 1;
        }
        if (deleted) {
            ++m_list.deletedWords;
        } else if (words.empty() || !std::all_of(words.begin(), words.end(), IsTypableWord)) {
            m_list.skippedLines.push_back(number);
        } else {
            m_list.words.insert(m_list.words.end(), words.begin(), words.end());
        }
    }

    LenientWordList Result() && { return std::move(m_list); }

private:
    // Headers, comments and sections: lines that are no words and no mistakes either.
    bool PassedOver(std::size_t number, std::u16string_view text) {
        if (m_inYaml) {
            m_inYaml = text != u"...";
            m_rime = !m_inYaml;
            if (!text.starts_with(u'#')) {
                m_header.Take(text);
            }
            return true;
        }
        if (text == u"---" && !m_started) {
            m_inYaml = true;
            return true;
        }
        if (text.starts_with(u'#')) {
            return true;
        }
        if (const std::optional<std::u16string_view> section = SectionName(text)) {
            m_inOtherSection = !SameLetters(*section, u"data");
            return true;
        }
        return (number < m_dataLine || m_inOtherSection) && IsSetting(text);
    }

    std::vector<WordRecord> RimeWords(const std::vector<std::u16string_view>& fields) const {
        const std::size_t text = m_header.Column(u"text", 0);
        const std::size_t code = m_header.Column(u"code", 1);
        if (text >= fields.size()) {
            return {};
        }
        return {WordRecord{code < fields.size() ? Lowercased(fields[code]) : std::u16string(),
                           std::u16string(fields[text])}};
    }

    // "code phrase", "phrase code", "code phrase phrase…", with counts and flags after them.
    static std::vector<WordRecord> TableWords(std::vector<std::u16string_view> fields,
                                              bool& deleted) {
        while (fields.size() > 2 && IsCountColumn(fields.back())) {
            deleted = deleted || fields.back().starts_with(u"c=-");
            fields.pop_back();
        }
        for (std::u16string_view& field : fields) {
            const std::size_t flag = field.find(u'#');
            if (flag != 0 && flag != field.npos && IsAsciiLetters(field.substr(0, flag))) {
                field = field.substr(0, flag);
            }
        }
        const bool codeFirst = IsAsciiLetters(fields[0]);
        if (fields.size() < 2) {  // a phrase alone: a word if its code can be worked out
            return codeFirst ? std::vector<WordRecord>()
                             : std::vector{WordRecord{u"", std::u16string(fields[0])}};
        }
        if (fields.size() > 2 && !codeFirst) {
            return {};
        }
        const std::u16string code = Lowercased(fields[codeFirst ? 0 : 1]);
        std::vector<WordRecord> words;
        for (std::size_t i = codeFirst ? 1 : 0; i < fields.size() && (codeFirst || i == 0); ++i) {
            words.push_back({code, std::u16string(fields[i])});
        }
        return words;
    }

    const std::size_t m_dataLine;  // of the first [Data] line; 0 when there is none
    PhraseCoder* const m_coder;
    LenientWordList m_list;
    RimeHeader m_header;
    bool m_started = false;  // a line that is neither blank nor a comment has been read
    bool m_inYaml = false;
    bool m_rime = false;  // past a YAML header: tab-separated columns
    bool m_inOtherSection = false;
};

}  // namespace

LenientWordList ReadWordListLeniently(std::u16string_view text, PhraseCoder* coder) {
    std::size_t dataLine = 0;
    ForEachLine(text, [&dataLine](std::size_t number, std::u16string_view line) {
        const std::optional<std::u16string_view> section = SectionName(Trimmed(line));
        if (dataLine == 0 && section && SameLetters(*section, u"data")) {
            dataLine = number;
        }
    });
    LenientReader reader(dataLine, coder);
    ForEachLine(text, [&reader](std::size_t number, std::u16string_view line) {
        reader.Take(number, line);
    });
    return std::move(reader).Result();
}

}  // namespace emb
