// The texts of InsertUnicode: the information box and the clipboard text
// for a followed insert link.
#pragma once

#include <string>

#include "chardb/character_tables.h"

struct InsertionTexts {
  std::string codePoint;    // the part after the first "insert", folded to upper case
  std::string information;  // the box text, composed in full
  std::string clipboard;    // a blank and the character reference
};

// False, leaving texts alone, when the argument holds no "insert".
bool ComposeInsertionTexts(const CharacterTables& tables, const std::string& argument,
                           InsertionTexts& texts);
