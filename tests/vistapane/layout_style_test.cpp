// Single-value rules of layout. Colour values are the HTML 4 colour table;
// font sizes are the classic 10, 13, 16, 18, 24, 32, 48 px.
#include <gtest/gtest.h>

#include "tests/vistapane/test_util.h"
#include "vistapane/layout_style.h"

namespace vistapane {
namespace {

using vistapane_test::U32;

TEST(LayoutStyle, FontSizes) {
  struct Case { const char* value; int current; int size; };
  const Case cases[] = {{"+2", 3, 5}, {"-1", 5, 2}, {"4", 1, 4}, {"+9", 3, 7}, {"-7", 3, 1},
                        {"0", 3, 1}, {" 6 ", 3, 6}, {"big", 4, 4}, {"", 2, 2}, {"+", 3, 3},
                        {"99999999999", 3, 7}};
  for (const Case& c : cases) EXPECT_EQ(ParseFontSize(U32(c.value), c.current), c.size) << c.value;
  EXPECT_EQ(FontSizePixels(1, 100), 10);
  EXPECT_EQ(FontSizePixels(7, 100), 48);
  EXPECT_EQ(FontSizePixels(3, 75), 12);
  EXPECT_EQ(FontSizePixels(3, 90), 14);  // 14.4 rounded
  EXPECT_EQ(FontSizePixels(9, 100), 48);
}

TEST(LayoutStyle, Colours) {
  struct Case { const char* value; bool ok; uint32_t rgb; };
  const Case cases[] = {{"#FF0000", true, 0xFF0000}, {"00ff7f", true, 0x00FF7F}, {"#abc", true, 0xAABBCC},
                        {"Maroon", true, 0x800000}, {"teal", true, 0x008080}, {"#12345", false, 0},
                        {"#GG0000", false, 0}, {"", false, 0}, {"#", false, 0}};
  for (const Case& c : cases) {
    uint32_t rgb = 0x123456;
    EXPECT_EQ(ParseColor(U32(c.value), rgb), c.ok) << c.value;
    if (c.ok) EXPECT_EQ(rgb, c.rgb) << c.value;
    else EXPECT_EQ(rgb, 0x123456u) << c.value;
  }
}

TEST(LayoutStyle, Faces) {
  EXPECT_EQ(FirstFace(U32("SimSun, Arial")), U"SimSun");
  EXPECT_EQ(FirstFace(U32(" 'Noto Sans CJK SC' ,x")), U"Noto Sans CJK SC");
  EXPECT_EQ(FirstFace(U32("NSimSun (Founder Extended) ")), U"NSimSun (Founder Extended)");
  EXPECT_EQ(FirstFace(U32("")), U"");
}

TEST(LayoutStyle, BreakOpportunities) {
  EXPECT_TRUE(IsIdeograph(0x3400));
  EXPECT_TRUE(IsIdeograph(0x9FA5));
  EXPECT_TRUE(IsIdeograph(0xFA6A));
  EXPECT_TRUE(IsIdeograph(0x2A6D6));
  EXPECT_TRUE(IsIdeograph(0x2FA1D));
  EXPECT_FALSE(IsIdeograph('A'));
  EXPECT_FALSE(IsIdeograph(0xDC));
  EXPECT_TRUE(BreakAllowedBetween(0x4E00, 0x4E01));
  EXPECT_TRUE(BreakAllowedBetween(0x4E00, '4'));
  EXPECT_TRUE(BreakAllowedBetween('a', 0x20000));
  EXPECT_FALSE(BreakAllowedBetween('a', 'b'));
  EXPECT_FALSE(BreakAllowedBetween(0x4E00, 0xA0));
  EXPECT_FALSE(BreakAllowedBetween(0xA0, 0x4E00));
  EXPECT_FALSE(BreakAllowedBetween(0x4E00, 0x3002));  // 。 stays with its character
  EXPECT_FALSE(BreakAllowedBetween(0x4E00, ','));
  EXPECT_FALSE(BreakAllowedBetween('(', 0x4E00));
  EXPECT_TRUE(IsCollapsibleSpace('\t'));
  EXPECT_FALSE(IsCollapsibleSpace(0xA0));
}

}  // namespace
}  // namespace vistapane
