// A pinyin key as input methods take it: a tone digit after the syllable
// (MA3), v or u: for ü (LV, NU:3), and tone marks typed or pasted (mǎ,
// lǜ, also as combining marks). The pinyin page answers such a key when
// the key as the field takes it answers nothing.
#pragma once

#include <string>

#include "chardb/character_tables.h"

struct TypedPinyin {
  std::string syllable;  // in the pinyin table's spelling: "MA", "L&#xdc;"
  int tone = 0;          // 1 to 5; 0 when the key gives none
  std::string shown;     // as the status text shows it: "MA3", "LÜ4"
};

// The syllable and tone of a key of letters (ü as v, u:, ü, " or ?), at
// most one tone mark or one tone digit 1 to 5 at its end; false for any
// other key, or a syllable longer than the pinyin table's longest.
bool ReadTypedPinyin(const std::string& key, TypedPinyin& typed);

// The page of one reading: the characters read with the syllable in the
// tone, common characters first, each linked to its character page with
// its insert link beside it.
std::string PinyinReadingPage(const CharacterTables& tables, const TypedPinyin& typed,
                              std::vector<std::string> codes);
