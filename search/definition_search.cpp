#include "search/definition_search.h"

#include "chardb/code_fields.h"
#include "chardb/fill_format.h"
#include "search/search_texts.h"

namespace {

// Letters and digits make words; the text's ends and every byte from 128
// on do not.
bool IsWordByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The code point text of the line holding `at`: after the "U+" that
// begins the line (the line begins after the last CR LF before `at`) up
// to its first TAB.
std::string LineCode(std::string_view text, std::size_t at) {
  std::size_t crlf = text.substr(0, at).rfind("\r\n");
  std::size_t start = crlf == std::string_view::npos ? 0 : crlf + 2;
  if (text.compare(start, 2, "U+") == 0) start += 2;
  std::size_t tab = text.find('\t', start);
  if (tab == std::string_view::npos) tab = text.size();
  return std::string(text.substr(start, tab - start));
}

}  // namespace

std::vector<std::string> FindDefinitions(const CharacterTables& tables, const std::string& key) {
  std::string_view text = TableText(tables.definition);
  std::vector<std::string> results;
  std::size_t examined = 0;
  std::size_t at = 0;
  while (at < text.size() && results.size() < kDefinitionLimit && examined < kDefinitionLimit) {
    std::size_t found = text.find(key, at);
    if (found == std::string_view::npos) break;
    std::size_t end = found + key.size();
    bool wordBefore = found > 0 && IsWordByte(text[found - 1]);
    bool wordAfter = end < text.size() && IsWordByte(text[end]);
    if (!wordBefore && !wordAfter) results.push_back(LineCode(text, found));
    ++examined;
    at = end + 1;
  }
  return results;
}

std::string DefinitionPage(const CharacterTables& tables, const std::vector<std::string>& results,
                           const PageLookups& lookups) {
  std::string page = kDefinitionHeader;
  page.reserve(results.size() * 160);
  if (results.empty()) page += kNoResult;
  // A line holding the word twice gives its code twice in a row: its page
  // line is formed once.
  std::string previous, line;
  for (const std::string& result : results) {
    if (result.empty()) continue;
    if (result != previous || line.empty()) {
      std::string code = result;
      std::string definition = lookups.definition(tables, code);
      std::string pinyin = UmlautSubstituted(lookups.pinyin(tables, code));
      line.clear();
      AppendFilledFormat(line, kDefinitionLineFormat, {code, code, pinyin, definition});
      previous = result;
    }
    page += line;
  }
  page += kFontClosing;
  page += kBodyClosing;
  return page;
}
