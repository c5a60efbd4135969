// The Reading search's finder: the readings of the other languages of the
// Han script (chardb/reading_tables.h) matched as whole readings.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "chardb/reading_tables.h"

// The longest key the finder takes, in bytes (the data's longest reading
// has 25); a longer key finds nothing.
constexpr std::size_t kReadingKeyLimit = 64;

// The entries found, by language, in the table's order.
using ReadingMatches = std::array<std::vector<const ReadingEntry*>, static_cast<std::size_t>(ReadingLanguage::kCount)>;

// Fills the matches for the key: in each language the readings whose key
// (FoldedReading) is the key's; a Cantonese key without a tone digit also
// matches the readings of every tone; a Vietnamese key with diacritics
// (precomposed, as keyboards and pasted text give them) only the readings
// with exactly those diacritics, case aside; a key with letters beyond
// ASCII matches no Cantonese or romanized Korean reading. Through the
// table's order.
void FindReadings(const ReadingTables& tables, const std::string& key, ReadingMatches& matches);

// The reference finder: every entry of the table tested in turn.
void FindReadingsByScan(const ReadingTables& tables, const std::string& key, ReadingMatches& matches);
