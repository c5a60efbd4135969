// Layout against the fixed-width measurer (ASCII 8 px and others 16 px at
// the normal 16 px text; lines 16 px high). Every expected position is
// worked out by hand in the comment beside it from these rules: the body
// has an 8 px margin, a P 1em above and below (margins collapse), a list
// indents 40 px, a table cell has 1 px padding and 2 px spacing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#ifdef _WIN32
#include <windows.h>
#endif

#include "tests/vistapane/fixed_measurer.h"
#include "tests/vistapane/test_util.h"
#include "vistapane/layout.h"

namespace vistapane {
namespace {

using vistapane_test::FixedMeasurer;
using vistapane_test::U32;
using vistapane_test::Utf8;

struct Laid {
  Document doc;
  Layout layout;
};

Laid Lay(const std::string& page, int width = 640, int scale = 100, int pixelsPerInch = 96) {
  Laid laid;
  laid.doc = ParseHtml(U32(page));
  FixedMeasurer measurer;
  LayoutOptions options;
  options.width = width;
  options.scalePercent = scale;
  options.pixelsPerInch = pixelsPerInch;
  laid.layout = LayoutDocument(laid.doc, measurer, options);
  return laid;
}

std::string TextOf(const Layout& layout, const Fragment& f) {
  return Utf8(layout.text.substr(f.begin, f.end - f.begin));
}

// The lines as text, one string per line, fragments joined with '|'.
std::vector<std::string> LineTexts(const Layout& layout) {
  std::vector<std::string> lines;
  for (const Line& line : layout.lines) {
    std::string text;
    for (size_t f = line.firstFragment; f < line.endFragment; ++f) {
      if (f > line.firstFragment) text += "|";
      text += TextOf(layout, layout.fragments[f]);
    }
    lines.push_back(text);
  }
  return lines;
}

const FontKey& FontOf(const Layout& layout, const Fragment& f) {
  return layout.fonts[static_cast<size_t>(layout.styles[static_cast<size_t>(f.style)].font)];
}

using Lines = std::vector<std::string>;

TEST(Layout, ParagraphsAndTheirMargins) {
  Laid l = Lay("<p>Hello world<p>Next");
  ASSERT_EQ(LineTexts(l.layout), (Lines{"Hello world", "Next"}));
  // 8 body + 16 margin; then 24 + 16 line + 16 margin (collapsed).
  EXPECT_EQ(l.layout.lines[0].top, 24);
  EXPECT_EQ(l.layout.lines[1].top, 56);
  EXPECT_EQ(l.layout.lines[0].baseline, 12);
  EXPECT_EQ(l.layout.fragments[0].x, 8);
  EXPECT_EQ(l.layout.fragments[0].width, 88);  // 11 characters
  // 56 + 16 + 16 margin + 8 body.
  EXPECT_EQ(l.layout.height, 96);
  EXPECT_EQ(Utf8(l.layout.text), "Hello world\nNext\n");
}

TEST(Layout, WhiteSpaceCollapsesButNoBreakSpacesDoNot) {
  struct Case { const char* page; const char* line; int width; };
  const Case cases[] = {
      {"  a  \t\n b  ", "a b", 24},
      {"a<b> </b> b", "a b", 24},
      {"a&nbsp;&nbsp;b", "a\xC2\xA0\xC2\xA0" "b", 32},  // a no-break space is a blank wide
      {"a\t&nbsp;\tb", "a \xC2\xA0 b", 40},
      {"<p> a </p> ", "a", 8},
  };
  for (const Case& c : cases) {
    Laid l = Lay(c.page);
    ASSERT_EQ(l.layout.lines.size(), 1u) << c.page;
    std::string text;
    int width = 0;
    for (const Fragment& f : l.layout.fragments) {
      text += TextOf(l.layout, f);
      width += f.width;
    }
    EXPECT_EQ(text, c.line) << c.page;
    EXPECT_EQ(width, c.width) << c.page;
  }
}

TEST(Layout, WordsWrapAtTheWidth) {
  // 100 px pane: 84 px for text, ten and a half characters.
  Laid l = Lay("aaaa bbbb cccc dd", 100);
  EXPECT_EQ(LineTexts(l.layout), (Lines{"aaaa bbbb", "cccc dd"}));
  // A word longer than the line starts a line of its own and, where
  // nothing else fits, is broken at the edge: ten characters are 80 px.
  Laid wide = Lay("x aaaaaaaaaaaaaaaaaaaa y", 100);
  EXPECT_EQ(LineTexts(wide.layout), (Lines{"x", "aaaaaaaaaa", "aaaaaaaaaa", "y"}));
  EXPECT_EQ(wide.layout.width, 100);
  // One character wider than the line still stands on it: 16 px in 8.
  Laid narrow = Lay("&#x4e00;&#x4e01;", 24);
  EXPECT_EQ(LineTexts(narrow.layout), (Lines{"\xE4\xB8\x80", "\xE4\xB8\x81"}));
  // Style changes inside a word do not allow a break.
  Laid styled = Lay("aaaa bb<b>bb</b>bbb", 100);
  EXPECT_EQ(LineTexts(styled.layout), (Lines{"aaaa", "bb|bb|bbb"}));
}

TEST(Layout, IdeographsBreakBetweenAnyTwo) {
  // Ten ideographs of 16 px in 84 px: five to a line.
  Laid l = Lay("&#x4e00;&#x4e01;&#x4e02;&#x4e03;&#x4e04;&#x4e05;&#x4e06;&#x4e07;&#x4e08;&#x20000;", 100);
  ASSERT_EQ(l.layout.lines.size(), 2u);
  EXPECT_EQ(l.layout.fragments[1].end - l.layout.fragments[1].begin, 5u);
  EXPECT_EQ(l.layout.text[l.layout.fragments[1].end - 1], U'\U00020000');
  // Next to Latin text a break is allowed too, but not before a comma:
  // "abcdefgh一," is 88 px, and the break comes before 一. The rest,
  // "一, 丁 丂" with a no-break space, is 72 px.
  Laid mixed = Lay("abcdefgh&#x4e00;, &#x4e01;&nbsp;&#x4e02;", 100);
  EXPECT_EQ(LineTexts(mixed.layout),
            (Lines{"abcdefgh", "\xE4\xB8\x80, \xE4\xB8\x81\xC2\xA0\xE4\xB8\x82"}));
  // No break at a no-break space, even when the line overflows.
  Laid glued = Lay("&#x4e00;&#x4e01;&#x4e02;&#x4e03;&#x4e04;&nbsp;&#x4e05;", 100);
  EXPECT_EQ(LineTexts(glued.layout), (Lines{"\xE4\xB8\x80\xE4\xB8\x81\xE4\xB8\x82\xE4\xB8\x83",
                                            "\xE4\xB8\x84\xC2\xA0\xE4\xB8\x85"}));
}

TEST(Layout, LineBreaks) {
  Laid l = Lay("a<br>b<br><br>c");
  EXPECT_EQ(LineTexts(l.layout), (Lines{"a", "b", "", "c"}));
  // 8, 24, 40 (the empty line), 56.
  EXPECT_EQ(l.layout.lines[3].top, 56);
  EXPECT_EQ(Utf8(l.layout.text), "a\nb\n\nc\n");
}

TEST(Layout, HeadingsAreLargeAndBold) {
  Laid l = Lay("<h1>Big</h1>small");
  ASSERT_EQ(l.layout.lines.size(), 2u);
  const FontKey& h1 = FontOf(l.layout, l.layout.fragments[0]);
  EXPECT_EQ(h1.pixels, 32);
  EXPECT_TRUE(h1.bold);
  // The H1 margin is 0.67em of 32 px, 21 px: 8 + 21; the text after it
  // 29 + 32 + 21.
  EXPECT_EQ(l.layout.lines[0].top, 29);
  EXPECT_EQ(l.layout.lines[1].top, 82);
  EXPECT_FALSE(FontOf(l.layout, l.layout.fragments[1]).bold);
}

TEST(Layout, ListsIndentAndShowMarkers) {
  Laid l = Lay("<ul><li>one<li>two</ul><ol><li>a<li>b</ol>");
  EXPECT_EQ(LineTexts(l.layout), (Lines{"\xE2\x80\xA2|one", "\xE2\x80\xA2|two", "1.|a", "2.|b"}));
  // Text at 8 + 40; the bullet (16 px) ends 6 px before it: 48 - 16 - 6.
  EXPECT_EQ(l.layout.fragments[1].x, 48);
  EXPECT_EQ(l.layout.fragments[0].x, 26);
  // "1." is 16 px as well.
  EXPECT_EQ(l.layout.fragments[4].x, 26);
}

TEST(Layout, PreKeepsWhiteSpaceAndDoesNotWrap) {
  Laid l = Lay("<pre>\na  b\n\tc d e f g h i j k l m</pre>", 100);
  ASSERT_EQ(LineTexts(l.layout), (Lines{"a  b", "        c d e f g h i j k l m"}));
  EXPECT_EQ(FontOf(l.layout, l.layout.fragments[0]).face, U"monospace");
  EXPECT_EQ(l.layout.fragments[0].width, 32);
}

TEST(Layout, HorizontalRules) {
  Laid l = Lay("a<hr>b");
  ASSERT_EQ(l.layout.boxes.size(), 1u);
  const Box& rule = l.layout.boxes[0];
  // Below the line of a (8 + 16), 8 px margin; the full 624 px width.
  EXPECT_EQ(rule.y, 32);
  EXPECT_EQ(rule.x, 8);
  EXPECT_EQ(rule.width, 624);
  EXPECT_EQ(l.layout.lines[1].top, 42);
}

TEST(Layout, TableColumnsAreAsWideAsTheirWidestCell) {
  Laid l = Lay("<table><tr><td>a<td>bbb<tr><td>cccccc<td>d</table>");
  ASSERT_EQ(LineTexts(l.layout), (Lines{"a", "bbb", "cccccc", "d"}));
  const auto& f = l.layout.fragments;
  // Column 1: 6 characters + 2 padding = 50 px, from 8 + 2 spacing; its
  // text 1 px inside. Column 2 starts 10 + 50 + 2.
  EXPECT_EQ(f[0].x, 11);
  EXPECT_EQ(f[2].x, 11);
  EXPECT_EQ(f[1].x, 63);
  EXPECT_EQ(f[3].x, 63);
  // Rows: 8 + 2 spacing + 1 padding; the next 10 + 18 + 2 + 1.
  EXPECT_EQ(l.layout.lines[0].top, 11);
  EXPECT_EQ(l.layout.lines[2].top, 31);
  EXPECT_EQ(Utf8(l.layout.text), "a\tbbb\ncccccc\td\n");
}

TEST(Layout, TableCellsCentreVerticallyAndBordersAreDrawn) {
  Laid l = Lay("<table border=1><tr><td>a<br>b<td>c</table>");
  ASSERT_EQ(LineTexts(l.layout), (Lines{"a", "b", "c"}));
  // Cell 1 is 32 + 2 padding + 2 border high; cell 2 is 16 shorter, so its
  // line moves down 8: both start at 8 + 1 border + 2 spacing + 1 + 1.
  EXPECT_EQ(l.layout.lines[0].top, 13);
  EXPECT_EQ(l.layout.lines[2].top, 21);
  // One frame per cell and one round the table.
  ASSERT_EQ(l.layout.boxes.size(), 3u);
  EXPECT_TRUE(l.layout.boxes[2].frame);
  EXPECT_EQ(l.layout.boxes[2].height, 1 + 2 + 36 + 2 + 1);
}

TEST(Layout, WideTablesShrinkToTheirWords) {
  // Two cells of ten 4-character words: each wants 392 px; in 300 px the
  // table gets 284 - 6 spacing = 278, shared equally.
  std::string words;
  for (int i = 0; i < 10; ++i) words += "wwww ";
  Laid l = Lay("<table><tr><td>" + words + "<td>" + words + "</table>", 300);
  int rightmost = 0;
  for (const Fragment& f : l.layout.fragments) rightmost = std::max(rightmost, f.x + f.width);
  EXPECT_LE(rightmost, 292);
  EXPECT_EQ(l.layout.width, 300);
  EXPECT_GT(l.layout.lines.size(), 4u);
}

TEST(Layout, NestedTablesAndColspans) {
  Laid l = Lay("<table><tr><td colspan=2>wide cell here<tr><td>x<td><table><tr><td>in</table></table>");
  ASSERT_EQ(LineTexts(l.layout), (Lines{"wide cell here", "x", "in"}));
  // The spanning cell (114 + 2 = 116 px) is wider than x and the inner
  // table; its text starts at 11 like x's.
  EXPECT_EQ(l.layout.fragments[0].x, 11);
  EXPECT_EQ(l.layout.fragments[1].x, 11);
  EXPECT_GT(l.layout.fragments[2].x, 11);
}

TEST(Layout, LinksAndTheirTargets) {
  Laid l = Lay("<p>&#x4e00;<A href=\"insert4E00\">4E00</A>&nbsp;&nbsp;YI1");
  ASSERT_EQ(l.layout.links.size(), 1u);
  EXPECT_EQ(l.layout.links[0], U"insert4E00");
  // 一 is 8..24, the link 24..56.
  EXPECT_EQ(LinkAt(l.layout, 30, 30), 0);
  EXPECT_EQ(LinkAt(l.layout, 55, 24), 0);
  EXPECT_EQ(LinkAt(l.layout, 20, 30), -1);
  EXPECT_EQ(LinkAt(l.layout, 56, 30), -1);
  EXPECT_EQ(LinkAt(l.layout, 30, 40), -1);
  const RunStyle& link = l.layout.styles[static_cast<size_t>(l.layout.fragments[1].style)];
  EXPECT_TRUE(link.underline);
  EXPECT_EQ(link.color, 0x0000EEu);
}

TEST(Layout, FontStylesAndSizes) {
  Laid l = Lay("<b>b</b><i>i</i><u>u</u><strong>s</strong><em>e</em>"
               "<font size=+2>f</font><font size=1 face=\"SimSun, Arial\" color=#ff0000>g</font>"
               "<font color=Navy size=-1>h</font>");
  std::vector<std::string> texts;
  const Layout& y = l.layout;
  ASSERT_EQ(y.fragments.size(), 8u);
  auto font = [&](size_t i) { return FontOf(y, y.fragments[i]); };
  auto style = [&](size_t i) { return y.styles[static_cast<size_t>(y.fragments[i].style)]; };
  EXPECT_TRUE(font(0).bold);
  EXPECT_TRUE(font(1).italic);
  EXPECT_TRUE(style(2).underline);
  EXPECT_TRUE(font(3).bold);
  EXPECT_TRUE(font(4).italic);
  EXPECT_EQ(font(5).pixels, 24);  // size 5
  EXPECT_EQ(font(6).pixels, 10);  // size 1
  EXPECT_EQ(font(6).face, U"SimSun");
  EXPECT_EQ(style(6).color, 0xFF0000u);
  EXPECT_EQ(font(7).pixels, 13);  // size 2
  EXPECT_EQ(style(7).color, 0x000080u);
  // The line is as high as its largest font: 24 px, baseline at 18.
  ASSERT_EQ(y.lines.size(), 1u);
  EXPECT_EQ(y.lines[0].height, 24);
  EXPECT_EQ(y.lines[0].baseline, 18);
}

TEST(Layout, ScaleSizesTheWholePage) {
  // At 150 % the text is 24 px: 12 px a character.
  Laid l = Lay("<p>abc<font size=1>d</font>", 640, 150);
  EXPECT_EQ(l.layout.fragments[0].width, 36);
  EXPECT_EQ(FontOf(l.layout, l.layout.fragments[1]).pixels, 15);  // 10 px at 150 %
  EXPECT_EQ(l.layout.lines[0].top, 8 + 24);
  Laid small = Lay("<p>abc", 640, 75);
  EXPECT_EQ(small.layout.fragments[0].width, 18);  // 12 px text
}

TEST(Layout, DisplayScaleWidensMarginsIndentsAndTableGaps) {
  // At 192 dpi the pane lays out at 200 %: 32 px text, 16 px a character;
  // the body margin is 16, a list indents 80, cells have 2 px padding and
  // 4 px spacing.
  Laid p = Lay("<p>abc", 640, 200, 192);
  EXPECT_EQ(p.layout.fragments[0].x, 16);
  EXPECT_EQ(p.layout.lines[0].top, 16 + 32);
  Laid list = Lay("<ul><li>one</ul>", 640, 200, 192);
  EXPECT_EQ(list.layout.fragments[1].x, 16 + 80);
  Laid table = Lay("<table><tr><td>a<td>bbb<tr><td>cccccc<td>d</table>", 640, 200, 192);
  const auto& f = table.layout.fragments;
  // Column 1: 6 characters + 2 * 2 padding = 100 px, from 16 + 4; its text
  // 2 px inside. Column 2 starts 20 + 100 + 4, its text at 126.
  EXPECT_EQ(f[0].x, 22);
  EXPECT_EQ(f[1].x, 126);
  EXPECT_EQ(table.layout.lines[0].top, 22);
}

TEST(Layout, HeadContentIsNotShown) {
  Laid l = Lay("<html><head><title>T</title><style>P{x}</style><script>s</script></head>"
               "<body>b</body>");
  EXPECT_EQ(LineTexts(l.layout), (Lines{"b"}));
}

TEST(Layout, AlignmentCentresLines) {
  Laid l = Lay("<center>ab</center><p align=right>cd");
  // Centre of 624 px from 8: (624 - 16) / 2 + 8; right: 8 + 624 - 16.
  EXPECT_EQ(l.layout.fragments[0].x, 312);
  EXPECT_EQ(l.layout.fragments[1].x, 616);
}

TEST(LayoutQueries, VisibleLinesMatchAScanOfAllLines) {
  std::string page = "<table><tr><td>a<br>b<br>c<td>d</table>";
  for (int i = 0; i < 300; ++i) page += "<p>line " + std::to_string(i) + (i % 7 ? "" : "<br>more");
  page += "<table><tr><td>x<td>y<br>z</table>";
  Laid l = Lay(page);
  const Layout& y = l.layout;
  for (int top = -20; top < y.height + 20; top += 37) {
    for (int band : {1, 50, 400}) {
      std::vector<size_t> expected;
      for (size_t i = 0; i < y.lines.size(); ++i)
        if (y.lines[i].top < top + band && y.lines[i].top + y.lines[i].height > top) expected.push_back(i);
      std::vector<size_t> got;
      VisibleLines(y, top, top + band, got);
      std::sort(got.begin(), got.end());
      EXPECT_EQ(got, expected) << top << " " << band;
    }
  }
}

TEST(LayoutQueries, OffsetsAndPositions) {
  Laid l = Lay("<p>abcd<p>efgh");
  const Layout& y = l.layout;
  // Line 1 at 24, characters 8 px from x = 8: x 21 is in 'b' (16..24),
  // before its middle; x 21 + 1 past it.
  EXPECT_EQ(OffsetAt(y, 19, 30), 1u);
  EXPECT_EQ(OffsetAt(y, 20, 30), 2u);
  EXPECT_EQ(OffsetAt(y, 0, 30), 0u);
  EXPECT_EQ(OffsetAt(y, 500, 30), 4u);
  EXPECT_EQ(OffsetAt(y, 500, 0), 0u);     // above everything: the first line's start
  EXPECT_EQ(OffsetAt(y, 0, 2000), 9u);    // below everything: the last line's end
  EXPECT_EQ(OffsetAt(y, 9, 60), 5u);      // "efgh" starts at offset 5, line top 56
  EXPECT_EQ(TopOfOffset(y, 6), 56);
  EXPECT_EQ(TopOfOffset(y, 4), 56);       // the separator: the next shown character
  EXPECT_EQ(OffsetAtTop(y, 30), 5u);
  EXPECT_EQ(XOfOffset(y, y.fragments[0], 3), 32);
}

TEST(LayoutFaults, EmptyAndDegenerateInput) {
  for (const char* page : {"", " ", "<table></table>", "<table><tr></tr></table>", "<ul><li></ul>",
                           "<pre></pre>", "<td><td>", "<br>", "<table><td colspan=99999>x</table>"}) {
    for (int width : {-5, 0, 1, 640}) {
      Laid l = Lay(page, width);
      EXPECT_GE(l.layout.height, 0) << page;
      std::vector<size_t> lines;
      VisibleLines(l.layout, 0, 100, lines);
      OffsetAt(l.layout, 5, 5);
      LinkAt(l.layout, 5, 5);
    }
  }
}


// The processor time this thread has used, in milliseconds: unlike the
// wall clock, it does not grow with the load others put on the machine.
double ThreadCpuMs() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
#else
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
#endif
}

// The processor time of `times` layouts of the page; the last one is kept.
double LayoutCpuMs(const Document& doc, int scale, int times, Layout& layout) {
  double start = ThreadCpuMs();
  for (int i = 0; i < times; ++i) {
    FixedMeasurer measurer;
    LayoutOptions options;
    options.scalePercent = scale;
    layout = Layout();
    layout = LayoutDocument(doc, measurer, options);
  }
  return ThreadCpuMs() - start;
}

// Tables nested 150 deep are laid out in time of the order of the same 150
// tables one after another, not in time that doubles with each level.
TEST(LayoutFaults, DeeplyNestedTablesStayFast) {
  std::string nested, flat;
  for (int i = 0; i < 150; ++i) nested += "<table><tr><td>x";
  for (int i = 0; i < 150; ++i) flat += "<table><tr><td>x</td></tr></table>";
  Document nestedDoc = ParseHtml(U32(nested));
  Document flatDoc = ParseHtml(U32(flat));
  Layout laid;
  double nestedMs = 1e30, flatMs = 1e30;
  for (int round = 0; round < 3; ++round) {
    nestedMs = std::min(nestedMs, LayoutCpuMs(nestedDoc, 100, 1, laid));
    EXPECT_FALSE(laid.lines.empty());
    flatMs = std::min(flatMs, LayoutCpuMs(flatDoc, 100, 1, laid));
  }
  std::printf("150 nested tables: %.2f ms, 150 tables in a row: %.2f ms\n", nestedMs, flatMs);
  EXPECT_LT(nestedMs, 20 * std::max(flatMs, 0.5));
}

// A paragraph of N letters without a break point is broken at the pane's
// edge, and its layout (and every relayout at another text size) takes
// time linear in N: one paragraph of 2,000,000 letters costs about what
// ten of 200,000 do, not ten times that (both past the caches). The large
// one also pays the first touch of its fresh 16 MB of output, which the
// small ones find in memory freed by the one before: on a virtual machine
// with costly page faults that alone makes it 2.5 to 3 times dearer.
TEST(LayoutFaults, AWordWithoutBreaksIsBrokenAtTheEdgeInLinearTime) {
  Document small = ParseHtml(U32("<P>" + std::string(200000, 'a')));
  Document large = ParseHtml(U32("<P>" + std::string(2000000, 'a')));
  for (int scale : {100, 150}) {
    // 624 px for text; a letter is 8 px at 100 %, 12 px at 150 %: 78 or 52
    // letters to a line.
    size_t perLine = scale == 100 ? 78 : 52;
    Layout laid;
    double smallMs = 1e30, largeMs = 1e30;
    for (int round = 0; round < 2; ++round) {
      smallMs = std::min(smallMs, LayoutCpuMs(small, scale, 10, laid));
      ASSERT_EQ(laid.lines.size(), (200000 + perLine - 1) / perLine) << scale;
      largeMs = std::min(largeMs, LayoutCpuMs(large, scale, 1, laid));
      ASSERT_EQ(laid.lines.size(), (2000000 + perLine - 1) / perLine) << scale;
    }
    std::printf("ten words of 200,000 letters: %.1f ms, one of 2,000,000: %.1f ms (scale %d%%)\n", smallMs,
                largeMs, scale);
    EXPECT_LT(largeMs, 5 * std::max(smallMs, 20.0)) << scale;
    EXPECT_EQ(laid.width, 640) << scale;
    size_t shown = 0;
    for (const Fragment& f : laid.fragments) shown += f.end - f.begin;
    EXPECT_EQ(shown, 2000000u) << scale;
  }
}

// Column widths are shared out in 64 bits: a cell of 150,000 words wants
// 6,000,000 px, and that times the room to share overflows 32 bits (the
// Windows build's long). The long cell takes nearly all of the room.
TEST(LayoutFaults, AHugeCellSharesTheRoomWithoutOverflow) {
  std::string page = "<TABLE><TR><TD>";
  for (int i = 0; i < 150000; ++i) page += "word ";
  page += "<TD>x</TABLE>";
  Laid l = Lay(page);
  ASSERT_FALSE(l.layout.lines.empty());
  // The first line: 624 px less the second column (x and 2 px padding,
  // 10 px) and the spacing (6 px) leave about 600 px: 15 words of 40 px.
  std::string first = LineTexts(l.layout)[0];
  size_t words = static_cast<size_t>(std::count(first.begin(), first.end(), ' ')) + 1;
  EXPECT_GE(words, 14u) << first;
  EXPECT_LE(words, 15u) << first;
  EXPECT_EQ(l.layout.width, 640);
}

TEST(LayoutTiming, LargestStrokePage) {
  // The stroke-count page of 12 strokes has about 6,000 such paragraphs.
  std::string page =
      "<HTML><HEAD><TITLE>Definition Search</TITLE></HEAD><BODY>";
  for (int i = 0; i < 6000; ++i) {
    char line[160];
    std::snprintf(line, sizeof line, "<P class=\"U\">&#x%X;<A href=\"insert%X\">%X</A>&nbsp;&nbsp;YI1 ER4",
                  0x4E00 + i, 0x4E00 + i, 0x4E00 + i);
    page += line;
  }
  page += "</FONT></BODY></HTML>";
  Document doc = ParseHtml(U32(page));
  FixedMeasurer measurer;
  auto start = std::chrono::steady_clock::now();
  Layout layout = LayoutDocument(doc, measurer, LayoutOptions{});
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("layout of 6,000 paragraphs: %.1f ms natively\n", ms);
  EXPECT_EQ(layout.lines.size(), 6000u);
  EXPECT_EQ(layout.links.size(), 6000u);
}

}  // namespace
}  // namespace vistapane
