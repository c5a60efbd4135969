// The information text and clipboard text of InsertUnicode. Figures from
// the generated extracts (grep -P '^U\+CODE\t' over them) and the source
// variants (bzcat Unihan_Variants.txt.bz2 | grep -P '^U\+CODE\t').
#include <gtest/gtest.h>

#include <string>

#include "chardb/insertion_texts.h"
#include "chardb/lookups.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

InsertionTexts Compose(const std::string& argument) {
  InsertionTexts texts;
  EXPECT_TRUE(ComposeInsertionTexts(RealTables(), argument, texts)) << argument;
  return texts;
}

TEST(InsertionTexts, TheCharacterOne) {
  InsertionTexts texts = Compose("insert4E00");
  EXPECT_EQ(texts.information,
            "Definition: one; a, an; alone \nRadical.Stroke: 1.0 \nMatthews: 3016 \n"
            "Simplified () Traditional()");
  EXPECT_EQ(texts.clipboard, " &#x4E00;");
  EXPECT_EQ(texts.codePoint, "4E00");
}

TEST(InsertionTexts, VariantsAndMissingNumbers) {
  // 4E3A: no Matthews line, traditional variant U+70BA.
  EXPECT_EQ(Compose("insert4E3A").information,
            "Definition: do, handle, govern, act; be \nRadical.Stroke: 3.3 \nMatthews: Not available \n"
            "Simplified () Traditional(70BA)");
  EXPECT_EQ(Compose("insert70BA").information,
            "Definition: do, handle, govern, act; be \nRadical.Stroke: 86.5 \nMatthews: Not available \n"
            "Simplified (4E3A) Traditional()");
  // 4E48: simplified U+4E48, traditional the four.
  std::string information = Compose("insert4E48").information;
  EXPECT_EQ(information.substr(information.rfind('\n') + 1), "Simplified (4E48) Traditional(4E48 5E7A 9EBC 9EBD)");
}

TEST(InsertionTexts, AFiveDigitCodePoint) {
  InsertionTexts texts = Compose("insert2A3D9");
  EXPECT_EQ(texts.information,
            "Definition: a yolk \nRadical.Stroke: 201.10 \nMatthews: 2305 \nSimplified () Traditional()");
  EXPECT_EQ(texts.clipboard, " &#x2A3D9;");
}

TEST(InsertionTexts, OnlyThePartAfterTheFirstInsertCounts) {
  InsertionTexts texts = Compose("file:///C:/Logodex/HtmlRadicalSearch.htm#insert4E00");
  EXPECT_EQ(texts.clipboard, " &#x4E00;");
  EXPECT_EQ(texts.information, Compose("insert4E00").information);
  texts = Compose("insertinsert4E00");
  EXPECT_EQ(texts.codePoint, "INSERT4E00");
  EXPECT_EQ(texts.clipboard, " &#xINSERT4E00;");
}

TEST(InsertionTexts, LowerCaseIsFoldedForTheLookupsAndTheClipboard) {
  InsertionTexts texts = Compose("insert4e00");
  EXPECT_EQ(texts.information, Compose("insert4E00").information);
  EXPECT_EQ(texts.clipboard, " &#x4E00;");
}

TEST(InsertionTexts, UnknownPrivateUseAndEmptyCodes) {
  EXPECT_EQ(Compose("insert0041").information,
            "Definition: Not available \nRadical.Stroke: Not available \nMatthews: Not available \n"
            "Simplified () Traditional()");
  EXPECT_EQ(Compose("insert0041").clipboard, " &#x0041;");
  EXPECT_EQ(Compose("insertE000").information,
            "Definition: Private Use Area \nRadical.Stroke: Private Use Area \nMatthews: Private Use Area \n"
            "Simplified () Traditional()");
  InsertionTexts texts = Compose("insert");
  EXPECT_EQ(texts.clipboard, " &#x;");
  EXPECT_EQ(texts.information.substr(0, 26), "Definition: Not available ");
  // Format characters in the argument are text, not formats.
  EXPECT_EQ(Compose("insert%s%n").clipboard, " &#x%S%N;");
}

TEST(InsertionTexts, WithoutInsertNothingIsComposed) {
  InsertionTexts texts;
  texts.information = "kept";
  for (const char* argument : {"", "4E00", "Insert4E00", "INSERT4E00", "inser t4E00", "insert4E00"}) {
    bool composed = ComposeInsertionTexts(RealTables(), argument, texts);
    EXPECT_EQ(composed, std::string(argument) == "insert4E00") << argument;
    if (!composed) {
      EXPECT_EQ(texts.information, "kept") << argument;
    }
  }
}

TEST(InsertionTexts, TheLongestDefinitionIsComposedInFull) {
  // awk -F'\t' over DefinitionSearchDataUtf16: U+3D34 has the longest
  // value, 468 characters (awk -F'\t' after tr -d '\r').
  std::string code = "3D34";
  std::string definition = LookupDefinition(RealTables(), code);
  ASSERT_EQ(definition.size(), 468u);
  InsertionTexts texts = Compose("insert3D34");
  EXPECT_EQ(texts.information.substr(0, 12 + 468 + 2), "Definition: " + definition + " \n");
  EXPECT_GT(texts.information.size(), 500u);
}

}  // namespace
