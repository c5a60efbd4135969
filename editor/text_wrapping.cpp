#include "editor/text_wrapping.h"

#include "chardb/utf16.h"

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
