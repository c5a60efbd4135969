// Find in page over the text of a page: Latin case-blind, code points as
// the page writes them, an Extension B character as one character.
#include <gtest/gtest.h>

#include "vistapane/find_in_page.h"

namespace vistapane {
namespace {

TEST(FindInPage, MatchesAndStepping) {
  // 译 (U+8BD1) and U+20000 each with its code point, as a stroke page
  // writes them; offsets counted by hand.
  const std::u32string text = U"\u8BD1\t8BD1\n\U00020000\t20000\nDefinition: translate";
  auto found = [&](const std::u32string& needle) {
    std::vector<size_t> begins;
    for (const TextRange& m : FindAll(text, needle)) begins.push_back(m.begin);
    return begins;
  };
  EXPECT_EQ(found(U"\u8BD1"), (std::vector<size_t>{0}));
  EXPECT_EQ(found(U"8bd1"), (std::vector<size_t>{2}));
  EXPECT_EQ(found(U"\U00020000"), (std::vector<size_t>{7}));
  EXPECT_EQ(found(U"TRANSLATE"), (std::vector<size_t>{27}));
  EXPECT_EQ(found(U"0"), (std::vector<size_t>{10, 11, 12, 13}));
  EXPECT_TRUE(found(U"").empty());
  EXPECT_TRUE(found(U"\u8BD2").empty());
  EXPECT_TRUE(found(std::u32string(100, U'a')).empty());
  std::vector<TextRange> zeros = FindAll(text, U"0");
  EXPECT_EQ(MatchFrom(zeros, 0, true), 0);
  EXPECT_EQ(MatchFrom(zeros, 11, true), 1);
  EXPECT_EQ(MatchFrom(zeros, 14, true), 0);   // round the end
  EXPECT_EQ(MatchFrom(zeros, 11, false), 0);
  EXPECT_EQ(MatchFrom(zeros, 10, false), 3);  // round the start
  EXPECT_EQ(MatchFrom({}, 0, true), -1);
}

}  // namespace
}  // namespace vistapane
