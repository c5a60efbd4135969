#include "chardb/lookups.h"

bool IsPrivateUse(const std::string&) { return false; }
std::string LookupPinyin(const CharacterTables&, std::string&) { return {}; }
std::string LookupDefinition(const CharacterTables&, std::string&) { return {}; }
std::string LookupRadicalStroke(const CharacterTables&, std::string&) { return {}; }
std::string LookupMatthews(const CharacterTables&, std::string&) { return {}; }
std::string LookupSimplified(const CharacterTables&, const std::string&) { return {}; }
std::string LookupTraditional(const CharacterTables&, const std::string&) { return {}; }
std::string LookupPinyinByScan(const CharacterTables&, std::string&) { return {}; }
std::string LookupDefinitionByScan(const CharacterTables&, std::string&) { return {}; }
std::string LookupRadicalStrokeByScan(const CharacterTables&, std::string&) { return {}; }
std::string LookupMatthewsByScan(const CharacterTables&, std::string&) { return {}; }
std::string LookupSimplifiedByScan(const CharacterTables&, const std::string&) { return {}; }
std::string LookupTraditionalByScan(const CharacterTables&, const std::string&) { return {}; }
std::string MatthewsNumber(const std::string& value) { return value; }
