#include "search/radicals_page.h"

#include <cstring>
#include <string_view>

#include "chardb/fill_format.h"
#include "search/radical_table.h"

namespace {

// Appends a line of the index as a text-mode file stores it: LF as CR LF.
void AppendStoredLine(std::string& page, std::string_view line) {
  for (std::size_t from = 0; from < line.size();) {
    std::size_t lf = line.find('\n', from);
    if (lf == std::string_view::npos) lf = line.size();
    page.append(line.substr(from, lf - from));
    if (lf < line.size()) page += "\r\n";
    from = lf + 1;
  }
}

}  // namespace

// One line buffer serves every row, appended to the page as it is stored.
std::string RadicalsIndexPage(const CharacterTables& tables, const PageLookups& lookups) {
  std::string page = kRadicalsHeader;
  std::string line;
  int number = 1;
  for (const RadicalRow& row : kRadicalRows) {
    std::string_view name(row.name, strnlen(row.name, kRadicalNameWidth));
    line.clear();
    if (row.forms[0][0] == '\0') {
      AppendFilledFormat(line, kRadicalTitleFormat, {name});
      AppendStoredLine(page, line);
      continue;
    }
    line += FillNumberFormat(kRadicalNumberFormat, number++);
    for (const auto& form : row.forms) {
      if (form[0] == '\0') break;
      AppendFilledFormat(line, kRadicalFormFormat, {std::string_view(form, strnlen(form, kRadicalFormWidth))});
    }
    std::string_view first(row.forms[0], strnlen(row.forms[0], kRadicalFormWidth));
    std::string code(first);
    std::string pinyin = lookups.pinyin(tables, code);
    AppendFilledFormat(line, kRadicalTailFormat, {first, pinyin, name});
    AppendStoredLine(page, line);
  }
  page += kBodyClosing;
  return page;
}
