// The Unicode page, the radicals index, the header templates and the page
// file; figures from grep over build/native/data and unihan.txt.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "chardb/character_references.h"
#include "search/radicals_page.h"
#include "search/result_page.h"
#include "search/search_texts.h"
#include "tests/search/search_test_support.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(UnicodePage, MainLineAndVariants) {
  // unihan.txt: U+53F0 kSimplifiedVariant U+53F0; kTraditionalVariant
  // U+53F0 U+6AAF U+81FA U+98B1.
  SearchOutcome outcome = Search(kUnicodeSearch, "53f0");
  EXPECT_EQ(outcome.statusText, "Unicode: 53F0");
  const std::string& page = outcome.page;
  std::string variants =
      "<P>Simplified: &#x53F0;53F0<P>Traditional: &#x53F0;53F0<P>Traditional: &#x6AAF;6AAF"
      "<P>Traditional: &#x81FA;81FA<P>Traditional: &#x98B1;98B1</BODY></HTML>";
  EXPECT_EQ(page.substr(page.size() - variants.size()), variants);
  EXPECT_NE(page.find("<BODY><P>&#x53F0; U+53F0  Pinyin: "), std::string::npos);
  // tests/data/unihan_figures.py: U+4E00 reads YI1 YI2 YI4; its kDefinition
  // "one; a, an; alone", kMatthews 3016, kRSUnicode 1.0.
  EXPECT_EQ(Search(kUnicodeSearch, "4E00").page,
            std::string(kUnicodeHeader) +
                "<P>&#x4E00; U+4E00  Pinyin: YI1 YI2 YI4  <P>Definition: one; a, an; alone <P>Matthews: 3016 "
                "<P>Radical.Stroke: 1.0</BODY></HTML>");
  // Extension G: U+30000 has kRSUnicode 1.1 and no reading; U+30022 has
  // kRSUnicode 2.4 and kTraditionalVariant U+30BF2 (grep -P '^U\+3002?2?\t'
  // over the bzcat of data/unihan/*.bz2).
  EXPECT_EQ(Search(kUnicodeSearch, "30000").page,
            std::string(kUnicodeHeader) + "<P>&#x30000; U+30000  Pinyin: not available"
                "  <P>Definition: Not available <P>Matthews: Not available <P>Radical.Stroke: 1.1</BODY></HTML>");
  std::string g = Search(kUnicodeSearch, "30022").page;
  EXPECT_NE(g.find("<P>Radical.Stroke: 2.4<P>Traditional: &#x30BF2;30BF2</BODY></HTML>"), std::string::npos);
}

TEST(UnicodePage, PrivateUseUnknownAndTypedText) {
  EXPECT_EQ(Search(kUnicodeSearch, "E000").page,
            std::string(kUnicodeHeader) + "<P>U+E000 Private Use Area</BODY></HTML>");
  SearchOutcome unknown = Search(kUnicodeSearch, "");
  EXPECT_NE(unknown.page.find("<P>&#x; U+  Pinyin: "), std::string::npos);
  EXPECT_EQ(unknown.statusText, "Unicode: ");
  SearchOutcome odd = Search(kUnicodeSearch, "<script>");
  EXPECT_EQ(odd.page.find("<SCRIPT>"), std::string::npos);
  EXPECT_NE(odd.page.find("U+&lt;SCRIPT&gt;"), std::string::npos);
}

TEST(RadicalsIndex, LinesNumbersAndForms) {
  std::string page = RadicalsIndexPage(RealTables());
  EXPECT_EQ(CountOf(page, "\n"), CountOf(page, "\r\n"));
  std::vector<std::string> lines = Lines(page);
  ASSERT_EQ(lines.size(), 232u);  // 231 rows, then the closing
  EXPECT_EQ(lines.back(), "</BODY></HTML>");
  EXPECT_EQ(lines[0], std::string(kRadicalsHeader) + "<P>One stroke");
  EXPECT_EQ(lines[1], "<P>1    &#x4E00;  4E00 YI1 YI2 YI4 (ONE)");
  int titles = 0, number = 0;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    if (lines[i].find("&#x") == std::string::npos) {
      ++titles;
      continue;
    }
    EXPECT_EQ(lines[i].rfind("<P>" + std::to_string(++number) + "    &#x", 0), 0u) << lines[i];
  }
  EXPECT_EQ(titles, 16);  // the 17th title begins the page's first line
  EXPECT_EQ(number, 214);
  EXPECT_EQ(lines[lines.size() - 3], "<P>Seventeen strokes");
  EXPECT_EQ(lines[lines.size() - 2].rfind("<P>214    &#x9FA0;  9FA0 ", 0), 0u);
  for (const std::string& line : lines) {
    if (line.rfind("<P>102 ", 0) == 0) {
      EXPECT_EQ(CountOf(line, "&#x"), 7u);
    }
    if (line.rfind("<P>9 ", 0) == 0) {
      EXPECT_EQ(line.rfind("<P>9    &#x4EBA;  &#x4EBB;  4EBA ", 0), 0u);
    }
    if (line.rfind("<P>19 ", 0) == 0) {
      EXPECT_EQ(line.find("  F98A "), std::string::npos);
    }
  }
  EXPECT_EQ(CountOf(page, "insert"), 0u);
}

TEST(HeaderTemplates, TheFineDetails) {
  for (const char* header : {kPinyinHeader, kRadicalStrokeHeader, kDefinitionHeader, kStrokeNumberHeader,
                             kMatthewsHeader, kUnicodeHeader, kRadicalsHeader}) {
    std::string text = header;
    EXPECT_NE(text.find("</TITLE> <META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset="),
              std::string::npos);
    EXPECT_NE(text.find(";  background: #ffffff}</STYLE></HEAD><BODY>"), std::string::npos);
    EXPECT_EQ(text.find("charset=Latin-1") != std::string::npos, header == kMatthewsHeader);
  }
  EXPECT_NE(std::string(kStrokeNumberHeader).find("P.U{font-family: NSimSun (Founder Extended) ;  background"),
            std::string::npos);
  EXPECT_NE(std::string(kPinyinHeader).find("<STYLE>TD{"), std::string::npos);
}

TEST(SearchRun, FileNamesAndStatusTextsAreNeverFormats) {
  EXPECT_EQ(Search(kDefinitionSearch, "%s%d%n").statusText, "Definition: %s%d%n");
  EXPECT_EQ(Search(kStrokeNumberSearch, "%d%s").statusText, "TotalStroke: %d%s (0)");
  EXPECT_EQ(Search(kRadicalStrokeSearch, "%n").statusText, "Radical.Stroke: %n");
  for (SearchKind kind : {kPinyinSearch, kUnicodeSearch, kMatthewsSearch, kRadicalStrokeSearch, kDefinitionSearch})
    EXPECT_EQ(Search(kind, "1").pageFileName, "\\HtmlRadicalSearch.htm");
  std::string key = "4E00";
  SearchMemory memory;
  EXPECT_TRUE(RunSearch(RealTables(), kUnihanSearch, key, memory).page.empty());
}

TEST(ResultPageFile, WrittenWholeOrReported) {
  std::string folder = MakeTempFolder("pages");
  std::string page(700000, 'x');
  page += "%s%n";
  ASSERT_TRUE(WriteResultPage(folder + "page.htm", page));
  std::ifstream in(folder + "page.htm", std::ios::binary);
  std::stringstream read;
  read << in.rdbuf();
  EXPECT_EQ(read.str(), page);
  EXPECT_FALSE(WriteResultPage(folder + "no such folder/page.htm", page));
  EXPECT_FALSE(WriteResultPage(folder, page));
}

TEST(ResultPage, UmlautEscapesAndNumbers) {
  EXPECT_EQ(UmlautSubstituted("L??"), "L&#xdc;?");
  EXPECT_EQ(UmlautSubstituted("N\"3?"), "N&#xdc;3?");
  EXPECT_EQ(UmlautSubstituted("LU4"), "LU4");
  EXPECT_EQ(HtmlEscaped("a<&>\"b"), "a&lt;&amp;&gt;&quot;b");
  EXPECT_EQ(LeadingNumber("  -12ab"), -12);
  EXPECT_EQ(LeadingNumber("+7"), 7);
  EXPECT_EQ(LeadingNumber("x7"), 0);
  EXPECT_EQ(LeadingNumber("99999999999999999999"), 2147483647);
  EXPECT_EQ(LeadingNumber("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
