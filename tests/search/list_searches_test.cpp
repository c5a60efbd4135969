// The definition, stroke-number, radical-stroke and Matthews searches.
// Expected figures come from python scripts over build/native/data, each
// named at its test: they re-implement the rule from its description, not
// from this code.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "search/definition_search.h"
#include "search/matthews_search.h"
#include "search/search_texts.h"
#include "search/stroke_number_search.h"
#include "tests/search/search_test_support.h"

namespace {

// The code point texts of the definition page's lines, in page order.
std::vector<std::string> DefinitionCodes(const std::string& page) {
  std::vector<std::string> codes;
  const std::string opening = "<P class=\"U\">&#x";
  for (std::size_t at = page.find(opening); at != std::string::npos; at = page.find(opening, at + 1)) {
    std::size_t start = at + opening.size();
    codes.push_back(page.substr(start, page.find(';', start) - start));
  }
  return codes;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// tests/data/unihan_figures.py ("definition search"): over the extract
// written from the source, t.find(key, pos) in bytes, whole word when the
// bytes around are not [A-Za-z0-9], pos = end + 1, stopping at 9,000
// results or examined occurrences.
TEST(DefinitionSearch, WholeWordCountsAndOrder) {
  struct Case {
    const char* key;
    std::size_t results;
    std::size_t repeated;  // results minus distinct code points
    const char* first;
  } cases[] = {
      {"hillock", 3, 0, "3400"}, {"mound", 45, 1, "3400"},     {"water", 359, 45, "35B9"},
      {"to", 7677, 4286, "3401"}, {"of", 5261, 1035, "3402"},  {"kDefinition", 9000, 0, "3400"},
      {"(J)", 13, 0, "3402"},     {"hill", 47, 2, "365E"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> found = FindDefinitions(RealTables(), c.key);
    ASSERT_EQ(found.size(), c.results) << c.key;
    std::set<std::string> distinct(found.begin(), found.end());
    EXPECT_EQ(found.size() - distinct.size(), c.repeated) << c.key;
    EXPECT_EQ(found[0], c.first) << c.key;
    EXPECT_EQ(DefinitionCodes(Search(kDefinitionSearch, c.key).page), found) << c.key;
  }
  std::vector<std::string> hillock = FindDefinitions(RealTables(), "hillock");
  EXPECT_EQ(hillock, (std::vector<std::string>{"3400", "3633", "579E"}));
}

TEST(DefinitionSearch, CaseAndWordBoundsMatter) {
  EXPECT_TRUE(FindDefinitions(RealTables(), "Water").empty());
  // U+3400 is defined as a hillock only: "hill" does not find it.
  std::vector<std::string> hill = FindDefinitions(RealTables(), "hill");
  EXPECT_EQ(std::count(hill.begin(), hill.end(), "3400"), 0);
}

TEST(DefinitionSearch, PageLinesAndEmptyAnswer) {
  SearchOutcome none = Search(kDefinitionSearch, "");
  EXPECT_EQ(none.page, std::string(kDefinitionHeader) + "No result</FONT></BODY></HTML>");
  EXPECT_EQ(none.statusText, "Definition: ");
  EXPECT_EQ(Search(kDefinitionSearch, "zzzzqqq").page, none.page);
  // U+3400: grep -P '^U\+3400\t' in the pinyin and definition extracts.
  std::string page = Search(kDefinitionSearch, "hillock").page;
  EXPECT_NE(page.find("<P class=\"U\">&#x3400;&nbsp;3400,&nbsp;QIU1</P> <P>(same as U+4E18 &#x4e18;) hillock or mound"),
            std::string::npos);
  EXPECT_TRUE(EndsWith(page, "</FONT></BODY></HTML>"));
  EXPECT_EQ(CountOf(page, "insert"), 0u);
  // Pages grow as needed: "of" is far beyond half a megabyte.
  EXPECT_GT(Search(kDefinitionSearch, "of").page.size(), 500000u);
}

// tests/data/unihan_figures.py ("stroke search"): the kTotalStrokes
// values, sorted by count and code point.
TEST(StrokeNumberSearch, RangesOfCounts) {
  struct Case {
    const char* key;
    std::size_t count;
    const char* first;
    const char* last;
  } cases[] = {
      {"1", 22, "4E00", "2F802"}, {"64", 3, "2053B", "317DB"}, {"14", 7986, "3482", "323A8"},
      {"12", 8603, "3424", "323A7"},
      {"49", 0, "", ""},       {"0", 0, "", ""},     {"-3", 0, "", ""},
      {"abc", 0, "", ""},         {"99999999999999", 0, "", ""}, {"", 0, "", ""},
  };
  for (const Case& c : cases) {
    SearchOutcome outcome = Search(kStrokeNumberSearch, c.key);
    std::vector<std::string> targets = InsertTargets(outcome.page);
    std::size_t expected = c.count;
    EXPECT_EQ(targets.size(), expected) << c.key;
    EXPECT_EQ(outcome.statusText, "TotalStroke: " + std::string(c.key) + " (" + std::to_string(expected) + ")");
    EXPECT_EQ(outcome.pageFileName, "\\HtmlTotalStrokeSearch.htm");
    if (*c.first) {
      EXPECT_EQ(targets.front(), c.first);
    }
    if (*c.last) {
      EXPECT_EQ(targets.back(), c.last);
    }
  }
  EXPECT_EQ(Search(kStrokeNumberSearch, "").statusText, "TotalStroke:  (0)");
  // The leading-number rule: " 7 strokes" is 7, shown as typed.
  SearchOutcome seven = Search(kStrokeNumberSearch, " 7 strokes");
  EXPECT_EQ(seven.page, Search(kStrokeNumberSearch, "7").page);
  EXPECT_EQ(seven.statusText.rfind("TotalStroke:  7 strokes (", 0), 0u);
  EXPECT_EQ(Search(kStrokeNumberSearch, "49").page,
            std::string(kStrokeNumberHeader) + "</FONT></BODY></HTML>");
  EXPECT_NE(Search(kStrokeNumberSearch, "1").page.find(
                "<P class=\"U\">&#x4E00;<A href=\"insert4E00\">4E00</A>&nbsp;&nbsp;YI1"),
            std::string::npos);
}

TEST(StrokeNumberSearch, TableWithoutRecordsFindsNothing) {
  CharacterTables tables;
  LoadStrokeTable("", tables);
  EXPECT_EQ(FindStrokeRange(tables, "0").size(), 0u);
  EXPECT_EQ(FindStrokeRange(tables, "1").size(), 0u);
}

// tests/data/unihan_figures.py ("radical-stroke search"): the first
// kRSUnicode values, grouped, in code point order.
TEST(RadicalStrokeSearch, ExactValues) {
  struct Case {
    const char* key;
    std::size_t count;
    const char* first;
  } cases[] = {
      {"140.8", 371, "44D5"}, {"1.4", 32, "3400"}, {"1.2", 24, "4E07"}, {"120.3", 36, "42B6"},
      {"120'.3", 15, "4336"}, {"1.", 0, ""},       {".4", 0, ""},       {"kRSUnicode", 0, ""},
      {"4E00", 0, ""},        {"U+4E00", 0, ""},   {"140.8\r\n", 0, ""},
  };
  for (const Case& c : cases) {
    SearchOutcome outcome = Search(kRadicalStrokeSearch, c.key);
    std::vector<std::string> targets = InsertTargets(outcome.page);
    EXPECT_EQ(targets.size(), c.count) << c.key;
    if (c.count) {
      EXPECT_EQ(targets.front(), c.first);
    }
    if (!c.count) {
      EXPECT_NE(outcome.page.find("<TABLE>No result</FONT></BODY></HTML>"), std::string::npos) << c.key;
    }
    for (std::size_t i = 1; i < targets.size(); ++i)
      EXPECT_LT(std::stoul(targets[i - 1], nullptr, 16), std::stoul(targets[i], nullptr, 16));
  }
  EXPECT_EQ(Search(kRadicalStrokeSearch, "").statusText, "Radical.Stroke: ");
  EXPECT_NE(Search(kRadicalStrokeSearch, "1.4").page.find(
                "<P class=\"U\">&#x3400;<A href=\"insert3400\">3400</A>&nbsp;&nbsp;QIU1"),
            std::string::npos);
}

// MatthewsSearchData: python, the lines holding each six-character pattern.
TEST(MatthewsSearch, NumbersAndPatterns) {
  struct Case {
    const char* key;
    const char* pattern;
    std::vector<std::string> hits;
  } cases[] = {
      {"7773", "M+7773", {"8580"}},          {"1", "M+1ppp", {"963F"}},
      {"5", "M+5ppp", {"57C3"}},             {"300", "M+300p", {"3431", "9B12"}},
      {"300abc", "M+300p", {"3431", "9B12"}}, {"4473", "M+4473", {"5E99", "5EDF", "7784"}},
      {"05", "M+0ppp", {}},                  {" 5", "M+ ppp", {}},
      {"0", "M+0ppp", {}},                   {"", "M+ppp", {}},
      {"5abc", "M+5ppp", {"57C3"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatthewsPattern(c.key), c.pattern) << c.key;
    EXPECT_EQ(FindMatthews(RealTables(), c.key), c.hits) << c.key;
  }
  for (const char* key : {"7774", "-1", "99999999999"}) EXPECT_TRUE(FindMatthews(RealTables(), key).empty());
}

TEST(MatthewsSearch, Page) {
  SearchOutcome outcome = Search(kMatthewsSearch, "4473");
  EXPECT_EQ(CountOf(outcome.page, "<P>Matthews: 4473 "), 3u);
  EXPECT_NE(outcome.page.find("charset=Latin-1"), std::string::npos);
  EXPECT_EQ(outcome.statusText, "Matthews: 4473");
  // grep -P '^U\+8580\t' in the four extracts.
  EXPECT_NE(Search(kMatthewsSearch, "7773").page.find("<P>&#x8580; U+8580 Pinyin: "), std::string::npos);
  for (const char* key : {"7774", "-1", "0", "", "x"})
    EXPECT_EQ(Search(kMatthewsSearch, key).page,
              std::string(kMatthewsHeader) + "Outside the range of Matthews (1-7773)</BODY></HTML>")
        << key;
  // The typed key is escaped on the page but kept as typed in the status.
  SearchOutcome typed = Search(kMatthewsSearch, "1<b>\"&");
  EXPECT_NE(typed.page.find("<P>Matthews: 1&lt;b&gt;&quot;&amp; "), std::string::npos);
  EXPECT_EQ(typed.page.find("<b>"), std::string::npos);
  EXPECT_EQ(typed.statusText, "Matthews: 1<b>\"&");
}

TEST(MatthewsSearch, OddTablesNeitherLoopNorOverflow) {
  CharacterTables tables;
  // Hits without a "U" before them, and more hits than the list holds.
  std::string many;
  for (int i = 0; i < 30; ++i) many += "U+4E0" + std::to_string(i % 10) + "\tkMatthews\tM+1ppp\r\n";
  tables.matthews = TextOf(many);
  EXPECT_EQ(FindMatthews(tables, "1").size(), kMatthewsHitLimit);
  tables.matthews = TextOf("M+1pppM+1pppM+1ppp ");
  EXPECT_TRUE(FindMatthews(tables, "1").empty());
  tables.matthews = TextOf("UM+1pppM+1ppp ");
  EXPECT_LE(FindMatthews(tables, "1").size(), kMatthewsHitLimit);
}

}  // namespace
