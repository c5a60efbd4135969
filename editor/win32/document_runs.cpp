#include "editor/win32/document_runs.h"

#include <algorithm>
#include <utility>

#include "chardb/utf16.h"

namespace {

// The parts of a character format that change how text is printed.
constexpr DWORD kPrintedFormat = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_FACE | CFM_SIZE;
// Paragraphs asked about together, whose format is then read once.
constexpr std::size_t kParagraphBlock = 64;

class RunReader {
 public:
  RunReader(HWND editor, const std::wstring& text) : editor_(editor), text_(text) {}

  // The format shared by every character from `from` to `to`; false when
  // they differ in anything printed.
  bool Uniform(LONG from, LONG to, CHARFORMATW& format) {
    Select(from, to);
    format = CHARFORMATW{};
    format.cbSize = sizeof format;
    SendMessageW(editor_, EM_GETCHARFORMAT, TRUE, reinterpret_cast<LPARAM>(&format));
    return (format.dwMask & kPrintedFormat) == kPrintedFormat;
  }

  // A position moved off the second half of a surrogate pair.
  LONG Whole(LONG at) const {
    return at < static_cast<LONG>(text_.size()) && IsLowSurrogate(text_[static_cast<std::size_t>(at)]) ? at + 1 : at;
  }

  // The runs of [from, to): each as long as the format holds, found by
  // doubling the step while it does and halving it where it does not.
  std::vector<TextRun> Runs(LONG from, LONG to) {
    std::vector<TextRun> runs;
    while (from < to) {
      LONG end = Whole(from + 1);
      CHARFORMATW format{};
      Uniform(from, end, format);
      LONG step = 8;
      while (end < to) {
        LONG candidate = Whole(end + step < to ? end + step : to);
        CHARFORMATW wider{};
        if (candidate > end && Uniform(from, candidate, wider)) {
          end = candidate;
          step *= 2;
        } else if (step > 1) {
          step /= 2;
        } else {
          break;
        }
      }
      TextRun run;
      run.text = text_.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(end - from));
      run.format = format;
      runs.push_back(std::move(run));
      from = end;
    }
    return runs;
  }

  // The alignment shared by every paragraph from `from` to `to`; false when
  // they differ.
  bool UniformAlignment(LONG from, LONG to, WORD& alignment) {
    Select(from, to);
    PARAFORMAT layout{};
    layout.cbSize = sizeof layout;
    SendMessageW(editor_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&layout));
    alignment = (layout.dwMask & PFM_ALIGNMENT) ? layout.wAlignment : static_cast<WORD>(PFA_LEFT);
    return (layout.dwMask & PFM_ALIGNMENT) != 0;
  }

  // A paragraph of a stretch known to share one format and alignment.
  RichParagraph Plain(LONG from, LONG to, const CHARFORMATW& format, WORD alignment) const {
    RichParagraph paragraph;
    paragraph.alignment = alignment;
    paragraph.format = format;
    if (from < to) {
      TextRun run;
      run.text = text_.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
      run.format = format;
      paragraph.runs.push_back(std::move(run));
    }
    return paragraph;
  }

  RichParagraph Paragraph(LONG from, LONG to) {
    RichParagraph paragraph;
    Select(from, from);
    PARAFORMAT layout{};
    layout.cbSize = sizeof layout;
    SendMessageW(editor_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&layout));
    if (layout.dwMask & PFM_ALIGNMENT) paragraph.alignment = layout.wAlignment;
    Uniform(from, from < to ? Whole(from + 1) : from, paragraph.format);
    paragraph.runs = Runs(from, to);
    return paragraph;
  }

 private:
  void Select(LONG from, LONG to) {
    CHARRANGE range{from, to};
    SendMessageW(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }

  HWND editor_;
  const std::wstring& text_;
};

}  // namespace

std::vector<RichParagraph> ReadRichParagraphs(HWND editor, LONG start, LONG end, const std::function<bool()>& goOn) {
  int length = GetWindowTextLengthW(editor);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(editor, &text[0], length + 1)));
  LONG size = static_cast<LONG>(text.size());
  LONG from = start < 0 ? 0 : (start > size ? size : start);
  LONG to = end < 0 || end > size ? size : end;

  CHARRANGE selection{};
  SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  LRESULT events = SendMessageW(editor, EM_SETEVENTMASK, 0, 0);
  // Every run is found by moving the selection; drawn each time, a long
  // document took minutes to read.
  SendMessageW(editor, WM_SETREDRAW, FALSE, 0);

  // The paragraphs' bounds first; then blocks of them that share one
  // format and alignment are read with two questions to the control, the
  // others paragraph by paragraph and run by run (every question moves the
  // selection, which costs the control time that grows with the text).
  std::vector<std::pair<LONG, LONG>> bounds;
  LONG begin = from;
  for (LONG at = from; at <= to; ++at) {
    wchar_t c = at < to ? text[static_cast<std::size_t>(at)] : L'\0';
    if (at < to && c != L'\r' && c != L'\n') continue;
    bounds.emplace_back(begin, at);
    if (c == L'\r' && at + 1 < to && text[static_cast<std::size_t>(at) + 1] == L'\n') ++at;
    begin = at + 1;
  }
  RunReader reader(editor, text);
  std::vector<RichParagraph> paragraphs;
  for (std::size_t first = 0; first < bounds.size() && goOn();) {
    std::size_t last = std::min(bounds.size(), first + kParagraphBlock);
    LONG blockStart = bounds[first].first, blockEnd = bounds[last - 1].second;
    CHARFORMATW format{};
    WORD alignment = PFA_LEFT;
    bool uniform = last - first > 1 && blockStart < blockEnd && reader.Uniform(blockStart, blockEnd, format) &&
                   reader.UniformAlignment(blockStart, blockEnd, alignment);
    for (std::size_t index = first; index < last && goOn(); ++index) {
      const auto& paragraph = bounds[index];
      paragraphs.push_back(uniform ? reader.Plain(paragraph.first, paragraph.second, format, alignment)
                                   : reader.Paragraph(paragraph.first, paragraph.second));
    }
    first = last;
  }

  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(editor, nullptr, TRUE);
  SendMessageW(editor, EM_SETEVENTMASK, 0, events);
  return paragraphs;
}
