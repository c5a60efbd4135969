// The words of one character: the entries of the words table (words.txt,
// from CC-CEDICT) whose traditional or simplified form holds it: the
// character's own one-character entries first, then the words more other
// entries are built on (the count words.txt carries), then shorter words,
// then those of common characters (by the ranking of the least common
// character of the simplified form), then in code point order of their
// forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "chardb/character_tables.h"
#include "search/search_memory.h"

// One entry of the words table, as parts of the tables' text.
struct WordEntry {
  std::string_view traditional, simplified, pinyin, gloss;
  std::uint32_t contained = 0;  // other entries whose traditional form holds this one's
};

// The table's entries by character, built on the first character page:
// for each code point, its entries in the order they are listed.
struct WordsIndex : KindMemory {
  const char* builtFor = nullptr;
  std::size_t builtSize = 0;
  std::vector<std::uint32_t> entryOffsets;  // where each entry's line begins, in listing order
  struct Posting {
    char32_t character;
    std::uint32_t entry;  // a position in entryOffsets
  };
  std::vector<Posting> postings;  // by character, then entry
};

// The words of the character, at most `limit`: through the index (built
// first when it was built for other tables), or by a plain scan of the
// table. Both give the same entries in the same order.
std::vector<WordEntry> FindWords(const CharacterTables& tables, WordsIndex& index, char32_t character,
                                 std::size_t limit);
std::vector<WordEntry> FindWordsByScan(const CharacterTables& tables, char32_t character, std::size_t limit);
