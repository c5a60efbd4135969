// What a text size level of the pane means: the page's normal text is 12
// points at level 2, the levels are 75, 90, 100, 125 and 150 per cent of
// that, and points become pixels at the display's pixels per inch, so a page
// grows with the display scale as the rest of the program does.
#pragma once

#include <algorithm>

namespace vistapane {

// The scale, in per cent of the sizes at 96 pixels per inch, that layout
// applies for a text size level on a display of `pixelsPerInch`.
inline int TextScalePercent(int level, int pixelsPerInch) {
  static const int kLevelPercent[5] = {75, 90, 100, 125, 150};
  int percent = kLevelPercent[std::clamp(level, 0, 4)];
  return std::max(1, (percent * std::max(1, pixelsPerInch) + 48) / 96);
}

}  // namespace vistapane
