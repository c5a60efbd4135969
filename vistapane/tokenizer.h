// Tokens of an HTML page: text runs with their character references
// resolved, start tags with attributes, end tags. Comments, the doctype and
// processing instructions are dropped; STYLE and SCRIPT content is raw text
// and TITLE content has only its references resolved.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vistapane {

struct Token {
  enum Kind { kText, kStartTag, kEndTag };
  Kind kind = kText;
  std::string name;  // lower-case tag name
  std::vector<std::pair<std::string, std::u32string>> attributes;  // lower-case names
  std::u32string text;
};

std::vector<Token> Tokenize(const std::u32string& page);

// Resolves character references in `text`; a malformed one stays as written.
std::u32string ResolveReferences(const std::u32string& text);

}  // namespace vistapane
