// The radical-stroke search: the characters whose radical-stroke value is
// exactly the key, and the page listing them with insert links.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "chardb/character_tables.h"
#include "search/result_page.h"

// Each value of a well-formed radical-stroke table (every line "U+" hex
// digits, TAB, property, TAB, value, CR LF, no TAB or CR in a field, no
// '+' in the property) to
// the code point texts of its lines in table order. Left unbuilt for a
// table of any other form; the finder then scans.
struct RadicalStrokeIndex {
  const char* builtFor = nullptr;
  std::size_t builtSize = 0;
  std::unordered_map<std::string, std::vector<std::string>> values;
};

void BuildRadicalStrokeIndex(const CharacterTables& tables, RadicalStrokeIndex& index);

// The code point texts of the lines whose value equals the key, in table
// order: from the index for the keys it answers exactly, else by scanning.
std::vector<std::string> FindRadicalStroke(const CharacterTables& tables,
                                           const RadicalStrokeIndex& index, const std::string& key);

// The reference finder: every occurrence of the key in the text, taken
// when the text from the TAB before it to the next CR is the key.
std::vector<std::string> FindRadicalStrokeByScan(const CharacterTables& tables, const std::string& key);

std::string RadicalStrokePage(const CharacterTables& tables, const std::vector<std::string>& results,
                              const PageLookups& lookups = kIndexedLookups);
