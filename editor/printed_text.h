// The document's plain text laid out on printer pages and drawn with GDI:
// the printing path for rich edit controls that cannot format pages.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "editor/print_planning.h"

struct PrintedPage {
  std::vector<std::wstring> lines;
};

class PrintedText {
 public:
  // Uses the face, size and weight of the character format on the printer.
  PrintedText(HDC printer, const CHARFORMATW& format, const TwipsRect& area);
  ~PrintedText();
  PrintedText(const PrintedText&) = delete;
  PrintedText& operator=(const PrintedText&) = delete;

  std::vector<PrintedPage> Paginate(const std::wstring& text) const;
  void Draw(const PrintedPage& page) const;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previousFont_;
  RECT area_;  // device units, relative to the printable area
  int lineHeight_;
};
