// Per-character lookups: the pinyin reading, definition, radical-stroke
// index and Matthews number of one code point text, and its variants.
#pragma once

#include <string>

#include "chardb/character_tables.h"

// True when the code point the text names lies in U+E000..U+F8FF. The text
// is hexadecimal in either case, of any length (leading zeros count for
// nothing, no digit is cut); a text that is empty or not hexadecimal is
// not private use.
bool IsPrivateUse(const std::string& code);

// Each folds the code's ASCII letters to upper case in place and answers
// the value of the character's own line (the first line whose code field
// is exactly the folded text), or a fixed text: "Private Use Area" for a
// private-use code; not found, "Not available", except LookupPinyin, which
// answers "Pinyin not available" when the text occurs in the pinyin table
// without being a line's code and "not available" when it does not occur.
// LookupMatthews drops the value's "M+" and every padding "p".
// They answer from the index when it is built, in constant time.
std::string LookupPinyin(const CharacterTables& tables, std::string& code);
std::string LookupDefinition(const CharacterTables& tables, std::string& code);
std::string LookupRadicalStroke(const CharacterTables& tables, std::string& code);
std::string LookupMatthews(const CharacterTables& tables, std::string& code);

// The variant lists, or the empty text; the comparison is exact.
std::string LookupSimplified(const CharacterTables& tables, const std::string& code);
std::string LookupTraditional(const CharacterTables& tables, const std::string& code);

// The reference forms: the same answers by a plain scan of the table from
// its start, without any index. Tests hold the indexed lookups to them.
std::string LookupPinyinByScan(const CharacterTables& tables, std::string& code);
std::string LookupDefinitionByScan(const CharacterTables& tables, std::string& code);
std::string LookupRadicalStrokeByScan(const CharacterTables& tables, std::string& code);
std::string LookupMatthewsByScan(const CharacterTables& tables, std::string& code);
std::string LookupSimplifiedByScan(const CharacterTables& tables, const std::string& code);
std::string LookupTraditionalByScan(const CharacterTables& tables, const std::string& code);

// A Matthews value without its "M+" and every "p": "M+994pa" gives "994a".
std::string MatthewsNumber(const std::string& value);
