// Tokens and character references. Expected code points of the named
// references come from Python: python3 -c "import html;
// print([hex(ord(c)) for c in html.unescape('&nbsp;&eacute;&yuml;&Auml;&copy;')])"
// -> 0xa0 0xe9 0xff 0xc4 0xa9.
#include <gtest/gtest.h>

#include "tests/vistapane/test_util.h"
#include "vistapane/tokenizer.h"

namespace vistapane {
namespace {

using vistapane_test::U32;

// "<a href=x>" "'text'" "</a>": a compact form of a token list.
std::string Show(const std::vector<Token>& tokens) {
  std::string out;
  for (const Token& t : tokens) {
    if (!out.empty()) out += " ";
    if (t.kind == Token::kText) {
      out += "'" + vistapane_test::Utf8(t.text) + "'";
      continue;
    }
    out += t.kind == Token::kStartTag ? "<" : "</";
    out += t.name;
    for (const auto& a : t.attributes) out += " " + a.first + "=" + vistapane_test::Utf8(a.second);
    out += ">";
  }
  return out;
}

std::string Tokens(const std::string& page) { return Show(Tokenize(U32(page))); }

TEST(Tokenize, TagsAndAttributesInAnyCaseAndQuoting) {
  EXPECT_EQ(Tokens("<P CLASS=\"U\">x</P>"), "<p class=U> 'x' </p>");
  EXPECT_EQ(Tokens("<A HREF=insert4E00>4E00</a>"), "<a href=insert4E00> '4E00' </a>");
  EXPECT_EQ(Tokens("<a href='two words' Title = \"t\">"), "<a href=two words title=t>");
  EXPECT_EQ(Tokens("<td nowrap align=left>"), "<td nowrap= align=left>");
  EXPECT_EQ(Tokens("<br/><BR />"), "<br> <br>");
  EXPECT_EQ(Tokens("<a href=\"a&amp;b\">"), "<a href=a&b>");
  // The pages close a FONT they never open, with an attribute on the end tag.
  EXPECT_EQ(Tokens("</FONT size=+2>x"), "</font size=+2> 'x'");
}

TEST(Tokenize, CommentsDoctypeAndProcessingInstructionsAreDropped) {
  EXPECT_EQ(Tokens("<!DOCTYPE html><!-- <p>hidden</p> -->a<?xml version=1?>b"), "'a' 'b'");
  EXPECT_EQ(Tokens("a<!-- never closed <p>"), "'a'");
}

TEST(Tokenize, LessThanSignsThatOpenNoTagAreText) {
  EXPECT_EQ(Tokens("1 < 2 <3 </ 4 <"), "'1 < 2 <3 </ 4 <'");
}

TEST(Tokenize, StyleScriptAndTitleContentIsRaw) {
  EXPECT_EQ(Tokens("<STYLE>P{x: <b>}</style >y"), "<style> 'P{x: <b>}' </style> 'y'");
  EXPECT_EQ(Tokens("<script>if (a<b) s=\"</p>\";</SCRIPT>"),
            "<script> 'if (a<b) s=\"</p>\";' </script>");
  EXPECT_EQ(Tokens("<TITLE>A &amp; <b>B</TITLE>"), "<title> 'A & <b>B' </title>");
  // Without its end tag, the rest of the page is the raw content.
  EXPECT_EQ(Tokens("<style>p{}<p>x"), "<style> 'p{}<p>x'");
}

TEST(Tokenize, MarkupCutShortAtTheEndOfThePage) {
  for (const char* page : {"<a", "<a href", "<a href=", "<a href=\"unclosed", "</", "</a", "<!",
                           "<!-", "<?", "&", "&#", "&#x", "<a b='"}) {
    std::vector<Token> tokens = Tokenize(U32(page));  // ends, whatever it finds
    EXPECT_LE(tokens.size(), 2u) << page;
  }
}

TEST(ResolveReferences, NumericReferences) {
  struct Case { const char* text; std::u32string expected; };
  const Case cases[] = {
      {"&#x4e00;", U"\u4E00"},   {"&#x4E00;", U"\u4E00"},        {"&#X9FA5;", U"\u9FA5"},
      {"&#19968;", U"\u4E00"},   {"&#x20000;", U"\U00020000"},   {"&#x2A6D6;", U"\U0002A6D6"},
      {"&#x2f800;", U"\U0002F800"}, {"&#131072;", U"\U00020000"}, {"&#xdc;", U"\u00DC"},
      {"L&#xdc;4", U"L\u00DC4"},  {"&#x02c9;", U"\u02C9"},        {"&#65", U"A"},
      {"&#x41 b", U"A b"},       {"&#0000065;", U"A"},            {"&#x4e00;&#x4e01;", U"\u4E00\u4E01"},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveReferences(U32(c.text)), c.expected) << c.text;
}

TEST(ResolveReferences, NamedReferences) {
  EXPECT_EQ(ResolveReferences(U32("&nbsp;&amp;&lt;&gt;&quot;")), U"\u00A0&<>\"");
  EXPECT_EQ(ResolveReferences(U32("&nbsp;&eacute;&yuml;&Auml;&copy;")), U"\u00A0\u00E9\u00FF\u00C4\u00A9");
  EXPECT_EQ(ResolveReferences(U32("&iexcl;&THORN;&thorn;&szlig;")), U"\u00A1\u00DE\u00FE\u00DF");
}

TEST(ResolveReferences, MalformedReferencesStayAsWritten) {
  for (const char* text : {"&#xZZ;", "&#;", "&#x;", "&#x110000;", "&#xD800;", "&#0;",
                           "&#99999999999999999999;", "&bogus;", "&amp", "& nbsp;", "&",
                           "&#", "AT&T", "&NBSP;"}) {
    EXPECT_EQ(ResolveReferences(U32(text)), U32(text)) << text;
  }
}

TEST(Tokenize, ReferencesResolveInTextAndAttributesButNotInStyle) {
  EXPECT_EQ(Tokens("<p title=&lt;>&#x4e00;&nbsp;x"), "<p title=<> '\xE4\xB8\x80\xC2\xA0x'");
  EXPECT_EQ(Tokens("<style>&amp;</style>"), "<style> '&amp;' </style>");
}

}  // namespace
}  // namespace vistapane
