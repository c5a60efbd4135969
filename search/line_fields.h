// Where the finders take a hit's code point text from in a table's text.
#pragma once

#include <string>
#include <string_view>

// From the nearest '+' before `at` (the line's "U+") up to the next TAB,
// or to the end of the text; empty when no '+' stands before `at`.
inline std::string CodeBeforeMatch(std::string_view text, std::size_t at) {
  std::size_t plus = at == 0 ? std::string_view::npos : text.rfind('+', at - 1);
  if (plus == std::string_view::npos) return {};
  std::size_t tab = text.find('\t', plus + 1);
  if (tab == std::string_view::npos) tab = text.size();
  return std::string(text.substr(plus + 1, tab - plus - 1));
}
