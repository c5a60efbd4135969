// Helpers of the pane's tests: text conversions and a compact outline of a
// document tree, so that an expected tree can be written on one line.
#pragma once

#include <string>

#include "vistapane/document.h"

namespace vistapane_test {

inline std::string Utf8(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

inline std::u32string U32(const std::string& ascii) { return std::u32string(ascii.begin(), ascii.end()); }

// "p{'a' b{'c'}}": elements by tag with their children in braces, text in
// quotes, attributes left out.
inline void Outline(const vistapane::Document& doc, size_t node, std::string& out) {
  const vistapane::Node& n = doc.nodes[node];
  if (n.tag.empty()) {
    out += "'" + Utf8(n.text) + "'";
    return;
  }
  out += n.tag;
  if (n.children.empty()) return;
  out += "{";
  for (size_t i = 0; i < n.children.size(); ++i) {
    if (i) out += " ";
    Outline(doc, n.children[i], out);
  }
  out += "}";
}

inline std::string Outline(const vistapane::Document& doc) {
  std::string out;
  const vistapane::Node& root = doc.nodes[0];
  for (size_t i = 0; i < root.children.size(); ++i) {
    if (i) out += " ";
    Outline(doc, root.children[i], out);
  }
  return out;
}

}  // namespace vistapane_test
