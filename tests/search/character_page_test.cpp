// The character page. Expected figures from the source files by
// python3 tests/data/character_figures.py 9577 957F 4E0D (Unihan fields,
// the pinyin fields the extract gathers, CC-CEDICT's entries per
// character and the first 24 in the page's order, each entry counted in
// the other entries' traditional forms by plain substring search); tone
// marks as pinyin writes them.
#include <gtest/gtest.h>

#include <regex>

#include "chardb/character_references.h"
#include "chardb/chardb_texts.h"
#include "chardb/tone_marks.h"
#include "chardb/utf8.h"
#include "search/character_texts.h"
#include "search/search_texts.h"
#include "tests/search/search_test_support.h"

namespace {

// What a reader sees: the tags gone, the references as characters, runs
// of blanks as one.
std::string Shown(const std::string& page) {
  std::string text = std::regex_replace(page, std::regex("<[^>]*>"), "");
  text = std::regex_replace(ReplaceCharacterReferences(text), std::regex("(&nbsp;| )+"), " ");
  return std::regex_replace(text, std::regex("&amp;"), "&");
}

// The traditional forms of the page's words, in its order, blank-separated.
std::string WordsOf(const std::string& page) {
  std::size_t at = page.find("<H3>Words</H3>");
  std::string forms;
  if (at == std::string::npos) return forms;
  std::string section = page.substr(at, page.find("<P><SMALL>", at) - at);
  for (at = section.find("<P>"); at != std::string::npos; at = section.find("<BR>", at + 1)) {
    std::string line = Shown(section.substr(at, section.find("<BR>", at + 1) - at));
    forms += (forms.empty() ? "" : " ") + line.substr(0, line.find(' '));
  }
  return forms;
}

TEST(CharacterPage, LongInBothFormsShowsWhatTheDataHold) {
  SearchOutcome traditional = Search(kCharacterSearch, "9577");
  std::string text = Shown(traditional.page);
  for (const char* expected :
       {"\xE9\x95\xB7", "U+9577", "&#x9577;", "&#38263;", "UTF-8: E9 95 B7", "CJK Unified Ideographs (URO)",
        "Mandarin: zh\xC7\x8Eng ch\xC3\xA1ng", "Cantonese: coeng4", "Japanese on: CHOU",
        "Japanese kun: NAGAI TAKERU OSA", "Korean: CANG", "Hangul: \xEC\x9E\xA5", "Vietnamese: tr\xC6\xB0\xE1\xBB\x9Dng",
        "long; length; excel in; leader; Kangxi radical 168", "Radical 168 \xE9\x95\xB7", "0 residual strokes",
        "Total strokes: 8", "Matthews: 213", "Simplified form: \xE9\x95\xBF 957F"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  EXPECT_NE(traditional.page.find("Simplified form: <A href=\"logodex:character/957F\">&#x957F;</A>"), std::string::npos);
  EXPECT_NE(traditional.page.find("<A href=\"logodex:radical-stroke/168.0\">"), std::string::npos);
  EXPECT_NE(traditional.page.find("<A href=\"logodex:stroke-number/8\">"), std::string::npos);
  // Every reading leads to its page: Mandarin to the pinyin page of that
  // reading, tone included (律 is kMandarin lǜ, asked for as LV4), the
  // other languages to the Reading page.
  EXPECT_NE(Search(kCharacterSearch, "5F8B").page.find("logodex:pinyin/LV4\">"), std::string::npos);
  for (const char* link : {"logodex:pinyin/ZHANG3\">", "logodex:pinyin/CHANG2\">","logodex:reading/coeng4\">coeng4<", "logodex:reading/TAKERU\">TAKERU<",
                           "logodex:reading/\xEC\x9E\xA5\">\xEC\x9E\xA5<",
                           "logodex:reading/tr\xC6\xB0\xE1\xBB\x9Dng\">"})
    EXPECT_NE(traditional.page.find(link), std::string::npos) << link;
  EXPECT_EQ(traditional.statusText, "Character: \xE9\x95\xB7 U+9577");
  // 592 entries hold it; the page lists the first 24: its own one-character
  // entries, then the words most other entries are built on (長江 in 8,
  // 長城 in 7, 長多 in none), so that the Great Wall and the Yangtze are
  // among them rather than at 110 and 156 by length alone.
  EXPECT_EQ(WordsOf(traditional.page),
            "\xE9\x95\xB7 \xE9\x95\xB7 \xE9\x95\xB7\xE5\xB0\xBE \xE9\x83\xA8\xE9\x95\xB7 "
            "\xE9\x95\xB7\xE6\xB1\x9F \xE5\xA2\x9E\xE9\x95\xB7 \xE9\x95\xB7\xE5\x9F\x8E "
            "\xE5\xA4\xA9\xE9\x95\xB7 \xE9\x95\xB7\xE9\x80\x94 \xE5\xAE\xB6\xE9\x95\xB7 "
            "\xE9\x95\xB7\xE7\x94\x9F \xE7\x94\x9F\xE9\x95\xB7 \xE9\x95\xB7\xE7\x99\xBD "
            "\xE9\x95\xB7\xE6\x9C\x9F \xE6\x89\x80\xE9\x95\xB7 \xE6\x89\x80\xE9\x95\xB7 "
            "\xE9\x95\xB7\xE7\x9C\xBC \xE9\x95\xB7\xE5\xA4\x9C \xE9\x99\xA2\xE9\x95\xB7 "
            "\xE9\x95\xB7\xE6\xB2\x99 \xE9\x95\xB7\xE6\xA8\x82 \xE9\x95\xB7\xE6\x98\xA5 "
            "\xE9\x95\xB7\xE5\xAE\x98 \xE9\x95\xB7\xE5\xB6\xBA");
  for (const char* word : {"\xE5\xA4\xA9\xE9\x95\xB7 / \xE5\xA4\xA9\xE9\x95\xBF Ti\xC4\x81n ch\xC3\xA1ng",
                           "\xE9\x95\xB7\xE5\x9F\x8E / \xE9\x95\xBF\xE5\x9F\x8E Ch\xC3\xA1ng ch\xC3\xA9ng the Great Wall",
                           "\xE9\x95\xB7\xE6\xB1\x9F / \xE9\x95\xBF\xE6\xB1\x9F Ch\xC3\xA1ng Ji\xC4\x81ng Yangtze River"})
    EXPECT_NE(text.find(word), std::string::npos) << word;

  SearchOutcome simplified = Search(kCharacterSearch, "957F");
  text = Shown(simplified.page);
  for (const char* expected : {"Radical 168' ", "(simplified form), 0 residual strokes", "Total strokes: 4",
                               "Traditional form: \xE9\x95\xB7 9577"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  EXPECT_NE(simplified.page.find("<A href=\"logodex:radical-stroke/168'.0\">"), std::string::npos);
  EXPECT_NE(simplified.page.find("Traditional form: <A href=\"logodex:character/9577\">"), std::string::npos);
  EXPECT_EQ(simplified.statusText, "Character: \xE9\x95\xBF U+957F");
  for (const char* sameKey : {"957f", "U+957F", "u+957f", "\xE9\x95\xBF"})
    EXPECT_EQ(Search(kCharacterSearch, sameKey).page, simplified.page) << sameKey;

  // kDefinition of U+3400 (bzcat data/unihan/Unihan_Readings.txt.bz2 | grep
  // -P '^U\+3400\tkDefinition'): "(same as U+4E18 丘) hillock or mound",
  // the reference shown as the linked character once.
  SearchOutcome reference = Search(kCharacterSearch, "3400");
  EXPECT_NE(Shown(reference.page).find("(same as \xE4\xB8\x98 4E18) hillock or mound"), std::string::npos);
  EXPECT_NE(reference.page.find("<A href=\"logodex:character/4E18\">&#x4E18;</A>"), std::string::npos);
}

// The Components section, from the decomposition data alone: 瞧 is
// a(目,焦) in data/hanzi/cjk-decomp.txt.js.bz2 and in no other character;
// the characters holding 隹, 品 and 灬 (as 火), common first: python3
// tests/data/component_figures.py --found-in 瞧 隹 品 灬.
TEST(CharacterPage, ComponentsMadeOfAndFoundIn) {
  auto section = [](const std::string& code) {
    std::string page = Search(kCharacterSearch, code).page;
    std::size_t at = page.find("<H3>Components</H3>");
    return at == std::string::npos ? std::string() : page.substr(at, page.find("<H3>", at + 4) - at);
  };
  std::string qiao = section("77A7");
  for (const char* link : {"logodex:components/目\">&#x76EE;<", "logodex:components/焦\">&#x7126;<",
                           "logodex:components/目焦\">characters with all", "logodex:components/隹\">",
                           "logodex:components/火\">"})
    EXPECT_NE(qiao.find(link), std::string::npos) << link;
  EXPECT_EQ(qiao.find("logodex:components/一\""), std::string::npos) << "a single stroke among the parts";
  EXPECT_EQ(qiao.find("Found in"), std::string::npos);
  const struct {
    const char* code;
    const char* all;  // the link to the whole list
    const char* first;
  } cases[] = {
      {"96B9", "logodex:components/隹\">all 1627<", "难谁准集推维唯瞧堆雄灌惟焦售摊滩摧耀截催罐雕雀雇"},
      {"54C1", "logodex:components/品\">all 220<", "操癌躁燥澡噪臊藻璪缲𥖨區臨歐樞驅闆鷗軀嘔摳毆㠋㩰"},
      {"706C", "logodex:components/灬\">all 7014<", "点然热照谈黑伙灯烈烧熟烟灭燃炼煤瞧默灰爆灵炮炉秋"},
  };
  for (const auto& c : cases) {
    std::string found = section(c.code);
    found = found.substr(std::min(found.find("Found in: "), found.size()));
    std::string glyphs;
    std::regex glyph("logodex:character/([0-9A-F]+)");
    for (std::sregex_iterator it(found.begin(), found.end(), glyph), end; it != end; ++it)
      AppendUtf8(static_cast<std::uint32_t>(std::stoul((*it)[1], nullptr, 16)), glyphs);
    EXPECT_EQ(glyphs, c.first) << c.code;
    EXPECT_NE(found.find(c.all), std::string::npos) << c.code;
  }
}

TEST(CharacterPage, KeysNamingNoCharacterAnswerAndNeverShowTheKeyUnescaped) {
  struct Case {
    std::string key;
    const char* answer;
  } const cases[] = {
      {"", kNoResult},         {"<b>x</b>", kNoResult},   {"\xFF\xFE", kNoResult},        {"ZZZZ", kNoResult},
      {"110000", kNoResult},   {"D800", kNoResult},       {"\xE9\x95\xB7\xE9\x95\xBF", kNoResult},
      {"12&\"'<>abcdefghij<", kNoResult},                  {"\xED\xA0\x80", kNoResult},   // an encoded surrogate
      {"E000", kPrivateUseAnswer}, {"0041", kNotAvailable}, {"2FFFF", kNotAvailable},
  };
  for (const Case& c : cases) {
    SearchOutcome outcome = Search(kCharacterSearch, c.key);
    EXPECT_EQ(outcome.page.rfind("<HTML><HEAD><TITLE>Character", 0), 0u) << c.key;
    EXPECT_NE(outcome.page.find(std::string("<P>") + c.answer + "</BODY></HTML>"), std::string::npos) << c.key;
    EXPECT_EQ(outcome.page.find("<b>"), std::string::npos) << c.key;
  }
  // Control characters are named by their code in the status text, which
  // a NUL would end and a bell or a C1 control would garble.
  for (const char* code : {"0000", "0007", "009F"})
    EXPECT_EQ(Search(kCharacterSearch, code).statusText, std::string("Character: U+") + code);
  EXPECT_EQ(Search(kCharacterSearch, "00A0").statusText, "Character: \xC2\xA0 U+00A0");
}

TEST(ToneMarks, SyllablesAsReadersWriteThem) {
  struct Case {
    const char* numbered;
    const char* marked;
  } const cases[] = {
      {"ZHANG3", "zh\xC7\x8Eng"}, {"CHANG2", "ch\xC3\xA1ng"}, {"L&#xdc;3", "l\xC7\x9A"}, {"lu:4", "l\xC7\x9C"},
      {"Bei3", "B\xC4\x9Bi"},    {"you3", "y\xC7\x92u"},    {"gui4", "gu\xC3\xAC"},   {"liu2", "li\xC3\xBA"},
      {"ma5", "ma"},            {"r5", "r"},              {"m2", "m\xCC\x81"},      {"3C", "3C"},
      {"Er4", "\xC3\x88r"},     {",", ","},
  };
  for (const Case& c : cases) EXPECT_EQ(SyllableWithToneMark(c.numbered, c.numbered[0] == 'Z' || c.numbered[0] == 'C' || c.numbered[1] == '&'), c.marked) << c.numbered;
  EXPECT_EQ(PinyinWithToneMarks("Chang2 cheng2"), "Ch\xC3\xA1ng ch\xC3\xA9ng");
}

}  // namespace
