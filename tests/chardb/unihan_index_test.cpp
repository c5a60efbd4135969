// The Unihan extract through its index against the plain scan: codes of
// every kind, prefixes down to the empty key, keys that go on past the
// code, keys found only inside lines, and small texts of odd forms.
#include <gtest/gtest.h>

#include "chardb/unihan_extract.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

void ExpectSameExtract(const CharacterTables& tables, const std::string& key) {
  UnihanExtract indexed = ExtractUnihan(tables, key);
  UnihanExtract scanned = ExtractUnihanByScan(tables, key);
  EXPECT_EQ(indexed.lines, scanned.lines) << key;
  EXPECT_EQ(indexed.moreLines, scanned.moreLines) << key;
}

TEST(UnihanIndex, AgreesWithTheScanOnTheRealText) {
  const CharacterTables& tables = RealTables();
  ASSERT_NE(tables.unihanIndex.builtFor, nullptr);
  std::vector<std::string> keys = {"", "4", "4E", "4E0", "4E00", "4e00", "2A6A5", "2A6A", "F90E", "2F802",
                                   "53F0", "81FA", "3400", "9FA5", "FFFF", "0", "E000", "ZZ", "4E00\tk",
                                   "4E00\tkDefinition", "53F0 ", "U+4E00", "+", "\t", "4E00\t", "20000",
                                   "9", "A", "1F600", "4E00<", "5E7A"};
  // A spread of the records' own codes.
  for (std::size_t i = 0; i < tables.unihanIndex.records.size(); i += 997) {
    const UnihanIndex::Record& record = tables.unihanIndex.records[i];
    keys.emplace_back(tables.unihan.data() + record.codeOffset, record.codeLength);
  }
  for (const std::string& key : keys) ExpectSameExtract(tables, key);
}

TEST(UnihanIndex, SmallTextsOfOddForms) {
  const char* texts[] = {
      "U+4E00\tkA\tx U+4E01\nU+4E00\tkB\ty\nU+4E01\tkA\tU+4E00 U+4E00\n",
      "# header U+4E00\n\nU+4E00\tkA\tx\nU+4E00",
      "U+\tno code\nU+U+4E00\n U+4E00\nU+4E00",
      "U+4E00\tkA\tx\nU+4E01\tkA\tx\nU+4E00\tkB\tz\n",
      "+U+4E00\tkA\tx\n+\n",  // a '+' as the text's first byte has no byte before it
  };
  for (const char* text : texts) {
    CharacterTables tables;
    LoadUnihanText(text, tables);
    BuildUnihanIndex(tables);
    for (const char* key : {"", "4", "4E00", "4E01", "4E00\tkB", "U+4E00", "\tno", "4E0", "x"})
      ExpectSameExtract(tables, key);
  }
  // A NUL ends the text, wherever the scan meets it; the lines after it
  // are not the text's.
  for (std::size_t before : {9u, 40u, 70u}) {
    std::string lines;
    while (lines.size() < before) lines += "U+4E00\tkA\tU+4E01\n";
    std::string text = lines.substr(0, before) + std::string(1, '\0') + "U+4E00\tkB\tx\nU+4E01\tkA\tU+4E00\n";
    CharacterTables tables;
    LoadUnihanText(text, tables);
    BuildUnihanIndex(tables);
    for (const char* key : {"", "4E00", "4E01", "4E00\tkB"}) ExpectSameExtract(tables, key);
    EXPECT_TRUE(ExtractUnihan(tables, "4E00\tkB").lines.empty()) << before;
  }
  // Text changed after indexing: the extract scans.
  CharacterTables tables;
  LoadUnihanText("U+4E00\tkA\tx\n", tables);
  BuildUnihanIndex(tables);
  LoadUnihanText("U+4E01\tkA\tx\nU+4E01\tkB\ty\n", tables);
  EXPECT_EQ(ExtractUnihan(tables, "4E01").lines.size(), 2u);
}

TEST(UnihanIndex, RecordsOutOfTheirCodesOrderListTheFirstLinesOfTheText) {
  // Records of 60 lines each, their codes not in the text's order, a
  // record split in two, and lines naming a code only inside: more than
  // the hundred lines shown match most keys, so the lines listed must be
  // the text's first ones, not the first records' by code.
  std::string text = "# U+4E02 in a comment\n";
  for (const char* code : {"4E01", "4E00", "4E02", "4E01", "2F800"}) {
    for (int i = 0; i < 60; ++i)
      text += std::string("U+") + code + "\tkField" + std::to_string(i) + "\tsee U+4E0" + std::to_string(i % 3) + "\n";
  }
  CharacterTables tables;
  LoadUnihanText(text, tables);
  BuildUnihanIndex(tables);
  for (const char* key : {"", "4E0", "4E00", "4E01", "4E02", "4E01\tkField5", "2", "2F800", "4E00\tkField1"})
    ExpectSameExtract(tables, key);
}

}  // namespace
