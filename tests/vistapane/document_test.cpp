// The document tree: what a tolerant browser builds from the same markup,
// written out by hand for each case.
#include <gtest/gtest.h>

#include "tests/vistapane/test_util.h"
#include "vistapane/document.h"

namespace vistapane {
namespace {

using vistapane_test::Outline;
using vistapane_test::U32;

std::string Tree(const std::string& page) { return Outline(ParseHtml(U32(page))); }

TEST(ParseHtml, ElementsThatCloseThemselves) {
  struct Case { const char* page; const char* tree; };
  const Case cases[] = {
      {"<P>a<P>b", "p{'a'} p{'b'}"},
      {"<p>a<h1>b</h1>c", "p{'a'} h1{'b'} 'c'"},
      {"<ul><li>a<li>b</ul>c", "ul{li{'a'} li{'b'}} 'c'"},
      {"<ul><li>a<ul><li>b</ul><li>c</ul>", "ul{li{'a' ul{li{'b'}}} li{'c'}}"},
      {"<table><tr><td>a<td>b<tr><td>c</table>d",
       "table{tr{td{'a'} td{'b'}} tr{td{'c'}}} 'd'"},
      {"<table><td>a</td></table>", "table{tr{td{'a'}}}"},
      {"<table><tr><td><p>a<td>b</table>", "table{tr{td{p{'a'}} td{'b'}}}"},
      {"<p>a<table><tr><td>b</table>", "p{'a'} table{tr{td{'b'}}}"},
      {"<dl><dt>a<dd>b<dt>c</dl>", "dl{dt{'a'} dd{'b'} dt{'c'}}"},
      {"a<br>b<hr>c</br>", "'a' br 'b' hr 'c' br"},
  };
  for (const Case& c : cases) EXPECT_EQ(Tree(c.page), c.tree) << c.page;
}

TEST(ParseHtml, NestedTablesKeepTheirCells) {
  EXPECT_EQ(Tree("<table><tr><td><table><tr><td>a<tr><td>b</table>c<td>d</table>"),
            "table{tr{td{table{tr{td{'a'}} tr{td{'b'}}} 'c'} td{'d'}}}");
}

TEST(ParseHtml, StrayEndTagsAreDropped) {
  EXPECT_EQ(Tree("</FONT size=+2><p>a</FONT></b></p>b</td></tr>c"), "p{'a'} 'b' 'c'");
  // An end tag does not reach out of a table cell.
  EXPECT_EQ(Tree("<b><table><tr><td>x</b>y</table>"), "b{table{tr{td{'x' 'y'}}}}");
}

TEST(ParseHtml, FormattingCarriesOverIntoTheNextBlock) {
  EXPECT_EQ(Tree("<p><b>a<p>b</b>c"), "p{b{'a'}} p{b{'b'} 'c'}");
  EXPECT_EQ(Tree("<p><font color=red><i>a</p>b"), "p{font{i{'a'}}} font{i{'b'}}");
  EXPECT_EQ(Tree("<p><b>a</b><p>b"), "p{b{'a'}} p{'b'}");
  // A new link ends the open one.
  EXPECT_EQ(Tree("<a href=1>a<a href=2>b"), "a{'a'} a{'b'}");
  // Table cells start without formatting carried from outside.
  EXPECT_EQ(Tree("<p><b>a<table><tr><td>b</table>"), "p{b{'a'}} table{tr{td{'b'}}}");
}

TEST(ParseHtml, HeadContentIsKeptApartFromText) {
  Document doc = ParseHtml(U32(
      "<HTML><HEAD><TITLE>PinYin &amp; Search</TITLE> <META HTTP-EQUIV=\"Content-Type\" "
      "CONTENT=\"text/html; charset=GB18030\"><STYLE>TD{font-family: NSimSun-18030;}</STYLE>"
      "</HEAD><BODY>x</BODY></HTML>"));
  EXPECT_EQ(doc.title, U"PinYin & Search");
  EXPECT_EQ(Outline(doc), "title ' ' meta style{'TD{font-family: NSimSun-18030;}'} 'x'");
  const Node& meta = doc.nodes[doc.nodes[0].children[2]];
  ASSERT_NE(meta.Attribute("http-equiv"), nullptr);
  EXPECT_EQ(*meta.Attribute("http-equiv"), U"Content-Type");
  EXPECT_EQ(meta.Attribute("name"), nullptr);
}

TEST(ParseHtml, PinyinPageRows) {
  // The shape the pinyin page writes: a table whose rows hold the glyph, a
  // TAB and the insert link in each cell, then closings without openings.
  std::string page =
      "<HTML><HEAD><TITLE>PinYin Search</TITLE></HEAD><BODY><TABLE></FONT size=+2>"
      "<TR><TD>1(&#x02c9;)&nbsp;</TD><TD>5&nbsp;</TD>"
      "<TR><TD>&#x5988;\t<A href=\"insert5988\">5988</A></TD><TD></TD>"
      "</FONT></TABLE></BODY></HTML>";
  EXPECT_EQ(Tree(page),
            "title table{tr{td{'1(\xCB\x89)\xC2\xA0'} td{'5\xC2\xA0'}} "
            "tr{td{'\xE5\xA6\x88\t' a{'5988'}} td}}");
}

TEST(ParseHtml, StrokePageParagraphs) {
  std::string page =
      "<BODY><P class=\"U\">&#x4E00;<A href=\"insert4E00\">4E00</A>&nbsp;&nbsp;YI1"
      "<P class=\"U\">&#x20000;<A href=\"insert20000\">20000</A>&nbsp;&nbsp;</FONT></BODY>";
  Document doc = ParseHtml(U32(page));
  EXPECT_EQ(Outline(doc),
            "p{'\xE4\xB8\x80' a{'4E00'} '\xC2\xA0\xC2\xA0YI1'} "
            "p{'\xF0\xA0\x80\x80' a{'20000'} '\xC2\xA0\xC2\xA0'}");
  const Node& link = doc.nodes[doc.nodes[doc.nodes[0].children[1]].children[1]];
  EXPECT_EQ(*link.Attribute("href"), U"insert20000");
}

TEST(ParseHtml, DeepNestingStaysBounded) {
  std::string page;
  for (int i = 0; i < 100000; ++i) page += "<b><div>";
  page += "x";
  Document doc = ParseHtml(U32(page));
  // Walk down the first children: the depth is bounded.
  size_t depth = 0;
  for (size_t node = 0; !doc.nodes[node].children.empty(); node = doc.nodes[node].children[0])
    ++depth;
  EXPECT_LE(depth, 220u);
  EXPECT_EQ(doc.nodes.size(), 200002u);  // the root, 200,000 elements, the text
}

TEST(ParseHtml, CarriedFormattingDoesNotMultiply) {
  // Every P closes the B's of the one before; what is carried stays bounded.
  std::string page;
  for (int i = 0; i < 2000; ++i) page += "<p><b><i>x";
  Document doc = ParseHtml(U32(page));
  EXPECT_LT(doc.nodes.size(), 2000u * 40u);
}

}  // namespace
}  // namespace vistapane
