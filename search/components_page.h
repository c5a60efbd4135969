// The components page: the chosen components (each a link that takes it
// away), the characters that have them all, common first and grouped by
// their total strokes, and the palette, whose forms still narrow the
// answer are links that add them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "search/component_index.h"
#include "search/search_memory.h"

// The most characters one page lists: the most common of a larger answer.
constexpr std::size_t kComponentsShownMax = 400;

// A found character as the page lists it.
struct RankedCharacter {
  std::uint32_t codePoint;
  std::uint32_t level;  // how common it is: 1-3 the General Standard table, 4-8 other common use, else rare
  int strokes;          // its total strokes
};

// The page for the query. `shown` is the answer common-first, at most
// kComponentsShownMax of `foundCount` characters; `narrowing` is
// PaletteNarrowing over the whole answer.
std::string ComponentsPage(const ComponentIndex& index, const ComponentQuery& query,
                           const std::vector<RankedCharacter>& shown, std::size_t foundCount,
                           const std::vector<bool>& narrowing);

// The key of the query's typed characters with one left out (at `skip`)
// or one added (`added`, 0 for none), as UTF-8; characters that are no
// components are left out, so that a link's key is one of components.
std::string ComponentsKey(const ComponentIndex& index, const std::vector<std::uint32_t>& typed, std::size_t skip,
                          std::uint32_t added);

// The page for the key over a built index; with `scanning` the characters
// are found by ScanComponentCharacters over data.characters and the
// palette's narrowing by PaletteNarrowingByCount instead.
std::string ComponentsSearchPage(const ComponentIndex& index, const ComponentData& data, const std::string& key,
                                 const CommonOrder& order, bool scanning);

// The components kind's index over the tables' component files, built on
// its first use and kept in the kind's memory (no characters when the
// files are missing); the character page reads it too.
const ComponentIndex& CurrentComponentIndex(const CharacterTables& tables, SearchMemory& memory);

// The components kind's page writer: CurrentComponentIndex, then
// ComponentsSearchPage in the ranking's order.
SearchOutcome WriteComponentsPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                                  SearchMethod method);
