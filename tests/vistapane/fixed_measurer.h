// A text measurer for tests: every ASCII character is half the font height
// wide, every other character as wide as the font is high; lines are the
// font height, three quarters above the baseline.
#pragma once

#include "vistapane/layout.h"

namespace vistapane_test {

class FixedMeasurer : public vistapane::TextMeasurer {
 public:
  int Advance(const vistapane::FontKey& font, char32_t cp) override {
    ++calls;
    return cp < 0x80 ? font.pixels / 2 : font.pixels;
  }
  vistapane::FontMetrics Metrics(const vistapane::FontKey& font) override {
    return {font.pixels - font.pixels / 4, font.pixels / 4};
  }
  long calls = 0;
};

}  // namespace vistapane_test
