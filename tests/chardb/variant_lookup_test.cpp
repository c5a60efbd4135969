// The simplified and traditional variant lookups over the generated
// tables. Figures from the source:
//   bzcat data/unihan/Unihan_Variants.txt.bz2 |
//     grep -P '^U\+CODE\tk(Simplified|Traditional)Variant'
#include <gtest/gtest.h>

#include <string>

#include "chardb/lookups.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

TEST(VariantLookups, TheEdgeCasesOfTheData) {
  const CharacterTables& tables = RealTables();
  struct Case {
    const char* code;
    const char* simplified;
    const char* traditional;
  } cases[] = {
      {"4E00", "", ""},
      {"70BA", "4E3A", ""},
      {"4E3A", "", "70BA"},
      {"4E48", "4E48", "4E48 5E7A 9EBC 9EBD"},
      {"53F0", "53F0", "53F0 6AAF 81FA 98B1"},
      {"58C8", "21484", ""},
      {"21484", "", "58C8"},
      // The last entries of the two tables (tail of variant_tables.cpp's
      // two arrays; the source: U+2A690 kTraditionalVariant U+2A62F is the
      // traditional table's, U+2A6D5 kSimplifiedVariant U+31349 the
      // simplified table's).
      {"2A690", "", "2A62F"},
      {"2A6D5", "31349", ""},
      // Case counts; other texts find nothing.
      {"4e48", "", ""},
      {"", "", ""},
      {"4E48 ", "", ""},
      {"U+4E48", "", ""},
      {"04E48", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LookupSimplified(tables, c.code), c.simplified) << c.code;
    EXPECT_EQ(LookupTraditional(tables, c.code), c.traditional) << c.code;
  }
}

TEST(VariantLookups, EveryEntryIsFoundAndTheFirstOfTwoEqualKeysWins) {
  const CharacterTables& tables = RealTables();
  for (const VariantTable* table : {&tables.simplified, &tables.traditional}) {
    for (std::size_t i = 0; i < table->count; ++i) {
      std::string key(table->entries[i].key);
      std::string value(table->entries[i].value);
      auto lookup = table == &tables.simplified ? LookupSimplified : LookupTraditional;
      ASSERT_EQ(lookup(tables, key), value) << key;
    }
  }
  static const VariantPair pairs[] = {{"4E00", "1111"}, {"4E01", "2222"}, {"4E00", "3333"}};
  CharacterTables small;
  small.simplified = {pairs, 3};
  small.traditional = {pairs, 0};
  EXPECT_EQ(LookupSimplified(small, "4E00"), "1111");
  EXPECT_EQ(LookupSimplifiedByScan(small, "4E00"), "1111");
  BuildLookupIndexes(small);
  EXPECT_EQ(LookupSimplified(small, "4E00"), "1111");
  EXPECT_EQ(LookupSimplified(small, "4E01"), "2222");
  EXPECT_EQ(LookupTraditional(small, "4E00"), "");
  // Another table put in after indexing is scanned, not misread.
  static const VariantPair others[] = {{"4E00", "9999"}};
  small.simplified = {others, 1};
  EXPECT_EQ(LookupSimplified(small, "4E00"), "9999");
}

TEST(VariantLookups, KeysOutOfOrderPrefixesAndTheEmptyKeyAnswerAsTheScanDoes) {
  static const VariantPair pairs[] = {{"B", "1"}, {"A", "2"}, {"AB", "3"}, {"A", "4"}, {"", "5"}, {"A", "6"}};
  CharacterTables small;
  small.simplified = {pairs, 6};
  small.traditional = {pairs + 1, 5};
  BuildLookupIndexes(small);
  for (const char* code : {"A", "B", "AB", "", "ABC", "AA", "C", "0"}) {
    EXPECT_EQ(LookupSimplified(small, code), LookupSimplifiedByScan(small, code)) << code;
    EXPECT_EQ(LookupTraditional(small, code), LookupTraditionalByScan(small, code)) << code;
  }
  EXPECT_EQ(LookupSimplified(small, "A"), "2");
  EXPECT_EQ(LookupSimplified(small, ""), "5");
  EXPECT_EQ(LookupTraditional(small, "B"), "");
  EXPECT_EQ(LookupSimplified(small, "ABC"), "");
}

TEST(VariantLookups, AValueFillingItsWholeFieldEndsAtTheField) {
  // Nineteen characters and the NUL, and keys and values with no NUL at all.
  static const VariantPair pairs[] = {
      {"4E00", "1111 2222 3333 4444"},
      {{'A', 'B', 'C', 'D', 'E', 'F', '0', '1'},
       {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}}};
  CharacterTables small;
  small.simplified = {pairs, 2};
  small.traditional = {pairs, 2};
  BuildLookupIndexes(small);
  EXPECT_EQ(LookupSimplified(small, "4E00"), "1111 2222 3333 4444");
  EXPECT_EQ(LookupTraditional(small, "ABCDEF01"), "01234567890123456789");
  EXPECT_EQ(LookupTraditionalByScan(small, "ABCDEF01"), "01234567890123456789");
}

}  // namespace
