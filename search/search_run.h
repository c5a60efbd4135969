// One search of the search bar from its key to its page and status text,
// for every kind that writes a page.
#pragma once

#include <memory>
#include <string>

#include "chardb/character_tables.h"
#include "chardb/unihan_extract.h"
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

// Builds the pinyin search's index for the tables. The radical-stroke and
// Unihan searches build their own on first use; a search rebuilds its
// index when it is missing or was built for other tables.
void PrepareSearches(const CharacterTables& tables, SearchMemory& memory);

// Runs a page-writing search with its key, which the search may rewrite
// (the pinyin ü substitution, the Unicode key's upper-casing): the kind's
// page writer from the table of kinds. The Unihan kind writes no page: its
// outcome is empty.
SearchOutcome RunSearch(const CharacterTables& tables, SearchKind kind, std::string& key,
                        SearchMemory& memory, SearchMethod method = SearchMethod::kIndexed);

// The outcome of a page on the search page file, its status text the
// kind's format filled with the text.
SearchOutcome KindOutcome(SearchKind kind, std::string page, const std::string& statusArgument);

// The page writers of the seven kinds of the dialog template that write
// pages.
SearchOutcome WritePinyinPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                              SearchMethod method);
SearchOutcome WriteUnicodePage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                               SearchMethod method);
SearchOutcome WriteMatthewsPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                SearchMethod method);
SearchOutcome WriteRadicalStrokePage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                     SearchMethod method);
SearchOutcome WriteDefinitionPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                  SearchMethod method);
SearchOutcome WriteStrokeNumberPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                    SearchMethod method);

// The Unihan index for the tables, built first when it is missing or was
// built for other tables (left empty when memory runs out for it: its
// users then scan).
const UnihanIndex& CurrentUnihanIndex(const CharacterTables& tables, SearchMemory& memory);

// The Unihan search: the box of the lines holding the key, through the
// Unihan index, built first when it is missing or was built for other
// tables (when memory runs out for it, the lines are found by the scan).
UnihanBox RunUnihanSearch(const CharacterTables& tables, const std::string& key, SearchMemory& memory);

// The pinyin finder alone on the key, refilling the tone lists.
void RefindPinyin(const CharacterTables& tables, std::string& key, SearchMemory& memory);
