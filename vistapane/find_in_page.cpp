#include "vistapane/find_in_page.h"

#include <algorithm>

namespace vistapane {
namespace {

// Latin letters of ASCII and Latin-1 folded to lower case; a no-break
// space matches a blank, as it looks like one.
char32_t Folded(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0xA0) return ' ';
  return c;
}

}  // namespace

std::vector<TextRange> FindAll(const std::u32string& text, const std::u32string& needle) {
  std::vector<TextRange> matches;
  if (needle.empty() || needle.size() > text.size()) return matches;
  std::u32string folded(needle.size(), 0);
  std::transform(needle.begin(), needle.end(), folded.begin(), Folded);
  auto equal = [](char32_t a, char32_t b) { return Folded(a) == b; };
  auto at = text.begin();
  while (true) {
    at = std::search(at, text.end(), folded.begin(), folded.end(), equal);
    if (at == text.end()) break;
    size_t begin = static_cast<size_t>(at - text.begin());
    matches.push_back({begin, begin + needle.size()});
    at += static_cast<std::ptrdiff_t>(needle.size());
  }
  return matches;
}

int MatchFrom(const std::vector<TextRange>& matches, size_t from, bool forward) {
  if (matches.empty()) return -1;
  auto after = std::lower_bound(matches.begin(), matches.end(), from,
                                [](const TextRange& m, size_t offset) { return m.begin < offset; });
  if (forward) return after == matches.end() ? 0 : static_cast<int>(after - matches.begin());
  return after == matches.begin() ? static_cast<int>(matches.size()) - 1
                                  : static_cast<int>(after - matches.begin()) - 1;
}

}  // namespace vistapane
