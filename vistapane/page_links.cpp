#include "vistapane/page_links.h"

#include "vistapane/links.h"
#include "vistapane/pane_texts.h"

namespace vistapane {
namespace {

std::u32string Hex(char32_t c) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::u32string digits;
  do {
    digits.insert(digits.begin(), static_cast<char32_t>(kDigits[c % 16]));
    c /= 16;
  } while (c != 0);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), U'0');
  return digits;
}

std::u32string Wide(const char* text) { return std::u32string(text, text + std::char_traits<char>::length(text)); }

}  // namespace

LinkFragments FragmentsOfLinks(const Layout& layout) {
  LinkFragments links(layout.links.size());
  for (size_t f = 0; f < layout.fragments.size(); ++f) {
    int link = layout.styles[static_cast<size_t>(layout.fragments[f].style)].link;
    if (link >= 0 && static_cast<size_t>(link) < links.size()) links[static_cast<size_t>(link)].push_back(f);
  }
  return links;
}

int StepLink(const LinkFragments& links, int current, int step) {
  long n = static_cast<long>(links.size());
  if (n == 0) return -1;
  long at = current < 0 || current >= n ? (step > 0 ? -1 : n) : current;
  for (long tried = 0; tried < n; ++tried) {
    at = ((at + (step > 0 ? 1 : -1)) % n + n) % n;
    if (!links[static_cast<size_t>(at)].empty()) return static_cast<int>(at);
  }
  return -1;
}

std::u32string LinkText(const Layout& layout, const LinkFragments& links, int link) {
  std::u32string text;
  if (link < 0 || static_cast<size_t>(link) >= links.size()) return text;
  for (size_t f : links[static_cast<size_t>(link)]) {
    const Fragment& fragment = layout.fragments[f];
    text.append(layout.text, fragment.begin, fragment.end - fragment.begin);
  }
  return text;
}

char32_t InsertLinkCharacter(const std::u32string& target) {
  if (ClassifyLink(target) != LinkKind::kInsert) return 0;
  size_t at = target.find(Wide(kInsertWord));
  if (at == std::u32string::npos) return 0;
  at += std::char_traits<char>::length(kInsertWord);
  char32_t c = 0;
  size_t digits = 0;
  for (; at < target.size() && digits <= 6; ++at, ++digits) {
    char32_t d = target[at];
    int value = d >= '0' && d <= '9' ? static_cast<int>(d - '0')
                : d >= 'a' && d <= 'f' ? static_cast<int>(d - 'a' + 10)
                : d >= 'A' && d <= 'F' ? static_cast<int>(d - 'A' + 10) : -1;
    if (value < 0) return 0;
    c = c * 16 + static_cast<char32_t>(value);
  }
  if (digits == 0 || digits > 6 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return c;
}

std::u32string LinkName(const Layout& layout, const LinkFragments& links, int link) {
  if (link < 0 || static_cast<size_t>(link) >= layout.links.size()) return U"";
  if (char32_t c = InsertLinkCharacter(layout.links[static_cast<size_t>(link)]))
    return std::u32string(1, c) + U" " + Hex(c);
  return LinkText(layout, links, link);
}

std::u32string CharacterReference(char32_t c) { return U" &#x" + Hex(c) + U";"; }
std::u32string CodePointName(char32_t c) { return U"U+" + Hex(c); }

}  // namespace vistapane
