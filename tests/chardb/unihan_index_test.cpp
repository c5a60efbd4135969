// The Unihan extract through its index against the plain scan: codes of
// every kind, prefixes down to the empty key, keys that go on past the
// code, keys found only inside lines, and small texts of odd forms.
#include <gtest/gtest.h>

#include <cstdio>

#include "chardb/unihan_index.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

void ExpectSameExtract(const CharacterTables& tables, const UnihanIndex& index, const std::string& key) {
  UnihanExtract indexed = ExtractUnihan(tables, index, key);
  UnihanExtract scanned = ExtractUnihanByScan(tables, key);
  EXPECT_EQ(indexed.lines, scanned.lines) << key;
  EXPECT_EQ(indexed.moreLines, scanned.moreLines) << key;
}

// The index of a small text, built for it (not left to the scan).
UnihanIndex IndexOf(const CharacterTables& tables) {
  UnihanIndex index;
  BuildUnihanIndex(tables, index);
  EXPECT_TRUE(UnihanIndexCurrent(tables, index));
  return index;
}

TEST(UnihanIndex, AgreesWithTheScanOnTheRealText) {
  const CharacterTables& tables = RealTables();
  const UnihanIndex& index = RealUnihanIndex();
  ASSERT_TRUE(UnihanIndexCurrent(tables, index));
  // The text's sections list their codes in order: the records keep the
  // text's order, in a few runs (four-digit codes, then five-digit ones).
  EXPECT_GT(index.runs.size(), 2u);
  std::vector<std::string> keys = {"", "4", "4E", "4E0", "4E00", "4e00", "2A6A5", "2A6A", "F90E", "2F802",
                                   "53F0", "81FA", "3400", "9FA5", "FFFF", "0", "E000", "ZZ", "4E00\tk",
                                   "4E00\tkDefinition", "53F0 ", "U+4E00", "+", "\t", "4E00\t", "20000",
                                   "9", "A", "1F600", "4E00<", "5E7A"};
  // A spread of the records' own codes.
  for (std::size_t i = 0; i < index.records.size(); i += 997) {
    const UnihanIndex::Record& record = index.records[i];
    keys.emplace_back(tables.unihan.data() + record.codeOffset, record.codeLength);
  }
  for (const std::string& key : keys) ExpectSameExtract(tables, index, key);
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
    UnihanIndex index = IndexOf(tables);
    for (const char* key : {"", "4", "4E00", "4E01", "4E00\tkB", "U+4E00", "\tno", "4E0", "x"})
      ExpectSameExtract(tables, index, key);
  }
  // A NUL ends the text, wherever the scan meets it; the lines after it
  // are not the text's.
  for (std::size_t before : {9u, 40u, 70u}) {
    std::string lines;
    while (lines.size() < before) lines += "U+4E00\tkA\tU+4E01\n";
    std::string text = lines.substr(0, before) + std::string(1, '\0') + "U+4E00\tkB\tx\nU+4E01\tkA\tU+4E00\n";
    CharacterTables tables;
    LoadUnihanText(text, tables);
    UnihanIndex index = IndexOf(tables);
    for (const char* key : {"", "4E00", "4E01", "4E00\tkB"}) ExpectSameExtract(tables, index, key);
    EXPECT_TRUE(ExtractUnihan(tables, index, "4E00\tkB").lines.empty()) << before;
  }
  // Text loaded again after indexing: the extract scans. First another
  // text of the same size, which the same buffer takes.
  CharacterTables tables;
  LoadUnihanText("U+4E00\tkA\tx\n", tables);
  UnihanIndex index = IndexOf(tables);
  const char* buffer = tables.unihan.data();
  LoadUnihanText("U+4E01\tkA\tx\n", tables);
  ASSERT_EQ(tables.unihan.data(), buffer);
  EXPECT_FALSE(UnihanIndexCurrent(tables, index));
  EXPECT_EQ(ExtractUnihan(tables, index, "4E01").lines, std::vector<std::string>{"U+4E01\tkA\tx"});
  LoadUnihanText("U+4E01\tkA\tx\nU+4E01\tkB\ty\n", tables);
  EXPECT_FALSE(UnihanIndexCurrent(tables, index));
  EXPECT_EQ(ExtractUnihan(tables, index, "4E01").lines.size(), 2u);
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
  UnihanIndex index = IndexOf(tables);
  for (const char* key : {"", "4E0", "4E00", "4E01", "4E02", "4E01\tkField5", "2", "2F800", "4E00\tkField1"})
    ExpectSameExtract(tables, index, key);
}

TEST(UnihanIndex, RecordsInManyRunsAreSortedIntoOne) {
  // Codes in falling order, each record its own run, some codes twice and
  // a few past eight digits alike in their first eight: more runs than a
  // search looks through, so the index sorts the records by code.
  std::string text;
  for (int i = 199; i >= 0; --i) {
    char code[16];
    std::snprintf(code, sizeof code, "%X", 0x4E00 + (i % 150));
    text += std::string("U+") + code + "\tkA\t" + std::to_string(i) + "\n";
    if (i % 40 == 0) text += "U+1234567890" + std::to_string(i % 3) + "\tkLong\tU+" + code + "\n";
  }
  CharacterTables tables;
  LoadUnihanText(text, tables);
  UnihanIndex index = IndexOf(tables);
  EXPECT_EQ(index.runs.size(), 2u);
  for (const char* key : {"", "4", "4E", "4E0", "4E00", "4E63", "4E95", "4E96", "4E00\tkA\t150", "1234567890",
                          "12345678901", "12345678902", "4E63\tkA"})
    ExpectSameExtract(tables, index, key);
}

}  // namespace
