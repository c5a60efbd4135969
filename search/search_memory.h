// What the searches keep between runs and what a page writer returns:
// the ground every page writer stands on, below the run of a search.
#pragma once

#include <memory>
#include <string>

#include "chardb/character_tables.h"
#include "chardb/unihan_index.h"
#include "search/pinyin_search.h"
#include "search/radical_stroke_search.h"
#include "search/search_kinds.h"

// The longest key a search field takes, in UTF-16 units (what the field
// counts): a character beyond the Basic Multilingual Plane takes two.
constexpr std::size_t kSearchKeyMaxUnits = 19;

// The length of a UTF-8 key in the units a search field counts.
std::size_t SearchKeyUnits(const std::string& key);

// What a kind added to the table keeps between its searches (an index
// built on its first use, say): a type of its own, derived from this one.
struct KindMemory {
  virtual ~KindMemory() = default;
};

// What the searches keep between runs: the tone lists of the last pinyin
// search (an empty pinyin key shows them again), the indexes built over
// the tables, and each added kind's own memory.
struct SearchMemory {
  ToneLists toneLists;
  PinyinIndex pinyinIndex;
  RadicalStrokeIndex radicalStrokeIndex;
  UnihanIndex unihanIndex;
  std::unique_ptr<KindMemory> kinds[kSearchKindCount];
};

// The kind's own memory, made empty on its first use.
template <typename Memory>
Memory& KindMemoryOf(SearchMemory& memory, SearchKind kind) {
  std::unique_ptr<KindMemory>& slot = memory.kinds[kind];
  if (!slot) slot = std::make_unique<Memory>();
  return static_cast<Memory&>(*slot);
}

// A written page: its file name (with the leading backslash), its bytes
// and the status text formatted after it.
struct SearchOutcome {
  std::string pageFileName;
  std::string page;
  std::string statusText;
};

// How a search finds its answers: through the indexes, or by the plain
// scans that the tests and the benchmark hold the indexes to.
enum class SearchMethod { kIndexed, kScanning };

// The outcome of a page on the search page file, its status text the
// kind's format filled with the text.
SearchOutcome KindOutcome(SearchKind kind, std::string page, const std::string& statusArgument);

// The Unihan index for the tables, built first when it is missing or was
// built for other tables (left empty when memory runs out for it: its
// users then scan).
const UnihanIndex& CurrentUnihanIndex(const CharacterTables& tables, SearchMemory& memory);
