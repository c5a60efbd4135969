#include "search/result_page.h"

#include <cctype>
#include <climits>
#include <fstream>

#include "chardb/character_references.h"
#include "chardb/fill_format.h"
#include "chardb/lookups.h"
#include "search/program_links.h"
#include "search/search_texts.h"

std::string UmlautSubstituted(const std::string& text) {
  std::size_t at = text.find_first_of(kUmlautStandIns);
  if (at == std::string::npos) return text;
  return text.substr(0, at) + kUmlautReference + text.substr(at + 1);
}

int LeadingNumber(const std::string& key) {
  std::size_t at = 0;
  while (at < key.size() && std::isspace(static_cast<unsigned char>(key[at]))) ++at;
  bool negative = false;
  if (at < key.size() && (key[at] == '+' || key[at] == '-')) negative = key[at++] == '-';
  long long value = 0;
  for (; at < key.size() && key[at] >= '0' && key[at] <= '9'; ++at) {
    value = value * 10 + (key[at] - '0');
    if (value > INT_MAX) {
      value = static_cast<long long>(INT_MAX) + 1;
      break;
    }
  }
  if (negative) return static_cast<int>(-value < INT_MIN ? INT_MIN : -value);
  return static_cast<int>(value > INT_MAX ? INT_MAX : value);
}

std::string FillNumberFormat(const char* format, long number) {
  std::string text = format;
  std::size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(number));
  return text;
}

const PageLookups kIndexedLookups{LookupPinyin,     LookupDefinition,  LookupRadicalStroke,
                                  LookupMatthews,   LookupSimplified,  LookupTraditional};
const PageLookups kScanningLookups{LookupPinyinByScan,     LookupDefinitionByScan,
                                   LookupRadicalStrokeByScan, LookupMatthewsByScan,
                                   LookupSimplifiedByScan, LookupTraditionalByScan};

std::string CharacterGlyphLink(const std::string& code) {
  std::string shown = HtmlEscaped(code);
  return FillFormat(kCharacterGlyphLinkFormat, {HtmlEscaped(ProgramLinkTarget(kCharacterSearch, code)), shown});
}

std::string InsertLink(const std::string& code) {
  std::string shown = HtmlEscaped(code);
  return FillFormat(kInsertLinkFormat, {shown, shown});
}

std::string LinkedCharacter(const std::string& code) {
  return CharacterGlyphLink(code) + kCharacterLinkSeparator + InsertLink(code);
}

bool WriteResultPage(const std::filesystem::path& path, const std::string& page) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(page.data(), static_cast<std::streamsize>(page.size()));
  file.close();
  if (!file.fail()) return true;
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  return false;
}
