// Per-character lookups: the pinyin reading, definition, radical-stroke
// index and Matthews number of one code point text, and its variants.
#pragma once

#include <string>

#include "chardb/character_tables.h"

// True when the code point the text names lies in U+E000..U+F8FF.
bool IsPrivateUse(const std::string& code);

// Each folds the code's ASCII letters to upper case in place and answers
// the value of the character's own line, or a fixed not-found text.
std::string LookupPinyin(const CharacterTables& tables, std::string& code);
std::string LookupDefinition(const CharacterTables& tables, std::string& code);
std::string LookupRadicalStroke(const CharacterTables& tables, std::string& code);
std::string LookupMatthews(const CharacterTables& tables, std::string& code);

// The variant lists, or the empty text; the comparison is exact.
std::string LookupSimplified(const CharacterTables& tables, const std::string& code);
std::string LookupTraditional(const CharacterTables& tables, const std::string& code);
