#include <gtest/gtest.h>

#include "CodeTable.h"
#include "CodeTablePlace.h"
#include "Utf8.h"

namespace emb {
namespace {

// Characters with a short code and a full one, with two full codes of different weights, with a
// full code the encoder excludes; one outside the BMP; and a phrase's entry, which says nothing
// of its characters.
constexpr std::string_view kEntries[][3] = {
    {"一", "g", "100"},    {"一", "ggll", "90"}, {"经", "x", "50"},    {"经", "xcag", "40"},
    {"济", "iyjh", "30"},  {"观", "cmqn", "30"}, {"察", "pwfi", "30"}, {"行", "tfhh", "10"},
    {"行", "tgsh", "20"},  {"符", "zzpp", "99"}, {"符", "tw", "5"},    {"𠀀", "gkjh", "1"},
    {"经济", "aaaa", "9"},
};

// With an encoder, columns as a flow list, CR LF and a byte-order mark; or without an encoder,
// columns as a block list in another order and no weights.
std::string Dictionary(bool encoder) {
    std::string text =
        encoder ? "\xEF\xBB\xBF# test\r\n---\r\nname: test\r\ncolumns: [text, code, weight] # x\r\n"
                  "encoder:\r\n  exclude_patterns:\r\n    - '^z.*$'\r\n  rules:\r\n"
                  "    - length_equal: 2\r\n      formula: \"AaAbBaBb\"\r\n"
                  "    - {length_equal: 3, formula: AaBaCaCb}\r\n"
                  "    - length_in_range: [4, 10]\r\n      formula: 'AaBaCaZa'\r\n...\r\n"
                : "---\ncolumns:\n- code\n- text\n...\n\n# 一\tg\n";
    for (const auto& [phrase, code, weight] : kEntries) {
        text.append(encoder ? phrase : code).append("\t").append(encoder ? code : phrase);
        text.append(encoder ? "\t" : "")
            .append(encoder ? weight : "")
            .append(encoder ? "\r\n" : "\n");
    }
    return text;
}

// What a phrase gets: its code, or why it has none.
std::u16string Shown(const PhraseCode& code) {
    const std::u16string_view outcomes[] = {u"", u"missing ", u"no rule", u"untypable "};
    return std::u16string(outcomes[static_cast<int>(code.outcome)]) + code.code + code.character;
}

TEST(CodeTable, APhrasesCodeFollowsTheDictionarysRulesOverItsCharactersFullCodes) {
    const std::u16string ten = u"一经济观察一经济观察";
    const std::tuple<std::u16string, std::u16string, std::u16string> cases[] = {
        // phrase, coded by the encoder's rules, and by the standard rules
        {u"一", u"ggll", u"ggll"},
        {u"经济", u"xciy", u"xciy"},
        {u"经济观", u"xicm", u"xicm"},
        {u"经济观察", u"xicp", u"xicp"},
        {ten, u"gxip", u"gxip"},
        {ten + u"一", u"no rule", u"gxig"},
        {u"经某济", u"missing 某", u"missing 某"},
        {u"行行", u"tgtg", u"tftf"},  // the heavier full code, or the first listed
        {u"符", u"tw", u"untypable zzpp"},
        {u"𠀀一", u"gkgg", u"gkgg"},
        {u"", u"no rule", u"no rule"},
    };
    const CodeTable withEncoder(*ReadRimeDictionary(Dictionary(true)).dictionary);
    const CodeTable standard(*ReadRimeDictionary(Dictionary(false)).dictionary);
    for (const auto& [phrase, coded, codedByStandard] : cases) {
        EXPECT_EQ(Shown(withEncoder.Code(phrase)), coded) << ToUtf8(phrase);
        EXPECT_EQ(Shown(standard.Code(phrase)), codedByStandard) << ToUtf8(phrase);
    }
}

TEST(CodeTable, ATextWithoutHeaderColumnsOrWholeRulesIsNoDictionary) {
    const std::pair<std::string, std::string> cases[] = {
        {"一\tg\n", "no header between a '---' line and a '...' line"},
        {"---\n一\tg\n", "no header between a '---' line and a '...' line"},
        {"---\ncolumns: [text, weight]\n...\n", "its columns name no text or no code"},
        {"---\nencoder:\n  rules:\n    - length_equal: 2\n      formula: Aa1\n...\n",
         "a rule of its encoder has no length or no formula"},
        {"---\nencoder:\n  rules:\n    - formula: AaAb\n...\n",
         "a rule of its encoder has no length or no formula"},
        {"---\nencoder:\n  exclude_patterns: ['(']\n...\n",
         "its encoder's exclude pattern '(' is no pattern"},
    };
    for (const auto& [text, problem] : cases) {
        const DictionaryRead read = ReadRimeDictionary(text);
        EXPECT_EQ(std::pair(read.dictionary.has_value(), read.problem), std::pair(false, problem));
    }
}

TEST(CodeTablePlace, IsTheFirstNameEndingInDictYamlInAnyCase) {
    EXPECT_EQ(FirstCodeTableName({u"a.txt", u"c.dict.yaml", u"B.DICT.YAML", u"a.dict.yaml.bak",
                                  u".dict.yaml", u"d.dict.yaml"}),
              u"B.DICT.YAML");
    EXPECT_EQ(FirstCodeTableName({u"embtool.exe"}), u"");
}

}  // namespace
}  // namespace emb
