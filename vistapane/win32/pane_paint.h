// Painting a layout with GDI: only the lines that reach into the band
// being painted, each character by glyph index in the face that has it.
#pragma once

#include <windows.h>

#include <vector>

#include "vistapane/find_in_page.h"
#include "vistapane/layout.h"
#include "vistapane/win32/gdi_fonts.h"

namespace vistapane {

struct PaintView {
  int scrollX = 0;
  int scrollY = 0;
  size_t selectionBegin = 0;  // text offsets, begin <= end
  size_t selectionEnd = 0;
  const std::vector<TextRange>* marks = nullptr;  // found text, in order
};

// Paints the part of the layout that falls into `band` (client
// coordinates) onto a DC already filled with the background.
void PaintLayout(HDC dc, const Layout& layout, GdiFonts& fonts, const PaintView& view, const RECT& band);

}  // namespace vistapane
