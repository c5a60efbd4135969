// The links of a page in the order Tab meets them, and what a screen
// reader and the copy items make of an insert link. The page is a piece of
// the Pinyin MA page as the program writes it (a character, a tab, its
// insert link).
#include <gtest/gtest.h>

#include "tests/vistapane/fixed_measurer.h"
#include "tests/vistapane/test_util.h"
#include "vistapane/page_links.h"

namespace vistapane {
namespace {

using vistapane_test::U32;
using vistapane_test::Utf8;

TEST(PageLinks, TabOrderNamesAndCopies) {
  // An anchor with no text (the second) takes no focus.
  Document doc = ParseHtml(
      U"<TABLE><TR><TD>&#x957F;\t<A href=\"insert957F\">957F</A></TD>"
      U"<TD><A href=\"insert4E00\"></A></TD><TD>&#x20000;\t<A href=\"insert20000\">20000</A></TD>"
      U"<TD><A href=\"page.htm\">next page</A></TD></TABLE>");
  vistapane_test::FixedMeasurer measurer;
  Layout layout = LayoutDocument(doc, measurer, LayoutOptions());
  LinkFragments links = FragmentsOfLinks(layout);
  ASSERT_EQ(links.size(), 4u);
  EXPECT_EQ(StepLink(links, -1, +1), 0);
  EXPECT_EQ(StepLink(links, 0, +1), 2);
  EXPECT_EQ(StepLink(links, 3, +1), 0);   // round the end
  EXPECT_EQ(StepLink(links, 0, -1), 3);   // round the start
  EXPECT_EQ(StepLink(links, -1, -1), 3);
  EXPECT_EQ(StepLink(LinkFragments(2), -1, +1), -1);
  EXPECT_EQ(Utf8(LinkName(layout, links, 0)), "\xE9\x95\xBF 957F");      // 长 957F
  EXPECT_EQ(Utf8(LinkName(layout, links, 2)), "\xF0\xA0\x80\x80 20000");  // U+20000 as one character
  EXPECT_EQ(Utf8(LinkName(layout, links, 3)), "next page");
  EXPECT_EQ(Utf8(CharacterReference(0x957F)), " &#x957F;");
  EXPECT_EQ(Utf8(CodePointName(0x957F)), "U+957F");
  EXPECT_EQ(Utf8(CodePointName(0x20000)), "U+20000");
  // Targets that name no character.
  for (const char* target : {"page.htm", "insert", "insertXYZ", "insert110000", "insertD800", "insert1234567"})
    EXPECT_EQ(InsertLinkCharacter(U32(target)), 0u) << target;
}

}  // namespace
}  // namespace vistapane
