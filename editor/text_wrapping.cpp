#include "editor/text_wrapping.h"

#include "chardb/utf16.h"

std::vector<std::wstring> SplitParagraphs(const std::wstring& text) {
  std::vector<std::wstring> paragraphs;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != L'\r' && text[i] != L'\n') continue;
    paragraphs.push_back(text.substr(start, i - start));
    if (i + 1 < text.size() && text[i] == L'\r' && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  return paragraphs;
}

std::vector<LineSpan> WrapParagraphSpans(const std::wstring& paragraph, const FitCount& fit) {
  std::vector<LineSpan> lines;
  std::size_t start = 0;
  while (start < paragraph.size()) {
    std::size_t left = paragraph.size() - start;
    std::size_t fits = fit(paragraph.data() + start, left);
    if (fits >= left) {
      lines.push_back({start, paragraph.size()});
      break;
    }
    std::size_t take = fits == 0 ? 1 : fits;
    // Never between the two halves of a UTF-16 surrogate pair.
    wchar_t last = paragraph[start + take - 1];
    if (IsHighSurrogate(last)) take = take > 1 ? take - 1 : take + 1;
    std::size_t resume = start + take;
    std::size_t blank = paragraph.find_last_of(L' ', start + fits);
    if (fits > 0 && blank != std::wstring::npos && blank > start && blank <= start + fits) {
      take = blank - start;
      resume = blank + 1;
    }
    lines.push_back({start, start + take});
    start = resume;
  }
  if (lines.empty()) lines.push_back({0, 0});
  return lines;
}

std::vector<std::wstring> WrapParagraph(const std::wstring& paragraph, const FitCount& fit) {
  std::vector<std::wstring> lines;
  for (const LineSpan& span : WrapParagraphSpans(paragraph, fit))
    lines.push_back(paragraph.substr(span.begin, span.end - span.begin));
  return lines;
}
