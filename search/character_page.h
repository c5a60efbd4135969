// The page of one character: everything the tables know about it, each
// section only where the data have something, every character on it
// linked to its own page and carrying its insert link.
#pragma once

#include <string>

#include "chardb/character_tables.h"
#include "search/search_memory.h"

// The code point a key names: four to six hexadecimal digits ("957F",
// "957f", "U+957F") of a scalar value, or the one character itself ("长");
// false for anything else.
bool CharacterOfKey(const std::string& key, char32_t& character);

// The Character kind's page writer: the character page for the key, or
// "No result" when the key names no character; a private-use code point
// answers "Private Use Area", one without data "Not available".
SearchOutcome WriteCharacterPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                 SearchMethod method);
