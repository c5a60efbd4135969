// The pinyin search: the characters read with a toneless syllable, in five
// tone lists, and the page that sets them out in one column per tone.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "chardb/character_tables.h"

constexpr int kToneCount = 5;
// The longest syllable of the data after ü substitution ("L&#xdc;AN");
// a longer key finds nothing.
constexpr std::size_t kPinyinKeyLimit = 9;

// One list of code point texts per tone 1 to 5, each sorted by bytes.
struct ToneLists {
  std::array<std::vector<std::string>, kToneCount> tones;
};

// Every reading of the pinyin table as the finder's patterns see it: the
// upper-cased text between a blank or TAB and the next digit, with its
// tone and the code point text of its line. Built for the table as it is
// at indexing time; the finder scans when the table has changed.
struct PinyinIndex {
  struct Reading {
    // The reading's first eight bytes, upper-cased, big-endian and
    // zero-padded; then its ninth byte and the tone (0 to 4).
    std::uint64_t head;
    std::uint32_t tailAndTone;
    std::uint32_t codeLength;
    std::uint64_t codeKey;  // the code text's first eight bytes, likewise
    std::uint32_t codeOffset;
  };
  const char* builtFor = nullptr;
  std::size_t builtSize = 0;
  std::vector<Reading> readings;  // ascending by reading, tone, code text
};

void BuildPinyinIndex(const CharacterTables& tables, PinyinIndex& index);

// The pinyin finder: ü substitution on the key (in place), then the lists
// cleared and filled with every whole reading key+tone, case-blind.
void FindPinyin(const CharacterTables& tables, const PinyinIndex& index, std::string& key,
                ToneLists& lists);

// The reference finder: ten passes over the table, blank-anchored then
// TAB-anchored for each tone, as the index reproduces them.
void FindPinyinByScan(const CharacterTables& tables, std::string& key, ToneLists& lists);

// The pinyin page: header, tone header row, one row per list position.
std::string PinyinPage(const ToneLists& lists);
