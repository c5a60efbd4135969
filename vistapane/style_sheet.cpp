#include "vistapane/style_sheet.h"

#include "vistapane/layout_style.h"

namespace vistapane {
namespace {

char32_t Lower(char32_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

std::u32string Trim(const std::u32string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsCollapsibleSpace(text[begin])) ++begin;
  while (end > begin && IsCollapsibleSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool SameNoCase(const std::u32string& a, const std::u32string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

std::u32string WithoutComments(const std::u32string& css) {
  std::u32string out;
  for (size_t i = 0; i < css.size();) {
    if (css.compare(i, 2, U"/*") == 0) {
      size_t end = css.find(U"*/", i + 2);
      i = end == std::u32string::npos ? css.size() : end + 2;
    } else {
      out.push_back(css[i++]);
    }
  }
  return out;
}

// "P.U" into tag and class; false for selectors beyond these simple ones.
bool ReadSelector(const std::u32string& text, std::string& tag, std::u32string& cls) {
  std::u32string selector = Trim(text);
  if (selector.empty()) return false;
  size_t dot = selector.find('.');
  std::u32string name = selector.substr(0, dot);
  if (dot != std::u32string::npos) cls = selector.substr(dot + 1);
  for (char32_t c : name) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    tag.push_back(static_cast<char>(Lower(c)));
  }
  for (char32_t c : cls)
    if (c == '.' || c == '#' || c == ':' || c == '>' || c == '[' || IsCollapsibleSpace(c)) return false;
  return dot == std::u32string::npos || !cls.empty();
}

}  // namespace

std::vector<StyleRule> ParseStyleSheet(const std::u32string& input) {
  std::vector<StyleRule> rules;
  std::u32string css = WithoutComments(input);
  size_t at = 0;
  while (at < css.size()) {
    size_t open = css.find('{', at);
    if (open == std::u32string::npos) break;
    size_t close = css.find('}', open);
    if (close == std::u32string::npos) close = css.size();
    StyleRule values;
    std::u32string body = css.substr(open + 1, close - open - 1);
    for (size_t d = 0; d <= body.size();) {
      size_t end = body.find(';', d);
      if (end == std::u32string::npos) end = body.size();
      std::u32string declaration = body.substr(d, end - d);
      size_t colon = declaration.find(':');
      if (colon != std::u32string::npos) {
        std::u32string name = Trim(declaration.substr(0, colon));
        std::u32string value = Trim(declaration.substr(colon + 1));
        if (SameNoCase(name, U"font-family")) values.face = FirstFace(value);
        if (SameNoCase(name, U"color")) values.hasColor = ParseColor(value, values.color);
      }
      d = end + 1;
    }
    std::u32string selectors = css.substr(at, open - at);
    for (size_t s = 0; s <= selectors.size();) {
      size_t end = selectors.find(',', s);
      if (end == std::u32string::npos) end = selectors.size();
      StyleRule rule = values;
      if ((!rule.face.empty() || rule.hasColor) && ReadSelector(selectors.substr(s, end - s), rule.tag, rule.cls))
        rules.push_back(rule);
      s = end + 1;
    }
    at = close + 1;
  }
  return rules;
}

bool RuleMatches(const StyleRule& rule, const std::string& tag, const std::u32string* classes) {
  if (!rule.tag.empty() && rule.tag != tag) return false;
  if (rule.cls.empty()) return true;
  if (!classes) return false;
  for (size_t i = 0; i <= classes->size();) {
    size_t end = classes->find(' ', i);
    if (end == std::u32string::npos) end = classes->size();
    if (SameNoCase(Trim(classes->substr(i, end - i)), rule.cls)) return true;
    i = end + 1;
  }
  return false;
}

}  // namespace vistapane
