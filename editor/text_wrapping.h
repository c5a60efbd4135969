// Breaking plain text into lines that fit a width, for printing the
// document when the rich edit control cannot lay out pages.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// How many characters of text[0..count) fit on one line (at least 0).
using FitCount = std::function<std::size_t(const wchar_t* text, std::size_t count)>;

// The paragraphs of a text, split at CR LF, CR or LF.
std::vector<std::wstring> SplitParagraphs(const std::wstring& text);

// One paragraph as lines: each as long as fits, broken after the last
// blank that fits when there is one (the blank is dropped), else between
// any two characters; a character wider than the line gets a line of its
// own. An empty paragraph is one empty line.
std::vector<std::wstring> WrapParagraph(const std::wstring& paragraph, const FitCount& fit);

// The same lines as positions in the paragraph: [begin, end) of each.
struct LineSpan {
  std::size_t begin, end;
};
std::vector<LineSpan> WrapParagraphSpans(const std::wstring& paragraph, const FitCount& fit);
