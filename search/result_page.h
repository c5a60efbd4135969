// What every page writer shares: the ü substitution, escaping of typed
// text, the number rule of typed keys, the lookups a page is filled from,
// and writing a finished page to its file.
#pragma once

#include <filesystem>
#include <string>

#include "chardb/character_tables.h"

// The first double quote or question mark of the text becomes "&#xdc;";
// a text without either is returned unchanged.
std::string UmlautSubstituted(const std::string& text);

// The leading decimal number of a key: white space skipped, an optional
// sign, digits up to the first non-digit; 0 without digits. Saturates at
// the int range instead of overflowing.
int LeadingNumber(const std::string& key);

// The format with its first "%d" replaced by the number.
std::string FillNumberFormat(const char* format, long number);

// The per-character lookups a page writer calls: the indexed ones for the
// program, the scanning ones for the reference pages the tests and the
// benchmark compare against.
struct PageLookups {
  std::string (*pinyin)(const CharacterTables&, std::string&);
  std::string (*definition)(const CharacterTables&, std::string&);
  std::string (*radicalStroke)(const CharacterTables&, std::string&);
  std::string (*matthews)(const CharacterTables&, std::string&);
  std::string (*simplified)(const CharacterTables&, const std::string&);
  std::string (*traditional)(const CharacterTables&, const std::string&);
};
extern const PageLookups kIndexedLookups;
extern const PageLookups kScanningLookups;

// A character on the pages of the added kinds, its code point given as
// upper-case hexadecimal digits ("957F"): its glyph linked to its character
// page (logodex:character/957F), then its code point as its insert link.
// The two halves alone serve where they stand apart (the words of a
// character page: the glyphs together, their insert links after them).
std::string LinkedCharacter(const std::string& code);
std::string CharacterGlyphLink(const std::string& code);
std::string InsertLink(const std::string& code);

// Writes the page's bytes unchanged to the file at the path (any length,
// any characters), created or truncated. False when the file cannot be
// created or fully written; a partly written file is removed.
bool WriteResultPage(const std::filesystem::path& path, const std::string& page);
