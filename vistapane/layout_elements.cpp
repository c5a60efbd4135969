// What an element does: how it is displayed, its margins and indents, the
// style it passes to its content; the fonts and run styles a layout uses,
// the advances of characters in them, and the page's lengths on this
// display.
#include <algorithm>
#include <tuple>

#include "vistapane/layout_builder.h"
#include "vistapane/layout_style.h"

namespace vistapane {

bool FontKey::operator<(const FontKey& o) const {
  return std::tie(face, pixels, bold, italic) < std::tie(o.face, o.pixels, o.bold, o.italic);
}
bool FontKey::operator==(const FontKey& o) const {
  return face == o.face && pixels == o.pixels && bold == o.bold && italic == o.italic;
}
bool RunStyle::operator<(const RunStyle& o) const {
  return std::tie(font, color, underline, link) < std::tie(o.font, o.color, o.underline, o.link);
}

namespace layout_engine {
namespace {

const char32_t kMonospace[] = U"monospace";

// Heading sizes in per cent of the normal text.
int HeadingPercent(const std::string& tag) {
  static const int kPercent[6] = {200, 150, 117, 100, 83, 67};
  if (tag.size() == 2 && tag[0] == 'h' && tag[1] >= '1' && tag[1] <= '6') return kPercent[tag[1] - '1'];
  return 0;
}

int AlignOf(const Node& node, int inherited) {
  const std::u32string* value = node.Attribute("align");
  if (!value) return inherited;
  std::u32string v;
  for (char32_t c : *value) v.push_back(c >= 'A' && c <= 'Z' ? c + 32 : c);
  if (v == U"center" || v == U"middle") return 1;
  if (v == U"right") return 2;
  if (v == U"left") return 0;
  return inherited;
}

}  // namespace

bool Is(const std::string& tag, std::initializer_list<std::string_view> tags) {
  for (std::string_view t : tags)
    if (tag == t) return true;
  return false;
}

Display DisplayOf(const std::string& tag) {
  if (tag.empty()) return Display::kInline;
  if (Is(tag, {"head", "title", "style", "script", "meta", "link", "base", "col", "colgroup"}))
    return Display::kNone;
  if (tag == "br") return Display::kBreak;
  if (tag == "hr") return Display::kRule;
  if (tag == "ul" || tag == "ol" || tag == "dir" || tag == "menu") return Display::kList;
  if (tag == "li") return Display::kListItem;
  if (tag == "table") return Display::kTable;
  if (Is(tag, {"p", "div", "h1", "h2", "h3", "h4", "h5", "h6", "pre", "blockquote", "center",
               "dl", "dt", "dd", "address", "form", "tr", "td", "th", "caption", "tbody", "thead",
               "tfoot", "body", "html", "#root", "listing", "xmp", "plaintext"}))
    return Display::kBlock;
  return Display::kInline;
}

BlockBox BoxOf(const std::string& tag) {
  if (tag == "p" || tag == "pre" || tag == "dl" || tag == "listing" || tag == "xmp") return {6, 0};
  if (tag == "blockquote") return {6, kListIndent};
  if (tag == "dd") return {0, kListIndent};
  if (tag == "h1") return {4, 0};
  if (tag == "h2") return {5, 0};
  if (tag == "h3") return {6, 0};
  if (tag == "h4") return {8, 0};
  if (tag == "h5") return {10, 0};
  if (tag == "h6") return {14, 0};
  return {0, 0};
}

bool SkipsFirstNewline(const std::string& tag) { return Is(tag, {"pre", "listing", "xmp"}); }

Insets InsetsOf(const Node& node, Display display) {
  Insets insets;
  insets.left = display == Display::kList ? kListIndent : BoxOf(node.tag).indent;
  if (node.tag == "blockquote") insets.right = kListIndent;
  return insets;
}

int IntAttribute(const Node& node, const char* name, int fallback, int low, int high) {
  const std::u32string* value = node.Attribute(name);
  if (!value) return fallback;
  size_t i = 0;
  while (i < value->size() && IsCollapsibleSpace((*value)[i])) ++i;
  if (i >= value->size() || (*value)[i] < '0' || (*value)[i] > '9') return fallback;
  long number = 0;
  while (i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9' && number < 100000)
    number = number * 10 + static_cast<long>((*value)[i++] - '0');
  return static_cast<int>(std::clamp<long>(number, low, high));
}

int LayoutBuilder::Px(int pixels) const {
  return (pixels * std::clamp(options_.pixelsPerInch, 1, 9600) + 48) / 96;
}

void LayoutBuilder::ApplyElement(const Node& node, Style& s, bool measuring) {
  const std::string& tag = node.tag;
  if (!rules_.empty()) {
    const std::u32string* classes = node.Attribute("class");
    for (const StyleRule& rule : rules_) {
      if (!RuleMatches(rule, tag, classes)) continue;
      if (!rule.face.empty()) s.face = rule.face;
      if (rule.hasColor) s.color = rule.color;
    }
  }
  if (Is(tag, {"b", "strong", "th"})) s.bold = true;
  if (Is(tag, {"i", "em", "cite", "var", "dfn", "address"})) s.italic = true;
  if (Is(tag, {"u", "ins"})) s.underline = true;
  if (Is(tag, {"tt", "code", "kbd", "samp"})) s.face = kMonospace;
  if (tag == "big" || tag == "small") {
    s.htmlSize = std::clamp(s.htmlSize + (tag == "big" ? 1 : -1), 1, 7);
    s.pixels = FontSizePixels(s.htmlSize, options_.scalePercent);
  }
  if (tag == "font") {
    if (const std::u32string* size = node.Attribute("size")) {
      s.htmlSize = ParseFontSize(*size, s.htmlSize);
      s.pixels = FontSizePixels(s.htmlSize, options_.scalePercent);
    }
    if (const std::u32string* face = node.Attribute("face")) {
      std::u32string first = FirstFace(*face);
      if (!first.empty()) s.face = first;
    }
    if (const std::u32string* color = node.Attribute("color")) ParseColor(*color, s.color);
  }
  if (tag == "a") {
    if (const std::u32string* href = node.Attribute("href")) {
      if (measuring) {
        s.link = 0;
      } else {
        out_.links.push_back(*href);
        s.link = static_cast<int>(out_.links.size() - 1);
      }
      s.color = kLinkColor;
      s.underline = true;
    }
  }
  if (int percent = HeadingPercent(tag)) {
    s.pixels = std::max(1, FontSizePixels(3, options_.scalePercent) * percent / 100);
    s.bold = true;
  }
  if (Is(tag, {"pre", "listing", "xmp", "plaintext"})) {
    s.pre = true;
    s.face = kMonospace;
  }
  if (tag == "center" || tag == "th") s.align = 1;
  if (Is(tag, {"p", "div", "td", "th", "h1", "h2", "h3", "h4", "h5", "h6", "tr"}))
    s.align = AlignOf(node, s.align);
  if (Is(tag, {"td", "th", "table"})) s.align = tag == "th" ? AlignOf(node, 1) : AlignOf(node, 0);
}

int LayoutBuilder::FontOf(const Style& s) {
  FontKey key;
  key.face = s.face;
  key.pixels = s.pixels;
  key.bold = s.bold;
  key.italic = s.italic;
  auto found = fontIndex_.find(key);
  if (found != fontIndex_.end()) return found->second;
  int index = static_cast<int>(out_.fonts.size());
  out_.fonts.push_back(key);
  fontIndex_.emplace(key, index);
  ascii_.emplace_back(128, -1);
  FontMetrics m = measurer_.Metrics(key);
  metrics_.push_back(FontMetrics{std::max(0, m.ascent), std::max(0, m.descent)});
  return index;
}

int LayoutBuilder::StyleOf(const Style& s) {
  RunStyle run;
  run.font = FontOf(s);
  run.color = s.color;
  run.underline = s.underline;
  run.link = s.link;
  auto found = styleIndex_.find(run);
  if (found != styleIndex_.end()) return found->second;
  int index = static_cast<int>(out_.styles.size());
  out_.styles.push_back(run);
  styleIndex_.emplace(run, index);
  return index;
}

// A no-break space is as wide as a blank.
int LayoutBuilder::Advance(int font, char32_t cp) {
  if (cp == 0xA0) cp = ' ';
  if (cp < 128) {
    int& cached = ascii_[static_cast<size_t>(font)][cp];
    if (cached < 0) cached = std::max(0, measurer_.Advance(out_.fonts[static_cast<size_t>(font)], cp));
    return cached;
  }
  return std::max(0, measurer_.Advance(out_.fonts[static_cast<size_t>(font)], cp));
}

}  // namespace layout_engine
}  // namespace vistapane
