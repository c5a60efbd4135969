// Shared by the search tests: running a search over the real tables and
// reading its page apart.
#pragma once

#include <string>
#include <vector>

#include "search/search_run.h"
#include "tests/chardb/chardb_test_support.h"

// One search with a fresh memory (empty tone lists), as logodex-cli runs it.
inline SearchOutcome Search(SearchKind kind, std::string key, SearchMethod method = SearchMethod::kIndexed) {
  SearchMemory memory;
  return RunSearch(RealTables(), kind, key, memory, method);
}

inline std::size_t CountOf(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

// The code point texts of the page's insert links, in page order.
inline std::vector<std::string> InsertTargets(const std::string& page) {
  std::vector<std::string> targets;
  const std::string opening = "<A href=\"insert";
  for (std::size_t at = page.find(opening); at != std::string::npos; at = page.find(opening, at + 1)) {
    std::size_t start = at + opening.size();
    targets.push_back(page.substr(start, page.find('"', start) - start));
  }
  return targets;
}
