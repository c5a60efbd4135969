// Questions asked of a finished layout: what is visible, what lies under
// the mouse, where an offset is shown.
#include <algorithm>

#include "vistapane/layout.h"

namespace vistapane {
namespace {

const Line* LineAt(const Layout& layout, int y, bool nearest) {
  const Line* best = nullptr;
  int bestDistance = 0;
  std::vector<size_t> lines;
  VisibleLines(layout, y, y + 1, lines);
  for (size_t index : lines) {
    const Line& line = layout.lines[index];
    if (line.firstFragment == line.endFragment) continue;
    return &line;
  }
  if (!nearest) return nullptr;
  for (const Line& line : layout.lines) {
    if (line.firstFragment == line.endFragment) continue;
    int distance = y < line.top ? line.top - y : y - (line.top + line.height - 1);
    if (!best || distance < bestDistance) {
      best = &line;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

int LinkAt(const Layout& layout, int x, int y) {
  std::vector<size_t> lines;
  VisibleLines(layout, y, y + 1, lines);
  for (size_t index : lines) {
    const Line& line = layout.lines[index];
    for (size_t f = line.firstFragment; f < line.endFragment; ++f) {
      const Fragment& fragment = layout.fragments[f];
      if (x >= fragment.x && x < fragment.x + fragment.width)
        return layout.styles[static_cast<size_t>(fragment.style)].link;
    }
  }
  return -1;
}

size_t OffsetAt(const Layout& layout, int x, int y) {
  const Line* line = LineAt(layout, y, true);
  if (!line) return 0;
  if (y < line->top) x = -1;  // above the nearest line: its start
  if (y >= line->top + line->height) x = layout.width + 1;  // below it: its end
  // A line's fragments left to right (a list marker is placed first).
  std::vector<const Fragment*> fragments;
  for (size_t f = line->firstFragment; f < line->endFragment; ++f) fragments.push_back(&layout.fragments[f]);
  std::stable_sort(fragments.begin(), fragments.end(),
                   [](const Fragment* a, const Fragment* b) { return a->x < b->x; });
  if (x < fragments.front()->x) return fragments.front()->begin;
  for (const Fragment* fragment : fragments) {
    if (x >= fragment->x + fragment->width) continue;
    int left = fragment->x;
    for (size_t i = fragment->begin; i < fragment->end; ++i) {
      int advance = layout.advances[i];
      if (x < left + advance / 2) return i;
      left += advance;
    }
    return fragment->end;
  }
  return fragments.back()->end;
}

int TopOfOffset(const Layout& layout, size_t offset) {
  for (const Fragment& fragment : layout.fragments)
    if (fragment.end > offset) return layout.lines[fragment.line].top;
  return layout.height;
}

int XOfOffset(const Layout& layout, const Fragment& fragment, size_t offset) {
  if (offset < fragment.begin || offset > fragment.end) return -1;
  int x = fragment.x;
  for (size_t i = fragment.begin; i < offset; ++i) x += layout.advances[i];
  return x;
}

size_t OffsetAtTop(const Layout& layout, int y) {
  std::vector<size_t> lines;
  VisibleLines(layout, y, layout.height + 1, lines);
  for (size_t index : lines) {
    const Line& line = layout.lines[index];
    if (line.top < y || line.firstFragment == line.endFragment) continue;
    return layout.fragments[line.firstFragment].begin;
  }
  return layout.text.size();
}

}  // namespace vistapane
