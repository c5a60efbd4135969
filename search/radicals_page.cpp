#include "search/radicals_page.h"

#include <cstring>

#include "chardb/fill_format.h"
#include "search/radical_table.h"

namespace {

// A line of the index as a text-mode file stores it: LF as CR LF.
std::string StoredLine(const std::string& line) {
  std::string stored;
  for (char c : line) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  return stored;
}

}  // namespace

std::string RadicalsIndexPage(const CharacterTables& tables, const PageLookups& lookups) {
  std::string page = kRadicalsHeader;
  int number = 1;
  for (const RadicalRow& row : kRadicalRows) {
    std::string name(row.name, strnlen(row.name, kRadicalNameWidth));
    if (row.forms[0][0] == '\0') {
      page += StoredLine(FillFormat(kRadicalTitleFormat, {name}));
      continue;
    }
    std::string line = FillNumberFormat(kRadicalNumberFormat, number++);
    for (const auto& form : row.forms) {
      if (form[0] == '\0') break;
      line += FillFormat(kRadicalFormFormat, {std::string(form, strnlen(form, kRadicalFormWidth))});
    }
    std::string first(row.forms[0], strnlen(row.forms[0], kRadicalFormWidth));
    std::string code = first;
    std::string pinyin = lookups.pinyin(tables, code);
    line += FillFormat(kRadicalTailFormat, {first, pinyin, name});
    page += StoredLine(line);
  }
  page += kBodyClosing;
  return page;
}
