// The four property lookups: the generated tables' edge cases and each
// decision on small tables. Figures from the generated files with
//   grep -P '^U\+CODE\t' PinyinSearchData DefinitionSearchDataUtf16
//     RadicalStrokeSearchData MatthewsSearchData
// unless a case names another command.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>

#include "chardb/chardb_texts.h"
#include "chardb/lookups.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

struct Answers {
  std::string pinyin, definition, radicalStroke, matthews;
};

// All four for one text, each from a copy; `folded` receives the text as
// the lookups leave it.
Answers LookUp(const CharacterTables& tables, const std::string& code, std::string* folded = nullptr) {
  Answers answers;
  std::string text = code;
  answers.pinyin = LookupPinyin(tables, text);
  if (folded) *folded = text;
  text = code;
  answers.definition = LookupDefinition(tables, text);
  text = code;
  answers.radicalStroke = LookupRadicalStroke(tables, text);
  text = code;
  answers.matthews = LookupMatthews(tables, text);
  return answers;
}

void ExpectAnswers(const CharacterTables& tables, const std::string& code, const Answers& expected) {
  SCOPED_TRACE("code \"" + code + "\"");
  Answers got = LookUp(tables, code);
  EXPECT_EQ(got.pinyin, expected.pinyin);
  EXPECT_EQ(got.definition, expected.definition);
  EXPECT_EQ(got.radicalStroke, expected.radicalStroke);
  EXPECT_EQ(got.matthews, expected.matthews);
}

TEST(Lookups, TheCharacterOne) {
  // tests/data/unihan_figures.py: U+4E00 reads yī, yí and yì.
  ExpectAnswers(RealTables(), "4E00", {"YI1 YI2 YI4", "one; a, an; alone", "1.0", "3016"});
}

TEST(Lookups, FirstAndLastLinesOfEachExtract) {
  // head -1 / tail -1 of each extract; the last line lost its LF in
  // memory and keeps its whole value.
  const CharacterTables& tables = RealTables();
  ExpectAnswers(tables, "3400", {"QIU1", "(same as U+4E18 &#x4e18;) hillock or mound", "1.4", kNotAvailable});
  std::string code = "2F835";
  EXPECT_EQ(LookupPinyin(tables, code), "HUI1");
  code = "2F907";
  EXPECT_EQ(LookupDefinition(tables, code), "(Cant.) mud, mire");
  code = "2FA1D";
  EXPECT_EQ(LookupRadicalStroke(tables, code), "211.6");
  ExpectAnswers(tables, "2A3D9", {"HUANG2", "a yolk", "201.10", "2305"});
}

TEST(Lookups, ACodeNoExtractHoldsAndTextsThatAreNoCode) {
  const CharacterTables& tables = RealTables();
  const Answers none{kPinyinNotOccurring, kNotAvailable, kNotAvailable, kNotAvailable};
  const Answers occurs{kPinyinNotAvailable, kNotAvailable, kNotAvailable, kNotAvailable};
  // python3: 'FFFF' in open('PinyinSearchData').read() -> False; also
  // 323B0, the first code point after Extension H (tests/data/unihan_figures.py
  // lists no code point beyond 323AF).
  ExpectAnswers(tables, "FFFF", none);
  ExpectAnswers(tables, "323B0", none);
  ExpectAnswers(tables, "not hex", none);
  ExpectAnswers(tables, "%n", none);
  ExpectAnswers(tables, "4E00 and more text of 19", none);
  // grep -c 0041 PinyinSearchData: 1, inside "U+20041".
  ExpectAnswers(tables, "0041", occurs);
  // 2000 is the head of U+20000..., E00 the tail of U+3E00: both occur,
  // neither is a line's code (the reading of U+3E00, TAI2, is not given).
  ExpectAnswers(tables, "2000", occurs);
  ExpectAnswers(tables, "E00", occurs);
  // With its prefix the text occurs, but is no line's code.
  ExpectAnswers(tables, "U+4E00", occurs);
  // The empty text occurs everywhere.
  ExpectAnswers(tables, "", occurs);
  // A code with a leading zero names the same code point but is no line's
  // code, and occurs nowhere.
  ExpectAnswers(tables, "04E00", none);
}

TEST(Lookups, PrivateUseCodesAnswerPrivateUseArea) {
  const CharacterTables& tables = RealTables();
  const Answers privateUse{kPrivateUseAnswer, kPrivateUseAnswer, kPrivateUseAnswer, kPrivateUseAnswer};
  for (const char* code : {"E000", "F8FF", "e000", "EABC"}) ExpectAnswers(tables, code, privateUse);
  // Just past the range, F900 has lines of its own (no pinyin line, and
  // grep -c F900 PinyinSearchData: 0).
  ExpectAnswers(tables, "F900", {kPinyinNotOccurring, "how? what?", "151.3", kNotAvailable});
}

TEST(Lookups, LowerCaseTextsAreFoldedInPlaceAndFound) {
  const CharacterTables& tables = RealTables();
  std::string folded;
  Answers got = LookUp(tables, "4e00", &folded);
  EXPECT_EQ(folded, "4E00");
  EXPECT_EQ(got.pinyin, "YI1 YI2 YI4");
  EXPECT_EQ(got.definition, "one; a, an; alone");
  EXPECT_EQ(got.radicalStroke, "1.0");
  EXPECT_EQ(got.matthews, "3016");
  ExpectAnswers(tables, "2a3d9", {"HUANG2", "a yolk", "201.10", "2305"});
  // Each lookup folds the caller's text, private use included.
  for (auto lookup : {LookupPinyin, LookupDefinition, LookupRadicalStroke, LookupMatthews}) {
    std::string code = "2a3d9";
    lookup(tables, code);
    EXPECT_EQ(code, "2A3D9");
    code = "e000";
    lookup(tables, code);
    EXPECT_EQ(code, "E000");
    code = "u+äb";
    lookup(tables, code);
    EXPECT_EQ(code, "U+äB");
  }
}

TEST(Lookups, EveryDefinitionShadowedByAnEarlierMentionAnswersItsOwnLine) {
  // The characters whose "U+code" first occurs in another line of the
  // definition extract (python3 over the file: 272 of them; 388B is
  // mentioned first in the line of U+3881, "(same as U+388B &#x388b;) ...").
  const CharacterTables& tables = RealTables();
  std::string text = ReadDataFile(kDefinitionDataName);
  // Where "U+" and four or five given digits first occur: every "U+"
  // followed by hexadecimal digits holds its first four and five.
  std::map<std::string, std::size_t> firstMention;
  for (std::size_t at = text.find("U+"); at != std::string::npos; at = text.find("U+", at + 1)) {
    std::size_t digits = 0;
    while (std::isxdigit(static_cast<unsigned char>(text[at + 2 + digits]))) ++digits;
    for (std::size_t length : {4, 5}) {
      if (digits >= length) firstMention.emplace(text.substr(at + 2, length), at);
    }
  }
  std::size_t shadowed = 0;
  for (std::size_t line = 0; line < text.size();) {
    std::size_t tab = text.find('\t', line);
    std::size_t end = text.find("\r\n", line);
    std::string code = text.substr(line + 2, tab - line - 2);
    if (firstMention.at(code) != line) {
      ++shadowed;
      std::size_t valueStart = text.find('\t', tab + 1) + 1;
      std::string copy = code;
      EXPECT_EQ(LookupDefinition(tables, copy), text.substr(valueStart, end - valueStart)) << code;
    }
    line = end + 2;
  }
  EXPECT_EQ(shadowed, 272u);
  std::string code = "388B";
  EXPECT_EQ(LookupDefinition(tables, code), "vast, to open up, enlarge or expand");
  // 508F is shadowed in other editions of the data, not in this one.
  code = "508F";
  EXPECT_EQ(LookupDefinition(tables, code), "to ward off; to parry; to keep out, as wind, rain, or cold");
}

TEST(Lookups, MatthewsNumbersLoseTheirPrefixAndPadding) {
  // grep -P '\tM\+(3016|300p|90pp|3ppp|994pa|4473a|5047\.5)\r' MatthewsSearchData
  const CharacterTables& tables = RealTables();
  struct Case {
    const char* code;
    const char* number;
  } cases[] = {{"3405", "7187"}, {"3431", "300"},  {"350D", "90"},     {"54C0", "3"},
               {"86ED", "994a"}, {"7784", "4473a"}, {"752D", "5047.5"}, {"8F0A", "983a"}};
  for (const Case& c : cases) {
    std::string code = c.code;
    EXPECT_EQ(LookupMatthews(tables, code), c.number) << c.code;
  }
  // No Matthews line for U+70BA: Not available.
  std::string code = "70BA";
  EXPECT_EQ(LookupMatthews(tables, code), kNotAvailable);
}

TEST(MatthewsNumber, EveryForm) {
  struct Case {
    const char* value;
    const char* number;
  } cases[] = {{"M+7187", "7187"}, {"M+300p", "300"},  {"M+90pp", "90"},     {"M+3ppp", "3"},
               {"M+994pa", "994a"}, {"M+4473a", "4473a"}, {"M+5047.5", "5047.5"}, {"M+", ""},
               {"", ""},            {"M", "M"},         {"12p", "12"},       {"M+p1p2", "12"},
               {"M+12P", "12P"}};
  for (const Case& c : cases) EXPECT_EQ(MatthewsNumber(c.value), c.number) << c.value;
}

// Small tables made to order, indexed as at load.
CharacterTables SmallTables(const std::string& pinyin, const std::string& definition,
                            const std::string& radicalStroke, const std::string& matthews) {
  CharacterTables tables;
  tables.pinyin = TextOf(pinyin);
  tables.definition = TextOf(definition);
  tables.radicalStroke = TextOf(radicalStroke);
  tables.matthews = TextOf(matthews);
  BuildLookupIndexes(tables);
  return tables;
}

TEST(Lookups, TheOwnLineWinsOverHeadsTailsAndMentions) {
  CharacterTables tables = SmallTables(
      "U+34000\tkMandarin\tHEAD1\r\nU+13400\tkMandarin\tTAIL1\r\nU+3400\tkMandarin\tOWN1\r\n",
      "U+3000\tkDefinition\tsee U+3400\r\nU+3400\tkDefinition\town line\r\n",
      "U+3400x\tkRSUnicode\t9.9\r\nU+3400\tkRSUnicode\t1.2 \r\n",
      "U+3400\tkMatthews\tM+12pp\r\nU+3400\tkMatthews\tM+99\r\n");
  // The first line with that code counts; a trailing blank is kept.
  ExpectAnswers(tables, "3400", {"OWN1", "own line", "1.2 ", "12"});
  ExpectAnswers(tables, "340", {kPinyinNotAvailable, kNotAvailable, kNotAvailable, kNotAvailable});
}

TEST(Lookups, LinesOutOfLayout) {
  CharacterTables tables = SmallTables(
      // No value TAB; a value with a bare CR; an empty value; no line end.
      "U+4E00\tkMandarin\r\nU+4E01\tkMandarin\tA1\rB2\r\nU+4E02\tkMandarin\t\r\n"
      "XU+4E03\tkMandarin\tNOT1\r\n U+4E04\tkMandarin\tNOT2\nU+4E05\tkMandarin\tLAST5",
      "", "U+4E00\tkRSUnicode\t1.0\n", "U+4E00\tkMatthews\tM+1\n");
  EXPECT_EQ(LookUp(tables, "4E00").pinyin, "");
  EXPECT_EQ(LookUp(tables, "4E01").pinyin, "A1");
  EXPECT_EQ(LookUp(tables, "4E02").pinyin, "");
  EXPECT_EQ(LookUp(tables, "4E03").pinyin, kPinyinNotAvailable);
  EXPECT_EQ(LookUp(tables, "4E04").pinyin, kPinyinNotAvailable);
  // The resource's last byte became NUL: "LAST5" lost its 5.
  EXPECT_EQ(LookUp(tables, "4E05").pinyin, "LAST");
  // An empty table answers nothing; LF-only line ends read the same.
  ExpectAnswers(tables, "4E00", {"", kNotAvailable, "1.0", "1"});
}

TEST(Lookups, HexTextsAboveAndBelowTheHighestRunOfATable) {
  // The table's only digit runs: 3400 (and 340, 400), 12 and 1.
  CharacterTables tables = SmallTables("U+3400\tkMandarin\tQIU1 12\r\n", "", "", "");
  const Answers none{kPinyinNotOccurring, kNotAvailable, kNotAvailable, kNotAvailable};
  // Texts past the table's highest run, four and five digits, and the
  // greatest ones.
  for (const char* code : {"3401", "FFFF", "34000", "FFFFF", "00000"}) ExpectAnswers(tables, code, none);
  ExpectAnswers(tables, "3400", {"QIU1 12", kNotAvailable, kNotAvailable, kNotAvailable});
  // Below it: not a line's code, and not in the text either.
  ExpectAnswers(tables, "0000", none);
  ExpectAnswers(tables, "33FF", none);
}

TEST(Lookups, ThePrivateUseAnswerComesBeforeTheTable) {
  CharacterTables tables = SmallTables("U+E000\tkMandarin\tX1\r\n", "U+E000\tkDefinition\tx\r\n",
                                       "U+E000\tkRSUnicode\t1.0\r\n", "U+E000\tkMatthews\tM+1\r\n");
  ExpectAnswers(tables, "E000", {kPrivateUseAnswer, kPrivateUseAnswer, kPrivateUseAnswer, kPrivateUseAnswer});
}

TEST(Lookups, WithoutIndexesTheLookupsScan) {
  CharacterTables tables;
  tables.pinyin = TextOf("U+3E00\tkMandarin\tTAI2\r\nU+4E00\tkMandarin\tYI1\r\n");
  tables.definition = TextOf("U+4E00\tkDefinition\tone\r\n");
  tables.radicalStroke = TextOf("");
  tables.matthews = TextOf("");
  ASSERT_FALSE(tables.pinyinIndex.built);
  ExpectAnswers(tables, "4e00", {"YI1", "one", kNotAvailable, kNotAvailable});
  ExpectAnswers(tables, "E00", {kPinyinNotAvailable, kNotAvailable, kNotAvailable, kNotAvailable});
  // A table replaced after indexing is scanned rather than misread.
  BuildLookupIndexes(tables);
  tables.pinyin = TextOf("U+4E00\tkMandarin\tYI1 ER4\r\n");
  EXPECT_EQ(LookUp(tables, "4E00").pinyin, "YI1 ER4");
}

TEST(Lookups, TheLongestValuesComeBackWhole) {
  // tr -d '\r' < DefinitionSearchDataUtf16 | awk -F'\t' over the values:
  // the longest, of 468 characters, is that of U+3D34.
  std::string code = "3D34";
  EXPECT_EQ(LookupDefinition(RealTables(), code).size(), 468u);
}

}  // namespace
