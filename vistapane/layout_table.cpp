// Tables: the grid of rows and cells, column widths from what each cell
// needs at least and would take at most, and the cells laid out as
// columns of blocks of their own.
#include <algorithm>

#include "vistapane/layout_builder.h"

namespace vistapane {
namespace layout_engine {
namespace {

size_t Span(const Node& cell) {
  return static_cast<size_t>(IntAttribute(cell, "colspan", 1, 1, 1000));
}

}  // namespace

TableGrid LayoutBuilder::Gather(size_t table) const {
  TableGrid grid;
  const Node& node = doc_.nodes[table];
  grid.border = node.Attribute("border") ? IntAttribute(node, "border", 1, 0, 20) : 0;
  grid.spacing = Px(IntAttribute(node, "cellspacing", 2, 0, 100));
  grid.padding = Px(IntAttribute(node, "cellpadding", 1, 0, 100));
  auto addRow = [&](const Node& tr) {
    std::vector<size_t> cells;
    for (size_t c : tr.children)
      if (doc_.nodes[c].tag == "td" || doc_.nodes[c].tag == "th") cells.push_back(c);
    grid.rows.push_back(std::move(cells));
  };
  for (size_t child : node.children) {
    const std::string& tag = doc_.nodes[child].tag;
    if (tag == "tr") {
      addRow(doc_.nodes[child]);
    } else if (tag == "tbody" || tag == "thead" || tag == "tfoot") {
      for (size_t row : doc_.nodes[child].children)
        if (doc_.nodes[row].tag == "tr") addRow(doc_.nodes[row]);
    } else if (tag == "td" || tag == "th") {
      grid.rows.push_back({child});
    } else {
      grid.stray.push_back(child);
    }
  }
  return grid;
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
}  // namespace vistapane
