// The Reading search's page: one section for each language whose readings
// hold the key, in the order Cantonese, Japanese on, Japanese kun, Korean,
// Vietnamese, each headed by the language and the readings found as the
// data write them, its characters common-first with their readings there
// and their Mandarin reading beside them; "No result" when none does.
#pragma once

#include <string>

#include "chardb/character_tables.h"
#include "search/reading_search.h"
#include "search/search_memory.h"

std::string ReadingPage(const CharacterTables& tables, const std::string& key, const ReadingMatches& matches);

// The Reading kind's page writer: through the table's order, or by the
// plain scan of every entry with SearchMethod::kScanning.
SearchOutcome WriteReadingPage(const CharacterTables& tables, std::string& key, SearchMemory& memory,
                               SearchMethod method);
