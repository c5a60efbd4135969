#include <gtest/gtest.h>

#include <string>

#include "search/pinyin_selection.h"

namespace {

TEST(PinyinSelection, KeyEndsAtTheFirstBlankAmongPositionsOneToTwenty) {
  struct Case {
    std::string selection, key;
  } const cases[] = {
      {"MA", "MA"},
      {"MA HAO", "MA"},              // two words: the first
      {" MA HAO", " MA"},            // a blank at position 0 stays
      {"ABCDEFGHIJKLMNOPQRST UV", "ABCDEFGHIJKLMNOPQRST"},  // blank at 20
      {"ABCDEFGHIJKLMNOPQRSTU VW", "ABCDEFGHIJKLMNOPQRSTU VW"},  // blank at 21 stays
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PinyinKeyFromSelection(c.selection), c.key) << c.selection;
}

TEST(PinyinSelection, LongSelectionsAreCutToTheKeyRoomOnACharacterBoundary) {
  std::string longText(200, 'A');
  EXPECT_EQ(PinyinKeyFromSelection(longText), std::string(kPinyinKeyRoom, 'A'));
  // A two-byte character straddling the cut is left out whole.
  std::string straddling = std::string(kPinyinKeyRoom - 1, 'A') + "\xc3\xbc" + "B";
  EXPECT_EQ(PinyinKeyFromSelection(straddling), std::string(kPinyinKeyRoom - 1, 'A'));
}

}  // namespace
