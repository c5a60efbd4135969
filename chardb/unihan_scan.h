// The Unihan extract's pieces shared by its scan and its index: the text,
// the pattern and the scan itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "chardb/character_tables.h"
#include "chardb/unihan_extract.h"

// The Unihan text up to its NUL; empty when there is none.
std::string_view UnihanText(const CharacterTables& tables);

// "U+" and the key, ASCII letters folded to upper case.
std::string UnihanPattern(const std::string& key);

// The lines holding the pattern, from the start of the text; the scan
// stops once `stopAfter` lines are listed (their count is then not known).
UnihanExtract ScanUnihanLines(std::string_view text, const std::string& pattern, std::size_t stopAfter);
