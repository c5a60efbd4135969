// The table of search kinds: every way of searching Logodex knows is one
// row, and the search bar's fields, RunSearch, the main window's show-page
// commands, the program links, logodex-cli's subcommands, the help's test
// and the benchmark read their kinds from it. Adding a kind: its value
// below, its row in search_kinds.cpp, its finder and page writer (one
// function), its help section (CONTRIBUTING.md, "Adding a search kind").
#pragma once

#include <string>

#include "chardb/character_tables.h"

// The search kinds in the order of their rows: the seven of the search
// bar's dialog template first, in the order of its fields, then the kinds
// added after them, whose fields the search bar makes at run time.
enum SearchKind : int {
  kPinyinSearch = 0,
  kUnicodeSearch = 1,
  kMatthewsSearch = 2,
  kUnihanSearch = 3,
  kRadicalStrokeSearch = 4,
  kDefinitionSearch = 5,
  kStrokeNumberSearch = 6,
  kCharacterSearch = 7,
  kComponentsSearch = 8,
  kReadingSearch = 9,
  kSearchKindCount
};

// The kinds whose fields the dialog template holds.
constexpr int kTemplateKindCount = 7;

struct SearchMemory;
struct SearchOutcome;
enum class SearchMethod;

// A kind's finder and page writer: the page for the key (which it may
// rewrite, as the pinyin ü substitution does) and its status text.
using SearchPageWriter = SearchOutcome (*)(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                           SearchMethod method);

struct SearchKindRow {
  SearchKind kind;
  // The label of its field in the search bar; null when it has none.
  const char* fieldLabel;
  // An item of the main window's menu bar that shows its page for the key
  // of its field (the empty key without a field); null when it has none.
  const char* menuItem;
  // The status text (the pane's title) of its page, "%s" the key.
  const char* statusFormat;
  // Null for the one kind that shows a box instead of a page (Unihan).
  SearchPageWriter writePage;
  bool waitCursor;  // the search may take long enough to show the wait cursor
  // logodex-cli's subcommand, "NAME [--print] KEY" for a page; the same
  // word names the kind in a program link, "logodex:NAME/KEY".
  const char* commandName;
  const char* commandSummary;
  // The section of the help (docs/logodex.but, \H{topic}) that describes it.
  const char* helpTopic;
  // The keys the benchmark times it with, up to a null; none when null.
  const char* const* benchmarkKeys;
  // How many times faster than its plain scan (where that takes over
  // 10 ms) the benchmark holds it to be.
  double benchmarkSpeedUp = 50.0;
};

extern const SearchKindRow kSearchKinds[kSearchKindCount];

inline const SearchKindRow& SearchKindOf(SearchKind kind) { return kSearchKinds[kind]; }

// The kind whose command name is the word; null when none is.
const SearchKindRow* SearchKindNamed(const std::string& word);
