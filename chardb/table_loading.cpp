#include "chardb/character_tables.h"

void SetResourceText(const char* data, std::size_t size, ResourceText& text) {
  text.bytes.assign(data, data + size);
  if (text.bytes.empty()) text.bytes.push_back('\0');
  text.bytes.back() = '\0';
}
void LoadStrokeTable(const std::string&, CharacterTables& tables) {
  tables.strokes.assign(kStrokeTableMinRecords, StrokeRecord{});
}
void LoadUnihanText(const std::string& fileBytes, CharacterTables& tables) {
  tables.unihan.assign(fileBytes.begin(), fileBytes.end());
  tables.unihan.push_back('\0');
}
void ClearUnihanText(CharacterTables& tables) { tables.unihan.clear(); }
void BuildLookupIndexes(CharacterTables&) {}
bool ReadFileBytes(const std::string&, std::string&) { return false; }
bool LoadCharacterTables(const std::string&, CharacterTables&, std::string& error) {
  error = "not yet";
  return false;
}
