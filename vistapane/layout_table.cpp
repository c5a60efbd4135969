// A table's grid: its rows of cells as the tree gives them, the content
// outside its cells (shown before it), its spacing, padding and border.
#include <utility>

#include "vistapane/layout_builder.h"

namespace vistapane {
namespace layout_engine {

size_t Span(const Node& cell) {
  return static_cast<size_t>(IntAttribute(cell, "colspan", 1, 1, 1000));
}

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

}  // namespace layout_engine
}  // namespace vistapane
