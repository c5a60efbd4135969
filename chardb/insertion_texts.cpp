#include "chardb/insertion_texts.h"

bool ComposeInsertionTexts(const CharacterTables&, const std::string&, InsertionTexts&) {
  return false;
}
