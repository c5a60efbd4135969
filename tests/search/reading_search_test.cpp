// The pinyin field's keys as input methods write them, and the Reading
// search. Expected positions and counts come from the Unihan sources:
//   python3 tests/data/common_order.py --pinyin MA3        (likewise L&#xdc;4, N&#xdc;3, YI4)
//   python3 tests/data/common_order.py --field kCantonese hou2
// (likewise kCantonese 'hou[1-6]', kJapaneseOn shoku, kJapaneseKun taberu, kKorean sik,
// kVietnamese háo), each listing the characters of one reading
// common-first, numbered from 1.
#include <gtest/gtest.h>

#include <algorithm>

#include "search/reading_search.h"
#include "tests/search/search_test_support.h"

namespace {

// The position (from 1) of the code among the page's insert links; 0 when
// it has none.
std::size_t PositionOf(const std::string& page, const std::string& code) {
  std::vector<std::string> targets = InsertTargets(page);
  auto at = std::find(targets.begin(), targets.end(), code);
  return at == targets.end() ? 0 : static_cast<std::size_t>(at - targets.begin()) + 1;
}

// The section of a Reading page headed by the language, up to the next.
std::string Section(const std::string& page, const std::string& language) {
  std::size_t start = page.find("<H3>" + language + ": ");
  if (start == std::string::npos) return {};
  return page.substr(start, page.find("<H3>", start + 4) - start);
}

TEST(TypedPinyin, AToneDigitVOrAToneMarkAnswersOneReadingCommonFirst) {
  struct Case {
    const char* key;
    const char* code;
    std::size_t within;  // common_order.py --pinyin: the position it gives
  } cases[] = {
      {"MA3", "9A6C", 1},  {"ma3", "9A6C", 1},   {"m\xC7\x8E", "9A6C", 1}, {"M\xC7\x8D", "9A6C", 1},
      {"LV4", "5F8B", 1}, {"LV4", "7EFF", 2}, {"l\xC7\x9C", "7EFF", 2}, {"L\"4", "5F8B", 1},
      {"NV3", "5973", 1},  {"NU:3", "5973", 1}, {"n\xC3\xBC\xCC\x8C", "5973", 1},
      {"YI4", "4E49", 1},  {"YI4", "8BD1", 11}, {"yi\xCC\x80", "8BD1", 11},
  };
  for (const Case& c : cases) {
    SearchOutcome outcome = Search(kPinyinSearch, c.key);
    std::size_t position = PositionOf(outcome.page, c.code);
    EXPECT_TRUE(position >= 1 && position <= c.within) << c.key << " " << c.code << " at " << position;
  }
  EXPECT_EQ(Search(kPinyinSearch, "ma3").statusText, "Pinyin: MA3");
  EXPECT_EQ(Search(kPinyinSearch, "l\xC7\x9C").statusText, "Pinyin: L\xC3\x9C" "4");
  // ü as v without a tone: the page of L? itself.
  EXPECT_EQ(Search(kPinyinSearch, "LV").page, Search(kPinyinSearch, "L?").page);
  EXPECT_EQ(Search(kPinyinSearch, "LV").statusText, "Pinyin: L\xC3\x9C");
  // Keys that are no reading of the data answer as before: the empty table
  // and the key as typed.
  std::string empty = Search(kPinyinSearch, "QQ").page;
  for (const char* key : {"XX3", "MA9", "M3A", "MA33", "3", "MA\xCC\x81\xCC\x80", "U:", ":", "M\xFF"}) {
    SearchOutcome outcome = Search(kPinyinSearch, key);
    EXPECT_EQ(outcome.page, empty) << key;
    EXPECT_EQ(outcome.statusText, std::string("Pinyin: ") + key);
  }
}

TEST(ReadingSearch, EachLanguageAnswersItsReadingsCommonFirst) {
  struct Case {
    const char* key;
    const char* language;
    const char* code;
    std::size_t within;  // common_order.py --field: the position it gives
  } cases[] = {
      {"hou2", "Cantonese", "597D", 1},   {"HOU", "Cantonese", "597D", 1},
      {"shoku", "Japanese on", "98DF", 4}, {"SHOKU", "Japanese on", "98DF", 4},
      {"taberu", "Japanese kun", "98DF", 1}, {"SIK", "Korean", "98DF", 3},
      {"\xEC\x8B\x9D", "Korean", "98DF", 3}, {"hao", "Vietnamese", "597D", 11},
      {"h\xC3\xA1o", "Vietnamese", "597D", 1}, {"H\xC3\x81O", "Vietnamese", "597D", 1},
  };
  for (const Case& c : cases) {
    std::string section = Section(Search(kReadingSearch, c.key).page, c.language);
    std::size_t position = PositionOf(section, c.code);
    EXPECT_TRUE(position >= 1 && position <= c.within) << c.key << " " << c.language << " at " << position;
  }
  SearchOutcome hou2 = Search(kReadingSearch, "hou2");
  EXPECT_EQ(hou2.statusText, "Reading: hou2");
  EXPECT_NE(hou2.page.find("<H3>Cantonese: hou2</H3>"), std::string::npos);
  EXPECT_NE(hou2.page.find("Mandarin: h\xC7\x8Eo"), std::string::npos);  // 好 hǎo
  EXPECT_NE(Search(kReadingSearch, "hou").page.find("<H3>Cantonese: hou1, hou2, hou3, hou4, hou6</H3>"),
            std::string::npos);
  // A python count over kVietnamese: 11 characters fold to hao, 2 read háo.
  EXPECT_EQ(InsertTargets(Section(Search(kReadingSearch, "hao").page, "Vietnamese")).size(), 11u);
  EXPECT_EQ(InsertTargets(Section(Search(kReadingSearch, "h\xC3\xA1o").page, "Vietnamese")).size(), 2u);
  // One long o, however spelled: 660 on and 10 kun characters read kou
  // (python over kJapaneseOn/Kun: readings lower-cased, oo as ou).
  for (const char* key : {"kou", "KOO", "k\xC5\x8D", "k\xC3\xB4"}) {
    std::string page = Search(kReadingSearch, key).page;
    EXPECT_EQ(InsertTargets(Section(page, "Japanese on")).size(), 660u) << key;
    EXPECT_EQ(InsertTargets(Section(page, "Japanese kun")).size(), 10u) << key;
    // Jyutping has no macrons: kō is no Cantonese ko1.
    if (static_cast<unsigned char>(key[1]) >= 0x80) {
      EXPECT_EQ(Section(page, "Cantonese"), "") << key;
    }
  }
}

TEST(ReadingSearch, BadKeysAnswerNoResultWithTheKeyEscaped) {
  for (const std::string& key :
       {std::string(), std::string("ho u"), std::string("hou2x"), std::string("h2ou"), std::string("\x01"),
        std::string("\xFF\xFE"), std::string(300, 'a'), std::string("<b>&amp;"), std::string("hou\0", 4),
        std::string("\xE0\x80\xAF"), std::string("-"), std::string("ka'")}) {
    SearchOutcome outcome = Search(kReadingSearch, key);
    EXPECT_NE(outcome.page.find("No result"), std::string::npos) << key;
    EXPECT_EQ(outcome.page.find("<b>"), std::string::npos) << key;
    EXPECT_EQ(outcome.page.find('\x01'), std::string::npos) << key;
    EXPECT_EQ(outcome.page.find('\xFF'), std::string::npos) << key;
  }
}

}  // namespace
