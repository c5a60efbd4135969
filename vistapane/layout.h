// Layout of a document tree into lines of text fragments and boxes, in
// pixels, against a text measurer that the caller supplies (GDI fonts on
// Windows, a fixed-width measurer in the tests). The layout holds every
// shown character once, in reading order, so that selection and copying
// work on offsets into one text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vistapane/document.h"

namespace vistapane {

// A font as the page asks for it: the face the page names ("" for the
// pane's default face, "monospace" for PRE), the height in pixels, weight
// and slant. The measurer and the painter pick the actual face per
// character.
struct FontKey {
  std::u32string face;
  int pixels = 16;
  bool bold = false;
  bool italic = false;

  bool operator<(const FontKey& other) const;
  bool operator==(const FontKey& other) const;
};

struct FontMetrics {
  int ascent = 0;
  int descent = 0;
};

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // Advance width of one code point in `font`, in pixels.
  virtual int Advance(const FontKey& font, char32_t cp) = 0;
  virtual FontMetrics Metrics(const FontKey& font) = 0;
};

// How a run of text is drawn.
struct RunStyle {
  int font = 0;              // index into Layout::fonts
  uint32_t color = 0;        // 0xRRGGBB
  bool underline = false;
  int link = -1;             // index into Layout::links, -1 when not a link

  bool operator<(const RunStyle& other) const;
};

// Characters text[begin, end) drawn from x on one line, in one style.
struct Fragment {
  int x = 0;
  int width = 0;
  size_t line = 0;
  size_t begin = 0;
  size_t end = 0;
  int style = 0;  // index into Layout::styles
};

struct Line {
  int top = 0;
  int height = 0;
  int baseline = 0;  // from the top of the line
  size_t firstFragment = 0;
  size_t endFragment = 0;
};

// A rule or a table border: filled, or only its frame drawn.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  uint32_t color = 0;
  bool frame = false;
};

struct Layout {
  std::u32string text;        // every shown character; '\n' and '\t' between blocks and cells
  std::vector<int> advances;  // per character of `text`; 0 for the separators
  std::vector<FontKey> fonts;
  std::vector<RunStyle> styles;
  std::vector<std::u32string> links;  // link targets as written in HREF
  std::vector<Fragment> fragments;
  std::vector<Line> lines;
  std::vector<Box> boxes;
  int width = 0;   // at least the width asked for; wider when content is
  int height = 0;
  // Lines in order of their tops, and the largest bottom among the first
  // n of them: the visible lines are found by two binary searches.
  std::vector<size_t> linesByTop;
  std::vector<int> bottomsByTop;
};

struct LayoutOptions {
  int width = 640;            // the pane's client width
  int scalePercent = 100;     // the text size level, display scale included
  int pixelsPerInch = 96;     // the display's: margins, indents and table gaps
};

Layout LayoutDocument(const Document& doc, TextMeasurer& measurer, const LayoutOptions& options);

// Lines that reach into the band [top, bottom), in order of their tops.
void VisibleLines(const Layout& layout, int top, int bottom, std::vector<size_t>& lines);

// The link under a point, or -1.
int LinkAt(const Layout& layout, int x, int y);

// The text offset nearest to a point, for selecting: the offset before the
// character whose middle lies right of x, on the line at y (or the nearest
// line above or below).
size_t OffsetAt(const Layout& layout, int x, int y);

// The top of the line that shows the character at `offset`, or of the next
// shown character; the layout's height past the last.
int TopOfOffset(const Layout& layout, size_t offset);

// The x position of an offset on its line (the start of its fragment plus
// the advances before it); -1 when no fragment shows it.
int XOfOffset(const Layout& layout, const Fragment& fragment, size_t offset);

// The first character shown on a line that reaches y or below; for keeping
// one's place when the text is laid out again.
size_t OffsetAtTop(const Layout& layout, int y);

}  // namespace vistapane
