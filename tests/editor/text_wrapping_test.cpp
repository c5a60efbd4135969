#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/text_wrapping.h"

namespace {

// A fixed-width measurer: `width` characters fit on a line.
FitCount FixedWidth(std::size_t width) {
  return [width](const wchar_t*, std::size_t count) { return count < width ? count : width; };
}

// The lines of a paragraph as texts.
std::vector<std::wstring> Wrapped(const std::wstring& paragraph, std::size_t width) {
  std::vector<std::wstring> lines;
  for (const LineSpan& span : WrapParagraphSpans(paragraph, FixedWidth(width)))
    lines.push_back(paragraph.substr(span.begin, span.end - span.begin));
  return lines;
}

TEST(TextWrapping, LinesBreakAtBlanksOrAnywhereWhenAWordIsTooLong) {
  struct Case {
    std::wstring paragraph;
    std::size_t width;
    std::vector<std::wstring> lines;
  } const cases[] = {
      {L"one two three", 20, {L"one two three"}},
      {L"one two three", 8, {L"one two", L"three"}},
      {L"one two three", 7, {L"one two", L"three"}},
      {L"abcdefghij", 4, {L"abcd", L"efgh", L"ij"}},
      {L"", 5, {L""}},
      // A measurer that fits nothing still makes progress.
      {L"abc", 0, {L"a", L"b", L"c"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Wrapped(c.paragraph, c.width), c.lines);
}

TEST(TextWrapping, SurrogatePairsStayWhole) {
  // U+20000 as UTF-16 (on Windows, where wchar_t is 16 bits).
  std::wstring pair = {static_cast<wchar_t>(0xD840), static_cast<wchar_t>(0xDC00)};
  std::vector<std::wstring> lines = Wrapped(L"a" + pair + L"b", 2);
  EXPECT_EQ(lines, (std::vector<std::wstring>{L"a", pair, L"b"}));
}

TEST(TextWrapping, SpansLocateEachLineInTheParagraph) {
  // The blank at a break belongs to no line; an empty paragraph is one
  // empty span. Positions counted by hand over "one two three".
  std::vector<LineSpan> spans = WrapParagraphSpans(L"one two three", FixedWidth(8));
  ASSERT_EQ(spans.size(), 2u);
  EXPECT_EQ(spans[0].begin, 0u);
  EXPECT_EQ(spans[0].end, 7u);
  EXPECT_EQ(spans[1].begin, 8u);
  EXPECT_EQ(spans[1].end, 13u);
  std::vector<LineSpan> empty = WrapParagraphSpans(L"", FixedWidth(8));
  ASSERT_EQ(empty.size(), 1u);
  EXPECT_EQ(empty[0].begin, empty[0].end);
}

}  // namespace
