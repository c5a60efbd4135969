// The stroke-number search: the run of the stroke table with a given
// total stroke count, and the page listing it with insert links.
#pragma once

#include <cstddef>
#include <string>

#include "chardb/character_tables.h"
#include "search/result_page.h"

// Records first up to, not including, end; empty when first == end.
struct StrokeRange {
  std::size_t first = 0;
  std::size_t end = 0;
  std::size_t size() const { return end - first; }
};

// The first run of records, among those read from the file, whose count
// is the key's leading number.
StrokeRange FindStrokeRange(const CharacterTables& tables, const std::string& key);

std::string StrokeNumberPage(const CharacterTables& tables, StrokeRange range,
                             const PageLookups& lookups = kIndexedLookups);
