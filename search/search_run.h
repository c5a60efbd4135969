// One search of the search bar from its key to its page and status text,
// for every kind that writes a page.
#pragma once

#include <string>

#include "chardb/character_tables.h"
#include "chardb/unihan_extract.h"
#include "search/search_kinds.h"
#include "search/search_memory.h"

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

// The Unihan search: the box of the lines holding the key, through the
// Unihan index, built first when it is missing or was built for other
// tables (when memory runs out for it, the lines are found by the scan).
UnihanBox RunUnihanSearch(const CharacterTables& tables, const std::string& key, SearchMemory& memory);

// The pinyin finder alone on the key, refilling the tone lists.
void RefindPinyin(const CharacterTables& tables, std::string& key, SearchMemory& memory);
