#include "search/radical_stroke_search.h"

#include <algorithm>

#include "chardb/code_fields.h"
#include "chardb/fill_format.h"
#include "search/line_fields.h"
#include "search/search_texts.h"

namespace {

bool IsCodeByte(char c) { return c == 'U' || c == '+' || UpperHexDigit(c) >= 0; }
bool IsFieldByte(char c) { return c != '\t' && c != '\r' && c != '\n'; }

// In a well-formed table an occurrence of such a key lies inside a
// property or a value, never in a code or across fields, so it is a hit
// exactly when it is a whole value.
bool IndexCanAnswer(const std::string& key) {
  return std::all_of(key.begin(), key.end(), IsFieldByte) &&
         std::any_of(key.begin(), key.end(), [](char c) { return !IsCodeByte(c); });
}

// The line starting at `at` read as "U+" code TAB property TAB value CR LF;
// false when it has any other form.
bool ReadLine(std::string_view text, std::size_t& at, std::string& code, std::string& value) {
  if (text.compare(at, 2, "U+") != 0) return false;
  std::size_t codeEnd = at + 2;
  while (codeEnd < text.size() && UpperHexDigit(text[codeEnd]) >= 0) ++codeEnd;
  if (codeEnd == at + 2 || codeEnd >= text.size() || text[codeEnd] != '\t') return false;
  // A '+' in the property would be the one the scan's walk back from the
  // value stops at, not the line's "U+": such a table is not well formed.
  std::size_t property = codeEnd + 1;
  std::size_t propertyEnd = property;
  while (propertyEnd < text.size() && IsFieldByte(text[propertyEnd]) && text[propertyEnd] != '+') ++propertyEnd;
  if (propertyEnd >= text.size() || text[propertyEnd] != '\t') return false;
  std::size_t valueStart = propertyEnd + 1;
  std::size_t valueEnd = valueStart;
  while (valueEnd < text.size() && IsFieldByte(text[valueEnd])) ++valueEnd;
  // The last line may lack its LF or its CR LF: the held text's final
  // byte is its NUL.
  std::size_t next;
  if (valueEnd == text.size() || (text[valueEnd] == '\r' && valueEnd + 1 == text.size()))
    next = text.size();
  else if (text.compare(valueEnd, 2, "\r\n") == 0)
    next = valueEnd + 2;
  else
    return false;
  code.assign(text.substr(at + 2, codeEnd - at - 2));
  value.assign(text.substr(valueStart, valueEnd - valueStart));
  at = next;
  return true;
}

}  // namespace

void BuildRadicalStrokeIndex(const CharacterTables& tables, RadicalStrokeIndex& index) {
  std::string_view text = TableText(tables.radicalStroke);
  index.values.clear();
  index.builtFor = nullptr;
  std::string code, value;
  for (std::size_t at = 0; at < text.size();) {
    if (!ReadLine(text, at, code, value)) {
      index.values.clear();
      return;
    }
    index.values[value].push_back(code);
  }
  index.builtFor = tables.radicalStroke.text();
  index.builtSize = tables.radicalStroke.size();
}

std::vector<std::string> FindRadicalStroke(const CharacterTables& tables,
                                           const RadicalStrokeIndex& index, const std::string& key) {
  bool current = index.builtFor == tables.radicalStroke.text() &&
                 index.builtSize == tables.radicalStroke.size();
  if (!current || !IndexCanAnswer(key)) return FindRadicalStrokeByScan(tables, key);
  auto found = index.values.find(key);
  return found == index.values.end() ? std::vector<std::string>() : found->second;
}

std::vector<std::string> FindRadicalStrokeByScan(const CharacterTables& tables, const std::string& key) {
  std::string_view text = TableText(tables.radicalStroke);
  std::vector<std::string> results;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t found = text.find(key, at);
    if (found == std::string_view::npos) break;
    std::size_t tab = found == 0 ? std::string_view::npos : text.rfind('\t', found - 1);
    if (tab != std::string_view::npos) {
      std::size_t cr = text.find('\r', tab + 1);
      if (cr == std::string_view::npos) cr = text.size();
      if (text.substr(tab + 1, cr - tab - 1) == key) results.push_back(CodeBeforeMatch(text, found));
    }
    at = found + key.size() + 1;
  }
  return results;
}

std::string RadicalStrokePage(const CharacterTables& tables, const std::vector<std::string>& results,
                              const PageLookups& lookups) {
  std::string page = kRadicalStrokeHeader;
  if (results.empty()) page += kNoResult;
  for (const std::string& result : results) {
    if (result.empty()) continue;
    std::string code = result;
    std::string pinyin = UmlautSubstituted(lookups.pinyin(tables, code));
    AppendFilledFormat(page, kLinkedLineFormat, {result, result, result, pinyin});
  }
  page += kFontClosing;
  page += kBodyClosing;
  return page;
}
