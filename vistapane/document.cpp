#include "vistapane/document.h"

#include <algorithm>
#include <string_view>

namespace vistapane {
namespace {

// Compared by length first: most tags differ from most names in it.
bool OneOf(const std::string& tag, std::initializer_list<std::string_view> tags) {
  return std::any_of(tags.begin(), tags.end(), [&](std::string_view t) { return tag == t; });
}

bool IsVoid(const std::string& tag) {
  return OneOf(tag, {"br", "hr", "img", "meta", "link", "input", "base", "col", "area", "wbr"});
}

// Elements a new paragraph or block closes an open P before.
bool ClosesParagraph(const std::string& tag) {
  return OneOf(tag, {"p", "div", "h1", "h2", "h3", "h4", "h5", "h6", "ul", "ol", "dl", "pre",
                     "table", "hr", "blockquote", "center", "li", "dt", "dd"});
}

// An end tag or implied close never reaches past these.
bool IsScopeBoundary(const std::string& tag) {
  return OneOf(tag, {"table", "td", "th", "body", "html"});
}

// Inline formatting that browsers carry over into the next block when a
// block closes it implicitly: "<P><B>a<P>b" shows b bold as well.
bool IsFormatting(const std::string& tag) {
  return OneOf(tag, {"a", "b", "big", "em", "font", "i", "s", "small", "strike", "strong", "tt",
                     "u"});
}

// Elements that belong to a table's structure or to the head: no
// formatting is carried over into them.
bool IsStructural(const std::string& tag) {
  return OneOf(tag, {"table", "caption", "thead", "tbody", "tfoot", "tr", "td", "th", "col",
                     "colgroup", "title", "style", "script", "meta", "link", "base"});
}

constexpr size_t kMaxDepth = 200;
constexpr size_t kMaxCarried = 12;

class TreeBuilder {
 public:
  // Takes the tokens' texts and attributes.
  Document Run(std::vector<Token>& tokens) {
    doc_.nodes.reserve(tokens.size() + 1);
    doc_.nodes.emplace_back();
    doc_.nodes[0].tag = "#root";
    open_.push_back(0);
    for (Token& token : tokens) {
      if (token.kind == Token::kText) AddText(std::move(token.text));
      else if (token.kind == Token::kStartTag) Start(token);
      else End(token.name);
    }
    return std::move(doc_);
  }

 private:
  const std::string& Tag(size_t node) const { return doc_.nodes[node].tag; }

  size_t Append(Node node) {
    doc_.nodes.push_back(std::move(node));
    size_t index = doc_.nodes.size() - 1;
    doc_.nodes[open_.back()].children.push_back(index);
    return index;
  }

  bool InTitle() const { return Tag(open_.back()) == "title"; }

  void AddText(std::u32string text) {
    if (InTitle()) { doc_.title += text; return; }
    Reopen();
    Node node;
    node.text = std::move(text);
    Append(std::move(node));
  }

  // Index in open_ of the innermost open `tag` within the current scope, or 0.
  // A list item's scope ends at its list as well: an item of an inner list
  // does not close the outer item.
  size_t FindOpen(const std::string& tag, bool stopAtScope) const {
    bool item = tag == "li" || tag == "dt" || tag == "dd";
    for (size_t i = open_.size() - 1; i > 0; --i) {
      const std::string& open = Tag(open_[i]);
      if (open == tag) return i;
      if (stopAtScope && IsScopeBoundary(open)) return 0;
      if (item && (open == "ul" || open == "ol" || open == "dl")) return 0;
    }
    return 0;
  }

  // Closes open_[depth] and everything inside it; the formatting elements
  // inside it are remembered to be opened again at the next content.
  void CloseTo(size_t depth) {
    for (size_t i = depth + 1; i < open_.size(); ++i) {
      const Node& node = doc_.nodes[open_[i]];
      if (IsFormatting(node.tag) && carried_.size() < kMaxCarried) {
        Node copy;
        copy.tag = node.tag;
        copy.attributes = node.attributes;
        carried_.push_back(std::move(copy));
      }
    }
    open_.resize(depth);
  }

  void Reopen() {
    std::vector<Node> carried;
    carried.swap(carried_);
    for (Node& node : carried) {
      size_t index = Append(std::move(node));
      if (open_.size() < kMaxDepth) open_.push_back(index);
    }
  }

  // An explicit end tag of a formatting element ends its carried copy too.
  void DropCarried(const std::string& tag) {
    for (size_t i = carried_.size(); i > 0; --i) {
      if (carried_[i - 1].tag == tag) {
        carried_.erase(carried_.begin() + static_cast<std::ptrdiff_t>(i - 1));
        return;
      }
    }
  }

  void CloseIfOpen(const std::string& tag) {
    if (size_t at = FindOpen(tag, true)) CloseTo(at);
  }

  void Start(Token& token) {
    const std::string& tag = token.name;
    if (tag.empty() || tag == "html" || tag == "head" || tag == "body") return;
    if (ClosesParagraph(tag)) CloseIfOpen("p");
    if (tag == "table" || tag == "td" || tag == "th") carried_.clear();
    if (tag == "a") {  // links do not nest: a new one ends the open one
      DropCarried("a");
      if (size_t at = FindOpen("a", true)) { CloseTo(at); DropCarried("a"); }
    }
    if (tag == "li") CloseIfOpen("li");
    if (tag == "dt" || tag == "dd") { CloseIfOpen("dt"); CloseIfOpen("dd"); }
    if (tag == "td" || tag == "th") {
      CloseIfOpen("td");
      CloseIfOpen("th");
      if (!FindOpen("tr", true) && FindOpen("table", false)) StartImplied("tr");
    }
    if (tag == "tr") {
      CloseIfOpen("td");
      CloseIfOpen("th");
      CloseIfOpen("tr");
    }
    if (!ClosesParagraph(tag) && !IsStructural(tag)) Reopen();
    Node node;
    node.tag = tag;
    node.attributes = std::move(token.attributes);
    size_t index = Append(std::move(node));
    // Beyond this depth elements still appear but hold no children, which
    // keeps every later recursion over the tree shallow.
    if (!IsVoid(tag) && open_.size() < kMaxDepth) open_.push_back(index);
  }

  void StartImplied(const std::string& tag) {
    Node node;
    node.tag = tag;
    size_t index = Append(std::move(node));
    if (open_.size() < kMaxDepth) open_.push_back(index);
  }

  void End(const std::string& tag) {
    if (tag == "br") {  // </br> is read as <br>, as browsers do
      Node node;
      node.tag = "br";
      Append(std::move(node));
      return;
    }
    if (IsFormatting(tag)) DropCarried(tag);
    bool table = tag == "table";
    if (size_t at = FindOpen(tag, !table && !IsScopeBoundary(tag))) CloseTo(at);
  }

  Document doc_;
  std::vector<size_t> open_;
  std::vector<Node> carried_;  // formatting to open again at the next content
};

}  // namespace

const std::u32string* Node::Attribute(const std::string& name) const {
  for (const auto& attribute : attributes)
    if (attribute.first == name) return &attribute.second;
  return nullptr;
}

Document BuildDocument(std::vector<Token> tokens) { return TreeBuilder().Run(tokens); }

Document ParseHtml(const std::u32string& page) { return BuildDocument(Tokenize(page)); }

}  // namespace vistapane
