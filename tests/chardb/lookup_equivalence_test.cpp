// The indexed lookups against the plain scans they replace: identical
// answers, and the same folding of the caller's text, over every code
// point of the repertoire and over texts of every odd kind.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "chardb/lookups.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

// Every code point text the data name: the code fields of the four
// extracts, the stroke file's codes and the variant tables' keys and
// values.
const std::vector<std::string>& Repertoire() {
  static const std::vector<std::string> codes = [] {
    const CharacterTables& tables = RealTables();
    std::set<std::string> found;
    for (const ResourceText* table : {&tables.pinyin, &tables.definition, &tables.radicalStroke, &tables.matthews}) {
      std::string text = table->text();
      for (std::size_t line = 0; line < text.size();) {
        std::size_t tab = text.find('\t', line);
        found.insert(text.substr(line + 2, tab - line - 2));
        std::size_t end = text.find('\n', line);
        line = end == std::string::npos ? text.size() : end + 1;
      }
    }
    for (std::size_t i = 0; i < tables.strokePieces; ++i) found.insert(tables.strokes[i].code);
    for (const VariantTable* table : {&tables.simplified, &tables.traditional}) {
      for (std::size_t i = 0; i < table->count; ++i) {
        found.insert(table->entries[i].key);
        std::string value = table->entries[i].value;
        for (std::size_t start = 0; start < value.size();) {
          std::size_t blank = value.find(' ', start);
          if (blank == std::string::npos) blank = value.size();
          found.insert(value.substr(start, blank - start));
          start = blank + 1;
        }
      }
    }
    return std::vector<std::string>(found.begin(), found.end());
  }();
  return codes;
}

const std::vector<std::string> kOddKeys = {
    "", "4e00", "2a3d9", "e00", "E00", "2000", "U+4E00", "u+4e00", "E000", "e000", "F8FF", "F900",
    "2E000", "0041", "04E00", "0", "E", "2A3D", "2A3D9 ", " 2A3D9", "not hex", "ZZZZ", "%n",
    "%s%s%s%n", "0123456789ABCDEF012", "4E00\t", "\t", "\n", "\r", "4E00\r", "4E00\n",
    "3400\tkMandarin", "U+", "+", "kMandarin", "YI1", "&#xdc;", "L&#xdc;3", "\xC3\xA9",
    std::string("4E00\0", 5), std::string(1000, 'A'), "M+3016", "3016", "1.0", "4E48 5E7A",
};

// The texts every shard checks: 1/kShards of the repertoire, and the odd
// keys. The scans cost the whole repertoire times the tables (about 50 s
// natively), so the native tree checks every code, the sanitizer tree
// every fourth, and the cross build, whose C library has no quick
// substring search and runs under Wine, every sixteenth.
constexpr std::size_t kShards = 8;
#if defined(_WIN32)
constexpr std::size_t kStride = 16;
#elif defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kStride = 4;
#else
constexpr std::size_t kStride = 1;
#endif

void ExpectSame(const CharacterTables& tables, const std::string& code) {
  using Lookup = std::string (*)(const CharacterTables&, std::string&);
  struct Pair {
    const char* name;
    Lookup indexed, scan;
  } pairs[] = {{"pinyin", LookupPinyin, LookupPinyinByScan},
               {"definition", LookupDefinition, LookupDefinitionByScan},
               {"radical-stroke", LookupRadicalStroke, LookupRadicalStrokeByScan},
               {"Matthews", LookupMatthews, LookupMatthewsByScan}};
  for (const Pair& pair : pairs) {
    std::string a = code, b = code;
    std::string indexed = pair.indexed(tables, a);
    std::string scanned = pair.scan(tables, b);
    ASSERT_EQ(indexed, scanned) << pair.name << " of \"" << code << "\"";
    ASSERT_EQ(a, b) << pair.name << " of \"" << code << "\"";
  }
  ASSERT_EQ(LookupSimplified(tables, code), LookupSimplifiedByScan(tables, code)) << code;
  ASSERT_EQ(LookupTraditional(tables, code), LookupTraditionalByScan(tables, code)) << code;
}

class LookupEquivalence : public testing::TestWithParam<std::size_t> {};

TEST_P(LookupEquivalence, IndexAndScanAgreeOnEveryCodeAndOddText) {
  const CharacterTables& tables = RealTables();
  const std::vector<std::string>& codes = Repertoire();
  // The extracts' code fields, the stroke file and the variant tables: at
  // least the 98,060 code points of the repertoire
  // (tests/data/unihan_figures.py).
  ASSERT_GE(codes.size(), 98060u);
  std::size_t checked = 0;
  for (std::size_t i = GetParam(); i < codes.size(); i += kShards * kStride) {
    ExpectSame(tables, codes[i]);
    if (HasFatalFailure()) return;
    ++checked;
  }
  EXPECT_GT(checked, 0u);
  for (const std::string& key : kOddKeys) {
    ExpectSame(tables, key);
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, LookupEquivalence, testing::Range<std::size_t>(0, kShards));

TEST(LookupEquivalence, SmallTablesOfOddLines) {
  CharacterTables tables;
  tables.pinyin = TextOf("U+\tkMandarin\tEMPTY1\r\nU+4E00\tkMandarin\r\nU+4E00\tkMandarin\tSECOND1\r\n"
                         "U+4E01\t\t\r\nU+4E02\r\nU+4E03\tkMandarin\tA1\tB2\r\nU+4E04");
  tables.definition = TextOf("x U+4E00\tkDefinition\tnot a line start\nU+4E00\tkDefinition\tone\n\n\n");
  tables.radicalStroke = TextOf("U+4E00\tkRSUnicode\t1.0 \r\r\nU+4E00\r\n\tkRSUnicode\t2.0\r\n");
  tables.matthews = TextOf("U+4E00\tkMatthews\tM+3016\rU+4E01\tkMatthews\tM+1ppp\r\n");
  BuildLookupIndexes(tables);
  for (const char* code : {"", "4E00", "4E01", "4E02", "4E03", "4E04", "4E05", "U+", "kMandarin", "\t"}) {
    ExpectSame(tables, code);
  }
  for (const std::string& key : kOddKeys) ExpectSame(tables, key);
}

TEST(LookupTiming, ARepertoireCodeAndTheLoad) {
  // Printed for the record; what is held is the ratio measured here: a
  // lookup through the indexes is far quicker than the scan it replaces,
  // so no lookup scans.
  using Clock = std::chrono::steady_clock;
  const CharacterTables& tables = RealTables();
  const std::vector<std::string>& codes = Repertoire();
  std::size_t characters = 0;
  auto start = Clock::now();
  for (const std::string& code : codes) {
    std::string text = code;
    characters += LookupPinyin(tables, text).size();
    characters += LookupDefinition(tables, text).size();
    characters += LookupRadicalStroke(tables, text).size();
    characters += LookupMatthews(tables, text).size();
    characters += LookupSimplified(tables, text).size();
    characters += LookupTraditional(tables, text).size();
  }
  double perLookup =
      std::chrono::duration<double, std::micro>(Clock::now() - start).count() / (codes.size() * 6.0);
  EXPECT_GT(characters, 0u);
  // The scans on every 200th code of the repertoire.
  std::size_t scanned = 0;
  start = Clock::now();
  for (std::size_t i = 0; i < codes.size(); i += 200) {
    std::string text = codes[i];
    characters += LookupPinyinByScan(tables, text).size();
    characters += LookupDefinitionByScan(tables, text).size();
    characters += LookupRadicalStrokeByScan(tables, text).size();
    characters += LookupMatthewsByScan(tables, text).size();
    scanned += 4;
  }
  double perScan = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / scanned;
  start = Clock::now();
  CharacterTables loaded;
  std::string error;
  ASSERT_TRUE(LoadCharacterTables(TestDataDir(), loaded, error)) << error;
  double load = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::printf("lookup of a repertoire code: %.3f microseconds, by scan %.1f; load of all tables: %.1f ms\n",
              perLookup, perScan, load);
  EXPECT_LT(perLookup * 20, perScan);
}

}  // namespace
