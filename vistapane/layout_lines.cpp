// Filling lines: characters wait on the line being filled until it
// overflows, ends at a break opportunity, or its block ends; a full line
// is placed as fragments of one style each. Characters and the separators
// between blocks and cells are written to the laid-out text here.
#include <algorithm>

#include "vistapane/layout_builder.h"

namespace vistapane {
namespace layout_engine {
namespace {

int VisibleWidth(const std::vector<Pending>& chars, size_t end) {
  while (end > 0 && chars[end - 1].space) --end;
  int width = 0;
  for (size_t i = 0; i < end; ++i) width += chars[i].advance;
  return width;
}

void ClearLine(Flow& flow) {
  flow.line.clear();
  flow.lineWidth = 0;
  flow.breakEnd = 0;
}

// Text as the inline rules shape it, onto the lines of one flow.
struct LineSink {
  LayoutBuilder& builder;
  const Style& style;
  Flow& flow;
  int run;
  int font;

  void Space() { builder.AddChar(' ', run, font, true, flow); }
  void Shown(char32_t cp, bool breakBefore) {
    if (breakBefore && !flow.line.empty() && !flow.line.back().space) {
      flow.line.back().breakAfter = true;
      flow.breakEnd = flow.line.size();
    }
    builder.AddChar(cp, run, font, false, flow);
    // The line ends in this character, so its visible width is all of it.
    while (flow.lineWidth > flow.width && builder.BreakLine(flow)) {
    }
  }
  void Fixed(char32_t cp) { builder.AddChar(cp, run, font, false, flow); }
  void Break() { builder.ForcedBreak(style, flow); }
};

}  // namespace

void LayoutBuilder::PushText(char32_t c, int advance) {
  out_.text.push_back(c);
  out_.advances.push_back(advance);
}

void LayoutBuilder::Separator(char32_t c) {
  if (!out_.text.empty() && out_.text.back() != '\n' && out_.text.back() != c) PushText(c, 0);
}

void LayoutBuilder::AddText(const std::u32string& text, const Style& style, Flow& flow) {
  if (text.empty()) return;
  int run = StyleOf(style);
  int font = out_.styles[static_cast<size_t>(run)].font;
  flow.strutFont = font;
  LineSink sink{*this, style, flow, run, font};
  FeedText(text, style.pre, flow.text, sink);
}

void LayoutBuilder::AddChar(char32_t cp, int run, int font, bool space, Flow& flow) {
  Pending p;
  p.advance = Advance(font, cp);
  p.style = run;
  p.text = out_.text.size();
  p.space = space;
  p.breakAfter = space;
  PushText(cp, p.advance);
  flow.line.push_back(p);
  flow.lineWidth += p.advance;
  if (space) flow.breakEnd = flow.line.size();
}

// The line overflows: it ends at its last break opportunity, or, when it
// has none, before its last character (a word wider than the line is
// broken at the edge). False when one character alone is too wide.
bool LayoutBuilder::BreakLine(Flow& flow) {
  size_t size = flow.line.size();
  if (size < 2) return false;
  size_t k = flow.breakEnd > 0 && flow.breakEnd < size ? flow.breakEnd : size - 1;
  std::vector<Pending> rest(flow.line.begin() + static_cast<std::ptrdiff_t>(k), flow.line.end());
  flow.line.resize(k);
  PlaceLine(flow, false);
  flow.line = std::move(rest);
  for (size_t i = 0; i < flow.line.size(); ++i) {
    flow.lineWidth += flow.line[i].advance;
    if (flow.line[i].breakAfter) flow.breakEnd = i + 1;
  }
  return true;
}

void LayoutBuilder::ForcedBreak(const Style& style, Flow& flow) {
  flow.strutFont = FontOf(style);
  PlaceLine(flow, true);
  flow.text.NewLine();
  PushText('\n', 0);
}

// Ends the line being filled. A list item's marker waits for the item's
// first line, unless the item ends without one.
void LayoutBuilder::Flush(Flow& flow, bool placeMarker) {
  bool content = std::any_of(flow.line.begin(), flow.line.end(), [](const Pending& p) { return !p.space; });
  if (!content) ClearLine(flow);
  if (content || (placeMarker && flow.markerStyle >= 0)) PlaceLine(flow, true);
  ClearLine(flow);
  flow.text.NewLine();
  Separator('\n');
}

void LayoutBuilder::AddMargin(Flow& flow, int margin) {
  flow.pendingMargin = std::max(flow.pendingMargin, margin);
}

void LayoutBuilder::TakeMargin(Flow& flow) {
  if (flow.placedLine || flow.keepTopMargin) flow.y += flow.pendingMargin;
  flow.pendingMargin = 0;
}

// Places flow.line (possibly empty) as one line and clears it.
void LayoutBuilder::PlaceLine(Flow& flow, bool allowEmpty) {
  size_t end = flow.line.size();
  while (end > 0 && flow.line[end - 1].space) --end;
  if (end == 0 && !allowEmpty) {
    ClearLine(flow);
    return;
  }
  TakeMargin(flow);
  int ascent = 0, descent = 0;
  auto take = [&](int style) {
    const FontMetrics& m = metrics_[static_cast<size_t>(out_.styles[static_cast<size_t>(style)].font)];
    ascent = std::max(ascent, m.ascent);
    descent = std::max(descent, m.descent);
  };
  for (size_t i = 0; i < end; ++i) take(flow.line[i].style);
  if (end == 0) {
    const FontMetrics& m = metrics_[static_cast<size_t>(flow.strutFont)];
    ascent = m.ascent;
    descent = m.descent;
  }
  if (flow.markerStyle >= 0) take(flow.markerStyle);
  Line line;
  line.top = flow.y;
  line.height = std::max(1, ascent + descent);
  line.baseline = ascent;
  line.firstFragment = out_.fragments.size();
  size_t lineIndex = out_.lines.size();
  int width = VisibleWidth(flow.line, end);
  int x = flow.left;
  if (flow.align == 1 && width < flow.width) x += (flow.width - width) / 2;
  if (flow.align == 2 && width < flow.width) x += flow.width - width;
  if (flow.markerStyle >= 0) {
    int markerWidth = 0;
    for (size_t i = flow.markerBegin; i < flow.markerEnd; ++i) markerWidth += out_.advances[i];
    Fragment f;
    f.x = std::max(0, flow.left - markerWidth - 6);
    f.width = markerWidth;
    f.line = lineIndex;
    f.begin = flow.markerBegin;
    f.end = flow.markerEnd;
    f.style = flow.markerStyle;
    out_.fragments.push_back(f);
    flow.markerStyle = -1;
  }
  for (size_t i = 0; i < end;) {
    Fragment f;
    f.x = x;
    f.line = lineIndex;
    f.begin = flow.line[i].text;
    f.style = flow.line[i].style;
    size_t j = i;
    while (j < end && flow.line[j].style == f.style && flow.line[j].text == f.begin + (j - i)) {
      f.width += flow.line[j].advance;
      ++j;
    }
    f.end = f.begin + (j - i);
    x += f.width;
    out_.fragments.push_back(f);
    i = j;
  }
  maxRight_ = std::max(maxRight_, x);
  line.endFragment = out_.fragments.size();
  out_.lines.push_back(line);
  flow.y += line.height;
  flow.placedLine = true;
  ClearLine(flow);
}

}  // namespace layout_engine
}  // namespace vistapane
