// The style rules of the pages' headers, and what layout does with them.
#include <gtest/gtest.h>

#include "tests/vistapane/fixed_measurer.h"
#include "tests/vistapane/test_util.h"
#include "vistapane/style_sheet.h"

namespace vistapane {
namespace {

using vistapane_test::U32;

TEST(StyleSheet, TheRulesOfThePageHeaders) {
  std::vector<StyleRule> td = ParseStyleSheet(U32("TD{font-family: NSimSun-18030;  background: #ffffff}"));
  ASSERT_EQ(td.size(), 1u);
  EXPECT_EQ(td[0].tag, "td");
  EXPECT_EQ(td[0].cls, U"");
  EXPECT_EQ(td[0].face, U"NSimSun-18030");
  std::vector<StyleRule> pu =
      ParseStyleSheet(U32("P.U{font-family: NSimSun (Founder Extended) ;  background: #ffffff}"));
  ASSERT_EQ(pu.size(), 1u);
  EXPECT_EQ(pu[0].tag, "p");
  EXPECT_EQ(pu[0].cls, U"U");
  EXPECT_EQ(pu[0].face, U"NSimSun (Founder Extended)");
}

TEST(StyleSheet, SelectorListsColoursAndWhatIsPassedOver) {
  std::vector<StyleRule> rules = ParseStyleSheet(
      U32("/* c */ h1, .x { color: red } div p { color: blue } a:hover{color:#00f} p{margin:0} "
          "b { font-family: 'Noto Sans CJK SC', serif; color: #123456 } broken { color: red"));
  ASSERT_EQ(rules.size(), 4u);
  EXPECT_EQ(rules[0].tag, "h1");
  EXPECT_TRUE(rules[0].hasColor);
  EXPECT_EQ(rules[0].color, 0xFF0000u);
  EXPECT_EQ(rules[1].tag, "");
  EXPECT_EQ(rules[1].cls, U"x");
  EXPECT_EQ(rules[2].face, U"Noto Sans CJK SC");
  EXPECT_EQ(rules[2].color, 0x123456u);
  EXPECT_EQ(rules[3].tag, "broken");
  for (const char* css : {"", "{", "}", "{{}}", "p{", ":{color:red}", ".{color:red}"})
    EXPECT_LE(ParseStyleSheet(U32(css)).size(), 1u) << css;
}

TEST(StyleSheet, Matching) {
  StyleRule pu = ParseStyleSheet(U32("p.U{color:red}")).at(0);
  std::u32string u = U"u", other = U"a U b", none = U"V";
  EXPECT_TRUE(RuleMatches(pu, "p", &u));
  EXPECT_TRUE(RuleMatches(pu, "p", &other));
  EXPECT_FALSE(RuleMatches(pu, "p", &none));
  EXPECT_FALSE(RuleMatches(pu, "p", nullptr));
  EXPECT_FALSE(RuleMatches(pu, "td", &u));
}

TEST(StyleSheet, LayoutTakesTheFaceOfTheRule) {
  Document doc = ParseHtml(U32("<STYLE>P.U{font-family: SimSun; color: #800000}</STYLE>"
                               "<P class=\"U\">a<P>b<P class=U><FONT face=Arial>c</FONT>"));
  vistapane_test::FixedMeasurer measurer;
  Layout layout = LayoutDocument(doc, measurer, LayoutOptions{});
  ASSERT_EQ(layout.fragments.size(), 3u);
  auto face = [&](size_t i) {
    return layout.fonts[static_cast<size_t>(layout.styles[static_cast<size_t>(layout.fragments[i].style)].font)].face;
  };
  EXPECT_EQ(face(0), U"SimSun");
  EXPECT_EQ(layout.styles[static_cast<size_t>(layout.fragments[0].style)].color, 0x800000u);
  EXPECT_EQ(face(1), U"");
  EXPECT_EQ(face(2), U"Arial");
}

}  // namespace
}  // namespace vistapane
