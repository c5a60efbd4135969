// The indexed searches against the plain scans they replace: finders over
// every syllable, every value and every count of the data plus odd keys,
// and whole pages with the scanning lookups for a spread of keys.
#include <gtest/gtest.h>

#include <set>

#include "chardb/code_fields.h"
#include "search/matthews_search.h"
#include "search/pinyin_search.h"
#include "search/radical_stroke_search.h"
#include "search/stroke_number_search.h"
#include "tests/search/search_test_support.h"

namespace {

// The value of every line of an extract (the text after the second TAB).
std::set<std::string> Values(const ResourceText& table) {
  std::set<std::string> values;
  std::string_view text = TableText(table);
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    std::size_t tab = line.find('\t', line.find('\t') + 1);
    if (tab != std::string_view::npos) values.emplace(line.substr(tab + 1));
    start = end + 2;
  }
  return values;
}

const std::vector<std::string> kOddKeys = {
    "", " ", "\t", "\r\n", "+", "U+", "U+4E00", "4E00", ".", "..", "1.", ".1", "'", "\"", "?", "??",
    "%s%n", "&#xdc;", "&#XDC;", "kMandarin", "KMANDARIN", "kRSUnicode", "A1 AI", "1 YI", "YI1 YI",
    "\xe4\xb8\x80", std::string(1, '\0'), std::string(300, 'A'), "140.8 ", " 140.8", "L?", "l\"e"};

TEST(Differential, PinyinEverySyllableAndOddKeys) {
  SearchMemory memory;
  PrepareSearches(RealTables(), memory);
  std::set<std::string> syllables(kOddKeys.begin(), kOddKeys.end());
  for (const std::string& value : Values(RealTables().pinyin)) {
    std::size_t start = 0;
    for (std::size_t end = 0; end <= value.size(); ++end) {
      if (end < value.size() && value[end] != ' ') continue;
      std::string reading = value.substr(start, end - start);
      if (!reading.empty()) {
        syllables.insert(reading.substr(0, reading.size() - 1));
      }
      start = end + 1;
    }
  }
  // python over PinyinSearchData: 415 distinct syllables, and the odd keys.
  ASSERT_GE(syllables.size(), 415u);
  for (const std::string& syllable : syllables) {
    std::string indexedKey = syllable, scannedKey = syllable;
    ToneLists indexed, scanned;
    FindPinyin(RealTables(), memory.pinyinIndex, indexedKey, indexed);
    FindPinyinByScan(RealTables(), scannedKey, scanned);
    ASSERT_EQ(indexed.tones, scanned.tones) << syllable;
    ASSERT_EQ(indexedKey, scannedKey);
  }
}

TEST(Differential, RadicalStrokeEveryValueAndOddKeys) {
  SearchMemory memory;
  PrepareSearches(RealTables(), memory);
  // Start-up leaves the index to the first radical-stroke search.
  EXPECT_TRUE(memory.radicalStrokeIndex.values.empty());
  std::string first = "140.8";
  RunSearch(RealTables(), kRadicalStrokeSearch, first, memory);
  ASSERT_FALSE(memory.radicalStrokeIndex.values.empty());
  std::set<std::string> keys = Values(RealTables().radicalStroke);
  keys.insert(kOddKeys.begin(), kOddKeys.end());
  for (const char* key : {"1.1", "11.", "1.1\r\nU+", "kRSUnicode\t1.0", "0\tkRSUnicode\t1.0", "E00"}) keys.insert(key);
  for (const std::string& key : keys) {
    if (key.empty()) continue;  // the search bar never runs the finder on an empty key
    ASSERT_EQ(FindRadicalStroke(RealTables(), memory.radicalStrokeIndex, key),
              FindRadicalStrokeByScan(RealTables(), key))
        << key;
  }
}

// A table the real data never hold: a '+' in a property is where the
// scan's walk back from a value ends (found by the search fuzz target).
TEST(Differential, RadicalStrokeWithAPlusInAProperty) {
  CharacterTables tables;
  tables.radicalStroke = TextOf("U+4E00\tkRSUnicode\t1.0\r\nU+20000\tkX+++\t1.4\r\n");
  SearchMemory memory;
  PrepareSearches(tables, memory);
  for (const char* key : {"1.4", "1.0", "+"})
    EXPECT_EQ(FindRadicalStroke(tables, memory.radicalStrokeIndex, key), FindRadicalStrokeByScan(tables, key)) << key;
}

TEST(Differential, UnihanIndexBuiltOnFirstUseAndForOtherTables) {
  SearchMemory memory;
  PrepareSearches(RealTables(), memory);
  // Start-up leaves the Unihan index to the first Unihan search.
  EXPECT_FALSE(UnihanIndexCurrent(RealTables(), memory.unihanIndex));
  for (const char* key : {"4E00", "4e00", "2A3D", "", "53F0\tkTraditionalVariant", "zz"}) {
    UnihanBox box = RunUnihanSearch(RealTables(), key, memory);
    ASSERT_TRUE(UnihanIndexCurrent(RealTables(), memory.unihanIndex)) << key;
    UnihanBox scanned = ComposeUnihanBox(ExtractUnihanByScan(RealTables(), key), key);
    EXPECT_EQ(box.caption, scanned.caption) << key;
    EXPECT_EQ(box.text, scanned.text) << key;
  }
  // Other tables: the index is built again for them.
  CharacterTables small;
  LoadUnihanText("U+4E00\tkA\tsmall\nU+4E01\tkA\tU+4E00\n", small);
  UnihanBox box = RunUnihanSearch(small, "4E00", memory);
  EXPECT_TRUE(UnihanIndexCurrent(small, memory.unihanIndex));
  EXPECT_EQ(box.text, "U+4E00\tkA\tsmall\nU+4E01\tkA\tU+4E00");
}

TEST(Differential, StrokeRangesAgainstCounting) {
  const CharacterTables& tables = RealTables();
  for (int strokes = -1; strokes <= 70; ++strokes) {
    std::size_t first = tables.strokePieces, count = 0;
    for (std::size_t i = 0; i < tables.strokePieces; ++i) {
      if (tables.strokes[i].strokes != strokes) continue;
      first = std::min(first, i);
      ++count;
    }
    StrokeRange range = FindStrokeRange(tables, std::to_string(strokes));
    EXPECT_EQ(range.size(), count) << strokes;
    if (count) {
      EXPECT_EQ(range.first, first) << strokes;
    }
  }
}

// Whole pages, indexed against scanning, for keys whose pages are small
// enough for the scanning lookups.
TEST(Differential, WholePagesAgainstTheScanningPath) {
  std::vector<std::pair<SearchKind, std::string>> searches;
  for (int number = 0; number <= 7775; number += 37) searches.emplace_back(kMatthewsSearch, std::to_string(number));
  for (const char* key : {"4473", "7773", "300", "1", "5", "05", "-1", "7774"}) searches.emplace_back(kMatthewsSearch, key);
  for (const char* key : {"4E00", "53F0", "E000", "ZZZZ", "", "2A6A5", "f90e", "4e48"})
    searches.emplace_back(kUnicodeSearch, key);
  for (const char* key : {"1", "2", "40", "48", "52", "64", "0", "abc"}) searches.emplace_back(kStrokeNumberSearch, key);
  for (const char* key : {"hillock", "mound", "current", "(J)", "Water", "", "zzz"})
    searches.emplace_back(kDefinitionSearch, key);
  for (const char* key : {"1.4", "120'.3", "1.2", "", "9.0"}) searches.emplace_back(kRadicalStrokeSearch, key);
  for (const char* key : {"MA", "L?", "YI", "", "ma", "MA3", "LV", "l\xC7\x9C", "NU:3", "XX3"})
    searches.emplace_back(kPinyinSearch, key);
  // The Reading search: a spread of the table's readings and odd keys.
  for (std::size_t i = 0; i < kReadingEntriesCount; i += 997) searches.emplace_back(kReadingSearch, kReadingEntries[i].reading);
  for (const char* key : {"hou", "HOU2", "ka", "koo", "k\xC5\x8D", "\xEC\x8B\x9D", "th\xE1\xBB\xB1\x63", "thuc", "", "x", "a b"})
    searches.emplace_back(kReadingSearch, key);
  for (const char* key : {"9577", "957F", "4E0D", "F900", "2A6D6", "E000", "0041", "", "zz"})
    searches.emplace_back(kCharacterSearch, key);
  for (const auto& [kind, key] : searches) {
    SearchOutcome indexed = Search(kind, key);
    SearchOutcome scanned = Search(kind, key, SearchMethod::kScanning);
    ASSERT_EQ(indexed.page, scanned.page) << kind << " " << key;
    ASSERT_EQ(indexed.statusText, scanned.statusText) << kind << " " << key;
  }
}

}  // namespace
