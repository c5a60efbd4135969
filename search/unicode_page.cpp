#include "search/unicode_page.h"

#include <sstream>
#include <vector>

#include "chardb/character_references.h"
#include "chardb/fill_format.h"
#include "chardb/lookups.h"
#include "search/search_texts.h"

namespace {

// A variant list split at blanks; runs of blanks make no empty entries.
std::vector<std::string> SplitAtBlanks(const std::string& list) {
  std::vector<std::string> entries;
  std::istringstream words(list);
  for (std::string word; words >> word;) entries.push_back(word);
  return entries;
}

}  // namespace

std::string UnicodePage(const CharacterTables& tables, std::string& code, const PageLookups& lookups) {
  std::string pinyin = lookups.pinyin(tables, code);
  std::string definition = lookups.definition(tables, code);
  std::string matthews = lookups.matthews(tables, code);
  std::string radicalStroke = lookups.radicalStroke(tables, code);
  std::vector<std::string> simplified = SplitAtBlanks(lookups.simplified(tables, code));
  std::vector<std::string> traditional = SplitAtBlanks(lookups.traditional(tables, code));
  std::string shown = HtmlEscaped(code);

  std::string page = kUnicodeHeader;
  if (IsPrivateUse(code)) {
    AppendFilledFormat(page, kPrivateUseLineFormat, {shown, pinyin});
  } else {
    AppendFilledFormat(page, kUnicodeLineFormat, {shown, shown, pinyin, definition, matthews, radicalStroke});
    for (const std::string& entry : simplified) AppendFilledFormat(page, kSimplifiedLineFormat, {entry, entry});
    for (const std::string& entry : traditional) AppendFilledFormat(page, kTraditionalLineFormat, {entry, entry});
  }
  page += kBodyClosing;
  return page;
}
