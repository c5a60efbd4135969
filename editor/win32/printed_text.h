// The document's paragraphs laid out on printer pages and drawn with GDI
// and Uniscribe: the printing path for rich edit controls that cannot
// format pages. Every run keeps its face, size, weight, slant, underline
// and strike-out, every paragraph its alignment; a character that the
// run's face lacks is drawn by the first fallback face that has it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "editor/print_planning.h"
#include "editor/win32/document_runs.h"

// A stretch of one line in one font, at `x` from the line's start.
struct PrintedPiece {
  std::wstring text;
  HFONT font;
  int x;
  int ascent;
};

struct PrintedLine {
  std::vector<PrintedPiece> pieces;
  int x = 0;  // from the print area's left edge: the alignment
  int ascent = 0;
  int height = 0;
};

struct PrintedPage {
  std::vector<PrintedLine> lines;
};

class PrintedText {
 public:
  PrintedText(HDC printer, const TwipsRect& area);
  ~PrintedText();
  PrintedText(const PrintedText&) = delete;
  PrintedText& operator=(const PrintedText&) = delete;

  // Always at least one page, blank for no text. `goOn` is asked before
  // each paragraph; when it answers false the pages so far are returned.
  std::vector<PrintedPage> Paginate(const std::vector<RichParagraph>& paragraphs, const std::function<bool()>& goOn);
  void Draw(const PrintedPage& page) const;

 private:
  struct Face {
    HFONT font;
    int ascent, descent;
  };
  // The run's own face first, then the fallback faces, for one format.
  const std::vector<Face>& Faces(const CHARFORMATW& format);
  // Which of the faces draws the code point at `text` (`units` long).
  std::size_t FaceFor(const std::vector<Face>& faces, const wchar_t* text, int units);
  bool Draws(const Face& face, const wchar_t* text, int units);
  std::vector<PrintedLine> LayOut(const RichParagraph& paragraph);

  HDC dc_;
  HGDIOBJ previousFont_;
  RECT area_;  // device units, relative to the printable area
  std::map<std::wstring, std::vector<Face>> faces_;
  std::unordered_map<std::uint64_t, bool> draws_;  // per font and code point
};
