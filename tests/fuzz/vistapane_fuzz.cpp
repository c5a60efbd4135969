// The browser pane's portable stages over arbitrary bytes: decoding, tokens,
// the document tree and layout at a width taken from the first byte, then
// the questions painting and the mouse ask. Every fragment must lie inside
// the text and every line's fragments inside the fragment list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "vistapane/decode.h"
#include "vistapane/document.h"
#include "vistapane/layout.h"

namespace {

class Measurer : public vistapane::TextMeasurer {
 public:
  int Advance(const vistapane::FontKey& font, char32_t cp) override {
    return cp < 0x80 ? font.pixels / 2 : font.pixels;
  }
  vistapane::FontMetrics Metrics(const vistapane::FontKey& font) override {
    return {font.pixels - font.pixels / 4, font.pixels / 4};
  }
};

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  int width = data[0] * 4;
  int scale = 75 + (data[0] % 5) * 20;
  std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  std::u32string page = vistapane::DecodePage(bytes, nullptr);
  vistapane::Document doc = vistapane::ParseHtml(page);
  Measurer measurer;
  vistapane::LayoutOptions options;
  options.width = width;
  options.scalePercent = scale;
  vistapane::Layout layout = vistapane::LayoutDocument(doc, measurer, options);

  Require(layout.text.size() == layout.advances.size());
  for (const vistapane::Fragment& f : layout.fragments) {
    Require(f.begin <= f.end && f.end <= layout.text.size());
    Require(f.line < layout.lines.size());
    Require(static_cast<size_t>(f.style) < layout.styles.size());
  }
  for (const vistapane::Line& line : layout.lines)
    Require(line.firstFragment <= line.endFragment && line.endFragment <= layout.fragments.size());
  for (const vistapane::RunStyle& s : layout.styles) {
    Require(static_cast<size_t>(s.font) < layout.fonts.size());
    Require(s.link < static_cast<int>(layout.links.size()));
  }
  std::vector<size_t> visible;
  for (int y = -10; y < layout.height + 10; y += 1 + layout.height / 16) {
    vistapane::VisibleLines(layout, y, y + 200, visible);
    for (size_t line : visible) Require(line < layout.lines.size());
    size_t offset = vistapane::OffsetAt(layout, y % 300, y);
    Require(offset <= layout.text.size());
    vistapane::LinkAt(layout, y % 300, y);
    vistapane::OffsetAtTop(layout, y);
    vistapane::TopOfOffset(layout, offset);
  }
  return 0;
}
