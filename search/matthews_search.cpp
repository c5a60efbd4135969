#include "search/matthews_search.h"

#include <algorithm>

#include "chardb/character_references.h"
#include "chardb/code_fields.h"
#include "chardb/fill_format.h"
#include "search/search_texts.h"

namespace {

// After a hit the search goes on this far past the start of its code
// point text: beyond the rest of the hit's line.
constexpr std::size_t kHitLineSkip = 22;

}  // namespace

std::string MatthewsPattern(const std::string& key) {
  int number = LeadingNumber(key);
  std::size_t kept = number < 10 ? 1 : number < 100 ? 2 : number < 1000 ? 3 : 4;
  const char* padding = number < 10 ? "ppp" : number < 100 ? "pp" : number < 1000 ? "p" : "";
  std::string pattern = "M+" + key.substr(0, kept) + padding;
  return pattern.substr(0, 6);
}

std::vector<std::string> FindMatthews(const CharacterTables& tables, const std::string& key) {
  std::vector<std::string> hits;
  int number = LeadingNumber(key);
  if (number < 0 || number > kMatthewsLargest) return hits;
  std::string pattern = MatthewsPattern(key);
  std::string_view text = TableText(tables.matthews);
  std::size_t at = 0;
  while (hits.size() < kMatthewsHitLimit) {
    std::size_t found = text.find(pattern, at);
    if (found == std::string_view::npos) break;
    std::size_t u = found == 0 ? std::string_view::npos : text.rfind('U', found - 1);
    if (u == std::string_view::npos) break;
    std::size_t codeStart = u + 2 <= found ? u + 2 : found;
    std::size_t tab = text.find('\t', codeStart);
    if (tab == std::string_view::npos) tab = text.size();
    hits.emplace_back(text.substr(codeStart, tab - codeStart));
    // Never before the hit itself, so a pattern in an odd line cannot be
    // found again and again.
    at = std::max(codeStart + kHitLineSkip, found + 1);
  }
  return hits;
}

std::string MatthewsPage(const CharacterTables& tables, const std::string& key,
                         const std::vector<std::string>& hits, const PageLookups& lookups) {
  std::string page = kMatthewsHeader;
  if (hits.empty()) page += kMatthewsOutOfRange;
  std::string shownKey = HtmlEscaped(key);
  for (const std::string& hit : hits) {
    std::string code = hit;
    std::string pinyin = lookups.pinyin(tables, code);
    std::string definition = lookups.definition(tables, code);
    std::string radicalStroke = lookups.radicalStroke(tables, code);
    AppendFilledFormat(page, kMatthewsLineFormat, {hit, hit, pinyin, definition, shownKey, radicalStroke});
  }
  page += kBodyClosing;
  return page;
}
