// The pinyin search: tone lists, their order, the page's table.
// Expected figures: tests/data/unihan_figures.py ("pinyin search"), which
// gathers every character's readings from the source's five pinyin fields,
// takes the readings LETTERS+tone whose letters equal the key (upper-cased)
// and sorts each tone's codes as strings.
#include <gtest/gtest.h>

#include "search/pinyin_search.h"
#include "search/search_texts.h"
#include "tests/search/search_test_support.h"

namespace {

// The cells of tone column `tone` (0 to 4) of a pinyin page, top to bottom,
// empty cells included.
std::vector<std::string> Column(const std::string& page, int tone) {
  std::vector<std::string> cells;
  std::size_t row = page.find("<TR>", page.find("<TR>") + 1);
  while (row != std::string::npos) {
    std::size_t cell = row;
    for (int i = 0; i <= tone; ++i) cell = page.find("<TD>", cell + 1);
    std::size_t end = page.find("</TD>", cell);
    std::string text = page.substr(cell + 4, end - cell - 4);
    std::size_t link = text.find("insert");
    cells.push_back(link == std::string::npos ? "" : text.substr(link + 6, text.find('"', link) - link - 6));
    row = page.find("<TR>", row + 1);
  }
  return cells;
}

std::size_t Filled(const std::vector<std::string>& cells) {
  std::size_t filled = 0;
  for (const std::string& cell : cells) filled += !cell.empty();
  return filled;
}

TEST(PinyinSearch, ToneColumnsOfCommonSyllables) {
  struct Case {
    const char* key;
    std::size_t counts[5];
    const char* firstOfTone1;
  } cases[] = {
      {"MA", {11, 25, 25, 38, 13}, "22CC0"},
      {"YI", {87, 222, 105, 509, 2}, "20C04"},
      {"HE", {26, 161, 1, 84, 2}, "20000"},
      {"CHANG", {30, 48, 23, 24, 2}, "25AC5"},
      {"HANG", {13, 37, 2, 16, 0}, "2084A"},
  };
  for (const Case& c : cases) {
    SearchOutcome outcome = Search(kPinyinSearch, c.key);
    std::size_t rows = 0;
    for (int tone = 0; tone < 5; ++tone) {
      std::vector<std::string> column = Column(outcome.page, tone);
      EXPECT_EQ(Filled(column), c.counts[tone]) << c.key << " tone " << tone + 1;
      rows = std::max(rows, c.counts[tone]);
      ASSERT_GE(column.size(), Filled(column));
      // Filled cells stand at the top, sorted as text.
      for (std::size_t i = 1; i < Filled(column); ++i) EXPECT_LE(column[i - 1], column[i]) << c.key;
    }
    EXPECT_EQ(CountOf(outcome.page, "<TR>"), rows + 1) << c.key;
    EXPECT_EQ(Column(outcome.page, 0)[0], c.firstOfTone1) << c.key;
    EXPECT_EQ(outcome.statusText, std::string("Pinyin: ") + c.key);
  }
}

TEST(PinyinSearch, SortIsByTextNotByNumber) {
  // Five-digit codes (all "2...") before four-digit ones, letters last.
  std::vector<std::string> column = Column(Search(kPinyinSearch, "MA").page, 0);
  EXPECT_EQ(column[0], "22CC0");
  EXPECT_EQ(column[1], "5988");
}

TEST(PinyinSearch, LowerCaseKeyFindsTheSameAndKeepsItsCase) {
  SearchOutcome lower = Search(kPinyinSearch, "ma");
  EXPECT_EQ(lower.page, Search(kPinyinSearch, "MA").page);
  EXPECT_EQ(lower.statusText, "Pinyin: ma");
}

TEST(PinyinSearch, QuestionMarkOrQuoteStandsForUmlaut) {
  for (const char* key : {"L?", "L\""}) {
    SearchOutcome outcome = Search(kPinyinSearch, key);
    EXPECT_EQ(outcome.statusText, "Pinyin: L&#xdc;");
    std::size_t expected[5] = {0, 29, 60, 58, 0};
    for (int tone = 0; tone < 5; ++tone) EXPECT_EQ(Filled(Column(outcome.page, tone)), expected[tone]);
  }
  // Only the first stand-in is replaced.
  std::string key = "N??";
  SearchMemory memory;
  RunSearch(RealTables(), kPinyinSearch, key, memory);
  EXPECT_EQ(key, "N&#xdc;?");
}

TEST(PinyinSearch, KeysThatAreNoSyllable) {
  for (const char* key : {"MA6", "MAN0", "XYZ", "LLLLLLLLLL", "L?AN?", "\t", " ", "1", "+"}) {
    SearchOutcome outcome = Search(kPinyinSearch, key);
    EXPECT_EQ(CountOf(outcome.page, "<TR>"), 1u) << key;
    EXPECT_EQ(CountOf(outcome.page, "insert"), 0u) << key;
  }
  // " MA1" does not match inside " MAN1": MAN's own readings are not MA's.
  EXPECT_EQ(Filled(Column(Search(kPinyinSearch, "MA").page, 0)), 11u);
}

TEST(PinyinSearch, EmptyKeyShowsTheLastListsAgain) {
  SearchMemory memory;
  std::string empty;
  SearchOutcome first = RunSearch(RealTables(), kPinyinSearch, empty, memory);
  EXPECT_EQ(CountOf(first.page, "<TR>"), 1u);
  EXPECT_EQ(first.statusText, "Pinyin: ");
  std::string ma = "MA";
  SearchOutcome shown = RunSearch(RealTables(), kPinyinSearch, ma, memory);
  SearchOutcome again = RunSearch(RealTables(), kPinyinSearch, empty, memory);
  EXPECT_EQ(again.page, shown.page);
  // A second syllable replaces the first entirely.
  std::string yi = "YI";
  SearchOutcome second = RunSearch(RealTables(), kPinyinSearch, yi, memory);
  EXPECT_EQ(CountOf(second.page, "insert5988\""), 0u);
}

TEST(PinyinSearch, PageLayout) {
  std::string page = Search(kPinyinSearch, "MA").page;
  std::string header = kPinyinHeader;
  ASSERT_EQ(page.compare(0, header.size(), header), 0);
  std::string afterHeader = page.substr(header.size());
  EXPECT_EQ(afterHeader.rfind("</FONT size=+2><TR><TD>1(&#x02c9;)&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</TD>", 0), 0u);
  EXPECT_NE(page.find("<TD>&#x5988;\t<A href=\"insert5988\">5988</A></TD>"), std::string::npos);
  EXPECT_NE(page.find("<TD></TD>"), std::string::npos);
  const std::string closing = "</FONT></TABLE></BODY></HTML>";
  EXPECT_EQ(page.substr(page.size() - closing.size()), closing);
  EXPECT_EQ(CountOf(page, "</TR>"), 0u);
}

TEST(PinyinSearch, SmallTablesAndTheirIndex) {
  CharacterTables tables;
  tables.pinyin = TextOf(
      "U+4E00\tkMandarin\tYI1\r\nU+4E01\tkMandarin\tding1 ZHENG1\r\nU+4E02\tkMandarin\tDING1 DING1\r\n"
      "U+4E03\tkMandarin\tQI1\r\n");
  PinyinIndex index;
  BuildPinyinIndex(tables, index);
  for (const char* key : {"ding", "DING", "zheng", "QI", "DING1 DI", "G1 ZHEN", "YI1\r\nU+4E01\tKMANDARIN\tD"}) {
    std::string indexedKey = key, scannedKey = key;
    ToneLists indexed, scanned;
    FindPinyin(tables, index, indexedKey, indexed);
    FindPinyinByScan(tables, scannedKey, scanned);
    EXPECT_EQ(indexed.tones, scanned.tones) << key;
  }
  std::string key = "ding";
  ToneLists lists;
  FindPinyin(tables, index, key, lists);
  // The lower-case reading counts, and a repeated reading counts twice.
  EXPECT_EQ(lists.tones[0], (std::vector<std::string>{"4E01", "4E02", "4E02"}));
}

}  // namespace
