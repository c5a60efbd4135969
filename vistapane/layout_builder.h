// The layout engine's own parts, shared by its files and by nothing else:
// the style elements pass down, a column of blocks being filled, a table's
// grid and the builder that runs over the tree. Each concern is a file:
//   layout.cpp          the walk over the tree, block flow and tables
//   layout_elements.cpp what an element does to the style; fonts, advances
//                       and lengths
//   layout_lines.cpp    filling, breaking and placing lines; the laid-out text
//   layout_table.cpp    table grids
//   layout_measure.cpp  widths of content without placing it; column widths
//   layout_index.cpp    the lines in order of their tops
// The walk into table cells and the measuring of nested tables each recurse
// within one file, so calls between the files run one way only.
// The white-space, break and tab rules both placing and measuring read
// text through are in inline_rules.h.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "vistapane/document.h"
#include "vistapane/inline_rules.h"
#include "vistapane/layout.h"
#include "vistapane/style_sheet.h"

namespace vistapane {
namespace layout_engine {

constexpr uint32_t kLinkColor = 0x0000EE;
constexpr uint32_t kRuleColor = 0x808080;
constexpr int kBodyMargin = 8;
constexpr int kListIndent = 40;
constexpr size_t kMaxColumns = 1000;
// Measured widths stop growing here, so that no sum of them overflows.
constexpr int kMaxExtent = 1 << 28;

// The style that elements pass down to their content.
struct Style {
  std::u32string face;
  int htmlSize = 3;
  int pixels = 16;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  uint32_t color = 0;
  int link = -1;
  bool pre = false;
  int align = 0;  // 0 left, 1 centre, 2 right
};

enum class Display { kNone, kInline, kBlock, kList, kListItem, kTable, kBreak, kRule };

// Whether the tag is one of the names (compared by length first).
bool Is(const std::string& tag, std::initializer_list<std::string_view> tags);
Display DisplayOf(const std::string& tag);

// Margins above and below a block, in sixths of the font height, and how
// far it is indented.
struct BlockBox {
  int marginSixths = 0;
  int indent = 0;
};
BlockBox BoxOf(const std::string& tag);

// PRE, LISTING and XMP drop the line feed that follows their start tag.
bool SkipsFirstNewline(const std::string& tag);

// A whole-number attribute clamped to [low, high]; `fallback` when absent
// or unreadable.
int IntAttribute(const Node& node, const char* name, int fallback, int low, int high);

// How far a block's content is indented from the left and from the right,
// in pixels of a 96-dpi display.
struct Insets {
  int left = 0;
  int right = 0;
};
Insets InsetsOf(const Node& node, Display display);

// A character waiting on the current line.
struct Pending {
  int advance = 0;
  int style = 0;
  size_t text = 0;
  bool space = false;
  bool breakAfter = false;
};

// A column of blocks: the lines placed so far and the line being filled.
struct Flow {
  int left = 0;
  int width = 0;
  int top = 0;
  int y = 0;
  int pendingMargin = 0;
  bool placedLine = false;
  bool keepTopMargin = true;  // false in table cells
  int align = 0;
  std::vector<Pending> line;
  // The advances of `line` added up, and the largest k such that the line
  // may end after line[k - 1] (0: nowhere yet), kept as characters arrive
  // so that filling a line costs the same for every character.
  std::int64_t lineWidth = 0;
  size_t breakEnd = 0;
  InlineState text;
  size_t markerBegin = 0, markerEnd = 0;
  int markerStyle = -1;
  int strutFont = 0;  // the font an empty line takes its height from
};

struct TableGrid {
  std::vector<std::vector<size_t>> rows;  // cell nodes
  std::vector<size_t> stray;              // content written before the table
  int spacing = 2;
  int padding = 1;
  int border = 0;
};

// The columns a cell spans.
size_t Span(const Node& cell);

// The narrowest a content can be (its widest word) and its width unbroken.
struct Intrinsic {
  int min = 0;
  int max = 0;
};

struct MeasureState {
  int indent = 0;
  int line = 0;
  int lineVisible = 0;
  int word = 0;
  InlineState text;
  Intrinsic result;
};

// Sorts the lines by their tops for VisibleLines.
void IndexLines(Layout& layout);

class LayoutBuilder {
 public:
  LayoutBuilder(const Document& doc, TextMeasurer& measurer, const LayoutOptions& options, Layout& out);
  void Run();

  // Styles, fonts and lengths (layout_elements.cpp).
  void ApplyElement(const Node& node, Style& s, bool measuring);
  int FontOf(const Style& s);
  int StyleOf(const Style& s);
  int Advance(int font, char32_t cp);
  // A length the page gives in pixels of a 96-dpi display, on this one.
  int Px(int pixels) const;

  // The walk, block flow and tables (layout.cpp).
  void Walk(size_t index, const Style& inherited, Flow& flow);
  void WalkBlock(const Node& node, Display display, const Style& style, Flow& flow);
  void StartMarker(const Style& style, Flow& flow);
  void AddRule(Flow& flow);
  void LayoutTable(size_t index, const Style& style, Flow& flow);

  // Lines and the laid-out text (layout_lines.cpp).
  void PushText(char32_t c, int advance);
  void Separator(char32_t c);
  void AddText(const std::u32string& text, const Style& style, Flow& flow);
  void AddChar(char32_t cp, int run, int font, bool space, Flow& flow);
  bool BreakLine(Flow& flow);
  void ForcedBreak(const Style& style, Flow& flow);
  void Flush(Flow& flow, bool placeMarker = false);
  void AddMargin(Flow& flow, int margin);
  void TakeMargin(Flow& flow);
  void PlaceLine(Flow& flow, bool allowEmpty);

  // Table grids (layout_table.cpp).
  TableGrid Gather(size_t table) const;

  // Measuring and column widths (layout_measure.cpp).
  Intrinsic MeasureCell(size_t cell, const Style& tableStyle);
  void Columns(const TableGrid& grid, const Style& style, int available, std::vector<int>& widths,
               Intrinsic* total);
  Intrinsic MeasureTable(size_t table, const Style& style);
  void Measure(size_t index, const Style& inherited, MeasureState& s);
  void MeasureText(const std::u32string& text, const Style& style, MeasureState& s);

  const Document& doc_;
  TextMeasurer& measurer_;
  const LayoutOptions& options_;
  Layout& out_;
  std::vector<Intrinsic> memo_;
  std::vector<StyleRule> rules_;
  std::map<FontKey, int> fontIndex_;
  std::map<RunStyle, int> styleIndex_;
  std::vector<std::vector<int>> ascii_;
  std::vector<FontMetrics> metrics_;
  std::vector<int> counters_;
  std::vector<bool> ordered_;
  int listDepth_ = 0;
  int maxRight_ = 0;
};

}  // namespace layout_engine
}  // namespace vistapane
