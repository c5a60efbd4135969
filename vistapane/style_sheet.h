// The little of CSS the pages use: rules in STYLE elements whose selectors
// are a tag, a tag with a class or a class ("TD", "P.U", ".U"), setting
// font-family or color. Other selectors and properties are passed over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vistapane {

struct StyleRule {
  std::string tag;         // lower-case; "" for any
  std::u32string cls;      // "" for any
  std::u32string face;     // the first font-family face; "" when not set
  bool hasColor = false;
  uint32_t color = 0;
};

std::vector<StyleRule> ParseStyleSheet(const std::u32string& css);

// True when `rule` selects an element of `tag` whose CLASS attribute is
// `classes` (blank-separated, compared without regard to case).
bool RuleMatches(const StyleRule& rule, const std::string& tag, const std::u32string* classes);

}  // namespace vistapane
