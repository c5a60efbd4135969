// The common-first order of the generated ranking tables against the same
// order computed from the Unihan source files by
// `python3 tests/data/common_order.py CHARACTERS [READING]` (quoted per case).
#include <gtest/gtest.h>

#include "chardb/character_tables.h"

namespace {

std::vector<std::uint32_t> CodePoints(const char* utf8) {
  std::vector<std::uint32_t> codePoints;
  for (const unsigned char* at = reinterpret_cast<const unsigned char*>(utf8); *at;) {
    int length = *at >= 0xF0 ? 4 : *at >= 0xE0 ? 3 : *at >= 0xC0 ? 2 : 1;
    std::uint32_t cp = length == 1 ? *at : *at & (0x7F >> length);
    for (int i = 1; i < length; ++i) cp = cp << 6 | (at[i] & 0x3F);
    codePoints.push_back(cp);
    at += length;
  }
  return codePoints;
}

TEST(CommonRanking, OrdersAsTheSourceFilesDo) {
  const CommonRanking& ranking = CharacterTables().ranking;
  struct Case {
    const char* given;
    const char* reading;
    const char* expected;  // common_order.py GIVEN [READING in its tone mark]
  } cases[] = {
      // 的 level 1, 胺 level 2, 㐀 and 𠀀 in no list; 來 kFrequency 1 ... 佇 5.
      {"㐀𠀀胺的一义丟並亂亞佇佔來", "", "的一义胺來並亂亞丟佔佇㐀𠀀"},
      // yì: 义 before 一, whose yì is no reading of the frequency corpus.
      {"一义亦已意艺忆议译易异益", "YI4", "义意艺议易益异忆译亦一已"},
      {"得地的", "DE5", "的地得"},
  };
  for (const Case& c : cases) {
    std::vector<std::uint32_t> sorted = CodePoints(c.given);
    SortCommonFirst(ranking, sorted, c.reading);
    EXPECT_EQ(sorted, CodePoints(c.expected)) << c.given << " " << c.reading;
  }
}

TEST(CommonRanking, CodeTextsTakeTheSameOrderAndOddTextsLast) {
  const CommonRanking& ranking = CharacterTables().ranking;
  std::vector<std::string> codes = {"zz", "3400", "80FA", "7684", "", "4e00", "2A3D9X"};
  SortCodeTextsCommonFirst(ranking, codes);
  EXPECT_EQ(codes, (std::vector<std::string>{"7684", "4e00", "80FA", "3400", "", "2A3D9X", "zz"}));
  EXPECT_EQ(CommonLevel(ranking, 0x7684), 1u);
  EXPECT_EQ(CommonLevel(ranking, 0x80FA), 2u);
  EXPECT_EQ(CommonLevel(ranking, 0x3400), kUnrankedLevel);
}

}  // namespace
