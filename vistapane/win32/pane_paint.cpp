#include "vistapane/win32/pane_paint.h"

#include <algorithm>
#include <vector>

namespace vistapane {
namespace {

constexpr COLORREF kMarkColour = RGB(255, 238, 80);

COLORREF Colour(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void Fill(HDC dc, int x, int y, int width, int height, COLORREF colour) {
  RECT r{x, y, x + width, y + height};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Draws text[begin, end) of a fragment from x at the baseline, in runs of
// one face each.
void DrawRun(HDC dc, const Layout& layout, GdiFonts& fonts, const FontKey& font, size_t begin, size_t end,
             int x, int baseline, COLORREF colour) {
  SetTextColor(dc, colour);
  std::vector<WORD> glyphs;
  std::vector<INT> advances;
  int face = -1;
  int runX = x;
  auto flush = [&]() {
    if (glyphs.empty() || face < 0) return;
    SelectObject(dc, fonts.FontOfFace(face));
    ExtTextOutW(dc, runX, baseline, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<LPCWSTR>(glyphs.data()),
                static_cast<UINT>(glyphs.size()), advances.data());
    for (INT a : advances) runX += a;
    glyphs.clear();
    advances.clear();
  };
  for (size_t i = begin; i < end; ++i) {
    char32_t cp = layout.text[i];
    if (cp == 0xA0 || cp == '\t') cp = ' ';
    const ResolvedGlyph& g = fonts.Resolve(font, cp);
    if (g.missing) {
      // A character no installed face has: an outlined box in its own cell.
      flush();
      int advance = layout.advances[i];
      int inset = std::max(1, advance / 8);
      RECT box{runX + inset, baseline - font.pixels * 4 / 5, runX + advance - inset, baseline};
      HBRUSH brush = CreateSolidBrush(colour);
      FrameRect(dc, &box, brush);
      DeleteObject(brush);
      runX += advance;
      continue;
    }
    if (g.face != face) {
      flush();
      face = g.face;
    }
    glyphs.push_back(g.glyph);
    advances.push_back(layout.advances[i]);
  }
  flush();
}

void PaintFragment(HDC dc, const Layout& layout, GdiFonts& fonts, const PaintView& view, const Fragment& f) {
  const Line& line = layout.lines[f.line];
  const RunStyle& style = layout.styles[static_cast<size_t>(f.style)];
  const FontKey& font = layout.fonts[static_cast<size_t>(style.font)];
  int x = f.x - view.scrollX;
  int top = line.top - view.scrollY;
  int baseline = top + line.baseline;
  COLORREF colour = Colour(style.color);
  if (view.marks) {
    // Found text behind the characters, in the colour of a marker pen.
    auto mark = std::lower_bound(view.marks->begin(), view.marks->end(), f.begin,
                                 [](const TextRange& m, size_t offset) { return m.end <= offset; });
    for (; mark != view.marks->end() && mark->begin < f.end; ++mark) {
      int left = XOfOffset(layout, f, std::max(mark->begin, f.begin)) - view.scrollX;
      int right = XOfOffset(layout, f, std::min(mark->end, f.end)) - view.scrollX;
      Fill(dc, left, top, right - left, line.height, kMarkColour);
    }
  }
  // The fragment in up to three parts: before, inside and after the selection.
  size_t cuts[4] = {f.begin, std::clamp(view.selectionBegin, f.begin, f.end),
                    std::clamp(view.selectionEnd, f.begin, f.end), f.end};
  for (int part = 0; part < 3; ++part) {
    size_t begin = cuts[part], end = cuts[part + 1];
    if (begin >= end) continue;
    int partX = XOfOffset(layout, f, begin) - view.scrollX;
    int partWidth = XOfOffset(layout, f, end) - view.scrollX - partX;
    bool selected = part == 1;
    if (selected) Fill(dc, partX, top, partWidth, line.height, GetSysColor(COLOR_HIGHLIGHT));
    DrawRun(dc, layout, fonts, font, begin, end, partX, baseline,
            selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : colour);
  }
  if (style.underline) {
    int thickness = std::max(1, font.pixels / 16);
    Fill(dc, x, baseline + 1 + thickness / 2, f.width, thickness, colour);
  }
}

}  // namespace

void PaintLayout(HDC dc, const Layout& layout, GdiFonts& fonts, const PaintView& view, const RECT& band) {
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
  int top = band.top + view.scrollY, bottom = band.bottom + view.scrollY;
  for (const Box& box : layout.boxes) {
    if (box.y >= bottom || box.y + box.height <= top) continue;
    RECT r{box.x - view.scrollX, box.y - view.scrollY, box.x + box.width - view.scrollX,
           box.y + box.height - view.scrollY};
    HBRUSH brush = CreateSolidBrush(Colour(box.color));
    if (box.frame) FrameRect(dc, &r, brush);
    else FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  std::vector<size_t> lines;
  VisibleLines(layout, top, bottom, lines);
  for (size_t index : lines) {
    const Line& line = layout.lines[index];
    for (size_t f = line.firstFragment; f < line.endFragment; ++f) {
      const Fragment& fragment = layout.fragments[f];
      if (fragment.x - view.scrollX >= band.right || fragment.x + fragment.width - view.scrollX <= band.left)
        continue;
      PaintFragment(dc, layout, fonts, view, fragment);
    }
  }
  SelectObject(dc, oldFont);
}

}  // namespace vistapane
