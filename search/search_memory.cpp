#include "search/search_memory.h"

#include <new>

#include "chardb/fill_format.h"
#include "search/search_texts.h"

namespace {

// Built on the first Unihan search: building it costs less than one
// search by the scan, and start-up need not pay for it. When memory runs
// out for it the search scans, and the next one tries again.
void EnsureUnihanIndex(const CharacterTables& tables, SearchMemory& memory) {
  if (UnihanIndexCurrent(tables, memory.unihanIndex)) return;
  try {
    BuildUnihanIndex(tables, memory.unihanIndex);
  } catch (const std::bad_alloc&) {
    memory.unihanIndex = UnihanIndex();
  }
}

}  // namespace

std::size_t SearchKeyUnits(const std::string& key) {
  std::size_t units = 0;
  for (unsigned char byte : key) {
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

const UnihanIndex& CurrentUnihanIndex(const CharacterTables& tables, SearchMemory& memory) {
  EnsureUnihanIndex(tables, memory);
  return memory.unihanIndex;
}

SearchOutcome KindOutcome(SearchKind kind, std::string page, const std::string& statusArgument) {
  return {kSearchPageFileName, std::move(page), FillFormat(SearchKindOf(kind).statusFormat, {statusArgument})};
}
