// The definition search: the characters whose line holds the key as a
// whole word, and the page listing each with its reading and definition.
#pragma once

#include <string>
#include <vector>

#include "chardb/character_tables.h"
#include "search/result_page.h"

// The finder stops after this many results or examined occurrences.
constexpr std::size_t kDefinitionLimit = 9000;

// The code point texts of the lines holding a whole-word occurrence of the
// key (exact bytes), in the text's order, one per occurrence.
std::vector<std::string> FindDefinitions(const CharacterTables& tables, const std::string& key);

std::string DefinitionPage(const CharacterTables& tables, const std::vector<std::string>& results,
                           const PageLookups& lookups = kIndexedLookups);
