// Widths of content without placing it, and a table's column widths from
// them: the widest word (the least a column can take) and the widest line
// unbroken (the most it would). Text is read through the same inline rules
// as when it is placed.
#include <algorithm>

#include "vistapane/layout_builder.h"

namespace vistapane {
namespace layout_engine {
namespace {

int Extend(int width, int advance) {
  return static_cast<int>(std::min<std::int64_t>(std::int64_t{width} + advance, kMaxExtent));
}

void EndMeasuredLine(MeasureState& s) {
  s.result.max = std::max(s.result.max, s.lineVisible + s.indent);
  s.line = s.lineVisible = s.word = 0;
  s.text.NewLine();
}

// Text as the inline rules shape it, into a measure.
struct MeasureSink {
  LayoutBuilder& builder;
  MeasureState& s;
  int font;

  void Space() {
    s.line = Extend(s.line, builder.Advance(font, ' '));
    s.word = 0;
  }
  void Shown(char32_t cp, bool breakBefore) {
    if (breakBefore) s.word = 0;
    int a = builder.Advance(font, cp);
    s.line = Extend(s.line, a);
    s.lineVisible = s.line;
    s.word = Extend(s.word, a);
    s.result.min = std::max(s.result.min, s.word + s.indent);
  }
  // Preformatted text does not break: all of its line is one word.
  void Fixed(char32_t cp) {
    s.line = Extend(s.line, builder.Advance(font, cp));
    s.lineVisible = s.line;
    s.word = s.line;
    s.result.min = std::max(s.result.min, s.word + s.indent);
  }
  void Break() { EndMeasuredLine(s); }
};

}  // namespace

Intrinsic LayoutBuilder::MeasureCell(size_t cell, const Style& tableStyle) {
  if (memo_[cell].min >= 0) return memo_[cell];
  Style style = tableStyle;
  ApplyElement(doc_.nodes[cell], style, true);
  MeasureState state;
  for (size_t child : doc_.nodes[cell].children) Measure(child, style, state);
  EndMeasuredLine(state);
  memo_[cell] = state.result;
  return state.result;
}

// Column widths that fit `available`: each at least its widest word,
// and the room left shared by how much more each column wants.
void LayoutBuilder::Columns(const TableGrid& grid, const Style& style, int available,
                            std::vector<int>& widths, Intrinsic* total) {
  std::vector<int> mins, maxs;
  struct Spanned { size_t first, span; Intrinsic size; };
  std::vector<Spanned> spanned;
  for (const auto& row : grid.rows) {
    size_t column = 0;
    for (size_t cell : row) {
      if (column >= kMaxColumns) break;
      size_t span = std::min(Span(doc_.nodes[cell]), kMaxColumns - column);
      Intrinsic size = MeasureCell(cell, style);
      size.min += 2 * grid.padding + (grid.border ? 2 : 0);
      size.max += 2 * grid.padding + (grid.border ? 2 : 0);
      if (mins.size() < column + span) {
        mins.resize(column + span, 0);
        maxs.resize(column + span, 0);
      }
      if (span == 1) {
        mins[column] = std::max(mins[column], size.min);
        maxs[column] = std::max(maxs[column], size.max);
      } else {
        spanned.push_back({column, span, size});
      }
      column += span;
    }
  }
  for (const Spanned& s : spanned) {
    std::int64_t gaps = std::int64_t{grid.spacing} * static_cast<std::int64_t>(s.span - 1);
    std::int64_t haveMin = gaps, haveMax = gaps;
    for (size_t k = 0; k < s.span; ++k) {
      haveMin += mins[s.first + k];
      haveMax += maxs[s.first + k];
    }
    std::int64_t n = static_cast<std::int64_t>(s.span);
    for (size_t k = 0; k < s.span; ++k) {
      if (s.size.min > haveMin) mins[s.first + k] += static_cast<int>((s.size.min - haveMin + n - 1) / n);
      if (s.size.max > haveMax) maxs[s.first + k] += static_cast<int>((s.size.max - haveMax + n - 1) / n);
    }
  }
  for (size_t k = 0; k < mins.size(); ++k) maxs[k] = std::max(maxs[k], mins[k]);
  int extra = grid.spacing * static_cast<int>(mins.size() + 1) + 2 * grid.border;
  // Widths reach kMaxExtent and their products more: 64 bits on every target.
  std::int64_t sumMin = 0, sumMax = 0;
  for (size_t k = 0; k < mins.size(); ++k) {
    sumMin += mins[k];
    sumMax += maxs[k];
  }
  if (total) {
    total->min = static_cast<int>(std::min<std::int64_t>(sumMin + extra, kMaxExtent));
    total->max = static_cast<int>(std::min<std::int64_t>(sumMax + extra, kMaxExtent));
  }
  std::int64_t room = std::int64_t{available} - extra;
  widths = maxs;
  if (sumMax > room) {
    if (sumMin >= room) {
      widths = mins;
    } else {
      std::int64_t share = room - sumMin, want = sumMax - sumMin;
      for (size_t k = 0; k < mins.size(); ++k)
        widths[k] = mins[k] + static_cast<int>(std::int64_t{maxs[k] - mins[k]} * share / want);
    }
  }
}

Intrinsic LayoutBuilder::MeasureTable(size_t table, const Style& style) {
  if (memo_[table].min >= 0) return memo_[table];
  TableGrid grid = Gather(table);
  std::vector<int> widths;
  Intrinsic total;
  Columns(grid, style, kMaxExtent, widths, &total);
  MeasureState stray;
  for (size_t child : grid.stray) Measure(child, style, stray);
  EndMeasuredLine(stray);
  total.min = std::max(total.min, stray.result.min);
  total.max = std::max(total.max, stray.result.max);
  memo_[table] = total;
  return total;
}

void LayoutBuilder::Measure(size_t index, const Style& inherited, MeasureState& s) {
  const Node& node = doc_.nodes[index];
  if (node.tag.empty()) {
    MeasureText(node.text, inherited, s);
    return;
  }
  Display display = DisplayOf(node.tag);
  if (display == Display::kNone) return;
  Style style = inherited;
  ApplyElement(node, style, true);
  if (display == Display::kInline) {
    for (size_t child : node.children) Measure(child, style, s);
    return;
  }
  EndMeasuredLine(s);
  if (display == Display::kBreak || display == Display::kRule) return;
  if (display == Display::kTable) {
    Intrinsic t = MeasureTable(index, style);
    s.result.min = std::max(s.result.min, t.min + s.indent);
    s.result.max = std::max(s.result.max, t.max + s.indent);
    return;
  }
  Insets insets = InsetsOf(node, display);
  int indent = Px(insets.left) + Px(insets.right);
  s.indent += indent;
  if (SkipsFirstNewline(node.tag)) s.text.skipNewline = true;
  for (size_t child : node.children) Measure(child, style, s);
  EndMeasuredLine(s);
  s.text.skipNewline = false;
  s.indent -= indent;
}

void LayoutBuilder::MeasureText(const std::u32string& text, const Style& style, MeasureState& s) {
  MeasureSink sink{*this, s, FontOf(style)};
  FeedText(text, style.pre, s.text, sink);
}

}  // namespace layout_engine
}  // namespace vistapane
