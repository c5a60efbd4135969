// Breaking plain text into lines that fit a width, for printing the
// document when the rich edit control cannot lay out pages.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// How many characters of text[0..count) fit on one line (at least 0).
using FitCount = std::function<std::size_t(const wchar_t* text, std::size_t count)>;

// One paragraph as lines, given as positions in it ([begin, end) of
// each): each as long as fits, broken after the last blank that fits when
// there is one (the blank belongs to no line), else between any two
// characters but never inside a surrogate pair; a character wider than
// the line gets a line of its own. An empty paragraph is one empty line.
struct LineSpan {
  std::size_t begin, end;
};
std::vector<LineSpan> WrapParagraphSpans(const std::wstring& paragraph, const FitCount& fit);
