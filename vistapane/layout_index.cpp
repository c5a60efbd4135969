// The line index: lines in order of their tops (table cells are placed
// row by row, so their lines do not come in that order) and the largest
// bottom among the first n of them, for finding the visible lines by two
// binary searches.
#include <algorithm>

#include "vistapane/layout.h"
#include "vistapane/layout_builder.h"

namespace vistapane {
namespace layout_engine {

void IndexLines(Layout& layout) {
  size_t n = layout.lines.size();
  layout.linesByTop.resize(n);
  for (size_t i = 0; i < n; ++i) layout.linesByTop[i] = i;
  std::stable_sort(layout.linesByTop.begin(), layout.linesByTop.end(),
                   [&](size_t a, size_t b) { return layout.lines[a].top < layout.lines[b].top; });
  layout.bottomsByTop.resize(n);
  int bottom = 0;
  for (size_t i = 0; i < n; ++i) {
    const Line& line = layout.lines[layout.linesByTop[i]];
    bottom = std::max(bottom, line.top + line.height);
    layout.bottomsByTop[i] = bottom;
  }
}

}  // namespace layout_engine

void VisibleLines(const Layout& layout, int top, int bottom, std::vector<size_t>& lines) {
  lines.clear();
  // The first line whose bottom (or an earlier line's) passes `top`.
  auto first = std::upper_bound(layout.bottomsByTop.begin(), layout.bottomsByTop.end(), top);
  size_t begin = static_cast<size_t>(first - layout.bottomsByTop.begin());
  for (size_t i = begin; i < layout.linesByTop.size(); ++i) {
    const Line& line = layout.lines[layout.linesByTop[i]];
    if (line.top >= bottom) break;
    if (line.top + line.height > top) lines.push_back(layout.linesByTop[i]);
  }
}

}  // namespace vistapane
