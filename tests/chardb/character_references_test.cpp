// Character references shown as characters in boxes. The definition of
// U+3400 from bzcat Unihan_Readings.txt.bz2 | grep -P '^U\+3400\tkDefinition':
// "(same as U+4E18 丘) hillock or mound"; the ASCII extract writes 丘 as a
// reference.
#include <gtest/gtest.h>

#include <string>

#include "chardb/character_references.h"
#include "chardb/insertion_texts.h"
#include "tests/chardb/chardb_test_support.h"

namespace {

TEST(CharacterReferences, ReferencesBecomeCharactersAndTheRestStays) {
  struct Case {
    const char* text;
    const char* shown;
  } const cases[] = {
      {"(same as U+4E18 &#x4e18;) hillock", "(same as U+4E18 \xE4\xB8\x98) hillock"},
      {"&#X4E00;&#19968;", "\xE4\xB8\x80\xE4\xB8\x80"},
      {"&#x2A3D9;", "\xF0\xAA\x8F\x99"},
      {"&#x41;&#xe9;", "A\xC3\xA9"},
      // Not references of a scalar value: left as they are.
      {"&#x;&#;&#xZZ;&#x4e00", "&#x;&#;&#xZZ;&#x4e00"},
      {"&#xD800;&#x110000;&#0;&#x99999999999;", "&#xD800;&#x110000;&#0;&#x99999999999;"},
      {"&amp; &#", "&amp; &#"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ReplaceCharacterReferences(c.text), c.shown) << c.text;
}

TEST(CharacterReferences, TheDefinitionBoxOf3400ShowsTheCharacter) {
  InsertionTexts texts;
  ASSERT_TRUE(ComposeInsertionTexts(RealTables(), "insert3400", texts));
  std::string shown = ReplaceCharacterReferences(texts.information);
  EXPECT_NE(shown.find("Definition: (same as U+4E18 \xE4\xB8\x98) hillock or mound"), std::string::npos) << shown;
  EXPECT_EQ(texts.clipboard, " &#x3400;");
}

}  // namespace
