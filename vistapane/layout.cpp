// The walk over the document tree and the flow of blocks: margins,
// indents, list markers and rules. Text goes to the line filler, tables to
// the table layout.
#include "vistapane/layout.h"

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

LayoutBuilder::LayoutBuilder(const Document& doc, TextMeasurer& measurer, const LayoutOptions& options,
                             Layout& out)
    : doc_(doc), measurer_(measurer), options_(options), out_(out),
      memo_(doc.nodes.size(), Intrinsic{-1, -1}) {}

void LayoutBuilder::Run() {
  // The laid-out text holds each character of the page once, with a
  // separator between blocks: taken in one piece, a long page is not
  // copied over and over as it grows.
  size_t characters = doc_.nodes.size();
  for (const Node& node : doc_.nodes) characters += node.text.size();
  out_.text.reserve(characters);
  out_.advances.reserve(characters);
  for (const Node& node : doc_.nodes) {
    if (node.tag != "style") continue;
    for (size_t child : node.children) {
      std::vector<StyleRule> rules = ParseStyleSheet(doc_.nodes[child].text);
      rules_.insert(rules_.end(), rules.begin(), rules.end());
    }
  }
  Style style;
  style.pixels = FontSizePixels(3, options_.scalePercent);
  Flow flow;
  const int margin = Px(kBodyMargin);
  flow.left = margin;
  flow.width = std::max(1, options_.width - 2 * margin);
  flow.top = flow.y = margin;
  flow.strutFont = FontOf(style);
  maxRight_ = 0;
  Walk(0, style, flow);
  Flush(flow);
  out_.height = flow.y + flow.pendingMargin + margin;
  out_.width = std::max(options_.width, maxRight_ + margin);
  IndexLines(out_);
}

int LayoutBuilder::Px(int pixels) const {
  return (pixels * std::clamp(options_.pixelsPerInch, 1, 9600) + 48) / 96;
}

void LayoutBuilder::Walk(size_t index, const Style& inherited, Flow& flow) {
  const Node& node = doc_.nodes[index];
  if (node.tag.empty()) {
    AddText(node.text, inherited, flow);
    return;
  }
  Display display = DisplayOf(node.tag);
  if (display == Display::kNone) return;
  Style style = inherited;
  ApplyElement(node, style, false);
  switch (display) {
    case Display::kBreak: ForcedBreak(style, flow); return;
    case Display::kRule: AddRule(flow); return;
    case Display::kTable: LayoutTable(index, style, flow); return;
    case Display::kInline:
      for (size_t child : node.children) Walk(child, style, flow);
      return;
    default: break;
  }
  WalkBlock(node, display, style, flow);
}

void LayoutBuilder::WalkBlock(const Node& node, Display display, const Style& style, Flow& flow) {
  Flush(flow);
  bool topList = display == Display::kList && listDepth_ == 0;
  BlockBox box = BoxOf(node.tag);
  int margin = topList ? style.pixels : style.pixels * box.marginSixths / 6;
  AddMargin(flow, margin);
  int savedLeft = flow.left, savedWidth = flow.width, savedAlign = flow.align;
  Insets insets = InsetsOf(node, display);
  int indent = Px(insets.left);
  flow.left += indent;
  flow.width = std::max(1, flow.width - indent - Px(insets.right));
  flow.align = style.align;
  flow.strutFont = FontOf(style);
  if (SkipsFirstNewline(node.tag)) flow.text.skipNewline = true;
  if (display == Display::kList) {
    ++listDepth_;
    counters_.push_back(node.tag == "ol" ? IntAttribute(node, "start", 1, -100000, 100000) : 0);
    ordered_.push_back(node.tag == "ol");
  }
  if (display == Display::kListItem) StartMarker(style, flow);
  for (size_t child : node.children) Walk(child, style, flow);
  Flush(flow, display == Display::kListItem);
  if (display == Display::kList) {
    --listDepth_;
    counters_.pop_back();
    ordered_.pop_back();
  }
  flow.text.skipNewline = false;
  flow.left = savedLeft;
  flow.width = savedWidth;
  flow.align = savedAlign;
  AddMargin(flow, margin);
}

void LayoutBuilder::StartMarker(const Style& style, Flow& flow) {
  std::u32string marker;
  if (!ordered_.empty() && ordered_.back()) {
    int n = counters_.back()++;
    std::string digits = std::to_string(n) + ".";
    marker.assign(digits.begin(), digits.end());
  } else {
    marker = U"\u2022";
  }
  Style markerStyle = style;
  markerStyle.link = -1;
  markerStyle.underline = false;
  flow.markerStyle = StyleOf(markerStyle);
  int font = out_.styles[static_cast<size_t>(flow.markerStyle)].font;
  flow.markerBegin = out_.text.size();
  for (char32_t c : marker) PushText(c, Advance(font, c));
  PushText(' ', 0);
  flow.markerEnd = out_.text.size() - 1;
}

void LayoutBuilder::PushText(char32_t c, int advance) {
  out_.text.push_back(c);
  out_.advances.push_back(advance);
}

void LayoutBuilder::Separator(char32_t c) {
  if (!out_.text.empty() && out_.text.back() != '\n' && out_.text.back() != c) PushText(c, 0);
}

void LayoutBuilder::AddRule(Flow& flow) {
  Flush(flow);
  AddMargin(flow, 8);
  TakeMargin(flow);
  Box box;
  box.x = flow.left;
  box.y = flow.y;
  box.width = flow.width;
  box.height = 2;
  box.color = kRuleColor;
  out_.boxes.push_back(box);
  flow.y += 2;
  flow.placedLine = true;
  AddMargin(flow, 8);
}

}  // namespace layout_engine

Layout LayoutDocument(const Document& doc, TextMeasurer& measurer, const LayoutOptions& options) {
  Layout layout;
  if (doc.nodes.empty()) return layout;
  layout_engine::LayoutBuilder(doc, measurer, options, layout).Run();
  return layout;
}

}  // namespace vistapane
