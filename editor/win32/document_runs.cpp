#include "editor/win32/document_runs.h"

#include "chardb/utf16.h"

namespace {

// The parts of a character format that change how text is printed.
constexpr DWORD kPrintedFormat = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_FACE | CFM_SIZE;

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

  RunReader reader(editor, text);
  std::vector<RichParagraph> paragraphs;
  LONG begin = from;
  for (LONG at = from; at <= to; ++at) {
    wchar_t c = at < to ? text[static_cast<std::size_t>(at)] : L'\0';
    if (at < to && c != L'\r' && c != L'\n') continue;
    if (!goOn()) break;
    paragraphs.push_back(reader.Paragraph(begin, at));
    if (c == L'\r' && at + 1 < to && text[static_cast<std::size_t>(at) + 1] == L'\n') ++at;
    begin = at + 1;
  }

  SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageW(editor, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(editor, nullptr, TRUE);
  SendMessageW(editor, EM_SETEVENTMASK, 0, events);
  return paragraphs;
}
