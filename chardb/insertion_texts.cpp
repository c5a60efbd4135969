// The information text and the clipboard text of InsertUnicode.
#include "chardb/insertion_texts.h"

#include "chardb/chardb_texts.h"
#include "chardb/fill_format.h"
#include "chardb/lookups.h"

bool ComposeInsertionTexts(const CharacterTables& tables, const std::string& argument,
                           InsertionTexts& texts) {
  std::size_t at = argument.find(kInsertWord);
  if (at == std::string::npos) return false;
  std::string code = argument.substr(at + sizeof kInsertWord - 1);
  // The lookups fold the code to upper case; the clipboard text takes it so.
  std::string definition = LookupDefinition(tables, code);
  std::string radicalStroke = LookupRadicalStroke(tables, code);
  std::string matthews = LookupMatthews(tables, code);
  std::string simplified = LookupSimplified(tables, code);
  std::string traditional = LookupTraditional(tables, code);
  texts.codePoint = code;
  texts.information =
      FillFormat(kInformationFormat, {definition, radicalStroke, matthews, simplified, traditional});
  texts.clipboard = FillFormat(kClipboardFormat, {code});
  return true;
}
