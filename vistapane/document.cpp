#include "vistapane/document.h"

#include <algorithm>

namespace vistapane {
namespace {

bool OneOf(const std::string& tag, std::initializer_list<const char*> tags) {
  return std::any_of(tags.begin(), tags.end(), [&](const char* t) { return tag == t; });
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

constexpr size_t kMaxDepth = 200;

class TreeBuilder {
 public:
  Document Run(const std::vector<Token>& tokens) {
    doc_.nodes.emplace_back();
    doc_.nodes[0].tag = "#root";
    open_.push_back(0);
    for (const Token& token : tokens) {
      if (token.kind == Token::kText) AddText(token.text);
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

  void AddText(const std::u32string& text) {
    if (InTitle()) { doc_.title += text; return; }
    Node node;
    node.text = text;
    Append(std::move(node));
  }

  // Index in open_ of the innermost open `tag` within the current scope, or 0.
  size_t FindOpen(const std::string& tag, bool stopAtScope) const {
    for (size_t i = open_.size() - 1; i > 0; --i) {
      if (Tag(open_[i]) == tag) return i;
      if (stopAtScope && IsScopeBoundary(Tag(open_[i]))) return 0;
    }
    return 0;
  }

  void CloseTo(size_t depth) { open_.resize(depth); }

  void CloseIfOpen(const std::string& tag) {
    if (size_t at = FindOpen(tag, true)) CloseTo(at);
  }

  void Start(const Token& token) {
    const std::string& tag = token.name;
    if (tag.empty() || tag == "html" || tag == "head" || tag == "body") return;
    if (ClosesParagraph(tag)) CloseIfOpen("p");
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
    Node node;
    node.tag = tag;
    node.attributes = token.attributes;
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
    bool table = tag == "table";
    if (size_t at = FindOpen(tag, !table && !IsScopeBoundary(tag))) CloseTo(at);
  }

  Document doc_;
  std::vector<size_t> open_;
};

}  // namespace

const std::u32string* Node::Attribute(const std::string& name) const {
  for (const auto& attribute : attributes)
    if (attribute.first == name) return &attribute.second;
  return nullptr;
}

Document BuildDocument(const std::vector<Token>& tokens) { return TreeBuilder().Run(tokens); }

Document ParseHtml(const std::u32string& page) { return BuildDocument(Tokenize(page)); }

}  // namespace vistapane
