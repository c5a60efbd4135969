#include "vistapane/layout.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "vistapane/layout_style.h"
#include "vistapane/style_sheet.h"

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

namespace {

constexpr uint32_t kLinkColor = 0x0000EE;
constexpr uint32_t kRuleColor = 0x808080;
constexpr int kBodyMargin = 8;
constexpr int kListIndent = 40;
constexpr size_t kMaxColumns = 1000;
// Measured widths stop growing here, so that no sum of them overflows.
constexpr int kMaxExtent = 1 << 28;

int Extend(int width, int advance) {
  return static_cast<int>(std::min<std::int64_t>(std::int64_t{width} + advance, kMaxExtent));
}
const char32_t kMonospace[] = U"monospace";

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

bool Is(const std::string& tag, std::initializer_list<const char*> tags) {
  for (const char* t : tags)
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

// Margins above and below a block, in sixths of the font height, and how
// far it is indented.
struct BlockBox {
  int marginSixths = 0;
  int indent = 0;
};

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
  bool lastSpace = true;  // white space here collapses
  char32_t lastChar = 0;
  int column = 0;         // characters since the line began, for PRE tabs
  bool skipNewline = false;  // the line feed just after <PRE>
  size_t markerBegin = 0, markerEnd = 0;
  int markerStyle = -1;
  int strutFont = 0;      // the font an empty line takes its height from
};

struct TableGrid {
  std::vector<std::vector<size_t>> rows;  // cell nodes
  std::vector<size_t> stray;              // content written before the table
  int spacing = 2;
  int padding = 1;
  int border = 0;
};

struct Intrinsic {
  int min = 0;
  int max = 0;
};

struct MeasureState {
  int indent = 0;
  int line = 0;
  int lineVisible = 0;
  int word = 0;
  bool lastSpace = true;
  char32_t lastChar = 0;
  int column = 0;
  Intrinsic result;
};

class LayoutBuilder {
 public:
  LayoutBuilder(const Document& doc, TextMeasurer& measurer, const LayoutOptions& options, Layout& out)
      : doc_(doc), measurer_(measurer), options_(options), out_(out),
        memo_(doc.nodes.size(), Intrinsic{-1, -1}) {}

  void Run() {
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
    IndexLines();
  }

 private:
  // ---- styles and fonts

  void ApplyElement(const Node& node, Style& s, bool measuring) {
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

  int FontOf(const Style& s) {
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

  int StyleOf(const Style& s) {
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
  int Advance(int font, char32_t cp) {
    if (cp == 0xA0) cp = ' ';
    if (cp < 128) {
      int& cached = ascii_[static_cast<size_t>(font)][cp];
      if (cached < 0) cached = std::max(0, measurer_.Advance(out_.fonts[static_cast<size_t>(font)], cp));
      return cached;
    }
    return std::max(0, measurer_.Advance(out_.fonts[static_cast<size_t>(font)], cp));
  }

  // ---- the walk over the tree

  void Walk(size_t index, const Style& inherited, Flow& flow) {
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

  void WalkBlock(const Node& node, Display display, const Style& style, Flow& flow) {
    Flush(flow);
    bool topList = display == Display::kList && listDepth_ == 0;
    BlockBox box = BoxOf(node.tag);
    int margin = topList ? style.pixels : style.pixels * box.marginSixths / 6;
    AddMargin(flow, margin);
    int savedLeft = flow.left, savedWidth = flow.width, savedAlign = flow.align;
    int indent = Px(display == Display::kList ? kListIndent : box.indent);
    int right = node.tag == "blockquote" ? Px(kListIndent) : 0;
    flow.left += indent;
    flow.width = std::max(1, flow.width - indent - right);
    flow.align = style.align;
    flow.strutFont = FontOf(style);
    if (Is(node.tag, {"pre", "listing", "xmp"})) flow.skipNewline = true;
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
    flow.skipNewline = false;
    flow.left = savedLeft;
    flow.width = savedWidth;
    flow.align = savedAlign;
    AddMargin(flow, margin);
  }

  void StartMarker(const Style& style, Flow& flow) {
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

  void PushText(char32_t c, int advance) {
    out_.text.push_back(c);
    out_.advances.push_back(advance);
  }

  void Separator(char32_t c) {
    if (!out_.text.empty() && out_.text.back() != '\n' && out_.text.back() != c) PushText(c, 0);
  }

  void AddText(const std::u32string& text, const Style& style, Flow& flow) {
    if (text.empty()) return;
    int run = StyleOf(style);
    int font = out_.styles[static_cast<size_t>(run)].font;
    flow.strutFont = font;
    for (char32_t cp : text) {
      if (style.pre) {
        if (cp == '\r') continue;
        if (cp == '\n') {
          if (flow.skipNewline && flow.line.empty()) { flow.skipNewline = false; continue; }
          ForcedBreak(style, flow);
          continue;
        }
        flow.skipNewline = false;
        if (cp == '\t') {
          int spaces = 8 - flow.column % 8;
          for (int i = 0; i < spaces; ++i) AddChar(' ', run, font, false, flow);
          continue;
        }
        AddChar(cp, run, font, false, flow);
        continue;
      }
      if (IsCollapsibleSpace(cp)) {
        if (flow.lastSpace) continue;
        AddChar(' ', run, font, true, flow);
        flow.lastSpace = true;
        continue;
      }
      if (!flow.line.empty() && !flow.line.back().space && BreakAllowedBetween(flow.lastChar, cp)) {
        flow.line.back().breakAfter = true;
        flow.breakEnd = flow.line.size();
      }
      AddChar(cp, run, font, false, flow);
      flow.lastSpace = false;
      flow.lastChar = cp;
      // The line ends in this character, so its visible width is all of it.
      while (flow.lineWidth > flow.width && BreakLine(flow)) {
      }
    }
  }

  void AddChar(char32_t cp, int run, int font, bool space, Flow& flow) {
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
    ++flow.column;
  }

  static int VisibleWidth(const std::vector<Pending>& chars, size_t end) {
    while (end > 0 && chars[end - 1].space) --end;
    int width = 0;
    for (size_t i = 0; i < end; ++i) width += chars[i].advance;
    return width;
  }

  // The line overflows: it ends at its last break opportunity, or, when it
  // has none, before its last character (a word wider than the line is
  // broken at the edge). False when one character alone is too wide.
  bool BreakLine(Flow& flow) {
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

  static void ClearLine(Flow& flow) {
    flow.line.clear();
    flow.lineWidth = 0;
    flow.breakEnd = 0;
  }

  void ForcedBreak(const Style& style, Flow& flow) {
    flow.strutFont = FontOf(style);
    PlaceLine(flow, true);
    flow.lastSpace = true;
    flow.column = 0;
    PushText('\n', 0);
  }

  // Ends the line being filled. A list item's marker waits for the item's
  // first line, unless the item ends without one.
  void Flush(Flow& flow, bool placeMarker = false) {
    bool content = std::any_of(flow.line.begin(), flow.line.end(), [](const Pending& p) { return !p.space; });
    if (!content) ClearLine(flow);
    if (content || (placeMarker && flow.markerStyle >= 0)) PlaceLine(flow, true);
    ClearLine(flow);
    flow.lastSpace = true;
    flow.column = 0;
    Separator('\n');
  }

  void AddMargin(Flow& flow, int margin) { flow.pendingMargin = std::max(flow.pendingMargin, margin); }

  void TakeMargin(Flow& flow) {
    if (flow.placedLine || flow.keepTopMargin) flow.y += flow.pendingMargin;
    flow.pendingMargin = 0;
  }

  // Places flow.line (possibly empty) as one line and clears it.
  void PlaceLine(Flow& flow, bool allowEmpty) {
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

  void AddRule(Flow& flow) {
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

  // ---- tables

  TableGrid Gather(size_t table) const {
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

  static size_t Span(const Node& cell) {
    return static_cast<size_t>(IntAttribute(cell, "colspan", 1, 1, 1000));
  }

  // Column widths that fit `available`: each at least its widest word,
  // and the room left shared by how much more each column wants.
  void Columns(const TableGrid& grid, const Style& style, int available, std::vector<int>& widths,
               Intrinsic* total) {
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

  void LayoutTable(size_t index, const Style& style, Flow& flow) {
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

  // ---- widths without placing anything: a table's columns need them

  Intrinsic MeasureCell(size_t cell, const Style& tableStyle) {
    if (memo_[cell].min >= 0) return memo_[cell];
    Style style = tableStyle;
    ApplyElement(doc_.nodes[cell], style, true);
    MeasureState state;
    for (size_t child : doc_.nodes[cell].children) Measure(child, style, state);
    EndMeasuredLine(state);
    memo_[cell] = state.result;
    return state.result;
  }

  Intrinsic MeasureTable(size_t table, const Style& style) {
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

  static void EndMeasuredLine(MeasureState& s) {
    s.result.max = std::max(s.result.max, s.lineVisible + s.indent);
    s.line = s.lineVisible = s.word = 0;
    s.lastSpace = true;
    s.column = 0;
  }

  void Measure(size_t index, const Style& inherited, MeasureState& s) {
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
    int indent = Px(display == Display::kList ? kListIndent : BoxOf(node.tag).indent);
    if (node.tag == "blockquote") indent += Px(kListIndent);
    s.indent += indent;
    for (size_t child : node.children) Measure(child, style, s);
    EndMeasuredLine(s);
    s.indent -= indent;
  }

  void MeasureText(const std::u32string& text, const Style& style, MeasureState& s) {
    int font = FontOf(style);
    for (char32_t cp : text) {
      if (style.pre) {
        if (cp == '\r') continue;
        if (cp == '\n') { EndMeasuredLine(s); continue; }
        int count = 1;
        if (cp == '\t') { count = 8 - s.column % 8; cp = ' '; }
        for (int i = 0; i < count; ++i) {
          s.line = Extend(s.line, Advance(font, cp));
          s.lineVisible = s.line;
          s.word = s.line;
          s.result.min = std::max(s.result.min, s.word + s.indent);
          ++s.column;
        }
        continue;
      }
      if (IsCollapsibleSpace(cp)) {
        if (s.lastSpace) continue;
        s.line = Extend(s.line, Advance(font, ' '));
        s.word = 0;
        s.lastSpace = true;
        continue;
      }
      if (!s.lastSpace && BreakAllowedBetween(s.lastChar, cp)) s.word = 0;
      int a = Advance(font, cp);
      s.line = Extend(s.line, a);
      s.lineVisible = s.line;
      s.word = Extend(s.word, a);
      s.result.min = std::max(s.result.min, s.word + s.indent);
      s.lastSpace = false;
      s.lastChar = cp;
    }
  }

  void IndexLines() {
    size_t n = out_.lines.size();
    out_.linesByTop.resize(n);
    for (size_t i = 0; i < n; ++i) out_.linesByTop[i] = i;
    std::stable_sort(out_.linesByTop.begin(), out_.linesByTop.end(),
                     [&](size_t a, size_t b) { return out_.lines[a].top < out_.lines[b].top; });
    out_.bottomsByTop.resize(n);
    int bottom = 0;
    for (size_t i = 0; i < n; ++i) {
      const Line& line = out_.lines[out_.linesByTop[i]];
      bottom = std::max(bottom, line.top + line.height);
      out_.bottomsByTop[i] = bottom;
    }
  }

  // A length the page gives in pixels of a 96-dpi display, on this one.
  int Px(int pixels) const { return (pixels * std::clamp(options_.pixelsPerInch, 1, 9600) + 48) / 96; }

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

}  // namespace

Layout LayoutDocument(const Document& doc, TextMeasurer& measurer, const LayoutOptions& options) {
  Layout layout;
  if (doc.nodes.empty()) return layout;
  LayoutBuilder(doc, measurer, options, layout).Run();
  return layout;
}

}  // namespace vistapane
