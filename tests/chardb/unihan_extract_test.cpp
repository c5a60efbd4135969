// The Unihan record extract and its message box. Figures over the
// generated unihan.txt with grep -c (lines holding the pattern).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>

#include "chardb/chardb_texts.h"
#include "chardb/fill_format.h"
#include "chardb/unihan_extract.h"
#include "chardb/unihan_index.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

CharacterTables WithUnihan(const std::string& file) {
  CharacterTables tables;
  LoadUnihanText(file, tables);
  return tables;
}

// The extract and the box through an index built for the tables (the
// real tables' built once), never the scan it falls back to.
UnihanExtract Extract(const CharacterTables& tables, const std::string& key) {
  if (&tables == &RealTables()) return ExtractUnihan(tables, RealUnihanIndex(), key);
  UnihanIndex index;
  BuildUnihanIndex(tables, index);
  bool hasText = !tables.unihan.empty() && tables.unihan[0] != '\0';
  EXPECT_EQ(UnihanIndexCurrent(tables, index), hasText) << key;
  return ExtractUnihan(tables, index, key);
}

UnihanBox Compose(const CharacterTables& tables, const std::string& key) {
  return ComposeUnihanBox(Extract(tables, key), key);
}

// The lines of the file that hold the text, found by a separate walk.
std::vector<std::string> LinesHolding(const std::string& file, const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < file.size();) {
    std::size_t end = file.find('\n', start);
    if (end == std::string::npos) end = file.size();
    std::string line = file.substr(start, end - start);
    if (line.find(text) != std::string::npos) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

TEST(UnihanExtract, TheCharacterOneInTheOrderOfTheFile) {
  // grep -c 'U+4E00' unihan.txt: 76; grep 'U+4E00' | head -1 is a comment.
  const CharacterTables& tables = RealTables();
  UnihanExtract extract = Extract(tables, "4E00");
  std::string file(tables.unihan.data());
  std::vector<std::string> expected = LinesHolding(file, "U+4E00");
  ASSERT_EQ(expected.size(), 76u);
  EXPECT_EQ(extract.lines, expected);
  EXPECT_EQ(extract.moreLines, 0u);
  EXPECT_EQ(extract.lines.front(), "# example U+4E00, kDefinition, \"one; a, an; alone\".");
  EXPECT_EQ(extract.lines[2], "U+4E00\tkBigFive\tA440");
  UnihanBox box = ComposeUnihanBox(extract, "4E00");
  EXPECT_EQ(box.caption, "Unihan: 4E00");
  EXPECT_EQ(box.text.substr(0, extract.lines[0].size() + 1), extract.lines[0] + "\n");
  EXPECT_EQ(box.text.substr(box.text.size() - extract.lines.back().size() - 1), "\n" + extract.lines.back());
}

TEST(UnihanExtract, LowerCaseFindsTheSameLinesAndTheCaptionKeepsTheText) {
  const CharacterTables& tables = RealTables();
  EXPECT_EQ(Extract(tables, "4e00").lines, Extract(tables, "4E00").lines);
  EXPECT_EQ(Compose(tables, "4e00").caption, "Unihan: 4e00");
}

TEST(UnihanExtract, AFourDigitTextFindsTheFiveDigitCodesItBegins) {
  // grep -c 'U+2A3D' unihan.txt: 176, of which the first 100 are listed.
  const CharacterTables& tables = RealTables();
  UnihanExtract extract = Extract(tables, "2A3D");
  ASSERT_EQ(extract.lines.size(), kUnihanExtractMaxLines);
  EXPECT_EQ(extract.moreLines, 76u);
  std::vector<std::string> expected = LinesHolding(tables.unihan.data(), "U+2A3D");
  expected.resize(kUnihanExtractMaxLines);
  EXPECT_EQ(extract.lines, expected);
  UnihanBox box = ComposeUnihanBox(extract, "2A3D");
  EXPECT_EQ(box.text.substr(box.text.rfind('\n')), "\n... and 76 more lines");
}

TEST(UnihanExtract, TheEmptyTextMatchesEveryLineWithUPlusAndAnswersQuickly) {
  // tests/data/unihan_figures.py: 1,437,651 lines of the repertoire, each
  // beginning "U+"; and the preface's comment lines that mention one.
  const CharacterTables& tables = RealTables();
  std::string_view text(tables.unihan.data());
  std::size_t holding = 1437651;
  for (std::size_t at = 0; text.compare(at, 2, "U+") != 0; at = text.find('\n', at) + 1)
    if (text.substr(at, text.find('\n', at) - at).find("U+") != std::string_view::npos) ++holding;
  std::string count = std::to_string(holding - 100);  // seven digits, grouped by three
  ASSERT_EQ(count.size(), 7u);
  std::string more = "\n... and " + count.substr(0, 1) + "," + count.substr(1, 3) + "," + count.substr(4) + " more lines";
  const UnihanIndex& index = RealUnihanIndex();
  using Clock = std::chrono::steady_clock;
  auto start = Clock::now();
  UnihanExtract extract = ExtractUnihan(tables, index, "");
  double indexed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  start = Clock::now();
  UnihanExtract scanned = ExtractUnihanByScan(tables, "");
  double scan = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  EXPECT_EQ(extract.lines.size(), kUnihanExtractMaxLines);
  EXPECT_EQ(extract.moreLines, holding - 100u);
  EXPECT_EQ(scanned.moreLines, extract.moreLines);
  // Quick means: no slower than walking the whole text, measured here.
  EXPECT_LT(indexed, scan) << "indexed " << indexed << " ms, scan " << scan << " ms";
  UnihanBox box = ComposeUnihanBox(extract, "");
  EXPECT_EQ(box.caption, "Unihan: ");
  EXPECT_EQ(box.text.substr(box.text.rfind('\n')), more);
}

TEST(UnihanExtract, TextsFoundNowhere) {
  const CharacterTables& tables = RealTables();
  for (const char* key : {"zz", "not hex", "%n%s", "FFFFFF", "0123456789ABCDEF012"}) {
    UnihanBox box = Compose(tables, key);
    EXPECT_EQ(box.caption, kUnihanNotFoundCaption) << key;
    EXPECT_EQ(box.text, kUnihanNotFound) << key;
  }
}

TEST(UnihanExtract, NoUnihanTextFindsNothing) {
  CharacterTables tables;
  for (const char* key : {"4E00", ""}) {
    UnihanExtract extract = Extract(tables, key);
    EXPECT_TRUE(extract.lines.empty());
    EXPECT_EQ(extract.moreLines, 0u);
    UnihanBox box = ComposeUnihanBox(extract, key);
    EXPECT_EQ(box.caption, "Unihan extract");
    EXPECT_EQ(box.text, "Not found in Unihan");
  }
}

TEST(UnihanExtract, CrLfLinesKeepTheirCrAndTheLastLineNeedsNoLineEnd) {
  CharacterTables tables = WithUnihan("# U+4E00 in a comment\r\nU+4E00\tkBigFive\tA440\r\nU+4E01\tkBigFive\tA442\r\n"
                                      "U+4E00\tkCCCII\t213021");
  UnihanExtract extract = Extract(tables, "4e00");
  EXPECT_EQ(extract.lines, (std::vector<std::string>{"# U+4E00 in a comment\r", "U+4E00\tkBigFive\tA440\r",
                                                     "U+4E00\tkCCCII\t213021"}));
  EXPECT_EQ(ComposeUnihanBox(extract, "4e00").text,
            "# U+4E00 in a comment\r\nU+4E00\tkBigFive\tA440\r\nU+4E00\tkCCCII\t213021");
  // Only the first line, at the very start.
  extract = Extract(WithUnihan("U+4E00"), "4E00");
  EXPECT_EQ(extract.lines, std::vector<std::string>{"U+4E00"});
  // A match in the last bytes of a file ending in LF.
  extract = Extract(WithUnihan("x\nU+4E00\n"), "4E00");
  EXPECT_EQ(extract.lines, std::vector<std::string>{"U+4E00"});
}

TEST(UnihanExtract, ALineHoldingThePatternTwiceIsListedOnce) {
  CharacterTables tables = WithUnihan("U+4E00\tkSemanticVariant\tU+4E00 U+4E00\nU+4E01\tkX\tU+4E00\n");
  UnihanExtract extract = Extract(tables, "4E00");
  EXPECT_EQ(extract.lines,
            (std::vector<std::string>{"U+4E00\tkSemanticVariant\tU+4E00 U+4E00", "U+4E01\tkX\tU+4E00"}));
  EXPECT_EQ(extract.moreLines, 0u);
}

TEST(UnihanExtract, LongLinesAreNeverCut) {
  std::string value(5000, 'v');
  CharacterTables tables = WithUnihan("U+4E00\tkDefinition\t" + value + "\n");
  UnihanExtract extract = Extract(tables, "4E00");
  ASSERT_EQ(extract.lines.size(), 1u);
  EXPECT_EQ(extract.lines[0], "U+4E00\tkDefinition\t" + value);
  // awk: the longest line of the generated unihan.txt has 452 characters.
  const CharacterTables& real = RealTables();
  std::string file(real.unihan.data());
  std::size_t longest = 0, at = 0;
  for (std::size_t start = 0; start < file.size();) {
    std::size_t end = file.find('\n', start);
    if (end - start > longest) longest = end - start, at = start;
    start = end + 1;
  }
  ASSERT_EQ(longest, 452u);
  std::string code = file.substr(at + 2, file.find('\t', at) - at - 2);
  bool listed = false;
  for (const std::string& line : Extract(real, code).lines) listed |= line.size() == 452;
  EXPECT_TRUE(listed) << code;
}

TEST(UnihanExtract, AtMostAHundredLinesThenACountWithSeparators) {
  std::string file;
  for (int i = 0; i < 1334; ++i) file += "U+4E00\tkLine\t" + std::to_string(i) + "\n";
  UnihanExtract extract = Extract(WithUnihan(file), "4E00");
  ASSERT_EQ(extract.lines.size(), 100u);
  EXPECT_EQ(extract.lines[99], "U+4E00\tkLine\t99");
  EXPECT_EQ(extract.moreLines, 1234u);
  UnihanBox box = ComposeUnihanBox(extract, "4E00");
  EXPECT_EQ(box.text.substr(box.text.rfind('\n') + 1), "... and 1,234 more lines");
  // Exactly 100 lines: no count line.
  file.clear();
  for (int i = 0; i < 100; ++i) file += "U+4E00\tkLine\t" + std::to_string(i) + "\n";
  box = Compose(WithUnihan(file), "4E00");
  EXPECT_EQ(box.text.substr(box.text.rfind('\n') + 1), "U+4E00\tkLine\t99");
}

TEST(UnihanExtract, TheTextEndsAtItsFirstNul) {
  CharacterTables tables = WithUnihan(std::string("U+4E00\ta\n\0U+4E00\tb\n", 20));
  EXPECT_EQ(Extract(tables, "4E00").lines, std::vector<std::string>{"U+4E00\ta"});
}

// The extract keeps a 20 MB line whole; the box on the screen shows its
// first kUnihanShownLineMaxBytes bytes, cut before a character, and a mark.
TEST(UnihanExtract, TheShownBoxCutsLongLinesWithAMark) {
  std::string head = "U+4E00\tkJunk\t";
  std::string letters(20 << 20, 'a');
  letters.replace(kUnihanShownLineMaxBytes - head.size() - 1, 3, "\xE4\xB8\x80");  // 一 across the limit
  UnihanBox box = Compose(WithUnihan(head + letters + "\nU+4E00\tkA\tx\n"), "4E00");
  ASSERT_EQ(box.text.size(), head.size() + letters.size() + std::string("\nU+4E00\tkA\tx").size());
  std::string kept = head + letters.substr(0, kUnihanShownLineMaxBytes - head.size() - 1);
  EXPECT_EQ(WithLongLinesCut(box.text),
            kept + " ... and " + WithThousandsSeparators(head.size() + letters.size() - kept.size()) +
                " more bytes\nU+4E00\tkA\tx");
  EXPECT_EQ(WithLongLinesCut("U+4E00\tkA\tx\n\nend"), "U+4E00\tkA\tx\n\nend");
}

TEST(WithThousandsSeparators, Groups) {
  struct Case {
    std::size_t value;
    const char* text;
  } cases[] = {{0, "0"},           {7, "7"},           {999, "999"},           {1000, "1,000"},
               {1234, "1,234"},     {99999, "99,999"}, {100000, "100,000"},    {1234567, "1,234,567"},
               {1347359, "1,347,359"}};
  for (const Case& c : cases) EXPECT_EQ(WithThousandsSeparators(c.value), c.text);
}

}  // namespace
