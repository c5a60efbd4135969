// The document tree built from tokens, tolerant as browsers are: P, LI,
// TD, TH and TR close themselves, an end tag without an open element is
// dropped, HTML, HEAD and BODY are implied.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "vistapane/tokenizer.h"

namespace vistapane {

struct Node {
  std::string tag;  // "" for a text node
  std::vector<std::pair<std::string, std::u32string>> attributes;
  std::u32string text;
  std::vector<size_t> children;  // indices into Document::nodes

  const std::u32string* Attribute(const std::string& name) const;
};

struct Document {
  std::vector<Node> nodes;  // nodes[0] is the root
  std::u32string title;
};

// Takes the tokens: their texts and attributes move into the nodes.
Document BuildDocument(std::vector<Token> tokens);
Document ParseHtml(const std::u32string& page);

}  // namespace vistapane
