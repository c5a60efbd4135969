// The walk over the document tree and the flow of blocks: margins,
// indents, list markers, rules, and tables, whose cells are laid out as
// columns of blocks of their own. Text goes to the line filler.
#include "vistapane/layout.h"

#include <algorithm>

#include "vistapane/layout_builder.h"
#include "vistapane/layout_style.h"

namespace vistapane {
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

void LayoutBuilder::LayoutTable(size_t index, const Style& style, Flow& flow) {
  Flush(flow);
  TableGrid grid = Gather(index);
  for (size_t child : grid.stray) Walk(child, style, flow);
  Flush(flow);
  if (grid.rows.empty()) return;
  std::vector<int> widths;
  Columns(grid, style, flow.width, widths, nullptr);
  TakeMargin(flow);
  int top = flow.y;
  int rowY = top + grid.border + grid.spacing;
  int cellBorder = grid.border ? 1 : 0;
  int tableRight = flow.left;
  for (const auto& row : grid.rows) {
    int x = flow.left + grid.border + grid.spacing;
    size_t column = 0;
    int rowHeight = 0;
    struct Placed { size_t firstLine, endLine; int x, width, height; };
    std::vector<Placed> placed;
    for (size_t cell : row) {
      if (column >= widths.size()) break;
      size_t span = std::min(Span(doc_.nodes[cell]), widths.size() - column);
      int width = grid.spacing * static_cast<int>(span - 1);
      for (size_t k = 0; k < span; ++k) width += widths[column + k];
      column += span;
      Style cellStyle = style;
      ApplyElement(doc_.nodes[cell], cellStyle, false);
      Flow sub;
      int inset = grid.padding + cellBorder;
      sub.left = x + inset;
      sub.width = std::max(1, width - 2 * inset);
      sub.top = sub.y = rowY + inset;
      sub.keepTopMargin = false;
      sub.align = cellStyle.align;
      sub.strutFont = FontOf(cellStyle);
      size_t firstLine = out_.lines.size();
      for (size_t child : doc_.nodes[cell].children) Walk(child, cellStyle, sub);
      Flush(sub);
      int height = sub.y - sub.top + 2 * inset;
      placed.push_back({firstLine, out_.lines.size(), x, width, height});
      rowHeight = std::max(rowHeight, height);
      x += width + grid.spacing;
      if (!out_.text.empty() && out_.text.back() == '\n') out_.text.back() = '\t';
      else PushText('\t', 0);
    }
    for (const Placed& p : placed) {
      int shift = (rowHeight - p.height) / 2;
      for (size_t l = p.firstLine; l < p.endLine; ++l) out_.lines[l].top += shift;
      if (grid.border) out_.boxes.push_back(Box{p.x, rowY, p.width, rowHeight, kRuleColor, true});
    }
    if (!out_.text.empty() && out_.text.back() == '\t') out_.text.back() = '\n';
    tableRight = std::max(tableRight, x);
    rowY += rowHeight + grid.spacing;
  }
  int bottom = rowY + grid.border;
  int right = tableRight + grid.border;
  if (grid.border)
    out_.boxes.push_back(Box{flow.left, top, right - flow.left, bottom - top, kRuleColor, true});
  maxRight_ = std::max(maxRight_, right);
  flow.y = bottom;
  flow.placedLine = true;
  Separator('\n');
}

}  // namespace layout_engine

Layout LayoutDocument(const Document& doc, TextMeasurer& measurer, const LayoutOptions& options) {
  Layout layout;
  if (doc.nodes.empty()) return layout;
  layout_engine::LayoutBuilder(doc, measurer, options, layout).Run();
  return layout;
}

}  // namespace vistapane
