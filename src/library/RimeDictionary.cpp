#include "RimeDictionary.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "Utf8.h"

namespace emb {
namespace {

using Lines = std::vector<std::string_view>;

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The line before a comment ("#" at its start or after a blank, outside quotes).
std::string_view WithoutComment(std::string_view line) {
    char quote = 0;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const char c = line[at];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '#' && (at == 0 || line[at - 1] == ' ' || line[at - 1] == '\t')) {
            return line.substr(0, at);
        }
    }
    return line;
}

std::string Unquoted(std::string_view value) {
    value = Trimmed(value);
    const char quote = value.empty() ? 0 : value.front();
    if ((quote != '"' && quote != '\'') || value.size() < 2 || value.back() != quote) {
        return std::string(value);
    }
    std::string text;
    for (std::size_t at = 1; at + 1 < value.size(); ++at) {
        // '' in single quotes is one quote; a backslash in double quotes takes the next character
        if ((quote == '\'' && value[at] == '\'') || (quote == '"' && value[at] == '\\')) {
            ++at;
        }
        text += value[at];
    }
    return text;
}

// The items of a flow list or mapping ("[a, b]", "{a: 1, b: [2, 3]}"), trimmed; nothing when
// value is no flow collection.
std::optional<std::vector<std::string_view>> FlowItems(std::string_view value) {
    value = Trimmed(value);
    if (value.size() < 2 || !((value.front() == '[' && value.back() == ']') ||
                              (value.front() == '{' && value.back() == '}'))) {
        return std::nullopt;
    }
    std::vector<std::string_view> items;
    int depth = 0;
    char quote = 0;
    std::size_t start = 1;
    for (std::size_t at = 1; at < value.size(); ++at) {
        const char c = value[at];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        } else if ((c == ',' && depth == 0) || at + 1 == value.size()) {
            if (!Trimmed(value.substr(start, at - start)).empty()) {
                items.push_back(Trimmed(value.substr(start, at - start)));
            }
            start = at + 1;
        }
    }
    return items;
}

// One scalar or key of the header: its path of keys ("encoder/rules/-/formula", "-" for a list
// item), its value, and the list item it belongs to (items are numbered in order).
struct HeaderEntry {
    std::string path;
    std::string_view value;
    int item = 0;
};

// Splits "key: value" (or "key:") into its key and value; nothing for a plain scalar.
std::optional<std::pair<std::string_view, std::string_view>> KeyAndValue(std::string_view text) {
    if (text.empty() || text.front() == '"' || text.front() == '\'') {
        return std::nullopt;
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos ||
        (colon + 1 < text.size() && text[colon + 1] != ' ' && text[colon + 1] != '\t')) {
        return std::nullopt;
    }
    return std::pair{Trimmed(text.substr(0, colon)), Trimmed(text.substr(colon + 1))};
}

std::vector<HeaderEntry> ScanHeader(const Lines& lines) {
    struct Frame {
        std::size_t indent;
        std::string_view name;
    };
    std::vector<Frame> frames;
    std::vector<HeaderEntry> entries;
    int items = 0;
    // The path of the current frames, and then of key when there is one.
    const auto pathTo = [&frames](std::string_view key) {
        std::string path;
        for (const Frame& frame : frames) {
            path.append(path.empty() ? "" : "/").append(frame.name);
        }
        return key.empty() ? path : path.append(path.empty() ? "" : "/").append(key);
    };
    for (const std::string_view whole : lines) {
        const std::string_view line = WithoutComment(whole);
        std::size_t indent = line.find_first_not_of(' ');
        if (Trimmed(line).empty()) {
            continue;
        }
        std::string_view rest = Trimmed(line);
        while (rest == "-" || rest.starts_with("- ")) {
            while (!frames.empty() &&
                   (frames.back().indent > indent ||
                    (frames.back().indent == indent && frames.back().name == "-"))) {
                frames.pop_back();
            }
            frames.push_back({indent, "-"});
            ++items;
            const std::size_t skip = std::min(rest.find_first_not_of(' ', 1), rest.size());
            indent += skip;
            rest = rest.substr(skip);
        }
        while (!frames.empty() && frames.back().indent >= indent && !rest.empty()) {
            frames.pop_back();
        }
        if (rest.empty()) {
            continue;
        }
        if (rest.front() == '{') {
            for (const std::string_view pair : FlowItems(rest).value_or(Lines{})) {
                if (const auto field = KeyAndValue(pair)) {
                    entries.push_back({pathTo(field->first), field->second, items});
                }
            }
        } else if (const auto field = KeyAndValue(rest)) {
            entries.push_back({pathTo(field->first), field->second, items});
            if (field->second.empty()) {
                frames.push_back({indent, field->first});
            }
        } else {
            entries.push_back({pathTo({}), rest, items});
        }
    }
    return entries;
}

// The values of a list written either way: as entries "path/-" or as a flow list at "path".
std::vector<std::string> ListAt(const std::vector<HeaderEntry>& entries, const std::string& path) {
    std::vector<std::string> values;
    for (const HeaderEntry& entry : entries) {
        if (entry.path == path + "/-") {
            values.push_back(Unquoted(entry.value));
        } else if (entry.path == path) {
            for (const std::string_view item : FlowItems(entry.value).value_or(Lines{})) {
                values.push_back(Unquoted(item));
            }
        }
    }
    return values;
}

// Whether text is a whole number, put in number.
bool ReadNumber(std::string_view text, std::size_t& number) {
    text = Trimmed(text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

// The encoder's rules, one a list item of encoder/rules; nothing when one is incomplete.
std::optional<std::vector<CodingRule>> RulesOf(const std::vector<HeaderEntry>& entries) {
    struct Found {
        CodingRule rule;
        bool length = false;
        bool formula = false;
    };
    std::map<int, Found> items;
    const std::string prefix = "encoder/rules/-/";
    for (const HeaderEntry& entry : entries) {
        if (!entry.path.starts_with(prefix)) {
            continue;
        }
        Found& found = items[entry.item];
        const std::string_view field = std::string_view(entry.path).substr(prefix.size());
        if (field == "length_equal") {
            found.length = ReadNumber(entry.value, found.rule.shortest);
            found.rule.longest = found.rule.shortest;
        } else if (field == "length_in_range") {
            const std::vector<std::string_view> range = FlowItems(entry.value).value_or(Lines{});
            found.length = range.size() == 2 && ReadNumber(range[0], found.rule.shortest) &&
                           ReadNumber(range[1], found.rule.longest);
        } else if (field == "formula") {
            std::optional<std::vector<CodePlace>> formula = ParseFormula(Unquoted(entry.value));
            found.formula = formula.has_value();
            found.rule.formula = std::move(formula).value_or(std::vector<CodePlace>{});
        }
    }
    std::vector<CodingRule> rules;
    for (auto& [item, found] : items) {
        if (!found.length || !found.formula) {
            return std::nullopt;
        }
        rules.push_back(std::move(found.rule));
    }
    return rules;
}

// The column'th field of a line of tab-separated fields, or the empty text.
std::string_view Field(std::string_view line, std::size_t column) {
    for (; column > 0; --column) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            return {};
        }
        line.remove_prefix(tab + 1);
    }
    return line.substr(0, line.find('\t'));
}

// The one character text is, or nothing.
std::optional<char32_t> SingleCharacter(std::string_view text) {
    if (text.empty() || text.size() > 4) {  // no character takes more than four bytes
        return std::nullopt;
    }
    // Strict UTF-8 holds no lone surrogate: two units are a pair.
    const std::optional<std::u16string> units = FromUtf8(text);
    if (!units || units->empty() || units->size() > 2) {
        return std::nullopt;
    }
    return units->size() == 1 ? (*units)[0] : CodePointOf((*units)[0], (*units)[1]);
}

}  // namespace

DictionaryRead ReadRimeDictionary(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    Lines lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
        start = end + 1;
    }
    const auto isLine = [](std::string_view mark) {
        return [mark](std::string_view line) { return Trimmed(line) == mark; };
    };
    const auto open = std::find_if(lines.begin(), lines.end(), isLine("---"));
    const auto close = std::find_if(open, lines.end(), isLine("..."));
    if (open == lines.end() || close == lines.end()) {
        return {std::nullopt, "no header between a '---' line and a '...' line"};
    }
    const std::vector<HeaderEntry> header = ScanHeader(Lines(open + 1, close));

    std::vector<std::string> columns = ListAt(header, "columns");
    if (columns.empty()) {
        columns = {"text", "code", "weight"};
    }
    const auto column = [&columns](std::string_view name) {
        return static_cast<std::size_t>(std::find(columns.begin(), columns.end(), name) -
                                        columns.begin());
    };
    const std::size_t textColumn = column("text");
    const std::size_t codeColumn = column("code");
    const std::size_t weightColumn = column("weight");
    if (textColumn == columns.size() || codeColumn == columns.size()) {
        return {std::nullopt, "its columns name no text or no code"};
    }

    RimeDictionary dictionary;
    const bool encoder = std::any_of(header.begin(), header.end(), [](const HeaderEntry& entry) {
        return entry.path == "encoder" || entry.path.starts_with("encoder/");
    });
    std::optional<std::vector<CodingRule>> rules = encoder ? RulesOf(header) : StandardWubiRules();
    if (!rules) {
        return {std::nullopt, "a rule of its encoder has no length or no formula"};
    }
    dictionary.rules = std::move(*rules);
    for (const std::string& pattern : ListAt(header, "encoder/exclude_patterns")) {
        try {
            dictionary.excludedCodes.emplace_back(pattern);
        } catch (const std::regex_error&) {
            return {std::nullopt, "its encoder's exclude pattern '" + pattern + "' is no pattern"};
        }
    }

    for (auto line = close + 1; line != lines.end(); ++line) {
        if (line->empty() || line->front() == '#') {
            continue;
        }
        const std::optional<char32_t> character = SingleCharacter(Field(*line, textColumn));
        const std::string_view code = Field(*line, codeColumn);
        if (!character || code.empty()) {
            continue;
        }
        // A weight is a number, or a percentage; only its number counts.
        const std::string_view weightText =
            weightColumn < columns.size() ? Field(*line, weightColumn) : std::string_view();
        double weight = 0;
        std::from_chars(weightText.data(), weightText.data() + weightText.size(), weight);
        dictionary.characters.push_back({*character, std::string(code), weight});
    }
    return {std::move(dictionary), {}};
}

}  // namespace emb
